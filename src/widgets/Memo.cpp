#include "widgets/Memo.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

Memo::Memo(QWidget* parent, const QString& name) : QPlainTextEdit(parent)
{
    if (!name.isEmpty()) setObjectName(name);
    document()->setDocumentMargin(2);
    setTabChangesFocus(false);
}

QString Memo::Text() const
{
    // Built from the blocks: toPlainText() would turn no-break spaces into
    // blanks, and 1251 files hold them.
    QString out;
    out.reserve(document()->characterCount() + document()->blockCount());
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        if (b != document()->begin()) out += kCrLf;
        QString line = b.text();
        line.replace(QChar::LineSeparator, kCrLf);
        out += line;
    }
    return out;
}

void Memo::SetText(const QString& text)
{
    QString plain = text;
    plain.replace(kCrLf, QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(plain);
}

void Memo::SetWordWrap(bool on)
{
    setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setWordWrapMode(on ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
}

void Memo::SetColors(const QColor& background, const QColor& text)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, background);
    p.setColor(QPalette::Text, text);
    setPalette(p);
}

int Memo::WrapWidth() const
{
    // The viewport's width as the scroll area lays it out, known even while
    // the memo is hidden and no resize has reached the viewport yet.
    int width = contentsRect().width();
    if (verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn) width -= verticalScrollBar()->sizeHint().width();
    return width - 2 * static_cast<int>(document()->documentMargin());
}

int Memo::DisplayedLines(int limit) const
{
    const bool wrap = lineWrapMode() != QPlainTextEdit::NoWrap;
    const qreal width = WrapWidth();
    QTextOption option = document()->defaultTextOption();
    option.setWrapMode(wrap ? wordWrapMode() : QTextOption::NoWrap);
    int lines = 0;
    for (QTextBlock b = document()->begin(); b.isValid() && lines < limit; b = b.next()) {
        const QString text = b.text();
        if (text.isEmpty()) {
            if (b.next().isValid()) ++lines;  // an empty last line does not count
            continue;
        }
        QTextLayout layout(text, font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid() && lines < limit; line = layout.createLine()) {
            line.setLineWidth(wrap ? width : qreal(INT_MAX / 4));
            ++lines;
        }
        layout.endLayout();
    }
    return lines;
}

void Memo::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    emit DblClick();
}

void Memo::AddMenuAction(QAction* action)
{
    menuActions_ << action;
    if (popupMenu_ != nullptr) {
        popupMenu_->addSeparator();
        popupMenu_->addAction(action);
    }
}

void Memo::contextMenuEvent(QContextMenuEvent* event)
{
    if (popupMenu_ != nullptr) {
        popupMenu_->exec(event->globalPos());
        return;
    }
    QMenu* menu = createStandardContextMenu(event->pos());
    if (!menuActions_.isEmpty()) menu->addSeparator();
    menu->addActions(menuActions_);
    menu->exec(event->globalPos());
    delete menu;
}

void Memo::SelectInLine(int line, const QString& what)
{
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid()) return;
    QTextCursor cursor(block);
    const qsizetype at = what.isEmpty() ? -1 : block.text().indexOf(what, 0, Qt::CaseInsensitive);
    if (at >= 0) {
        cursor.setPosition(block.position() + static_cast<int>(at));
        cursor.setPosition(block.position() + static_cast<int>(at + what.size()), QTextCursor::KeepAnchor);
    } else {
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    }
    setTextCursor(cursor);
    ensureCursorVisible();
    setFocus();
}
