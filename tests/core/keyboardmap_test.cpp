// The keyboard map: each key's use under a filter of held keys, its holders
// and what opens them, and which keys are held rather than pressed.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "hotkeys/BinderKeys.h"
#include "hotkeys/KeyboardMap.h"

namespace hotkeys {
namespace {

// "Clash: отыгровка «Проверка по КПК» Alt+7!, ..." ("!" marks a clash).
std::string Describe(const MapKey* key)
{
    if (key == nullptr) return "<no key>";
    static const char* const kUse[] = {"Free", "Used", "Clash"};
    std::string out = kUse[static_cast<int>(key->use)];
    for (size_t i = 0; i < key->holders.size(); ++i) {
        const KeyHolder& h = key->holders[i];
        out += (i == 0 ? ": " : ", ") + h.name + " " + h.combination + (h.clash ? "!" : "");
    }
    return out;
}

struct MapCase {
    const char* name;
    SectionValues settings;
    SectionValues commands;
    Tokens filter;
    std::string token;
    std::string expected;
    std::string chatKey = "VK54";
};

class KeyboardMapKeys : public testing::TestWithParam<MapCase> {};

TEST_P(KeyboardMapKeys, UseAndHolders)
{
    const MapCase& c = GetParam();
    const KeyboardMap map(ConflictMap(c.settings, c.commands, c.chatKey), KeyFilter(c.filter));
    EXPECT_EQ(Describe(map.Find(c.token)), c.expected);
}

const std::string kCheck = "отыгровка «Проверка по КПК»";
const std::string kDoor = "отыгровка «Взлом двери»";

const MapCase kMapCases[] = {
    {"FreeKey", {}, {}, {}, "VK47", "Free"},
    // No filter: every combination ending in the key, whatever is held before it.
    {"NoFilterTakesAll", {}, {}, {}, "VK48", "Used: Принять запрос помощи Alt+H, Перестать помогать Ctrl+H"},
    {"FilterTakesItsOwn", {}, {}, {"VK12"}, "VK48", "Used: Принять запрос помощи Alt+H"},
    {"DefaultsClash", {}, {}, {"VK12"}, "VK37", "Clash: " + kCheck + " Alt+7!, " + kDoor + " Alt+7!"},
    {"StoredValueReplacesDefault", {{"key19", "VK12 & VK47"}}, {}, {"VK12"}, "VK37", "Used: " + kCheck + " Alt+7"},
    {"DisabledKeyFreesIt", {{"key60", " "}}, {}, {"VK12"}, "VK48", "Free"},
    {"CommandClashes", {}, {{"арест", "~VK12 & VK46"}}, {"VK12"}, "VK46",
     "Clash: Включить систему погони Alt+F!, команда «арест» Alt+F!"},
    // Order tells combinations apart, but not filters.
    {"FilterIsASet", {}, {{"a", "VK12 & VK11 & VK47"}, {"b", "VK11 & VK12 & VK47"}}, {"VK11", "VK12"}, "VK47",
     "Used: команда «a» Alt+Ctrl+G, команда «b» Ctrl+Alt+G"},
    {"MoreHeldKeysDoNotPass", {}, {{"a", "VK12 & VK11 & VK47"}}, {"VK12"}, "VK47", "Free"},
    {"SingleKeyPassesNoFilterOnly", {}, {{"a", "VK47"}}, {"VK12"}, "VK47", "Free"},
    {"UnknownTokenListed", {}, {{"a", "QQQQ"}}, {}, "QQQQ", "Used: команда «a» QQQQ"},
    {"MouseFilter", {}, {}, {"VK02"}, "VK54", "Used: Тайзер ПКМ+T"},
    {"ChatKey", {}, {}, {}, "VK54", "Used: Меню старшего состава Alt+T, Тайзер ПКМ+T, клавиша чата T"},
    {"ChatKeyTakenAlone", {}, {{"a", "VK47"}}, {}, "VK47", "Clash: команда «a» G!, клавиша чата G!", "VK47"},
};

INSTANTIATE_TEST_SUITE_P(Cases, KeyboardMapKeys, testing::ValuesIn(kMapCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyboardMap, HoldersSayWhatOpensThem)
{
    const KeyboardMap map(ConflictMap({}, {{"арест", "VK12 & VK47"}}, "VK54"));
    const auto holder = [&](const char* token, const std::string& key) {
        for (const KeyHolder& h : map.Find(token)->holders)
            if (h.key == key) return h;
        return KeyHolder{};
    };

    const KeyHolder text = holder("VK31", "key14");
    EXPECT_EQ(text.editor, HolderEditor::RolePlay);
    EXPECT_EQ(text.rolePlayEntry, 1);
    EXPECT_EQ(text.action, nullptr);

    const KeyHolder both = holder("VK71", "key2");  // an action's and a text's: the action's picker
    EXPECT_EQ(both.editor, HolderEditor::Action);
    ASSERT_NE(both.action, nullptr);
    EXPECT_EQ(both.action->iniKey, "key2");
    EXPECT_EQ(both.rolePlayEntry, 0);

    const KeyHolder command = holder("VK47", "арест");
    EXPECT_EQ(command.editor, HolderEditor::Command);
    EXPECT_EQ(command.source, HotkeySource::Commands);
    EXPECT_EQ(command.tokens, (Tokens{"VK12", "VK47"}));

    const KeyHolder chat = holder("VK54", "chat");
    EXPECT_EQ(chat.editor, HolderEditor::ChatKey);
    EXPECT_EQ(chat.source, HotkeySource::Binder);
    EXPECT_EQ(chat.action, nullptr);
}

TEST(KeyboardMap, KeysTheSystemTakesUnderTheFilter)
{
    const ConflictMap conflicts({}, {});
    EXPECT_EQ(KeyboardMap(conflicts, KeyFilter({"VK12"})).Find("VK09")->system, "Alt+Tab");
    EXPECT_EQ(KeyboardMap(conflicts).Find("VK5B")->system, "LWin");
    EXPECT_EQ(KeyboardMap(conflicts).Find("VK09")->system, "");
}

TEST(KeyboardMap, OfferedFiltersAreTheUsualOnesThenTheUsedOthers)
{
    std::vector<std::string> captions;
    for (const KeyFilter& f : OfferedFilters(ConflictMap({}, {{"a", "VK11 & VK12 & VK47"}, {"b", "VK41 & VK47"}})))
        captions.push_back(f.Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"Alt", "Ctrl", "Shift", "ПКМ", "A", "Alt+Ctrl"}));
}

TEST(KeyGroups, HeldKeysAreModifiersAndTheMouse)
{
    std::set<std::string> groups[3];
    for (const KeyInfo& key : KeyVocabulary()) groups[static_cast<int>(GroupOf(key.token))].emplace(key.token);
    EXPECT_EQ(groups[static_cast<int>(KeyGroup::Modifier)],
              (std::set<std::string>{"VK10", "VK11", "VK12", "VK5B", "VK5C"}));  // Shift, Ctrl, Alt, the Windows keys
    EXPECT_EQ(groups[static_cast<int>(KeyGroup::Mouse)],
              (std::set<std::string>{"VK01", "VK02", "VK04", "VK9E", "VK9F"}));  // three buttons, the wheel both ways
    EXPECT_EQ(GroupOf("vk12"), KeyGroup::Ordinary);
}

}  // namespace
}  // namespace hotkeys
