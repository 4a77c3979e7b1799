#include "dialogs/LargeTextEditor.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "widgets/ChatMarks.h"
#include "widgets/EditorControls.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"

LargeTextEditor::LargeTextEditor(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Form8"));
    setFixedSize(1146, 586);
    look::SetBackground(this, look::kClBtnFace);

    memo1_ = new Memo(this, QStringLiteral("Memo1"));
    memo1_->setGeometry(0, 0, 1146, 586);
    memo1_->setFont(look::SansSerif(11, true));
    memo1_->SetColors(look::kListField, look::kClWindow);
    memo1_->SetWordWrap(true);
    memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->SetText(QStringLiteral("Memo1"));
    connect(memo1_, &Memo::DblClick, this, &QDialog::accept);  // hands the text back

    // Over the memo's lower right corner, clear of its scroll bar; shown only
    // while the cursor's line is too long.
    QLabel* status = editors::AddLineStatus(this, "Memo1Status", {906, 566, 220, 18});
    status->setAutoFillBackground(true);
    look::SetBackground(status, look::kListField);
    marks_ = new ChatMarks(memo1_, status);
}

std::optional<QString> LargeTextEditor::Edit(const QString& text, const std::string& nick)
{
    marks_->SetNick(nick);
    memo1_->SetText(text);
    memo1_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return memo1_->Text();
}

void LargeTextEditor::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QDialog::showEvent(event);
}
