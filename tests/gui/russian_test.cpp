// Qt's own texts in Russian, and a layout that scales as one: at any scale
// (the suite runs again with QT_SCALE_FACTOR 1.5 and 2) every label's text
// fits the rectangle it was given.

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "EditorTestSupport.h"
#include "GuiTestSupport.h"
#include "widgets/Memo.h"

namespace {

class Russian : public guitest::PanelTest {};

QString Plain(QString text)
{
    return text.remove(u'&').section(u'\t', 0, 0);
}

TEST_F(Russian, QuestionsAnswerDaOrNet)
{
    prompts::StopRecording();
    QStringList buttons;
    bool answer = true;
    editortest::WithModal([&] { answer = prompts::Question(nullptr, QStringLiteral("Сохранить?")); },
                          [&](QWidget* box) {
                              for (QAbstractButton* b : box->findChildren<QAbstractButton*>()) buttons << Plain(b->text());
                          });
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"Да", "Нет"}));
    EXPECT_FALSE(answer) << "closing it is No";
}

TEST_F(Russian, TheMemosMenuIsRussianAroundOurOwnEntry)
{
    FinishSplash();
    Main().OpenPage(MenuItem::Commands);
    Memo* memo = Find<Memo>(QStringLiteral("Memo2"));
    QStringList items;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions())
                if (!a->isSeparator()) items << Plain(a->text());
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), memo->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(memo->viewport(), &event);
    EXPECT_TRUE(items.contains("Отменить действие")) << items.join(", ").toStdString();
    EXPECT_TRUE(items.contains("Вставить"));
    EXPECT_TRUE(items.contains("Выделить всё"));
    EXPECT_TRUE(items.contains("Разбить длинные строки"));
    EXPECT_FALSE(items.contains("Undo"));
}

// Only where the layout gave a label its rectangle: auto-sized ones fit by
// making, and empty ones show nothing.
TEST_F(Russian, AtThisScaleEveryLabelsTextFitsItsRectangle)
{
    // Qt's offscreen platform on Windows has no fonts at all, only boxes.
    if (QFontInfo(QApplication::font()).family().isEmpty()) GTEST_SKIP() << "no fonts on this platform";
    // The run is at the scale it was asked for.
    EXPECT_EQ(qApp->devicePixelRatio(), qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                            ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                            : 1.0);
    FinishSplash();
    int checked = 0;
    for (QWidget* window : app_->Windows()) {
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text().isEmpty() || label->textFormat() == Qt::RichText) continue;
            const QRect room = label->contentsRect();
            const QFontMetrics metrics(label->font());
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect needed = metrics.boundingRect(room, flags, label->text());
            ++checked;
            const QFontInfo font(label->font());
            const std::string where = label->objectName().toStdString() + " \"" + label->text().toStdString() +
                                      "\" in " + font.family().toStdString() + " " +
                                      std::to_string(font.pixelSize()) + " px at " +
                                      std::to_string(qApp->devicePixelRatio()) + " on " +
                                      QGuiApplication::platformName().toStdString();
            EXPECT_LE(needed.width(), room.width()) << where;
            EXPECT_LE(needed.height(), room.height()) << where;
        }
    }
    EXPECT_GT(checked, 150);
}

}  // namespace
