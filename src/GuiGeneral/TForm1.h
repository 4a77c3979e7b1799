#pragma once
// The main window: header band, side menu, the eight page panels, the kill
// switch, the tray icon, and the two timers that watch the companion.

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
class KeySettingsPage;
class SetupTransfer;
class SearchBox;
struct SharedState;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(SharedState& state);
    ~TForm1() override;

    // Makes page panel ShitN visible and the seven others invisible; any
    // other number does nothing.
    void ShowPage(int n);
    // Writes the reload request for the companion and starts waiting for its
    // answer. Throws store::WriteError when the request cannot be written.
    void RequestSync();
    // After a hotkey was written: the pages that show keys mark conflicts again.
    void HotkeysChanged();
    // After an import or a restore: the home page, the command file and the
    // pages that show files read everything again.
    void ReloadSetup();

    // Handlers.
    void FormShow();        // the first-show sequence
    void FormClose();       // stops the companion and ends the run
    void Timer1Timer();     // status poll
    void Timer2Timer();     // sync poll
    void D1Click();         // tray "Развернуть"
    void N1Click();         // tray "Закрыть"
    void RxSwitch1Click();  // the kill switch
    void HideToTray();

    enum MenuItem { MenuHome, MenuRolePlay, MenuCommands, MenuArticles, MenuKeys, MenuInstruction, MenuCount };
    void MenuMouseDown(MenuItem item);
    void MenuMouseUp(MenuItem item);
    void MenuMouseEnter(MenuItem item);
    void MenuMouseLeave(MenuItem item);
    // The resource name of the bitmap an item shows now ("HM4"); empty while
    // it still shows its design picture.
    QString MenuBitmapName(MenuItem item) const;

    HomePage* Home() const { return home_; }
    RolePlayPage* RolePlay() const { return rolePlay_; }
    CommandPage* Commands() const { return commands_; }
    ArticlePage* Articles() const { return articles_; }
    KeySettingsPage* KeySettings() const { return keySettings_; }
    SetupTransfer* Transfer() const { return transfer_; }
    SearchBox* Search() const { return search_; }
    QWidget* PageWidget(int n) const { return n >= 1 && n <= 8 ? pages_[n - 1] : nullptr; }
    QAction* RestoreAction() const { return d1_; }
    QAction* CloseAction() const { return n1_; }
    QTimer* StatusTimer() const { return timer1_; }
    QTimer* SyncTimer() const { return timer2_; }
    RxSwitch* KillSwitch() const { return rxSwitch1_; }
    bool FirstShowDone() const { return firstShowDone_; }
    int LaunchAttempts() const { return launchAttempts_; }

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

    SharedState& state_;
    std::array<MenuEntry, MenuCount> menu_;
    std::array<QWidget*, 8> pages_ {};
    HomePage* home_ = nullptr;
    RolePlayPage* rolePlay_ = nullptr;
    CommandPage* commands_ = nullptr;
    ArticlePage* articles_ = nullptr;
    KeySettingsPage* keySettings_ = nullptr;
    SearchBox* search_ = nullptr;
    SetupTransfer* transfer_ = nullptr;
    Label* label35_ = nullptr;
    Label* label17_ = nullptr;
    RxSwitch* rxSwitch1_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* popupMenu1_ = nullptr;
    QAction* d1_ = nullptr;
    QAction* n1_ = nullptr;
    QTimer* timer1_ = nullptr;
    companion::ProcessWatch companionWatch_;
    std::optional<bool> shownRunning_;  // what Label35 shows; none before the first tick
    QTimer* timer2_ = nullptr;
    bool firstShowDone_ = false;
    int launchAttempts_ = 0;
};
