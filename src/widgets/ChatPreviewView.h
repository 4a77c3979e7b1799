#pragma once
// An editor's text as the binder will type it into the game's chat: each
// chat message a row, echoed with the nick ("* Nick достал бланк", "Nick:
// Стоять!"), commands that echo nothing shown as typed and dimmed, each kind
// in its colour on the chat's dark background. A line the binder types as
// several messages shows them under each other, its continuations hooked to
// it; pauses, questions and screenshots show as the steps they are. Filled-in
// values are tinted, braces the binder does not know are underlined. It
// follows the editor as the player types: only the changed lines are
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

    // Shows `editor`'s text filled with `values` and follows it from now on.
    void Follow(QPlainTextEdit* editor, const text::Values& values);
    // The same editor with other values (the profile changed).
    void Refill(const text::Values& values);
    const text::ChatPreview& Preview() const { return *preview_; }
    // What line `line` says to a reader: what the binder does with it.
    QString RowTip(int line) const;

    static QColor ColorOf(text::LineKind kind);
    static const QString kUnknownTip;

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
    int LineAt(int y) const;

    std::unique_ptr<text::ChatPreview> preview_;
    QPointer<QPlainTextEdit> editor_;
    QList<QMetaObject::Connection> connections_;
    int cursorRow_ = -1;  // the editor's cursor line, lit
};
