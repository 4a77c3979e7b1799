// The safety net in the panel: the start's snapshot, export of a scope,
// the import preview in both modes, and an applied import reloading the pages.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QListWidget>
#include <QPushButton>

#include "EditorTestSupport.h"
#include "mainwindow/SetupTransfer.h"
#include "mainwindow/MainWindow.h"
#include "GuiTestSupport.h"
#include "backup/Archive.h"
#include "backup/Snapshots.h"
#include "dialogs/ImportPreview.h"
#include "dialogs/KeyboardMapDialog.h"
#include "hotkeys/KeyboardMap.h"
#include "mainwindow/SearchBox.h"
#include "widgets/KeyboardMapView.h"
#include "store/Cp1251.h"

namespace {

using guitest::PanelTest;

class Transfer : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        folder_.WriteSettings("[global]\r\nnick=Old_Nick\r\n[hotkeys]\r\nkey37=VK70\r\nkey40=VK71\r\n");
        Put(folder_.RolePlayFolder(1) + "штраф.txt", "old text");
        Put(folder_.RolePlayFolder(1) + "stop1.txt", "only here");
        FinishSplash();
    }
    static void Put(const std::string& path, const std::string& utf8)
    {
        testsupport::WriteBytes(path, store::Utf8ToCp1251(utf8));
    }
    // An archive of server 1 and the profile that differs from the folder.
    backup::Archive Incoming()
    {
        backup::Archive a;
        a.manifest.created = "10.12.2026 09:00:00";
        a.manifest.scope = {true, {1}};
        a.files = {{"Setting.ini", store::Utf8ToCp1251("[global]\r\nnick=New_Nick\r\n[hotkeys]\r\nkey37=VK12 & VK46\r\n")},
                   {"отыгровки/rp1/штраф.txt", store::Utf8ToCp1251("new text")}};
        return a;
    }
};

TEST_F(Transfer, TheStartLeavesOneSnapshotOfTheSetupAsItWas)
{
    const auto snapshots = backup::ListSnapshots(folder_.Path());
    ASSERT_EQ(snapshots.size(), 1u);
    EXPECT_EQ(store::Cp1251ToUtf8(backup::ReadArchive(snapshots[0].path).files.at("отыгровки/rp1/stop1.txt")), "only here");
}

TEST_F(Transfer, ThePreviewShowsWhatEachModeWouldDo)
{
    ImportPreview preview(folder_.Path(), Incoming(), QStringLiteral("a.zip"));
    EXPECT_EQ(preview.Changes(), (QStringList{QStringLiteral("заменится: Setting.ini"),
                                              QStringLiteral("заменится: отыгровки/rp1/штраф.txt")}));
    EXPECT_EQ(preview.Hotkeys(), QStringList{QStringLiteral("Фиксация игрока под прицелом: F1 → Alt+F")});
    preview.SetMode(backup::Mode::Replace);
    EXPECT_EQ(preview.Changes(), (QStringList{QStringLiteral("заменится: Setting.ini"),
                                              QStringLiteral("удалится: отыгровки/rp1/stop1.txt"),
                                              QStringLiteral("заменится: отыгровки/rp1/штраф.txt")}));
    EXPECT_EQ(preview.Hotkeys().size(), 2);  // key40 goes as well
}

TEST_F(Transfer, AnAppliedImportKeepsACopyAndReloadsThePages)
{
    Put(folder_.RolePlayFolder(1) + "штраф.txt", "changed since the start");
    const QWidget* modal = editortest::WithModal([&] { Main().Transfer()->Offer(Incoming(), QStringLiteral("a.zip")); },
                                                 [](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("Apply"))->click(); });
    ASSERT_NE(modal, nullptr);
    EXPECT_EQ(Stored("global", "nick"), "New_Nick");
    EXPECT_EQ(Stored("hotkeys", "key40"), "VK71");  // merge keeps it
    EXPECT_EQ(Text(QStringLiteral("Label7")), "New_Nick");
    const auto snapshots = backup::ListSnapshots(folder_.Path());
    ASSERT_EQ(snapshots.size(), 2u);
    EXPECT_EQ(store::Cp1251ToUtf8(backup::ReadArchive(snapshots[0].path).files.at("отыгровки/rp1/штраф.txt")),
              "changed since the start");
    EXPECT_TRUE(Errors().isEmpty());
}

// An import that moves the run to another server: every page shows that
// server's files at the moment it reads them, with no restart.
TEST_F(Transfer, AfterAnImportToAnotherServerEveryPageShowsItsData)
{
    Put(folder_.CommandsFolder(1) + "первый.lcb", "/me первый");
    Put(folder_.RolePlayFolder(2) + "штраф.txt", "на втором сервере");
    Main().OpenPage(MenuItem::RolePlay);
    Main().PageOf(PagePanel::RolePlay)->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
    Main().OpenPage(MenuItem::Commands);
    auto* commands = Main().PageOf(PagePanel::Commands)->findChild<QListWidget*>(QStringLiteral("RComand"));
    ASSERT_EQ(commands->count(), 1);
    Main().OpenPage(MenuItem::Home);

    backup::Archive a;
    a.manifest.created = "10.12.2026 09:00:00";
    a.manifest.scope = {true, {2}};
    a.files = {{"Setting.ini", store::Utf8ToCp1251("[global]\r\nnick=New_Nick\r\nserver=2\r\n")},
               {"отыгровки/rp2/команды/второй.lcb", store::Utf8ToCp1251("/me второй")},
               {"date/rp2/keycomand.ini", store::Utf8ToCp1251("[keys]\r\nвторой=VK12 & VK4E\r\n")}};
    editortest::WithModal([&] { Main().Transfer()->Offer(a, QStringLiteral("a.zip")); },
                          [](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("Apply"))->click(); });
    ASSERT_TRUE(Errors().isEmpty()) << Errors().join(u'\n').toStdString();

    // The home page at once.
    EXPECT_EQ(Text(QStringLiteral("Label37")), "Abs RP2");
    EXPECT_EQ(Text(QStringLiteral("Label7")), "New_Nick");
    // The command list and the role-play text when their menu items open them.
    Main().OpenPage(MenuItem::Commands);
    ASSERT_EQ(commands->count(), 1);
    EXPECT_EQ(commands->item(0)->text(), QStringLiteral("второй.lcb"));
    Main().OpenPage(MenuItem::RolePlay);
    EXPECT_EQ(Main().PageOf(PagePanel::RolePlay)->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText(),
              QStringLiteral("на втором сервере"));
    // Search and the keyboard map at their next use.
    SearchBox* search = Main().Search();
    search->Open();
    search->Edit()->setText(QStringLiteral("второй"));
    EXPECT_GE(search->Results()->count(), 1);
    EXPECT_TRUE(search->Results()->item(0)->data(Qt::UserRole).toString().contains(QStringLiteral("второй")));
    search->close();
    const hotkeys::MapKey* n = Main().OpenKeyboardMap()->View()->Map().Find("VK4E");
    ASSERT_NE(n, nullptr);
    ASSERT_EQ(n->holders.size(), 1u);
    EXPECT_EQ(n->holders[0].key, "второй");
}

TEST_F(Transfer, ExportingOneServerLeavesTheRestOut)
{
    const std::string zip = folder_.File("one.zip");
    prompts::QueueChoice(1);  // "Только сервер 1"
    prompts::QueueInput(true, QString::fromStdString(zip));
    Main().Transfer()->Export();
    const backup::Archive a = backup::ReadArchive(zip);
    EXPECT_FALSE(a.manifest.scope.settings);
    EXPECT_EQ(a.files.size(), 2u);
    EXPECT_EQ(a.files.count("Setting.ini"), 0u);
}

}  // namespace

namespace {

// What a killed import leaves between two renames: the journal, the new
// Setting.ini in place and the old one kept beside it. The first show puts
// the old one back before anything reads it, and then says so.
class Recovery : public guitest::PanelTest {};

TEST_F(Recovery, AnImportACrashCutShortIsUndoneAtTheFirstShow)
{
    folder_.WriteSettings("[global]\r\nnick=New_Nick\r\n");
    const std::string kept = ".quorvel-save-4000000000-7.tmp";  // of a process long gone
    testsupport::WriteBytes(folder_.File(kept), store::Utf8ToCp1251("[global]\r\nnick=Old_Nick\r\n"));
    std::filesystem::create_directories(testsupport::U8Path(folder_.File("backup")));
    testsupport::WriteBytes(folder_.File("backup/import-journal.txt"),
                            "quorvel-import-journal 1\npid=4000000000\nprogram=gone\nstate=renaming\n"
                            "file=Setting.ini\t\t" + kept + "\nend\n");
    FinishSplash();
    EXPECT_EQ(Text("Label7"), "Old_Nick") << "the page reads the old setup";
    QCoreApplication::processEvents();
    EXPECT_EQ(Messages(), QStringList{"Импорт настроек был прерван и отменён: прежние настройки восстановлены."});
    EXPECT_FALSE(testsupport::Exists(folder_.File(kept)));
    EXPECT_FALSE(testsupport::Exists(folder_.File("backup/import-journal.txt")));
}

}  // namespace
