#pragma once
// A text of the role-play or command editor as the chat will show it, line by
// line: echoed with the nick in the forms the chat meter knows, with the "?"
// the chat gets for characters 1251 cannot hold, and where each line breaks.
// Built once from the whole text, then kept up to date from the lines an edit
// touched, so a keystroke in a large text costs only its own line.
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

namespace text {

enum class LineKind {
    Action,   // /me, /do: "* <nick> <text>"
    Speech,   // plain chat: "<nick>: <line>"
    Command,  // any other command: echoes nothing, shown as typed
    Empty,    // nothing is typed
};

struct PreviewLine {
    LineKind kind = LineKind::Empty;
    // As the chat shows it, UTF-8. Every character is one of 1251, so a
    // character position here is also a UTF-16 (QString) position.
    std::string shown;
    int length = 0;  // characters of `shown`
    // The chat input takes 128 characters: what `shown` holds from here on
    // never reaches the chat. -1 when the whole line is typed.
    int cutAt = -1;
    // The echo of what is typed is over 144 characters, so the server drops
    // the whole line; this is where its 145th character stands. -1 when the
    // line is not dropped (and always for lines the server does not echo).
    int dropAt = -1;

    bool Broken() const { return cutAt >= 0 || dropAt >= 0; }
    bool operator==(const PreviewLine&) const = default;
};

class ChatPreview {
public:
    // Measures every line: CR LF, LF or a lone CR ends one. Another nick or a
    // new text is a new preview.
    explicit ChatPreview(std::string_view nick = {}, std::string_view text = {});

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

private:
    PreviewLine Measure(std::string_view line) const;

    std::string nick_;
    ChatMeter meter_;
    std::vector<PreviewLine> lines_;
};

}  // namespace text
