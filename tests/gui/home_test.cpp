// The home page: loading the profile and options, the profile editors and
// their dialogs, the option switches, the server cycle and the sync handshake.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

#include "guibase/ErrorGuard.h"
#include "mainwindow/HomePage.h"
#include "GuiTestSupport.h"
#include "companion/Processes.h"
#include "core/process_test_support.h"
#include "widgets/Look.h"
#include "widgets/RxSwitch.h"
#include "core/BuildPaths.h"

namespace {

using guitest::PanelTest;
using namespace std::chrono_literals;

const QColor kTitle(0xD7, 0xD9, 0xDC);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kRed(0xC0, 0x39, 0x2B);

class Home : public PanelTest {
protected:
    HomePage& Page() { return *Main().Home(); }
    bool SyncRequested() { return Stored("quorvel", "од") == "1" && app_->Sync().Timer()->isActive(); }
    // Forgets a request, as if the companion had answered it unseen.
    void ResetSync()
    {
        app_->Sync().Timer()->stop();
        S().Settings().DeleteKey("quorvel", "од");
    }
    void Click(const char* label) { QTest::mouseClick(Find<Label>(label), Qt::LeftButton); }
    // Runs `action` once `dialog` is up modally, then returns when it has closed.
    void WithDialog(QDialog* dialog, const std::function<void()>& action)
    {
        QTimer::singleShot(0, dialog, [=] {
            EXPECT_EQ(QApplication::activeModalWidget(), dialog);
            action();
        });
    }
};

// ---- loading -------------------------------------------------------------------

TEST_F(Home, EmptyStoreShowsEveryDefault)
{
    FinishSplash();
    const std::pair<const char*, const char*> expected[] = {
        {"Label7", "Нет ника"},  {"Label9", "Рядовой"},   {"Label11", "LSPD"},     {"Label14", "[PA]"},
        {"Label15", "Мужской"},  {"Label17", "Не получен"}, {"Label19", "Включено"}, {"Label21", "Включено"},
        {"Label23", "Включено"}, {"Label25", "Включено"},  {"Label27", "Включено"}, {"Label43", "Включено"},
        {"Label37", "Abs RP1"},  {"Label29", "Актуальная"}, {"Label31", "4.0 beta"}, {"Label39", "Войдите..."},
        {"ChatKeyLabel", "T"},   {"PauseLabel", "1,2 с"},
    };
    for (const auto& [label, text] : expected) EXPECT_EQ(Text(label), QString::fromUtf8(text)) << label;
    EXPECT_FALSE(testsupport::Exists(folder_.SettingsPath())) << "defaults are never written";
}

struct NickCase {
    const char* name;
    const char* userReg;   // nullptr: no registry file
    const char* settings;
    const char* expected;
};

const char* const kRegWithNick =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
    "[Software\\\\SAMP] 1700000000\n#time=1d9a0b0c0d0e0f0\n\"PlayerName\"=\"Ivan_Petrov\"\n";
const char* const kRegWithDword =
    "WINE REGISTRY Version 2\n\n[Software\\\\SAMP] 1700000000\n\"PlayerName\"=dword:00000007\n";

const NickCase kNicks[] = {
    {"registry nick when the store has none", kRegWithNick, "", "Ivan_Petrov"},
    {"stored nick wins", kRegWithNick, "[global]\r\nnick=Oleg_Stone\r\n", "Oleg_Stone"},
    {"present but empty wins", kRegWithNick, "[global]\r\nnick=\r\n", ""},
    {"neither", nullptr, "", "Нет ника"},
    {"a nick that is not text", kRegWithDword, "", "Нет ника"},
};

TEST_F(Home, NickComesFromTheStoreThenTheRegistry)
{
#ifdef _WIN32
    GTEST_SKIP() << "the registry here is the system's own, not a user.reg file (the end-to-end test covers it)";
#endif
    for (const NickCase& c : kNicks) {
        SCOPED_TRACE(c.name);
        if (c.userReg) folder_.WriteUserReg(c.userReg);
        else std::filesystem::remove(testsupport::U8Path(folder_.File("wine/user.reg")));
        folder_.WriteSettings(c.settings);
        Page().LoadProfileAndOptions();
        EXPECT_EQ(Text("Label7"), QString::fromUtf8(c.expected));
        EXPECT_EQ(Stored("global", "nick"), *c.settings ? Stored("global", "nick") : "<none>");
    }
}

TEST_F(Home, TagLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "[PA]"},
        {"[global]\r\nтег=PA\r\nдоптег=null\r\n", "[PA]"},
        {"[global]\r\nтег=PA\r\nдоптег=NULL\r\n", "[PA] доп тег [NULL]"},
        {"[global]\r\nтег=PA\r\nдоптег=\r\n", "[PA] доп тег []"},
        {"[global]\r\nтег=7-L-15\r\nдоптег=ТЕСТ\r\n", "[7-L-15] доп тег [ТЕСТ]"},
        {"[global]\r\nдоптег=ТЕСТ\r\n", "[PA] доп тег [ТЕСТ]"},
        {"[global]\r\nтег=\r\n", "[]"},
    };
    for (const auto& [settings, expected] : cases) {
        folder_.WriteSettings(settings);
        Page().LoadProfileAndOptions();
        EXPECT_EQ(Text("Label14"), QString::fromUtf8(expected)) << settings;
    }
}

TEST_F(Home, OnlyAStoredOneIsOn)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1", "Включено"}, {"0", "Выключено"}, {"2", "Выключено"}, {"yes", "Выключено"},
        {"", "Выключено"}, {" 1 ", "Включено"}, {"01", "Выключено"},
    };
    for (const auto& [value, expected] : cases) {
        folder_.WriteSettings(std::string("[setting]\r\nautogun=") + value + "\r\nautodock=" + value +
                              "\r\nautotime=" + value + "\r\npred=" + value + "\r\nпогоня=" + value +
                              "\r\nупоминание=" + value + "\r\n");
        Page().LoadProfileAndOptions();
        for (const char* label : {"Label19", "Label21", "Label23", "Label25", "Label27", "Label43"})
            EXPECT_EQ(Text(label), QString::fromUtf8(expected)) << label << " for '" << value << "'";
    }
}

TEST_F(Home, ServerCaptionAndIndex)
{
    struct Case {
        const char* stored;
        const char* caption;
        int index;
    };
    // Each case starts from "Abs RP2" and index 2, so "unchanged" shows.
    const Case cases[] = {
        {"1", "Abs RP1", 1}, {"3", "Abs RP3", 3}, {"4", "Abs RP4", 4},    {"0x2", "Abs RP2", 2},
        {"$3", "Abs RP3", 3}, {"abc", "Abs RP1", 1}, {"0", "Abs RP2", 2}, {"5", "Abs RP2", 2},
        {"-1", "Abs RP2", 2},
    };
    for (const Case& c : cases) {
        folder_.WriteSettings("[global]\r\nserver=2\r\n");
        Page().LoadProfileAndOptions();
        folder_.WriteSettings(std::string("[global]\r\nserver=") + c.stored + "\r\n");
        Page().LoadProfileAndOptions();
        EXPECT_EQ(Text("Label37"), c.caption) << c.stored;
        EXPECT_EQ(S().Server(), c.index) << c.stored;
    }
}

TEST_F(Home, BadgeDefaultsDifferBetweenLoadAndHandshake)
{
    FinishSplash();
    EXPECT_EQ(Text("Label17"), "Не получен");
    app_->Sync().Request();
    S().Settings().WriteInteger("quorvel", "од", 0);
    app_->Sync().Tick();
    EXPECT_EQ(Text("Label17"), "Не установлен");
}

// ---- profile editors -----------------------------------------------------------

TEST_F(Home, NickBox)
{
    FinishSplash();
    struct Case {
        bool accepted;
        const char* typed;
        const char* shown;   // Label7 afterwards
        const char* stored;
    };
    const Case cases[] = {
        {true, "Oleg_Stone", "Oleg_Stone", "Oleg_Stone"},
        {false, "", "Oleg_Stone", "Oleg_Stone"},
        {true, "", "Oleg_Stone", "Oleg_Stone"},
        {true, "Ник с пробелом", "Ник с пробелом", "Ник с пробелом"},
    };
    for (const Case& c : cases) {
        ResetSync();
        prompts::QueueInput(c.accepted, QString::fromUtf8(c.typed));
        Click("Label6");
        EXPECT_EQ(Text("Label7"), QString::fromUtf8(c.shown));
        EXPECT_EQ(Stored("global", "nick"), c.stored);
        EXPECT_TRUE(SyncRequested()) << "every close of the box asks for a reload";
    }
    const prompts::Shown& box = prompts::Recorded().front();
    EXPECT_EQ(box.caption, "Новый ник:");
    EXPECT_EQ(box.text, "Укажите ваш ник");

    prompts::QueueInput(true, QString(300, QChar('x')));
    Click("Label6");
    EXPECT_EQ(Stored("global", "nick").size(), 255u);
}

TEST_F(Home, RankDialogKeepsItsTextAndStoresOnOk)
{
    folder_.WriteSettings("[global]\r\nзвание=Капитан\r\n");
    FinishSplash();
    RankDialog* dialog = Dialog<RankDialog>();
    auto* combo = dialog->findChild<QComboBox*>("ComboBox1");
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->window(), dialog);
    EXPECT_EQ(combo->count(), 13);
    EXPECT_EQ(combo->itemText(12), "Тестировщик скрипта");

    // Opens with its own text, not the stored rank; the close box stores nothing.
    QString shown;
    WithDialog(dialog, [&] {
        shown = combo->currentText();
        dialog->reject();
    });
    Click("Label8");
    EXPECT_EQ(shown, "Рядовой");
    EXPECT_EQ(Stored("global", "звание"), "Капитан");
    EXPECT_FALSE(app_->Sync().Timer()->isActive());

    // Typed text is stored as typed, empty too.
    for (const char* typed : {"Генерал армии", ""}) {
        ResetSync();
        WithDialog(dialog, [&] {
            combo->setEditText(QString::fromUtf8(typed));
            QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
        });
        Click("Label8");
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(Stored("global", "звание"), typed);
        EXPECT_EQ(Text("Label9"), QString::fromUtf8(typed));
        EXPECT_TRUE(SyncRequested());
    }
    WithDialog(dialog, [&] {
        shown = combo->currentText();
        dialog->reject();
    });
    Click("Label8");
    EXPECT_EQ(shown, "") << "the box keeps the text it last held";
}

TEST_F(Home, DepartmentDialogRequestsASyncOnEveryClose)
{
    FinishSplash();
    DepartmentDialog* dialog = Dialog<DepartmentDialog>();
    const std::pair<const char*, const char*> banners[] = {
        {"Image1", "SFPD"}, {"Image2", "LVPD"}, {"Image3", "LSPD"}};
    for (const auto& [image, code] : banners) {
        ResetSync();
        WithDialog(dialog, [&] { QTest::mouseClick(dialog->findChild<Label*>(image), Qt::LeftButton); });
        Click("Label10");
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(Stored("global", "департамент"), code);
        EXPECT_EQ(Text("Label11"), code);
        EXPECT_TRUE(SyncRequested());
    }
    ResetSync();
    WithDialog(dialog, [&] { dialog->close(); });
    Click("Label10");
    EXPECT_EQ(Stored("global", "департамент"), "LSPD");
    EXPECT_TRUE(SyncRequested()) << "closed without a choice";
}

TEST_F(Home, CallSignDialog)
{
    struct Case {
        const char* stored;
        // what the dialog shows on opening
        const char* edit1;
        bool checked;
        const char* edit2;
        // what the user leaves in it
        const char* typed1;
        bool check;
        const char* typed2;
        // what is stored and shown after OK
        const char* tag;
        const char* extra;
        const char* line;
    };
    const Case cases[] = {
        {"", "PA", false, "", "7-L-15", false, "", "7-L-15", "null", "[7-L-15]"},
        {"[global]\r\nтег=PA\r\nдоптег=ТЕСТ\r\n", "PA", true, "ТЕСТ", "PA", true, "ТЕСТ", "PA", "ТЕСТ",
         "[PA] доп тег [ТЕСТ]"},
        {"", "PA", false, "", "", true, "", "PA", "null", "[PA]"},
        {"", "PA", false, "", "K9", true, "null", "K9", "null", "[K9]"},
        {"[global]\r\nдоптег=ТЕСТ\r\n", "PA", true, "ТЕСТ", "PA", false, "ТЕСТ", "PA", "null", "[PA]"},
    };
    FinishSplash();
    CallSignDialog* dialog = Dialog<CallSignDialog>();
    auto* edit1 = dialog->findChild<QLineEdit*>("Edit1");
    auto* edit2 = dialog->findChild<QLineEdit*>("Edit2");
    auto* check = dialog->findChild<QCheckBox*>("CheckBox1");
    ASSERT_TRUE(edit1 && edit2 && check);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        folder_.WriteSettings(c.stored);
        ResetSync();
        WithDialog(dialog, [&] {
            EXPECT_EQ(edit1->text(), QString::fromUtf8(c.edit1));
            EXPECT_EQ(check->isChecked(), c.checked);
            EXPECT_EQ(edit2->isEnabled(), c.checked);
            EXPECT_EQ(edit2->text(), QString::fromUtf8(c.edit2));
            edit1->setText(QString::fromUtf8(c.typed1));
            if (check->isChecked() != c.check) QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, 8));
            EXPECT_EQ(edit2->isEnabled(), c.check);
            edit2->setText(QString::fromUtf8(c.typed2));
            QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
        });
        Click("Label12");
        EXPECT_EQ(Stored("global", "тег"), c.tag);
        EXPECT_EQ(Stored("global", "доптег"), c.extra);
        EXPECT_EQ(Text("Label14"), QString::fromUtf8(c.line));
        EXPECT_TRUE(SyncRequested());
    }

    // The close box stores nothing and asks for nothing.
    ResetSync();
    WithDialog(dialog, [&] {
        edit1->setText("ZZ");
        dialog->close();
    });
    Click("Label12");
    EXPECT_EQ(Stored("global", "тег"), "PA");
    EXPECT_FALSE(app_->Sync().Timer()->isActive());
}

TEST_F(Home, CallSignOkReloadsTheWholePage)
{
    FinishSplash();
    folder_.WriteSettings("[global]\r\nnick=Edited_Elsewhere\r\n");
    CallSignDialog* dialog = Dialog<CallSignDialog>();
    WithDialog(dialog, [&] { QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton); });
    Click("Label12");
    EXPECT_EQ(Text("Label7"), "Edited_Elsewhere");
}

TEST_F(Home, GenderSwitch)
{
    FinishSplash();
    const std::pair<const char*, const char*> cases[] = {
        {"", "Женский"},
        {"[global]\r\nпол=Женский\r\n", "Мужской"},
        {"[global]\r\nпол=Мужской\r\n", "Женский"},
        {"[global]\r\nпол=мужской\r\n", "Мужской"},
    };
    for (const auto& [stored, next] : cases) {
        folder_.WriteSettings(stored);
        ResetSync();
        Click("Label13");
        EXPECT_EQ(Stored("global", "пол"), next) << stored;
        EXPECT_EQ(Text("Label15"), QString::fromUtf8(next));
        EXPECT_TRUE(SyncRequested());
    }
}

TEST_F(Home, BadgeRowOnlyTells)
{
    FinishSplash();
    Click("Label16");
    ASSERT_EQ(prompts::Recorded().size(), 1);
    EXPECT_EQ(prompts::Recorded()[0].kind, prompts::Kind::Information);
    EXPECT_EQ(prompts::Recorded()[0].text, "Для получения жетона просто поменяйте ник");
    EXPECT_FALSE(testsupport::Exists(folder_.SettingsPath()));
    EXPECT_FALSE(app_->Sync().Timer()->isActive());
}

TEST_F(Home, HoverColours)
{
    for (const char* name : {"Label6", "Label8", "Label10", "Label12", "Label13", "Label16"}) {
        Label* title = Find<Label>(name);
        EXPECT_EQ(title->FontColor(), kTitle);
        emit title->MouseEnter();
        EXPECT_EQ(title->FontColor(), kRed) << name;
        emit title->MouseLeave();
        EXPECT_EQ(title->FontColor(), kTitle) << name;
    }
    for (const char* name : {"Label19", "Label21", "Label23", "Label25", "Label27", "Label37", "Label43"}) {
        Label* value = Find<Label>(name);
        EXPECT_EQ(value->FontColor(), kSilver);
        emit value->MouseEnter();
        EXPECT_EQ(value->FontColor(), kRed) << name;
        emit value->MouseLeave();
        EXPECT_EQ(value->FontColor(), kSilver) << name;
    }
}

// ---- options and server --------------------------------------------------------

TEST_F(Home, OptionSwitchesFlipTheStoredValue)
{
    const std::pair<const char*, const char*> options[] = {
        {"Label19", "autogun"}, {"Label21", "autodock"}, {"Label23", "autotime"},
        {"Label25", "pred"},    {"Label27", "погоня"},   {"Label43", "упоминание"},
    };
    FinishSplash();
    for (const auto& [label, key] : options) {
        SCOPED_TRACE(label);
        const std::pair<const char*, const char*> steps[] = {
            {"<none>", "0"}, {"0", "1"}, {"1", "0"}, {"abc", "1"}, {"", "1"}};
        for (const auto& [before, after] : steps) {
            if (std::string(before) != "<none>") S().Settings().WriteString("setting", key, before);
            ResetSync();
            Click(label);
            EXPECT_EQ(Stored("setting", key), after) << "from " << before;
            EXPECT_EQ(Text(label), std::string(after) == "1" ? "Включено" : "Выключено");
            EXPECT_TRUE(SyncRequested());
        }
    }
    // The mention row has a key of its own: the chase row stays as it was.
    S().Settings().WriteString("setting", "погоня", "1");
    Click("Label43");
    EXPECT_EQ(Stored("setting", "погоня"), "1");
}

TEST_F(Home, ServerCycleReopensTheKeyFile)
{
    struct Case {
        const char* stored;
        const char* caption;
        const char* written;
        int index;
    };
    const Case cases[] = {
        {nullptr, "Abs RP2", "2", 2}, {"2", "Abs RP3", "3", 3}, {"3", "Abs RP4", "4", 4},
        {"4", "Abs RP1", "1", 1},     {"7", "Abs RP1", "7", 7}, {"abc", "Abs RP2", "2", 2},
    };
    FinishSplash();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "absent");
        if (c.stored) S().Settings().WriteString("global", "server", c.stored);
        Find<Label>("Label37")->setText("Abs RP1");
        ResetSync();
        Click("Label37");
        EXPECT_EQ(Text("Label37"), c.caption);
        EXPECT_EQ(Stored("global", "server"), c.written);
        EXPECT_EQ(S().Server(), c.index);
        EXPECT_EQ(S().KeyFile().FileName(), folder_.File("date/rp" + std::to_string(c.index) + "/keycomand.ini"));
        EXPECT_TRUE(SyncRequested());
    }
    EXPECT_FALSE(testsupport::Exists(folder_.File("date/rp7"))) << "no folder is created";
}

// ---- sync handshake ------------------------------------------------------------

TEST_F(Home, HandshakeCompletesOnceWhenTheFlagReadsZero)
{
    FinishSplash();
    Click("Label19");
    Click("Label21");  // within the same period: one handshake
    app_->Sync().Tick();
    EXPECT_TRUE(Messages().isEmpty()) << "the companion has not answered";
    EXPECT_TRUE(app_->Sync().Timer()->isActive());

    S().Settings().WriteString("global", "жетон", "4417203");
    S().Settings().WriteInteger("quorvel", "од", 0);
    app_->Sync().Tick();
    EXPECT_EQ(Messages(), QStringList{"Данные синхронизированы"});
    EXPECT_EQ(Text("Label17"), "4417203");
    EXPECT_FALSE(app_->Sync().Timer()->isActive()) << "stopped before the message: one message";
}

TEST_F(Home, OddFlagsCompleteTheHandshake)
{
    FinishSplash();
    for (const char* flag : {"<delete>", "yes", "", "0x0"}) {
        prompts::StartRecording();
        app_->Sync().Request();
        if (std::string(flag) == "<delete>") S().Settings().DeleteKey("quorvel", "од");
        else S().Settings().WriteString("quorvel", "од", flag);
        app_->Sync().Tick();
        EXPECT_EQ(Messages().size(), 1) << flag;
    }
}

TEST_F(Home, ARefusedWriteEndsTheHandlerBeforeTheSync)
{
    FinishSplash();
    folder_.WriteSettings("[setting]\r\nautogun=1\r\n");
    ::chmod(folder_.SettingsPath().c_str(), 0444);
    Click("Label19");
    ::chmod(folder_.SettingsPath().c_str(), 0644);
    EXPECT_EQ(Errors(), QStringList{QString::fromStdString("Unable to write to " + folder_.SettingsPath())});
    EXPECT_EQ(Text("Label19"), "Включено") << "the row still tells what the file holds";
    EXPECT_FALSE(app_->Sync().Timer()->isActive());
    EXPECT_EQ(Stored("quorvel", "од"), "<none>");
    // The program goes on.
    Click("Label19");
    EXPECT_EQ(Stored("setting", "autogun"), "0");
}

// ---- the binder's chat key and pause --------------------------------------------

TEST_F(Home, ChatKeyAndPauseShowWhatTheBinderUses)
{
    FinishSplash();
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"[binder]\r\nchat=VK70\r\npause=2500\r\n", "F1", "2,5 с"},
        {"[binder]\r\nchat=VK08\r\npause=10000\r\n", "Backspace", "10 с"},
        {"[binder]\r\npause=50\r\n", "T", "0,3 с"},  // within the binder's limits
        {"[binder]\r\nchat=QQQQ\r\n", "QQQQ", "1,2 с"},  // hand-edited: shown as stored
    };
    const QWidget* box = Find<QWidget>(QStringLiteral("GroupBox2"));
    for (const auto& [settings, key, pause] : cases) {
        SCOPED_TRACE(settings);
        folder_.WriteSettings(settings);
        Page().LoadProfileAndOptions();
        // A caption too wide for the box in the system's font is cut; the tooltip has it whole.
        EXPECT_TRUE(Find("ChatKeyLabel")->toolTip().endsWith(QString::fromUtf8(key)));
        EXPECT_TRUE(QString::fromUtf8(key).startsWith(Text("ChatKeyLabel").remove(QChar(0x2026))));
        EXPECT_EQ(Text("PauseLabel"), QString::fromUtf8(pause));
        const QRect keyRect = Find("ChatKeyLabel")->geometry();
        const QRect pauseRect = Find("PauseLabel")->geometry();
        EXPECT_GT(pauseRect.left(), keyRect.right() + 8) << "apart, whatever the key's caption";
        EXPECT_LE(pauseRect.right(), box->width() - 4);
        EXPECT_EQ(pauseRect.top(), keyRect.top());
    }
}

TEST_F(Home, PauseIsTypedInMillisecondsWithinTheLimits)
{
    FinishSplash();
    struct Case {
        bool accepted;
        const char* typed;
        const char* stored;  // afterwards
        const char* shown;
        bool refused;
    };
    const Case cases[] = {
        {true, " 2500 ", "2500", "2,5 с", false}, {true, "299", "2500", "2,5 с", true},
        {true, "10001", "2500", "2,5 с", true},   {true, "1,5", "2500", "2,5 с", true},
        {false, "700", "2500", "2,5 с", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ResetSync();
        prompts::StartRecording();
        prompts::QueueInput(c.accepted, QString::fromUtf8(c.typed));
        Click("PauseLabel");
        EXPECT_EQ(Stored("binder", "pause"), c.stored);
        EXPECT_EQ(Text("PauseLabel"), QString::fromUtf8(c.shown));
        EXPECT_EQ(Messages().size(), c.refused ? 1 : 0);
        EXPECT_EQ(SyncRequested(), c.accepted && !c.refused);
    }

    ResetSync();
    ::chmod(folder_.SettingsPath().c_str(), 0444);
    prompts::StartRecording();
    prompts::QueueInput(true, QStringLiteral("2000"));
    Click("PauseLabel");
    ::chmod(folder_.SettingsPath().c_str(), 0644);
    EXPECT_EQ(Errors(), QStringList{QString::fromStdString("Unable to write to " + folder_.SettingsPath())});
    EXPECT_EQ(Text("PauseLabel"), "2,5 с");
    EXPECT_FALSE(app_->Sync().Timer()->isActive());
}

TEST_F(Home, ChatKeyIsPickedOnTheKeyboardAndSwitchedOffToItsDefault)
{
    FinishSplash();
    HotkeyPicker* picker = Dialog<HotkeyPicker>();
    const auto pick = [&](const std::function<void()>& inPicker) {
        ResetSync();
        WithDialog(picker, [&] {
            inPicker();
            if (picker->isVisible()) picker->reject();
        });
        Click("ChatKeyLabel");
    };
    QStringList marked;
    pick([&] {
        marked = picker->Selection();
        picker->ClearKeyboard();
        picker->ToggleKey(picker->Shape(QStringLiteral("VK47")));
        picker->SaveCombination();
    });
    EXPECT_EQ(marked, QStringList{"VK54"}) << "opens on the key in use";
    EXPECT_EQ(Stored("binder", "chat"), "VK47");
    EXPECT_EQ(Text("ChatKeyLabel"), "G");
    EXPECT_TRUE(SyncRequested());

    pick([&] { picker->SwitchOff(); });
    EXPECT_EQ(Stored("binder", "chat"), "<none>");
    EXPECT_EQ(Text("ChatKeyLabel"), "T");

    // Refused by the file: the row stays as it was.
    ResetSync();
    ::chmod(folder_.SettingsPath().c_str(), 0444);
    pick([&] {
        picker->ClearKeyboard();
        picker->ToggleKey(picker->Shape(QStringLiteral("VK47")));
        Guarded(picker, [&] { picker->SaveCombination(); });
        EXPECT_TRUE(picker->isVisible());
    });
    ::chmod(folder_.SettingsPath().c_str(), 0644);
    EXPECT_EQ(Errors().size(), 1);
    EXPECT_EQ(Text("ChatKeyLabel"), "T");
    EXPECT_FALSE(SyncRequested());
}

// ---- with the real stand-in companion ------------------------------------------

class WithCompanion : public Home {
protected:
    void SetUp() override
    {
        Home::SetUp();
        std::filesystem::copy_file(buildpaths::kBinder, testsupport::U8Path(folder_.File("Quorvel.exe")));
    }
    void TearDown() override
    {
        // Gone for good, or the next test's panel would find it and launch none.
        companion::KillProcessByName("Quorvel.exe");
        EXPECT_TRUE(proctest::WaitUntil([] { return !companion::IsProcessRunning("Quorvel.exe"); }));
        Home::TearDown();
    }
    void StartPanel()
    {
        FinishSplash();
        ASSERT_TRUE(proctest::WaitUntil([] { return companion::IsExactProcessRunning("Quorvel.exe"); }));
    }
};

TEST_F(WithCompanion, AnOptionClickCompletesTheHandshake)
{
    folder_.WriteSettings("[global]\r\nnick=Ivan_Petrov\r\n");
    StartPanel();
    Click("Label23");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Messages().isEmpty(); }, 15000));
    EXPECT_EQ(Messages(), QStringList{"Данные синхронизированы"});
    const std::string badge = Stored("global", "жетон");
    EXPECT_EQ(badge.size(), 7u);
    EXPECT_EQ(Text("Label17"), QString::fromStdString(badge));
    EXPECT_EQ(Stored("quorvel", "од"), "0");
}

TEST_F(WithCompanion, KillSwitchStopsItAndTheStatusFollows)
{
    StartPanel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Text("Label35") == "Активен"; }, 5000));
    QTest::mouseClick(Main().KillSwitch(), Qt::LeftButton);
    ASSERT_TRUE(proctest::WaitUntil([] { return !companion::IsProcessRunning("Quorvel.exe"); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Text("Label35") == "Не активен"; }, 5000));
}

TEST_F(Home, WithoutACompanionNoMessageEverComes)
{
    FinishSplash();  // no Quorvel.exe in this program folder: the launch fails quietly
    Click("Label27");
    for (int tick = 0; tick < 25; ++tick) app_->Sync().Tick();  // five seconds of the sync poll
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Stored("quorvel", "од"), "1");
    EXPECT_TRUE(app_->Sync().Timer()->isActive());
}

}  // namespace
