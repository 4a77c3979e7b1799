#pragma once
// A text of the role-play or command editor as the binder will type it, line
// by line: each line through the language of a text (variables filled from
// the profile, what the binder asks as it types shown as placeholders), the
// chat messages it becomes, echoed with the nick in the forms the chat meter
// knows, with the "?" the chat gets for characters 1251 cannot hold; pauses,
// questions and screenshots as the steps they are. Built once from the whole
// text, then kept up to date from the lines an edit touched, so a keystroke
// in a large text costs only its own line.
//
// Driving it from a QTextDocument (one block a line):
//
//     connect(doc, &QTextDocument::contentsChange, [&](int pos, int, int added) {
//         QTextBlock block = doc->findBlock(pos);
//         const int first = block.blockNumber();
//         QTextBlock last = doc->findBlock(pos + added);
//         if (!last.isValid()) last = doc->lastBlock();  // a whole-text change reports one too many
//         std::vector<std::string> lines;
//         for (; block.isValid(); block = block.next()) {
//             lines.push_back(block.text().toStdString());
//             if (block == last) break;
//         }
//         preview.Edited(first, lines, doc->blockCount());
//     });
//
// Reporting more lines than changed costs time, never correctness.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/ChatLines.h"
#include "text/Script.h"

namespace text {

// What the preview fills in for the values the binder learns only as it
// types: "‹ID›", "‹ваш ID›", "‹место›", "‹ввод›".
Values PreviewValues(Profile profile, std::string time, std::string date);

// Milliseconds as the panel shows a pause: "1,2 с", "10 с".
std::string SecondsCaption(int ms);

enum class LineKind {
    Action,      // /me, /do: "* <nick> <text>"
    Speech,      // plain chat: "<nick>: <line>"
    Command,     // any other command: echoes nothing, shown as typed
    Empty,       // nothing is typed
    Pause,       // {пауза N}
    Question,    // {спросить ...}
    Screenshot,  // {скриншот}
};

// One chat message of a line.
struct PreviewMessage {
    LineKind kind = LineKind::Speech;  // Action, Speech or Command
    // As the chat shows it, UTF-8, the echo's head first. Every character is
    // one of 1251, so a character position here is also a UTF-16 (QString)
    // position.
    std::string shown;
    int headLength = 0;         // characters of the echo's head ("* Nick ", "Nick: ")
    std::vector<Span> values;   // filled-in values, in characters of `shown`
    std::vector<Span> unknown;  // braces typed as they stand
    // Still too long for the chat (a nick that leaves no room to split into).
    bool over = false;

    bool operator==(const PreviewMessage&) const = default;
};

struct PreviewLine {
    LineKind kind = LineKind::Empty;
    // The messages a line of chat becomes: one, or several for a line over
    // the chat's limits (each continuation repeats the line's command). None
    // for a line that types nothing and for the steps below.
    std::vector<PreviewMessage> messages;
    // Pause, Question, Screenshot: what the row says ("пауза 2,5 с").
    std::string note;
    // Ended in {дописать}: typed but not sent, and the text ends here.
    bool leaveOpen = false;
    // Not blank as written: a step of the text (the binder types at most kMaxSteps).
    bool step = false;

    bool Broken() const;      // a message the server will not show
    bool HasUnknown() const;  // a brace typed as it stands
    bool operator==(const PreviewLine&) const = default;
};

class ChatPreview {
public:
    // Measures every line: CR LF, LF or a lone CR ends one. Other values or a
    // new text are a new preview.
    explicit ChatPreview(Values values = {}, std::string_view text = {});

    // After an edit: the text now has `lineCount` lines, of which `lines` are
    // those from `first` on; every line before `first` and the lines after
    // them are as they were. Measures only `lines`. Throws std::out_of_range
    // when the numbers cannot describe an edit of the current lines.
    void Edited(int first, std::span<const std::string> lines, int lineCount);

    int LineCount() const { return static_cast<int>(lines_.size()); }
    const PreviewLine& Line(int index) const { return lines_.at(static_cast<size_t>(index)); }
    const std::vector<PreviewLine>& Lines() const { return lines_; }
    // The nick as the chat shows it.
    const std::string& Nick() const { return nick_; }
    const Values& FilledWith() const { return values_; }
    // The lines from the first on that the binder types: it stops after a
    // {дописать} line and after kMaxSteps steps. Scans every line.
    int TypedLines() const;

private:
    PreviewLine Measure(std::string_view line) const;

    Values values_;
    std::string nick_;
    ChatMeter meter_;
    std::vector<PreviewLine> lines_;
};

}  // namespace text
