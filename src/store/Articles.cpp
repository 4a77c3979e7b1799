#include "store/Articles.h"

#include <algorithm>
#include <charconv>

#include "store/Cp1251.h"
#include "store/Files.h"
#include "store/TextFile.h"

namespace store {
namespace {

constexpr std::string_view kBreak = "\r\n";

enum class Section { None, Text, Search, Explanation, Penalties };

struct SectionName {
    Section section;
    std::string_view name;
};
constexpr std::array<SectionName, 4> kSections = {{
    {Section::Text, "текст"},
    {Section::Search, "поиск"},
    {Section::Explanation, "пояснение"},
    {Section::Penalties, "наказания"},
}};

std::string_view Trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// The section a line opens, or None for a line of text.
Section HeaderOf(std::string_view line)
{
    line = Trimmed(line);
    if (line.size() < 3 || line.front() != '[' || line.back() != ']') return Section::None;
    const std::string name = FoldedUtf8(line.substr(1, line.size() - 2));
    for (const SectionName& s : kSections)
        if (FoldedUtf8(s.name) == name) return s.section;
    return Section::None;
}

// A text line that would read as a header, also behind any number of "[",
// is stored with one more "[" in front.
bool NeedsEscape(std::string_view line)
{
    for (;;) {
        if (HeaderOf(line) != Section::None) return true;
        if (!line.starts_with('[')) return false;
        line.remove_prefix(1);
    }
}

std::string_view NameOf(Section section)
{
    for (const SectionName& s : kSections)
        if (s.section == section) return s.name;
    return {};
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t at = text.find(kBreak);
        lines.push_back(text.substr(0, at));
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + kBreak.size());
    }
    return lines;
}

void AppendTextLines(std::string& out, std::string_view text)
{
    if (text.empty()) return;
    const std::string normalized = NormalizeLineBreaks(text);
    std::string_view rest = normalized;
    for (;;) {
        const size_t at = rest.find(kBreak);
        const std::string_view line = rest.substr(0, at);
        if (NeedsEscape(line)) out += '[';
        out += line;
        out += kBreak;
        if (at == std::string_view::npos) break;
        rest.remove_prefix(at + kBreak.size());
    }
}

// "звезды2" -> {2, false}; level 0 for any other key.
std::pair<int, bool> PenaltyKey(std::string_view key)
{
    const std::string folded = FoldedUtf8(Trimmed(key));
    for (int level = 1; level <= kPenaltyLevels; ++level) {
        const std::string digit = std::to_string(level);
        if (folded == FoldedUtf8("звезды") + digit) return {level, false};
        if (folded == FoldedUtf8("штраф") + digit) return {level, true};
    }
    return {0, false};
}

void ReadPenalty(std::string_view line, ParsedArticle& parsed)
{
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    const auto [level, fine] = PenaltyKey(line.substr(0, eq));
    if (level == 0) return;
    const std::string_view stored = Trimmed(line.substr(eq + 1));
    if (stored.empty()) return;  // as good as missing
    const int limit = fine ? kMaxFine : kMaxStars;
    long long value = 0;
    const auto [end, ec] = std::from_chars(stored.data(), stored.data() + stored.size(), value);
    int used = 0;
    bool ok = false;
    if (ec == std::errc() && end == stored.data() + stored.size()) {
        used = static_cast<int>(std::clamp<long long>(value, 0, limit));
        ok = used == value;
    } else if (ec == std::errc::result_out_of_range) {
        used = stored.starts_with('-') ? 0 : limit;
    }
    Penalty& p = parsed.article.penalties[static_cast<size_t>(level - 1)];
    (fine ? p.fine : p.stars) = used;
    if (!ok) parsed.problems.push_back({level, fine, std::string(stored), used});
}

}  // namespace

const std::array<LawBookInfo, 4>& LawBooks()
{
    static const std::array<LawBookInfo, 4> books = {{
        {LawBook::Charter, ".us", "Устав МВД", false},
        {LawBook::Administrative, ".ak", "Административный кодекс", true},
        {LawBook::Criminal, ".uk", "Уголовный кодекс", true},
        {LawBook::Traffic, ".pdd", "ПДД", true},
    }};
    return books;
}

const LawBookInfo& BookInfo(LawBook book)
{
    return LawBooks()[static_cast<size_t>(book)];
}

ParsedArticle ParseArticle(std::string_view utf8)
{
    ParsedArticle parsed;
    Article& a = parsed.article;
    const std::string normalized = NormalizeLineBreaks(utf8);
    const std::vector<std::string_view> lines = SplitLines(normalized);
    const bool sectioned =
        std::any_of(lines.begin(), lines.end(), [](std::string_view l) { return HeaderOf(l) != Section::None; });
    if (!sectioned) {
        a.text = normalized;
        return parsed;
    }
    Section current = Section::None;
    std::array<bool, kSections.size() + 1> seen{};
    bool skipping = false;  // a section seen before: the first one counts
    std::array<std::vector<std::string_view>, kSections.size() + 1> bodies;
    for (const std::string_view line : lines) {
        if (const Section header = HeaderOf(line); header != Section::None) {
            current = header;
            skipping = seen[static_cast<size_t>(header)];
            seen[static_cast<size_t>(header)] = true;
            continue;
        }
        if (skipping) continue;
        if (current == Section::None) {
            a.preamble.append(line).append(kBreak);
        } else if (current == Section::Penalties) {
            ReadPenalty(line, parsed);
        } else {
            bodies[static_cast<size_t>(current)].push_back(line);
        }
    }
    const auto join = [&](Section s) {
        std::string out;
        const auto& body = bodies[static_cast<size_t>(s)];
        for (size_t i = 0; i < body.size(); ++i) {
            if (i > 0) out += kBreak;
            std::string_view line = body[i];
            if (line.starts_with('[') && NeedsEscape(line.substr(1))) line.remove_prefix(1);
            out += line;
        }
        return out;
    };
    a.text = join(Section::Text);
    a.search = join(Section::Search);
    a.explanation = join(Section::Explanation);
    return parsed;
}

std::string FormatArticle(const Article& article, LawBook book)
{
    std::string out = NormalizeLineBreaks(article.preamble);
    if (!out.empty() && !out.ends_with(kBreak)) out += kBreak;
    const auto section = [&](Section s, std::string_view text) {
        out.append("[").append(NameOf(s)).append("]").append(kBreak);
        AppendTextLines(out, text);
    };
    section(Section::Text, article.text);
    section(Section::Search, article.search);
    section(Section::Explanation, article.explanation);
    const bool anyPenalty = std::any_of(article.penalties.begin(), article.penalties.end(),
                                        [](const Penalty& p) { return p != Penalty{}; });
    if (BookInfo(book).penalties || anyPenalty) {
        out.append("[").append(NameOf(Section::Penalties)).append("]").append(kBreak);
        for (int level = 1; level <= kPenaltyLevels; ++level) {
            const Penalty& p = article.penalties[static_cast<size_t>(level - 1)];
            const std::string digit = std::to_string(level);
            out.append("звезды" + digit + "=" + std::to_string(std::clamp(p.stars, 0, kMaxStars))).append(kBreak);
            out.append("штраф" + digit + "=" + std::to_string(std::clamp(p.fine, 0, kMaxFine))).append(kBreak);
        }
    }
    return out;
}

ParsedArticle ReadArticleFile(const std::string& path)
{
    const std::optional<std::string> text = ReadTextFile(path);
    if (!text) throw FileError(FileError::Action::Open, path, "The system cannot find the file specified.");
    return ParseArticle(*text);
}

void WriteArticleFile(const std::string& path, const Article& article, LawBook book)
{
    WriteTextFile(path, FormatArticle(article, book));
}

std::vector<std::string> ListArticleFiles(const std::string& folder, LawBook book)
{
    std::vector<std::string> names;
    for (std::string& name : ListFiles(folder))
        if (IsArticleFileName(name, book)) names.push_back(std::move(name));
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    return names;
}

bool IsArticleFileName(std::string_view fileName, LawBook book)
{
    return FoldedUtf8(fileName).find(FoldedUtf8(BookInfo(book).extension)) != std::string::npos;
}

std::string ArticleName(std::string_view fileName, LawBook book)
{
    const std::string_view ext = BookInfo(book).extension;
    if (fileName.size() > ext.size() && fileName.ends_with(ext)) fileName.remove_suffix(ext.size());
    return std::string(fileName);
}

bool NaturalLess(std::string_view a, std::string_view b)
{
    const std::string fa = FoldedUtf8(a);
    const std::string fb = FoldedUtf8(b);
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    size_t i = 0;
    size_t j = 0;
    while (i < fa.size() && j < fb.size()) {
        if (digit(fa[i]) && digit(fb[j])) {
            size_t ei = i;
            size_t ej = j;
            while (ei < fa.size() && digit(fa[ei])) ++ei;
            while (ej < fb.size() && digit(fb[ej])) ++ej;
            std::string_view ra = std::string_view(fa).substr(i, ei - i);
            std::string_view rb = std::string_view(fb).substr(j, ej - j);
            while (ra.size() > 1 && ra.front() == '0') ra.remove_prefix(1);
            while (rb.size() > 1 && rb.front() == '0') rb.remove_prefix(1);
            if (ra.size() != rb.size()) return ra.size() < rb.size();
            if (ra != rb) return ra < rb;
            i = ei;
            j = ej;
            continue;
        }
        const auto ca = static_cast<unsigned char>(fa[i]);
        const auto cb = static_cast<unsigned char>(fb[j]);
        if (ca != cb) return ca < cb;
        ++i;
        ++j;
    }
    if (fa.size() - i != fb.size() - j) return fa.size() - i < fb.size() - j;
    return a < b;  // equal but for case or leading zeros: a stable, total order
}

bool ArticleMatches(std::string_view name, const Article& article, std::string_view filter)
{
    const std::string needle = FoldedUtf8(filter);
    if (needle.empty()) return true;
    for (const std::string_view hay : {name, std::string_view(article.text), std::string_view(article.search),
                                       std::string_view(article.explanation)})
        if (FoldedUtf8(hay).find(needle) != std::string::npos) return true;
    return false;
}

}  // namespace store
