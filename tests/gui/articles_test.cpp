// The article editor: the four books, loading, adding, saving and deleting
// articles, the unsaved-changes question, the filter and the server switch.

#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <filesystem>

#include "EditorTestSupport.h"
#include "mainwindow/ArticlePage.h"
#include "GuiTestSupport.h"
#include "store/Articles.h"
#include "store/Cp1251.h"
#include "widgets/Memo.h"

namespace {

namespace fs = std::filesystem;
using store::LawBook;

enum Answer { kSave = 0, kDiscard = 1, kStay = 2 };

class Articles : public guitest::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        FinishSplash();
        prompts::StartRecording();
    }

    ArticlePage& Page() { return *Main().Articles(); }
    void OpenPage() { Main().PressMenu(MenuItem::Articles); }
    std::string Dir(int server = 1) { return folder_.File("date/rp" + std::to_string(server) + "/статьи/"); }
    void WriteArticle(const std::string& file, const std::string& utf8, int server = 1)
    {
        fs::create_directories(testsupport::U8Path(Dir(server)));
        testsupport::WriteBytes(Dir(server) + file, store::Utf8ToCp1251(utf8));
    }
    std::string ReadArticle(const std::string& file) { return guitest::ReadUtf8(Dir() + file); }
    void Click(const char* label) { editortest::Press(Find<QWidget>(QString::fromLatin1(label))); }
    QListWidget* List() { return Find<QListWidget>(Page().Book() == LawBook::Charter ? "FileListBox1" : "FileListBox2"); }
    QStringList Items()
    {
        QStringList items;
        for (int i = 0; i < List()->count(); ++i) items << List()->item(i)->text();
        return items;
    }
    QString SelectedItem()
    {
        const auto sel = List()->selectedItems();
        return sel.isEmpty() ? QString() : sel.front()->text();
    }
    void Select(const QString& item) { List()->setCurrentRow(static_cast<int>(Items().indexOf(item))); }
    Memo* M(const char* name) { return Find<Memo>(QString::fromLatin1(name)); }
    QStringList Questions() { return prompts::RecordedTexts(prompts::Kind::Question); }
    std::map<std::string, std::string> Tree()
    {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(testsupport::U8Path(folder_.Path())))
            files[e.path().string()] = e.is_regular_file() ? testsupport::ReadBytes(e.path().string()) : "<dir>";
        return files;
    }
};

// Articles reach the chat through the "пояснение" variable: a save asks, as
// every editor does, before 1251 turns a character into "?".
TEST_F(Articles, SavingWhat1251CannotHoldAsksAndNoWritesNothing)
{
    WriteArticle("12.1.uk", "[текст]\r\nстарый");
    OpenPage();
    Click("Label52");
    Select("12.1");
    Find<QLineEdit>("Edit1")->setText(QStringLiteral("пояснение 🚓"));
    prompts::QueueAnswer(false);
    Click("Label71");
    EXPECT_EQ(Questions(), QStringList{"Символы 🚓 не поддерживаются и будут сохранены как «?». Сохранить?"});
    EXPECT_EQ(ReadArticle("12.1.uk"), "[текст]\r\nстарый");
    EXPECT_TRUE(Page().IsModified());
    // Leaving asks to save; that save asks again, and No stays.
    prompts::QueueChoice(kSave);
    prompts::QueueAnswer(false);
    Click("Label53");
    EXPECT_EQ(Page().CurrentFile(), "12.1.uk") << "stayed on the unsaved article";
    prompts::QueueAnswer(true);
    Click("Label71");
    EXPECT_EQ(store::ParseArticle(ReadArticle("12.1.uk")).article.explanation, "пояснение ?");
}

TEST_F(Articles, TabsBringTheirBooksEditorIntoView)
{
    WriteArticle("1.us", "");
    WriteArticle("2.ak", "");
    WriteArticle("3.uk", "");
    WriteArticle("4.pdd", "");
    WriteArticle("5.AK.old", "");
    Main().PressMenu(MenuItem::Home);
    Main().PressMenu(MenuItem::Articles);
    EXPECT_TRUE(Find<QWidget>("Shit4")->isVisible());
    struct Case {
        const char* tab;
        LawBook book;
        QStringList items;
        const char* title;
    };
    const Case cases[] = {
        {"Label51", LawBook::Administrative, {"2", "5.AK.old"}, "Административный кодекс"},
        {"Label52", LawBook::Criminal, {"3"}, "Уголовный кодекс"},
        {"Label53", LawBook::Traffic, {"4"}, "ПДД"},
        {"Label50", LawBook::Charter, {"1"}, nullptr},
    };
    const QRect inView(0, 25, 452, 359);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab);
        Click(c.tab);
        EXPECT_EQ(Page().Book(), c.book);
        EXPECT_EQ(Items(), c.items);
        const bool charter = c.book == LawBook::Charter;
        EXPECT_EQ(Find<QWidget>("PUstav")->geometry(), charter ? inView : QRect(64, 5000, 452, 359));
        EXPECT_EQ(Find<QWidget>("Panel3")->geometry(), charter ? QRect(336, 5000, 452, 359) : inView);
        if (c.title) {
            EXPECT_EQ(Find<QWidget>("Panel3")->windowTitle(), QString::fromUtf8(c.title));
        }
        for (const char* tab : {"Label50", "Label51", "Label52", "Label53"}) {
            const bool selected = qstrcmp(tab, c.tab) == 0;
            EXPECT_EQ(Find<QWidget>(tab)->palette().color(QPalette::Window),
                      selected ? QColor(0x3E, 0x6F, 0xA8) : QColor(0x58, 0x5E, 0x67))
                << tab;
        }
    }
}

TEST_F(Articles, ChoosingAnArticleLoadsItAndSaveWritesTheEditsAtomically)
{
    WriteArticle("12.1.uk", "; записано вручную\r\n[текст]\r\nНошение оружия\r\n\r\nвторой абзац\r\n[поиск]\r\nоружие\r\n"
                            "[пояснение]\r\nношение\r\n[наказания]\r\nзвезды1=2\r\nштраф1=500\r\nзвезды3=9\r\n");
    WriteArticle("2.uk", "просто текст без разделов");
    OpenPage();
    Click("Label52");
    EXPECT_EQ(Items(), QStringList({"2", "12.1"}));
    for (const char* memo : {"Memo5", "Memo6"}) EXPECT_FALSE(M(memo)->isEnabled()) << "no article, nothing to type into";

    Select("12.1");
    EXPECT_EQ(Page().CurrentFile(), "12.1.uk");
    EXPECT_EQ(M("Memo5")->Text(), "Ношение оружия\r\n\r\nвторой абзац");
    EXPECT_EQ(M("Memo6")->Text(), "оружие");
    EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "ношение");
    const int values[] = {2, 0, 6, 500, 0, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Find<QSpinBox>(QStringLiteral("SpinEdit%1").arg(i + 1))->value(), values[i]) << i;
    EXPECT_EQ(Messages(), QStringList({"В файле статьи «12.1» наказания записаны неверно:\r\n"
                                       "3й уровень, звезды: «9», показано 6\r\n"
                                       "Допустимо: звезды от 0 до 6, штраф от 0 до 6000. "
                                       "Сохраните статью, чтобы исправить файл."}));
    EXPECT_FALSE(Page().IsModified());

    M("Memo5")->SetText("Ношение оружия\r\n[текст]");
    Find<QSpinBox>("SpinEdit5")->setValue(1500);
    EXPECT_TRUE(Page().IsModified());
    Click("Label71");
    EXPECT_FALSE(Page().IsModified());
    EXPECT_EQ(ReadArticle("12.1.uk"), "; записано вручную\r\n[текст]\r\nНошение оружия\r\n[[текст]\r\n[поиск]\r\nоружие\r\n"
                                      "[пояснение]\r\nношение\r\n[наказания]\r\nзвезды1=2\r\nштраф1=500\r\n"
                                      "звезды2=0\r\nштраф2=1500\r\nзвезды3=6\r\nштраф3=0\r\n");

    Select("2");
    EXPECT_EQ(M("Memo5")->Text(), "просто текст без разделов");
    EXPECT_TRUE(Questions().isEmpty()) << "nothing was unsaved";
}

TEST_F(Articles, AddRefusesBadAndExistingNamesAndCreatesTheFolderOnce)
{
    OpenPage();  // a program folder from before the article editor: no articles folder
    EXPECT_TRUE(Items().isEmpty());
    EXPECT_TRUE(Errors().isEmpty());
    const auto before = Tree();
    for (const char* bad : {"", " 1", "a/b", "a\\b", "x:y", "CON", "nul.txt", "1.", "日本"}) {
        prompts::QueueInput(true, QString::fromUtf8(bad));
        Click("Label58");
    }
    prompts::QueueInput(false, "отменено");
    Click("Label58");
    EXPECT_EQ(Messages(), QStringList(9, "Недопустимое название статьи"));
    EXPECT_EQ(Tree(), before);

    Find<QLineEdit>("ArticleFilter1")->setText("нет такой");
    prompts::QueueInput(true, "Глава 1");
    Click("Label58");
    EXPECT_EQ(ReadArticle("Глава 1.us"), "[текст]\r\n[поиск]\r\n[пояснение]\r\n");
    EXPECT_EQ(Find<QLineEdit>("ArticleFilter1")->text(), "");
    EXPECT_EQ(Items(), QStringList({"Глава 1"}));
    EXPECT_EQ(SelectedItem(), "Глава 1");
    EXPECT_TRUE(M("Memo3")->isEnabled());

    WriteArticle("Глава 1.us", "[текст]\r\nхранить");
    prompts::StartRecording();
    prompts::QueueInput(true, "Глава 1");
    Click("Label58");
    EXPECT_EQ(Messages(), QStringList({"Такая статья уже существует"}));
    EXPECT_EQ(ReadArticle("Глава 1.us"), "[текст]\r\nхранить");

    // Without the server's data folder the add fails with the file error and makes nothing.
    fs::remove_all(testsupport::U8Path(folder_.File("date/rp2")));
    Main().Home()->CycleServer();  // to server 2
    OpenPage();
    prompts::QueueInput(true, "1");
    Click("Label58");
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].startsWith("Cannot create folder")) << Errors()[0].toStdString();
    EXPECT_FALSE(fs::exists(testsupport::U8Path(folder_.File("date/rp2"))));
}

TEST_F(Articles, DeleteAsksFirst)
{
    WriteArticle("1.pdd", "[текст]\r\nскорость");
    OpenPage();
    Click("Label53");
    Click("Label70");
    EXPECT_EQ(Messages(), QStringList({"Вначале выберите статью"}));
    Select("1");
    for (const int answer : {1, 0}) {  // cancel, then delete
        prompts::QueueChoice(answer);
        Click("Label70");
    }
    EXPECT_EQ(Questions(), QStringList(2, "Удалить статью «1»? Её текст будет удалён с диска."));
    EXPECT_EQ(prompts::Recorded().back().caption, "Удалить|Отмена");
    EXPECT_FALSE(fs::exists(testsupport::U8Path(Dir() + "1.pdd")));
    EXPECT_TRUE(Items().isEmpty());
    EXPECT_EQ(Page().CurrentFile(), "");
    EXPECT_EQ(M("Memo5")->Text(), "");
}

TEST_F(Articles, UnsavedEditsAskToSaveDiscardOrStay)
{
    WriteArticle("1.ak", "[текст]\r\nодин");
    WriteArticle("2.ak", "[текст]\r\nдва");
    WriteArticle("3.uk", "[текст]\r\nтри");
    OpenPage();
    Click("Label51");
    Select("1");
    const QString question = "Статья «1» изменена. Сохранить изменения?";

    Find<QLineEdit>("Edit1")->setText("правка");
    prompts::QueueChoice(kStay);
    Select("2");
    EXPECT_EQ(Questions(), QStringList({question}));
    EXPECT_EQ(prompts::Recorded().back().caption, "Сохранить|Не сохранять|Отмена");
    EXPECT_EQ(SelectedItem(), "1");
    EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "правка");
    prompts::QueueChoice(kStay);
    Click("Label52");
    EXPECT_EQ(Page().Book(), LawBook::Administrative);

    prompts::QueueChoice(kDiscard);
    Select("2");
    EXPECT_EQ(M("Memo5")->Text(), "два");
    EXPECT_EQ(ReadArticle("1.ak"), "[текст]\r\nодин");

    M("Memo5")->SetText("два, исправлено");
    prompts::QueueChoice(kSave);
    Click("Label52");
    EXPECT_EQ(Page().Book(), LawBook::Criminal);
    EXPECT_EQ(store::ParseArticle(ReadArticle("2.ak")).article.text, "два, исправлено");
    EXPECT_EQ(Questions().size(), 4);
}

TEST_F(Articles, FilterMatchesNumberAndTextsIgnoringCase)
{
    WriteArticle("5.1.ak", "[текст]\r\nПарковка на газоне");
    WriteArticle("5.2.ak", "[поиск]\r\nШУМ ночью");
    WriteArticle("15.ak", "[пояснение]\r\nмусор");
    OpenPage();
    Click("Label51");
    Select("5.2");
    QLineEdit* filter = Find<QLineEdit>("ArticleFilter2");
    const std::pair<const char*, QStringList> cases[] = {
        {"5", {"5.1", "5.2", "15"}}, {"5.", {"5.1", "5.2"}}, {"газон", {"5.1"}}, {"шум", {"5.2"}},
        {"МУСОР", {"15"}},           {"нет", {}},            {"", {"5.1", "5.2", "15"}},
    };
    for (const auto& [text, items] : cases) {
        filter->setText(QString::fromUtf8(text));
        EXPECT_EQ(Items(), items) << text;
        EXPECT_EQ(Page().CurrentFile(), "5.2.ak") << "filtering never unloads the article";
    }
    EXPECT_EQ(SelectedItem(), "5.2");
}

TEST_F(Articles, AfterAServerSwitchThePageListsTheNewServersBooks)
{
    WriteArticle("один.us", "[текст]\r\nпервый сервер");
    WriteArticle("два.us", "[текст]\r\nвторой сервер", 2);
    OpenPage();
    Select("один");
    M("Memo3")->SetText("правка");
    Main().PressMenu(MenuItem::Home);
    OpenPage();
    EXPECT_EQ(M("Memo3")->Text(), "правка") << "same folder: the editor is kept";

    Main().Home()->CycleServer();  // to server 2
    Main().PressMenu(MenuItem::Home);
    prompts::QueueChoice(kDiscard);
    OpenPage();
    EXPECT_EQ(Questions().size(), 1);
    EXPECT_EQ(Page().Folder(), QString::fromStdString(Dir(2)));
    EXPECT_EQ(Items(), QStringList({"два"}));
    EXPECT_EQ(Page().CurrentFile(), "");
    EXPECT_EQ(ReadArticle("один.us"), "[текст]\r\nпервый сервер");
}

TEST_F(Articles, LayoutAndHoverOfTheTextButtons)
{
    const std::pair<const char*, QRect> bounds[] = {
        {"Shit4", {168, 81, 452, 384}},     {"Label50", {3, 2, 66, 21}},       {"Label51", {81, 2, 146, 21}},
        {"Label52", {240, 2, 108, 21}},     {"Label53", {361, 2, 88, 21}},     {"Panel4", {3, 25, 448, 358}},
        {"ArticleFilter1", {5, 30, 145, 20}}, {"FileListBox1", {5, 51, 145, 302}}, {"Memo3", {153, 29, 296, 155}},
        {"Memo4", {153, 203, 296, 109}},    {"Label58", {156, 322, 92, 31}},   {"Label59", {253, 322, 88, 31}},
        {"Label60", {346, 322, 99, 31}},    {"ArticleFilter2", {3, 18, 89, 20}}, {"FileListBox2", {3, 39, 89, 314}},
        {"Memo5", {94, 18, 354, 78}},       {"Memo6", {94, 111, 354, 69}},     {"Edit1", {94, 194, 355, 21}},
        {"SpinEdit1", {95, 230, 78, 22}},   {"SpinEdit3", {94, 279, 79, 22}},  {"SpinEdit6", {346, 276, 101, 22}},
        {"Label69", {102, 322, 94, 31}},    {"Label70", {216, 322, 101, 31}},  {"Label71", {339, 322, 102, 30}},
    };
    for (const auto& [name, rect] : bounds) EXPECT_EQ(Find<QWidget>(QString::fromLatin1(name))->geometry(), rect) << name;
    EXPECT_EQ(Text("Label64"), "Текст в переменной \"пояснение\"");
    for (const auto& [spin, max] : {std::pair{"SpinEdit2", 6}, std::pair{"SpinEdit5", 6000}}) {
        auto* box = Find<QSpinBox>(QString::fromLatin1(spin));
        EXPECT_EQ(box->minimum(), 0);
        EXPECT_EQ(box->maximum(), max);
    }
    ASSERT_EQ(ArticlePage::kTextButtons.size(), 10);
    for (const QString& name : ArticlePage::kTextButtons) {
        Label* label = Find<Label>(name);
        ASSERT_NE(label, nullptr);
        editortest::Enter(label);
        EXPECT_EQ(label->FontColor(), QColor(0xFF, 0x00, 0x00)) << name.toStdString();
        editortest::Leave(label);
        EXPECT_EQ(label->FontColor(), QColor(0xFF, 0xFF, 0xFF)) << name.toStdString();
    }
}

}  // namespace
