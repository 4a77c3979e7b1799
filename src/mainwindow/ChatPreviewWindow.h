#pragma once
// "Предпросмотр": a window beside the main window that shows the role-play
// or command editor's text as the binder will type it, as the player types.

#include <QWidget>

#include "text/Script.h"

class QPlainTextEdit;
class ChatPreviewView;

class ChatPreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChatPreviewWindow(QWidget* mainWindow);

    // Shows `editor`'s text filled with `values`, beside the main window.
    void ShowFor(QPlainTextEdit* editor, const text::Values& values);
    // The same text with other values (the profile changed meanwhile).
    void Refill(const text::Values& values);
    ChatPreviewView* View() const { return view_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;  // Esc closes it

private:
    QWidget* mainWindow_;
    ChatPreviewView* view_;
};
