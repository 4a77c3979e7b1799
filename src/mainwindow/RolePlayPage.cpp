#include "mainwindow/RolePlayPage.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QTextBlock>

#include "dialogs/HotkeyPicker.h"
#include "guibase/Cp1251Prompts.h"
#include "guibase/ErrorGuard.h"
#include "guibase/Prompts.h"
#include "guibase/QtText.h"
#include "hotkeys/HotkeyString.h"
#include "hotkeys/RolePlayEntries.h"
#include "session/Session.h"
#include "store/TextFile.h"
#include "widgets/ChatMarks.h"
#include "widgets/ConflictMarks.h"
#include "widgets/EditorControls.h"
#include "widgets/Label.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"
#include "widgets/Panel.h"

using hotkeys::RolePlayKind;

const QString RolePlayPage::kNoTextHere = QStringLiteral("Для этой отыгровки текст не настраивается");
const QString RolePlayPage::kNotConfigured =
    QStringLiteral("Отыгровка ранее не была настроена, введите текст отыгровки");

namespace {

const QString kNoEntry = QStringLiteral("Ошибка! Не выбрана отыгровка");
const QString kTooShort = QStringLiteral("В отыгровке должно быть более 5 символов");
const QString kCommandOnly =
    QStringLiteral("Данная отыгровка активируется исключительно командой. Настройка клавиш невозможна!");
constexpr int kScrollBarLines = 22;
const QColor kItemSelected(0x3E, 0x6F, 0xA8);

const hotkeys::RolePlayEntry& Entry(int i)
{
    return hotkeys::RolePlayEntries()[static_cast<size_t>(i)];
}

HotkeyRef HotkeyOf(const hotkeys::RolePlayEntry& e)
{
    return {hotkeys::HotkeySource::Settings, std::string(e.hotkeyKey)};
}

// Opens the entry list as a list under the box, never over the whole screen.
// Fusion under it on every platform: the Windows styles paint the closed box
// in the system's light colours, where the page's light text vanishes.
class ListPopupStyle : public QProxyStyle {
public:
    ListPopupStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Draws the entries of the list itself: fixed 16-pixel rows on the field colour.
class EntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        const bool selected = option.state & (QStyle::State_Selected | QStyle::State_MouseOver);
        painter->fillRect(option.rect, selected ? kItemSelected : look::kField);
        painter->setPen(look::kClWindow);
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
    }
};

}  // namespace

RolePlayPage::RolePlayPage(Session& session, QWidget* parent) : Page(session, QStringLiteral("Shit2"), parent)
{
    editors::AddLabel(this, "Label45", QStringLiteral("Выберите отыгровку"), 25, 5);
    Label* preview = editors::AddLink(this, "PreviewLink", QStringLiteral("Предпросмотр ▸"), 431, 5);

    entries_ = new QComboBox(this);
    entries_->setObjectName(QStringLiteral("ComboBox1"));
    entries_->setGeometry(24, 23, 406, 22);
    entries_->setEditable(false);
    entries_->setItemDelegate(new EntryDelegate(entries_));
    entries_->setMaxVisibleItems(8);
    // Styles that open the list over the whole screen ignore the row limit.
    auto* listStyle = new ListPopupStyle;
    listStyle->setParent(entries_);
    entries_->setStyle(listStyle);
    QPalette fieldPalette = entries_->palette();
    for (QPalette::ColorRole role : {QPalette::Button, QPalette::Base, QPalette::Window})
        fieldPalette.setColor(role, look::kField);
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::Text, QPalette::WindowText})
        fieldPalette.setColor(role, look::kClWindow);
    fieldPalette.setColor(QPalette::Highlight, kItemSelected);
    entries_->setPalette(fieldPalette);
    entries_->view()->setPalette(fieldPalette);
    for (const hotkeys::RolePlayEntry& e : hotkeys::RolePlayEntries()) entries_->addItem(ToQString(e.caption));
    entries_->setCurrentIndex(-1);

    auto* shape7 = new Panel(this, QStringLiteral("Shape7"));
    shape7->setGeometry(24, 50, 407, 1);
    look::SetBackground(shape7, look::kListField);
    auto* shape8 = new Panel(this, QStringLiteral("Shape8"));
    shape8->setGeometry(24, 56, 404, 279);
    look::SetBackground(shape8, look::kField);

    text_ = new Memo(this, QStringLiteral("Memo1"));
    text_->setGeometry(28, 56, 402, 278);
    text_->setFrameShape(QFrame::NoFrame);
    text_->SetColors(look::kField, look::kClWindow);
    text_->SetWordWrap(true);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->SetText(QStringLiteral("Выберите отыгровку выше"));
    BuildMemoMenu();
    marks_ = new ChatMarks(text_, editors::AddLineStatus(this, "Memo1Status", {230, 338, 200, 14}));
    UpdateScrollBar();

    Label* label41 = editors::AddLabel(this, "Label41", QStringLiteral("Клавиша:"), 25, 357);
    keyLabel_ = editors::AddLabel(this, "Label46", QStringLiteral("Пока не сделал, жми сюда ------>"), 77, 357);
    keyLabel_->setCursor(Qt::PointingHandCursor);

    Label* image1 = AddKeyButton(this, QStringLiteral("Image1"), {248, 354, 43, 21});

    auto* button1 = new QPushButton(QStringLiteral("Сохранить отыгровку"), this);
    button1->setObjectName(QStringLiteral("Button1"));
    button1->setGeometry(307, 353, 122, 25);

    connect(entries_, &QComboBox::currentIndexChanged, this,
            [this] { Guarded(this, [this] { ChooseEntry(); }); });
    connect(button1, &QPushButton::clicked, this, [this] { Guarded(this, [this] { SaveText(); }); });
    connect(text_, &QPlainTextEdit::textChanged, this, [this] { UpdateScrollBar(); });
    connect(image1, &Label::MouseDown, this, [this] { Guarded(this, [this] { EditHotkey(); }); });
    connect(label41, &Label::Click, this, [this] { Guarded(this, [this] { EditHotkey(); }); });
    connect(keyLabel_, &Label::Click, this, [this] { Guarded(this, [this] { EditHotkey(); }); });
    connect(preview, &Label::MouseDown, this, [this] { emit previewRequested(text_); });
    connect(&session_, &Session::hotkeysChanged, this, [this] { MarkConflicts(session_.Conflicts()); });
    // The files changed underneath (an import): the chosen entry is read anew.
    connect(&session_, &Session::setupReplaced, this, [this] {
        Guarded(this, [this] {
            Opened();
            Reload();
        });
    });
    rolePlayFolder_ = session_.RolePlayFolder();
}

void RolePlayPage::BuildMemoMenu()
{
    // The menu offers the binder's macros and variables by name. An item with
    // a variable inserts it at the cursor; those whose work comes with the law
    // books insert nothing yet.
    insertMenu_ = new QMenu(this);
    insertMenu_->setObjectName(QStringLiteral("Memo2Menu"));
    insertMenu_->setFont(look::SegoeUi(12));
    const auto item = [](QMenu* menu, const char* name, const char* text) {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    const auto inserting = [&](QMenu* menu, const char* name, const char* text, const char* variable) {
        connect(item(menu, name, text), &QAction::triggered, this,
                [this, variable] { InsertAtCursor(QString::fromUtf8(variable), false); });
    };
    const auto submenu = [](QMenu* menu, const char* name, const char* text) {
        QMenu* sub = menu->addMenu(QString::fromUtf8(text));
        sub->setObjectName(QString::fromLatin1(name));
        sub->setFont(menu->font());
        sub->menuAction()->setObjectName(QString::fromLatin1(name));
        return sub;
    };
    QMenu* d2 = submenu(insertMenu_, "D2", "Вставить Макрос");
    item(d2, "N4", "Вести за собой");
    item(d2, "N5", "Выписать штраф по Ак");
    item(d2, "N6", "Выписать штраф по ПДД");
    item(d2, "J1", "Отыграть оружие");
    connect(item(d2, "N7", "Сделать скриншот"), &QAction::triggered, this,
            [this] { InsertAtCursor(QStringLiteral("{скриншот}"), true); });
    item(d2, "N8", "Одеть наручники");
    item(d2, "N9", "Создать диалоговое окно");
    connect(item(d2, "N10", "Создать диалоговое окно с вводом текста"), &QAction::triggered, this,
            [this] { Guarded(this, [this] { InsertQuestion(); }); });
    QMenu* n2 = submenu(insertMenu_, "N2", "Вставить Переменную");
    QMenu* n11 = submenu(n2, "N11", "Данные игрока");
    inserting(n11, "N12", "Вставить ваш ник", "{ник}");
    inserting(n11, "N13", "Вставить ваш ид", "{ид}");
    inserting(n11, "N14", "Вставить ваш ранг", "{ранг}");
    inserting(n11, "N15", "Вставить ваше звание", "{звание}");
    inserting(n11, "N16", "Вставить ваш департамент", "{департамент}");
    inserting(n11, "N17", "Вставить тег", "{тег}");
    inserting(n11, "N18", "Вставить ", "{доптег}");
    QMenu* n19 = submenu(n2, "N19", "Остальные переменные");
    inserting(n19, "N20", "Местоположение", "{место}");
    item(n19, "N21", "Пояснение статьи (УК/АК)");
    item(n19, "N22", "Сумма штрафа");
    item(insertMenu_, "N3", "Вставить тип строки");
    text_->SetPopupMenu(insertMenu_);
}

void RolePlayPage::InsertAtCursor(const QString& text, bool ownLine)
{
    QTextCursor cursor = text_->textCursor();
    cursor.beginEditBlock();  // one undo step, the line breaks included
    cursor.removeSelectedText();
    QString inserted = text;
    if (ownLine) {
        const QString line = cursor.block().text();
        const int at = cursor.positionInBlock();
        if (at > 0) inserted.prepend(u'\n');
        if (at < line.size()) inserted.append(u'\n');
    }
    cursor.insertText(inserted);
    cursor.endEditBlock();
    text_->setTextCursor(cursor);
}

void RolePlayPage::InsertQuestion()
{
    const prompts::InputResult question =
        prompts::InputBox(this, QStringLiteral("Диалоговое окно с вводом текста"),
                          QStringLiteral("Текст вопроса (ответ подставится в {ввод}):"), QString());
    const QString asked = question.text.trimmed();
    if (!question.accepted || asked.isEmpty()) return;
    // A brace would end the variable early: the rest would be typed as text.
    if (asked.contains(u'{') || asked.contains(u'}')) {
        prompts::Message(this, QStringLiteral("В вопросе не может быть фигурных скобок"));
        return;
    }
    InsertAtCursor(QStringLiteral("{спросить %1}").arg(asked), true);
}

QString RolePlayPage::EntryPath(int entry) const
{
    return ToQString(rolePlayFolder_) + ToQString(Entry(entry).fileName);
}

void RolePlayPage::ChooseEntry()
{
    const int i = entries_->currentIndex();
    if (i < 0 || i == entry_) return;
    const hotkeys::RolePlayEntry& e = Entry(i);

    if (e.kind == RolePlayKind::NoFile) {
        entry_ = i;
        currentFile_.clear();
        keyLabel_->setText(QStringLiteral("None"));
        MarkConflicts(session_.Conflicts());
        text_->SetText(kNoTextHere);
        return;
    }

    // Read before anything changes: an unreadable file leaves the editor on
    // the entry it showed, so a later Save cannot write into the wrong file.
    std::optional<std::string> text;
    try {
        text = store::ReadTextFile(EntryPath(i).toStdString());
    } catch (...) {
        const QSignalBlocker block(entries_);
        entries_->setCurrentIndex(entry_);
        throw;
    }

    entry_ = i;
    currentFile_ = ToQString(e.fileName);
    if (e.kind == RolePlayKind::Hotkey) {
        const std::string value = session_.StoredHotkey(HotkeyOf(e), e.defaultHotkey);
        keyLabel_->setText(QString::fromStdString(hotkeys::HotkeyCaption(value)));
    } else {
        keyLabel_->setText(ToQString(e.activationNote));
    }
    MarkConflicts(session_.Conflicts());
    marks_->SetNick(session_.Nick());
    text_->SetText(text ? QString::fromStdString(*text) : kNotConfigured);
}

void RolePlayPage::Opened()
{
    rolePlayFolder_ = session_.RolePlayFolder();
}

void RolePlayPage::Reload()
{
    if (entry_ < 0) return;
    entry_ = -1;
    ChooseEntry();
}

void RolePlayPage::SelectEntry(int entry, int line, const QString& what)
{
    entries_->setCurrentIndex(entry);
    if (entry_ == entry && line >= 0) text_->SelectInLine(line, what);
}

void RolePlayPage::showEvent(QShowEvent* event)
{
    Page::showEvent(event);
    marks_->SetNick(session_.Nick());  // it may have changed on the home page
}

void RolePlayPage::MarkConflicts(const hotkeys::ConflictMap& map)
{
    const hotkeys::HotkeyHolder* holder = nullptr;
    if (entry_ >= 0 && Entry(entry_).kind == RolePlayKind::Hotkey)
        holder = map.Find(hotkeys::HotkeySource::Settings, Entry(entry_).hotkeyKey);
    conflicts::Mark(keyLabel_, conflicts::Describe(map, holder), look::kClWindow);
}

void RolePlayPage::SaveText()
{
    if (entries_->currentText().isEmpty()) {
        prompts::Error(this, kNoEntry);
        return;
    }
    if (Entry(entry_).kind == RolePlayKind::NoFile) {
        prompts::Message(this, kNoTextHere);
        return;
    }
    const QString text = text_->Text();
    if (text.size() <= 5 || text == kNotConfigured) {
        prompts::Message(this, kTooShort);
        return;
    }
    if (!prompts::ConfirmCp1251(this, text)) return;
    store::WriteTextFile(EntryPath(entry_).toStdString(), text.toStdString());
    prompts::Message(this, QStringLiteral("Saved"));
}

void RolePlayPage::UpdateScrollBar()
{
    const bool bar = text_->DisplayedLines(kScrollBarLines) >= kScrollBarLines;
    text_->setVerticalScrollBarPolicy(bar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void RolePlayPage::EditHotkey()
{
    if (entry_ < 0) {
        prompts::Error(this, kNoEntry);
        return;
    }
    const hotkeys::RolePlayEntry& e = Entry(entry_);
    if (e.kind == RolePlayKind::NoFile) {
        prompts::Error(this, kNoTextHere);
        return;
    }
    if (e.kind == RolePlayKind::CommandOnly) {
        prompts::Beep();
        prompts::Error(this, kCommandOnly);
        return;
    }
    // The stored value now, cut as the binder always cut it.
    const QString current = ToQString(session_.StoredHotkey(HotkeyOf(e), e.defaultHotkey)).left(30);
    if (const auto stored = picker_->Pick(HotkeyOf(e), current))
        keyLabel_->setText(QString::fromStdString(hotkeys::HotkeyCaption(*stored)));
}
