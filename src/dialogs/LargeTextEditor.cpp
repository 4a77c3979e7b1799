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

    text_ = new Memo(this, QStringLiteral("Memo1"));
    text_->setGeometry(0, 0, 1146, 586);
    text_->setFont(look::SansSerif(11, true));
    text_->SetColors(look::kListField, look::kClWindow);
    text_->SetWordWrap(true);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->SetText(QStringLiteral("Memo1"));
    connect(text_, &Memo::DblClick, this, &QDialog::accept);  // hands the text back

    // Over the memo's lower right corner, clear of its scroll bar; shown only
    // while the cursor's line is too long.
    QLabel* status = editors::AddLineStatus(this, "Memo1Status", {906, 566, 220, 18});
    status->setAutoFillBackground(true);
    look::SetBackground(status, look::kListField);
    marks_ = new ChatMarks(text_, status);
}

std::optional<QString> LargeTextEditor::Edit(const QString& text, const std::string& nick)
{
    marks_->SetNick(nick);
    text_->SetText(text);
    text_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return text_->Text();
}

void LargeTextEditor::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QDialog::showEvent(event);
}
