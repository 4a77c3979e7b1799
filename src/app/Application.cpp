#include "app/Application.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include "app/SplashWindow.h"
#include "dialogs/CallSignDialog.h"
#include "dialogs/DepartmentDialog.h"
#include "dialogs/EmptyWindow.h"
#include "dialogs/HotkeyPicker.h"
#include "dialogs/LargeTextEditor.h"
#include "dialogs/RankDialog.h"
#include "guibase/QtTranslation.h"
#include "mainwindow/MainWindow.h"
#include "session/CompanionMonitor.h"
#include "session/Session.h"
#include "session/SyncHandshake.h"
#include "widgets/Artwork.h"
#include "widgets/Look.h"

namespace {

// Runs `then` once after the watched window's first paint.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* window, std::function<void()> then) : QObject(window), then_(std::move(then))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && then_) {
            // After this paint has reached the screen.
            QTimer::singleShot(0, this, [then = std::move(then_)] { then(); });
            then_ = nullptr;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> then_;
};

}  // namespace

template <class Window, class... Args>
Window* Application::Make(Args&&... args)
{
    auto* window = new Window(std::forward<Args>(args)...);
    windows_ << window;
    return window;
}

Application::Application(std::string exeDir)
    : session_(std::make_unique<Session>(std::move(exeDir)))
{
    // The store is open before the first window exists.
    splash_ = Make<SplashWindow>();
    connect(splash_, &SplashWindow::closed, this, [this] {
        ended_ = true;
        emit runEnded();
        QCoreApplication::quit();
    });
}

void Application::BuildWindows()
{
    if (main_ != nullptr) return;
    // Decoding the icon would hold the splash up; it gets it now.
    splash_->setWindowIcon(artwork::AppIcon());
    look::InstallFontSubstitutes();
    qt_translation::InstallRussian(*QCoreApplication::instance());  // Qt's own buttons and menus
    // The status poll runs from the main window's making on.
    companion_ = std::make_unique<CompanionMonitor>(session_->ExeDir());
    main_ = Make<MainWindow>(*session_, *companion_);
    dialogs_.rank = Make<RankDialog>();
    dialogs_.department = Make<DepartmentDialog>();
    dialogs_.callSign = Make<CallSignDialog>();
    dialogs_.picker = Make<HotkeyPicker>(*session_);
    empty_ = Make<EmptyWindow>();
    dialogs_.largeText = Make<LargeTextEditor>();
    main_->UseDialogs(dialogs_);

    connect(splash_, &SplashWindow::handOver, main_, &QWidget::show);
    connect(main_, &MainWindow::closed, splash_, &QWidget::close);
    emit windowsBuilt();
}

Application::~Application()
{
    // Dialogs first: the main window's pages hold them.
    while (windows_.size() > 1) delete windows_.takeLast();
    main_ = nullptr;
    dialogs_ = {};
    delete splash_;
}

SyncHandshake& Application::Sync()
{
    return session_->Sync();
}

void Application::Start()
{
    new FirstPaint(splash_, [this] { BuildWindows(); });
    splash_->show();
    // A splash that is never painted (no screen to paint on) must not hold them up.
    QTimer::singleShot(500, this, &Application::BuildWindows);
}
