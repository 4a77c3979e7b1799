#include "text/ChatPreview.h"

#include <algorithm>
#include <stdexcept>

#include "store/Cp1251.h"

namespace text {
namespace {

// The text as the chat gets it: what 1251 cannot hold is "?".
std::string As1251Shows(std::string_view utf8)
{
    return store::Cp1251ToUtf8(store::Utf8ToCp1251(utf8));
}

LineKind KindOf(std::string_view line, Echo echo)
{
    switch (echo) {
    case Echo::Action:
        return LineKind::Action;
    case Echo::Chat:
        return LineKind::Speech;
    case Echo::None:
        break;
    }
    return line.empty() ? LineKind::Empty : LineKind::Command;
}

}  // namespace

ChatPreview::ChatPreview(std::string_view nick, std::string_view text) : nick_(As1251Shows(nick)), meter_(nick_)
{
    ForEachLine(text, [this](std::string_view line, std::string_view) { lines_.push_back(Measure(line)); });
}

void ChatPreview::Edited(int first, std::span<const std::string> lines, int lineCount)
{
    const long long count = LineCount();
    const long long removed = count - (static_cast<long long>(lineCount) - static_cast<long long>(lines.size()));
    if (first < 0 || lineCount < 1 || removed < 0 || first + removed > count)
        throw std::out_of_range("chat preview: the edit does not match the text's lines");

    const auto at = lines_.begin() + first;
    const size_t kept = std::min(static_cast<size_t>(removed), lines.size());
    for (size_t i = 0; i < kept; ++i) at[static_cast<std::ptrdiff_t>(i)] = Measure(lines[i]);
    if (static_cast<size_t>(removed) > kept) {
        lines_.erase(at + static_cast<std::ptrdiff_t>(kept), at + static_cast<std::ptrdiff_t>(removed));
    } else if (lines.size() > kept) {
        std::vector<PreviewLine> added;
        added.reserve(lines.size() - kept);
        for (size_t i = kept; i < lines.size(); ++i) added.push_back(Measure(lines[i]));
        lines_.insert(at + static_cast<std::ptrdiff_t>(kept), std::make_move_iterator(added.begin()),
                      std::make_move_iterator(added.end()));
    }
}

PreviewLine ChatPreview::Measure(std::string_view line) const
{
    // Measured as the chat gets it; "?" takes one character like the one it
    // stands for, so lengths and positions hold for the text as typed too.
    const std::string typed = As1251Shows(line);
    const EchoForm form = EchoFormOf(typed);
    const LineCheck check = meter_.Check(typed);
    const std::string head = EchoHead(form.echo, nick_);
    const int headLength = CharacterCount(head);

    PreviewLine p;
    p.kind = KindOf(typed, form.echo);
    p.shown = head;
    p.shown.append(typed, static_cast<size_t>(form.commandLength));
    p.length = headLength + check.length - form.commandLength;
    if (check.overInput) p.cutAt = headLength + kInputLimit - form.commandLength;
    const int echoLength = headLength + std::min(check.length, kInputLimit) - form.commandLength;
    if (form.echo != Echo::None && echoLength > kEchoLimit) p.dropAt = kEchoLimit;
    return p;
}

}  // namespace text
