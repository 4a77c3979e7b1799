#include "mainwindow/ChatPreviewWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

#include "widgets/ChatPreviewView.h"
#include "widgets/Look.h"

ChatPreviewWindow::ChatPreviewWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      mainWindow_(mainWindow),
      view_(new ChatPreviewView(this))
{
    setObjectName(QStringLiteral("ChatPreview"));
    setWindowTitle(QStringLiteral("Предпросмотр чата"));
    look::SetBackground(this, look::kWindow);
    resize(600, 467);
    view_->setGeometry(rect());
}

void ChatPreviewWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    view_->setGeometry(rect());
}

void ChatPreviewWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) close();
    else QWidget::keyPressEvent(event);
}

void ChatPreviewWindow::Refill(const text::Values& values)
{
    view_->Refill(values);
}

void ChatPreviewWindow::ShowFor(QPlainTextEdit* editor, const text::Values& values)
{
    if (!isVisible()) {
        // Beside the main window: right of it, else left of it, else as far
        // right as the screen goes.
        const QRect main = mainWindow_->frameGeometry();
        QPoint at(main.right() + 8, main.top());
        if (const QScreen* screen = mainWindow_->screen()) {
            const QRect free = screen->availableGeometry();
            if (at.x() + width() > free.right()) at.setX(main.left() - 8 - width());
            if (at.x() < free.left()) at.setX(std::max(free.left(), free.right() - width()));
            at.setY(std::clamp(at.y(), free.top(), std::max(free.top(), free.bottom() - height())));
        }
        move(at);
    }
    show();
    raise();
    // Once shown: the rows in sight decide where the editor's line scrolls to.
    view_->Follow(editor, values);
}
