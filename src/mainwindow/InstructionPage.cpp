#include "mainwindow/InstructionPage.h"

#include <QFile>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "widgets/Look.h"

namespace {

const QString kGuide = QStringLiteral(":/guide/instruction.html");

QString GuideHtml()
{
    QFile file(kGuide);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

InstructionPage::InstructionPage(Session& session, QWidget* parent)
    : Page(session, QStringLiteral("Shit5"), parent), browser_(new QTextBrowser(this))
{
    browser_->setObjectName(QStringLiteral("InstructionText"));
    browser_->setGeometry(0, 0, 452, 384);
    browser_->setFrameShape(QFrame::NoFrame);
    browser_->setOpenLinks(false);
    // List bullets take the widget's text colour, not the page's.
    QPalette palette = browser_->palette();
    palette.setColor(QPalette::Base, look::kWindow);
    palette.setColor(QPalette::Text, look::kTitle);
    browser_->setPalette(palette);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == QLatin1String("page")) emit pageRequested(url.path());
        else if (url.hasFragment()) browser_->scrollToAnchor(url.fragment());
    });
    browser_->setHtml(GuideHtml());
}

void InstructionPage::ShowSection(const QString& anchor, const QString& what)
{
    browser_->scrollToAnchor(anchor);
    if (what.isEmpty()) return;
    // The first match at or below the heading.
    QTextCursor from(browser_->document());
    for (QTextBlock b = browser_->document()->begin(); b.isValid(); b = b.next()) {
        if (b.charFormat().anchorNames().contains(anchor) ||
            (b.begin() != b.end() && b.begin().fragment().charFormat().anchorNames().contains(anchor))) {
            from = QTextCursor(b);
            break;
        }
    }
    const QTextCursor found = browser_->document()->find(what, from);
    if (!found.isNull()) browser_->setTextCursor(found);
}

QList<InstructionPage::Section> InstructionPage::Sections()
{
    // The guide is built in: parsed once, at the first search.
    static const QList<Section> sections = ParseSections();
    return sections;
}

QList<InstructionPage::Section> InstructionPage::ParseSections()
{
    QTextDocument document;
    document.setHtml(GuideHtml());
    QList<Section> sections;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        QStringList anchors = b.charFormat().anchorNames();
        if (anchors.isEmpty() && b.begin() != b.end()) anchors = b.begin().fragment().charFormat().anchorNames();
        if (b.blockFormat().headingLevel() > 0 && !anchors.isEmpty()) {
            sections.append({anchors.first(), b.text(), {}});
        } else if (!sections.isEmpty() && !b.text().isEmpty()) {
            QString& text = sections.last().text;
            if (!text.isEmpty()) text += u'\n';
            text += b.text();
        }
    }
    return sections;
}
