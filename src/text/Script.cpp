#include "text/Script.h"

#include <algorithm>
#include <array>
#include <optional>

#include "store/Cp1251.h"

namespace text {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimRight(std::string_view s)
{
    size_t end = s.size();
    while (end > 0 && IsBlank(s[end - 1])) --end;
    return s.substr(0, end);
}

std::string_view Trim(std::string_view s)
{
    size_t start = 0;
    while (start < s.size() && IsBlank(s[start])) ++start;
    return TrimRight(s.substr(start));
}

// Longer than any name of the language (UTF-8 bytes): such braces are never
// folded, so a brace around megabytes costs no copy.
constexpr size_t kLongestName = 24;

// The name folded as Windows compares it (1251, lower case); empty when it
// is too long to be a name.
std::string KeyOf(std::string_view name)
{
    return name.size() > kLongestName ? std::string() : store::FoldedUtf8(name);
}

enum class Var {
    Nick, Name, Rank, RankNumber, Department, Tag, ExtraTag, Badge,
    Target, OwnId, Place, Time, Date, Input,
};

struct VarName {
    std::string_view name;
    Var var;
};

constexpr std::array<VarName, 14> kVars = {{
    {"ник", Var::Nick}, {"имя", Var::Name}, {"звание", Var::Rank}, {"ранг", Var::RankNumber},
    {"департамент", Var::Department}, {"тег", Var::Tag}, {"доптег", Var::ExtraTag}, {"жетон", Var::Badge},
    {"цель", Var::Target}, {"ид", Var::OwnId}, {"место", Var::Place}, {"время", Var::Time},
    {"дата", Var::Date}, {"ввод", Var::Input},
}};

// The variable a brace names, if any.
std::optional<Var> VarOf(std::string_view braced)
{
    static const std::array<std::string, kVars.size()> keys = [] {
        std::array<std::string, kVars.size()> k;
        for (size_t i = 0; i < kVars.size(); ++i) k[i] = store::FoldedUtf8(kVars[i].name);
        return k;
    }();
    const std::string key = KeyOf(braced);
    if (key.empty()) return std::nullopt;
    for (size_t i = 0; i < kVars.size(); ++i)
        if (keys[i] == key) return kVars[i].var;
    return std::nullopt;
}

constexpr std::string_view kLeaveOpen = "{дописать}";

// The names of the steps of their own and the end mark, folded once.
struct Keys {
    std::string pause = store::FoldedUtf8("пауза");
    std::string question = store::FoldedUtf8("спросить");
    std::string screenshot = store::FoldedUtf8("скриншот");
    std::string leaveOpen = store::FoldedUtf8(kLeaveOpen);
};

const Keys& StepKeys()
{
    static const Keys keys;
    return keys;
}

// Calls `text(run)` for what is typed as it stands and `braced(inside)` for
// every "{...}" that holds no other brace. A "{" whose next brace is another
// "{" (or none) is plain text, so "{a{ник}}" fills the inner one. Every byte
// is looked at no more than twice.
template <class Text, class Braced>
void ForEachBrace(std::string_view line, Text&& text, Braced&& braced)
{
    size_t start = 0;  // of the run not yet handed on
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] != '{') {
            ++i;
            continue;
        }
        size_t close = i + 1;
        while (close < line.size() && line[close] != '{' && line[close] != '}') ++close;
        if (close == line.size() || line[close] == '{') {
            i = close;
            continue;
        }
        if (i > start) text(line.substr(start, i - start));
        braced(line.substr(i + 1, close - i - 1));
        i = start = close + 1;
    }
    if (start < line.size()) text(line.substr(start));
}

// Seconds as "2", "2.5" or "2,5" in milliseconds, clamped; nothing for what
// is no such number.
std::optional<int> PauseMs(std::string_view seconds)
{
    constexpr long long kWholeCap = 1'000'000;  // far above the longest pause; no overflow
    long long whole = 0;
    int fraction = 0;  // milliseconds
    int fractionDigits = 0;
    bool roundUp = false;
    bool digits = false;
    bool separator = false;
    for (char c : seconds) {
        if (c >= '0' && c <= '9') {
            digits = true;
            const int d = c - '0';
            if (!separator) whole = std::min(whole * 10 + d, kWholeCap);
            else if (fractionDigits < 3) fraction += d * (fractionDigits == 0 ? 100 : fractionDigits == 1 ? 10 : 1);
            else if (fractionDigits == 3) roundUp = d >= 5;
            if (separator) ++fractionDigits;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    const long long ms = whole * 1000 + fraction + (roundUp ? 1 : 0);
    return static_cast<int>(std::clamp<long long>(ms, kMinPauseMs, kMaxPauseMs));
}

unsigned AsksOf(std::string_view body)
{
    unsigned asks = kAskNone;
    ForEachBrace(body, [](std::string_view) {}, [&](std::string_view inside) {
        if (inside.find('|') != std::string_view::npos) return;
        const std::optional<Var> var = VarOf(inside);
        if (var == Var::Target) asks |= kAskTarget;
        else if (var == Var::OwnId) asks |= kAskOwnId;
        else if (var == Var::Place) asks |= kAskPlace;
    });
    return asks;
}

// A line that is one brace alone as a step of its own, if it is one.
std::optional<Step> OwnStep(std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '{' || trimmed.back() != '}') return std::nullopt;
    const std::string_view inside = trimmed.substr(1, trimmed.size() - 2);
    if (inside.find_first_of("{}") != std::string_view::npos) return std::nullopt;
    size_t nameEnd = 0;
    while (nameEnd < inside.size() && !IsBlank(inside[nameEnd])) ++nameEnd;
    const std::string key = KeyOf(inside.substr(0, nameEnd));
    const std::string_view argument = Trim(inside.substr(nameEnd));
    Step step;
    if (key == StepKeys().pause) {
        const std::optional<int> ms = PauseMs(argument);
        if (!ms) return std::nullopt;
        step.kind = StepKind::Pause;
        step.pauseMs = *ms;
    } else if (key == StepKeys().question) {
        step.kind = StepKind::Question;
        step.body = argument.empty() ? std::string("Ввод") : std::string(argument);
    } else if (key == StepKeys().screenshot && argument.empty()) {
        step.kind = StepKind::Screenshot;
    } else {
        return std::nullopt;
    }
    return step;
}

bool IsBlankLine(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), IsBlank);
}

}  // namespace

Step ParseLine(std::string_view line, int lineNumber)
{
    if (std::optional<Step> own = OwnStep(line)) {
        own->line = lineNumber;
        return *own;
    }
    Step step;
    step.line = lineNumber;
    std::string_view body = line;
    const std::string_view right = TrimRight(line);
    if (right.size() >= kLeaveOpen.size() &&
        KeyOf(right.substr(right.size() - kLeaveOpen.size())) == StepKeys().leaveOpen) {
        // What stands before it is kept as written: a blank there is the
        // player's to type after.
        body = line.substr(0, right.size() - kLeaveOpen.size());
        step.leaveOpen = true;
    }
    step.body = std::string(body);
    step.asks = AsksOf(body);
    return step;
}

Script ParseScript(std::string_view text)
{
    Script script;
    bool done = false;
    int lineNumber = 0;
    ForEachLine(text, [&](std::string_view line, std::string_view) {
        const int number = lineNumber++;
        if (done || IsBlankLine(line)) return;
        if (script.steps.size() == static_cast<size_t>(kMaxSteps)) {
            script.capped = true;
            done = true;
            return;
        }
        Step step = ParseLine(line, number);
        script.asks |= step.asks;
        done = step.leaveOpen;
        script.steps.push_back(std::move(step));
    });
    return script;
}

FilledLine FillLine(std::string_view body, const Values& values)
{
    const Profile& p = values.profile;
    FilledLine out;
    out.text.reserve(body.size());
    int length = 0;  // code points of out.text
    const auto append = [&](std::string_view s) {
        out.text += s;
        length += CharacterCount(s);
    };
    const auto fill = [&](std::string_view value) {
        const int start = length;
        append(value);
        if (length > start) out.values.push_back({start, length - start});
    };
    std::optional<std::string> name;        // {имя}, made on first use
    std::optional<std::string> rankNumber;  // {ранг}

    ForEachBrace(body, append, [&](std::string_view inside) {
        if (const size_t bar = inside.find('|'); bar != std::string_view::npos) {
            const std::string_view second = inside.substr(bar + 1);
            fill(p.female ? second.substr(0, second.find('|')) : inside.substr(0, bar));
            return;
        }
        const std::optional<Var> var = VarOf(inside);
        if (!var) {
            const int start = length;
            append("{");
            append(inside);
            append("}");
            out.unknown.push_back({start, length - start});
            return;
        }
        switch (*var) {
        case Var::Nick: fill(p.nick); break;
        case Var::Name:
            if (!name) {
                name = p.nick;
                std::replace(name->begin(), name->end(), '_', ' ');
            }
            fill(*name);
            break;
        case Var::Rank: fill(p.rank); break;
        case Var::RankNumber:
            if (!rankNumber) rankNumber = RankNumber(p.rank);
            fill(*rankNumber);
            break;
        case Var::Department: fill(p.department); break;
        case Var::Tag: fill(p.tag); break;
        case Var::ExtraTag:
            fill(KeyOf(Trim(p.extraTag)) == "null" ? std::string_view() : std::string_view(p.extraTag));
            break;
        case Var::Badge: fill(p.badge); break;
        case Var::Target: fill(values.target); break;
        case Var::OwnId: fill(values.ownId); break;
        case Var::Place: fill(values.place); break;
        case Var::Time: fill(values.time); break;
        case Var::Date: fill(values.date); break;
        case Var::Input: fill(values.input); break;
        }
    });
    return out;
}

std::vector<std::string> MessagesOf(std::string_view filled, const ChatMeter& meter)
{
    const std::string line = store::Cp1251ToUtf8(store::Utf8ToCp1251(filled));
    if (Trim(line).empty()) return {};
    return meter.Split(line);
}

}  // namespace text
