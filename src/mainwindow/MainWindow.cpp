#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QHash>
#include <QMenu>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QTimer>

#include "backup/Journal.h"
#include "companion/Contract.h"
#include "guibase/ErrorGuard.h"
#include "guibase/Platform.h"
#include "guibase/Prompts.h"
#include "guibase/QtText.h"
#include "hotkeys/BinderKeys.h"
#include "mainwindow/ArticlePage.h"
#include "mainwindow/CommandPage.h"
#include "mainwindow/Dialogs.h"
#include "mainwindow/HomePage.h"
#include "mainwindow/ChatPreviewWindow.h"
#include "mainwindow/InstructionPage.h"
#include "dialogs/KeyboardMapDialog.h"
#include "hotkeys/KeyboardMap.h"
#include "mainwindow/KeysPage.h"
#include "mainwindow/RolePlayPage.h"
#include "mainwindow/SearchBox.h"
#include "mainwindow/SetupTransfer.h"
#include "session/CompanionMonitor.h"
#include "session/Session.h"
#include "session/SyncHandshake.h"
#include "text/ChatPreview.h"
#include "widgets/Artwork.h"
#include "widgets/Label.h"
#include "widgets/Look.h"
#include "widgets/Panel.h"
#include "widgets/RxSwitch.h"

namespace {

struct MenuDesign {
    const char* prefix;  // bitmap names: prefix + look digit
    int number;          // SelectedMenu, as the layout numbers the items
    PagePanel page;      // what it opens
    const char* label;
    const char* caption;
    QRect labelRect;
    const char* image;
    int imageTop;
    bool centredVertically;
};

// Top to bottom, in the order of MenuItem.
const MenuDesign kMenuDesign[] = {
    {"HM", 3, PagePanel::Home, "Label4", "Домашня\nстраница", {0, 88, 167, 37}, "Image3", 80, false},
    {"OT", 2, PagePanel::RolePlay, "Label3", "Настройка\nотыгровок", {0, 136, 167, 41}, "Image8", 128, false},
    {"RK", 1, PagePanel::Commands, "Label2", " Редактор \nкоманд", {0, 183, 167, 33}, "Image7", 176, false},
    {"RS", 5, PagePanel::Articles, "Label44", "  Редактор \nстатей", {0, 232, 167, 34}, "Image5", 224, false},
    {"NK", 6, PagePanel::Keys, "Label54", "Настройка \nклавиш", {0, 273, 167, 49}, "Image9", 273, true},
    // The instruction item has a page of its own: a guide, not the law books.
    {"IN", 4, PagePanel::Instruction, "Label5", "    Инструкция", {0, 322, 167, 49}, "Image4", 322, true},
};
static_assert(std::size(kMenuDesign) == kMenuItems);

const MenuDesign& Design(MenuItem item)
{
    return kMenuDesign[static_cast<size_t>(item)];
}

// The profile as the home page shows it, and the clock, for the preview.
text::Values PreviewValuesOf(const Session& session)
{
    using namespace companion;
    text::Profile profile;
    profile.nick = session.Nick();
    profile.rank = session.Read(kRank);
    profile.department = session.Read(kDepartment);
    profile.tag = session.Read(kCallSign);
    profile.extraTag = session.Read(kExtraTag);
    profile.badge = session.Read(kBadge);
    profile.female = session.Read(kGender) == kFemale;
    const QDateTime now = QDateTime::currentDateTime();
    return text::PreviewValues(std::move(profile), now.toString(QStringLiteral("HH:mm")).toStdString(),
                               now.toString(QStringLiteral("dd.MM.yyyy")).toStdString());
}

}  // namespace

MainWindow::MainWindow(Session& session, CompanionMonitor& companion)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      session_(session),
      companion_(companion)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvel Script (v 1.0.1 beta)"));
    setWindowIcon(artwork::AppIcon());
    setFixedSize(622, 467);
    setFont(look::SansSerif());
    look::SetBackground(this, look::kWindow);

    transfer_ = new SetupTransfer(session_, this);
    BuildHeader();
    BuildMenu();
    BuildPages();

    killSwitch_ = new RxSwitch(this, QStringLiteral("RxSwitch1"));
    killSwitch_->setGeometry(56, 376, 50, 60);
    connect(killSwitch_, &RxSwitch::clicked, this, [this] { Guarded(this, [this] { KillCompanion(); }); });

    BuildTray();

    search_ = new SearchBox(session_, this);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, search_, &SearchBox::Open);
    connect(search_, &SearchBox::resultChosen, this, [this](const SearchTarget& target, int line, const QString& query) {
        Guarded(this, [&] { ShowSearchResult(target, line, query); });
    });

    // The companion's answer to a sync request (the home page shows the badge).
    connect(&session_.Sync(), &SyncHandshake::synced, this,
            [this] { prompts::Message(this, QStringLiteral("Данные синхронизированы")); });
    connect(&session_.Sync(), &SyncHandshake::failed, this, [this](const QString& message) { prompts::Error(this, message); });
}

MainWindow::~MainWindow()
{
    delete trayMenu_;  // a tray menu has no parent window
}

void MainWindow::BuildHeader()
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
    backupMenu_ = new QMenu(backupLink);
    backupMenu_->setObjectName(QStringLiteral("BackupMenu"));
    backupMenu_->addActions({transfer_->ExportAction(), transfer_->ImportAction(), transfer_->RestoreAction()});
    backupLink_ = backupLink;
    connect(backupLink, &Label::MouseDown, this, &MainWindow::PopUpBackupMenu);
    label1->SetFontColor(Qt::white);
}

void MainWindow::BuildMenu()
{
    for (int i = 0; i < kMenuItems; ++i) {
        const MenuDesign& d = kMenuDesign[i];
        MenuEntry& e = menu_[static_cast<size_t>(i)];
        const auto item = static_cast<MenuItem>(i);
        e.prefix = d.prefix;
        // The image is only a picture; the label over it takes the mouse.
        e.image = new Label(this, QString::fromLatin1(d.image));
        e.image->setGeometry(0, d.imageTop, 167, 49);
        // Design pictures: the home item selected, the others normal.
        e.image->setPixmap(artwork::MenuBitmap(QString::fromLatin1(e.prefix) +
                                               QString::number(static_cast<int>(item == MenuItem::Home ? MenuLook::Selected
                                                                                                       : MenuLook::Normal))));

        e.label = new Label(QString::fromUtf8(d.caption), this, QString::fromLatin1(d.label));
        e.label->setGeometry(d.labelRect);
        e.label->setWordWrap(true);
        e.label->setAlignment(Qt::AlignHCenter | (d.centredVertically ? Qt::AlignVCenter : Qt::AlignTop));
        e.label->setFont(look::SegoeUi(12, true));
        e.label->setCursor(Qt::PointingHandCursor);
        e.label->SetFontColor(item == MenuItem::Home ? look::kClWindow : look::kClScrollBar);

        connect(e.label, &Label::MouseDown, this, [this, item] { PressMenu(item); });
        connect(e.label, &Label::MouseUp, this, [this, item] { ReleaseMenu(item); });
        connect(e.label, &Label::MouseEnter, this, [this, item] { HoverMenu(item); });
        connect(e.label, &Label::MouseLeave, this, [this, item] { LeaveMenu(item); });
    }
}

void MainWindow::BuildPages()
{
    home_ = new HomePage(session_, companion_, this);
    rolePlay_ = new RolePlayPage(session_, this);
    connect(rolePlay_, &RolePlayPage::previewRequested, this, &MainWindow::OpenPreview);
    commands_ = new CommandPage(session_, this);
    connect(commands_, &CommandPage::previewRequested, this, &MainWindow::OpenPreview);
    articles_ = new ArticlePage(session_, this);
    keys_ = new KeysPage(session_, this);
    connect(keys_, &KeysPage::keyboardMapRequested, this, [this] { OpenKeyboardMap(); });
    instruction_ = new InstructionPage(session_, this);
    connect(instruction_, &InstructionPage::pageRequested, this, &MainWindow::OpenGuideLink);
    pages_ = {home_,
              rolePlay_,
              commands_,
              articles_,
              instruction_,
              keys_,
              new Page(session_, QStringLiteral("Shit7"), this),
              new Page(session_, QStringLiteral("Shit8"), this)};
    for (int n = 1; n <= kPagePanels; ++n) {
        Page* page = pages_[static_cast<size_t>(n - 1)];
        page->setGeometry(static_cast<PagePanel>(n) == PagePanel::RolePlay ? 176 : 168, 81, 452, 384);
        page->setVisible(static_cast<PagePanel>(n) == PagePanel::Home);
    }
}

void MainWindow::BuildTray()
{
    trayMenu_ = new QMenu();
    trayMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    restoreAction_ = trayMenu_->addAction(QStringLiteral("Развернуть"));
    restoreAction_->setObjectName(QStringLiteral("D1"));
    restoreAction_->setEnabled(false);  // until the first show
    trayMenu_->addSeparator();
    trayMenu_->addActions({transfer_->ExportAction(), transfer_->ImportAction(), transfer_->RestoreAction()});
    trayMenu_->addSeparator();
    closeAction_ = trayMenu_->addAction(QStringLiteral("Закрыть"));
    closeAction_->setObjectName(QStringLiteral("N1"));
    connect(restoreAction_, &QAction::triggered, this, &MainWindow::RestoreFromTray);
    connect(closeAction_, &QAction::triggered, this, &QWidget::close);

    // Left clicks on the icon do nothing; its menu comes with the right button.
    tray_ = new QSystemTrayIcon(artwork::AppIcon(), this);
    tray_->setObjectName(QStringLiteral("RxTrayIcon1"));
    tray_->setContextMenu(trayMenu_);
    if (QSystemTrayIcon::isSystemTrayAvailable()) tray_->show();
}

void MainWindow::ShowPage(PagePanel panel)
{
    for (Page* page : pages_) page->setVisible(page == PageOf(panel));
}

void MainWindow::SetMenuLook(MenuEntry& entry, MenuLook menuLook)
{
    entry.bitmap = QString::fromLatin1(entry.prefix) + QString::number(static_cast<int>(menuLook));
    entry.image->setPixmap(artwork::MenuBitmap(entry.bitmap));
    const bool lit = menuLook == MenuLook::Hover || menuLook == MenuLook::Selected;
    entry.label->SetFontColor(lit ? look::kClWindow : look::kClScrollBar);
}

QString MainWindow::MenuBitmapName(MenuItem item) const
{
    return menu_[static_cast<size_t>(item)].bitmap;
}

int MainWindow::SelectedMenu() const
{
    return Design(selected_).number;
}

void MainWindow::PressMenu(MenuItem item)
{
    Guarded(this, [&] {
        selected_ = item;
        for (MenuEntry& e : menu_) SetMenuLook(e, &e == &Entry(item) ? MenuLook::Pressed : MenuLook::Normal);
        // The page reads what it reads at this moment; a failure leaves it hidden.
        PageOf(Design(item).page)->Opened();
        ShowPage(Design(item).page);
    });
}

void MainWindow::OpenPage(MenuItem item)
{
    PressMenu(item);
    ReleaseMenu(item);
}

void MainWindow::ReleaseMenu(MenuItem item)
{
    SetMenuLook(Entry(item), MenuLook::Selected);
}

void MainWindow::HoverMenu(MenuItem item)
{
    if (selected_ == item) return;
    SetMenuLook(Entry(item), MenuLook::Hover);
}

void MainWindow::LeaveMenu(MenuItem item)
{
    if (selected_ == item) return;
    SetMenuLook(Entry(item), MenuLook::Normal);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Restoring from the tray shows the window again; the sequence is once per run.
    if (firstShowDone_) return;
    firstShowDone_ = true;
    look::CentreOnScreen(this);
    Guarded(this, [this] { FirstShow(); });
}

void MainWindow::FirstShow()
{
    // An import a crash cut short is undone before anything reads the setup;
    // the player hears of it once the window is up.
    const std::string recovered = backup::RecoverInterrupted(session_.ExeDir()).Message();
    if (!recovered.empty())
        QTimer::singleShot(0, this, [this, text = ToQString(recovered)] { prompts::Message(this, text); });
    // Before the first write of the run.
    transfer_->StartSnapshot();
    restoreAction_->setEnabled(true);
    session_.LoadServer();
    home_->LoadProfileAndOptions();
    companion_.Launch();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    companion_.StopIfRunning();
    event->accept();
    emit closed();
}

void MainWindow::UseDialogs(const Dialogs& dialogs)
{
    home_->UseDialogs(dialogs);
    rolePlay_->UsePicker(dialogs.picker);
    commands_->UseDialogs(dialogs.picker, dialogs.largeText);
    keys_->UsePicker(dialogs.picker);
}

void MainWindow::ShowSearchResult(const SearchTarget& target, int line, const QString& query)
{
    switch (target.kind) {
    case SearchTarget::Kind::RolePlay:
        OpenPage(MenuItem::RolePlay);
        rolePlay_->SelectEntry(target.index, line, query);
        break;
    case SearchTarget::Kind::Command:
        OpenPage(MenuItem::Commands);
        commands_->SelectCommand(target.name, line, query);
        break;
    case SearchTarget::Kind::Article:
        OpenPage(MenuItem::Articles);
        articles_->ShowArticle(static_cast<store::LawBook>(target.index), target.name);
        break;
    case SearchTarget::Kind::Key:
        OpenPage(MenuItem::Keys);
        keys_->SelectRow(hotkeys::BinderKeys()[static_cast<size_t>(target.index)]);
        break;
    case SearchTarget::Kind::Guide:
        OpenPage(MenuItem::Instruction);
        instruction_->ShowSection(target.name, query);
        break;
    case SearchTarget::Kind::KeyboardMap:
        OpenPage(MenuItem::Keys);
        OpenKeyboardMap();
        break;
    }
}

KeyboardMapDialog* MainWindow::OpenKeyboardMap()
{
    if (keyboardMap_ == nullptr) {
        keyboardMap_ = new KeyboardMapDialog(session_, this);
        connect(keyboardMap_, &KeyboardMapDialog::holderChosen, this,
                [this](const hotkeys::KeyHolder& holder) { Guarded(this, [&] { EditHolder(holder); }); });
    }
    keyboardMap_->show();
    keyboardMap_->raise();
    keyboardMap_->activateWindow();
    return keyboardMap_;
}

ChatPreviewWindow* MainWindow::OpenPreview(QPlainTextEdit* editor)
{
    if (preview_ == nullptr) {
        preview_ = new ChatPreviewWindow(this);
        // A profile edited while the preview is open shows at once; so does
        // the badge the companion hands back.
        const auto refill = [this] {
            if (preview_->isVisible()) preview_->Refill(PreviewValuesOf(session_));
        };
        connect(&session_, &Session::profileChanged, preview_, refill);
        connect(&session_.Sync(), &SyncHandshake::synced, preview_, refill);
    }
    preview_->ShowFor(editor, PreviewValuesOf(session_));
    return preview_;
}

void MainWindow::EditHolder(const hotkeys::KeyHolder& holder)
{
    switch (holder.editor) {
    case hotkeys::HolderEditor::Action:
        OpenPage(MenuItem::Keys);
        keys_->SelectRow(*holder.action);
        keys_->EditHotkey(*holder.action);
        break;
    case hotkeys::HolderEditor::RolePlay:
        OpenPage(MenuItem::RolePlay);
        rolePlay_->SelectEntry(holder.rolePlayEntry, -1, {});
        rolePlay_->EditHotkey();
        break;
    case hotkeys::HolderEditor::Command:
        OpenPage(MenuItem::Commands);
        commands_->SelectCommandNamed(ToQString(holder.key));
        raise();
        activateWindow();
        break;
    case hotkeys::HolderEditor::ChatKey:
        OpenPage(MenuItem::Home);
        home_->EditChatKey();
        break;
    }
}

// "Копии настроек ▾": the menu drops from under the link.
void MainWindow::PopUpBackupMenu()
{
    backupMenu_->popup(backupLink_->mapToGlobal(QPoint(0, backupLink_->height() + 2)));
}

void MainWindow::OpenGuideLink(const QString& page)
{
    static const QHash<QString, MenuItem> kPages = {
        {QStringLiteral("home"), MenuItem::Home},         {QStringLiteral("roleplay"), MenuItem::RolePlay},
        {QStringLiteral("commands"), MenuItem::Commands}, {QStringLiteral("articles"), MenuItem::Articles},
        {QStringLiteral("keys"), MenuItem::Keys},
    };
    if (page == QLatin1String("copies")) {
        PopUpBackupMenu();
    } else if (const auto it = kPages.constFind(page); it != kPages.constEnd()) {
        OpenPage(*it);
    }
}

void MainWindow::KillCompanion()
{
    prompts::Message(this, QStringLiteral("Поздравляю! Вы заблокировали биндер для себя навечно!!!"));
    companion_.Stop();
    killSwitch_->setEnabled(false);
}

void MainWindow::RestoreFromTray()
{
    show();
    raise();
    activateWindow();
}

void MainWindow::HideToTray()
{
    hide();
}

void MainWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Where minimising arrives as a state change (not as a system command),
    // the window goes to the tray instead. Without a tray it minimises as
    // usual, or there would be no way back to it.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) &&
        tray_->isVisible()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        QTimer::singleShot(0, this, &MainWindow::HideToTray);
    }
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    // Only presses on the bare background get here: every child keeps its own.
    event->accept();
    platform::BeginWindowDrag(this);
}

bool MainWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    if (platform::IsMinimizeCommand(eventType, message) && tray_->isVisible()) {
        HideToTray();
        *result = 0;
        return true;
    }
    return QWidget::nativeEvent(eventType, message, result);
}
