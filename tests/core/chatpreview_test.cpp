// The chat preview: echo forms with the nick, the "?" of 1251, where lines
// break, and edits giving what a fresh preview of the new text gives.

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

struct PreviewCase {
    const char* name;
    std::string nick;
    std::string line;
    LineKind kind;
    std::string shown;
    int cutAt;
    int dropAt;
};

class ChatPreviewLine : public testing::TestWithParam<PreviewCase> {};

TEST_P(ChatPreviewLine, EchoAndBreaks)
{
    const PreviewCase& c = GetParam();
    const ChatPreview preview(c.nick, c.line);
    ASSERT_EQ(preview.LineCount(), 1);
    const PreviewLine& got = preview.Line(0);
    EXPECT_EQ(got.kind, c.kind);
    EXPECT_EQ(got.shown, c.shown);
    EXPECT_EQ(got.length, CharacterCount(c.shown));
    EXPECT_EQ(got.cutAt, c.cutAt);
    EXPECT_EQ(got.dropAt, c.dropAt);
    // The preview marks exactly the lines the editor's meter marks.
    EXPECT_EQ(got.Broken(), ChatMeter(c.nick).Check(c.line).Over());
}

const PreviewCase kPreviewCases[] = {
    {"Me", kNick, "/me достал бланк", LineKind::Action, "* Ivan_Petrov достал бланк", -1, -1},
    {"DoAnyCase", kNick, "/DO Бланк в руке.", LineKind::Action, "* Ivan_Petrov Бланк в руке.", -1, -1},
    {"Speech", kNick, "Здравствуйте", LineKind::Speech, "Ivan_Petrov: Здравствуйте", -1, -1},
    {"OtherCommandAsTyped", kNick, "/b привет", LineKind::Command, "/b привет", -1, -1},
    {"Empty", kNick, "", LineKind::Empty, "", -1, -1},
    {"Unsupported", kNick, "/me 😀 ŝ «ок»", LineKind::Action, "* Ivan_Petrov ? ? «ок»", -1, -1},
    {"UnsupportedNick", "Ivan😀", "hi", LineKind::Speech, "Ivan?: hi", -1, -1},
    // The input keeps 128 characters: "/b " and 125 more.
    {"CommandCut", kNick, "/b " + Repeat("ж", 130), LineKind::Command, "/b " + Repeat("ж", 130), 128, -1},
    // "Ivan_Petrov: " is 13: 128 typed characters end at 141 and their echo fits.
    {"SpeechCutEchoFits", kNick, Repeat("a", 130), LineKind::Speech, kNick + ": " + Repeat("a", 130), 141, -1},
    {"EmojiCountsOne", kNick, Repeat("😀", 129), LineKind::Speech, kNick + ": " + Repeat("?", 129), 141, -1},
    // 24 + 2 + 118 = 144 fits; one more and the server drops the line.
    {"SpeechEchoAtLimit", kLongNick, Repeat("a", 118), LineKind::Speech, kLongNick + ": " + Repeat("a", 118), -1, -1},
    {"SpeechDropped", kLongNick, Repeat("a", 119), LineKind::Speech, kLongNick + ": " + Repeat("a", 119), -1, 144},
    {"ActionDropped", kLongNick, "/me " + Repeat("a", 118), LineKind::Action, "* " + kLongNick + " " + Repeat("a", 118),
     -1, 144},
    // Cut to 128, the echo is still 154 long.
    {"CutAndDropped", kLongNick, Repeat("a", 130), LineKind::Speech, kLongNick + ": " + Repeat("a", 130), 154, 144},
};

INSTANTIATE_TEST_SUITE_P(Lines, ChatPreviewLine, testing::ValuesIn(kPreviewCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChatPreviewText, AnEditThatDoesNotFitTheLinesThrows)
{
    ChatPreview preview(kNick, "a\nb\nc");
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
    const std::vector<std::string> pieces = {"a", " ", "я", "😀", "\n", "\n", "\n", "/me ", "/do ", "/b ", Repeat("x", 40)};
    std::mt19937 random(23);
    const auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };

    std::string text = "/me начало\n" + Repeat("слово ", 30) + "\n\nконец";
    ChatPreview preview(kLongNick, text);
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
        ASSERT_EQ(preview.Lines(), ChatPreview(kLongNick, text).Lines()) << "step " << step;
    }
}

}  // namespace
}  // namespace text
