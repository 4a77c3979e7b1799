#pragma once
// The main window: header band, side menu, the eight page panels, the kill
// switch, the tray icon, and the status poll that watches the companion.

#include <QWidget>
#include <array>
#include <optional>

#include "companion/Processes.h"

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class Label;
class RxSwitch;
class HomePage;
class RolePlayPage;
class CommandPage;
class ArticlePage;
class KeysPage;
class InstructionPage;
class KeyboardMapDialog;
class ChatPreviewWindow;
class QPlainTextEdit;
namespace hotkeys {
struct KeyHolder;
}
class SetupTransfer;
class SearchBox;
class Session;
class SyncHandshake;
struct SearchTarget;
struct Dialogs;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(Session& session, SyncHandshake& sync);
    ~MainWindow() override;

    // The dialogs the pages open; they are made after this window.
    void UseDialogs(const Dialogs& dialogs);

    enum MenuItem { MenuHome, MenuRolePlay, MenuCommands, MenuArticles, MenuKeys, MenuInstruction, MenuCount };

    // Makes page panel ShitN visible and the seven others invisible; any
    // other number does nothing.
    void ShowPage(int n);
    // Opens an item's page as a press and release on it would.
    void OpenPage(MenuItem item);
    // After an import or a restore: the home page, the command file and the
    // pages that show files read everything again.
    void ReloadSetup();

    // Handlers.
    void FirstShow();       // the first-show sequence
    void PollStatus();      // Timer1, the status line
    void RestoreFromTray(); // tray "Развернуть" (D1)
    void KillCompanion();   // RxSwitch1, the kill switch
    void HideToTray();
    void PressMenu(MenuItem item);
    void ReleaseMenu(MenuItem item);
    void HoverMenu(MenuItem item);
    void LeaveMenu(MenuItem item);
    // The resource name of the bitmap an item shows now ("HM4"); empty while
    // it still shows its design picture.
    QString MenuBitmapName(MenuItem item) const;
    // The side-menu item selected now, by its number (the home item is 3).
    int SelectedMenu() const { return selectedMenu_; }

    HomePage* Home() const { return home_; }
    RolePlayPage* RolePlay() const { return rolePlay_; }
    CommandPage* Commands() const { return commands_; }
    ArticlePage* Articles() const { return articles_; }
    KeysPage* Keys() const { return keys_; }
    InstructionPage* Instruction() const { return instruction_; }
    // "Карта клавиш", made when first asked for.
    KeyboardMapDialog* OpenKeyboardMap();
    // "Предпросмотр" of an editor, made when first asked for.
    ChatPreviewWindow* OpenPreview(QPlainTextEdit* editor);
    SetupTransfer* Transfer() const { return transfer_; }
    SearchBox* Search() const { return search_; }
    QWidget* PageWidget(int n) const { return n >= 1 && n <= 8 ? pages_[n - 1] : nullptr; }
    QAction* RestoreAction() const { return d1_; }
    QAction* CloseAction() const { return n1_; }
    QTimer* StatusTimer() const { return timer1_; }
    RxSwitch* KillSwitch() const { return rxSwitch1_; }
    bool FirstShowDone() const { return firstShowDone_; }
    int LaunchAttempts() const { return launchAttempts_; }

signals:
    // The window was closed and the companion stopped: the run ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct MenuEntry {
        const char* prefix = nullptr;  // bitmap names: prefix + state digit
        int number = 0;                // SelectedMenu
        int page = 0;                  // ShowPage
        Label* image = nullptr;
        Label* label = nullptr;
        QString bitmap;      // resource shown now; empty for the design picture
    };

    void BuildHeader();
    void BuildMenu();
    void BuildPages();
    void BuildTray();
    void SetMenuState(MenuEntry& entry, int state);
    void LaunchCompanion();
    void ShowSearchResult(const SearchTarget& target, int line, const QString& query);
    // A link of the guide: a page's name, or "copies" for the copies menu.
    void OpenGuideLink(const QString& page);
    void PopUpBackupMenu();
    // A holder the keyboard map points at, in its own editor.
    void EditHolder(const hotkeys::KeyHolder& holder);

    Session& session_;
    SyncHandshake& sync_;
    int selectedMenu_ = 3;
    std::array<MenuEntry, MenuCount> menu_;
    std::array<QWidget*, 8> pages_ {};
    HomePage* home_ = nullptr;
    RolePlayPage* rolePlay_ = nullptr;
    CommandPage* commands_ = nullptr;
    ArticlePage* articles_ = nullptr;
    KeysPage* keys_ = nullptr;
    InstructionPage* instruction_ = nullptr;
    KeyboardMapDialog* keyboardMap_ = nullptr;
    ChatPreviewWindow* preview_ = nullptr;
    Label* backupLink_ = nullptr;  // "Копии настроек ▾"
    QMenu* backupMenu_ = nullptr;
    SearchBox* search_ = nullptr;
    SetupTransfer* transfer_ = nullptr;
    RxSwitch* rxSwitch1_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* popupMenu1_ = nullptr;
    QAction* d1_ = nullptr;
    QAction* n1_ = nullptr;
    QTimer* timer1_ = nullptr;
    companion::ProcessWatch companionWatch_;
    std::optional<bool> shownRunning_;  // what Label35 shows; none before the first tick
    bool firstShowDone_ = false;
    int launchAttempts_ = 0;
};
