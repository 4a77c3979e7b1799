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

LineKind KindOf(Echo echo)
{
    switch (echo) {
    case Echo::Action:
        return LineKind::Action;
    case Echo::Chat:
        return LineKind::Speech;
    case Echo::None:
        break;
    }
    return LineKind::Command;
}

// `spans` of the filled line moved into a message: the characters
// [from, from + count) of the line stand at `to` on in the message.
void MoveSpans(const std::vector<Span>& spans, int from, int count, int to, std::vector<Span>& out)
{
    for (const Span& s : spans) {
        const int start = std::max(s.start, from);
        const int end = std::min(s.start + s.length, from + count);
        if (start < end) out.push_back({to + start - from, end - start});
    }
}

}  // namespace

Values PreviewValues(Profile profile, std::string time, std::string date)
{
    Values v;
    v.profile = std::move(profile);
    v.target = "‹ID›";
    v.ownId = "‹ваш ID›";
    v.place = "‹место›";
    v.input = "‹ввод›";
    v.time = std::move(time);
    v.date = std::move(date);
    return v;
}

std::string SecondsCaption(int ms)
{
    std::string caption = std::to_string(ms / 1000);
    if (int fraction = ms % 1000; fraction > 0) {
        std::string digits = std::to_string(1000 + fraction).substr(1);
        digits.erase(digits.find_last_not_of('0') + 1);
        caption += "," + digits;
    }
    return caption + " с";
}

bool PreviewLine::Broken() const
{
    return std::any_of(messages.begin(), messages.end(), [](const PreviewMessage& m) { return m.over; });
}

bool PreviewLine::HasUnknown() const
{
    return std::any_of(messages.begin(), messages.end(), [](const PreviewMessage& m) { return !m.unknown.empty(); });
}

ChatPreview::ChatPreview(Values values, std::string_view text)
    : values_(std::move(values)), nick_(As1251Shows(values_.profile.nick)), meter_(nick_)
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

int ChatPreview::TypedLines() const
{
    int steps = 0;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const PreviewLine& l = lines_[i];
        if (!l.step) continue;
        if (++steps > kMaxSteps || l.leaveOpen) return static_cast<int>(i) + (steps > kMaxSteps ? 0 : 1);
    }
    return LineCount();
}

PreviewLine ChatPreview::Measure(std::string_view line) const
{
    const Step step = ParseLine(line);
    PreviewLine p;
    p.step = line.find_first_not_of(" \t") != std::string_view::npos;
    switch (step.kind) {
    case StepKind::Pause:
        p.kind = LineKind::Pause;
        p.note = "пауза " + SecondsCaption(step.pauseMs);
        return p;
    case StepKind::Question:
        p.kind = LineKind::Question;
        p.note = "вопрос: " + As1251Shows(step.body) + " — ответ: " + values_.input;
        return p;
    case StepKind::Screenshot:
        p.kind = LineKind::Screenshot;
        p.note = "скриншот (F8)";
        return p;
    case StepKind::Message:
        break;
    }
    p.leaveOpen = step.leaveOpen;
    const FilledLine filled = FillLine(step.body, values_);
    const std::vector<std::string> messages = MessagesOf(filled.text, meter_);
    // Where each message stands in the line: the first from its start, each
    // continuation (the line's command, then its own piece) further on.
    const std::string typed = As1251Shows(filled.text);
    const std::string_view command = LeadingCommand(typed);
    const int commandChars = CharacterCount(command);
    size_t searchFrom = 0;
    for (size_t i = 0; i < messages.size(); ++i) {
        const std::string& m = messages[i];
        const EchoForm form = EchoFormOf(m);
        const std::string head = EchoHead(form.echo, nick_);
        PreviewMessage out;
        out.kind = KindOf(form.echo);
        out.shown = head;
        out.shown.append(m, static_cast<size_t>(form.commandLength));
        out.headLength = CharacterCount(head);
        out.over = meter_.Check(m).Over();

        const size_t bodyAt = i == 0 ? 0 : command.size();  // bytes of `m` before its piece of the line
        const size_t from = i == 0 ? 0 : typed.find(std::string_view(m).substr(bodyAt), searchFrom);
        if (from != std::string::npos) {
            const int pieceChars = CharacterCount(m) - (i == 0 ? 0 : commandChars);
            const int lineAt = CharacterCount(std::string_view(typed).substr(0, from));
            // Characters of the piece that the echo leaves out ("/me ") are not shown.
            const int skipped = std::max(0, form.commandLength - (i == 0 ? 0 : commandChars));
            const int to = out.headLength - form.commandLength + (i == 0 ? 0 : commandChars) + skipped;
            MoveSpans(filled.values, lineAt + skipped, pieceChars - skipped, to, out.values);
            MoveSpans(filled.unknown, lineAt + skipped, pieceChars - skipped, to, out.unknown);
            searchFrom = from + (m.size() - bodyAt);
        }
        p.messages.push_back(std::move(out));
    }
    p.kind = p.messages.empty() ? LineKind::Empty : p.messages.front().kind;
    return p;
}

}  // namespace text
