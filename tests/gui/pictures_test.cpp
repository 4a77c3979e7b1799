// The two pictures: the keyboard map of the server's hotkeys and the chat
// preview of an editor's text.

#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <QTextBlock>

#include "EditorTestSupport.h"
#include "GuiTestSupport.h"
#include "dialogs/KeyboardMapDialog.h"
#include "mainwindow/ChatPreviewWindow.h"
#include "mainwindow/CommandPage.h"
#include "mainwindow/KeysPage.h"
#include "store/Cp1251.h"
#include "widgets/ChatPreviewView.h"
#include "widgets/Keyboard.h"
#include "widgets/KeyboardMapView.h"
#include "widgets/Memo.h"

namespace {

using hotkeys::KeyUse;

class Pictures : public guitest::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        folder_.WriteSettings("[global]\r\nnick=Ivan_Petrov\r\n[hotkeys]\r\nkey37=VK11 & VK2E\r\nkey40=VK13\r\n");
        testsupport::WriteBytes(folder_.KeyFile(1),
                                store::Utf8ToCp1251("[keys]\r\nарест=VK11 & VK2E\r\nобыск=VK2D\r\n"));
        testsupport::WriteBytes(folder_.CommandsFolder(1) + "обыск.lcb", store::Utf8ToCp1251("/me провёл обыск"));
        FinishSplash();
        prompts::StartRecording();
    }
    // The colour the map shows in the middle of a key's cap.
    QColor Shown(KeyboardMapDialog* map, const char* token)
    {
        const QImage image = map->View()->grab().toImage();
        return image.pixelColor(keyboard::FindCap(token)->rect.center() + QPoint(0, 6));
    }
};

TEST_F(Pictures, TheMapShowsFreeUsedAndClashingKeysThroughItsFiltersAndOpensTheirEditors)
{
    Main().OpenPage(MenuItem::Keys);
    editortest::Press(Find<QWidget>(QStringLiteral("KeyboardMapLink")));
    KeyboardMapDialog* map = Main().OpenKeyboardMap();
    ASSERT_TRUE(map->isVisible());
    const hotkeys::KeyboardMap& m = map->View()->Map();

    const struct {
        const char* token;
        KeyUse use;
        size_t holders;
    } keys[] = {{"VK13", KeyUse::Used, 1}, {"VK2D", KeyUse::Used, 1}, {"VK2E", KeyUse::Clash, 2}, {"VK91", KeyUse::Free, 0}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.token);
        ASSERT_NE(m.Find(k.token), nullptr);
        EXPECT_EQ(m.Find(k.token)->use, k.use);
        EXPECT_EQ(m.Find(k.token)->holders.size(), k.holders);
    }
    // In the picture: the clash in the conflict marks' red, a used key blue, a free key untinted.
    EXPECT_GT(Shown(map, "VK2E").red(), Shown(map, "VK2E").blue());
    EXPECT_GT(Shown(map, "VK2D").blue(), Shown(map, "VK2D").red());
    EXPECT_EQ(Shown(map, "VK91"), keyboard::Picture().toImage().pixelColor(keyboard::FindCap("VK91")->rect.center() +
                                                                           QPoint(0, 6)));
    const QString tip = KeyboardMapView::Describe(*m.Find("VK2E"));
    EXPECT_TRUE(tip.contains(QStringLiteral("Ctrl+Delete — Фиксация игрока под прицелом"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("Ctrl+Delete — команда «арест»")));

    // Through the Ctrl filter, Insert alone is not there; through none it is.
    const int ctrl = int(map->Filters().indexOf(QStringLiteral("Ctrl")));
    ASSERT_GT(ctrl, 0);
    map->ChooseFilter(ctrl);
    EXPECT_EQ(map->View()->Map().Find("VK2D")->use, KeyUse::Free);
    EXPECT_EQ(map->View()->Map().Find("VK2E")->use, KeyUse::Clash);

    // It follows a change: the command leaves Ctrl+Delete, the clash is gone.
    S().WriteHotkey({hotkeys::HotkeySource::Commands, "арест"}, "VK11 & VK24");
    EXPECT_EQ(map->View()->Map().Find("VK2E")->use, KeyUse::Used);
    EXPECT_EQ(map->View()->Map().Find("VK24")->use, KeyUse::Used);
    map->ChooseFilter(0);

    // A command opens the command page on it; an action opens the picker on its row.
    map->ClickKey(QStringLiteral("VK2D"));
    EXPECT_TRUE(Main().Commands()->isVisible());
    EXPECT_EQ(Find<QListWidget>(QStringLiteral("RComand"))->currentItem()->text(), "обыск.lcb");
    QStringList marked;
    editortest::WithModal([&] { map->ClickKey(QStringLiteral("VK13")); },
                          [&](QWidget* w) { marked = qobject_cast<HotkeyPicker*>(w)->Selection(); });
    EXPECT_EQ(marked, QStringList{"VK13"});
    EXPECT_TRUE(Main().Keys()->isVisible());

    // The printable picture: the map and its legend at twice the size.
    testsupport::TempDir out;
    ASSERT_TRUE(map->SavePicture(QString::fromStdString(out.File("карта.png"))));
    const QImage saved(QString::fromStdString(out.File("карта.png")));
    EXPECT_EQ(saved.size(), QSize(1060, 288 + KeyboardMapView::kLegendHeight + 6) * 2);
}

TEST_F(Pictures, ThePreviewShowsEachLineAsTheChatWillAndFollowsTheEditor)
{
    const std::string longLine = "/me " + std::string(130, 'x');
    testsupport::WriteBytes(folder_.RolePlayFolder(1) + "штраф.txt",
                            store::Utf8ToCp1251("/me достал бланк\r\n/do Бланк заполнен.\r\nСтоять!\r\n/cuff 12\r\n" +
                                                longLine));
    Main().OpenPage(MenuItem::RolePlay);
    Find<QComboBox>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
    editortest::Press(Find<QWidget>(QStringLiteral("PreviewLink")));
    auto* window = Main().findChild<ChatPreviewWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    const text::ChatPreview& preview = window->View()->Preview();

    const struct {
        const char* shown;
        text::LineKind kind;
    } lines[] = {{"* Ivan_Petrov достал бланк", text::LineKind::Action},
                 {"* Ivan_Petrov Бланк заполнен.", text::LineKind::Action},
                 {"Ivan_Petrov: Стоять!", text::LineKind::Speech},
                 {"/cuff 12", text::LineKind::Command}};
    ASSERT_EQ(preview.LineCount(), 5);
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(preview.Line(i).messages.size(), 1u) << i;
        EXPECT_EQ(preview.Line(i).messages[0].shown, lines[i].shown) << i;
        EXPECT_EQ(preview.Line(i).kind, lines[i].kind) << i;
    }
    EXPECT_EQ(preview.Line(4).messages.size(), 2u) << "134 characters: typed as two messages";
    EXPECT_TRUE(window->View()->RowTip(4).contains(QStringLiteral("2 сообщениями")));

    // Typing: the line changes, a new line comes, the preview keeps up.
    Memo* memo = Find<Memo>(QStringLiteral("Memo1"));
    QTextCursor cursor(memo->document()->findBlockByNumber(2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    memo->setTextCursor(cursor);
    memo->insertPlainText(QStringLiteral(" Полиция"));  // as typing does: a change at the cursor
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "/b ooc");
    EXPECT_EQ(window->View()->Preview().Line(2).messages.at(0).shown, "Ivan_Petrov: Стоять! Полиция");
    EXPECT_EQ(window->View()->Preview().LineCount(), 6);
    EXPECT_EQ(window->View()->Preview().Line(3).messages.at(0).shown, "/b ooc");
    EXPECT_EQ(window->View()->Preview().Lines(),
              text::ChatPreview(window->View()->Preview().FilledWith(), memo->toPlainText().toStdString()).Lines())
        << "what a fresh reading of the text gives";
}

}  // namespace
