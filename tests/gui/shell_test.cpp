// Start-up, splash hand-over, shutdown, the side menu and the tray of the
// main window, and the companion's status line and kill switch.

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTextBlock>
#include <QTextBrowser>
#include <map>
#include <set>

#include "GuiTestSupport.h"
#include "mainwindow/InstructionPage.h"
#include "mainwindow/SearchBox.h"
#include "companion/Processes.h"
#include "core/process_test_support.h"
#include "widgets/Artwork.h"
#include "widgets/Look.h"
#include "widgets/RxSwitch.h"
#include "core/BuildPaths.h"

namespace {

using guitest::PanelTest;
using namespace std::chrono_literals;

class Shell : public PanelTest {};
// Counts launches or closes the main window, which stops every companion.
class ShellCompanion : public PanelTest {};

TEST_F(Shell, CreatesTheEightWindowsHiddenInTheirOrder)
{
    QStringList order;
    for (QWidget* w : app_->Windows()) {
        order << w->objectName();
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    }
    EXPECT_EQ(order, QStringList({"Form3", "Form1", "Form2", "Form4", "Form5", "Form6", "Form7", "Form8"}));
    EXPECT_EQ(Main().SelectedMenu(), 3);
    // The status poll and the tray menu live from the main window's creation on.
    EXPECT_TRUE(app_->Companion()->Timer()->isActive());
    EXPECT_FALSE(app_->Sync().Timer()->isActive());
    EXPECT_FALSE(Main().RestoreAction()->isEnabled());
    EXPECT_TRUE(Main().CloseAction()->isEnabled());
}

TEST(ShellStart, TheSplashComesFirstAndTheOtherWindowsRightAfterIt)
{
    guitest::ProgramFolder folder;
    Application run(folder.Path());
    ASSERT_EQ(run.Windows().size(), 1) << "only the splash before the start";
    run.Start();
    EXPECT_TRUE(run.Splash()->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.Windows().size() == 8; }, 5000));
    EXPECT_FALSE(run.Main()->isVisible());
}

TEST_F(Shell, SplashHandsOverAfterExactlyTenTicks)
{
    app_->Start();
    SplashWindow* splash = app_->Splash();
    auto* bar = Find<QProgressBar>("ProgressBar1");
    for (int tick = 1; tick <= 9; ++tick) {
        splash->Tick();
        EXPECT_EQ(bar->value(), tick);
        EXPECT_TRUE(splash->isVisible());
        EXPECT_FALSE(Main().isVisible());
        EXPECT_FALSE(Main().RestoreAction()->isEnabled()) << "greyed while the splash is up";
    }
    splash->Tick();
    EXPECT_EQ(bar->value(), 10);
    EXPECT_TRUE(Main().isVisible());
    EXPECT_FALSE(splash->isVisible());
    EXPECT_FALSE(splash->findChild<QTimer*>("Timer1")->isActive());
    EXPECT_FALSE(app_->Ended()) << "the splash is hidden, not closed";
    EXPECT_FALSE(Dialog<EmptyWindow>()->isVisible());
}

TEST_F(ShellCompanion, FirstShowDerivesTheServerPathsAndLaunchesOnce)
{
    folder_.WriteSettings("[global]\r\nserver=3\r\n");
    FinishSplash();
    EXPECT_TRUE(Main().FirstShowDone());
    EXPECT_TRUE(Main().RestoreAction()->isEnabled());
    EXPECT_EQ(S().Server(), 3);
    EXPECT_EQ(S().RolePlayFolder(), folder_.RolePlayFolder(3));
    EXPECT_EQ(S().KeyFile().FileName(), folder_.KeyFile(3));
    EXPECT_EQ(Text("Label37"), "Abs RP3");
    EXPECT_EQ(app_->Companion()->LaunchAttempts(), 1);

    // Restoring from the tray any number of times repeats none of it.
    for (int i = 0; i < 3; ++i) {
        Main().HideToTray();
        EXPECT_FALSE(Main().isVisible());
        Main().RestoreFromTray();
        EXPECT_TRUE(Main().isVisible());
    }
    EXPECT_EQ(app_->Companion()->LaunchAttempts(), 1);
}

TEST_F(Shell, OutOfRangeServerStillNamesTheFolders)
{
    folder_.WriteSettings("[global]\r\nserver=7\r\n");
    FinishSplash();
    EXPECT_EQ(S().Server(), 7);
    EXPECT_EQ(S().KeyFile().FileName(), folder_.File("date/rp7/keycomand.ini"));
    EXPECT_EQ(Text("Label37"), "Abs RP1");
}

TEST_F(ShellCompanion, CloseDuringTheSplashEndsTheRunWithoutLaunching)
{
    app_->Start();
    app_->Splash()->Tick();
    Main().CloseAction()->trigger();
    EXPECT_TRUE(app_->Ended());
    EXPECT_FALSE(Main().FirstShowDone());
    EXPECT_EQ(app_->Companion()->LaunchAttempts(), 0);
    EXPECT_FALSE(app_->Splash()->isVisible());
}

TEST_F(ShellCompanion, ClosingTheMainWindowEndsTheRun)
{
    FinishSplash();
    Main().close();
    EXPECT_TRUE(app_->Ended());
}

// ---- side menu -------------------------------------------------------------

struct MenuCase {
    MenuItem item;
    const char* label;
    const char* prefix;
    int number;
    int page;
};

const MenuCase kMenu[] = {
    {MenuItem::Home, "Label4", "HM", 3, 1},     {MenuItem::RolePlay, "Label3", "OT", 2, 2},
    {MenuItem::Commands, "Label2", "RK", 1, 3}, {MenuItem::Articles, "Label44", "RS", 5, 4},
    {MenuItem::Keys, "Label54", "NK", 6, 6},    {MenuItem::Instruction, "Label5", "IN", 4, 5},
};

class Menu : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        FinishSplash();
    }
    int VisiblePage()
    {
        int shown = 0;
        for (int n = 1; n <= 8; ++n)
            if (Main().PageOf(static_cast<PagePanel>(n))->isVisible()) shown = shown ? -1 : n;
        return shown;
    }
    QColor LabelColor(const MenuCase& c) { return Find<Label>(c.label)->FontColor(); }
};

TEST_F(Menu, PressSelectsTheItemAndShowsItsPage)
{
    for (const MenuCase& c : kMenu) {
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            SCOPED_TRACE(std::string(c.label) + " button " + std::to_string(button));
            QTest::mousePress(Find<Label>(c.label), button);
            EXPECT_EQ(Main().SelectedMenu(), c.number);
            for (const MenuCase& other : kMenu) {
                EXPECT_EQ(Main().MenuBitmapName(other.item), QString(other.prefix) + (&other == &c ? "3" : "1"));
                EXPECT_EQ(LabelColor(other), look::kClScrollBar);
            }
            EXPECT_EQ(VisiblePage(), c.page);
            QTest::mouseRelease(Find<Label>(c.label), button);
            EXPECT_EQ(Main().MenuBitmapName(c.item), QString(c.prefix) + "4");
            EXPECT_EQ(LabelColor(c), look::kClWindow);
        }
    }
}

TEST_F(Menu, HoverChangesOnlyItemsThatAreNotSelected)
{
    for (const MenuCase& c : kMenu) {
        SCOPED_TRACE(c.label);
        Label* label = Find<Label>(c.label);
        Main().PressMenu(c.item);
        Main().ReleaseMenu(c.item);
        emit label->MouseEnter();
        EXPECT_EQ(Main().MenuBitmapName(c.item), QString(c.prefix) + "4");
        emit label->MouseLeave();
        EXPECT_EQ(Main().MenuBitmapName(c.item), QString(c.prefix) + "4");
        EXPECT_EQ(LabelColor(c), look::kClWindow);

        const MenuCase& other = &c == &kMenu[0] ? kMenu[1] : kMenu[0];
        emit Find<Label>(other.label)->MouseEnter();
        EXPECT_EQ(Main().MenuBitmapName(other.item), QString(other.prefix) + "2");
        EXPECT_EQ(LabelColor(other), look::kClWindow);
        emit Find<Label>(other.label)->MouseLeave();
        EXPECT_EQ(Main().MenuBitmapName(other.item), QString(other.prefix) + "1");
        EXPECT_EQ(LabelColor(other), look::kClScrollBar);
    }
}

TEST_F(Menu, ReleaseOutsideTheLabelStillSelects)
{
    Label* label = Find<Label>("Label3");
    QTest::mousePress(label, Qt::LeftButton);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(500, 500));
    EXPECT_EQ(Main().MenuBitmapName(MenuItem::RolePlay), "OT4");
    EXPECT_EQ(VisiblePage(), 2);
}

TEST_F(Menu, TheInstructionShowsTheGuideAndEveryLinkOfItLeadsSomewhere)
{
    Main().OpenPage(MenuItem::Instruction);
    EXPECT_EQ(VisiblePage(), 5);
    QTextBrowser* guide = Main().Instruction()->Browser();
    ASSERT_TRUE(guide->toPlainText().startsWith(QStringLiteral("Инструкция"))) << "the guide is embedded";

    const std::map<QString, int> pages = {{"home", 1}, {"roleplay", 2}, {"commands", 3}, {"articles", 4}, {"keys", 6}};
    std::set<QString> seen;
    for (QTextBlock b = guide->document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QString href = it.fragment().charFormat().anchorHref();
            if (href.isEmpty() || !seen.insert(href).second) continue;
            SCOPED_TRACE(href.toStdString());
            const QUrl url(href);
            if (url.scheme() == QLatin1String("page") && url.path() == QLatin1String("copies")) {
                emit guide->anchorClicked(url);  // the copies menu pops up
                EXPECT_TRUE(Find<QMenu>("BackupMenu")->isVisible());
                Find<QMenu>("BackupMenu")->close();
            } else if (url.scheme() == QLatin1String("page")) {
                ASSERT_TRUE(pages.count(url.path())) << "a page the panel has";
                Main().OpenPage(MenuItem::Instruction);
                emit guide->anchorClicked(url);
                EXPECT_EQ(VisiblePage(), pages.at(url.path()));
            } else {
                ASSERT_TRUE(href.startsWith(u'#'));
                bool found = false;
                for (QTextBlock t = guide->document()->begin(); t.isValid() && !found; t = t.next())
                    for (auto f = t.begin(); !f.atEnd() && !found; ++f)
                        found = f.fragment().charFormat().anchorNames().contains(href.mid(1));
                EXPECT_TRUE(found) << "a heading of the guide";
            }
        }
    }
    EXPECT_GE(seen.size(), 10u);

    // Ctrl+F finds it too.
    SearchBox* search = Main().Search();
    search->Open();
    search->Edit()->setText(QStringLiteral("Hook"));
    ASSERT_GT(search->Results()->count(), 0);
    EXPECT_TRUE(search->Results()->item(0)->data(Qt::UserRole).toString().startsWith(QStringLiteral("Инструкция")));
    Main().OpenPage(MenuItem::Home);
    search->Choose(0);
    EXPECT_EQ(VisiblePage(), 5);
    EXPECT_EQ(guide->textCursor().selectedText(), QStringLiteral("Hook"));
}

TEST_F(Menu, DesignLooksAtStartAndPageGeometry)
{
    EXPECT_EQ(Main().MenuBitmapName(MenuItem::Home), "") << "design picture until the first change";
    EXPECT_EQ(LabelColor(kMenu[0]), look::kClWindow);
    for (int i = 1; i < 6; ++i) EXPECT_EQ(LabelColor(kMenu[i]), look::kClScrollBar);
    EXPECT_EQ(VisiblePage(), 1);
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(Main().PageOf(static_cast<PagePanel>(n))->geometry(), QRect(n == 2 ? 176 : 168, 81, 452, 384)) << n;
        EXPECT_EQ(Main().PageOf(static_cast<PagePanel>(n))->objectName(), QString("Shit%1").arg(n));
    }
    EXPECT_EQ(Main().size(), QSize(622, 467));
    EXPECT_EQ(Main().windowTitle(), "Quorvel Script (v 1.0.1 beta)");
}

TEST_F(Menu, EveryBitmapIsAResourceOfTheRightSize)
{
    for (const MenuCase& c : kMenu) {
        for (int state = 1; state <= 4; ++state) {
            const QPixmap pm = artwork::MenuBitmap(QString(c.prefix) + QString::number(state));
            EXPECT_EQ(pm.deviceIndependentSize().toSize(), QSize(167, 49)) << c.prefix << state;
            EXPECT_EQ(pm.size(), (QSizeF(167, 49) * qApp->devicePixelRatio()).toSize()) << "made at the screen's pixels";
        }
    }
}

class MenuCompanion : public Menu {};  // counts launches

TEST_F(MenuCompanion, TrayRoundTripKeepsPageAndPictures)
{
    Main().OpenPage(MenuItem::Articles);
    Main().HideToTray();
    EXPECT_FALSE(Main().isVisible());
    Main().RestoreAction()->trigger();
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(VisiblePage(), 4);
    EXPECT_EQ(Main().SelectedMenu(), 5);
    EXPECT_EQ(Main().MenuBitmapName(MenuItem::Articles), "RS4");
    EXPECT_EQ(app_->Companion()->LaunchAttempts(), 1);
}

TEST_F(Menu, TextButtonsTurnRedUnderTheMouse)
{
    Label label(QStringLiteral("x"), nullptr, QStringLiteral("LabelX"));
    look::MakeLink(&label);
    emit label.MouseEnter();
    EXPECT_EQ(label.FontColor(), QColor(0xFF, 0, 0));
    emit label.MouseLeave();
    EXPECT_EQ(label.FontColor(), QColor(0xFF, 0xFF, 0xFF));
}

TEST_F(Menu, AHandlerErrorIsShownAndTheProgramGoesOn)
{
    // The commands folder of server 2 is gone: pointing the list at it fails.
    std::filesystem::remove_all(testsupport::U8Path(folder_.CommandsFolder(1)));
    Main().PressMenu(MenuItem::Commands);
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].contains(QString::fromStdString(folder_.CommandsFolder(1)).chopped(1)))
        << Errors()[0].toStdString();
    EXPECT_EQ(VisiblePage(), 1) << "the page is not shown";
    Main().PressMenu(MenuItem::Articles);
    EXPECT_EQ(VisiblePage(), 4);
}

// ---- companion status and the kill switch -----------------------------------

class Companion : public PanelTest {
protected:
    // A long-running program under the companion's name, from the program folder.
    std::unique_ptr<proctest::Child> StartNamed(const std::string& name)
    {
        const std::string path = folder_.File(name);
        proctest::CopyRunner(path);
        auto child = std::make_unique<proctest::Child>(path);
        EXPECT_TRUE(child->Started());
        return child;
    }
};

TEST_F(Companion, StatusLineFollowsTheProcessList)
{
    EXPECT_EQ(Text("Label35"), "Не активен!");
    app_->Companion()->Poll();
    EXPECT_EQ(Text("Label35"), "Не активен");
    EXPECT_EQ(Find<Label>("Label35")->FontColor(), QColor(0xC0, 0x39, 0x2B));

    // Also during the splash, and for a name that only begins with the companion's.
    auto child = StartNamed("Quorvel.exe.bak");
    app_->Companion()->Poll();
    EXPECT_EQ(Text("Label35"), "Активен");
    EXPECT_EQ(Find<Label>("Label35")->FontColor(), QColor(0x00, 0x80, 0x00));

    // Closing stops only exact names: the .bak keeps running.
    Main().close();
    EXPECT_TRUE(app_->Ended());
    EXPECT_FALSE(child->WaitForExit(300ms));
}

// Counts the paints a widget gets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// Started and killed by other hands; the first tick after a change shows it,
// and ticks that change nothing repaint nothing.
TEST_F(Companion, StatusFollowsOthersAndRepaintsOnlyOnAChange)
{
    FinishSplash();  // no companion in the folder: nothing is launched
    QWidget* label = Find("Label35");
    ASSERT_TRUE(label->isVisible());
    app_->Companion()->Poll();
    EXPECT_EQ(Text("Label35"), "Не активен");

    auto child = StartNamed("Quorvel.exe");
    PaintCounter counter(label);
    app_->Companion()->Poll();
    EXPECT_EQ(Text("Label35"), "Активен");
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0) << "a change is painted";

    counter.paints = 0;
    for (int tick = 0; tick < 5; ++tick) {
        app_->Companion()->Poll();
        QApplication::processEvents();
    }
    EXPECT_EQ(counter.paints, 0);

    child->TerminateUnreaped();
    ASSERT_TRUE(child->WaitEndedUnreaped(5s));
    app_->Companion()->Poll();
    EXPECT_EQ(Text("Label35"), "Не активен");
    EXPECT_EQ(Find<Label>("Label35")->FontColor(), QColor(0xC0, 0x39, 0x2B));
}

TEST_F(Companion, CloseStopsEveryCompanionEvenDuringTheSplash)
{
    auto first = StartNamed("Quorvel.exe");
    std::filesystem::create_directories(testsupport::U8Path(folder_.File("other")));
    auto second = StartNamed("other/QUORVEL.EXE");
    app_->Start();
    Main().CloseAction()->trigger();
    EXPECT_TRUE(app_->Ended());
    EXPECT_TRUE(first->WaitForExit(5s));
    EXPECT_TRUE(second->WaitForExit(5s));
    EXPECT_EQ(app_->Companion()->LaunchAttempts(), 0);
}

TEST_F(Companion, NoSecondCompanionIsLaunched)
{
    auto running = StartNamed("Quorvel.exe");
    FinishSplash();
    EXPECT_EQ(app_->Companion()->LaunchAttempts(), 0);
}

TEST_F(Companion, FirstShowLaunchesTheCompanionForReal)
{
    std::filesystem::copy_file(buildpaths::kBinder, testsupport::U8Path(folder_.File("Quorvel.exe")));
    FinishSplash();
    EXPECT_EQ(app_->Companion()->LaunchAttempts(), 1);
    EXPECT_TRUE(proctest::WaitUntil([] { return companion::IsExactProcessRunning("Quorvel.exe"); }));
    app_->Companion()->Poll();
    EXPECT_EQ(Text("Label35"), "Активен");
    Main().close();
    EXPECT_TRUE(proctest::WaitUntil([] { return !companion::IsProcessRunning("Quorvel.exe"); }));
}

TEST_F(Companion, KillSwitchStopsTheCompanionOnceAndGreysOut)
{
    auto child = StartNamed("Quorvel.exe");
    FinishSplash();
    RxSwitch* sw = Main().KillSwitch();
    // The message is up while the companion still runs.
    bool runningDuringMessage = false;
    prompts::SetWhileShown([&](const prompts::Shown&) {
        runningDuringMessage = companion::IsProcessRunning("Quorvel.exe");
    });
    QTest::mouseClick(sw, Qt::LeftButton);
    EXPECT_TRUE(runningDuringMessage);
    EXPECT_EQ(Messages(), QStringList{"Поздравляю! Вы заблокировали биндер для себя навечно!!!"});
    EXPECT_TRUE(sw->IsOn());
    EXPECT_FALSE(sw->isEnabled());
    EXPECT_TRUE(child->WaitForExit(5s));
    app_->Companion()->Poll();
    EXPECT_EQ(Text("Label35"), "Не активен");
    QTest::mouseClick(sw, Qt::LeftButton);
    EXPECT_EQ(Messages().size(), 1) << "a greyed switch ignores clicks";
}

TEST_F(Companion, SpaceFlipsThePictureOnly)
{
    auto child = StartNamed("Quorvel.exe");
    RxSwitch* sw = Main().KillSwitch();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(sw, &press);
    QApplication::sendEvent(sw, &release);
    EXPECT_TRUE(sw->IsOn());
    EXPECT_TRUE(sw->isEnabled());
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_FALSE(child->WaitForExit(200ms));
    EXPECT_EQ(sw->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
}

}  // namespace
