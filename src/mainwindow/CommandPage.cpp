#include "mainwindow/CommandPage.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/HotkeyPicker.h"
#include "dialogs/LargeTextEditor.h"
#include "guibase/Cp1251Prompts.h"
#include "guibase/ErrorGuard.h"
#include "guibase/Prompts.h"
#include "guibase/QtText.h"
#include "hotkeys/HotkeyString.h"
#include "session/Session.h"
#include "store/FileNames.h"
#include "store/Files.h"
#include "store/TextFile.h"
#include "widgets/ChatMarks.h"
#include "widgets/ConflictMarks.h"
#include "widgets/EditorControls.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"

namespace {

const QString kExtension = QStringLiteral(".lcb");
const QString kBadName = QStringLiteral("Недопустимое название команды");
const QColor kKeyColor(0xF0, 0xCA, 0xA6);

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, int x)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, 354, 75, 25);
    return button;
}

}  // namespace

CommandPage::CommandPage(Session& session, QWidget* parent) : Page(session, QStringLiteral("Shit3"), parent)
{
    editors::AddLabel(this, "Label40", QStringLiteral("Список комманд:"), 7, 6, look::kClInfoBk, true);
    editors::AddLabel(this, "Label47", QStringLiteral("Текст отыгровки"), 161, 6, look::kClWindow, true);
    // Beside the caption, clear of the long-line status at the right.
    Label* preview = editors::AddLink(this, "PreviewLink", QStringLiteral("Предпросмотр ▸"), 340, 6);

    commandList_ = new ListBox(this, QStringLiteral("RComand"), 16);
    commandList_->setGeometry(8, 24, 145, 320);
    QPalette listPalette = commandList_->palette();
    listPalette.setColor(QPalette::Base, look::kListField);
    listPalette.setColor(QPalette::Text, look::kClWindow);
    commandList_->setPalette(listPalette);

    text_ = new Memo(this, QStringLiteral("Memo2"));
    text_->setGeometry(155, 24, 296, 320);
    text_->SetColors(look::kListField, look::kClWindow);
    text_->SetWordWrap(true);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->SetText(QStringLiteral("Memo2"));
    marks_ = new ChatMarks(text_, editors::AddLineStatus(this, "Memo2Status", {300, 6, 151, 14}));

    editors::AddLabel(this, "Label48", QStringLiteral("Клавиша:"), 8, 360, kKeyColor, true);
    keyLabel_ = editors::AddLabel(this, "Label49", QString(), 66, 361, kKeyColor, true);

    Label* image6 = AddKeyButton(this, QStringLiteral("Image6"), {168, 357, 43, 21});

    QPushButton* button2 = AddButton(this, "Button2", QStringLiteral("Удалить"), 220);
    QPushButton* button3 = AddButton(this, "Button3", QStringLiteral("Создать"), 298);
    QPushButton* button4 = AddButton(this, "Button4", QStringLiteral("Сохранить"), 376);

    connect(commandList_, &QListWidget::itemSelectionChanged, this,
            [this] { Guarded(this, [this] { ShowSelected(); }); });
    connect(button2, &QPushButton::clicked, this, [this] { Guarded(this, [this] { DeleteCommand(); }); });
    connect(button3, &QPushButton::clicked, this, [this] { Guarded(this, [this] { CreateCommand(); }); });
    connect(button4, &QPushButton::clicked, this, [this] { Guarded(this, [this] { SaveCommand(); }); });
    connect(image6, &Label::MouseDown, this, [this] { Guarded(this, [this] { EditHotkey(); }); });
    connect(text_, &Memo::DblClick, this, [this] { Guarded(this, [this] { EditInLargeEditor(); }); });
    connect(preview, &Label::MouseDown, this, [this] { emit previewRequested(text_); });
    connect(&session_, &Session::hotkeysChanged, this, [this] { MarkConflicts(session_.Conflicts()); });
    // The files changed underneath (an import): the list is read anew.
    connect(&session_, &Session::setupReplaced, this,
            [this] { Guarded(this, [this] { Reload(ToQString(session_.CommandsFolder())); }); });
}

void CommandPage::UseDialogs(HotkeyPicker* picker, LargeTextEditor* largeText)
{
    picker_ = picker;
    largeText_ = largeText;
}

QString CommandPage::CommandName(const QString& fileName)
{
    const qsizetype at = fileName.indexOf(kExtension, 0, Qt::CaseSensitive);
    return at < 0 ? fileName : fileName.left(at);
}

bool CommandPage::IsValidCommandName(const QString& name)
{
    // ";" and "[" open comment and section lines of keycomand.ini, "=" splits
    // its key lines.
    return store::IsPlainFileName(name.toStdString()) && !name.startsWith(u';') && !name.startsWith(u'[') &&
           !name.contains(u'=');
}

void CommandPage::PointAt(const QString& folder)
{
    store::RequireFolder(folder.toStdString());
    if (folder == folder_) return;
    folder_ = folder;
    ReadList();
}

void CommandPage::Opened()
{
    PointAt(ToQString(session_.CommandsFolder()));
}

void CommandPage::Reload(const QString& folder)
{
    folder_ = folder;
    text_->SetText(QString());
    keyLabel_->clear();
    lastRow_ = -1;
    if (store::FolderExists(folder.toStdString())) ReadList();
    else commandList_->clear();
}

QStringList CommandPage::CommandFiles(const QString& folder)
{
    // Hidden files are left out, among them the temp files of atomic writes.
    return QDir(folder).entryList({QStringLiteral("*") + kExtension + QStringLiteral("*")}, QDir::Files,
                                  QDir::Name | QDir::IgnoreCase);
}

void CommandPage::ReadList()
{
    store::RequireFolder(folder_.toStdString());
    const QStringList names = CommandFiles(folder_);
    const QSignalBlocker block(commandList_);
    commandList_->clear();
    commandList_->addItems(names);
    commandList_->setCurrentRow(-1, QItemSelectionModel::Clear);
    lastRow_ = -1;
}

int CommandPage::SelectedRow() const
{
    const QList<QListWidgetItem*> selected = commandList_->selectedItems();
    return selected.isEmpty() ? -1 : commandList_->row(selected.front());
}

QString CommandPage::PathOf(const QString& fileName) const
{
    return folder_ + QChar::fromLatin1(store::PathSeparator()) + fileName;
}

QString CommandPage::AskName(const QString& caption)
{
    const prompts::InputResult answer =
        prompts::InputBox(this, caption, QStringLiteral("Название команды:"), QString());
    if (!answer.accepted) return {};
    if (!IsValidCommandName(answer.text)) {
        prompts::Message(this, kBadName);
        return {};
    }
    return answer.text;
}

void CommandPage::ShowSelected()
{
    const int row = SelectedRow();
    if (row == lastRow_) return;
    if (row < 0) {
        lastRow_ = -1;
        return;
    }
    const QString path = PathOf(commandList_->item(row)->text());
    std::optional<std::string> text;
    try {
        text = store::ReadTextFile(path.toStdString());
        if (!text) {
            throw store::FileError(store::FileError::Action::Open, path.toStdString(),
                                   "The system cannot find the file specified.");
        }
    } catch (...) {
        // Stay on the command shown before, so Save cannot write its text
        // into the file that failed.
        const QSignalBlocker block(commandList_);
        if (lastRow_ >= 0) commandList_->setCurrentRow(lastRow_, QItemSelectionModel::ClearAndSelect);
        else commandList_->setCurrentRow(-1, QItemSelectionModel::Clear);
        throw;
    }
    lastRow_ = row;
    marks_->SetNick(session_.Nick());
    text_->SetText(QString::fromStdString(*text));

    const std::string value = StoredHotkey(CommandName(commandList_->item(row)->text()));
    keyLabel_->setText(QString::fromStdString(hotkeys::HotkeyCaption(value)));
    MarkConflicts(session_.Conflicts());
}

void CommandPage::MarkConflicts(const hotkeys::ConflictMap& map)
{
    const hotkeys::HotkeyHolder* holder = nullptr;
    if (lastRow_ >= 0 && lastRow_ < commandList_->count())
        holder = map.Find(hotkeys::HotkeySource::Commands, CommandName(commandList_->item(lastRow_)->text()).toStdString());
    conflicts::Mark(keyLabel_, conflicts::Describe(map, holder), kKeyColor);
}

void CommandPage::CreateCommand()
{
    const QString name = AskName(QStringLiteral("Создать комманду"));
    if (name.isEmpty()) return;
    const std::string path = PathOf(name + kExtension).toStdString();
    if (store::FileExists(path)) {
        prompts::Message(this, QStringLiteral("Такая комманда уже существует"));
        return;
    }
    store::CreateEmptyFile(path);
    ReadList();
}

void CommandPage::SaveCommand()
{
    const int row = SelectedRow();
    const QString text = text_->Text();
    if (row >= 0) {
        if (prompts::ConfirmCp1251(this, text))
            store::WriteTextFile(PathOf(commandList_->item(row)->text()).toStdString(), text.toStdString());
        return;
    }
    const QString name = AskName(QStringLiteral("Не выбрана команда"));
    if (name.isEmpty() || !prompts::ConfirmCp1251(this, text)) return;
    store::WriteTextFile(PathOf(name + kExtension).toStdString(), text_->Text().toStdString());
    ReadList();
}

void CommandPage::SelectCommand(const QString& fileName, int line, const QString& what)
{
    const QList<QListWidgetItem*> found = commandList_->findItems(fileName, Qt::MatchExactly);
    if (found.isEmpty()) return;
    commandList_->setCurrentItem(found.front(), QItemSelectionModel::ClearAndSelect);
    commandList_->scrollToItem(found.front());
    if (lastRow_ == commandList_->row(found.front()) && line >= 0) text_->SelectInLine(line, what);
}

void CommandPage::SelectCommandNamed(const QString& name)
{
    for (int row = 0; row < commandList_->count(); ++row) {
        if (CommandName(commandList_->item(row)->text()).compare(name, Qt::CaseInsensitive) == 0) {
            SelectCommand(commandList_->item(row)->text(), -1, {});
            return;
        }
    }
}

void CommandPage::showEvent(QShowEvent* event)
{
    Page::showEvent(event);
    marks_->SetNick(session_.Nick());  // it may have changed on the home page
}

void CommandPage::DeleteCommand()
{
    const int row = SelectedRow();
    if (row >= 0) {
        const std::string path = PathOf(commandList_->item(row)->text()).toStdString();
        // Already gone is as good as deleted.
        if (store::FileExists(path)) store::DeleteTextFile(path);
    }
    ReadList();
}

void CommandPage::EditHotkey()
{
    const int row = SelectedRow();
    if (row < 0) {
        prompts::Message(this, QStringLiteral("Для назначения клавиши вначале выберите команду"));
        return;
    }
    const QString name = CommandName(commandList_->item(row)->text());
    // A file put there by hand may bear a name no key line can hold.
    if (!IsValidCommandName(name)) {
        prompts::Message(this, kBadName);
        return;
    }
    // The stored value now, cut as the binder always cut it.
    const QString current = ToQString(StoredHotkey(name)).left(30);
    if (const auto stored = picker_->Pick({hotkeys::HotkeySource::Commands, name.toStdString()}, current))
        keyLabel_->setText(QString::fromStdString(hotkeys::HotkeyCaption(*stored)));
}

std::string CommandPage::StoredHotkey(const QString& name)
{
    // Before the first show no server is chosen and no key file is open yet.
    if (!session_.KeyFileOpen()) return {};
    return session_.StoredHotkey({hotkeys::HotkeySource::Commands, name.toStdString()}, "");
}

void CommandPage::EditInLargeEditor()
{
    const QString before = text_->Text();
    if (const std::optional<QString> edited = largeText_->Edit(before, session_.Nick()); edited && *edited != before)
        text_->SetText(*edited);
}
