#include "dialogs/ImportPreview.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "backup/Snapshots.h"
#include "widgets/DialogLook.h"
#include "hotkeys/Conflicts.h"
#include "hotkeys/HotkeyString.h"
#include "widgets/Look.h"

namespace {

QString ServersText(const backup::Scope& scope)
{
    QStringList parts;
    if (scope.settings) parts << QStringLiteral("профиль и клавиши");
    for (int n : scope.servers) parts << QStringLiteral("сервер %1").arg(n);
    return parts.join(QStringLiteral(", "));
}

// The frame of the other dialogs, with light texts and dark lists; buttons
// keep the system's look, as everywhere.
void DarkDialog(QDialog* dialog, const QSize& client)
{
    dialoglook::MakeFixedDialog(dialog, client, look::kWindow);
    QPalette p = dialog->palette();
    p.setColor(QPalette::WindowText, look::kClWindow);
    p.setColor(QPalette::Base, look::kListField);
    p.setColor(QPalette::Text, look::kClWindow);
    dialog->setPalette(p);
}

QString Caption(std::string_view hotkey)
{
    return hotkey.empty() ? QStringLiteral("нет") : QString::fromStdString(hotkeys::HotkeyCaption(hotkey));
}

}  // namespace

ImportPreview::ImportPreview(const std::string& exeDir, backup::Archive archive, const QString& source, QWidget* parent)
    : QDialog(parent), exeDir_(exeDir), archive_(std::move(archive))
{
    setObjectName(QStringLiteral("ImportPreview"));
    setWindowTitle(QStringLiteral("Импорт настроек"));
    DarkDialog(this, {560, 470});

    auto* layout = new QVBoxLayout(this);
    auto* from = new QLabel(QStringLiteral("<b>%1</b><br>Создан: %2. Содержит: %3.")
                                .arg(source.toHtmlEscaped(),
                                     QString::fromStdString(archive_.manifest.created).toHtmlEscaped(),
                                     ServersText(archive_.manifest.scope)),
                            this);
    from->setWordWrap(true);
    layout->addWidget(from);

    merge_ = new QRadioButton(QStringLiteral("Объединить: файлы и клавиши, которых нет в архиве, остаются"), this);
    merge_->setObjectName(QStringLiteral("MergeMode"));
    replace_ = new QRadioButton(QStringLiteral("Заменить: настройки станут в точности как в архиве"), this);
    replace_->setObjectName(QStringLiteral("ReplaceMode"));
    merge_->setChecked(true);
    layout->addWidget(merge_);
    layout->addWidget(replace_);
    connect(merge_, &QRadioButton::toggled, this, [this](bool on) { SetMode(on ? backup::Mode::Merge : backup::Mode::Replace); });

    layout->addWidget(new QLabel(QStringLiteral("Файлы:"), this));
    changes_ = new QListWidget(this);
    changes_->setObjectName(QStringLiteral("Changes"));
    layout->addWidget(changes_, 3);
    layout->addWidget(new QLabel(QStringLiteral("Клавиши:"), this));
    hotkeys_ = new QListWidget(this);
    hotkeys_->setObjectName(QStringLiteral("Hotkeys"));
    layout->addWidget(hotkeys_, 2);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    auto* buttons = new QDialogButtonBox(this);
    apply_ = buttons->addButton(QStringLiteral("Применить"), QDialogButtonBox::AcceptRole);
    apply_->setObjectName(QStringLiteral("Apply"));
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Refresh();
}

void ImportPreview::SetMode(backup::Mode mode)
{
    if (mode == mode_) return;
    mode_ = mode;
    (mode == backup::Mode::Merge ? merge_ : replace_)->setChecked(true);
    Refresh();
}

void ImportPreview::Refresh()
{
    plan_ = backup::MakePlan(exeDir_, archive_, mode_);
    changes_->clear();
    for (const backup::FileChange& c : plan_.changes) {
        const QString path = QString::fromStdString(c.path);
        switch (c.kind) {
        case backup::FileChange::Kind::Added: changes_->addItem(QStringLiteral("новый: ") + path); break;
        case backup::FileChange::Kind::Replaced: changes_->addItem(QStringLiteral("заменится: ") + path); break;
        case backup::FileChange::Kind::Removed: changes_->addItem(QStringLiteral("удалится: ") + path); break;
        }
    }
    // Holders named as the key pages and editors name them.
    const hotkeys::ConflictMap names({}, {});
    hotkeys_->clear();
    for (const backup::HotkeyChange& h : plan_.hotkeys) {
        QString who = h.server == 0 ? QString::fromStdString(h.key)
                                    : QStringLiteral("сервер %1, команда «%2»").arg(h.server).arg(QString::fromStdString(h.key));
        if (h.server == 0)
            if (const auto* holder = names.Find(hotkeys::HotkeySource::Settings, h.key)) who = QString::fromStdString(holder->name);
        hotkeys_->addItem(QStringLiteral("%1: %2 → %3").arg(who, Caption(h.before), Caption(h.after)));
    }
    summary_->setText(plan_.changes.empty() ? QStringLiteral("Настройки уже такие, как в архиве: менять нечего.")
                                            : QStringLiteral("Перед применением текущие настройки сохранятся в копию."));
    apply_->setEnabled(!plan_.changes.empty());
}

QStringList ImportPreview::Changes() const
{
    QStringList out;
    for (int i = 0; i < changes_->count(); ++i) out << changes_->item(i)->text();
    return out;
}

QStringList ImportPreview::Hotkeys() const
{
    QStringList out;
    for (int i = 0; i < hotkeys_->count(); ++i) out << hotkeys_->item(i)->text();
    return out;
}

QString ChooseSnapshot(const std::string& exeDir, QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SnapshotList"));
    dialog.setWindowTitle(QStringLiteral("Восстановить из копии"));
    DarkDialog(&dialog, {420, 360});
    auto* layout = new QVBoxLayout(&dialog);
    auto* note = new QLabel(QStringLiteral("Копия настроек делается при каждом запуске панели, если с прошлого "
                                           "запуска что-то изменилось. Хранятся 20 последних."),
                            &dialog);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* list = new QTreeWidget(&dialog);
    list->setObjectName(QStringLiteral("Snapshots"));
    list->setHeaderLabels({QStringLiteral("Дата"), QStringLiteral("Размер")});
    list->setRootIsDecorated(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (const backup::SnapshotInfo& s : backup::ListSnapshots(exeDir)) {
        auto* item = new QTreeWidgetItem({QString::fromStdString(s.created),
                                          QStringLiteral("%1 КБ").arg((s.size + 1023) / 1024)});
        item->setData(0, Qt::UserRole, QString::fromStdString(s.path));
        list->addTopLevelItem(item);
    }
    if (list->topLevelItemCount() > 0) list->setCurrentItem(list->topLevelItem(0));
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* next = buttons->addButton(QStringLiteral("Далее…"), QDialogButtonBox::AcceptRole);
    next->setEnabled(list->topLevelItemCount() > 0);
    next->setDefault(true);  // Enter goes on, as the name says
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || list->currentItem() == nullptr) return {};
    return list->currentItem()->data(0, Qt::UserRole).toString();
}
