#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "hotkeys/BinderKeys.h"
#include "hotkeys/HotkeyString.h"
#include "hotkeys/KeyVocabulary.h"
#include "hotkeys/RolePlayEntries.h"

namespace hotkeys {
namespace {

using Tokens = std::vector<std::string>;

// ---- splitting -------------------------------------------------------------

struct SplitCase {
    const char* name;
    std::string_view text;
    Tokens tokens;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class HotkeySplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(HotkeySplitTest, Tokens) {
    EXPECT_EQ(SplitHotkey(GetParam().text), GetParam().tokens);
}

const SplitCase kSplitCases[] = {
    {"One", "VK7B", {"VK7B"}},
    {"Two", "VK10 & VK75", {"VK10", "VK75"}},
    {"HookedTwo", "~VK02 & VK9F", {"VK02", "VK9F"}},
    {"Three", "VK12 & VK11 & VK31", {"VK12", "VK11", "VK31"}},
    {"FourthIgnored", "VK12 & VK11 & VK31 & VK46", {"VK12", "VK11", "VK31"}},
    {"HookedThreeLongest", "~VK12 & VK11 & VK31", {"VK12", "VK11", "VK31"}},
    {"Empty", "", {}},
    {"Disabled", " ", {}},
    {"ThreeChars", "VK7", {}},
    {"TildeOnly", "~", {}},
    {"TildeShort", "~VK7", {}},
    {"TildeAtEnd", "VK02 & VK70~", {}},
    // Only the first "~" goes: the key before it is lost, a second "~" stays.
    {"TildeAfterFirstToken", "VK02 & ~VK70", {"VK70"}},
    {"TildeMidThree", "VK12 & VK11 & ~VK31", {"VK31"}},
    {"DoubleTilde", "~~VK70", {"~VK7", "VK70"}},
    // Without "&" the cut is one character: the companion reads these so too.
    {"NoSeparator", "VK12VK31", {"VK12", "K12V", "12VK"}},
    {"NoSeparatorShort", "VK12VK", {"VK12", "K12V", "12VK"}},
    {"NoSeparatorFive", "VK70F", {"VK70", "K70F"}},
    // The cut is "&" plus exactly one character, whatever it is.
    {"NoBlanks", "VK12&VK31", {"VK12"}},
    {"NoBlankAfter", "VK12 &VK31", {"VK12"}},
    {"TwoBlanksBefore", "VK12  & VK31", {"VK12", "VK31"}},
    {"TrailingSeparator", "VK12 & ", {"VK12"}},
    {"AmpersandLast", "VK12 &", {"VK12"}},
    {"AmpersandRightAfter", "VK12&", {"VK12"}},
    {"LeadingBlank", " VK12 & VK31", {" VK1", "VK31"}},
    {"Ampersands", "&&&&&&&&", {"&&&&", "&&&&", "&&&&"}},
    {"SeparatorsOnly", " &  & ", {" &  "}},
    // Characters, not bytes: one stored 1251 byte is one character.
    {"CyrillicFour", "ЖЖЖЖ", {"ЖЖЖЖ"}},
    {"CyrillicThree", "ЖЖЖ", {}},
    {"CyrillicInToken", "VK1Ж & VK31", {"VK1Ж", "VK31"}},
    {"CyrillicAfterAmpersand", "VK12 &ЖVK31", {"VK12", "VK31"}},
    {"MalformedLead", "\xD0VK1", {"\xD0VK1"}},
    {"TruncatedSequence", "\xE2\x82", {}},
    {"TruncatedAfterAmpersand", "VK12 &\xE2", {"VK12"}},
};

INSTANTIATE_TEST_SUITE_P(Hotkey, HotkeySplitTest, testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- captions --------------------------------------------------------------

struct CaptionCase {
    std::string_view text;
    std::string_view caption;
};

TEST(HotkeyCaption, ReadsTheStoredString) {
    const CaptionCase cases[] = {
        {"~VK02 & VK9F", "ПКМ+WheelUp"},
        {"VK10 & VK75", "Shift+F6"},
        {"VK7B", "F12"},
        {"~VK02 & VK70", "ПКМ+F1"},
        {"VK12 & VK46", "Alt+F"},
        {"VK46 & VK12", "F+Alt"},
        {"VK6D", "Num-"},
        {"VK12 & VK11 & VK31", "Alt+Ctrl+1"},
        {"VK12 & VK11 & VK31 & VK46", "Alt+Ctrl+1"},
        {"VK02 & ~VK70", "F1"},
        {"VKDC & VKDE", "\\+\" (Русская Э)"},
        {" ", "None"},
        {"", "None"},
        {"VK7", "None"},
        {"~", "None"},
        // Unknown tokens show raw and never fail.
        {"VKFF", "VKFF"},
        {"vk70", "vk70"},
        {"VK12 & VKZZ", "Alt+VKZZ"},
        {"VK12VK31", "Alt+K12V+12VK"},
    };
    for (const CaptionCase& c : cases) {
        EXPECT_EQ(HotkeyCaption(c.text), c.caption) << "text: \"" << c.text << '"';
    }
}

// ---- composing -------------------------------------------------------------

TEST(HotkeyCompose, JoinsInSelectionOrderWithPrefixWhenHookIsOff) {
    struct Case {
        Tokens tokens;
        bool hook;
        std::string_view text;
    };
    const Case cases[] = {
        {{"VK12", "VK46"}, true, "VK12 & VK46"},
        {{"VK12", "VK46"}, false, "~VK12 & VK46"},
        {{"VK46", "VK12"}, true, "VK46 & VK12"},
        {{"VK02", "VK70"}, false, "~VK02 & VK70"},
        {{"VK70"}, true, "VK70"},
        {{"VK12", "VK11", "VK31"}, false, "~VK12 & VK11 & VK31"},
        {{}, true, ""},
        {{}, false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComposeHotkey(c.tokens, c.hook), c.text);
        EXPECT_EQ(SplitHotkey(c.text), c.tokens) << c.text;
    }
    // The longest string the picker can write.
    EXPECT_EQ(ComposeHotkey({"VK12", "VK11", "VK31"}, false).size(), 19u);
}

TEST(HotkeyCompose, EveryKeyCombinationRoundTrips) {
    const auto keys = KeyVocabulary();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (std::size_t j = 0; j < keys.size(); ++j) {
            const Tokens tokens = {std::string(keys[i].token), std::string(keys[j].token),
                                   std::string(keys[(i + j) % keys.size()].token)};
            for (bool hook : {true, false}) {
                const std::string text = ComposeHotkey(tokens, hook);
                ASSERT_EQ(SplitHotkey(text), tokens) << text;
                const std::string expected = std::string(keys[i].caption) + "+" +
                                             std::string(keys[j].caption) + "+" +
                                             std::string(keys[(i + j) % keys.size()].caption);
                ASSERT_EQ(HotkeyCaption(text), expected) << text;
            }
        }
    }
}

// ---- vocabulary ------------------------------------------------------------

bool IsUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

TEST(KeyVocabulary, HoldsTheOfferedKeysOnce) {
    const auto keys = KeyVocabulary();
    ASSERT_EQ(keys.size(), 104u);
    std::set<std::string_view> tokens;
    for (const KeyInfo& key : keys) {
        EXPECT_TRUE(tokens.insert(key.token).second) << "duplicate " << key.token;
        ASSERT_EQ(key.token.size(), 4u) << key.token;
        EXPECT_EQ(key.token.substr(0, 2), "VK");
        EXPECT_TRUE(IsUpperHex(key.token[2]) && IsUpperHex(key.token[3])) << key.token;
        EXPECT_FALSE(key.caption.empty()) << key.token;
        EXPECT_EQ(FindKey(key.token), &key);
        EXPECT_EQ(KeyCaption(key.token), key.caption);
    }
}

TEST(KeyVocabulary, LeavesOutTheKeysThePickerDoesNotOffer) {
    // Right-hand Shift/Ctrl/Alt, Menu, the Print Screen code 2C and the
    // side-specific left codes: the companion knows the either-side codes.
    for (std::string_view token : {"VKA0", "VKA1", "VKA2", "VKA3", "VKA4", "VKA5", "VK5D", "VK2C"}) {
        EXPECT_EQ(FindKey(token), nullptr) << token;
    }
}

TEST(KeyVocabulary, UnknownTokensAreNotFoundAndShowRaw) {
    for (std::string_view token : {"", "VK7", "VK700", "vk70", "Vk70", "VKff", " VK70", "VKFF"}) {
        EXPECT_EQ(FindKey(token), nullptr) << token;
        EXPECT_EQ(KeyCaption(token), token);
    }
}

TEST(KeyVocabulary, CaptionsThatNeedEscaping) {
    EXPECT_EQ(KeyCaption("VKDC"), "\\");
    EXPECT_EQ(KeyCaption("VKDE"), "\" (Русская Э)");
    EXPECT_EQ(KeyCaption("VKC0"), "~");
}

// ---- binder key table ------------------------------------------------------

// The key number of "keyN", or 0 when the name is not of that form.
int KeyNumber(std::string_view iniKey) {
    if (iniKey.size() < 4 || iniKey.substr(0, 3) != "key" || iniKey[3] == '0') {
        return 0;
    }
    int number = 0;
    for (char c : iniKey.substr(3)) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return 0;
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

void ExpectWellFormedDefault(std::string_view text, std::string_view owner) {
    const Tokens tokens = SplitHotkey(text);
    ASSERT_FALSE(tokens.empty()) << owner;
    for (const std::string& token : tokens) {
        EXPECT_NE(FindKey(token), nullptr) << owner << ": " << token;
    }
    const bool hook = text.empty() || text.front() != '~';
    EXPECT_EQ(ComposeHotkey(tokens, hook), text) << owner;
    // The picker refuses to save the right button alone.
    EXPECT_NE(tokens, Tokens{"VK02"}) << owner;
}

TEST(BinderKeys, PagesRowsAndNamesAreConsistent) {
    const auto keys = BinderKeys();
    ASSERT_EQ(keys.size(), 48u);

    const int rowsPerPage[] = {14, 14, 14, 6};
    int page = 1;
    int row = 0;
    for (const BinderKey& key : keys) {
        if (key.page != page) {
            EXPECT_EQ(row, rowsPerPage[page - 1]) << "rows on page " << page;
            EXPECT_EQ(key.page, page + 1) << key.iniKey;
            page = key.page;
            row = 0;
        }
        EXPECT_EQ(key.row, ++row) << key.iniKey;
    }
    EXPECT_EQ(page, 4);
    EXPECT_EQ(row, rowsPerPage[3]);

    std::set<std::string_view> iniKeys;
    for (const BinderKey& key : keys) {
        EXPECT_TRUE(iniKeys.insert(key.iniKey).second) << key.iniKey;
        const int number = KeyNumber(key.iniKey);
        EXPECT_TRUE(number >= 1 && number <= 65) << key.iniKey;
        EXPECT_FALSE(key.caption.empty()) << key.iniKey;
        ExpectWellFormedDefault(key.defaultHotkey, key.iniKey);
    }
}

TEST(BinderKeys, KeysFindTheirRowIgnoringCase) {
    for (const BinderKey& key : BinderKeys()) {
        EXPECT_EQ(FindBinderKey("Key" + std::string(key.iniKey.substr(3))), &key);
        EXPECT_EQ(FindBinderKey(key.iniKey), &key);
    }
    EXPECT_EQ(FindBinderKey("KEY37"), &BinderKeys()[0]);
    for (std::string_view name : {"", "key", "Key", "key21", "key3", "key370", "key37 ", "Key_VK70"}) {
        EXPECT_EQ(FindBinderKey(name), nullptr) << '"' << name << '"';
    }
}

// ---- role-play entries -----------------------------------------------------

TEST(RolePlayEntries, KindsDecideWhichFieldsAreSet) {
    const auto entries = RolePlayEntries();
    ASSERT_EQ(entries.size(), 28u);

    // H: hotkey, C: command only, N: no file.
    constexpr std::string_view kKinds = "HHCHHHHCHHHHHHHHHHCCCHHHNNNN";
    std::set<std::string_view> files;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const RolePlayEntry& e = entries[i];
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_FALSE(e.caption.empty());
        switch (kKinds[i]) {
        case 'H':
            EXPECT_EQ(e.kind, RolePlayKind::Hotkey);
            EXPECT_NE(KeyNumber(e.hotkeyKey), 0);
            EXPECT_TRUE(e.activationNote.empty());
            if (!e.defaultHotkey.empty()) {
                ExpectWellFormedDefault(e.defaultHotkey, e.hotkeyKey);
            }
            break;
        case 'C':
            EXPECT_EQ(e.kind, RolePlayKind::CommandOnly);
            EXPECT_TRUE(e.hotkeyKey.empty());
            EXPECT_TRUE(e.defaultHotkey.empty());
            EXPECT_NE(e.activationNote.find(" /"), std::string_view::npos);
            break;
        default:
            EXPECT_EQ(e.kind, RolePlayKind::NoFile);
            EXPECT_TRUE(e.fileName.empty());
            EXPECT_TRUE(e.hotkeyKey.empty());
            EXPECT_TRUE(e.defaultHotkey.empty());
            EXPECT_TRUE(e.activationNote.empty());
            continue;
        }
        EXPECT_TRUE(e.fileName.ends_with(".txt")) << e.fileName;
        EXPECT_TRUE(files.insert(e.fileName).second) << "duplicate " << e.fileName;
    }
}

TEST(RolePlayEntries, SharedKeysShareOneDefault) {
    const auto entries = RolePlayEntries();
    for (const RolePlayEntry& a : entries) {
        for (const RolePlayEntry& b : entries) {
            if (!a.hotkeyKey.empty() && a.hotkeyKey == b.hotkeyKey) {
                EXPECT_EQ(a.defaultHotkey, b.defaultHotkey) << a.hotkeyKey;
            }
        }
    }
    // key65 alone has no default here; the key page has its own.
    for (const RolePlayEntry& e : entries) {
        EXPECT_EQ(e.kind == RolePlayKind::Hotkey && e.defaultHotkey.empty(), e.hotkeyKey == "key65")
            << e.caption;
    }
}

TEST(RolePlayEntries, TogetherWithTheKeyPagesUseAllButThreeKeyNumbers) {
    std::set<int> rolePlay, binder;
    for (const RolePlayEntry& e : RolePlayEntries()) {
        if (!e.hotkeyKey.empty()) {
            rolePlay.insert(KeyNumber(e.hotkeyKey));
        }
    }
    for (const BinderKey& key : BinderKeys()) {
        binder.insert(KeyNumber(key.iniKey));
    }
    EXPECT_EQ(rolePlay, (std::set<int>{2, 3, 4, 5, 8, 9, 14, 15, 16, 17, 18, 19, 20, 24, 36, 65}));

    std::set<int> both;
    std::set_intersection(rolePlay.begin(), rolePlay.end(), binder.begin(), binder.end(),
                          std::inserter(both, both.end()));
    EXPECT_EQ(both, (std::set<int>{2, 65}));

    std::set<int> unused;
    for (int n = 1; n <= 65; ++n) {
        if (!rolePlay.contains(n) && !binder.contains(n)) {
            unused.insert(n);
        }
    }
    EXPECT_EQ(unused, (std::set<int>{21, 22, 64}));
}

}  // namespace
}  // namespace hotkeys
