#pragma once
// Marks the lines of a memo that do not fit the game's chat (a band behind
// the line, the part past the limit stronger) and shows, for the line the
// cursor is on, "строка 3: 131 / 128" in a status label while it is too
// long. Only changed lines are measured again, so typing stays cheap in a
// large text. The marks are formats, not text: Text() and undo never see them.

#include <QSyntaxHighlighter>
#include <string>

#include "text/ChatLines.h"

class QAction;
class QLabel;
class Memo;

class ChatMarks : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // Adds "Разбить длинные строки" to the memo's context menu; call after
    // the memo got its own menu, if any.
    ChatMarks(Memo* memo, QLabel* status);

    // Echoed lines leave room for the nick; marks are redone when it changed.
    void SetNick(const std::string& nick);
    // Splits every over-long line of the memo as one undoable step.
    void SplitLongLines();

    text::LineCheck CheckLine(const QString& line) const;
    QAction* SplitAction() const { return split_; }
    static const QString kSplitText;

protected:
    void highlightBlock(const QString& text) override;

private:
    void UpdateStatus();

    Memo* memo_;
    QLabel* status_;
    QAction* split_ = nullptr;
    std::string nick_;
    text::ChatMeter meter_;
};
