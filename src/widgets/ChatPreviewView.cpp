#include "widgets/ChatPreviewView.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "guibase/QtText.h"
#include "widgets/Look.h"

const QString ChatPreviewView::kUnknownTip = QStringLiteral("Неизвестная переменная: будет напечатана как есть");

namespace {

const QColor kChat(0x14, 0x16, 0x1A);
const QColor kCursorRow(0x22, 0x27, 0x2F);
const QColor kBreak(0xE0, 0x4A, 0x3A);
const QColor kUnknown(0xFF, 0x9F, 0x43);
const QColor kValue(0x5B, 0x8F, 0xD0, 70);  // a tint behind what the binder fills in
const QColor kHook(0x5F, 0x68, 0x75);       // ties continuations to their line
const QColor kOpen(0xF0, 0xF0, 0xF0);
constexpr int kGutter = 10;
constexpr int kPad = 4;
constexpr int kIndent = 16;  // of a continuation

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

// One row of a line: a chat message, a step's note, or nothing.
struct Row {
    std::unique_ptr<QTextLayout> layout;
    int indent = 0;
    int height = 0;
};

QTextLayout::FormatRange Range(const text::Span& span, const QTextCharFormat& format)
{
    return {span.start, span.length, format};
}

// The rows of `line` laid out to `width`, each at least `minHeight` tall.
std::vector<Row> LayOutLine(const text::PreviewLine& line, const QFont& font, int width, int minHeight)
{
    std::vector<Row> rows;
    const auto add = [&](const QString& shown, const QFont& rowFont, QList<QTextLayout::FormatRange> formats,
                         int indent) {
        Row row;
        row.layout = std::make_unique<QTextLayout>(shown, rowFont);
        row.layout->setFormats(formats);
        row.indent = indent;
        row.height = std::max(minHeight, int(std::ceil(LayOut(*row.layout, width - indent))) + 3);
        rows.push_back(std::move(row));
    };
    if (!line.note.empty()) {
        QFont italic = font;
        italic.setItalic(true);
        QTextCharFormat f;
        f.setForeground(ChatPreviewView::ColorOf(line.kind));
        const QString note = ToQString(line.note);
        add(note, italic, {{0, int(note.size()), f}}, 0);
        return rows;
    }
    for (size_t i = 0; i < line.messages.size(); ++i) {
        const text::PreviewMessage& m = line.messages[i];
        const QString shown = ToQString(m.shown);
        QTextCharFormat base;
        base.setForeground(ChatPreviewView::ColorOf(m.kind));
        QTextCharFormat value = base;
        value.setBackground(kValue);
        QTextCharFormat unknown;
        unknown.setForeground(kUnknown);
        unknown.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        unknown.setUnderlineColor(kUnknown);
        QList<QTextLayout::FormatRange> formats{{0, int(shown.size()), base}};
        for (const text::Span& s : m.values) formats << Range(s, value);
        for (const text::Span& s : m.unknown) formats << Range(s, unknown);
        add(shown, font, formats, i == 0 ? 0 : kIndent);
    }
    if (rows.empty()) add(QString(), font, {}, 0);
    return rows;
}

int HeightOf(const std::vector<Row>& rows)
{
    int height = 0;
    for (const Row& r : rows) height += r.height;
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
    // The binder's own steps: notes of the panel, never chat text.
    case text::LineKind::Pause:
        return {0xD9, 0xB8, 0x6A};
    case text::LineKind::Question:
        return {0x7F, 0xC8, 0xE8};
    case text::LineKind::Screenshot:
        return {0x93, 0xCF, 0x8A};
    case text::LineKind::Empty:
        break;
    }
    return look::kSilver;
}

void ChatPreviewView::Follow(QPlainTextEdit* editor, const text::Values& values)
{
    for (const QMetaObject::Connection& c : connections_) disconnect(c);
    connections_.clear();
    editor_ = editor;
    cursorRow_ = -1;
    if (editor != nullptr) {
        connections_ << connect(editor->document(), &QTextDocument::contentsChange, this, &ChatPreviewView::Changed);
        connections_ << connect(editor, &QPlainTextEdit::cursorPositionChanged, this, &ChatPreviewView::FollowCursor);
    }
    Refill(values);
    FollowCursor();
}

void ChatPreviewView::Refill(const text::Values& values)
{
    preview_ = std::make_unique<text::ChatPreview>(values, editor_ ? editor_->toPlainText().toStdString() : std::string());
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
    return std::max(40 + kIndent, viewport()->width() - kGutter - 2 * kPad);
}

int ChatPreviewView::LineAt(int y) const
{
    int top = 0;
    for (int line = verticalScrollBar()->value(); line < preview_->LineCount(); ++line) {
        top += HeightOf(LayOutLine(preview_->Line(line), viewport()->font(), TextWidth(), RowHeight()));
        if (y < top) return line;
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

QString ChatPreviewView::RowTip(int line) const
{
    if (line < 0 || line >= preview_->LineCount()) return {};
    const text::PreviewLine& l = preview_->Line(line);
    QStringList tip;
    if (const int typed = preview_->TypedLines(); line >= typed) {
        tip << (typed > 0 && preview_->Line(typed - 1).leaveOpen
                    ? QStringLiteral("Не напечатается: текст кончается строкой с {дописать} выше.")
                    : QStringLiteral("Не напечатается: биндер печатает не больше %1 шагов текста.").arg(text::kMaxSteps));
    }
    switch (l.kind) {
    case text::LineKind::Pause:
        tip << QStringLiteral("Пауза: биндер ждёт её вместо обычной паузы между сообщениями.");
        break;
    case text::LineKind::Question:
        tip << QStringLiteral("Вопрос: биндер спросит его и подставит ответ в {ввод} следующих строк.");
        break;
    case text::LineKind::Screenshot:
        tip << QStringLiteral("Скриншот: биндер нажмёт клавишу скриншота игры.");
        break;
    default:
        break;
    }
    if (std::any_of(l.messages.begin(), l.messages.end(),
                    [](const text::PreviewMessage& m) { return m.kind == text::LineKind::Command; }))
        tip << QStringLiteral("Команда: уходит на сервер, в чате её не видно.");
    if (l.messages.size() > 1)
        tip << QStringLiteral("Длинная строка: биндер напечатает её %1 сообщениями.").arg(l.messages.size());
    if (l.Broken())
        tip << QStringLiteral("Длиннее 144 символов вместе с ником: сервер не покажет это сообщение.");
    if (l.HasUnknown()) tip << kUnknownTip;
    if (l.leaveOpen)
        tip << QStringLiteral("Строка останется в чате недописанной: допишите и отправьте её сами. "
                              "Дальше текст не печатается.");
    return tip.join(u'\n');
}

bool ChatPreviewView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = RowTip(LineAt(help->pos().y()));
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
    const int typed = preview_->TypedLines();
    QColor veil = kChat;
    veil.setAlpha(110);
    int y = 0;
    // Scrolled by lines, as the editor is: only the lines in sight are laid out.
    for (int line = verticalScrollBar()->value(); line < preview_->LineCount() && y < viewport()->height(); ++line) {
        const text::PreviewLine& l = preview_->Line(line);
        const std::vector<Row> rows = LayOutLine(l, font, textWidth, RowHeight());
        const int height = HeightOf(rows);
        if (line == cursorRow_) p.fillRect(QRect(0, y, viewport()->width(), height), kCursorRow);
        if (l.Broken()) p.fillRect(QRect(2, y + 2, kGutter - 5, height - 4), kBreak);

        int rowTop = y;
        qreal hookFrom = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            const Row& row = rows[i];
            const QPointF at(kGutter + kPad + row.indent, rowTop + 1.5);
            if (i > 0) {
                // A hook from the row above down to this continuation.
                const qreal x = kGutter + kPad + kIndent / 2.0 - 2;
                const qreal mid = rowTop + RowHeight() / 2.0;
                p.setPen(QPen(kHook, 1.5));
                p.drawLine(QPointF(x, i == 1 ? rowTop - 3 : hookFrom), QPointF(x, mid));
                p.drawLine(QPointF(x, mid), QPointF(x + kIndent / 2.0 - 1, mid));
                hookFrom = mid;
            }
            if (!row.layout->text().isEmpty()) {
                // The chat's black outline under the text, then the text.
                QTextLayout shadow(row.layout->text(), row.layout->font());
                QTextCharFormat black;
                black.setForeground(QColor(0, 0, 0));
                shadow.setFormats({{0, int(row.layout->text().size()), black}});
                LayOut(shadow, textWidth - row.indent);
                shadow.draw(&p, at + QPointF(1, 1));
                row.layout->draw(&p, at);
            }
            // A message the server drops never shows: behind a veil.
            if (i < l.messages.size() && l.messages[i].over)
                p.fillRect(QRect(kGutter, rowTop, viewport()->width() - kGutter, row.height), veil);
            rowTop += row.height;
        }
        if (l.leaveOpen) {
            // The chat's caret where the player goes on typing.
            const Row& last = rows.back();
            const QTextLine end = last.layout->lineCount() > 0 ? last.layout->lineAt(last.layout->lineCount() - 1)
                                                               : QTextLine();
            const qreal x = kGutter + kPad + last.indent + (end.isValid() ? end.naturalTextWidth() + 3 : 0);
            const qreal top = y + height - last.height + 2 + (end.isValid() ? end.y() : 0);
            p.fillRect(QRectF(x, top, 2, RowHeight() - 5), kOpen);
            QFont hint = font;
            hint.setItalic(true);
            hint.setBold(false);
            p.setFont(hint);
            p.setPen(ColorOf(text::LineKind::Command));
            p.drawText(QPointF(x + 8, top + QFontMetricsF(hint).ascent()), QStringLiteral("дописать самому"));
        }
        // What the binder never gets to: behind a veil too.
        if (line >= typed) p.fillRect(QRect(0, y, viewport()->width(), height), veil);
        y += height;
    }
}
