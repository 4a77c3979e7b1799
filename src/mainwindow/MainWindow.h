#pragma once
// The main window: header band, side menu, the eight page panels, the kill
// switch and the tray icon. It starts and stops the companion through the
// monitor and shows the page each menu item opens; the pages read and show
// their own data.

#include <QWidget>
#include <array>
#include <optional>


class Page;
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
class CompanionMonitor;
class Session;
struct SearchTarget;
struct Dialogs;

// The side menu's items, top to bottom.
enum class MenuItem { Home, RolePlay, Commands, Articles, Keys, Instruction };
inline constexpr int kMenuItems = 6;

// The eight page panels Shit1 … Shit8, by what they hold.
enum class PagePanel { Home = 1, RolePlay, Commands, Articles, Instruction, Keys, Spare7, Spare8 };
inline constexpr int kPagePanels = 8;

// What a menu item's bitmap shows: its picture's number ("HM1" … "HM4").
enum class MenuLook { Normal = 1, Hover = 2, Pressed = 3, Selected = 4 };

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(Session& session, CompanionMonitor& companion);
    ~MainWindow() override;

    // The dialogs the pages open; they are made after this window.
    void UseDialogs(const Dialogs& dialogs);

    // Makes the page panel visible and the seven others invisible.
    void ShowPage(PagePanel panel);
    // Opens an item's page as a press and release on it would.
    void OpenPage(MenuItem item);

    // Handlers.
    void FirstShow();       // the first-show sequence
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
    // The side-menu item selected now, by the number the layout gives it
    // (SelectedMenu: the home item is 3).
    int SelectedMenu() const;

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
    Page* PageOf(PagePanel panel) const { return pages_[static_cast<size_t>(panel) - 1]; }
    QAction* RestoreAction() const { return restoreAction_; }
    QAction* CloseAction() const { return closeAction_; }
    RxSwitch* KillSwitch() const { return killSwitch_; }
    bool FirstShowDone() const { return firstShowDone_; }

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
        const char* prefix = nullptr;  // bitmap names: prefix + look digit
        Label* image = nullptr;
        Label* label = nullptr;
        QString bitmap;      // resource shown now; empty for the design picture
    };

    void BuildHeader();
    void BuildMenu();
    void BuildPages();
    void BuildTray();
    void SetMenuLook(MenuEntry& entry, MenuLook look);
    MenuEntry& Entry(MenuItem item) { return menu_[static_cast<size_t>(item)]; }
    void ShowSearchResult(const SearchTarget& target, int line, const QString& query);
    // A link of the guide: a page's name, or "copies" for the copies menu.
    void OpenGuideLink(const QString& page);
    void PopUpBackupMenu();
    // A holder the keyboard map points at, in its own editor.
    void EditHolder(const hotkeys::KeyHolder& holder);

    Session& session_;
    CompanionMonitor& companion_;
    MenuItem selected_ = MenuItem::Home;
    std::array<MenuEntry, kMenuItems> menu_;
    std::array<Page*, kPagePanels> pages_ {};
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
    RxSwitch* killSwitch_ = nullptr;     // RxSwitch1
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* trayMenu_ = nullptr;          // PopupMenu1
    QAction* restoreAction_ = nullptr;   // D1 "Развернуть"
    QAction* closeAction_ = nullptr;     // N1 "Закрыть"
    bool firstShowDone_ = false;
};
