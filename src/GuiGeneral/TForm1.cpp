#include "GuiGeneral/TForm1.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QTimer>

#include "GuiGeneral/ArticlePage.h"
#include "GuiGeneral/CommandPage.h"
#include "GuiGeneral/HomePage.h"
#include "GuiGeneral/KeyConflicts.h"
#include "GuiGeneral/KeySettingsPage.h"
#include "GuiGeneral/RolePlayPage.h"
#include "GuiGeneral/SearchBox.h"
#include "GuiGeneral/SetupTransfer.h"
#include "GuiGeneral/SharedState.h"
#include "guibase/ErrorGuard.h"
#include "guibase/QtText.h"
#include "guibase/Platform.h"
#include "companion/Contract.h"
#include "companion/Launch.h"
#include "companion/Processes.h"
#include "store/ServerPaths.h"
#include "widgets/Artwork.h"
#include "widgets/Label.h"
#include "widgets/Look.h"
#include "widgets/Panel.h"
#include "widgets/RxSwitch.h"

namespace {

const char* const kCompanionExe = companion::kCompanionExe.data();

struct MenuDesign {
    const char* prefix;  // bitmap names: prefix + state digit
    int number;          // SelectedMenu
    int page;            // ShowPage
    const char* label;
    const char* caption;
    QRect labelRect;
    const char* image;
    int imageTop;
    bool centredVertically;
};

// Top to bottom, in the order of TForm1::MenuItem.
const MenuDesign kMenuDesign[] = {
    {"HM", 3, 1, "Label4", "Домашня\nстраница", {0, 88, 167, 37}, "Image3", 80, false},
    {"OT", 2, 2, "Label3", "Настройка\nотыгровок", {0, 136, 167, 41}, "Image8", 128, false},
    {"RK", 1, 3, "Label2", " Редактор \nкоманд", {0, 183, 167, 33}, "Image7", 176, false},
    {"RS", 5, 4, "Label44", "  Редактор \nстатей", {0, 232, 167, 34}, "Image5", 224, false},
    {"NK", 6, 6, "Label54", "Настройка \nклавиш", {0, 273, 167, 49}, "Image9", 273, true},
    {"IN", 4, 4, "Label5", "    Инструкция", {0, 322, 167, 49}, "Image4", 322, true},
};

}  // namespace

TForm1::TForm1(SharedState& state)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      state_(state),
      companionWatch_(std::string(companion::kCompanionExe))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvel Script (v 1.0.1 beta)"));
    setWindowIcon(artwork::AppIcon());
    setFixedSize(622, 467);
    setFont(look::SansSerif());
    look::SetBackground(this, look::kWindow);

    // The creation handler's own work.
    state_.SelectedMenu = 3;
    state_.RpMode = QStringLiteral("not");

    transfer_ = new SetupTransfer(state_, this);
    connect(transfer_, &SetupTransfer::Applied, this, [this] { Guarded(this, [this] { ReloadSetup(); }); });
    BuildHeader();
    BuildMenu();
    BuildPages();

    rxSwitch1_ = new RxSwitch(this, QStringLiteral("RxSwitch1"));
    rxSwitch1_->setGeometry(56, 376, 50, 60);
    connect(rxSwitch1_, &RxSwitch::clicked, this, [this] { Guarded(this, [this] { RxSwitch1Click(); }); });

    BuildTray();

    search_ = new SearchBox(state_, this);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, search_, &SearchBox::Open);

    // The status poll runs from creation on, hidden or not.
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(200);
    connect(timer1_, &QTimer::timeout, this, &TForm1::Timer1Timer);
    timer1_->start();

    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(200);
    connect(timer2_, &QTimer::timeout, this, [this] { Guarded(this, [this] { Timer2Timer(); }); });
}

TForm1::~TForm1()
{
    delete popupMenu1_;  // a tray menu has no parent window
}

void TForm1::BuildHeader()
{
    auto* panel1 = new Panel(this, QStringLiteral("Panel1"));
    panel1->setGeometry(0, 0, 622, 81);
    look::SetBackground(panel1, Qt::black);

    auto* image2 = new Label(panel1, QStringLiteral("Image2"));
    image2->setGeometry(0, 0, 122, 81);
    image2->setScaledContents(true);
    image2->setPixmap(artwork::HeaderPicture());

    auto* label1 = new Label(QStringLiteral("Служить и защищать: твой напарник в каждом патруле, от первого "
                                            "доклада до последней отыгровки."),
                             panel1, QStringLiteral("Label1"));
    label1->setGeometry(184, 24, 302, 45);
    label1->setWordWrap(true);
    label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1->setFont(look::SegoeUi(12));

    // The setup's safety net, in the header's free corner.
    auto* backupLink = new Label(QStringLiteral("Копии настроек ▾"), panel1, QStringLiteral("BackupLink"));
    backupLink->setFont(look::SegoeUi(11));
    backupLink->SetFontColor(look::kClScrollBar);
    backupLink->setCursor(Qt::PointingHandCursor);
    backupLink->adjustSize();
    backupLink->move(622 - 10 - backupLink->width(), 8);
    look::MakeLink(backupLink);
    auto* backupMenu = new QMenu(backupLink);
    backupMenu->setObjectName(QStringLiteral("BackupMenu"));
    backupMenu->addActions({transfer_->ExportAction(), transfer_->ImportAction(), transfer_->RestoreAction()});
    connect(backupLink, &Label::MouseDown, this, [backupLink, backupMenu] {
        backupMenu->popup(backupLink->mapToGlobal(QPoint(0, backupLink->height() + 2)));
    });
    label1->SetFontColor(Qt::white);
}

void TForm1::BuildMenu()
{
    for (int i = 0; i < MenuCount; ++i) {
        const MenuDesign& d = kMenuDesign[i];
        MenuEntry& e = menu_[i];
        e.prefix = d.prefix;
        e.number = d.number;
        e.page = d.page;
        // The image is only a picture; the label over it takes the mouse.
        e.image = new Label(this, QString::fromLatin1(d.image));
        e.image->setGeometry(0, d.imageTop, 167, 49);
        // Design pictures: the home item selected, the others normal.
        e.image->setPixmap(artwork::MenuBitmap(QString::fromLatin1(e.prefix) + (i == MenuHome ? '4' : '1')));

        e.label = new Label(QString::fromUtf8(d.caption), this, QString::fromLatin1(d.label));
        e.label->setGeometry(d.labelRect);
        e.label->setWordWrap(true);
        e.label->setAlignment(Qt::AlignHCenter | (d.centredVertically ? Qt::AlignVCenter : Qt::AlignTop));
        e.label->setFont(look::SegoeUi(12, true));
        e.label->setCursor(Qt::PointingHandCursor);
        e.label->SetFontColor(i == MenuHome ? look::kClWindow : look::kClScrollBar);

        const auto item = static_cast<MenuItem>(i);
        connect(e.label, &Label::MouseDown, this, [this, item] { MenuMouseDown(item); });
        connect(e.label, &Label::MouseUp, this, [this, item] { MenuMouseUp(item); });
        connect(e.label, &Label::MouseEnter, this, [this, item] { MenuMouseEnter(item); });
        connect(e.label, &Label::MouseLeave, this, [this, item] { MenuMouseLeave(item); });
    }
}

void TForm1::BuildPages()
{
    home_ = new HomePage(state_, this);
    rolePlay_ = new RolePlayPage(state_, this);
    commands_ = new CommandPage(state_, this);
    articles_ = new ArticlePage(state_, this);
    keySettings_ = new KeySettingsPage(state_, this);
    pages_ = {home_,
              rolePlay_,
              commands_,
              articles_,
              new Page(state_, QStringLiteral("Shit5"), this),
              keySettings_,
              new Page(state_, QStringLiteral("Shit7"), this),
              new Page(state_, QStringLiteral("Shit8"), this)};
    for (int n = 1; n <= 8; ++n) {
        QWidget* page = pages_[n - 1];
        page->setGeometry(n == 2 ? 176 : 168, 81, 452, 384);
        page->setVisible(n == 1);
    }
    label35_ = findChild<Label*>(QStringLiteral("Label35"));
    label17_ = findChild<Label*>(QStringLiteral("Label17"));
    Q_ASSERT(label35_ && label17_);
}

void TForm1::BuildTray()
{
    popupMenu1_ = new QMenu();
    popupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
    d1_ = popupMenu1_->addAction(QStringLiteral("Развернуть"));
    d1_->setObjectName(QStringLiteral("D1"));
    d1_->setEnabled(false);  // until the first show
    popupMenu1_->addSeparator();
    popupMenu1_->addActions({transfer_->ExportAction(), transfer_->ImportAction(), transfer_->RestoreAction()});
    popupMenu1_->addSeparator();
    n1_ = popupMenu1_->addAction(QStringLiteral("Закрыть"));
    n1_->setObjectName(QStringLiteral("N1"));
    connect(d1_, &QAction::triggered, this, &TForm1::D1Click);
    connect(n1_, &QAction::triggered, this, &TForm1::N1Click);

    // Left clicks on the icon do nothing; its menu comes with the right button.
    tray_ = new QSystemTrayIcon(artwork::AppIcon(), this);
    tray_->setObjectName(QStringLiteral("RxTrayIcon1"));
    tray_->setContextMenu(popupMenu1_);
    if (QSystemTrayIcon::isSystemTrayAvailable()) tray_->show();
}

void TForm1::ShowPage(int n)
{
    if (n < 1 || n > 8) return;
    for (int i = 1; i <= 8; ++i) pages_[i - 1]->setVisible(i == n);
}

void TForm1::SetMenuState(MenuEntry& entry, int state)
{
    entry.bitmap = QString::fromLatin1(entry.prefix) + QString::number(state);
    entry.image->setPixmap(artwork::MenuBitmap(entry.bitmap));
    entry.label->SetFontColor(state == 2 || state == 4 ? look::kClWindow : look::kClScrollBar);
}

QString TForm1::MenuBitmapName(MenuItem item) const
{
    return menu_[item].bitmap;
}

void TForm1::MenuMouseDown(MenuItem item)
{
    Guarded(this, [&] {
        MenuEntry& pressed = menu_[item];
        state_.SelectedMenu = pressed.number;
        for (MenuEntry& e : menu_) SetMenuState(e, &e == &pressed ? 3 : 1);

        switch (item) {
        case MenuRolePlay:
            state_.DeriveRpDir();
            break;
        case MenuCommands:
            state_.DeriveRpDir();
            commands_->PointAt(state_.RpDir + QStringLiteral("команды"));
            break;
        case MenuArticles:
        case MenuInstruction:
            articles_->Open(ToQString(store::ArticlesFolder(state_.ExeDir, state_.ServerIndex)));
            break;
        case MenuKeys:
            keySettings_->HideKeyPages();
            keySettings_->ShowKeyPage(1);
            break;
        default:
            break;
        }
        ShowPage(pressed.page);
    });
}

void TForm1::MenuMouseUp(MenuItem item)
{
    SetMenuState(menu_[item], 4);
}

void TForm1::MenuMouseEnter(MenuItem item)
{
    if (state_.SelectedMenu == menu_[item].number) return;
    SetMenuState(menu_[item], 2);
}

void TForm1::MenuMouseLeave(MenuItem item)
{
    if (state_.SelectedMenu == menu_[item].number) return;
    SetMenuState(menu_[item], 1);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Restoring from the tray shows the window again; the sequence is once per run.
    if (firstShowDone_) return;
    firstShowDone_ = true;
    look::CentreOnScreen(this);
    Guarded(this, [this] { FormShow(); });
}

void TForm1::FormShow()
{
    // Before the first write of the run.
    transfer_->StartSnapshot();
    d1_->setEnabled(true);
    state_.ServerIndex = state_.SettingsIni->ReadInteger("global", "server", 1);
    state_.DeriveRpDir();
    state_.OpenKeyIni();
    home_->LoadProfileAndOptions();
    LaunchCompanion();
}

void TForm1::LaunchCompanion()
{
    // Two binders would type every text twice: an exact "Quorvel.exe" that
    // already runs is the one to keep.
    if (companion::IsExactProcessRunning(kCompanionExe)) return;
    ++launchAttempts_;
    companion::LaunchDetached(state_.ExeDir + kCompanionExe, std::string(companion::kStartParameter));
}

void TForm1::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TForm1::FormClose()
{
    if (companion::IsProcessRunning(kCompanionExe)) companion::KillProcessByName(kCompanionExe);
    if (state_.EndRun) state_.EndRun();
}

void TForm1::Timer1Timer()
{
    const bool running = companionWatch_.IsRunning();
    // Five ticks a second for hours: the label is touched only on a change.
    if (shownRunning_ == running) return;
    shownRunning_ = running;
    label35_->setText(running ? QStringLiteral("Активен") : QStringLiteral("Не активен"));
    label35_->SetFontColor(running ? look::kRunning : look::kAlert);
}

void TForm1::HotkeysChanged()
{
    const hotkeys::ConflictMap map = conflicts::Current(state_);
    keySettings_->MarkConflicts(map);
    rolePlay_->MarkConflicts(map);
    commands_->MarkConflicts(map);
}

void TForm1::ReloadSetup()
{
    state_.ServerIndex = state_.SettingsIni->ReadInteger("global", "server", 1);
    state_.DeriveRpDir();
    state_.OpenKeyIni();
    home_->LoadProfileAndOptions();
    rolePlay_->Reload();
    commands_->Reload(state_.RpDir + QStringLiteral("команды"));
    keySettings_->ShowKeyPage(keySettings_->ShownPage());
    HotkeysChanged();
    RequestSync();  // the companion reads its files again
}

void TForm1::RequestSync()
{
    state_.SettingsIni->WriteInteger(companion::kReloadSection, companion::kReloadKey, 1);
    // A request made while waiting joins the pending one.
    if (!timer2_->isActive()) timer2_->start();
}

void TForm1::Timer2Timer()
{
    if (state_.SettingsIni->ReadInteger(companion::kReloadSection, companion::kReloadKey, 0) != 0) return;
    timer2_->stop();  // before the message: one handshake, one message
    label17_->setText(
        ToQString(state_.SettingsIni->ReadString(companion::kGlobalSection, companion::kBadgeKey, "Не установлен")));
    prompts::Message(this, QStringLiteral("Данные синхронизированы"));
}

void TForm1::RxSwitch1Click()
{
    prompts::Message(this, QStringLiteral("Поздравляю! Вы заблокировали биндер для себя навечно!!!"));
    companion::KillProcessByName(kCompanionExe);
    rxSwitch1_->setEnabled(false);
}

void TForm1::D1Click()
{
    show();
    raise();
    activateWindow();
}

void TForm1::N1Click()
{
    close();
}

void TForm1::HideToTray()
{
    hide();
}

void TForm1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Where minimising arrives as a state change (not as a system command),
    // the window goes to the tray instead. Without a tray it minimises as
    // usual, or there would be no way back to it.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) &&
        tray_->isVisible()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        QTimer::singleShot(0, this, &TForm1::HideToTray);
    }
}

void TForm1::mousePressEvent(QMouseEvent* event)
{
    // Only presses on the bare background get here: every child keeps its own.
    event->accept();
    platform::BeginWindowDrag(this);
}

bool TForm1::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    if (platform::IsMinimizeCommand(eventType, message) && tray_->isVisible()) {
        HideToTray();
        *result = 0;
        return true;
    }
    return QWidget::nativeEvent(eventType, message, result);
}
