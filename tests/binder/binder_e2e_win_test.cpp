// The real Quorvel.exe beside the game's test double under Wine, with an
// English locale and layout: the player's keys come from xdotool, what the
// game got is read from the double's log, what the binder thought from its
// own Quorvel.log.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "binder/Badge.h"
#include "binder/WineDesk.h"
#include "companion/Processes.h"
#include "core/BuildPaths.h"
#include "core/TestSupport.h"
#include "store/Cp1251.h"
#include "store/IniFile.h"

namespace {

using namespace std::chrono_literals;
using gamelog::Count;
using gamelog::Dump;
using gamelog::Log;
using winedesk::GameDouble;

namespace fs = std::filesystem;

std::string Profile(int pauseMs = 300)
{
    return "[global]\r\nnick=Ivan_Petrov\r\nзвание=Лейтенант\r\nдепартамент=LSPD\r\n[binder]\r\npause=" +
           std::to_string(pauseMs) + "\r\n";
}


// Every test: a program folder of its own (Cyrillic in its path, as many
// players have), its binder running, the double in front.
class BinderCompanion : public testing::Test {
protected:
    void SetUp() override
    {
        companion::KillProcessByName("Quorvel.exe");
        program_ = dir_.File("Полиция\\");
        fs::create_directories(testsupport::U8Path(program_ + "отыгровки\\rp1\\команды"));
        fs::create_directories(testsupport::U8Path(program_ + "date\\rp1"));
        fs::copy_file(testsupport::U8Path(buildpaths::kBinder), testsupport::U8Path(program_ + "Quorvel.exe"));
        Put("Setting.ini", Profile());
    }
    void TearDown() override
    {
        if (binder_.hProcess) {
            TerminateProcess(binder_.hProcess, 0);
            WaitForSingleObject(binder_.hProcess, 5000);
            CloseHandle(binder_.hThread);
            CloseHandle(binder_.hProcess);
        }
        double_.reset();
        other_.reset();
    }

    void Put(const std::string& relative, const std::string& utf8)
    {
        testsupport::WriteBytes(program_ + relative, store::Utf8ToCp1251(utf8));
    }
    void RolePlay(const std::string& file, const std::string& utf8) { Put("отыгровки\\rp1\\" + file, utf8); }

    std::string BinderLog() const
    {
        const std::string path = program_ + "Quorvel.log";
        return testsupport::Exists(path) ? testsupport::ReadBytes(path) : std::string();
    }
    bool LogHas(const std::string& text, std::chrono::milliseconds timeout = 5s) const
    {
        return winedesk::WaitUntil([&] { return BinderLog().find(text) != std::string::npos; }, timeout);
    }

    // The double, then the binder, then the double in front.
    void Start()
    {
        double_ = std::make_unique<GameDouble>(buildpaths::kGameDouble, dir_.File("game.log"));
        ASSERT_TRUE(double_->Ready());
        const std::wstring exe = testsupport::U8Path(program_ + "Quorvel.exe").wstring();
        std::wstring commandLine = L"\"" + exe + L"\" -startscript40";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   testsupport::U8Path(program_).wstring().c_str(), &startup, &binder_));
        ASSERT_TRUE(LogHas("Биндер запущен", 20s)) << BinderLog();
        ASSERT_TRUE(double_->Focus());
    }

    // Waits until the double got `count` messages and nothing more came.
    Log WaitSent(size_t count, std::chrono::milliseconds timeout = 10s)
    {
        double_->WaitForLog([&](const Log& log) { return Count(log, "sent") >= count; }, timeout);
        return double_->WaitQuiet(500ms);
    }

    testsupport::TempDir dir_;
    std::string program_;
    PROCESS_INFORMATION binder_{};
    std::unique_ptr<GameDouble> double_;
    std::unique_ptr<GameDouble> other_;
};

TEST_F(BinderCompanion, F2TypesTheFineLineByLineWithTheProfileAPauseApart)
{
    Put("Setting.ini", Profile(600));
    const std::string longLine = "Квитанция выписана по статье 12.9 КоАП за превышение скорости в черте города: "
                                 "штраф составит пятьсот долларов, оплатить в банке.";
    ASSERT_EQ(store::Utf8ToCp1251(longLine).size(), 128u);
    RolePlay("штраф.txt", "/me достал бланк штрафа, {звание} {ник}\r\n/do Бланк заполнен.\r\n" + longLine);
    Start();
    const auto pressed = winedesk::Qpc();
    ASSERT_TRUE(winedesk::Key("F2"));
    const Log log = WaitSent(3);
    EXPECT_EQ(gamelog::SentUtf8(log), (std::vector<std::string>{"/me достал бланк штрафа, Лейтенант Ivan_Petrov",
                                                   "/do Бланк заполнен.", longLine}))
        << Dump(log);
    EXPECT_EQ(Count(log, "keydown", "71"), 0u) << "F2 has no \"~\": the game must not get it";
    EXPECT_EQ(Count(log, "syschar"), 0u);

    std::vector<double> opens, sents;
    for (const auto& r : log) {
        if (r.event == "open") opens.push_back(r.ms);
        if (r.event == "sent") sents.push_back(r.ms);
    }
    ASSERT_EQ(opens.size(), 3u);
    for (size_t i = 1; i < sents.size(); ++i) EXPECT_GE(opens[i] - sents[i - 1], 590.0) << "message " << i;
    std::printf("[ timing ] F2 to the chat key in the game: %.1f ms; 128 characters: %.1f ms\n",
                winedesk::QpcToMs(gamelog::QpcOf(log, opens[0]) - pressed), sents[2] - opens[2]);
}

TEST_F(BinderCompanion, AltHeldDownFromTheHotkeyStillTypesIntactText)
{
    RolePlay("hello.txt", "Здравия желаю! Офицер {ник}, LSPD.");
    Start();
    ASSERT_TRUE(winedesk::KeyDown("alt"));
    ASSERT_TRUE(winedesk::Key("1"));
    Sleep(400);  // the binder waits for Alt
    EXPECT_EQ(Count(double_->Log(), "open"), 0u);
    ASSERT_TRUE(winedesk::KeyUp("alt"));
    const Log log = WaitSent(1);
    EXPECT_EQ(gamelog::SentUtf8(log), std::vector<std::string>{"Здравия желаю! Офицер Ivan_Petrov, LSPD."}) << Dump(log);
    EXPECT_EQ(Count(log, "syschar"), 0u);
    EXPECT_EQ(Count(log, "keydown", "31") + Count(log, "syskeydown", "31"), 0u) << "1 is the hotkey's";
    EXPECT_EQ(Count(log, "keymenu"), 0u) << "Alt released after a kept key must not open the game's menu";
}

TEST_F(BinderCompanion, RightButtonWithF3AsksForAnIdTypesNothingOfTheMegaphoneAndTheIdFillsTheTarget)
{
    RolePlay("stop1.txt", "/m Водитель {цель}, остановитесь!");
    RolePlay("stop2.txt", "/m Всем стоять!");
    Start();
    ASSERT_TRUE(winedesk::MouseDown(3));
    ASSERT_TRUE(winedesk::Key("F3"));
    ASSERT_TRUE(winedesk::MouseUp(3));
    const std::string question = store::Utf8ToCp1251("ID игрока для фиксации: ");
    Log log = double_->WaitForLog([&](const Log& l) { return gamelog::OpenLine(l) == question; });
    EXPECT_EQ(store::Cp1251ToUtf8(gamelog::OpenLine(log).value_or("")), "ID игрока для фиксации: ") << Dump(log);
    EXPECT_EQ(Count(log, "keydown", "72"), 1u) << "\"~\": F3 reaches the game too";
    EXPECT_EQ(Count(log, "buttondown", "02"), 1u) << "the held button aims";

    ASSERT_TRUE(winedesk::Xdotool("type 12") == 0);
    ASSERT_TRUE(winedesk::Key("Return"));
    ASSERT_TRUE(LogHas("Зафиксирован игрок 12")) << BinderLog();
    log = double_->WaitQuiet(500ms);
    EXPECT_TRUE(gamelog::SentUtf8(log).empty()) << "the question is never sent" << Dump(log);
    EXPECT_FALSE(gamelog::OpenLine(log).has_value());

    ASSERT_TRUE(winedesk::Key("F3"));  // fixed: the megaphone's first text
    log = WaitSent(1);
    EXPECT_EQ(gamelog::SentUtf8(log), std::vector<std::string>{"/m Водитель 12, остановитесь!"}) << Dump(log);
}

TEST_F(BinderCompanion, WithAnotherWindowInFrontNothingIsTypedAnywhereAndItGetsTheKey)
{
    RolePlay("штраф.txt", "/me достал бланк");
    Start();
    winedesk::DoubleOptions plain;
    plain.title = "Notes";
    plain.x = 700;
    other_ = std::make_unique<GameDouble>(buildpaths::kGameDouble, dir_.File("other.log"), plain);
    ASSERT_TRUE(other_->Ready());
    ASSERT_TRUE(other_->Focus());
    ASSERT_TRUE(winedesk::Key("F2"));
    const Log otherLog = other_->WaitForLog([](const Log& l) { return Count(l, "keyup", "71") > 0; });
    Sleep(1500);
    EXPECT_EQ(Count(otherLog, "keydown", "71"), 1u) << "F2 is an ordinary key there";
    EXPECT_EQ(Count(other_->Log(), "char"), 0u);
    EXPECT_EQ(Count(double_->Log(), "open"), 0u);
    EXPECT_EQ(Count(double_->Log(), "keydown"), 0u);
}

TEST_F(BinderCompanion, TheStopKeyCutsALongText)
{
    std::string text;
    for (int i = 1; i <= 12; ++i) text += "Строка отыгровки номер " + std::to_string(i) + "\r\n";
    RolePlay("штраф.txt", text);
    Start();
    ASSERT_TRUE(winedesk::Key("F2"));
    double_->WaitForLog([](const Log& l) { return Count(l, "sent") >= 2; });
    ASSERT_TRUE(winedesk::Key("alt+F1"));
    ASSERT_TRUE(LogHas("остановлено клавишей")) << BinderLog();
    Sleep(1000);
    const size_t sent = Count(double_->Log(), "sent");
    EXPECT_GE(sent, 2u);
    EXPECT_LE(sent, 3u) << "after the current message, no more";
}

TEST_F(BinderCompanion, TheCommandSentFromTheChatLineOnTheEnglishLayoutTypesItsTextAndNeverReachesTheGame)
{
    RolePlay("helloku.txt", "Здравия желаю, {звание} {имя}.");
    Start();
    ASSERT_TRUE(winedesk::Key("t"));
    ASSERT_EQ(winedesk::Xdotool("type /re"), 0);  // "/ку" without switching the layout
    ASSERT_TRUE(winedesk::Key("Return"));
    const Log log = WaitSent(1);
    EXPECT_EQ(gamelog::SentUtf8(log), std::vector<std::string>{"Здравия желаю, Лейтенант Ivan Petrov."}) << Dump(log);
}

TEST_F(BinderCompanion, AUserCommandsKeyTypesItsFile)
{
    Put("date\\rp1\\keycomand.ini", "[keys]\r\nарест=VK12 & VK4E\r\n");
    Put("отыгровки\\rp1\\команды\\арест.lcb", "/me надел наручники\r\n/cuff {цель}");
    Start();
    ASSERT_TRUE(winedesk::Key("alt+n"));
    // {цель} with no player fixed: asked first.
    const std::string question = store::Utf8ToCp1251("ID игрока: ");
    double_->WaitForLog([&](const Log& l) { return gamelog::OpenLine(l) == question; });
    ASSERT_EQ(winedesk::Xdotool("type 7"), 0);
    ASSERT_TRUE(winedesk::Key("Return"));
    const Log log = WaitSent(2);
    EXPECT_EQ(gamelog::SentUtf8(log), (std::vector<std::string>{"/me надел наручники", "/cuff 7"})) << Dump(log);
}

TEST_F(BinderCompanion, AHotkeySavedWhileRunningWorksWithinASecondAndTheOldOneNoLonger)
{
    RolePlay("штраф.txt", "/me выписал штраф");
    Start();
    store::IniFile(program_ + "Setting.ini").WriteString("hotkeys", "key2", "VK12 & VK32");
    ASSERT_TRUE(LogHas("Клавиши перечитаны", 1s)) << BinderLog();
    ASSERT_TRUE(winedesk::Key("F2"));
    double_->WaitForLog([](const Log& l) { return Count(l, "keyup", "71") > 0; });
    ASSERT_TRUE(winedesk::Key("alt+2"));
    const Log log = WaitSent(1);
    EXPECT_EQ(gamelog::SentUtf8(log), std::vector<std::string>{"/me выписал штраф"}) << Dump(log);
    EXPECT_EQ(Count(log, "keydown", "71"), 1u) << "the old key is an ordinary key now";
}

TEST_F(BinderCompanion, ALineOf200CharactersArrivesAsTwoMessages)
{
    std::string line;
    while (store::Utf8ToCp1251(line).size() < 200) line += "слово ";
    line.resize(line.find_last_not_of(' ') + 1);
    RolePlay("штраф.txt", "/me " + line);
    Start();
    ASSERT_TRUE(winedesk::Key("F2"));
    const Log log = WaitSent(2);
    const std::vector<std::string> sent = gamelog::SentUtf8(log);
    ASSERT_EQ(sent.size(), 2u) << Dump(log);
    EXPECT_EQ(sent[0].substr(0, 4), "/me ");
    EXPECT_EQ(sent[1].substr(0, 4), "/me ");
    EXPECT_EQ(sent[0].substr(4) + " " + sent[1].substr(4), line);
}

TEST_F(BinderCompanion, TheHandshakeStillAnswers)
{
    Start();
    store::IniFile settings(program_ + "Setting.ini");
    settings.WriteString("quorvel", "од", "1");
    EXPECT_TRUE(winedesk::WaitUntil([&] { return settings.ReadString("quorvel", "од", "") == "0"; }, 5s));
    EXPECT_EQ(settings.ReadString("global", "жетон", ""), binder::BadgeFor("Ivan_Petrov"));
}

TEST_F(BinderCompanion, ASecondStartInTheSameFolderEndsAtOnce)
{
    Start();
    const std::wstring exe = testsupport::U8Path(program_ + "Quorvel.exe").wstring();
    std::wstring commandLine = L"\"" + exe + L"\" -startscript40";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION second{};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &second));
    EXPECT_EQ(WaitForSingleObject(second.hProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(second.hThread);
    CloseHandle(second.hProcess);
    EXPECT_EQ(WaitForSingleObject(binder_.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first goes on";
}

}  // namespace

namespace {

// Figures for the notes, not a test of speed: from the hotkey's press as the
// game saw it ("~" lets it through) to the chat key, and one message's length.
TEST_F(BinderCompanion, TimingsFromThePressToTheChatKey)
{
    Put("Setting.ini", Profile() + "[hotkeys]\r\nkey2=~VK71\r\n");
    RolePlay("штраф.txt", std::string(128, 'x'));
    Start();
    for (int round = 1; round <= 5; ++round) {
        ASSERT_TRUE(winedesk::Key("F2"));
        const Log log = WaitSent(static_cast<size_t>(round));
        double down = 0, open = 0, sent = 0;
        for (const auto& r : log) {
            if (r.Is("keydown", "71")) down = r.ms;
            if (r.event == "open") open = r.ms;
            if (r.event == "sent") sent = r.ms;
        }
        std::printf("[ timing ] press to chat key %.1f ms, 128 characters %.1f ms\n", open - down, sent - open);
    }
}

}  // namespace
