// Texts that fit the game's chat: the marks and status text of the editors,
// splitting long lines, the question before "?" replaces what 1251 cannot
// store, and the search across texts, commands and keys.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>
#include <QTest>
#include <filesystem>

#include "EditorTestSupport.h"
#include "mainwindow/ArticlePage.h"
#include "mainwindow/CommandPage.h"
#include "mainwindow/HomePage.h"
#include "mainwindow/KeysPage.h"
#include "mainwindow/RolePlayPage.h"
#include "mainwindow/SearchBox.h"
#include "GuiTestSupport.h"
#include "hotkeys/BinderKeys.h"
#include "store/Cp1251.h"
#include "text/ChatLines.h"
#include "widgets/ChatMarks.h"
#include "widgets/Memo.h"

namespace {

using editortest::DoubleClick;
using editortest::WithModal;
using prompts::Kind;
namespace fs = std::filesystem;

const QString kNick24 = QString(24, QLatin1Char('N'));  // leaves 118 for chat lines

class ChatFit : public guitest::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        folder_.WriteSettings("[global]\r\nnick=" + kNick24.toStdString() + "\r\n");
        FinishSplash();
        prompts::StartRecording();
    }
    void OpenRolePlay()
    {
        Main().OpenPage(MenuItem::RolePlay);
    }
    void WriteRp(const std::string& name, const std::string& utf8)
    {
        testsupport::WriteBytes(folder_.RolePlayFolder(1) + name, store::Utf8ToCp1251(utf8));
    }
    void WriteCmd(const std::string& file, const std::string& utf8)
    {
        testsupport::WriteBytes(folder_.CommandsFolder(1) + file, store::Utf8ToCp1251(utf8));
    }
    static void PutCursor(Memo* memo, int line)
    {
        memo->setTextCursor(QTextCursor(memo->document()->findBlockByNumber(line)));
    }
    static bool Marked(Memo* memo, int line)
    {
        return !memo->document()->findBlockByNumber(line).layout()->formats().isEmpty();
    }
};

TEST_F(ChatFit, MarksAndStatusFollowTypingAndTheNick)
{
    WriteRp("штраф.txt", "коротко\r\n" + std::string(119, 'a') + "\r\n/me " + std::string(117, 'b'));
    OpenRolePlay();
    Find<QComboBox>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
    Memo* memo = Find<Memo>(QStringLiteral("Memo1"));
    auto* status = Find<QLabel>(QStringLiteral("Memo1Status"));

    EXPECT_FALSE(Marked(memo, 0));
    EXPECT_TRUE(Marked(memo, 1));
    EXPECT_FALSE(Marked(memo, 2)) << "/me lines leave out the command: 121 fit";
    PutCursor(memo, 1);
    EXPECT_EQ(status->text(), "строка 2: 119 / 118");
    EXPECT_FALSE(status->isHidden());
    PutCursor(memo, 0);
    EXPECT_EQ(status->text(), "");
    EXPECT_TRUE(status->isHidden());

    // Typing measures the changed line again.
    PutCursor(memo, 2);
    memo->moveCursor(QTextCursor::EndOfBlock);
    QTest::keyClicks(memo, "cd");
    EXPECT_TRUE(Marked(memo, 2));
    EXPECT_EQ(status->text(), "строка 3: 123 / 121");

    // A shorter nick stored on the home page: the page shows it next time.
    prompts::QueueInput(true, QStringLiteral("Oleg"));
    Main().Home()->EditNick();
    Main().PressMenu(MenuItem::Home);
    OpenRolePlay();
    EXPECT_FALSE(Marked(memo, 1));
    EXPECT_FALSE(Marked(memo, 2));
    EXPECT_EQ(status->text(), "");
}

TEST_F(ChatFit, SplitIsOneUndoStepInEachEditor)
{
    WriteCmd("арест.lcb", "/b " + std::string(200, 'x') + "\r\nкоротко\r\n" + std::string(130, 'y'));
    Main().PressMenu(MenuItem::Commands);
    auto* list = Find<QListWidget>(QStringLiteral("RComand"));
    list->setCurrentRow(0);
    Memo* memo2 = Find<Memo>(QStringLiteral("Memo2"));
    const QString before = memo2->Text();

    memo2->findChild<QAction*>(QStringLiteral("SplitLines"))->trigger();
    const std::string expected = text::ChatMeter(kNick24.toStdString()).SplitText(before.toStdString());
    EXPECT_EQ(memo2->Text().toStdString(), expected);
    EXPECT_EQ(memo2->document()->blockCount(), 5);
    memo2->undo();
    EXPECT_EQ(memo2->Text(), before);
    EXPECT_FALSE(memo2->document()->isUndoAvailable());
    EXPECT_EQ(guitest::ReadUtf8(folder_.CommandsFolder(1) + "арест.lcb"), before.toStdString()) << "nothing saved";

    // The large editor marks and splits alike.
    Memo* memo1 = Dialog<LargeTextEditor>()->Memo1();
    WithModal([&] { DoubleClick(memo2->viewport()); },
              [&](QWidget*) {
                  EXPECT_TRUE(Marked(memo1, 0));
                  PutCursor(memo1, 0);
                  EXPECT_EQ(Dialog<LargeTextEditor>()->findChild<QLabel*>(QStringLiteral("Memo1Status"))->text(),
                            "строка 1: 203 / 128");
                  Dialog<LargeTextEditor>()->Marks()->SplitLongLines();
                  EXPECT_EQ(memo1->Text().toStdString(), expected);
                  DoubleClick(memo1->viewport());
              });
    EXPECT_EQ(memo2->Text().toStdString(), expected);
}

TEST_F(ChatFit, SavingAsksBeforeQuestionMarksAndNoWritesNothing)
{
    const QString question = QStringLiteral("Символы 😀, ŝ не поддерживаются и будут сохранены как «?». Сохранить?");
    OpenRolePlay();
    Find<QComboBox>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
    Memo* memo1 = Find<Memo>(QStringLiteral("Memo1"));
    memo1->SetText(QStringLiteral("/me улыбнулся 😀 ŝ 😀"));
    const std::string path = folder_.RolePlayFolder(1) + "штраф.txt";

    prompts::QueueAnswer(false);
    Find<QPushButton>(QStringLiteral("Button1"))->click();
    EXPECT_EQ(prompts::RecordedTexts(Kind::Question), QStringList{question});
    EXPECT_FALSE(std::filesystem::exists(testsupport::U8Path(path)));
    EXPECT_EQ(memo1->Text(), QStringLiteral("/me улыбнулся 😀 ŝ 😀"));
    EXPECT_TRUE(Messages().isEmpty());

    prompts::QueueAnswer(true);
    Find<QPushButton>(QStringLiteral("Button1"))->click();
    EXPECT_EQ(guitest::ReadUtf8(path), "/me улыбнулся ? ? ?");
    EXPECT_EQ(Messages(), QStringList{"Saved"});

    // Commands: the same question on both save paths.
    WriteCmd("a.lcb", "old");
    Main().PressMenu(MenuItem::Commands);
    Find<QListWidget>(QStringLiteral("RComand"))->setCurrentRow(0);
    Memo* memo2 = Find<Memo>(QStringLiteral("Memo2"));
    memo2->SetText(QStringLiteral("ŝ"));
    prompts::QueueAnswer(false);
    Find<QPushButton>(QStringLiteral("Button4"))->click();
    EXPECT_EQ(guitest::ReadUtf8(folder_.CommandsFolder(1) + "a.lcb"), "old");
    Find<QListWidget>(QStringLiteral("RComand"))->clearSelection();
    prompts::QueueInput(true, QStringLiteral("b"));
    prompts::QueueAnswer(false);
    Find<QPushButton>(QStringLiteral("Button4"))->click();
    EXPECT_FALSE(std::filesystem::exists(testsupport::U8Path(folder_.CommandsFolder(1) + "b.lcb")));
    EXPECT_EQ(prompts::RecordedTexts(Kind::Question).size(), 4);
}

TEST_F(ChatFit, ProfileValuesThat1251CannotSpellAreRefused)
{
    const std::string settings = guitest::ReadUtf8(folder_.SettingsPath());
    prompts::QueueInput(true, QStringLiteral("Oleg_😀"));
    Main().Home()->EditNick();
    EXPECT_EQ(Messages(), QStringList{"Символы 😀 не поддерживаются. Значение не сохранено."});
    EXPECT_EQ(Text("Label7"), kNick24);

    CallSignDialog* dialog = Dialog<CallSignDialog>();
    dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("ŝ-1"));
    dialog->StoreCallSign();
    dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("K9"));
    dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(true);
    dialog->findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("🚓"));
    dialog->StoreCallSign();
    EXPECT_EQ(Messages().size(), 3);
    EXPECT_EQ(guitest::ReadUtf8(folder_.SettingsPath()), settings) << "nothing stored, no sync asked";
}

TEST_F(ChatFit, SearchFindsATextLineACommandAndAKeyAndOpensEach)
{
    WriteRp("миранда.txt", "/me достал карточку\r\n/do Зачитывает ПРАВА задержанному.");
    WriteCmd("обыск.lcb", "/me надел перчатки\r\n/me провёл обыск");
    S().Settings().WriteString("hotkeys", "key37", "VK12 & VK31");  // Alt+1
    SearchBox* search = Main().Search();
    // The instruction's sections come last; the rest is what this test wrote.
    const auto found = [search] {
        int n = 0;
        for (int row = 0; row < search->Results()->count(); ++row)
            n += !search->Results()->item(row)->data(Qt::UserRole).toString().startsWith(QStringLiteral("Инструкция"));
        return n;
    };
    search->Open();
    EXPECT_TRUE(search->isVisible());

    search->Edit()->setText(QStringLiteral("права"));
    ASSERT_EQ(found(), 1);
    EXPECT_EQ(search->Results()->item(0)->data(Qt::UserRole).toString(), "Отыгровка, строка 2: /do Зачитывает ПРАВА задержанному.");
    search->Choose(0);
    EXPECT_FALSE(search->isVisible());
    EXPECT_TRUE(Main().RolePlay()->isVisible());
    EXPECT_EQ(Main().RolePlay()->ChosenEntry(), 5);
    EXPECT_EQ(Find<Memo>(QStringLiteral("Memo1"))->textCursor().selectedText(), "ПРАВА");

    search->Open();
    search->Edit()->setText(QStringLiteral("ОБЫСК"));
    ASSERT_EQ(found(), 2);
    EXPECT_EQ(search->Results()->item(1)->data(Qt::UserRole).toString(), "Команда обыск, строка 2: /me провёл обыск");
    search->Choose(1);
    EXPECT_TRUE(Main().Commands()->isVisible());
    EXPECT_EQ(Find<QListWidget>(QStringLiteral("RComand"))->currentItem()->text(), "обыск.lcb");
    EXPECT_EQ(Find<Memo>(QStringLiteral("Memo2"))->textCursor().block().blockNumber(), 1);

    const hotkeys::BinderKey* key = hotkeys::FindBinderKey("key37");
    search->Open();
    search->Edit()->setText(QStringLiteral("alt+1"));
    ASSERT_GE(search->Results()->count(), 1);
    int row = 0;
    while (row < search->Results()->count() &&
           !search->Results()->item(row)->data(Qt::UserRole).toString().contains(QString::fromUtf8(key->caption.data(), key->caption.size())))
        ++row;
    ASSERT_LT(row, search->Results()->count());
    search->Choose(row);
    EXPECT_TRUE(Main().Keys()->isVisible());
    EXPECT_TRUE(Main().Keys()->KeyPage(key->page)->isVisible());
    EXPECT_EQ(Main().Keys()->SelectedKey(), key);

    // The law books too: an article by a word of its text.
    fs::create_directories(testsupport::U8Path(folder_.File("date/rp1/статьи")));
    testsupport::WriteBytes(folder_.File("date/rp1/статьи/12.8.ak"),
                            store::Utf8ToCp1251("[текст]\r\nСтатья 12.8. Управление в состоянии опьянения\r\n"));
    search->Open();
    search->Edit()->setText(QStringLiteral("опьянения"));
    ASSERT_EQ(found(), 1);
    search->Choose(0);
    EXPECT_TRUE(Main().Articles()->isVisible());
    EXPECT_EQ(Main().Articles()->Book(), store::LawBook::Administrative);
    EXPECT_EQ(Main().Articles()->CurrentFile(), "12.8.ak");
}

}  // namespace
