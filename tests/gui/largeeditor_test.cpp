// The large text editor and its hand-over with the command editor's memo.

#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <filesystem>

#include "EditorTestSupport.h"
#include "GuiTestSupport.h"
#include "store/Cp1251.h"
#include "widgets/Memo.h"

namespace {

using editortest::DoubleClick;
using editortest::WithModal;

class LargeEditor : public guitest::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        FinishSplash();
        Main().PressMenu(MenuItem::Commands);
        prompts::StartRecording();
        memo2_ = Find<Memo>(QStringLiteral("Memo2"));
        memo1_ = Dialog<LargeTextEditor>()->findChild<Memo*>(QStringLiteral("Memo1"));
        ASSERT_NE(memo1_, nullptr);
    }

    // Double-clicks Memo2; `inEditor` runs while the large editor is open.
    QWidget* OpenLargeEditor(const std::function<void()>& inEditor)
    {
        return WithModal([&] { DoubleClick(memo2_->viewport()); }, [&](QWidget*) { inEditor(); });
    }

    Memo* memo2_ = nullptr;
    Memo* memo1_ = nullptr;
};

QString ThousandsOfLines()
{
    QStringList lines;
    for (int i = 0; i < 6000; ++i) {
        switch (i % 5) {
        case 0: lines << QStringLiteral("/me строка %1 с\tтабуляцией").arg(i); break;
        case 1: lines << QString(); break;
        case 2: lines << QStringLiteral("   отступ и\u00A0неразрывный пробел %1  ").arg(i); break;
        case 3: lines << QStringLiteral("%1 ").arg(i).repeated(40); break;
        default: lines << QStringLiteral("{F5F5F5}цвет [%1] «кавычки» — тире №").arg(i); break;
        }
    }
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

TEST_F(LargeEditor, IsABorderlessTopWindowFilledByItsMemo)
{
    LargeTextEditor* f8 = Dialog<LargeTextEditor>();
    EXPECT_TRUE(f8->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(f8->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(f8->size(), QSize(1146, 586));
    EXPECT_EQ(memo1_->geometry(), QRect(0, 0, 1146, 586));
    EXPECT_TRUE(memo1_->font().bold());
    EXPECT_EQ(memo1_->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo1_->palette().color(QPalette::Base), QColor(0x58, 0x5E, 0x67));
    EXPECT_FALSE(f8->isVisible());
    QPoint shownAt;
    OpenLargeEditor([&] { shownAt = f8->geometry().center(); });
    EXPECT_EQ(shownAt, QGuiApplication::primaryScreen()->geometry().center());
}

TEST_F(LargeEditor, SeveralThousandLinesTravelThereAndBackUnchanged)
{
    const QString text = ThousandsOfLines();
    memo2_->SetText(text);
    QString seen;
    EXPECT_EQ(OpenLargeEditor([&] {
                  seen = memo1_->Text();
                  DoubleClick(memo1_->viewport());
              }),
              Dialog<LargeTextEditor>());
    EXPECT_EQ(seen, text);
    EXPECT_EQ(memo2_->Text(), text);
    EXPECT_FALSE(Dialog<LargeTextEditor>()->isVisible());
}

TEST_F(LargeEditor, EditsReachTheFileOnlyThroughSave)
{
    testsupport::WriteBytes(folder_.CommandsFolder(1) + "арест.lcb", store::Utf8ToCp1251("old"));
    Find<QPushButton>(QStringLiteral("Button2"))->click();  // nothing selected: reads the list again
    Find<QListWidget>(QStringLiteral("RComand"))->setCurrentRow(0);
    ASSERT_EQ(memo2_->Text(), "old");

    OpenLargeEditor([&] {
        memo1_->SetText(memo1_->Text() + QStringLiteral("\r\nновая строка"));
        DoubleClick(memo1_->viewport());
    });
    EXPECT_EQ(memo2_->Text(), "old\r\nновая строка");
    EXPECT_EQ(testsupport::ReadBytes(folder_.CommandsFolder(1) + "арест.lcb"), "old");

    // Closed any other way: the text stays behind.
    OpenLargeEditor([&] { memo1_->SetText(QStringLiteral("dropped")); });
    EXPECT_EQ(memo2_->Text(), "old\r\nновая строка");

    Find<QPushButton>(QStringLiteral("Button4"))->click();
    EXPECT_EQ(testsupport::ReadBytes(folder_.CommandsFolder(1) + "арест.lcb"),
              store::Utf8ToCp1251("old\r\nновая строка"));
}

}  // namespace
