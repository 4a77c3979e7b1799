#include "dialogs/KeyboardMapDialog.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>

#include "guibase/ErrorGuard.h"
#include "guibase/Prompts.h"
#include "guibase/QtText.h"
#include "session/Session.h"
#include "widgets/Keyboard.h"
#include "widgets/KeyboardMapView.h"
#include "widgets/Look.h"

namespace {

constexpr int kRowHeight = 26;
constexpr int kMargin = 6;

}  // namespace

KeyboardMapDialog::KeyboardMapDialog(Session& session, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      session_(session),
      view_(new KeyboardMapView(this)),
      filterRow_(new QWidget(this)),
      filterGroup_(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("KeyboardMapDialog"));
    setWindowTitle(QStringLiteral("Карта клавиш"));
    look::SetBackground(this, look::kWindow);
    setFont(look::SegoeUi(12));

    filterRow_->setObjectName(QStringLiteral("MapFilters"));
    filterRow_->setGeometry(kMargin, kMargin, keyboard::kPictureSize.width() - 2 * kMargin - 160, kRowHeight);
    connect(filterGroup_, &QButtonGroup::idClicked, this, &KeyboardMapDialog::ChooseFilter);

    auto* save = new QPushButton(QStringLiteral("Сохранить картинку…"), this);
    save->setObjectName(QStringLiteral("SaveMapPicture"));
    save->setGeometry(keyboard::kPictureSize.width() - kMargin - 150, kMargin, 150, kRowHeight);
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, [this] { Guarded(this, [this] { SavePictureAs(); }); });

    view_->ShowLegend(true);
    view_->move(0, kRowHeight + 2 * kMargin);
    connect(view_, &KeyboardMapView::keyClicked, this, &KeyboardMapDialog::ClickKey);
    setFixedSize(view_->width(), view_->y() + view_->height());

    // One conflict map, read again whenever the hotkeys or the server change.
    connect(&session_, &Session::hotkeysChanged, this, &KeyboardMapDialog::Rebuild);
    connect(&session_, &Session::serverChanged, this, &KeyboardMapDialog::Rebuild);
    Rebuild();
}

void KeyboardMapDialog::BuildFilterButtons()
{
    for (QAbstractButton* b : filterGroup_->buttons()) {
        filterGroup_->removeButton(b);
        delete b;
    }
    for (int i = 0; i < int(filters_.size()); ++i) {
        const QString caption = i == 0 ? QStringLiteral("Все") : ToQString(filters_[size_t(i)].Caption());
        auto* b = new QPushButton(caption, filterRow_);
        b->setCheckable(true);
        b->setAutoDefault(false);
        b->setChecked(i == filter_);
        b->setMinimumWidth(44);
        filterGroup_->addButton(b, i);
        filterRow_->layout()->addWidget(b);
    }
    static_cast<QHBoxLayout*>(filterRow_->layout())->addStretch();
}

void KeyboardMapDialog::Rebuild()
{
    conflicts_ = session_.Conflicts();
    std::vector<hotkeys::KeyFilter> offered{hotkeys::KeyFilter()};
    for (hotkeys::KeyFilter& f : hotkeys::OfferedFilters(*conflicts_)) offered.push_back(std::move(f));
    if (offered != filters_) {
        // Keep the chosen filter while it is still offered.
        const hotkeys::KeyFilter chosen = filter_ < int(filters_.size()) ? filters_[size_t(filter_)] : hotkeys::KeyFilter();
        filters_ = std::move(offered);
        const auto at = std::find(filters_.begin(), filters_.end(), chosen);
        filter_ = at == filters_.end() ? 0 : int(at - filters_.begin());
        // A fresh row: the old layout holds the old stretch.
        delete filterRow_->layout();
        auto* row = new QHBoxLayout(filterRow_);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(4);
        BuildFilterButtons();
    }
    view_->SetMap(hotkeys::KeyboardMap(*conflicts_, filters_[size_t(filter_)]));
}

QStringList KeyboardMapDialog::Filters() const
{
    QStringList captions;
    for (QAbstractButton* b : filterGroup_->buttons()) captions << b->text();
    return captions;
}

void KeyboardMapDialog::ChooseFilter(int index)
{
    if (index < 0 || index >= int(filters_.size())) return;
    filter_ = index;
    if (QAbstractButton* b = filterGroup_->button(index)) b->setChecked(true);
    view_->SetMap(hotkeys::KeyboardMap(*conflicts_, filters_[size_t(index)]));
}

void KeyboardMapDialog::ClickKey(const QString& token)
{
    const hotkeys::MapKey* key = view_->Map().Find(token.toStdString());
    if (key == nullptr || key->holders.empty()) return;
    if (key->holders.size() == 1) {
        emit holderChosen(key->holders.front());
        return;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("MapHolders"));
    for (const hotkeys::KeyHolder& h : key->holders)
        menu.addAction(QStringLiteral("%1 — %2").arg(ToQString(h.combination), ToQString(h.name)));
    const QAction* chosen = menu.exec(QCursor::pos());
    if (chosen == nullptr) return;
    emit holderChosen(key->holders[size_t(menu.actions().indexOf(const_cast<QAction*>(chosen)))]);
}

bool KeyboardMapDialog::SavePicture(const QString& path) const
{
    return view_->Printable().save(path, "PNG");
}

void KeyboardMapDialog::SavePictureAs()
{
    const QString path = prompts::SaveFileName(this, QStringLiteral("Сохранить картинку"), QStringLiteral("карта-клавиш.png"),
                                               QStringLiteral("Картинка PNG (*.png)"));
    if (path.isEmpty()) return;
    if (!SavePicture(path)) prompts::Error(this, QStringLiteral("Не удалось записать ") + path);
}
