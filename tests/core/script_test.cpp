#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "text/Script.h"

namespace text {
namespace {

using testsupport::Repeat;

Values Officer()
{
    return {{"Ivan_Petrov", "Сержант", "ГИБДД", "[ДПС]", "null", "4521", false},
            "17", "5", "Арзамас", "АБ 123", "12:05", "01.02.2024"};
}

// ---- filling -----------------------------------------------------------------

struct FillCase {
    const char* name;
    std::string body;
    std::string text;
    std::vector<Span> values;
    std::vector<Span> unknown;
    std::function<void(Values&)> change = {};
};

class ScriptFillTest : public testing::TestWithParam<FillCase> {};

TEST_P(ScriptFillTest, TextAndSpans)
{
    const FillCase& c = GetParam();
    Values v = Officer();
    if (c.change) c.change(v);
    const FilledLine got = FillLine(c.body, v);
    EXPECT_EQ(got.text, c.text);
    EXPECT_EQ(got.values, c.values);
    EXPECT_EQ(got.unknown, c.unknown);
}

const auto kFemale = [](Values& v) { v.profile.female = true; };

const FillCase kFillCases[] = {
    {"NickAndNameAnyCase", "{НиК}/{ИМЯ}", "Ivan_Petrov/Ivan Petrov", {{0, 11}, {12, 11}}, {}},
    {"Profile", "{звание} {Департамент} {ТЕГ} {жетон}", "Сержант ГИБДД [ДПС] 4521",
     {{0, 7}, {8, 5}, {14, 5}, {20, 4}}, {}},
    {"AskedAndClock", "{цель}{ид}{место}{ввод}{время}{дата}", "175АрзамасАБ 12312:0501.02.2024",
     {{0, 2}, {2, 1}, {3, 7}, {10, 6}, {16, 5}, {21, 10}}, {}},
    {"ExtraTagNull", "a{доптег}b", "ab", {}, {}, [](Values& v) { v.profile.extraTag = "NULL"; }},
    {"ExtraTagSet", "{доптег}", "[Б]", {{0, 3}}, {}, [](Values& v) { v.profile.extraTag = "[Б]"; }},
    {"RankInList", "{ранг}", "2", {{0, 1}}, {}},
    {"RankLast", "{ранг}", "13", {{0, 2}}, {}, [](Values& v) { v.profile.rank = " тестировщик СКРИПТА "; }},
    {"RankOutOfList", "[{ранг}]", "[]", {}, {}, [](Values& v) { v.profile.rank = "Генерал-майор"; }},
    {"FormMale", "/me {достал|достала} КПК", "/me достал КПК", {{4, 6}}, {}},
    {"FormFemale", "/me {достал|достала} КПК", "/me достала КПК", {{4, 7}}, {}, kFemale},
    {"FormSecondMissing", "x{a|}y", "xy", {}, {}, kFemale},
    {"FormsBothEmpty", "{|}", "", {}, {}},
    {"FormThirdIgnored", "{a|b|c}", "b", {{0, 1}}, {}, kFemale},
    // Cyrillic before the braces: positions are characters, not bytes.
    {"UnknownKept", "Я {что} {ник}", "Я {что} Ivan_Petrov", {{8, 11}}, {{2, 5}}},
    {"StepsInsideALine", "ждём {пауза 2} и {скриншот}", "ждём {пауза 2} и {скриншот}", {}, {{5, 9}, {17, 10}}},
    {"UnclosedKeptPlain", "{ник", "{ник", {}, {}},
    {"NestedFillsInner", "{a{ник}}", "{aIvan_Petrov}", {{2, 11}}, {}},
    {"ValueNeverParsedAgain", "{ник}", "{ник}", {{0, 5}}, {}, [](Values& v) { v.profile.nick = "{ник}"; }},
};

INSTANTIATE_TEST_SUITE_P(Script, ScriptFillTest, testing::ValuesIn(kFillCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- steps ---------------------------------------------------------------------

struct LineCase {
    const char* name;
    std::string line;
    Step step;
};

class ScriptLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ScriptLineTest, Step)
{
    const LineCase& c = GetParam();
    EXPECT_EQ(ParseLine(c.line, 7), c.step);
}

Step Own(StepKind kind, std::string body = {}, int ms = 0) { return {kind, 7, std::move(body), ms, false, kAskNone}; }
Step Pause(int ms) { return Own(StepKind::Pause, {}, ms); }
Step Message(std::string body, unsigned asks = kAskNone, bool open = false)
{
    return {StepKind::Message, 7, std::move(body), 0, open, asks};
}

const LineCase kLineCases[] = {
    {"PauseDot", "{пауза 2.5}", Pause(2500)},
    {"PauseCommaBlanksCase", " \t{ПАУЗА  2,5 }\t", Pause(2500)},
    {"PauseClampedLow", "{пауза 0}", Pause(kMinPauseMs)},
    {"PauseClampedHigh", "{пауза 99999999999999999999}", Pause(kMaxPauseMs)},
    {"PauseNotANumber", "{пауза два}", Message("{пауза два}")},
    {"PauseNegative", "{пауза -1}", Message("{пауза -1}")},
    {"PauseTwoSeparators", "{пауза 1.2.3}", Message("{пауза 1.2.3}")},
    {"PauseWithout", "{пауза}", Message("{пауза}")},
    {"PauseInALine", "{пауза 2} далее", Message("{пауза 2} далее")},
    {"Question", "{Спросить  Номер паспорта }", Own(StepKind::Question, "Номер паспорта")},
    {"QuestionEmpty", "{спросить}", Own(StepKind::Question, "Ввод")},
    {"QuestionInALine", "/me {спросить x}", Message("/me {спросить x}")},
    {"Screenshot", "  {СКРИНШОТ}", Own(StepKind::Screenshot)},
    {"ScreenshotInALine", "{скриншот} готово", Message("{скриншот} готово")},
    {"LeaveOpen", "/me пишет {ДОПИСАТЬ} \t", Message("/me пишет ", kAskNone, true)},
    {"LeaveOpenNotAtEnd", "{дописать} потом", Message("{дописать} потом")},
    {"Asks", "/me {Цель} {ИД} {место} {цель}", Message("/me {Цель} {ИД} {место} {цель}", kAskTarget | kAskOwnId | kAskPlace)},
    {"FormsAskNothing", "{цель|ид}", Message("{цель|ид}")},
};

INSTANTIATE_TEST_SUITE_P(Script, ScriptLineTest, testing::ValuesIn(kLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptParse, BlankLinesSkippedAndLeaveOpenEnds)
{
    const Script s = ParseScript("a {место}\r\n\r\n \t\n{пауза 1}\rb {ид}{дописать}\nnot typed {цель}");
    ASSERT_EQ(s.steps.size(), 3u);
    EXPECT_EQ(s.steps[1], (Step{StepKind::Pause, 3, "", 1000, false, kAskNone}));
    EXPECT_EQ(s.steps[2].line, 4);
    EXPECT_TRUE(s.steps[2].leaveOpen);
    EXPECT_EQ(s.asks, kAskPlace | kAskOwnId);
    EXPECT_FALSE(s.capped);
}

TEST(ScriptParse, StepCap)
{
    const Script full = ParseScript(Repeat("x\n", kMaxSteps) + "\n \n");
    EXPECT_EQ(full.steps.size(), static_cast<size_t>(kMaxSteps));
    EXPECT_FALSE(full.capped);
    const Script longer = ParseScript(Repeat("строка\r\n", 10000));
    EXPECT_EQ(longer.steps.size(), static_cast<size_t>(kMaxSteps));
    EXPECT_EQ(longer.steps.back().line, kMaxSteps - 1);
    EXPECT_TRUE(longer.capped);
}

// ---- messages ------------------------------------------------------------------

TEST(ScriptMessages, LongLineSplitsAndJoinsBack)
{
    const std::string line = "/me " + Repeat("слово ", 32) + "конец";  // 201 characters
    const std::vector<std::string> got = MessagesOf(line, ChatMeter("Ivan_Petrov"));
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0] + " " + got[1].substr(4), line);
    EXPECT_EQ(got[1].rfind("/me ", 0), 0u);
}

TEST(ScriptMessages, OutsideOf1251AndBlank)
{
    const ChatMeter meter("n");
    EXPECT_EQ(MessagesOf("Ok 😀 ŝ №", meter), std::vector<std::string>{"Ok ? ? №"});
    EXPECT_TRUE(MessagesOf(" \t ", meter).empty());
}

// A file of any bytes, as a hotkey may find in place of a text: no failure,
// and linear (one 5 MB line without blanks split quadratically takes minutes).
TEST(ScriptRobust, FiveMegabytesOfBinary)
{
    std::mt19937 random(20240201);
    std::string bytes(5 << 20, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    const Values v = Officer();
    const ChatMeter meter(v.profile.nick);
    for (const std::string& text : {bytes, Repeat("{ник}x", 1 << 19), Repeat("ж", 5 << 19)}) {
        const Script s = ParseScript(text);
        ASSERT_FALSE(s.steps.empty());
        size_t messages = 0;
        for (const Step& step : s.steps) messages += MessagesOf(FillLine(step.body, v).text, meter).size();
        EXPECT_GT(messages, 0u);
    }
}

}  // namespace
}  // namespace text
