// The binder's engine and matcher without Windows: key events in, what the
// hook lets through and what is typed into the game out, over real setup
// files in a scratch folder.

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "binder/Channel.h"
#include "binder/Engine.h"
#include "binder/KeyTable.h"
#include "binder/Log.h"
#include "binder/Matcher.h"
#include "binder/Output.h"
#include "store/Cp1251.h"

namespace binder {
namespace {

using namespace std::chrono_literals;

constexpr std::uint8_t kAlt = 0x12, kRmb = 0x02, kF1 = 0x70, kF2 = 0x71, kF3 = 0x72, kF9 = 0x78, kT = 0x54;
constexpr std::uint8_t kEnter = 0x0D, kEsc = 0x1B, kOne = 0x31;

// What reached the game, in order: "type:<text>|send", "type:<text>|open", "press:1B".
class RecordingOutput : public Output {
public:
    bool GameInFront() override { return front; }
    bool IsDown(std::uint8_t vk) override { return down.count(vk) > 0; }
    bool Type(std::uint8_t chatKey, std::string_view cp1251, bool send) override
    {
        if (!front) return false;
        calls.push_back("type:" + store::Cp1251ToUtf8(cp1251) + (send ? "|send" : "|open"));
        chatKeys.insert(chatKey);
        times.push_back(now);
        return true;
    }
    bool Press(std::uint8_t vk) override
    {
        if (!front) return false;
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X", vk);
        calls.push_back(std::string("press:") + hex);
        times.push_back(now);
        return true;
    }
    std::vector<std::string> Typed() const
    {
        std::vector<std::string> out;
        for (const std::string& c : calls)
            if (c.rfind("type:", 0) == 0 && c.size() > 10 && c.compare(c.size() - 5, 5, "|send") == 0)
                out.push_back(c.substr(5, c.size() - 10));
        return out;
    }

    bool front = true;
    std::set<std::uint8_t> down;
    std::vector<std::string> calls;
    std::vector<Clock::TimePoint> times;
    std::set<std::uint8_t> chatKeys;
    Clock::TimePoint now;
};

class ManualClock : public Clock {
public:
    TimePoint Now() override { return now; }
    std::tm Local() override
    {
        std::tm t{};
        t.tm_hour = 9, t.tm_min = 5, t.tm_mday = 3, t.tm_mon = 1, t.tm_year = 126;
        return t;
    }
    TimePoint now{std::chrono::hours(1)};
};

// The setup a test starts from, in 1251 as the panel writes it.
class Folder {
public:
    void Put(const std::string& relative, const std::string& utf8)
    {
        const std::string path = dir_.File(relative);
        std::filesystem::create_directories(testsupport::U8Path(path).parent_path());
        testsupport::WriteBytes(path, store::Utf8ToCp1251(utf8));
    }
    void RolePlay(const std::string& file, const std::string& utf8) { Put("отыгровки/rp1/" + file, utf8); }
    const std::string& Dir() const { return dir_.Path(); }

private:
    testsupport::TempDir dir_;
};

// Matcher, engine, output and clock wired as the Windows host wires them.
class Binder {
public:
    explicit Binder(const Folder& setup)
        : log_({}), engine_(setup.Dir(), channel_, output, log_, clock), matcher_(channel_, &Binder::StillDown)
    {
        output.now = clock.now;
        s_output = &output;
    }
    ~Binder() { s_output = nullptr; }

    Verdict Key(std::uint8_t vk, bool down, char32_t typed = 0)
    {
        if (down) output.down.insert(vk);
        else output.down.erase(vk);
        const Verdict v = matcher_.OnInput({vk, down, typed}, output.front);
        Pump();
        return v;
    }
    // A press and release; whether each reached the game.
    std::pair<Verdict, Verdict> Tap(std::uint8_t vk, char32_t typed = 0)
    {
        const Verdict down = Key(vk, true, typed);
        return {down, Key(vk, false)};
    }
    // `key` pressed while `held` is held, then `held` let go.
    std::pair<Verdict, Verdict> Chord(std::uint8_t held, std::uint8_t key)
    {
        Key(held, true);
        const auto verdicts = Tap(key);
        Key(held, false);
        return verdicts;
    }
    void TypeLine(const std::u32string& text, const std::vector<std::uint8_t>& keys)
    {
        for (size_t i = 0; i < text.size(); ++i) Tap(keys[i], text[i]);
    }
    // Runs the engine for `span` of its clock, in the steps it asks for.
    void Run(std::chrono::milliseconds span = 30s)
    {
        const auto until = clock.now + span;
        while (true) {
            const auto next = engine_.Run();
            if (!next || clock.now + *next > until) break;
            clock.now += *next;
            output.now = clock.now;
        }
        clock.now = until;
        output.now = clock.now;
    }
    void Pump() { engine_.Run(); }
    void FilesChanged() { engine_.FilesChanged(); }
    const std::deque<std::string>& LogLines() const { return log_.Lines(); }
    std::string LogText() const
    {
        std::string all;
        for (const std::string& l : log_.Lines()) all += l + "\n";
        return all;
    }
    Engine& engine() { return engine_; }
    Matcher& matcher() { return matcher_; }

    RecordingOutput output;
    ManualClock clock;

private:
    static bool StillDown(std::uint8_t vk) { return s_output == nullptr || s_output->down.count(vk) > 0; }
    static inline RecordingOutput* s_output = nullptr;

    Channel channel_;
    Log log_;
    Engine engine_;
    Matcher matcher_;
};

const std::string kProfile =
    "[global]\r\nnick=Ivan_Petrov\r\nзвание=Лейтенант\r\nдепартамент=LSPD\r\nтег=7-L-15\r\nпол=Мужской\r\n";

// ---- hotkeys -----------------------------------------------------------------

TEST(BinderKeys, TheCombinationWithMostKeysWinsAndHeldKeysReachTheGame)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    setup.RolePlay("stop2.txt", "Всем стоять!");
    setup.RolePlay("штраф.txt", "/me достал бланк");
    Binder b(setup);

    // ПКМ+F3 is key39 (a player's ID asked for), not key3's text; the button still aims.
    EXPECT_EQ(b.Key(kRmb, true), Verdict::Pass);
    EXPECT_EQ(b.Tap(kF3).first, Verdict::Pass);  // "~": F3 reaches the game too
    b.Key(kRmb, false);
    b.Run(2s);
    ASSERT_FALSE(b.output.calls.empty());
    EXPECT_EQ(b.output.calls[0], "type:ID игрока для фиксации: |open");
    EXPECT_TRUE(b.output.Typed().empty());
    b.Tap(kEsc);  // the player gives up
    b.Run(1s);
    EXPECT_FALSE(b.engine().Busy());

    // F2 while aiming still writes the fine: no candidate names the held button.
    b.output.calls.clear();
    b.Key(kRmb, true);
    const auto f2 = b.Tap(kF2);
    EXPECT_EQ(f2.first, Verdict::Swallow);
    EXPECT_EQ(f2.second, Verdict::Swallow);
    b.Key(kRmb, false);
    b.Run(5s);
    EXPECT_EQ(b.output.Typed(), std::vector<std::string>{"/me достал бланк"});

    // Alt+F1 is the stop key (nothing to stop), not key1: nothing typed.
    b.output.calls.clear();
    b.Key(kAlt, true);
    EXPECT_EQ(b.Tap(kF1).first, Verdict::Swallow);
    b.Key(kAlt, false);
    b.Run(2s);
    EXPECT_TRUE(b.output.calls.empty());
}

TEST(BinderKeys, RepeatsFireOnceAndOtherWindowsGetEveryKeyUntouched)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    setup.RolePlay("штраф.txt", "раз");
    Binder b(setup);
    b.output.front = false;
    EXPECT_EQ(b.Tap(kF2).first, Verdict::Pass);
    b.Run(3s);
    EXPECT_TRUE(b.output.calls.empty());

    b.output.front = true;
    EXPECT_EQ(b.Key(kF2, true), Verdict::Swallow);
    EXPECT_EQ(b.Key(kF2, true), Verdict::Swallow);  // the key repeats while held
    EXPECT_EQ(b.Key(kF2, true), Verdict::Swallow);
    EXPECT_EQ(b.Key(kF2, false), Verdict::Swallow);
    b.Run(5s);
    EXPECT_EQ(b.output.Typed(), std::vector<std::string>{"раз"});
}

TEST(BinderKeys, AReleaseThatWentToAnotherWindowLeavesNoKeyHeld)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    setup.RolePlay("hello.txt", "Здравствуйте");
    Binder b(setup);
    b.Key(kAlt, true);
    b.output.down.erase(kAlt);  // Alt+Tab: its release never came by the hook
    EXPECT_EQ(b.Tap(kOne).first, Verdict::Pass);
    b.Run(3s);
    EXPECT_TRUE(b.output.calls.empty());
    b.Key(kAlt, true);
    EXPECT_EQ(b.Tap(kOne).first, Verdict::Swallow);  // Alt+1 for real
    b.Key(kAlt, false);
    b.Run(3s);
    EXPECT_EQ(b.output.Typed(), std::vector<std::string>{"Здравствуйте"});
}

TEST(BinderKeys, WhileThePlayersChatLineIsOpenOnlyTheStopKeyIsAHotkey)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    setup.RolePlay("штраф.txt", "/me достал бланк");
    Binder b(setup);
    EXPECT_EQ(b.Tap(kT).first, Verdict::Pass);  // the player's chat
    EXPECT_TRUE(b.matcher().ChatOpen());
    EXPECT_EQ(b.Tap(kF2).first, Verdict::Pass);
    b.Tap(kEnter);
    EXPECT_FALSE(b.matcher().ChatOpen());
    b.Run(3s);
    EXPECT_TRUE(b.output.calls.empty());
    EXPECT_EQ(b.Tap(kF2).first, Verdict::Swallow);
    b.Run(3s);
    EXPECT_EQ(b.output.Typed().size(), 1u);
}

struct CommandCase {
    const char* name;
    std::u32string typed;             // through the layout in force
    std::vector<std::uint8_t> keys;   // the keys pressed
    bool isCommand;
};

class ChatCommands : public testing::TestWithParam<CommandCase> {};

TEST_P(ChatCommands, TheEnterOfACommandNeverReachesTheServer)
{
    const CommandCase& c = GetParam();
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    setup.RolePlay("helloku.txt", "Здравия желаю, {звание} {имя}.");
    Binder b(setup);
    b.Tap(kT);
    b.TypeLine(c.typed, c.keys);
    const auto enter = b.Tap(kEnter);
    EXPECT_EQ(enter.first, c.isCommand ? Verdict::Swallow : Verdict::Pass);
    EXPECT_EQ(enter.second, enter.first);
    b.Run(5s);
    if (c.isCommand) {
        ASSERT_EQ(b.output.calls.size(), 2u);
        EXPECT_EQ(b.output.calls[0], "press:1B");  // the line goes unsent
        EXPECT_EQ(b.output.calls[1], "type:Здравия желаю, Лейтенант Ivan Petrov.|send");
    } else {
        EXPECT_TRUE(b.output.calls.empty());
    }
}

constexpr std::uint8_t kSlash = 0xBF, kR = 0x52, kE = 0x45, kSpace = 0x20;

INSTANTIATE_TEST_SUITE_P(Cases, ChatCommands,
                         testing::Values(CommandCase{"RussianLayout", U"/ку", {kSlash, kR, kE}, true},
                                         CommandCase{"EnglishLayoutForgotToSwitch", U"/re", {kSlash, kR, kE}, true},
                                         CommandCase{"CapitalsAndATrailingBlank", U"/КУ ", {kSlash, kR, kE, kSpace}, true},
                                         CommandCase{"LongerWord", U"/кут", {kSlash, kR, kE, kR}, false},
                                         CommandCase{"PlainChat", U"ку", {kR, kE}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BinderKeys, ACursorKeyInTheLineMakesItUnknownAndNothingIsTaken)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    setup.RolePlay("helloku.txt", "привет");
    Binder b(setup);
    b.Tap(kT);
    b.TypeLine(U"/ку", {kSlash, kR, kE});
    b.Tap(0x26);  // Up: the chat's history replaces the line
    EXPECT_EQ(b.Tap(kEnter).first, Verdict::Pass);
    b.Run(3s);
    EXPECT_TRUE(b.output.calls.empty());
}

// ---- texts -------------------------------------------------------------------

TEST(BinderTexts, AFineIsTypedLineByLineWithTheProfileFilledAPauseApart)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile + "[binder]\r\npause=1500\r\nchat=VK59\r\n");
    setup.RolePlay("штраф.txt", "/me достал бланк, {звание} {ник}\r\n\r\n/do {время} {дата}.\r\nКвитанция, {достал|достала}.");
    Binder b(setup);
    b.Key(kF2, true);
    b.Run(300ms);
    EXPECT_TRUE(b.output.calls.empty()) << "typed while the hotkey was still held";
    b.Key(kF2, false);
    b.Run(10s);
    EXPECT_EQ(b.output.Typed(), (std::vector<std::string>{"/me достал бланк, Лейтенант Ivan_Petrov",
                                                          "/do 09:05 03.02.2026.", "Квитанция, достал."}));
    ASSERT_EQ(b.output.times.size(), 3u);
    EXPECT_GE(b.output.times[1] - b.output.times[0], 1500ms);
    EXPECT_LT(b.output.times[1] - b.output.times[0], 1600ms);
    EXPECT_EQ(b.output.chatKeys, std::set<std::uint8_t>{0x59});
}

struct SharedKeyCase {
    const char* name;
    bool fixed;
    std::vector<std::string> files;  // present; "!" after the name: present but blank
    const char* typed;               // nullptr: nothing
};

class SharedKeys : public testing::TestWithParam<SharedKeyCase> {};

TEST_P(SharedKeys, OneTextOfTheKeyIsTyped)
{
    const SharedKeyCase& c = GetParam();
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    for (const std::string& f : c.files) {
        if (f.back() == '!') setup.RolePlay(f.substr(0, f.size() - 1), " \r\n\r\n");
        else setup.RolePlay(f, f);
    }
    Binder b(setup);
    if (c.fixed) {
        b.Chord(kRmb, kF3);
        b.Run(2s);
        b.Tap(0x31, U'7');
        b.Tap(kEnter);
        b.Run(2s);
        ASSERT_EQ(b.engine().FixedTarget(), "7");
        b.output.calls.clear();
    }
    b.Tap(kF3);
    b.Run(5s);
    EXPECT_EQ(b.output.Typed(), c.typed ? std::vector<std::string>{c.typed} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SharedKeys,
    testing::Values(SharedKeyCase{"FixedPlayer", true, {"stop1.txt", "stop2.txt", "allstop.txt"}, "stop1.txt"},
                    SharedKeyCase{"NoPlayer", false, {"stop1.txt", "stop2.txt", "allstop.txt"}, "stop2.txt"},
                    SharedKeyCase{"MissingGivesWay", false, {"stop1.txt", "allstop.txt"}, "allstop.txt"},
                    SharedKeyCase{"BlankGivesWay", false, {"stop2.txt!", "allstop.txt"}, "allstop.txt"},
                    SharedKeyCase{"FixedMissingGivesWay", true, {"allstop.txt"}, "allstop.txt"},
                    SharedKeyCase{"NoneAtAll", false, {"stop1.txt"}, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BinderTexts, TheStopKeyCutsALongTextAfterTheCurrentMessage)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    std::string text;
    for (int i = 1; i <= 20; ++i) text += "строка " + std::to_string(i) + "\r\n";
    setup.RolePlay("штраф.txt", text);
    Binder b(setup);
    b.Tap(kF2);
    b.Run(2500ms);  // three messages a 1200 ms pause apart
    ASSERT_EQ(b.output.Typed().size(), 3u);
    EXPECT_EQ(b.Tap(kF2).first, Verdict::Pass);  // one text at a time: F2 now is the player's
    b.Key(kAlt, true);
    EXPECT_EQ(b.Tap(kF1).first, Verdict::Swallow);
    b.Key(kAlt, false);
    b.Run(10s);
    EXPECT_EQ(b.output.Typed().size(), 3u);
    EXPECT_FALSE(b.engine().Busy());
    EXPECT_NE(b.LogText().find("остановлено клавишей"), std::string::npos);
}

TEST(BinderTexts, AnotherWindowInFrontStopsTheTextAndGetsNothing)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    setup.RolePlay("штраф.txt", "раз\r\nдва\r\nтри");
    Binder b(setup);
    b.Tap(kF2);
    b.Run(500ms);
    b.output.front = false;
    b.Run(10s);
    EXPECT_EQ(b.output.Typed(), std::vector<std::string>{"раз"});
    EXPECT_FALSE(b.engine().Busy());
    EXPECT_NE(b.LogText().find("окно игры не впереди"), std::string::npos);
}

TEST(BinderTexts, NothingIsTypedWhileAModifierIsDownAndAModifierHeldForGoodRefuses)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    setup.RolePlay("hello.txt", "Добрый день");
    Binder b(setup);
    b.Key(kAlt, true);
    b.Tap(kOne);  // Alt+1, Alt still held
    b.Run(3s);
    EXPECT_TRUE(b.output.calls.empty());
    b.Key(kAlt, false);
    b.Run(1s);
    EXPECT_EQ(b.output.Typed(), std::vector<std::string>{"Добрый день"});

    b.output.calls.clear();
    b.Key(kAlt, true);
    b.Tap(kOne);
    b.Run(10s);
    EXPECT_TRUE(b.output.calls.empty());
    EXPECT_FALSE(b.engine().Busy());
    EXPECT_NE(b.LogText().find("не отпущены"), std::string::npos);
}

TEST(BinderTexts, QuestionsAreAskedInTheChatLineAndTheirAnswersFillTheText)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    setup.RolePlay("штраф.txt",
                   "/me записал ID {цель}, мой {ид}, у {место}\r\n{спросить Номер паспорта}\r\n{пауза 2,5}\r\nПаспорт {ввод}.");
    Binder b(setup);
    b.Tap(kF2);
    const auto answer = [&](const std::u32string& text) {
        b.Run(2s);
        b.TypeLine(text, std::vector<std::uint8_t>(text.size(), 0x30));
        EXPECT_EQ(b.Tap(kEnter).first, Verdict::Swallow);  // the question is never sent
    };
    answer(U"12");
    answer(U"34");
    answer(U"мэрия");
    answer(U"AB 123");
    b.Run(10s);
    const std::vector<std::string> expected = {
        "type:ID игрока: |open", "press:1B", "type:Ваш ID: |open", "press:1B", "type:Местоположение: |open", "press:1B",
        "type:/me записал ID 12, мой 34, у мэрия|send", "type:Номер паспорта: |open", "press:1B", "type:Паспорт AB 123.|send"};
    EXPECT_EQ(b.output.calls, expected);
    ASSERT_EQ(b.output.times.size(), expected.size());
    EXPECT_GE(b.output.times.back() - b.output.times[6], 2500ms);
    EXPECT_EQ(b.engine().FixedTarget(), "12");  // the player asked for is fixed from now on

    // {ид} is asked once a run; {место} every time; {цель} only with no player fixed.
    b.output.calls.clear();
    b.Tap(kF2);
    answer(U"лес");
    b.Run(2s);
    EXPECT_EQ(b.output.calls.front(), "type:Местоположение: |open");
    EXPECT_EQ(b.output.calls.back(), "type:Номер паспорта: |open");
    b.Chord(kAlt, kF1);  // the stop key during a question closes the line
    b.Run(1s);
    EXPECT_EQ(b.output.calls.back(), "press:1B");
    EXPECT_FALSE(b.engine().Busy());
}

TEST(BinderTexts, ManualFixingAsksForAnIdAndTheResetForgetsIt)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    Binder b(setup);
    const auto fix = [&](const std::u32string& id) {
        b.Chord(kRmb, kF3);
        b.Run(2s);
        b.TypeLine(id, std::vector<std::uint8_t>(id.size(), 0x30));
        b.Tap(kEnter);
        b.Run(1s);
    };
    fix(U"abc");
    EXPECT_EQ(b.engine().FixedTarget(), "");
    fix(U"45");
    EXPECT_EQ(b.engine().FixedTarget(), "45");
    b.Chord(kRmb, 0x73);  // ПКМ+F4: key40
    b.Run(1s);
    EXPECT_EQ(b.engine().FixedTarget(), "");
}

TEST(BinderTexts, SimpleActionsAndALineLeftOpenForThePlayer)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile + "[hotkeys]\r\nkey14=VK12 & VK32\r\n");
    setup.RolePlay("hello.txt", "/me кивнул\r\n/do Жетон: {жетон}{дописать}\r\nникогда");
    Binder b(setup);
    b.Tap(kF9);  // key6
    b.Run(2s);
    b.Tap(0x79);  // key7: F10
    b.Run(2s);
    b.Chord(kAlt, 0x32);
    b.Run(5s);
    EXPECT_EQ(b.output.calls, (std::vector<std::string>{"type:/time|send", "press:77", "type:/me кивнул|send",
                                                        "type:/do Жетон: Не получен|open"}));
    // The player finishes the line: the keys are his, his Enter reaches the game.
    EXPECT_EQ(b.Tap(kF2).first, Verdict::Pass);
    EXPECT_TRUE(b.matcher().ChatOpen());
    EXPECT_EQ(b.Tap(kEnter).first, Verdict::Pass);
}

TEST(BinderTexts, AUserCommandsKeyTypesItsFileAndASharedCombinationTypesOneText)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile + "[hotkeys]\r\nkey14=VK12 & VK33\r\n");
    setup.Put("date/rp1/keycomand.ini", "[keys]\r\nбэ=VK12 & VK33\r\nарест=VK12 & VK34\r\nаб=VK12 & VK34\r\n");
    setup.RolePlay("hello.txt", "текст hello");
    setup.Put("отыгровки/rp1/команды/арест.lcb", "арест");
    setup.Put("отыгровки/rp1/команды/аб.lcb", "аб");
    setup.Put("отыгровки/rp1/команды/бэ.lcb", "бэ");
    Binder b(setup);
    for (std::uint8_t key : {std::uint8_t(0x33), std::uint8_t(0x34)}) {
        b.Chord(kAlt, key);
        b.Run(3s);
    }
    EXPECT_EQ(b.output.Typed(), (std::vector<std::string>{"текст hello", "аб"}));
}

TEST(BinderTexts, AHotkeySavedWhileRunningReplacesTheOldOne)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile);
    setup.RolePlay("штраф.txt", "штраф");
    Binder b(setup);
    setup.Put("Setting.ini", kProfile + "[hotkeys]\r\nkey2=~VK12 & VK39\r\n");
    b.FilesChanged();
    EXPECT_EQ(b.Tap(kF2).first, Verdict::Pass);
    b.Run(3s);
    EXPECT_TRUE(b.output.calls.empty());
    b.Key(kAlt, true);
    EXPECT_EQ(b.Tap(0x39).first, Verdict::Pass);
    b.Key(kAlt, false);
    b.Run(3s);
    EXPECT_EQ(b.output.Typed(), std::vector<std::string>{"штраф"});
}

TEST(BinderTexts, HandEditedInputNeverStopsTheBinder)
{
    Folder setup;
    setup.Put("Setting.ini", kProfile + "[hotkeys]\r\nkey2=garbage & VKZZ\r\nkey14=VK12\r\nkey18=\xF0\x9F\x98\x80\r\n"
                                        "[binder]\r\nchat=T\r\npause=5\r\n");
    std::string binary;
    unsigned seed = 7;
    for (int i = 0; i < 5 * 1024 * 1024; ++i) binary += static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    std::filesystem::create_directories(testsupport::U8Path(setup.Dir() + "отыгровки/rp1"));
    testsupport::WriteBytes(setup.Dir() + "отыгровки/rp1/hello.txt", binary);
    std::string lines;
    for (int i = 0; i < 10000; ++i) lines += "строка\r\n";
    setup.RolePlay("terr.txt", lines);
    Binder b(setup);
    EXPECT_NE(b.LogText().find("key2=garbage & VKZZ"), std::string::npos);
    EXPECT_EQ(b.engine().Table().chatKey, 0x54);
    EXPECT_EQ(b.engine().Table().pauseMs, 300);  // the least pause

    b.Chord(kAlt, 0x12);  // "VK12" alone: Alt is the key
    b.Run(600s);
    EXPECT_FALSE(b.engine().Busy());
    EXPECT_LE(b.output.calls.size(), static_cast<size_t>(Engine::kMaxMessages));

    b.output.calls.clear();
    b.Tap(0x74);  // F5: terr.txt, 10,000 lines
    b.Run(600s);
    EXPECT_EQ(b.output.calls.size(), static_cast<size_t>(Engine::kMaxMessages));
    EXPECT_NE(b.LogText().find("остальное пропущено"), std::string::npos);

    // The server's folder gone: the key says why it typed nothing.
    std::filesystem::remove_all(testsupport::U8Path(setup.Dir() + "отыгровки"));
    b.output.calls.clear();
    b.Tap(0x74);
    b.Run(3s);
    EXPECT_TRUE(b.output.calls.empty());
    EXPECT_NE(b.LogText().find("terr.txt нет или пуст"), std::string::npos);
}

}  // namespace
}  // namespace binder
