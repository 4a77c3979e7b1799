// The command editor: the command list, create, save, delete, the key
// button's hand-over to the picker and the names it refuses.

#include <QListWidget>
#include <QPushButton>
#include <filesystem>

#include "EditorTestSupport.h"
#include "mainwindow/CommandPage.h"
#include "GuiTestSupport.h"
#include "store/Cp1251.h"
#include "store/TextFile.h"
#include "widgets/Memo.h"

namespace {

using editortest::Press;
using editortest::WithModal;
namespace fs = std::filesystem;

const QString kBadName = QStringLiteral("Недопустимое название команды");

class Commands : public guitest::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        FinishSplash();
        prompts::StartRecording();
        list_ = Find<QListWidget>(QStringLiteral("RComand"));
        memo_ = Find<Memo>(QStringLiteral("Memo2"));
    }

    void OpenPage()
    {
        Main().OpenPage(MenuItem::Commands);
    }
    std::string Cmd(const std::string& file, int server = 1) { return folder_.CommandsFolder(server) + file; }
    void WriteCmd(const std::string& file, const std::string& utf8, int server = 1)
    {
        testsupport::WriteBytes(Cmd(file, server), store::Utf8ToCp1251(utf8));
    }
    std::string ReadCmd(const std::string& file) { return guitest::ReadUtf8(Cmd(file)); }
    void SetKey(const char* name, const char* value) { S().KeyFile().WriteString("keys", name, value); }
    QStringList Items()
    {
        QStringList items;
        for (int i = 0; i < list_->count(); ++i) items << list_->item(i)->text();
        return items;
    }
    int Selected()
    {
        const auto sel = list_->selectedItems();
        return sel.isEmpty() ? -1 : list_->row(sel.front());
    }
    void Select(const QString& item) { list_->setCurrentRow(static_cast<int>(Items().indexOf(item))); }
    void Click(const char* button) { Find<QPushButton>(QString::fromLatin1(button))->click(); }
    // Presses the key button; `inPicker` runs in the picker it opens.
    QWidget* PressKeyButton(Qt::MouseButton button = Qt::LeftButton,
                            const std::function<void(HotkeyPicker&)>& inPicker = {})
    {
        QWidget* image = Find<QWidget>(QStringLiteral("Image6"));
        return WithModal([&] { Press(image, button); },
                         [&](QWidget* w) {
                             if (auto* picker = qobject_cast<HotkeyPicker*>(w); picker && inPicker) inPicker(*picker);
                         });
    }
    // Every file below the program folder, with its bytes.
    std::map<std::string, std::string> Tree()
    {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(testsupport::U8Path(folder_.Path())))
            if (e.is_regular_file()) files[e.path().string()] = testsupport::ReadBytes(e.path().string());
        return files;
    }

    QListWidget* list_ = nullptr;
    Memo* memo_ = nullptr;
};

TEST_F(Commands, ListsCommandFilesSortedWhateverTheirCase)
{
    for (const char* f : {"b.lcb", "A.LCB", "a.lcb.lcb", "x.lcbak", "note.txt", ".x.lcb.tmp-1-0", "lcb"})
        WriteCmd(f, "");
    fs::create_directory(testsupport::U8Path(Cmd("dir.lcb")));
    OpenPage();
    EXPECT_EQ(Items(), QStringList({"A.LCB", "a.lcb.lcb", "b.lcb", "x.lcbak"}));
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(memo_->Text(), "Memo2");
    EXPECT_EQ(Text("Label49"), "");
    EXPECT_TRUE(Main().PageOf(PagePanel::Commands)->isVisible());
}

TEST_F(Commands, CommandNameIsCutAtTheFirstLowerCaseLcb)
{
    const std::pair<const char*, const char*> cases[] = {
        {"арест.lcb", "арест"}, {"a.lcb.lcb", "a"}, {"A.LCB", "A.LCB"}, {"x.lcbak", "x"},
        {"a.Lcb.lcb", "a.Lcb"}, {"plain", "plain"}, {".lcb", ""},
    };
    for (const auto& [file, name] : cases)
        EXPECT_EQ(CommandPage::CommandName(QString::fromUtf8(file)), QString::fromUtf8(name)) << file;
}

TEST_F(Commands, ChoosingACommandShowsItsTextAndHotkey)
{
    WriteCmd("арест.lcb", "/me надел наручники\n/cuff");
    WriteCmd("A.LCB", "upper");
    WriteCmd("a.lcb.lcb", "double");
    WriteCmd("free.lcb", "no key");
    SetKey("АРЕСТ", "VK12 & VK31");  // names compare ignoring case
    SetKey("a", "VK70");
    SetKey("A.LCB", "~VK71");
    OpenPage();
    struct Case {
        const char* item;
        const char* text;
        const char* caption;
    };
    const Case cases[] = {
        {"арест.lcb", "/me надел наручники\r\n/cuff", "Alt+1"},
        {"a.lcb.lcb", "double", "F1"},
        {"A.LCB", "upper", "F2"},
        {"free.lcb", "no key", "None"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Select(QString::fromUtf8(c.item));
        EXPECT_EQ(memo_->Text(), QString::fromUtf8(c.text));
        EXPECT_EQ(Text("Label49"), QString::fromUtf8(c.caption));
    }
    EXPECT_TRUE(prompts::Recorded().isEmpty());
}

TEST_F(Commands, ReselectingKeepsEditsAndComingBackReloads)
{
    WriteCmd("one.lcb", "first");
    WriteCmd("two.lcb", "second");
    OpenPage();
    Select("one.lcb");
    memo_->SetText(QStringLiteral("first, edited"));
    Select("one.lcb");
    EXPECT_EQ(memo_->Text(), "first, edited");
    Select("two.lcb");
    Select("one.lcb");
    EXPECT_EQ(memo_->Text(), "first");
}

TEST_F(Commands, CreateMakesAnEmptyFileAndRefusesAnExistingName)
{
    WriteCmd("арест.lcb", "kept");
    OpenPage();
    Select("арест.lcb");
    memo_->SetText(QStringLiteral("memo text"));

    prompts::QueueInput(true, QStringLiteral("обыск"));
    Click("Button3");
    EXPECT_EQ(testsupport::ReadBytes(Cmd("обыск.lcb")), "");
    EXPECT_EQ(Items(), QStringList({"арест.lcb", "обыск.lcb"}));
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(memo_->Text(), "memo text");

    prompts::QueueInput(true, QStringLiteral("арест"));
    Click("Button3");
    EXPECT_EQ(Messages(), QStringList({"Такая комманда уже существует"}));
    EXPECT_EQ(ReadCmd("арест.lcb"), "kept");

    prompts::QueueInput(false, QStringLiteral("cancelled"));
    Click("Button3");
    EXPECT_FALSE(testsupport::Exists(Cmd("cancelled.lcb")));
    EXPECT_EQ(prompts::RecordedTexts(prompts::Kind::Input),
              QStringList({"Название команды:", "Название команды:", "Название команды:"}));
}

TEST_F(Commands, SaveWritesTheSelectedFileOrAsksAndReplacesWithoutAQuestion)
{
    WriteCmd("арест.lcb", "old");
    WriteCmd("обыск.lcb", "old search");
    OpenPage();
    Select("арест.lcb");
    memo_->SetText(QStringLiteral("строка 1\r\nстрока 2"));
    Click("Button4");
    EXPECT_EQ(testsupport::ReadBytes(Cmd("арест.lcb")), store::Utf8ToCp1251("строка 1\r\nстрока 2"));
    EXPECT_EQ(Selected(), 0) << "the list is not read again";
    EXPECT_TRUE(prompts::Recorded().isEmpty());

    list_->clearSelection();
    memo_->SetText(QStringLiteral("new search"));
    prompts::QueueInput(true, QStringLiteral("обыск"));
    Click("Button4");
    EXPECT_EQ(ReadCmd("обыск.lcb"), "new search");
    EXPECT_EQ(prompts::RecordedTexts(prompts::Kind::Input), QStringList({"Название команды:"}));
    EXPECT_TRUE(Messages().isEmpty());

    prompts::QueueInput(true, QStringLiteral("новая"));
    Click("Button4");
    EXPECT_EQ(ReadCmd("новая.lcb"), "new search");
    EXPECT_EQ(Items(), QStringList({"арест.lcb", "новая.lcb", "обыск.lcb"}));
    EXPECT_EQ(Selected(), -1);
}

TEST_F(Commands, DeletedCommandCreatedAgainGetsItsOldHotkey)
{
    WriteCmd("арест.lcb", "text");
    SetKey("арест", "VK12 & VK31");
    OpenPage();
    Select("арест.lcb");
    Click("Button2");
    EXPECT_FALSE(testsupport::Exists(Cmd("арест.lcb")));
    EXPECT_TRUE(Items().isEmpty());
    EXPECT_EQ(memo_->Text(), "text") << "memo and key label keep the deleted command";
    EXPECT_EQ(Text("Label49"), "Alt+1");
    EXPECT_TRUE(prompts::Recorded().isEmpty());

    prompts::QueueInput(true, QStringLiteral("арест"));
    Click("Button3");
    Select("арест.lcb");
    EXPECT_EQ(memo_->Text(), "");
    EXPECT_EQ(Text("Label49"), "Alt+1");

    WriteCmd("later.lcb", "");
    list_->clearSelection();
    Click("Button2");  // nothing selected: the list is only read again
    EXPECT_EQ(Items(), QStringList({"later.lcb", "арест.lcb"}));
}

TEST_F(Commands, HostileNamesAreRefusedAndNothingIsWritten)
{
    OpenPage();
    memo_->SetText(QStringLiteral("payload"));
    const auto before = Tree();
    const char* names[] = {"", "   ", "../escape", "..\\escape", "a/b", "a\\b", "c:x", "a*", "a?", "a\"b", "<a", "a>",
                           "a|b", ".", "..", " a", "a ", ".a", "a.", ";a", "[a]", "a=b", "tab\there", "日本",
                           "CON", "nul", "Com1", "LPT9.x", "aux .txt"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        for (const char* button : {"Button3", "Button4"}) {
            prompts::StartRecording();
            prompts::QueueInput(true, QString::fromUtf8(name));
            Click(button);
            EXPECT_EQ(Messages(), QStringList({kBadName}));
            EXPECT_TRUE(Errors().isEmpty());
        }
    }
    EXPECT_EQ(Tree(), before);
    EXPECT_TRUE(Items().isEmpty());

    for (const char* good : {"арест", "a.b", "A.LCB", "x;y", "b]", "CONSOLE", "com10", "nul-"})
        EXPECT_TRUE(CommandPage::IsValidCommandName(QString::fromUtf8(good))) << good;
}

TEST_F(Commands, KeyButtonHandsTheCommandToThePicker)
{
    WriteCmd("арест.lcb", "");
    WriteCmd("a.lcb.lcb", "");
    WriteCmd("x=y.lcb", "");  // put there by hand
    SetKey("арест", "VK12 & VK31");
    OpenPage();
    EXPECT_EQ(PressKeyButton(), nullptr);
    EXPECT_EQ(Messages(), QStringList({"Для назначения клавиши вначале выберите команду"}));

    Select("арест.lcb");
    SetKey("арест", "VK02 & VK41");  // changed since the choice
    QStringList marked;
    const auto saveAltAnd = [&](const char* key) {
        return [&marked, key](HotkeyPicker& picker) {
            marked = picker.Selection();
            picker.ClearKeyboard();
            picker.ToggleKey(picker.Shape(QStringLiteral("VK12")));
            picker.ToggleKey(picker.Shape(QString::fromLatin1(key)));
            picker.SaveCombination();
        };
    };
    EXPECT_EQ(PressKeyButton(Qt::RightButton, saveAltAnd("VK2D")), Dialog<HotkeyPicker>());
    EXPECT_EQ(marked, QStringList({"VK02", "VK41"})) << "the stored keys, not those shown at the choice";
    EXPECT_EQ(S().KeyFile().ReadString("keys", "арест", ""), "VK12 & VK2D");
    EXPECT_EQ(Text("Label49"), "Alt+Insert");

    Select("a.lcb.lcb");
    EXPECT_EQ(PressKeyButton(Qt::LeftButton, saveAltAnd("VK13")), Dialog<HotkeyPicker>());
    EXPECT_TRUE(marked.isEmpty());
    EXPECT_EQ(S().KeyFile().ReadString("keys", "a", ""), "VK12 & VK13") << "the name is cut at the first .lcb";

    prompts::StartRecording();
    Select("x=y.lcb");
    EXPECT_EQ(PressKeyButton(), nullptr);
    EXPECT_EQ(Messages(), QStringList({kBadName}));
}

TEST_F(Commands, MissingFolderShowsTheErrorAndNotThePage)
{
    fs::remove_all(testsupport::U8Path(folder_.CommandsFolder(1)));
    OpenPage();
    const std::string folder = folder_.RolePlayFolder(1) + "команды";
    EXPECT_EQ(Errors(), QStringList({QString::fromStdString("Cannot open folder \"" + folder +
                                                            "\". The system cannot find the path specified.")}));
    EXPECT_FALSE(Main().PageOf(PagePanel::Commands)->isVisible());
    EXPECT_THROW(Main().Commands()->PointAt(QString::fromStdString(folder)), store::FileError);
}

TEST_F(Commands, UnreadableFileLeavesTheEditorOnTheCommandItShowed)
{
    WriteCmd("good.lcb", "good text");
    std::error_code linkError;
    fs::create_symlink("/proc/self/mem", testsupport::U8Path(Cmd("bad.lcb")), linkError);
    if (linkError) GTEST_SKIP() << "no /proc/self/mem to link to on this system";
    OpenPage();
    Select("good.lcb");
    memo_->SetText(QStringLiteral("good text, edited"));
    Select("bad.lcb");
    EXPECT_EQ(Errors(), QStringList({QStringLiteral("Cannot open file \"%1\". The file could not be read.")
                                         .arg(QString::fromStdString(Cmd("bad.lcb")))}));
    EXPECT_EQ(list_->selectedItems().value(0)->text(), "good.lcb");
    EXPECT_EQ(memo_->Text(), "good text, edited");
    Click("Button4");
    EXPECT_EQ(ReadCmd("good.lcb"), "good text, edited");
    EXPECT_TRUE(fs::is_symlink(testsupport::U8Path(Cmd("bad.lcb"))));
}

TEST_F(Commands, AfterAServerSwitchThePageShowsTheNewServersCommandsAndKeys)
{
    WriteCmd("one.lcb", "server 1");
    WriteCmd("two.lcb", "server 2", 2);
    OpenPage();
    Select("one.lcb");
    EXPECT_EQ(Items(), QStringList({"one.lcb"}));

    Main().PressMenu(MenuItem::Home);
    OpenPage();
    EXPECT_EQ(Selected(), 0) << "same folder: list and selection kept";

    Main().Home()->CycleServer();  // to server 2
    SetKey("two", "VK74");
    OpenPage();
    EXPECT_EQ(Items(), QStringList({"two.lcb"}));
    EXPECT_EQ(Selected(), -1);
    Select("two.lcb");
    EXPECT_EQ(memo_->Text(), "server 2");
    EXPECT_EQ(Text("Label49"), "F5");
    EXPECT_EQ(store::IniFile(folder_.KeyFile(1)).ReadString("keys", "two", "<none>"), "<none>");
}

TEST_F(Commands, ControlsSitWhereTheLayoutPutsThem)
{
    const std::pair<const char*, QRect> bounds[] = {
        {"Shit3", {168, 81, 452, 384}},    {"RComand", {8, 24, 145, 320}},   {"Memo2", {155, 24, 296, 320}},
        {"Image6", {168, 357, 43, 21}},    {"Button2", {220, 354, 75, 25}},  {"Button3", {298, 354, 75, 25}},
        {"Button4", {376, 354, 75, 25}},
    };
    for (const auto& [name, rect] : bounds) EXPECT_EQ(Find<QWidget>(QString::fromLatin1(name))->geometry(), rect) << name;
    const std::pair<const char*, QPoint> labels[] = {
        {"Label40", {7, 6}}, {"Label47", {161, 6}}, {"Label48", {8, 360}}, {"Label49", {66, 361}}};
    for (const auto& [name, at] : labels) EXPECT_EQ(Find<QWidget>(QString::fromLatin1(name))->pos(), at) << name;
}

}  // namespace
