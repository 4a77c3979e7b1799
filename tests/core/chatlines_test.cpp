#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "text/ChatLines.h"
#include "store/Cp1251.h"
#include "text/Search.h"

namespace text {
namespace {

using testsupport::Repeat;

// ---- the meter -------------------------------------------------------------

struct CheckCase {
    const char* name;
    std::string nick;
    std::string line;
    int length;
    int limit;
    bool overInput;
    bool overEcho;
};

class ChatCheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(ChatCheckTest, LengthLimitAndMarks)
{
    const CheckCase& c = GetParam();
    const LineCheck got = ChatMeter(c.nick).Check(c.line);
    EXPECT_EQ(got.length, c.length);
    EXPECT_EQ(got.limit, c.limit);
    EXPECT_EQ(got.overInput, c.overInput);
    EXPECT_EQ(got.overEcho, c.overEcho);
}

const std::string kNick11 = "Ivan_Petrov";
const std::string kNick24 = Repeat("N", 24);

const CheckCase kCheckCases[] = {
    {"Empty", kNick24, "", 0, 128, false, false},
    {"ChatAtInputLimit", kNick11, Repeat("a", 128), 128, 128, false, false},
    {"ChatOverInput", kNick11, Repeat("a", 129), 129, 128, true, false},
    // "<nick>: <line>": 24 + 2 + 118 = 144.
    {"ChatEchoAtLimit", kNick24, Repeat("a", 118), 118, 118, false, false},
    {"ChatEchoOver", kNick24, Repeat("a", 119), 119, 118, false, true},
    // "* <nick> <text>" leaves "/me " out: 2 + 24 + 1 + 117 = 144.
    {"MeEchoAtLimit", kNick24, "/me " + Repeat("a", 117), 121, 121, false, false},
    {"MeEchoOver", kNick24, "/me " + Repeat("a", 118), 122, 121, false, true},
    {"DoLikeMe", kNick24, "/do " + Repeat("a", 118), 122, 121, false, true},
    {"CommandCaseIgnored", kNick24, "/ME " + Repeat("a", 118), 122, 121, false, true},
    {"ShortNickEchoNeverBinds", kNick11, "/me " + Repeat("a", 124), 128, 128, false, false},
    // Commands the echo rule does not know: the input limit only.
    {"OtherCommand", kNick24, "/b " + Repeat("a", 125), 128, 128, false, false},
    {"OtherCommandOver", kNick24, "/b " + Repeat("a", 126), 129, 128, true, false},
    {"MeWithoutBlankIsOtherCommand", kNick24, "/meet" + Repeat("a", 123), 128, 128, false, false},
    // One 1251 byte a character, however many UTF-8 bytes.
    {"CyrillicAtLimit", kNick11, Repeat("я", 128), 128, 128, false, false},
    {"CyrillicOver", kNick11, Repeat("я", 129), 129, 128, true, false},
    {"CyrillicNick", Repeat("Ж", 24), Repeat("a", 119), 119, 118, false, true},
    {"BothOver", kNick24, Repeat("a", 150), 150, 118, true, true},
};

INSTANTIATE_TEST_SUITE_P(Lines, ChatCheckTest, testing::ValuesIn(kCheckCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChatCheckText, EveryKindOfLineBreak)
{
    const std::vector<LineCheck> lines = ChatMeter("n").CheckText("a\r\nbb\nccc\rdddd\r\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].length, 1);
    EXPECT_EQ(lines[3].length, 4);
    EXPECT_EQ(lines[4].length, 0);
}

// ---- the splitter ----------------------------------------------------------

struct SplitCase {
    const char* name;
    std::string nick;
    std::string line;
    std::vector<std::string> pieces;
};

class ChatSplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(ChatSplitTest, Pieces)
{
    const SplitCase& c = GetParam();
    const ChatMeter meter(c.nick);
    const std::vector<std::string> got = meter.Split(c.line);
    EXPECT_EQ(got, c.pieces);
    for (const std::string& piece : got) EXPECT_FALSE(meter.Check(piece).Over()) << piece;
}

const std::string kWords40 = Repeat("слово ", 40);  // 240 characters, ends in a blank

const SplitCase kSplitCases[] = {
    {"FitsUnchanged", kNick11, "/me   кивнул  ", {"/me   кивнул  "}},
    // 21 words of 6 = 126 characters, blanks at the cut dropped.
    {"PlainAtWords", kNick11, kWords40,
     {Repeat("слово ", 20) + "слово", Repeat("слово ", 18) + "слово"}},
    {"CommandRepeated", kNick11, "/b " + kWords40,
     {"/b " + Repeat("слово ", 20) + "слово", "/b " + Repeat("слово ", 18) + "слово"}},
    // The long nick leaves 121 for "/me " lines: 19 words + "/me " = 4 + 113.
    {"EchoLimitBinds", kNick24, "/me " + kWords40,
     {"/me " + Repeat("слово ", 18) + "слово", "/me " + Repeat("слово ", 18) + "слово", "/me слово слово"}},
    // Plain chat never continues as a command: the cut moves off the "/".
    {"ChatNeverContinuesAsACommand", kNick11, Repeat("a", 60) + " " + Repeat("b", 65) + " /q bye",
     {Repeat("a", 60), Repeat("b", 65) + " /q bye"}},
    {"ChatCommandWordCut", kNick11, Repeat("a", 126) + " /q bye", {Repeat("a", 126) + " /", "q bye"}},
    {"ChatSlashAtTheCut", kNick11, Repeat("ж", 128) + "/q", {Repeat("ж", 127), "ж/q"}},
    {"LongWordCut", kNick11, Repeat("x", 300), {Repeat("x", 128), Repeat("x", 128), Repeat("x", 44)}},
    {"LongWordAfterCommand", kNick11, "/do " + Repeat("ж", 200) + " конец",
     {"/do " + Repeat("ж", 124), "/do " + Repeat("ж", 76) + " конец"}},
    {"BlankRightAfterRoom", kNick11, Repeat("a", 128) + " b", {Repeat("a", 128), "b"}},
};

INSTANTIATE_TEST_SUITE_P(Lines, ChatSplitTest, testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChatSplitText, KeepsTheTextsBreaksAndAddsCrLf)
{
    const std::string text = "коротко\r\n" + Repeat("x", 130) + "\nконец\r";
    EXPECT_EQ(ChatMeter("n").SplitText(text),
              "коротко\r\n" + Repeat("x", 128) + "\r\nxx\nконец\r");
}

TEST(UnsupportedBy1251Test, DistinctInOrder)
{
    EXPECT_EQ(store::UnsupportedBy1251("Привет 😀 ŝ, €№ 😀 ŝ"), (std::vector<std::string>{"😀", "ŝ"}));
    EXPECT_EQ(store::UnsupportedBy1251("ab\xC3"), (std::vector<std::string>{"\xEF\xBF\xBD"}));
    EXPECT_TRUE(store::UnsupportedBy1251("Ёё «»").empty());
}

// ---- the search ------------------------------------------------------------

TEST(SearchIndexTest, FindsTitlesAndLinesIgnoringCase)
{
    SearchIndex index;
    index.Add("Проверка по КПК", "/me достал КПК\r\n/do КПК в руке.\nпусто\rещё кпк");
    index.Add("Штраф", "ничего");
    index.Add("Alt+1", "");

    const std::vector<SearchHit> hits = index.Find("кпк");
    ASSERT_EQ(hits.size(), 4u);
    EXPECT_EQ(hits[0].line, -1);
    EXPECT_EQ(hits[0].lineText, "Проверка по КПК");
    EXPECT_EQ(hits[1].line, 0);
    EXPECT_EQ(hits[2].line, 1);
    EXPECT_EQ(hits[2].lineText, "/do КПК в руке.");
    EXPECT_EQ(hits[3].line, 3);
    EXPECT_EQ(hits[3].lineText, "ещё кпк");

    EXPECT_EQ(index.Find("ALT+1").size(), 1u);
    EXPECT_EQ(index.Find("ШТРАФ").at(0).item, 1u);
    EXPECT_TRUE(index.Find("  ").empty());
    EXPECT_TRUE(index.Find("к\nп").empty());
    EXPECT_EQ(index.Find("к", 2).size(), 2u);
}

}  // namespace
}  // namespace text
