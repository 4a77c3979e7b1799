// The language of a text in the panel: the role-play editor's menu inserts
// its variables and steps, the chat preview shows what the binder will type
// with the profile filled in, and the keyboard map leads to the chat key.

#include <QComboBox>
#include <QTimer>
#include <QMenu>
#include <QTextBlock>

#include "EditorTestSupport.h"
#include "GuiTestSupport.h"
#include "dialogs/KeyboardMapDialog.h"
#include "mainwindow/ChatPreviewWindow.h"
#include "mainwindow/RolePlayPage.h"
#include "store/Cp1251.h"
#include "widgets/ChatPreviewView.h"
#include "widgets/KeyboardMapView.h"
#include "widgets/Memo.h"

namespace {

class Language : public guitest::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        folder_.WriteSettings("[global]\r\nnick=Anna_Stone\r\nзвание=Сержант\r\nпол=Женский\r\n");
        FinishSplash();
        prompts::StartRecording();
        Main().OpenPage(MenuItem::RolePlay);
        Find<QComboBox>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
        memo_ = Find<Memo>(QStringLiteral("Memo1"));
    }
    // The memo holding `text` with the cursor where "|" stands in it.
    void Place(const QString& text)
    {
        const qsizetype at = text.indexOf(u'|');
        memo_->SetText(QString(text).remove(at, 1));
        QTextCursor cursor(memo_->document());
        cursor.setPosition(int(at));
        memo_->setTextCursor(cursor);
    }
    void Trigger(const char* item)
    {
        memo_->PopupMenu()->findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    ChatPreviewWindow* OpenPreview()
    {
        editortest::Press(Find<QWidget>(QStringLiteral("PreviewLink")));
        return Main().findChild<ChatPreviewWindow*>();
    }
    const text::PreviewLine& Line(ChatPreviewWindow* window, int line)
    {
        return window->View()->Preview().Line(line);
    }

    Memo* memo_ = nullptr;
};

struct InsertCase {
    const char* item;
    const char* before;  // "|" is the cursor
    const char* after;   // CR LF between lines
};

const InsertCase kInserts[] = {
    {"N12", "/me |достал", "/me {ник}достал"},
    {"N13", "ab|", "ab{ид}"},
    {"N14", "|", "{ранг}"},
    {"N15", "a|b", "a{звание}b"},
    {"N16", "|", "{департамент}"},
    {"N17", "|", "{тег}"},
    {"N18", "|", "{доптег}"},
    {"N20", "/do В |.", "/do В {место}."},
    // A step stands alone on its line.
    {"N7", "ab|cd", "ab\r\n{скриншот}\r\ncd"},
    {"N7", "ab|\r\ncd", "ab\r\n{скриншот}\r\ncd"},
    {"N7", "ab\r\n|", "ab\r\n{скриншот}"},
    // Its work comes with the law books.
    {"N21", "a|b", "ab"},
};

TEST_F(Language, MenuItemsInsertTheirVariableAtTheCursorAsOneUndoStep)
{
    for (const InsertCase& c : kInserts) {
        SCOPED_TRACE(std::string(c.item) + " in " + c.before);
        Place(QString::fromUtf8(c.before).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        const QString before = memo_->Text();
        Trigger(c.item);
        EXPECT_EQ(memo_->Text(), QString::fromUtf8(c.after));
        if (before == memo_->Text()) continue;
        memo_->undo();
        EXPECT_EQ(memo_->Text(), before);
        EXPECT_FALSE(memo_->document()->isUndoAvailable());
    }
    // A selection is replaced.
    Place(QStringLiteral("ник: |XX"));
    QTextCursor cursor = memo_->textCursor();
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    memo_->setTextCursor(cursor);
    Trigger("N12");
    EXPECT_EQ(memo_->Text(), "ник: {ник}");
}

TEST_F(Language, TheQuestionItemAsksAndInsertsTheQuestionAloneOnALine)
{
    const struct {
        bool accepted;
        const char* typed;
        const char* after;
        int messages;
    } cases[] = {
        {true, "Номер паспорта", "/me взял\r\n{спросить Номер паспорта}\r\n паспорт", 0},
        {false, "Номер паспорта", "/me взял паспорт", 0},
        {true, "Имя {ник}", "/me взял паспорт", 1},  // a brace would end the question early
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Place(QStringLiteral("/me взял| паспорт"));
        prompts::StartRecording();
        prompts::QueueInput(c.accepted, QString::fromUtf8(c.typed));
        Trigger("N10");
        EXPECT_EQ(prompts::RecordedTexts(prompts::Kind::Input).size(), 1);
        EXPECT_EQ(memo_->Text(), QString::fromUtf8(c.after));
        EXPECT_EQ(Messages().size(), c.messages);
    }
}

TEST_F(Language, ThePreviewShowsWhatTheBinderTypesAndFollowsTheProfile)
{
    const std::string longLine = "/me " + std::string(100, 'x') + " " + std::string(40, 'y');
    memo_->SetText(QString::fromStdString("/me {достал|достала} бланк, {звание} №{ранг}\n{пауза 2.5}\n{спросить Номер паспорта}\n"
                                    "/do Паспорт №{ввод} у {цель} {xyz}.\n" +
                                    longLine));
    ChatPreviewWindow* window = OpenPreview();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->View()->Preview().LineCount(), 5);

    ASSERT_EQ(Line(window, 0).messages.size(), 1u);
    EXPECT_EQ(Line(window, 0).messages[0].shown, "* Anna_Stone достала бланк, Сержант №2");
    EXPECT_EQ(Line(window, 1).kind, text::LineKind::Pause);
    EXPECT_EQ(Line(window, 1).note, "пауза 2,5 с");
    EXPECT_EQ(Line(window, 2).kind, text::LineKind::Question);
    EXPECT_EQ(Line(window, 2).note, "вопрос: Номер паспорта — ответ: ‹ввод›");
    EXPECT_EQ(Line(window, 3).messages[0].shown, "* Anna_Stone Паспорт №‹ввод› у ‹ID› {xyz}.");
    EXPECT_TRUE(window->View()->RowTip(3).contains(ChatPreviewView::kUnknownTip));
    ASSERT_EQ(Line(window, 4).messages.size(), 2u) << "over the chat's limits: two messages";
    EXPECT_EQ(Line(window, 4).messages[1].shown, "* Anna_Stone " + std::string(40, 'y'));
    EXPECT_FALSE(Line(window, 4).Broken());
    EXPECT_TRUE(window->View()->RowTip(4).contains(QStringLiteral("2 сообщениями")));

    // Profile edits while it is open: the rank, the gender, the nick.
    RankDialog* rank = Dialog<RankDialog>();
    QTimer::singleShot(0, rank, [rank] {
        rank->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setEditText(QStringLiteral("Капитан"));
        rank->StoreRank();
    });
    Main().Home()->EditRank();
    Main().Home()->ToggleGender();
    prompts::QueueInput(true, QStringLiteral("Ivan_Petrov"));
    Main().Home()->EditNick();
    EXPECT_EQ(Line(window, 0).messages[0].shown, "* Ivan_Petrov достал бланк, Капитан №6");

    // It follows the editor as before, with the same values as a fresh reading.
    memo_->moveCursor(QTextCursor::End);
    memo_->insertPlainText(QStringLiteral("\n{скриншот}"));
    EXPECT_EQ(Line(window, 5).note, "скриншот (F8)");
    EXPECT_EQ(window->View()->Preview().Lines(),
              text::ChatPreview(window->View()->Preview().FilledWith(), memo_->toPlainText().toStdString()).Lines());
}

TEST_F(Language, TheKeyboardMapOpensTheChatKeysPicker)
{
    S().WriteHotkey({hotkeys::HotkeySource::Binder, "chat"}, "VK47");
    KeyboardMapDialog* map = Main().OpenKeyboardMap();
    const hotkeys::MapKey* g = map->View()->Map().Find("VK47");
    ASSERT_EQ(g->holders.size(), 1u);
    EXPECT_EQ(g->holders[0].name, "клавиша чата");
    QStringList marked;
    editortest::WithModal([&] { map->ClickKey(QStringLiteral("VK47")); },
                          [&](QWidget* w) { marked = qobject_cast<HotkeyPicker*>(w)->Selection(); });
    EXPECT_EQ(marked, QStringList{"VK47"});
    EXPECT_TRUE(Main().Home()->isVisible());
}

}  // namespace
