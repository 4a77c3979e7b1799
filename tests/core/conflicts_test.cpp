// The conflict map over every hotkey, the system's own combinations, and the
// token of a pressed key by its place.

#include <gtest/gtest.h>

#include <set>

#include "hotkeys/Conflicts.h"
#include "hotkeys/PhysicalKeys.h"

namespace {

using hotkeys::ConflictMap;
using hotkeys::HotkeySource;
using hotkeys::SectionValues;

std::set<std::string> Names(const std::vector<const hotkeys::HotkeyHolder*>& holders)
{
    std::set<std::string> names;
    for (const auto* h : holders) names.insert(h->name);
    return names;
}

std::set<std::string> SharingWith(const ConflictMap& map, HotkeySource source, const std::string& key)
{
    const auto* holder = map.Find(source, key);
    return holder ? Names(map.SharingWith(*holder)) : std::set<std::string>{"<no holder>"};
}

struct ShareCase {
    const char* name;
    SectionValues settings;
    SectionValues commands;
    HotkeySource source;
    std::string key;
    std::set<std::string> sharing;
    std::string chatKey = "VK54";  // as the session passes it
};

class ConflictShares : public ::testing::TestWithParam<ShareCase> {};

TEST_P(ConflictShares, NameEveryOtherHolderOfTheCombination)
{
    const ShareCase& c = GetParam();
    EXPECT_EQ(SharingWith(ConflictMap(c.settings, c.commands, c.chatKey), c.source, c.key), c.sharing);
}

const std::string kDoor = "отыгровка «Взлом двери»";
const std::string kCheck = "отыгровка «Проверка по КПК»";
const std::string kChase = "Включить систему погони";
const std::string kChat = "клавиша чата";

INSTANTIATE_TEST_SUITE_P(
    Cases, ConflictShares,
    ::testing::Values(
        ShareCase{"DefaultsCollide", {}, {}, HotkeySource::Settings, "key17", {kDoor}},
        ShareCase{"StoredValueReplacesDefault", {{"key19", "VK70"}}, {}, HotkeySource::Settings, "key17", {}},
        ShareCase{"KeyNamesFoldCase", {{"KEY19", "VK12 & VK46"}}, {}, HotkeySource::Settings, "key59", {kDoor}},
        ShareCase{"OneKeyOfSeveralEntriesIsOneHolder", {}, {}, HotkeySource::Settings, "key3", {}},
        ShareCase{"KeyOfPageAndTextIsOneHolder", {}, {}, HotkeySource::Settings, "key2", {}},
        ShareCase{"TildeIgnored", {}, {{"арест", "~VK12 & VK46"}}, HotkeySource::Commands, "арест", {kChase}},
        ShareCase{"OrderMatters", {}, {{"арест", "VK46 & VK12"}}, HotkeySource::Commands, "арест", {}},
        ShareCase{"CommandAgainstCommand", {}, {{"a", "VK7F"}, {"b", "~VK7F"}}, HotkeySource::Commands, "a",
                  {"команда «b»"}},
        ShareCase{"UnknownTokensAsRawText", {}, {{"a", "QQQQ & ЖЖЖЖ"}, {"b", "QQQQ & ЖЖЖЖ"}, {"c", "qqqq & ЖЖЖЖ"}},
                  HotkeySource::Commands, "a", {"команда «b»"}},
        ShareCase{"DisabledNeverConflicts", {{"key17", " "}, {"key19", ""}}, {{"a", " "}, {"b", ""}},
                  HotkeySource::Settings, "key17", {}},
        ShareCase{"AbsentKeyCountsAllItsDefaults", {}, {{"a", "~VK02 & VK74"}}, HotkeySource::Commands, "a",
                  {"Фиксация ближайшего игрока / отыгровка «Кричалка 3 (Например: Пропустить тс)»"}},
        ShareCase{"DuplicateCommandKeepsTheFirst", {}, {{"a", "VK7F"}, {"A", "VK7E"}, {"b", "VK7E"}},
                  HotkeySource::Commands, "b", {}},
        // The binder opens the chat with its key: a hotkey that is that key alone clashes.
        ShareCase{"ChatKeyAlone", {}, {{"a", "~VK54"}}, HotkeySource::Commands, "a", {kChat}},
        ShareCase{"ChatKeyInACombinationIsFree", {}, {{"a", "VK12 & VK54"}}, HotkeySource::Commands, "a",
                  {"Меню старшего состава"}},
        ShareCase{"MovedChatKeyMeetsADefault", {}, {}, HotkeySource::Binder, "chat",
                  {"Выписать штраф по АК/ПДД / отыгровка «выписки штрафа»"}, "VK71"},
        ShareCase{"NoChatKeyNoHolder", {}, {{"a", "VK54"}}, HotkeySource::Commands, "a", {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConflictMap, HoldersCarryEveryCaptionAndPickerMarksLeaveTheEditedOneOut)
{
    const ConflictMap map({}, {{"арест", "VK12 & VK7F"}});
    const auto* key2 = map.Find(HotkeySource::Settings, "Key2");
    ASSERT_NE(key2, nullptr);
    EXPECT_EQ(key2->name, "Выписать штраф по АК/ПДД / отыгровка «выписки штрафа»");
    const auto* key3 = map.Find(HotkeySource::Settings, "key3");
    ASSERT_NE(key3, nullptr);
    EXPECT_EQ(key3->combinations.size(), 1u);

    const auto* arrest = map.Find(HotkeySource::Commands, "АРЕСТ");
    ASSERT_NE(arrest, nullptr);
    const auto used = map.KeysUsedBy(arrest);
    EXPECT_FALSE(used.contains("VK7F"));
    EXPECT_TRUE(used.contains("VK12"));
    EXPECT_TRUE(map.KeysUsedBy(nullptr).contains("VK7F"));
}

struct ReservedCase {
    hotkeys::Tokens tokens;
    const char* reserved;  // "" for none
};

class Reserved : public ::testing::TestWithParam<ReservedCase> {};

TEST_P(Reserved, AreTheSystemsOwnCombinations)
{
    const auto r = hotkeys::ReservedCombination(GetParam().tokens);
    EXPECT_EQ(r.value_or(""), GetParam().reserved);
}

INSTANTIATE_TEST_SUITE_P(Cases, Reserved,
                         ::testing::Values(ReservedCase{{"VK12", "VK09"}, "Alt+Tab"},
                                           ReservedCase{{"VK09", "VK12"}, "Alt+Tab"},
                                           ReservedCase{{"VK10", "VK12", "VK09"}, "Alt+Tab"},
                                           ReservedCase{{"VK12", "VK73"}, "Alt+F4"},
                                           ReservedCase{{"VK12", "VK20"}, "Alt+Space"},
                                           ReservedCase{{"VK11", "VK1B"}, "Ctrl+Esc"},
                                           ReservedCase{{"VK5C", "VK45"}, "RWin"},
                                           ReservedCase{{"VK12", "VK74"}, ""},
                                           ReservedCase{{"VK09"}, ""}));

struct PhysicalCase {
    bool windows;
    unsigned code;  // Windows: the virtual key; X11: the keycode
    unsigned scan;  // Windows only
    const char* token;  // "" for none
};

class PhysicalKeys : public ::testing::TestWithParam<PhysicalCase> {};

TEST_P(PhysicalKeys, GiveTheTokenOfThePlace)
{
    const PhysicalCase& c = GetParam();
    const auto token = c.windows ? hotkeys::TokenForWindowsKey(c.code, c.scan) : hotkeys::TokenForX11Keycode(c.code);
    EXPECT_EQ(token.value_or(""), c.token);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PhysicalKeys,
    ::testing::Values(PhysicalCase{true, 0x41, 0x1E, "VK41"},      // A (Ф)
                      PhysicalCase{true, 0xA1, 0x136, "VK10"},     // right Shift
                      PhysicalCase{true, 0x11, 0x11D, "VK11"},     // right Ctrl
                      PhysicalCase{true, 0xA5, 0x138, "VK12"},     // right Alt
                      PhysicalCase{true, 0x0D, 0x11C, "VK0D"},     // the pad's Enter
                      PhysicalCase{true, 0x24, 0x47, "VK67"},      // pad 7 with NumLock off
                      PhysicalCase{true, 0x24, 0x147, "VK24"},     // Home
                      PhysicalCase{true, 0x2E, 0x53, "VK6E"},      // pad Del
                      PhysicalCase{true, 0x67, 0x47, "VK67"},      // pad 7 with NumLock on
                      PhysicalCase{true, 0x1B, 0x01, "VK1B"},
                      PhysicalCase{true, 0x1FF, 0x00, ""},
                      PhysicalCase{false, 38, 0, "VK41"},   // A
                      PhysicalCase{false, 47, 0, "VKBA"},   // ; (Ж)
                      PhysicalCase{false, 108, 0, "VK12"},  // right Alt
                      PhysicalCase{false, 104, 0, "VK0D"},  // the pad's Enter
                      PhysicalCase{false, 79, 0, "VK67"},   // pad 7
                      PhysicalCase{false, 9, 0, "VK1B"},
                      PhysicalCase{false, 3, 0, ""},
                      PhysicalCase{false, 250, 0, ""}));

}  // namespace
