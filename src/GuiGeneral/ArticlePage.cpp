#include "GuiGeneral/ArticlePage.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSpinBox>

#include "GuiGeneral/EditorControls.h"
#include "GuiGeneral/SharedState.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"

const QStringList ArticlePage::kTextButtons = {
    QStringLiteral("Label50"), QStringLiteral("Label51"), QStringLiteral("Label52"), QStringLiteral("Label53"),
    QStringLiteral("Label58"), QStringLiteral("Label59"), QStringLiteral("Label60"), QStringLiteral("Label69"),
    QStringLiteral("Label70"), QStringLiteral("Label71"),
};

namespace {

// A bevelled panel in the page's colour that shows its caption in the middle.
class CaptionPanel : public QFrame {
public:
    CaptionPanel(QWidget* parent, const QString& name, const QString& caption, QFrame::Shadow shadow,
                 const QRect& bounds)
        : QFrame(parent), caption_(caption)
    {
        setObjectName(name);
        setGeometry(bounds);
        setFrameStyle(QFrame::Panel | shadow);
        setLineWidth(1);
        look::SetBackground(this, look::kPage);
        QPalette p = palette();
        p.setColor(QPalette::Light, look::kPage.lighter(160));
        p.setColor(QPalette::Dark, look::kPage.darker(160));
        p.setColor(QPalette::WindowText, look::kClWindow);
        setPalette(p);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event);
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(contentsRect(), Qt::AlignCenter, caption_);
    }

private:
    QString caption_;
};

// A fixed-size text button: white on the list colour, red under the mouse.
Label* AddTextButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds)
{
    auto* label = new Label(text, parent, QString::fromLatin1(name));
    label->setGeometry(bounds);
    label->setAlignment(Qt::AlignCenter);
    look::SetBackground(label, look::kListField);
    label->SetFontColor(look::kLinkNormal);
    label->setCursor(Qt::PointingHandCursor);
    look::MakeLink(label);
    return label;
}

// Article lists carry their file mask but are never pointed at a folder.
QListWidget* AddArticleList(QWidget* parent, const char* name, const char* mask, const QRect& bounds)
{
    auto* list = new ListBox(parent, QString::fromLatin1(name), 13);
    list->setGeometry(bounds);
    list->setProperty("Mask", QString::fromLatin1(mask));
    return list;
}

Memo* AddMemo(QWidget* parent, const char* name, const QRect& bounds)
{
    auto* memo = new Memo(parent, QString::fromLatin1(name));
    memo->setGeometry(bounds);
    memo->SetWordWrap(true);
    memo->SetText(QString::fromLatin1(name));
    return memo;
}

QSpinBox* AddSpin(QWidget* parent, const char* name, int max, const QRect& bounds)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setGeometry(bounds);
    spin->setRange(0, max);
    spin->setValue(0);
    return spin;
}

}  // namespace

ArticlePage::ArticlePage(SharedState& state, QWidget* parent) : Page(state, QStringLiteral("Shit4"), parent)
{
    AddTextButton(this, "Label50", QStringLiteral("Устав МВД"), {3, 2, 66, 21});
    AddTextButton(this, "Label51", QStringLiteral("Административный кодекс"), {81, 2, 146, 21});
    AddTextButton(this, "Label52", QStringLiteral("Уголовный кодекс"), {240, 2, 108, 21});
    AddTextButton(this, "Label53", QStringLiteral("ПДД"), {361, 2, 88, 21});
    new CaptionPanel(this, QStringLiteral("Panel4"), QStringLiteral("Panel4"), QFrame::Raised, {3, 25, 448, 358});

    // Two editors kept out of sight below the page.
    auto* ustav = new CaptionPanel(this, QStringLiteral("PUstav"), QStringLiteral("Ustav"), QFrame::Sunken, {64, 5000, 452, 359});
    editors::AddLabel(ustav, "Label55", QStringLiteral("Список статей:"), 8, 13);
    editors::AddLabel(ustav, "Label56", QStringLiteral("Полный текст стати"), 160, 13);
    editors::AddLabel(ustav, "Label57", QStringLiteral("Текст выводимый в окно поиска"), 160, 188);
    QListWidget* list1 = AddArticleList(ustav, "FileListBox1", "*.us*", {5, 30, 145, 323});
    QPalette listPalette = list1->palette();
    listPalette.setColor(QPalette::Base, look::kPage);
    listPalette.setColor(QPalette::Text, look::kClWindow);
    list1->setPalette(listPalette);
    AddMemo(ustav, "Memo3", {153, 29, 296, 155});
    AddMemo(ustav, "Memo4", {153, 203, 296, 109});
    AddTextButton(ustav, "Label58", QStringLiteral("Добавить статью"), {156, 322, 92, 31});
    AddTextButton(ustav, "Label59", QStringLiteral("Удалить статью"), {253, 322, 88, 31});
    AddTextButton(ustav, "Label60", QStringLiteral("Сохранить статью"), {346, 322, 99, 31});

    auto* panel3 = new CaptionPanel(this, QStringLiteral("Panel3"), QStringLiteral("Panel3"), QFrame::Raised, {336, 5000, 452, 359});
    editors::AddLabel(panel3, "Label61", QStringLiteral("Список статей"), 4, 4);
    editors::AddLabel(panel3, "Label62", QStringLiteral("Полный текст стати:"), 96, 5);
    editors::AddLabel(panel3, "Label63", QStringLiteral("Текст выводимый в поиск"), 96, 97);
    editors::AddLabel(panel3, "Label64", QStringLiteral("Текст в переменной \"пояснение\""), 94, 181);
    editors::AddLabel(panel3, "Label65", QStringLiteral("Наказания"), 96, 216);
    editors::AddLabel(panel3, "Label66", QStringLiteral("<- звезды (1й уровень) штраф ->"), 179, 232);
    editors::AddLabel(panel3, "Label67", QStringLiteral("<- звезды (2й уровень) штраф ->"), 179, 256);
    editors::AddLabel(panel3, "Label68", QStringLiteral("<- звезды (3й уровень) штраф ->"), 178, 281);
    AddArticleList(panel3, "FileListBox2", "*.ak*", {3, 18, 89, 335});
    AddMemo(panel3, "Memo5", {94, 18, 354, 78});
    AddMemo(panel3, "Memo6", {94, 111, 354, 69});
    auto* edit1 = new QLineEdit(QStringLiteral("Edit1"), panel3);
    edit1->setObjectName(QStringLiteral("Edit1"));
    edit1->setGeometry(94, 194, 355, 21);
    AddSpin(panel3, "SpinEdit1", 6, {95, 230, 78, 22});
    AddSpin(panel3, "SpinEdit2", 6, {95, 255, 78, 22});
    AddSpin(panel3, "SpinEdit3", 6, {94, 279, 79, 22});
    AddSpin(panel3, "SpinEdit4", 6000, {346, 228, 101, 22});
    AddSpin(panel3, "SpinEdit5", 6000, {346, 252, 101, 22});
    AddSpin(panel3, "SpinEdit6", 6000, {346, 276, 101, 22});
    AddTextButton(panel3, "Label69", QStringLiteral("Добавить статью"), {102, 322, 94, 31});
    AddTextButton(panel3, "Label70", QStringLiteral("Удалить статью"), {216, 322, 101, 31});
    AddTextButton(panel3, "Label71", QStringLiteral("Сохранить статью"), {339, 322, 102, 30});
}
