// The keyboard picker: marks and selection, the three jobs it saves and
// switches off, and the keyboard it is drawn on.

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "EditorTestSupport.h"
#include "GuiTestSupport.h"
#include "hotkeys/HotkeyString.h"
#include "hotkeys/KeyVocabulary.h"
#include "mainwindow/KeysPage.h"
#include "mainwindow/RolePlayPage.h"
#include "store/Cp1251.h"
#include "store/IniFile.h"
#include "widgets/HookSwitch.h"
#include "widgets/KeyShape.h"
#include "widgets/Keyboard.h"
#include "widgets/Label.h"
#include "widgets/Look.h"
#include "widgets/RecordSwitch.h"

namespace {

using guitest::PanelTest;
using Brush = KeyShape::Brush;

// Captions by token, so the cases below read as keys.
const std::map<std::string, std::string> kKey = {
    {"Alt", "VK12"}, {"Ctrl", "VK11"}, {"F", "VK46"},   {"1", "VK31"},   {"F1", "VK70"}, {"F9", "VK78"},
    {"G", "VK47"},   {"Tab", "VK09"},  {"Esc", "VK1B"},
    {"F12", "VK7B"}, {"Q", "VK51"},    {"ПКМ", "VK02"}, {"ЛКМ", "VK01"}, {"Space", "VK20"},
    {"T", "VK54"},   {"F2", "VK71"},   {"Wheel", "VK9E"},
};

void MakeReadOnly(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::permissions(testsupport::U8Path(path), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

class Picker : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        FinishSplash();
        picker_ = Dialog<HotkeyPicker>();
    }

    KeyShape* ShapeOf(const std::string& caption) { return picker_->Shape(QString::fromStdString(kKey.at(caption))); }
    void Press(const std::string& caption, Qt::MouseButton button = Qt::LeftButton)
    {
        KeyShape* shape = ShapeOf(caption);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), shape->mapToGlobal(QPointF(5, 5)), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(shape, &press);
    }
    void PressAll(const std::vector<std::string>& captions)
    {
        for (const std::string& c : captions) Press(c);
    }
    // The picker's own control: the main window has a Label1 and a Timer1 too.
    template <class T>
    T* Own(const char* name)
    {
        T* found = picker_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void Click(const char* button) { Own<QPushButton>(button)->click(); }
    QString Combination() { return Own<QLabel>("Label1")->text(); }
    HookSwitch* Hook() { return Own<HookSwitch>("Hook"); }
    QStringList Tokens(const std::vector<std::string>& captions)
    {
        QStringList tokens;
        for (const std::string& c : captions) tokens << QString::fromStdString(kKey.at(c));
        return tokens;
    }
    // The picker for `ref`, shown without a modal loop, so a test can work in it.
    void OpenFor(const HotkeyRef& ref)
    {
        picker_->Begin(ref, std::nullopt);
        picker_->show();
    }
    void Open() { OpenFor(kRolePlayKey); }
    void OpenForCommand() { OpenFor(kCommand); }
    // The picker as the key page row of `image` opens it; `inPicker` runs in it.
    void PickOnRow(const QString& image, const std::function<void()>& inPicker)
    {
        editortest::WithModal([&] { editortest::Press(Find(image)); }, [&](QWidget*) { inPicker(); });
    }

    const HotkeyRef kRolePlayKey{hotkeys::HotkeySource::Settings, "key36"};
    const HotkeyRef kCommand{hotkeys::HotkeySource::Commands, "бронь"};

    HotkeyPicker* picker_ = nullptr;
};

TEST_F(Picker, BeforeTheFirstResetEveryShapeShowsTheDesignHatchAndAPressOnlyClearsIt)
{
    for (KeyShape* shape : picker_->Shapes()) ASSERT_EQ(shape->CurrentBrush(), Brush::Design);
    Press("F1");
    EXPECT_EQ(ShapeOf("F1")->CurrentBrush(), Brush::Clear);
    EXPECT_TRUE(picker_->Selection().isEmpty());
    Press("F1");
    EXPECT_EQ(ShapeOf("F1")->CurrentBrush(), Brush::Selected);

    picker_->ClearMarks();
    for (KeyShape* shape : picker_->Shapes()) EXPECT_EQ(shape->CurrentBrush(), Brush::Clear);
    EXPECT_TRUE(picker_->Selection().isEmpty());
    EXPECT_EQ(Combination(), "");
}

struct PressCase {
    const char* name;
    std::vector<std::string> presses;
    std::vector<std::string> selected;
    const char* combination;
};

class PickerPresses : public Picker, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PickerPresses, KeepTheOrderOfSelection)
{
    Open();
    PressAll(GetParam().presses);
    EXPECT_EQ(picker_->Selection(), Tokens(GetParam().selected));
    EXPECT_EQ(Combination().toStdString(), GetParam().combination);
    for (const auto& [caption, token] : kKey) {
        const bool selected = std::ranges::find(GetParam().selected, caption) != GetParam().selected.end();
        EXPECT_EQ(ShapeOf(caption)->CurrentBrush(), selected ? Brush::Selected : Brush::Clear) << caption;
    }
    EXPECT_TRUE(Messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PickerPresses,
    ::testing::Values(PressCase{"AltThenF", {"Alt", "F"}, {"Alt", "F"}, "Alt+F"},
                      PressCase{"FThenAlt", {"F", "Alt"}, {"F", "Alt"}, "F+Alt"},
                      PressCase{"MiddleOfThreeDeselected", {"Alt", "Ctrl", "1", "Ctrl"}, {"Alt", "1"}, "Alt+1"},
                      PressCase{"FirstOfThreeDeselected", {"Alt", "Ctrl", "1", "Alt"}, {"Ctrl", "1"}, "Ctrl+1"},
                      PressCase{"ReselectedGoesLast", {"Alt", "F", "Alt", "Alt"}, {"F", "Alt"}, "F+Alt"},
                      PressCase{"PressTwiceIsNothing", {"Q", "Q"}, {}, ""},
                      PressCase{"ThreeMouseButtons", {"ЛКМ", "ПКМ", "Space"}, {"ЛКМ", "ПКМ", "Space"}, "ЛКМ+ПКМ+Space"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Picker, AnyMouseButtonSelects)
{
    Open();
    Press("F1", Qt::RightButton);
    Press("Q", Qt::MiddleButton);
    EXPECT_EQ(picker_->Selection(), Tokens({"F1", "Q"}));
}

TEST_F(Picker, AFourthKeyIsRefusedAndTheThreeStay)
{
    Open();
    PressAll({"Alt", "Ctrl", "1", "F"});
    EXPECT_EQ(Messages(), QStringList{"Более трех кнопок использовать запрещено!!!"});
    EXPECT_EQ(picker_->Selection(), Tokens({"Alt", "Ctrl", "1"}));
    EXPECT_EQ(ShapeOf("F")->CurrentBrush(), Brush::Clear);
    EXPECT_EQ(Combination(), "Alt+Ctrl+1");
}

TEST_F(Picker, ClearingKeepsHookAndTheDialogAndWritesNothing)
{
    Open();
    Hook()->click();
    PressAll({"Alt", "F"});
    Click("Button1");
    EXPECT_TRUE(picker_->Selection().isEmpty());
    EXPECT_EQ(ShapeOf("Alt")->CurrentBrush(), Brush::Clear);
    EXPECT_EQ(Combination(), "");
    EXPECT_FALSE(Hook()->IsOn());
    EXPECT_TRUE(picker_->isVisible());
    EXPECT_FALSE(std::filesystem::exists(testsupport::U8Path(folder_.SettingsPath())));
}

struct LoadCase {
    const char* name;
    const char* stored;
    std::vector<std::string> marked;
    bool hook;
};

class PickerLoads : public Picker, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(PickerLoads, MarkWhatTheStringNames)
{
    Open();
    picker_->LoadMarks(QString::fromUtf8(GetParam().stored));
    EXPECT_EQ(picker_->Selection(), Tokens(GetParam().marked));
    int selected = 0;
    for (KeyShape* shape : picker_->Shapes()) selected += shape->CurrentBrush() == Brush::Selected;
    EXPECT_EQ(selected, int(GetParam().marked.size()));
    EXPECT_EQ(Hook()->IsOn(), GetParam().hook);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PickerLoads,
    ::testing::Values(LoadCase{"Plain", "VK12 & VK46", {"Alt", "F"}, true},
                      LoadCase{"Tilde", "~VK02 & VK70", {"ПКМ", "F1"}, false},
                      LoadCase{"ThreeKeepOrder", "VK11 & VK12 & VK31", {"Ctrl", "Alt", "1"}, true},
                      LoadCase{"Empty", "", {}, true},
                      LoadCase{"UnknownTokenMarksNothing", "VKZZ & VK70", {"F1"}, true},
                      LoadCase{"KeyNamedTwiceMarkedOnce", "VK70 & VK70", {"F1"}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Picker, LoadShowsTheCombinationAsAPressWould)
{
    Open();
    picker_->LoadMarks(QStringLiteral("~VK02 & VK9F"));
    EXPECT_EQ(Combination(), "ПКМ+WheelUp");
    Press("ПКМ");
    EXPECT_EQ(Combination(), "WheelUp");
}

struct SaveCase {
    const char* name;
    const char* target;  // "c" a command, "o" a role-play text
    std::vector<std::string> presses;
    bool hook;
    const char* stored;   // what the job's file holds afterwards; "<none>" for nothing
    const char* message;  // the refusal shown, or empty
};

class PickerSaves : public Picker, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(PickerSaves, WriteTheJobsFileOrRefuse)
{
    const SaveCase& c = GetParam();
    const bool command = std::string(c.target) == "c";
    OpenFor(command ? kCommand : kRolePlayKey);
    if (!c.hook) Hook()->click();
    PressAll(c.presses);
    Click("Button2");

    const std::string stored = command ? store::IniFile(folder_.KeyFile(1)).ReadString("keys", "бронь", "<none>")
                                       : Stored("hotkeys", "key36");
    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(Messages(), *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
    EXPECT_EQ(picker_->isVisible(), *c.message != 0);
    EXPECT_TRUE(Errors().isEmpty());
}

const char* const kRightButtonMessage =
    "Запрещено сохранять клавишу ПКМ\nДанная клавиша исползуется для авто-отыгровки оружия";

INSTANTIATE_TEST_SUITE_P(
    Cases, PickerSaves,
    ::testing::Values(
        SaveCase{"RolePlayHookOn", "o", {"Alt", "G"}, true, "VK12 & VK47", ""},
        SaveCase{"RolePlayHookOff", "o", {"Alt", "G"}, false, "~VK12 & VK47", ""},
        SaveCase{"CommandThreeKeys", "c", {"Alt", "Ctrl", "1"}, true, "VK12 & VK11 & VK31", ""},
        SaveCase{"RightButtonWithF9", "o", {"ПКМ", "F9"}, true, "VK02 & VK78", ""},
        SaveCase{"RightButtonWithF9HookOff", "c", {"ПКМ", "F9"}, false, "~VK02 & VK78", ""},
        SaveCase{"RightButtonAloneRefused", "o", {"ПКМ"}, true, "<none>", kRightButtonMessage},
        SaveCase{"RightButtonAloneRefusedHookOff", "c", {"ПКМ"}, false, "<none>", kRightButtonMessage},
        SaveCase{"EmptyRefused", "o", {}, true, "<none>", "Запрещено сохранять пустые клавиши"},
        SaveCase{"EmptyRefusedForCommand", "c", {"F1", "F1"}, true, "<none>", "Запрещено сохранять пустые клавиши"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Picker, SavedRowSetsItsLabelAndStoredString)
{
    Main().OpenPage(MenuItem::Keys);
    PickOnRow(QStringLiteral("Key59"), [&] {
        picker_->ClearKeyboard();
        Hook()->click();
        PressAll({"F", "Alt"});
        Click("Button2");
        EXPECT_FALSE(picker_->isVisible());
    });
    EXPECT_EQ(Stored("hotkeys", "key59"), "~VK46 & VK12");
    EXPECT_EQ(Text(QStringLiteral("Label98")), "F+Alt");
    EXPECT_EQ(Find(QStringLiteral("Key59"))->HelpKeyword(), "~VK46 & VK12");
}

TEST_F(Picker, SwitchingOffARowWritesABlank)
{
    Main().OpenPage(MenuItem::Keys);
    PickOnRow(QStringLiteral("Key59"), [&] {
        Click("Button3");
        EXPECT_FALSE(picker_->isVisible());
    });
    EXPECT_EQ(guitest::ReadUtf8(folder_.SettingsPath()), "[hotkeys]\r\nKey59= \r\n");
    EXPECT_EQ(Text(QStringLiteral("Label98")), "None");
    EXPECT_EQ(Find(QStringLiteral("Key59"))->HelpKeyword(), "");  // read back, trimmed
}

TEST_F(Picker, SwitchingOffARolePlayKeyWritesABlank)
{
    Open();
    Click("Button3");
    EXPECT_EQ(guitest::ReadUtf8(folder_.SettingsPath()), "[hotkeys]\r\nkey36= \r\n");
    EXPECT_EQ(picker_->Result(), " ");
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(Picker, SwitchingOffACommandDeletesOnlyItsEntry)
{
    testsupport::WriteBytes(folder_.KeyFile(1), store::Utf8ToCp1251("[keys]\r\nбронь=VK70\r\nрация=VK71\r\n"));
    OpenForCommand();
    Click("Button3");
    EXPECT_EQ(guitest::ReadUtf8(folder_.KeyFile(1)), "[keys]\r\nрация=VK71\r\n");
    EXPECT_EQ(picker_->Result(), "");
    EXPECT_FALSE(picker_->isVisible());
}

TEST_F(Picker, TheCloseBoxWritesNothing)
{
    folder_.WriteSettings("[hotkeys]\r\nkey59=VK12 & VK46\r\n");
    Main().OpenPage(MenuItem::Keys);
    PickOnRow(QStringLiteral("Key59"), [&] {
        EXPECT_EQ(picker_->Selection(), Tokens({"Alt", "F"}));
        Hook()->click();
        PressAll({"Alt", "Q"});
        EXPECT_TRUE(Own<QTimer>("Timer1")->isActive());
        picker_->close();
        EXPECT_FALSE(picker_->isVisible());
        EXPECT_FALSE(Own<QTimer>("Timer1")->isActive());
    });
    EXPECT_FALSE(picker_->Result());
    EXPECT_EQ(guitest::ReadUtf8(folder_.SettingsPath()), "[hotkeys]\r\nkey59=VK12 & VK46\r\n");
    EXPECT_EQ(Text(QStringLiteral("Label98")), "Alt+F");
    EXPECT_EQ(Find(QStringLiteral("Key59"))->HelpKeyword(), "VK12 & VK46");
}

struct RefusedCase {
    const char* name;
    const char* target;
    const char* button;
};

class PickerRefusedWrites : public Picker, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(PickerRefusedWrites, KeepTheDialogOpenAndTheLabelUnchanged)
{
    const bool command = std::string(GetParam().target) == "c";
    folder_.WriteSettings("[hotkeys]\r\nkey59=VK70\r\n");
    testsupport::WriteBytes(folder_.KeyFile(1), store::Utf8ToCp1251("[keys]\r\nбронь=VK70\r\n"));
    const std::string path = command ? folder_.KeyFile(1) : folder_.SettingsPath();
    const std::string original = guitest::ReadUtf8(path);
    MakeReadOnly(path);
    Main().OpenPage(MenuItem::Keys);
    const auto refused = [&] {
        PressAll({"Alt", "F"});
        Click(GetParam().button);
        EXPECT_EQ(Errors(), QStringList{QStringLiteral("Unable to write to ") + QString::fromStdString(path)});
        EXPECT_TRUE(picker_->isVisible());
    };
    if (command) {
        OpenForCommand();
        refused();
    } else {
        PickOnRow(QStringLiteral("Key59"), refused);
    }
    EXPECT_EQ(Text(QStringLiteral("Label98")), "F1");
    EXPECT_EQ(Find(QStringLiteral("Key59"))->HelpKeyword(), "VK70");
    EXPECT_EQ(guitest::ReadUtf8(path), original);
}

INSTANTIATE_TEST_SUITE_P(Cases, PickerRefusedWrites,
                         ::testing::Values(RefusedCase{"RowSave", "nk", "Button2"},
                                           RefusedCase{"RowSwitchOff", "nk", "Button3"},
                                           RefusedCase{"CommandSave", "c", "Button2"},
                                           RefusedCase{"CommandSwitchOff", "c", "Button3"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Picker, NumLockIndicatorIsWhiteWhereThePlatformTellsNothing)
{
    Open();  // offscreen: no keyboard to ask
    QWidget* shape1 = Own<QWidget>("Shape1");
    EXPECT_EQ(shape1->geometry(), QRect(740, 14, 23, 7));
    EXPECT_EQ(shape1->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(Own<QTimer>("Timer1")->interval(), 100);
}

// ---- the keyboard the shapes lie on ----------------------------------------

class PickerKeyboard : public PanelTest {};

TEST_F(PickerKeyboard, OneShapePerKeyNamedByTokenWithItsCaptionAsTooltip)
{
    HotkeyPicker* picker = Dialog<HotkeyPicker>();
    ASSERT_EQ(picker->Shapes().size(), qsizetype(hotkeys::KeyVocabulary().size()));
    for (const hotkeys::KeyInfo& key : hotkeys::KeyVocabulary()) {
        const QString token = QString::fromUtf8(key.token.data(), qsizetype(key.token.size()));
        auto* shape = picker->findChild<KeyShape*>(QStringLiteral("Key_") + token);
        ASSERT_NE(shape, nullptr) << key.token;
        EXPECT_EQ(shape->toolTip().toStdString(), key.caption);
        EXPECT_EQ(shape->Hint(), shape->toolTip());
    }
}

TEST_F(PickerKeyboard, TellingShapesSitAtTheirPlaces)
{
    const std::map<std::string, QRect> places = {
        {"VK1B", {11, 10, 37, 37}},   {"VK70", {76, 10, 37, 37}},    {"VK08", {506, 82, 71, 38}},
        {"VK0D", {496, 161, 81, 38}}, {"VK10", {11, 200, 91, 38}},   {"VK20", {166, 240, 207, 38}},
        {"VK60", {735, 240, 74, 38}}, {"VK6B", {849, 122, 36, 77}},  {"VK01", {908, 45, 59, 105}},
        {"VK02", {995, 43, 60, 108}}, {"VK9F", {967, 64, 29, 20}},   {"VK04", {966, 83, 30, 28}},
        {"VK9E", {967, 110, 28, 23}}, {"VK13", {666, 9, 37, 38}},
    };
    for (const auto& [token, rect] : places)
        EXPECT_EQ(Dialog<HotkeyPicker>()->Shape(QString::fromStdString(token))->geometry(), rect) << token;
    const std::map<std::string, int> widths = {{"VK09", 54}, {"VKDC", 53}, {"VK14", 64}, {"VK11", 55},
                                               {"VK5B", 48}, {"VK12", 47}, {"VK5C", 47}};
    for (const auto& [token, width] : widths)
        EXPECT_EQ(Dialog<HotkeyPicker>()->Shape(QString::fromStdString(token))->width(), width) << token;
}

// A key the picture draws is a lit cap face; the body, the wells and the keys
// not offered are all darker. `p` is in the dialog's pixels; the picture is
// painted at the screen's, so at any scale this checks the shapes against
// what is really drawn under them.
bool OnAKeyFace(const QImage& picture, const QPoint& p)
{
    const qreal ratio = picture.devicePixelRatio();
    const QColor c = picture.pixelColor(QPoint(int((p.x() + 0.5) * ratio), int((p.y() + 0.5) * ratio)));
    return std::max({c.red(), c.green(), c.blue()}) >= 0x3C;
}

TEST_F(PickerKeyboard, EveryShapeLiesOverADrawnKeyAndNoTwoOverlap)
{
    const QImage picture = keyboard::Picture().toImage();
    ASSERT_EQ(picture.deviceIndependentSize().toSize(), QSize(1060, 288));
    ASSERT_EQ(picture.size(), (QSizeF(1060, 288) * qApp->devicePixelRatio()).toSize()) << "painted at the screen's pixels";
    const QList<KeyShape*>& shapes = Dialog<HotkeyPicker>()->Shapes();
    std::vector<QRegion> areas;
    for (KeyShape* shape : shapes) {
        const QRegion area = shape->Area().translated(shape->pos());
        ASSERT_TRUE(QRegion(QRect(QPoint(0, 0), QSize(1060, 288))).contains(area.boundingRect()))
            << shape->objectName().toStdString();
        int face = 0;
        int all = 0;
        for (const QRect& r : area) {
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x, ++all) face += OnAKeyFace(picture, {x, y});
        }
        EXPECT_GE(face * 100, all * 75) << shape->objectName().toStdString();
        areas.push_back(area);
    }
    for (std::size_t i = 0; i < areas.size(); ++i)
        for (std::size_t j = i + 1; j < areas.size(); ++j)
            EXPECT_TRUE(areas[i].intersected(areas[j]).isEmpty())
                << shapes[qsizetype(i)]->objectName().toStdString() << " / "
                << shapes[qsizetype(j)]->objectName().toStdString();
}

TEST_F(PickerKeyboard, KeysNotOfferedAreDrawnDarkWithoutAShape)
{
    const QImage picture = keyboard::Picture().toImage();
    int dark = 0;
    for (const keyboard::Cap& cap : keyboard::Caps()) {
        if (cap.kind != keyboard::CapKind::DarkKey) continue;
        ++dark;
        EXPECT_TRUE(cap.token.empty());
        EXPECT_FALSE(OnAKeyFace(picture, cap.rect.bottomRight() - QPoint(5, 4)));
        for (KeyShape* shape : Dialog<HotkeyPicker>()->Shapes()) EXPECT_FALSE(shape->geometry().intersects(cap.rect));
    }
    EXPECT_EQ(dark, 5);  // right Shift, Alt and Ctrl, Menu, the pad's Enter
}

// ---- conflicts and recording ----------------------------------------------

struct AskCase {
    const char* name;
    std::vector<std::string> presses;
    const char* named;  // what the question must name
    bool yes;
};

class PickerAsks : public Picker, public ::testing::WithParamInterface<AskCase> {};

TEST_P(PickerAsks, BeforeSavingATakenCombination)
{
    const AskCase& c = GetParam();
    Open();
    PressAll(c.presses);
    prompts::QueueAnswer(c.yes);
    Click("Button2");
    const QStringList asked = prompts::RecordedTexts(prompts::Kind::Question);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(QString::fromUtf8(c.named))) << asked[0].toStdString();
    EXPECT_EQ(Stored("hotkeys", "key36"), c.yes ? hotkeys::ComposeHotkey({kKey.at(c.presses[0]), kKey.at(c.presses[1])}, true)
                                                 : "<none>");
    EXPECT_EQ(picker_->isVisible(), !c.yes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PickerAsks,
    ::testing::Values(AskCase{"HolderNo", {"Alt", "F"}, "Alt+F уже назначена: Включить систему погони.", false},
                      AskCase{"HolderYes", {"Alt", "F"}, "Включить систему погони", true},
                      AskCase{"SystemNo", {"Alt", "Tab"}, "Комбинацию Alt+Tab перехватывает система", false},
                      AskCase{"ChatKeyNo", {"T"}, "T уже назначена: клавиша чата.", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Picker, TheChatKeyIsOneKeyboardKeyStoredBare)
{
    const HotkeyRef chat{hotkeys::HotkeySource::Binder, "chat"};
    const QString refusal = QStringLiteral("Клавиша чата — одна клавиша клавиатуры, без сочетаний и мыши");
    struct Case {
        const char* marks;   // loaded as a hotkey string
        const char* stored;  // afterwards
    };
    const Case cases[] = {
        {"VK12 & VK46", "<none>"}, {"VK01", "<none>"}, {"VK02", "<none>"},
        {"VK9E", "<none>"},        {"~VK51", "VK51"},  // Hook off or on, the token alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marks);
        prompts::StartRecording();
        OpenFor(chat);
        picker_->LoadMarks(QString::fromUtf8(c.marks));
        Click("Button2");
        EXPECT_EQ(Stored("binder", "chat"), c.stored);
        const bool refused = std::string(c.stored) == "<none>";
        EXPECT_EQ(Messages(), refused ? QStringList{refusal} : QStringList{});
        EXPECT_EQ(picker_->isVisible(), refused);
        picker_->hide();
    }

    // A key a hotkey has alone: asked first.
    OpenFor(chat);
    Press("F2");
    prompts::QueueAnswer(false);
    Click("Button2");
    EXPECT_TRUE(prompts::RecordedTexts(prompts::Kind::Question).value(0).contains(QStringLiteral("Выписать штраф")));
    EXPECT_EQ(Stored("binder", "chat"), "VK51");
}

TEST_F(Picker, PuttingTheOwnCombinationBackAsksNothing)
{
    OpenFor({hotkeys::HotkeySource::Settings, "Key59"});
    picker_->LoadMarks(QStringLiteral("VK12 & VK46"));
    Click("Button2");
    EXPECT_TRUE(prompts::RecordedTexts(prompts::Kind::Question).isEmpty());
    EXPECT_EQ(Stored("hotkeys", "key59"), "VK12 & VK46");
}

TEST_F(Picker, SharedKeysAreMarkedWhereKeysAreShownAndClearedWhenFixed)
{
    S().Settings().WriteString("hotkeys", "key37", "VK12 & VK46");
    testsupport::WriteBytes(folder_.KeyFile(1), store::Utf8ToCp1251("[keys]\r\nарест=VK12 & VK46\r\n"));
    Main().Keys()->ShowKeyPage(1);
    const auto label = [&](const char* name) { return Find(QString::fromLatin1(name)); };
    EXPECT_EQ(label("Label98")->FontColor(), look::kAlert);
    EXPECT_EQ(label("Label98")->toolTip(),
              "Эта же комбинация назначена: Фиксация игрока под прицелом, команда «арест»");
    EXPECT_EQ(label("Label92")->FontColor(), look::kClWindow);
    EXPECT_TRUE(label("Label92")->toolTip().isEmpty());

    auto* combo = Main().RolePlay()->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    combo->setCurrentIndex(6);  // key17, which key19 shares by default
    EXPECT_TRUE(label("Label46")->toolTip().contains(QStringLiteral("Взлом двери")));
    combo->setCurrentIndex(24);  // no key at all
    EXPECT_TRUE(label("Label46")->toolTip().isEmpty());

    // The picker shows who uses a key, and a save that ends the clash clears the marks.
    PickOnRow(QStringLiteral("Key37"), [&] {
        EXPECT_TRUE(ShapeOf("F")->IsUsed());
        EXPECT_TRUE(ShapeOf("F")->toolTip().contains(QStringLiteral("Включить систему погони")));
        EXPECT_FALSE(ShapeOf("G")->IsUsed());
        picker_->ClearKeyboard();
        PressAll({"Alt", "G"});
        Click("Button2");
    });
    EXPECT_EQ(label("PK1_1")->FontColor(), look::kClWindow);
    EXPECT_EQ(label("Label98")->toolTip(), "Эта же комбинация назначена: команда «арест»");
}

// The native codes of a key on each platform: the X11 keycode, or the
// Windows virtual key and scan code.
struct NativeKey {
    unsigned x11;
    unsigned vk;
    unsigned scan;
};
const std::map<std::string, NativeKey> kNative = {
    {"Alt", {64, 0x12, 0x38}}, {"F", {41, 0x46, 0x21}}, {"G", {42, 0x47, 0x22}},
    {"1", {10, 0x31, 0x02}},   {"Esc", {9, 0x1B, 0x01}}, {"Q", {24, 0x51, 0x10}},
};

// What a Russian layout reports for the key of Latin F: the letter А.
constexpr auto kCyrillicA = static_cast<Qt::Key>(0x0410);

class PickerRecords : public Picker {
protected:
    void Type(const std::string& caption, Qt::Key key, const QString& text)
    {
        const NativeKey& n = kNative.at(caption);
#ifdef _WIN32
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, n.scan, n.vk, 0, text);
#else
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, n.x11, 0, 0, text);
#endif
        QApplication::sendEvent(picker_, &press);
    }
    void Record(bool on)
    {
        if (picker_->Recorder()->isChecked() != on) picker_->Recorder()->click();
    }
};

TEST_F(PickerRecords, PressesSelectByPlaceWhateverTheLayout)
{
    Open();
    EXPECT_FALSE(picker_->Recorder()->isChecked());
    Type("Q", Qt::Key_Q, QStringLiteral("q"));  // not recording: nothing
    EXPECT_TRUE(picker_->Selection().isEmpty());

    Record(true);
    Type("Alt", Qt::Key_Alt, {});
    Type("F", Qt::Key_F, QStringLiteral("f"));
    EXPECT_EQ(picker_->Selection(), Tokens({"Alt", "F"}));
    Click("Button1");
    Type("Alt", Qt::Key_Alt, {});
    Type("F", kCyrillicA, QStringLiteral("а"));
    EXPECT_EQ(picker_->Selection(), Tokens({"Alt", "F"}));
    Type("F", kCyrillicA, QStringLiteral("а"));  // a second press takes it off, as a click does
    EXPECT_EQ(picker_->Selection(), Tokens({"Alt"}));

    Type("Esc", Qt::Key_Escape, {});
    EXPECT_EQ(picker_->Selection(), Tokens({"Alt", "Esc"}));
    EXPECT_TRUE(picker_->isVisible());
    Type("1", Qt::Key_1, QStringLiteral("1"));
    Type("G", Qt::Key_G, QStringLiteral("g"));
    EXPECT_EQ(picker_->Selection(), Tokens({"Alt", "Esc", "1"}));
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Более трех кнопок использовать запрещено!!!")});

    Record(false);
    Type("Esc", Qt::Key_Escape, {});  // Esc closes again
    EXPECT_FALSE(picker_->isVisible());
    Open();
    EXPECT_FALSE(picker_->Recorder()->isChecked());
}

}  // namespace
