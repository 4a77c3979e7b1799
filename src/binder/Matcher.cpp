#include "binder/Matcher.h"

#include "binder/KeyTable.h"

namespace binder {
namespace {

constexpr std::uint8_t kBackspace = 0x08;
constexpr std::uint8_t kEnter = 0x0D;
constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kT = 0x54;
constexpr std::uint8_t kF6 = 0x75;

bool IsWheel(std::uint8_t vk)
{
    return vk == 0x9E || vk == 0x9F;
}

// Keys that move the cursor or bring back an earlier line: what the line
// holds is no longer known.
bool MovesCursor(std::uint8_t vk)
{
    return (vk >= 0x23 && vk <= 0x28) || vk == 0x2E;
}

// By virtual-key code: the Russian layout's letters where a Latin layout has
// its letters and the punctuation keys between them.
struct Place {
    std::uint8_t vk;
    char32_t letter;
};
constexpr Place kRussianPlaces[] = {
    {0x51, U'й'}, {0x57, U'ц'}, {0x45, U'у'}, {0x52, U'к'}, {0x54, U'е'}, {0x59, U'н'}, {0x55, U'г'},
    {0x49, U'ш'}, {0x4F, U'щ'}, {0x50, U'з'}, {0xDB, U'х'}, {0xDD, U'ъ'}, {0x41, U'ф'}, {0x53, U'ы'},
    {0x44, U'в'}, {0x46, U'а'}, {0x47, U'п'}, {0x48, U'р'}, {0x4A, U'о'}, {0x4B, U'л'}, {0x4C, U'д'},
    {0xBA, U'ж'}, {0xDE, U'э'}, {0x5A, U'я'}, {0x58, U'ч'}, {0x43, U'с'}, {0x56, U'м'}, {0x42, U'и'},
    {0x4E, U'т'}, {0x4D, U'ь'}, {0xBC, U'б'}, {0xBE, U'ю'}, {0xC0, U'ё'},
};

}  // namespace

char32_t RussianLetterAt(std::uint8_t vk)
{
    for (const Place& p : kRussianPlaces)
        if (p.vk == vk) return p.letter;
    return 0;
}

char32_t FoldLetter(char32_t c)
{
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= U'А' && c <= U'Я') return c + 32;
    if (c == U'Ё') return U'ё';
    return c;
}

Matcher::Matcher(Channel& channel, StillDown stillDown) : channel_(channel), stillDown_(stillDown) {}

bool Matcher::ReadsText() const
{
    return chatOpen_ || seenMode_ == Mode::Asking || channel_.CurrentMode() == Mode::Asking;
}

bool Matcher::Held(std::uint8_t vk)
{
    if (!held_[vk]) return false;
    // A press we kept from the game leaves the system's own state up: ours is right.
    if (swallowed_[vk] || stillDown_ == nullptr || stillDown_(vk)) return true;
    held_[vk] = false;
    return false;
}

const Binding* Matcher::BestMatch(const KeyTable& table, std::uint8_t vk, Mode mode)
{
    // While a text runs or the chat line is open, the keys are the player's
    // typing: only the stop key stays a hotkey.
    const bool stopOnly = mode != Mode::Idle || chatOpen_;
    const Binding* best = nullptr;
    for (const Binding& b : table.bindings) {
        if (b.keys[b.count - 1] != vk || (best && b.count <= best->count)) continue;
        if (stopOnly && table.actions[b.action].kind != ActionKind::Stop) continue;
        bool all = true;
        for (int i = 0; i + 1 < b.count && all; ++i) all = Held(b.keys[i]);
        if (all) best = &b;
    }
    return best;
}

void Matcher::ResetLine()
{
    length_ = 0;
    lineKnown_ = true;
}

void Matcher::Record(std::uint8_t vk, char32_t typed)
{
    if (vk == kBackspace) {
        if (length_ > 0) --length_;
    } else if (MovesCursor(vk)) {
        lineKnown_ = false;
    } else if (typed >= 0x20) {
        if (length_ == kLine) {
            lineKnown_ = false;
            return;
        }
        const char32_t russian = RussianLetterAt(vk);
        typed_[length_] = typed;
        russian_[length_] = russian ? russian : typed;
        ++length_;
    }
}

int Matcher::CommandOfLine(const KeyTable& table) const
{
    if (!lineKnown_) return -1;
    int end = length_;
    while (end > 0 && typed_[end - 1] == U' ') --end;
    for (size_t c = 0; c < table.commands.size(); ++c) {
        const std::u32string& command = table.commands[c].text;
        if (static_cast<int>(command.size()) != end) continue;
        for (const auto* line : {&typed_, &russian_}) {
            int i = 0;
            while (i < end && FoldLetter((*line)[i]) == command[i]) ++i;
            if (i == end) return static_cast<int>(c);
        }
    }
    return -1;
}

void Matcher::Send(const Fired& fired)
{
    channel_.Push(fired);
}

Verdict Matcher::OnInput(const KeyInput& input, bool gameInFront)
{
    const Mode mode = channel_.CurrentMode();
    if (mode != seenMode_) {
        if (mode == Mode::Asking) ResetLine();
        seenMode_ = mode;
    }
    if (channel_.TakeChatLeftOpen()) {
        chatOpen_ = true;
        ResetLine();
    }
    const std::uint8_t vk = input.vk;
    if (!input.down) {
        held_[vk] = false;
        if (!swallowed_[vk]) return Verdict::Pass;
        swallowed_[vk] = false;
        return Verdict::Swallow;
    }
    const bool wheel = IsWheel(vk);
    if (!wheel && held_[vk]) {
        // Key repeat: no second firing; a kept key stays kept.
        if (swallowed_[vk]) return Verdict::Swallow;
        if (gameInFront && (chatOpen_ || mode == Mode::Asking)) Record(vk, input.typed);
        return Verdict::Pass;
    }
    if (!wheel) held_[vk] = true;
    swallowed_[vk] = false;
    if (!gameInFront) return Verdict::Pass;

    const KeyTable* table = channel_.Table();
    if (table != nullptr) {
        if (const Binding* b = BestMatch(*table, vk, mode)) {
            if (mode == Mode::Idle && !chatOpen_) {
                Fired f;
                f.kind = Fired::Kind::Binding;
                f.index = static_cast<std::uint16_t>(b - table->bindings.data());
                f.table = table;
                Send(f);
            } else if (mode != Mode::Idle) {
                Fired f;
                f.kind = Fired::Kind::Stop;
                Send(f);
            }
            if (b->pass) return Verdict::Pass;
            swallowed_[vk] = !wheel;
            return Verdict::Swallow;
        }
    }

    if (mode == Mode::Asking) {
        if (vk == kEnter) {
            Fired f;
            f.kind = Fired::Kind::Answer;
            f.length = static_cast<std::uint8_t>(length_);
            for (int i = 0; i < length_; ++i) f.text[static_cast<size_t>(i)] = typed_[static_cast<size_t>(i)];
            Send(f);
            ResetLine();
            swallowed_[vk] = true;
            return Verdict::Swallow;
        }
        if (vk == kEsc) {
            Fired f;
            f.kind = Fired::Kind::Cancelled;
            Send(f);
            return Verdict::Pass;
        }
        Record(vk, input.typed);
        return Verdict::Pass;
    }
    if (chatOpen_) {
        if (vk == kEsc) {
            chatOpen_ = false;
        } else if (vk == kEnter) {
            chatOpen_ = false;
            const int command = mode == Mode::Idle && table ? CommandOfLine(*table) : -1;
            if (command >= 0) {
                // The server never sees it: the binder types the entry instead.
                Fired f;
                f.kind = Fired::Kind::Command;
                f.index = static_cast<std::uint16_t>(command);
                f.table = table;
                Send(f);
                swallowed_[vk] = true;
                return Verdict::Swallow;
            }
        } else {
            Record(vk, input.typed);
        }
        return Verdict::Pass;
    }
    if (mode == Mode::Idle && (vk == kT || vk == kF6 || (table && vk == table->chatKey))) {
        chatOpen_ = true;
        ResetLine();
    }
    return Verdict::Pass;
}

}  // namespace binder
