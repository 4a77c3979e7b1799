#include "widgets/ChatMarks.h"

#include <QAction>
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>

#include "widgets/Look.h"
#include "widgets/Memo.h"

const QString ChatMarks::kSplitText = QStringLiteral("Разбить длинные строки");

namespace {

const QColor kBand(0x7D, 0x56, 0x5A);  // the alert colour over the memo field

// The UTF-16 position after `characters` code points of `s`.
int PositionAfter(const QString& s, int characters)
{
    int i = 0;
    for (; i < s.size() && characters > 0; ++i, --characters)
        if (s.at(i).isHighSurrogate() && i + 1 < s.size()) ++i;
    return i;
}

}  // namespace

ChatMarks::ChatMarks(Memo* memo, QLabel* status) : QSyntaxHighlighter(memo->document()), memo_(memo), status_(status)
{
    split_ = new QAction(kSplitText, memo);
    split_->setObjectName(QStringLiteral("SplitLines"));
    connect(split_, &QAction::triggered, this, &ChatMarks::SplitLongLines);
    memo->AddMenuAction(split_);

    status_->setText(QString());
    look::SetTextColor(status_, look::kAlert);
    connect(memo, &QPlainTextEdit::cursorPositionChanged, this, &ChatMarks::UpdateStatus);
    connect(memo, &QPlainTextEdit::textChanged, this, &ChatMarks::UpdateStatus);
}

void ChatMarks::SetNick(const std::string& nick)
{
    if (nick == nick_) return;
    nick_ = nick;
    meter_ = text::ChatMeter(nick_);
    rehighlight();
    UpdateStatus();
}

text::LineCheck ChatMarks::CheckLine(const QString& line) const
{
    return meter_.Check(line.toStdString());
}

void ChatMarks::highlightBlock(const QString& text)
{
    const text::LineCheck check = CheckLine(text);
    if (!check.Over()) return;
    QTextCharFormat band;
    band.setBackground(kBand);
    const int cut = PositionAfter(text, check.limit);
    setFormat(0, cut, band);
    QTextCharFormat past;
    past.setBackground(look::kAlert);
    setFormat(cut, static_cast<int>(text.size()) - cut, past);
}

void ChatMarks::UpdateStatus()
{
    const QTextBlock block = memo_->textCursor().block();
    const text::LineCheck check = CheckLine(block.text());
    const QString status = check.Over() ? QStringLiteral("строка %1: %2 / %3")
                                              .arg(block.blockNumber() + 1)
                                              .arg(check.length)
                                              .arg(check.limit)
                                        : QString();
    if (status_->text() != status) status_->setText(status);
    status_->setVisible(!status.isEmpty());
}

void ChatMarks::SplitLongLines()
{
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const std::string line = block.text().toStdString();
        if (!meter_.Check(line).Over()) continue;
        QStringList pieces;
        for (const std::string& piece : meter_.Split(line)) pieces << QString::fromStdString(piece);
        if (pieces.size() < 2) continue;
        cursor.setPosition(block.position());
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(pieces.join(QLatin1Char('\n')));
        block = cursor.block();  // the last piece
    }
    cursor.endEditBlock();
}
