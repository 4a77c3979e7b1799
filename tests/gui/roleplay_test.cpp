// The role-play text editor: choosing entries, saving their texts, the key
// button's hand-over to the picker and the memo's scroll-bar rule.

#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <filesystem>

#include "EditorTestSupport.h"
#include "mainwindow/RolePlayPage.h"
#include "GuiTestSupport.h"
#include "store/Cp1251.h"
#include "widgets/Memo.h"

namespace {

using editortest::Press;
using editortest::WithModal;
using prompts::Kind;
namespace fs = std::filesystem;

const QString kNotConfigured = QStringLiteral("Отыгровка ранее не была настроена, введите текст отыгровки");
const QString kNoTextHere = QStringLiteral("Для этой отыгровки текст не настраивается");
const QString kNoEntry = QStringLiteral("Ошибка! Не выбрана отыгровка");
const QString kTooShort = QStringLiteral("В отыгровке должно быть более 5 символов");

class RolePlay : public guitest::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        FinishSplash();
        OpenPage();
        prompts::StartRecording();
        combo_ = Find<QComboBox>(QStringLiteral("ComboBox1"));
        memo_ = Find<Memo>(QStringLiteral("Memo1"));
    }

    void OpenPage()
    {
        Main().OpenPage(MenuItem::RolePlay);
    }
    void Choose(int entry) { combo_->setCurrentIndex(entry); }
    void Save() { Find<QPushButton>(QStringLiteral("Button1"))->click(); }
    std::string RpFile(const std::string& name, int server = 1) { return folder_.RolePlayFolder(server) + name; }
    void WriteRp(const std::string& name, const std::string& utf8, int server = 1)
    {
        testsupport::WriteBytes(RpFile(name, server), store::Utf8ToCp1251(utf8));
    }
    void SetHotkey(const char* key, const char* value) { S().Settings().WriteString("hotkeys", key, value); }
    // Files of the role-play folder, commands folder aside.
    int FilesIn(int server)
    {
        int n = 0;
        for (const auto& e : fs::directory_iterator(testsupport::U8Path(folder_.RolePlayFolder(server))))
            n += e.is_regular_file() ? 1 : 0;
        return n;
    }
    // Presses a key control; `inPicker` runs in the picker it opens.
    QWidget* PressKeyButton(const char* control = "Image1", Qt::MouseButton button = Qt::LeftButton,
                            const std::function<void(HotkeyPicker&)>& inPicker = {})
    {
        QWidget* w = Find<QWidget>(QString::fromLatin1(control));
        return WithModal([&] { Press(w, button); },
                         [&](QWidget* modal) {
                             if (auto* picker = qobject_cast<HotkeyPicker*>(modal); picker && inPicker) inPicker(*picker);
                         });
    }

    QComboBox* combo_ = nullptr;
    Memo* memo_ = nullptr;
};

TEST_F(RolePlay, StartsWithNoEntryAndRefusesSaveAndKeyButton)
{
    EXPECT_EQ(combo_->count(), 28);
    EXPECT_EQ(combo_->currentText(), "");
    EXPECT_EQ(memo_->Text(), "Выберите отыгровку выше");
    EXPECT_EQ(Text("Label46"), "Пока не сделал, жми сюда ------>");
    EXPECT_EQ(Main().RolePlay()->CurrentFile(), "");
    const QModelIndex first = combo_->model()->index(0, 0);
    EXPECT_EQ(combo_->itemDelegate()->sizeHint(QStyleOptionViewItem(), first).height(), 16);

    memo_->SetText(QStringLiteral("Текст, набранный до выбора"));
    Save();
    EXPECT_EQ(PressKeyButton(), nullptr);
    EXPECT_EQ(Errors(), QStringList({kNoEntry, kNoEntry}));
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(FilesIn(1), 0);
}

struct LengthCase {
    const char* name;
    const char* text;  // memo text, "\n" between lines
    bool saved;
};

const LengthCase kLengthCases[] = {
    {"five characters", "12345", false},
    {"six characters", "123456", true},
    {"five Cyrillic", "абвгд", false},
    {"six Cyrillic", "абвгде", true},
    {"two lines of two count six", "ab\ncd", true},
    {"a break counts two", "ab\nc", false},
    {"blanks count", "     x", true},
    {"empty", "", false},
    {"the not-configured text", "Отыгровка ранее не была настроена, введите текст отыгровки", false},
};

TEST_F(RolePlay, SavesOnlyTextsLongerThanFiveCharactersCountingBreaksAsTwo)
{
    Choose(0);
    ASSERT_EQ(memo_->Text(), kNotConfigured);
    for (const LengthCase& c : kLengthCases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(testsupport::U8Path(RpFile("штраф.txt")));
        prompts::StartRecording();
        memo_->SetText(QString::fromUtf8(c.text));
        Save();
        if (c.saved) {
            EXPECT_EQ(Messages(), QStringList({"Saved"}));
            QString crlf = QString::fromUtf8(c.text);
            crlf.replace(u'\n', QStringLiteral("\r\n"));
            EXPECT_EQ(testsupport::ReadBytes(RpFile("штраф.txt")), store::Utf8ToCp1251(crlf.toStdString()));
        } else {
            EXPECT_EQ(Messages(), QStringList({kTooShort}));
            EXPECT_FALSE(testsupport::Exists(RpFile("штраф.txt")));
        }
        EXPECT_TRUE(Errors().isEmpty());
    }
}

TEST_F(RolePlay, MissingFileShowsTheNotConfiguredTextAndCreatesNothing)
{
    Choose(0);
    EXPECT_EQ(memo_->Text(), kNotConfigured);
    EXPECT_EQ(Main().RolePlay()->CurrentFile(), "штраф.txt");
    EXPECT_EQ(Text("Label46"), "F2");
    EXPECT_EQ(FilesIn(1), 0);
    EXPECT_TRUE(prompts::Recorded().isEmpty());
}

TEST_F(RolePlay, LoneLineBreaksAreShownAsLinesAndSavedAsCrLf)
{
    WriteRp("миранда.txt", "/me первая\nвторая\rтретья");
    Choose(5);
    EXPECT_EQ(memo_->blockCount(), 3);
    EXPECT_EQ(memo_->Text(), "/me первая\r\nвторая\r\nтретья");
    Save();
    EXPECT_EQ(testsupport::ReadBytes(RpFile("миранда.txt")),
              store::Utf8ToCp1251("/me первая\r\nвторая\r\nтретья"))
        << "ends where the memo's text ends";
}

TEST_F(RolePlay, NoBreakSpaceAndOtherBytesSurviveLoadAndSave)
{
    const std::string bytes = "a\xA0" "b\t\xB9 \x96 \xE0\xFF\r\n\r\n";
    testsupport::WriteBytes(RpFile("su.txt"), bytes);
    Choose(9);
    Save();
    EXPECT_EQ(testsupport::ReadBytes(RpFile("su.txt")), bytes);
}

TEST_F(RolePlay, EntriesThatShareAKeySeeOneStoredHotkey)
{
    struct Step {
        const char* key;
        const char* stored;  // nullptr: absent
        std::vector<int> entries;
        const char* caption;
    };
    const Step steps[] = {
        {"key3", nullptr, {3, 4, 13}, "F3"},
        {"key3", "VK12 & VK31", {3, 4, 13}, "Alt+1"},
        {"key3", " ", {4, 13, 3}, "None"},  // the profile read trims the blank
        {"key8", nullptr, {16, 21}, "F11"},
        {"key8", "VK74", {21, 16}, "F5"},
        {"key65", nullptr, {15}, "None"},
        {"key17", nullptr, {6}, "Alt+7"},
        {"key19", nullptr, {12}, "Alt+7"},
    };
    for (const Step& s : steps) {
        if (s.stored) SetHotkey(s.key, s.stored);
        for (int entry : s.entries) {
            SCOPED_TRACE(std::string(s.key) + " entry " + std::to_string(entry));
            Choose(27);  // away, so choosing the entry is a change
            Choose(entry);
            EXPECT_EQ(Text("Label46"), s.caption);
        }
    }
}

TEST_F(RolePlay, KeyButtonHandsTheStoredHotkeyToThePicker)
{
    Choose(11);
    SetHotkey("key36", "VK12 & VK41");  // changed since the choice, as by the picker
    for (const auto& [control, button] : {std::pair{"Image1", Qt::RightButton}, std::pair{"Label41", Qt::LeftButton},
                                          std::pair{"Label46", Qt::LeftButton}}) {
        SCOPED_TRACE(control);
        QStringList marked;
        EXPECT_EQ(PressKeyButton(control, button, [&](HotkeyPicker& p) { marked = p.Selection(); }),
                  Dialog<HotkeyPicker>());
        EXPECT_EQ(marked, QStringList({"VK12", "VK41"}));
    }
    // What the picker stores is what the entry shows and what its key is.
    PressKeyButton("Image1", Qt::LeftButton, [](HotkeyPicker& p) {
        p.ClearKeyboard();
        p.ToggleKey(p.Shape(QStringLiteral("VK13")));
        p.SaveCombination();
    });
    EXPECT_EQ(Text("Label46"), "Pause");
    EXPECT_EQ(S().Settings().ReadString("hotkeys", "key36", ""), "VK13");
    EXPECT_TRUE(prompts::Recorded().isEmpty());
}

TEST_F(RolePlay, CommandOnlyEntryRefusesTheKeyButtonButSavesItsText)
{
    Choose(18);
    EXPECT_EQ(Text("Label46"), "Активируется коммандой /алк");
    EXPECT_EQ(PressKeyButton(), nullptr);
    ASSERT_EQ(prompts::Recorded().size(), 2);
    EXPECT_EQ(prompts::Recorded()[0].kind, Kind::Beep);
    EXPECT_EQ(prompts::Recorded()[1].kind, Kind::Error);
    EXPECT_EQ(prompts::Recorded()[1].text,
              "Данная отыгровка активируется исключительно командой. Настройка клавиш невозможна!");

    memo_->SetText(QStringLiteral("/me достал алкотестер"));
    Save();
    EXPECT_EQ(testsupport::ReadBytes(RpFile("алкотестер.txt")), store::Utf8ToCp1251("/me достал алкотестер"));
}

TEST_F(RolePlay, EntriesWithoutTextRefuseSaveAndKeyButton)
{
    Choose(0);
    for (int entry : {24, 25, 26, 27}) {
        SCOPED_TRACE(entry);
        prompts::StartRecording();
        Choose(entry);
        EXPECT_EQ(memo_->Text(), kNoTextHere);
        EXPECT_EQ(Main().RolePlay()->CurrentFile(), "");
        EXPECT_EQ(Text("Label46"), "None");
        memo_->SetText(QStringLiteral("Какой-то длинный текст"));
        Save();
        EXPECT_EQ(PressKeyButton(), nullptr);
        EXPECT_EQ(Messages(), QStringList({kNoTextHere}));
        EXPECT_EQ(Errors(), QStringList({kNoTextHere}));
    }
    EXPECT_EQ(FilesIn(1), 0);
    Choose(0);
    EXPECT_EQ(Main().RolePlay()->CurrentFile(), "штраф.txt");
}

TEST_F(RolePlay, UnreadableFileLeavesTheEditorOnTheEntryItShowed)
{
    WriteRp("штраф.txt", "Штраф выписан");
    // A file that opens but cannot be read, even by root.
    std::error_code linkError;
    fs::create_symlink("/proc/self/mem", testsupport::U8Path(RpFile("hello.txt")), linkError);
    if (linkError) GTEST_SKIP() << "no /proc/self/mem to link to on this system";

    Choose(1);
    EXPECT_EQ(combo_->currentIndex(), -1) << "the first choice failed: still none";
    EXPECT_EQ(Main().RolePlay()->CurrentFile(), "");
    Choose(0);
    memo_->SetText(QStringLiteral("Штраф выписан, правка"));
    Choose(1);
    const QString error =
        QStringLiteral("Cannot open file \"%1\". The file could not be read.").arg(QString::fromStdString(RpFile("hello.txt")));
    EXPECT_EQ(Errors(), QStringList({error, error}));
    EXPECT_EQ(combo_->currentIndex(), 0);
    EXPECT_EQ(Main().RolePlay()->CurrentFile(), "штраф.txt");
    EXPECT_EQ(Text("Label46"), "F2");
    EXPECT_EQ(memo_->Text(), "Штраф выписан, правка");

    Save();
    EXPECT_EQ(testsupport::ReadBytes(RpFile("штраф.txt")), store::Utf8ToCp1251("Штраф выписан, правка"));
    EXPECT_TRUE(fs::is_symlink(testsupport::U8Path(RpFile("hello.txt"))));
}

TEST_F(RolePlay, FailedSaveShowsTheFileErrorAndKeepsTheText)
{
    Choose(23);
    memo_->SetText(QStringLiteral("Покиньте транспортное средство"));
    fs::remove_all(testsupport::U8Path(folder_.RolePlayFolder(1)));
    Save();
    EXPECT_EQ(Errors(), QStringList({QStringLiteral("Cannot create file \"%1\". The system cannot find the path specified.")
                                         .arg(QString::fromStdString(RpFile("покинутьТС.txt")))}));
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(memo_->Text(), "Покиньте транспортное средство");
    EXPECT_FALSE(fs::exists(testsupport::U8Path(folder_.RolePlayFolder(1))));
}

TEST_F(RolePlay, AfterAServerSwitchSaveWritesIntoTheNewServersFolder)
{
    WriteRp("door.txt", "Дверь сервера 1");
    Choose(12);
    memo_->SetText(QStringLiteral("Дверь для второго сервера"));
    Main().Home()->CycleServer();  // to server 2
    Main().PressMenu(MenuItem::Home);
    OpenPage();
    EXPECT_EQ(combo_->currentIndex(), 12);
    EXPECT_EQ(memo_->Text(), "Дверь для второго сервера");
    Save();
    EXPECT_EQ(testsupport::ReadBytes(RpFile("door.txt", 2)), store::Utf8ToCp1251("Дверь для второго сервера"));
    EXPECT_EQ(testsupport::ReadBytes(RpFile("door.txt", 1)), store::Utf8ToCp1251("Дверь сервера 1"));
}

// Lines the memo draws, read off its own text layout once it is on screen.
int DrawnLines(Memo* memo)
{
    QCoreApplication::processEvents();
    int lines = 0;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
        memo->document()->documentLayout()->blockBoundingRect(b);
        if (b.text().isEmpty() && !b.next().isValid()) break;
        lines += b.layout()->lineCount();
    }
    return lines;
}

TEST_F(RolePlay, ScrollBarComesWithTheTwentySecondDisplayedLine)
{
    Choose(0);
    ASSERT_TRUE(memo_->isVisible());
    // One paragraph that wraps into exactly two lines as drawn.
    QString wrapped = QStringLiteral("слово");
    for (memo_->SetText(wrapped); DrawnLines(memo_) < 2; memo_->SetText(wrapped))
        wrapped += QStringLiteral(" слово");
    const auto lines = [](int n) {
        QStringList l;
        for (int i = 1; i <= n; ++i) l << QStringLiteral("строка %1").arg(i);
        return l.join(QStringLiteral("\r\n"));
    };
    struct Case {
        const char* name;
        QString text;
        int displayed;
    };
    const Case cases[] = {
        {"21 lines", lines(21), 21},
        {"22 lines", lines(22), 22},
        {"21 lines and a final break", lines(21) + QStringLiteral("\r\n"), 21},
        {"20 lines and a wrapped one", lines(20) + QStringLiteral("\r\n") + wrapped, 22},
        {"19 lines and a wrapped one", lines(19) + QStringLiteral("\r\n") + wrapped, 21},
        {"21 lines, one empty in the middle", lines(10) + QStringLiteral("\r\n\r\n") + lines(10), 21},
        {"back to few", lines(3), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        memo_->SetText(c.text);
        QCoreApplication::processEvents();
        EXPECT_EQ(memo_->DisplayedLines(), c.displayed);
        EXPECT_EQ(memo_->DisplayedLines(), DrawnLines(memo_)) << "counted as drawn";
        EXPECT_EQ(memo_->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn, c.displayed >= 22);
    }
}

TEST_F(RolePlay, ContextMenuOffersTheMacroTreeAndSavesNothing)
{
    QMenu* menu = memo_->PopupMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "Memo2Menu");
    // name:text, sub-items indented by their depth
    QStringList tree;
    const std::function<void(QMenu*, int)> walk = [&](QMenu* m, int depth) {
        for (QAction* a : m->actions()) {
            tree << QString(depth, u' ') + a->objectName() + u':' + a->text();
            if (a->menu()) walk(a->menu(), depth + 1);
        }
    };
    walk(menu, 0);
    EXPECT_EQ(tree, QStringList({
                        "D2:Вставить Макрос", " N4:Вести за собой", " N5:Выписать штраф по Ак",
                        " N6:Выписать штраф по ПДД", " J1:Отыграть оружие", " N7:Сделать скриншот",
                        " N8:Одеть наручники", " N9:Создать диалоговое окно",
                        " N10:Создать диалоговое окно с вводом текста", "N2:Вставить Переменную",
                        " N11:Данные игрока", "  N12:Вставить ваш ник", "  N13:Вставить ваш ид",
                        "  N14:Вставить ваш ранг", "  N15:Вставить ваше звание", "  N16:Вставить ваш департамент",
                        "  N17:Вставить тег", "  N18:Вставить ", " N19:Остальные переменные",
                        "  N20:Местоположение", "  N21:Пояснение статьи (УК/АК)", "  N22:Сумма штрафа",
                        "N3:Вставить тип строки", ":", "SplitLines:Разбить длинные строки",
                    }));
    // Inserting is editing: nothing reaches a file before Save.
    Choose(0);
    for (QAction* a : menu->findChildren<QAction*>()) a->trigger();
    EXPECT_NE(memo_->Text(), kNotConfigured);
    EXPECT_EQ(FilesIn(1), 0);
}

TEST_F(RolePlay, ControlsSitWhereTheLayoutPutsThem)
{
    const std::pair<const char*, QRect> bounds[] = {
        {"Shit2", {176, 81, 452, 384}}, {"ComboBox1", {24, 23, 406, 22}}, {"Shape7", {24, 50, 407, 1}},
        {"Shape8", {24, 56, 404, 279}}, {"Memo1", {28, 56, 402, 278}},     {"Image1", {248, 354, 43, 21}},
        {"Button1", {307, 353, 122, 25}},
    };
    for (const auto& [name, rect] : bounds) EXPECT_EQ(Find<QWidget>(QString::fromLatin1(name))->geometry(), rect) << name;
    EXPECT_EQ(Find<QWidget>(QStringLiteral("Label45"))->pos(), QPoint(25, 5));
    EXPECT_EQ(Find<QWidget>(QStringLiteral("Label41"))->pos(), QPoint(25, 357));
    EXPECT_EQ(Find<QWidget>(QStringLiteral("Label46"))->pos(), QPoint(77, 357));
}

}  // namespace
