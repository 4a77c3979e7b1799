#include "widgets/ChatPreviewView.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>
#include <QToolTip>
#include <algorithm>

#include "guibase/QtText.h"
#include "widgets/Look.h"

namespace {

const QColor kChat(0x14, 0x16, 0x1A);
const QColor kCursorRow(0x22, 0x27, 0x2F);
const QColor kBreak(0xE0, 0x4A, 0x3A);
constexpr int kGutter = 10;
constexpr int kPad = 4;

// Lines `layout` to `width`, one under the other; their height.
qreal LayOut(QTextLayout& layout, int width)
{
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

}  // namespace

ChatPreviewView::ChatPreviewView(QWidget* parent)
    : QAbstractScrollArea(parent), preview_(std::make_unique<text::ChatPreview>())
{
    setObjectName(QStringLiteral("ChatPreviewView"));
    setFrameShape(QFrame::NoFrame);
    viewport()->setFont(look::PixelFont(QStringLiteral("Arial"), 13, true));
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // long lines wrap, as in the chat
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

ChatPreviewView::~ChatPreviewView() = default;

QColor ChatPreviewView::ColorOf(text::LineKind kind)
{
    switch (kind) {
    case text::LineKind::Action:
        return {0xC2, 0xA2, 0xDA};  // the chat's colour of /me and /do
    case text::LineKind::Speech:
        return {0xF0, 0xF0, 0xF0};
    case text::LineKind::Command:
        return {0x8C, 0x93, 0x9C};  // typed, but the chat shows nothing
    case text::LineKind::Empty:
        break;
    }
    return look::kSilver;
}

void ChatPreviewView::Follow(QPlainTextEdit* editor, const std::string& nick)
{
    for (const QMetaObject::Connection& c : connections_) disconnect(c);
    connections_.clear();
    editor_ = editor;
    preview_ = std::make_unique<text::ChatPreview>(nick, editor ? editor->toPlainText().toStdString() : std::string());
    cursorRow_ = -1;
    if (editor != nullptr) {
        connections_ << connect(editor->document(), &QTextDocument::contentsChange, this, &ChatPreviewView::Changed);
        connections_ << connect(editor, &QPlainTextEdit::cursorPositionChanged, this, &ChatPreviewView::FollowCursor);
        FollowCursor();
    }
    UpdateScrollBars();
    viewport()->update();
}

void ChatPreviewView::Changed(int position, int /*removed*/, int added)
{
    if (!editor_) return;
    QTextDocument* doc = editor_->document();
    QTextBlock block = doc->findBlock(position);
    QTextBlock last = doc->findBlock(position + added);
    if (!last.isValid()) last = doc->lastBlock();  // a whole-text change reports one too many
    if (!block.isValid()) block = doc->begin();
    const int first = block.blockNumber();
    std::vector<std::string> lines;
    for (; block.isValid(); block = block.next()) {
        lines.push_back(block.text().toStdString());
        if (block == last) break;
    }
    preview_->Edited(first, lines, doc->blockCount());
    UpdateScrollBars();
    viewport()->update();
}

void ChatPreviewView::FollowCursor()
{
    if (!editor_) return;
    cursorRow_ = editor_->textCursor().blockNumber();
    QScrollBar* bar = verticalScrollBar();
    const int rows = std::max(1, viewport()->height() / RowHeight());
    if (cursorRow_ < bar->value()) bar->setValue(cursorRow_);
    else if (cursorRow_ >= bar->value() + rows) bar->setValue(cursorRow_ - rows + 1);
    viewport()->update();
}

int ChatPreviewView::RowHeight() const
{
    return viewport()->fontMetrics().height() + 3;
}

int ChatPreviewView::TextWidth() const
{
    return std::max(40, viewport()->width() - kGutter - 2 * kPad);
}

int ChatPreviewView::RowAt(int y) const
{
    int top = 0;
    for (int row = verticalScrollBar()->value(); row < preview_->LineCount(); ++row) {
        QTextLayout layout(ToQString(preview_->Line(row).shown), viewport()->font());
        top += std::max(RowHeight(), int(std::ceil(LayOut(layout, TextWidth()))) + 3);
        if (y < top) return row;
    }
    return -1;
}

void ChatPreviewView::UpdateScrollBars()
{
    // In lines: a long line wraps, so the last page may show fewer.
    const int rows = std::max(1, viewport()->height() / RowHeight());
    verticalScrollBar()->setRange(0, std::max(0, preview_->LineCount() - 1));
    verticalScrollBar()->setPageStep(rows);
}

void ChatPreviewView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

QString ChatPreviewView::RowTip(int row) const
{
    if (row < 0 || row >= preview_->LineCount()) return {};
    const text::PreviewLine& l = preview_->Line(row);
    QStringList tip;
    if (l.kind == text::LineKind::Command) tip << QStringLiteral("Команда: уходит на сервер, в чате её не видно.");
    if (l.cutAt >= 0)
        tip << QStringLiteral("Длиннее 128 символов: с %1-го символа строка в чат не попадёт.").arg(l.cutAt + 1);
    if (l.dropAt >= 0)
        tip << QStringLiteral("Длиннее 144 символов вместе с ником: сервер не покажет эту строку.");
    return tip.join(u'\n');
}

bool ChatPreviewView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = RowTip(RowAt(help->pos().y()));
        if (tip.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void ChatPreviewView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), kChat);
    const QFont font = viewport()->font();
    const int textWidth = TextWidth();
    int y = 0;
    // Scrolled by lines, as the editor is: only the lines in sight are laid out.
    for (int row = verticalScrollBar()->value(); row < preview_->LineCount() && y < viewport()->height(); ++row) {
        const text::PreviewLine& l = preview_->Line(row);
        const QString shown = ToQString(l.shown);
        // Where it breaks first: the input's cut or the server's limit.
        int brk = int(shown.size());
        if (l.cutAt >= 0) brk = std::min(brk, l.cutAt);
        if (l.dropAt >= 0) brk = std::min(brk, l.dropAt);

        QTextLayout layout(shown, font);
        QTextCharFormat kept;
        kept.setForeground(ColorOf(l.kind));
        QTextCharFormat lost;
        lost.setForeground(kBreak);
        lost.setFontStrikeOut(true);
        layout.setFormats({{0, brk, kept}, {brk, int(shown.size()) - brk, lost}});
        const int rowHeight = std::max(RowHeight(), int(std::ceil(LayOut(layout, textWidth))) + 3);
        const QRect band(0, y, viewport()->width(), rowHeight);
        if (row == cursorRow_) p.fillRect(band, kCursorRow);
        if (l.Broken()) p.fillRect(QRect(2, y + 2, kGutter - 5, rowHeight - 4), kBreak);
        const QPointF at(kGutter + kPad, y + 1.5);
        if (l.kind != text::LineKind::Empty) {
            // The chat's black outline under the text, then the text.
            QTextLayout shadow(shown, font);
            QTextCharFormat black;
            black.setForeground(QColor(0, 0, 0));
            shadow.setFormats({{0, int(shown.size()), black}});
            LayOut(shadow, textWidth);
            shadow.draw(&p, at + QPointF(1, 1));
            layout.draw(&p, at);
            if (brk < shown.size()) {
                // A bar where the line breaks.
                const QTextLine line = layout.lineForTextPosition(brk);
                const qreal x = line.cursorToX(brk);
                p.fillRect(QRectF(at.x() + x - 1, at.y() + line.y(), 2, line.height()), kBreak);
            }
        }
        // A dropped line never shows: all of it behind a veil.
        if (l.dropAt >= 0) {
            QColor veil = kChat;
            veil.setAlpha(110);
            p.fillRect(QRect(kGutter, y, viewport()->width() - kGutter, rowHeight), veil);
        }
        y += rowHeight;
    }
}
