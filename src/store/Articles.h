#pragma once
// The department's law books: one text file per article in the server's
// articles folder, the book told by the extension. A file is 1251 with CR LF
// breaks and reads like a small INI file whose sections hold whole texts:
//
//   [текст]          the full text, any number of lines
//   [поиск]          the text shown in the companion's search window
//   [пояснение]      the text of the "пояснение" variable
//   [наказания]      звезды1..3 = 0..6 and штраф1..3 = 0..6000
//
// Only these four header lines open a section (any case, blanks around). A
// text line that would read as one of them, also behind any number of "[",
// is stored with one more "[" in front. Lines before the first section are
// kept as they are; a file without any section is a full text and nothing
// else.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace store {

enum class LawBook { Charter, Administrative, Criminal, Traffic };

struct LawBookInfo {
    LawBook book;
    std::string_view extension;  // ".us", with the dot
    std::string_view title;      // as the tabs show it
    bool penalties;              // the codes carry penalties, the charter not
};

const std::array<LawBookInfo, 4>& LawBooks();
const LawBookInfo& BookInfo(LawBook book);

inline constexpr int kPenaltyLevels = 3;
inline constexpr int kMaxStars = 6;
inline constexpr int kMaxFine = 6000;

struct Penalty {
    int stars = 0;
    int fine = 0;
    bool operator==(const Penalty&) const = default;
};

struct Article {
    std::string preamble;  // lines before the first section, CR LF after each
    std::string text;
    std::string search;
    std::string explanation;
    std::array<Penalty, kPenaltyLevels> penalties{};
    bool operator==(const Article&) const = default;
};

// A penalty value of the file that could not be taken as it stood.
struct PenaltyProblem {
    int level = 0;       // 1 to 3
    bool fine = false;   // false: stars
    std::string stored;  // the value as the file holds it
    int used = 0;        // what was read instead: clamped, or 0 for no number
};

struct ParsedArticle {
    Article article;
    std::vector<PenaltyProblem> problems;
};

// `utf8` is the file's text with CR LF breaks (as ReadTextFile gives it).
// Missing sections and keys read as empty texts and zero penalties.
ParsedArticle ParseArticle(std::string_view utf8);
// The file's text. The penalty section is written for a book with penalties,
// and for the charter only when a hand-edited file brought some along.
std::string FormatArticle(const Article& article, LawBook book);

// Throws FileError when the file is missing or cannot be read.
ParsedArticle ReadArticleFile(const std::string& path);
// Atomic, as every write of the store. Throws FileError.
void WriteArticleFile(const std::string& path, const Article& article, LawBook book);

// The book's article files in `folder`: names holding its extension anywhere,
// in any case ("*.us*"), in natural order ("2" before "10"). Empty when the
// folder is missing.
std::vector<std::string> ListArticleFiles(const std::string& folder, LawBook book);
// Whether a file name belongs to the book's list (its extension anywhere, any case).
bool IsArticleFileName(std::string_view fileName, LawBook book);
// The article's name as the list shows it: the file name without the book's
// extension at its end.
std::string ArticleName(std::string_view fileName, LawBook book);
// Natural order of names: digit runs by value, the rest ignoring case.
bool NaturalLess(std::string_view a, std::string_view b);
// Whether the article's name or any of its texts holds `filter`, ignoring
// case (Cyrillic too). An empty filter matches everything.
bool ArticleMatches(std::string_view name, const Article& article, std::string_view filter);

}  // namespace store
