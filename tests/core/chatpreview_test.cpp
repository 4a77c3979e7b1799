// The chat preview: each line through the language of a text, the messages
// it becomes with the nick's echo, where filled values and unknown braces
// stand in them, and edits giving what a fresh preview of the new text gives.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "text/ChatPreview.h"

namespace text {
namespace {

using testsupport::Repeat;

const std::string kNick = "Ivan_Petrov";  // 11
const std::string kLongNick = Repeat("N", 24);

Values ValuesFor(const std::string& nick, bool female = false)
{
    Profile p;
    p.nick = nick;
    p.rank = "Сержант";
    p.department = "LSPD";
    p.tag = "PA";
    p.extraTag = "null";
    p.female = female;
    return PreviewValues(p, "08:30", "10.12.2026");
}

struct PreviewCase {
    const char* name;
    std::string nick;
    std::string line;
    LineKind kind;
    std::vector<std::string> shown;  // the messages; for a step, its note alone
    bool female = false;
    bool broken = false;
};

class ChatPreviewLine : public testing::TestWithParam<PreviewCase> {};

TEST_P(ChatPreviewLine, KindAndMessages)
{
    const PreviewCase& c = GetParam();
    const ChatPreview preview(ValuesFor(c.nick, c.female), c.line);
    ASSERT_EQ(preview.LineCount(), 1);
    const PreviewLine& got = preview.Line(0);
    EXPECT_EQ(got.kind, c.kind);
    std::vector<std::string> shown;
    for (const PreviewMessage& m : got.messages) shown.push_back(m.shown);
    if (!got.note.empty()) shown.push_back(got.note);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(got.Broken(), c.broken);
}

const PreviewCase kPreviewCases[] = {
    {"Me", kNick, "/me достал бланк", LineKind::Action, {"* Ivan_Petrov достал бланк"}},
    {"Speech", kNick, "Здравствуйте", LineKind::Speech, {"Ivan_Petrov: Здравствуйте"}},
    {"OtherCommandAsTyped", kNick, "/b привет", LineKind::Command, {"/b привет"}},
    {"Empty", kNick, "", LineKind::Empty, {}},
    {"Unsupported", kNick, "/me 😀 ŝ «ок»", LineKind::Action, {"* Ivan_Petrov ? ? «ок»"}},
    {"UnsupportedNick", "Ivan😀", "hi", LineKind::Speech, {"Ivan?: hi"}},
    {"Variables", kNick, "/me {ник} {звание} №{ранг} {департамент} [{тег}]{доптег}", LineKind::Action,
     {"* Ivan_Petrov Ivan_Petrov Сержант №2 LSPD [PA]"}},
    {"AskedAtTypingTime", kNick, "/do {цель} {ид} {место} {ввод} {время} {дата}", LineKind::Action,
     {"* Ivan_Petrov ‹ID› ‹ваш ID› ‹место› ‹ввод› 08:30 10.12.2026"}},
    {"GenderFemale", kNick, "/me {достал|достала} бланк", LineKind::Action, {"* Ivan_Petrov достала бланк"}, true},
    {"UnknownTypedAsItStands", kNick, "Стоять {xyz}!", LineKind::Speech, {"Ivan_Petrov: Стоять {xyz}!"}},
    // Over the input's 128: a word longer than the room is cut, "/b " repeated.
    {"CommandSplits", kNick, "/b " + Repeat("ж", 130), LineKind::Command,
     {"/b " + Repeat("ж", 125), "/b " + Repeat("ж", 5)}},
    // 24 + 2 + 118 = 144 fits the echo; one more goes on as a message of its own.
    {"SpeechEchoAtLimit", kLongNick, Repeat("a", 118), LineKind::Speech, {kLongNick + ": " + Repeat("a", 118)}},
    {"SpeechSplitsAtABlank", kLongNick, Repeat("a", 100) + " " + Repeat("b", 30), LineKind::Speech,
     {kLongNick + ": " + Repeat("a", 100), kLongNick + ": " + Repeat("b", 30)}},
    {"ActionSplitsKeepingItsCommand", kLongNick, "/me " + Repeat("a", 118), LineKind::Action,
     {"* " + kLongNick + " " + Repeat("a", 117), "* " + kLongNick + " a"}},
    // A nick that leaves no room: typed whole, and the server drops it.
    {"NoRoomLeftIsBroken", Repeat("N", 150), "hi", LineKind::Speech, {Repeat("N", 150) + ": hi"}, false, true},
    {"Pause", kNick, "{пауза 2.5}", LineKind::Pause, {"пауза 2,5 с"}},
    {"Question", kNick, "{спросить Номер паспорта}", LineKind::Question, {"вопрос: Номер паспорта — ответ: ‹ввод›"}},
    {"Screenshot", kNick, "{скриншот}", LineKind::Screenshot, {"скриншот (F8)"}},
    {"LeftOpen", kNick, "/me пишет {дописать}", LineKind::Action, {"* Ivan_Petrov пишет "}},
};

INSTANTIATE_TEST_SUITE_P(Lines, ChatPreviewLine, testing::ValuesIn(kPreviewCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The characters `span` covers in `utf8`.
std::string Cut(const std::string& utf8, const Span& span)
{
    std::string out;
    int at = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && i > 0) ++at;
        if (at >= span.start && at < span.start + span.length) out += utf8[i];
    }
    return out;
}

struct SpanCase {
    const char* name;
    std::string line;
    // Per message: what its value spans and unknown spans cover, "|" between.
    std::vector<std::string> values;
    std::vector<std::string> unknown;
};

class ChatPreviewSpans : public testing::TestWithParam<SpanCase> {};

TEST_P(ChatPreviewSpans, MarkWhatWasFilledAndWhatWasNot)
{
    const SpanCase& c = GetParam();
    const PreviewLine line = ChatPreview(ValuesFor(kNick), c.line).Line(0);
    ASSERT_EQ(line.messages.size(), c.values.size());
    const auto joined = [](const PreviewMessage& m, const std::vector<Span>& spans) {
        std::string out;
        for (const Span& s : spans) out += (out.empty() ? "" : "|") + Cut(m.shown, s);
        return out;
    };
    for (size_t i = 0; i < line.messages.size(); ++i) {
        EXPECT_EQ(joined(line.messages[i], line.messages[i].values), c.values[i]) << "message " << i;
        EXPECT_EQ(joined(line.messages[i], line.messages[i].unknown), c.unknown[i]) << "message " << i;
    }
    EXPECT_EQ(line.HasUnknown(), std::any_of(c.unknown.begin(), c.unknown.end(), [](auto& u) { return !u.empty(); }));
}

const SpanCase kSpanCases[] = {
    {"Action", "/me {ник} взял {предмет}", {"Ivan_Petrov"}, {"{предмет}"}},
    {"Speech", "{звание} {xyz} {ранг}", {"Сержант|2"}, {"{xyz}"}},
    // Cut inside the a's: the continuation "/me a {ник}" shows the nick twice,
    // the second one filled.
    {"InAContinuation", "/me " + Repeat("a", 125) + " {ник} {x}", {"", "Ivan_Petrov"}, {"", "{x}"}},
    {"InACommandsContinuation", "/b " + Repeat("x", 124) + " {тег} {y}", {"", "PA"}, {"", "{y}"}},
};

INSTANTIATE_TEST_SUITE_P(Lines, ChatPreviewSpans, testing::ValuesIn(kSpanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChatPreviewText, TheBinderStopsAfterALeftOpenLineAndAtTheStepLimit)
{
    EXPECT_EQ(ChatPreview(ValuesFor(kNick), "a\n\nb {дописать}\nc\nd").TypedLines(), 3);
    EXPECT_EQ(ChatPreview(ValuesFor(kNick), "a\nb").TypedLines(), 2);
    std::string text;
    for (int i = 0; i < kMaxSteps + 5; ++i) text += "строка\n\n";  // blank lines are no steps
    EXPECT_EQ(ChatPreview(ValuesFor(kNick), text).TypedLines(), 2 * kMaxSteps);
}

TEST(ChatPreviewText, SecondsAsThePanelShowsThem)
{
    const std::pair<int, const char*> cases[] = {{1200, "1,2 с"}, {1005, "1,005 с"}, {300, "0,3 с"}, {10000, "10 с"}};
    for (const auto& [ms, caption] : cases) EXPECT_EQ(SecondsCaption(ms), caption) << ms;
}

TEST(ChatPreviewText, AnEditThatDoesNotFitTheLinesThrows)
{
    ChatPreview preview(ValuesFor(kNick), "a\nb\nc");
    const std::vector<std::string> one = {"x"};
    EXPECT_THROW(preview.Edited(-1, one, 3), std::out_of_range);
    EXPECT_THROW(preview.Edited(4, one, 5), std::out_of_range);  // past the end
    EXPECT_THROW(preview.Edited(2, one, 2), std::out_of_range);  // more removed than there is
    EXPECT_THROW(preview.Edited(0, one, 5), std::out_of_range);  // nothing removed, two lines new
    EXPECT_EQ(preview.LineCount(), 3);
}

// Random edits as an editor makes them; each reported the way the GUI does
// (the lines from the edit's start to its end in the new text, sometimes one
// more) must leave the preview equal to a fresh one of the new text.
TEST(ChatPreviewText, EditsGiveWhatAFreshPreviewGives)
{
    const std::vector<std::string> pieces = {"a",     " ",      "я",        "😀",        "\n",    "\n",
                                             "\n",    "/me ",   "/do ",     "/b ",       "{",     "}",
                                             "{ник}", "{пауза 1}", "{дописать}", Repeat("x", 40)};
    std::mt19937 random(23);
    const auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    const Values values = ValuesFor(kLongNick);

    std::string text = "/me начало\n" + Repeat("слово ", 30) + "\n\nконец";
    ChatPreview preview(values, text);
    for (int step = 0; step < 3000; ++step) {
        // Byte positions at character starts only.
        const auto charStart = [&](size_t at) {
            while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
            return at;
        };
        const size_t pos = charStart(pick(text.size() + 1));
        const size_t end = charStart(std::min(text.size(), pos + pick(step % 11 == 0 ? 200 : 6)));
        std::string added;
        for (size_t n = pick(4); n > 0; --n) added += pieces[pick(pieces.size())];
        text.replace(pos, end - pos, added);

        const auto lineOf = [&](size_t at) { return static_cast<int>(std::count(text.begin(), text.begin() + at, '\n')); };
        std::vector<std::string> all;
        ForEachLine(text, [&](std::string_view line, std::string_view) { all.emplace_back(line); });
        const int first = lineOf(pos);
        const int last = std::min(lineOf(pos + added.size()) + static_cast<int>(pick(2)), static_cast<int>(all.size()) - 1);
        preview.Edited(first, std::vector<std::string>(all.begin() + first, all.begin() + last + 1),
                       static_cast<int>(all.size()));
        ASSERT_EQ(preview.Lines(), ChatPreview(values, text).Lines()) << "step " << step;
    }
}

}  // namespace
}  // namespace text
