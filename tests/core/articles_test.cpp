// The article files of the law books: the format, hand-edited files, the
// listing and the search; and the file names the editors accept.

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "store/Articles.h"
#include "store/Cp1251.h"
#include "store/FileNames.h"
#include "store/TextFile.h"
#include "core/BuildPaths.h"

using store::Article;
using store::LawBook;

namespace {

Article Make(std::string text, std::string search, std::string explanation, store::Penalty p1 = {},
             store::Penalty p2 = {}, store::Penalty p3 = {})
{
    Article a;
    a.text = std::move(text);
    a.search = std::move(search);
    a.explanation = std::move(explanation);
    a.penalties = {p1, p2, p3};
    return a;
}

TEST(ArticleFormat, WritesSectionsOneLineEach)
{
    const Article a = Make("Статья 1.\r\nВторая строка", "поиск", "пояснение", {1, 500}, {2, 1000}, {6, 6000});
    EXPECT_EQ(store::FormatArticle(a, LawBook::Administrative),
              "[текст]\r\nСтатья 1.\r\nВторая строка\r\n[поиск]\r\nпоиск\r\n[пояснение]\r\nпояснение\r\n"
              "[наказания]\r\nзвезды1=1\r\nштраф1=500\r\nзвезды2=2\r\nштраф2=1000\r\nзвезды3=6\r\nштраф3=6000\r\n");
    // The charter has no penalties; an empty text leaves its section empty.
    EXPECT_EQ(store::FormatArticle(Make("", "s", ""), LawBook::Charter),
              "[текст]\r\n[поиск]\r\ns\r\n[пояснение]\r\n");
}

TEST(ArticleFormat, AnyTextRoundTripsExactly)
{
    const char* const texts[] = {
        "",
        "одна строка",
        "\r\n",
        "a\r\n",
        "\r\n\r\nпосле пустых строк\r\n\r\n",
        "[текст]\r\n[ПОИСК]\r\n  [пояснение]  \r\n[наказания]",
        "[[x\r\n[[[текст]\r\n[ [поиск]\r\n[z]\r\n[\r\n]",
        "звезды1=6\r\nштраф1=9999",
        "\t отступ и ё Ё № «кавычки»",
    };
    for (const LawBook book : {LawBook::Charter, LawBook::Criminal}) {
        for (const char* t : texts) {
            const Article a = Make(t, t, t, {3, 42});
            const store::ParsedArticle back = store::ParseArticle(store::FormatArticle(a, book));
            EXPECT_EQ(back.article, a) << t;
            EXPECT_TRUE(back.problems.empty()) << t;
        }
    }
}

TEST(ArticleFormat, FileIs1251WithCrLfAndReadsBack)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("12.1.uk");
    const Article a = Make("Незаконное ношение\nоружия", "ношение оружия", "ношение", {2, 0}, {4, 3000});
    store::WriteArticleFile(path, a, LawBook::Criminal);
    const std::string bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(bytes, store::Utf8ToCp1251(store::FormatArticle(a, LawBook::Criminal)));
    EXPECT_TRUE(bytes.starts_with("[\xf2\xe5\xea\xf1\xf2]\r\n\xcd"));  // "[текст]" CR LF "Н"
    EXPECT_NE(bytes.find("\xe5\r\n\xee\xf0"), std::string::npos);          // "...е" CR LF "ор..."
    Article expected = a;
    expected.text = "Незаконное ношение\r\nоружия";
    EXPECT_EQ(store::ReadArticleFile(path).article, expected);
    EXPECT_THROW(store::ReadArticleFile(dir.File("missing.uk")), store::FileError);
}

TEST(ArticleFormat, HandEditedFilesReadWithDefaults)
{
    struct Case {
        const char* name;
        const char* file;
        Article expected;
        size_t problems;
    };
    Article withPreamble = Make("t", "", "");
    withPreamble.preamble = "; заметка\r\n\r\n";
    const Case cases[] = {
        {"empty file", "", Make("", "", ""), 0},
        {"plain text, no sections", "Просто текст\nв две строки\n", Make("Просто текст\r\nв две строки\r\n", "", ""), 0},
        {"only the search text", "[поиск]\r\nнайди", Make("", "найди", ""), 0},
        {"headers in any case, with blanks, LF breaks", " [ТЕКСТ] \n1\n[Пояснение]\n2", Make("1", "", "2"), 0},
        {"preamble kept", "; заметка\r\n\r\n[текст]\r\nt\r\n", withPreamble, 0},
        {"first of twice the same section counts", "[текст]\r\nA\r\n[текст]\r\nB\r\n", Make("A", "", ""), 0},
        {"unknown header is text", "[текст]\r\n[Глава 2]\r\nx", Make("[Глава 2]\r\nx", "", ""), 0},
        {"missing and empty penalty keys are zero", "[наказания]\r\nзвезды2=3\r\nШТРАФ3 = 100\r\nштраф1=\r\n",
         Make("", "", "", {}, {3, 0}, {0, 100}), 0},
        {"penalties out of range are clamped", "[наказания]\r\nзвезды1=9\r\nштраф1=-5\r\nштраф2=99999999999999999999",
         Make("", "", "", {6, 0}, {0, 6000}), 3},
        {"penalties that are no number read as zero", "[наказания]\r\nзвезды1=три\r\nштраф1=+5\r\nзвезды2=2.5",
         Make("", "", ""), 3},
        {"odd lines of the penalties are ignored", "[наказания]\r\n; c\r\nштраф9=5\r\nзвезды1\r\n", Make("", "", ""), 0},
    };
    for (const Case& c : cases) {
        const store::ParsedArticle parsed = store::ParseArticle(c.file);
        EXPECT_EQ(parsed.article, c.expected) << c.name;
        EXPECT_EQ(parsed.problems.size(), c.problems) << c.name;
    }
    const auto clamped = store::ParseArticle("[наказания]\r\nзвезды1=9").problems;
    ASSERT_EQ(clamped.size(), 1u);
    EXPECT_EQ(clamped[0].level, 1);
    EXPECT_FALSE(clamped[0].fine);
    EXPECT_EQ(clamped[0].stored, "9");
    EXPECT_EQ(clamped[0].used, 6);
}

TEST(ArticleFormat, CharterKeepsPenaltiesAFileBroughtAlong)
{
    const Article a = Make("t", "", "", {1, 100});
    EXPECT_EQ(store::ParseArticle(store::FormatArticle(a, LawBook::Charter)).article, a);
}

TEST(ArticleFiles, ListsTheBooksFilesInNaturalOrder)
{
    testsupport::TempDir dir;
    for (const char* f : {"10.ak", "2.ak", "1.10.ak", "1.2.ak", "Б.AK", "а.ak", "x.ak.bak", "3.uk", "4.us", "ak",
                          ".quorvel-save-1-0.tmp"})
        testsupport::WriteBytes(dir.File(f), "");
    std::filesystem::create_directory(testsupport::U8Path(dir.File("dir.ak")));
    EXPECT_EQ(store::ListArticleFiles(dir.Path(), LawBook::Administrative),
              (std::vector<std::string>{"1.2.ak", "1.10.ak", "2.ak", "10.ak", "x.ak.bak", "а.ak", "Б.AK"}));
    EXPECT_EQ(store::ListArticleFiles(dir.Path(), LawBook::Criminal), std::vector<std::string>{"3.uk"});
    EXPECT_TRUE(store::ListArticleFiles(dir.File("missing"), LawBook::Charter).empty());

    const std::pair<const char*, const char*> names[] = {
        {"12.1.ak", "12.1"}, {"x.ak.bak", "x.ak.bak"}, {"Б.AK", "Б.AK"}, {".ak", ".ak"}, {"a.ak.ak", "a.ak"}};
    for (const auto& [file, name] : names) EXPECT_EQ(store::ArticleName(file, LawBook::Administrative), name) << file;
}

TEST(ArticleFiles, SearchIgnoresCaseInNameAndEveryText)
{
    const Article a = Make("Незаконное НОШЕНИЕ оружия", "Поиск: Оружие", "Пояснение Ё");
    const std::pair<const char*, bool> cases[] = {
        {"", true},      {"12.1", true},   {"ношение", true}, {"ОРУЖИЕ", true}, {"пояснение ё", true},
        {"12.2", false}, {"штраф", false}, {"поиск:о", false},
    };
    for (const auto& [filter, match] : cases) EXPECT_EQ(store::ArticleMatches("12.1", a, filter), match) << filter;
}

TEST(ArticleFiles, ExamplesAreMarkedAndInTheFormatAsWritten)
{
    const std::string folder = std::string(buildpaths::kExamples) + "/date/rp1/статьи/";
    for (const store::LawBookInfo& info : store::LawBooks()) {
        const std::vector<std::string> files = store::ListArticleFiles(folder, info.book);
        EXPECT_GE(files.size(), 2u) << info.extension;
        for (const std::string& file : files) {
            const std::string utf8 = store::Cp1251ToUtf8(testsupport::ReadBytes(folder + file));
            const store::ParsedArticle parsed = store::ParseArticle(utf8);
            EXPECT_TRUE(file.starts_with("Пример ")) << file;
            EXPECT_TRUE(parsed.article.text.starts_with("ПРИМЕР: ")) << file;
            EXPECT_TRUE(parsed.problems.empty()) << file;
            EXPECT_EQ(store::FormatArticle(parsed.article, info.book), utf8) << file;
        }
    }
}

TEST(FileNames, PlainNamesOnly)
{
    const std::pair<const char*, bool> cases[] = {
        {"12.1", true},        {"Статья 5", true},  {"a=b;[c]", true}, {"con.txt.x", false}, {"", false},
        {" ", false},          {" a", false},       {"a ", false},     {".a", false},        {"a.", false},
        {"a/b", false},        {"a\\b", false},     {"a:b", false},    {"a*", false},        {"a?", false},
        {"a\"", false},        {"a<", false},       {"a>", false},     {"a|", false},        {"a\tb", false},
        {"CON", false},        {"nul.ak", false},   {"Com1", false},   {"LPT9 .x", false},   {"COM10", true},
        {"console", true},     {"日本", false},     {"\xC2\xA0" "a", false},
    };
    for (const auto& [name, ok] : cases) EXPECT_EQ(store::IsPlainFileName(name), ok) << name;
}

}  // namespace
