#pragma once
// An editor's text as the game's chat will show it: one row a line, echoed
// with the nick ("* Nick достал бланк", "Nick: Стоять!"), commands that echo
// nothing shown as typed and dimmed, each kind in its colour on the chat's
// dark background. A line the input cuts is struck through from the cut on;
// a line the server drops is marked in the gutter and from where it breaks.
// It follows the editor as the player types: only the changed lines are
// measured again.

#include <QAbstractScrollArea>
#include <QPointer>
#include <memory>

#include "text/ChatPreview.h"

class QPlainTextEdit;

class ChatPreviewView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ChatPreviewView(QWidget* parent = nullptr);
    ~ChatPreviewView() override;

    // Shows `editor`'s text with `nick` and follows it from now on.
    void Follow(QPlainTextEdit* editor, const std::string& nick);
    const text::ChatPreview& Preview() const { return *preview_; }
    // What row `row` says to a reader: the line as shown, or why it breaks.
    QString RowTip(int row) const;

    static QColor ColorOf(text::LineKind kind);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void Changed(int position, int removed, int added);
    void UpdateScrollBars();
    void FollowCursor();
    int RowHeight() const;
    int TextWidth() const;
    // The line painted at height `y` of the viewport.
    int RowAt(int y) const;

    std::unique_ptr<text::ChatPreview> preview_;
    QPointer<QPlainTextEdit> editor_;
    QList<QMetaObject::Connection> connections_;
    int cursorRow_ = -1;  // the editor's cursor line, lit
};
