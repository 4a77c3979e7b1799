#pragma once
// "Предпросмотр": a window beside the main window that shows the role-play
// or command editor's text as the chat will show it, as the player types.

#include <QWidget>
#include <string>

class QPlainTextEdit;
class ChatPreviewView;

class ChatPreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChatPreviewWindow(QWidget* mainWindow);

    // Shows `editor`'s text with `nick`, beside the main window.
    void ShowFor(QPlainTextEdit* editor, const std::string& nick);
    ChatPreviewView* View() const { return view_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;  // Esc closes it

private:
    QWidget* mainWindow_;
    ChatPreviewView* view_;
};
