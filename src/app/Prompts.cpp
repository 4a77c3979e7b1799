#include "app/Prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <deque>

namespace prompts {
namespace {

struct Recorder {
    bool on = false;
    QList<Shown> shown;
    std::deque<InputResult> answers;
    std::function<void(const Shown&)> whileShown;
};

Recorder& R()
{
    static Recorder r;
    return r;
}

bool Record(Kind kind, const QString& text)
{
    if (!R().on) return false;
    const Shown s{kind, text};
    R().shown.append(s);
    if (R().whileShown) R().whileShown(s);
    return true;
}

QString Title()
{
    return QApplication::applicationDisplayName();
}

}  // namespace

void Message(QWidget* parent, const QString& text)
{
    if (Record(Kind::Message, text)) return;
    QMessageBox box(QMessageBox::NoIcon, Title(), text, QMessageBox::Ok, parent);
    box.exec();
}

void Error(QWidget* parent, const QString& text)
{
    if (Record(Kind::Error, text)) return;
    QMessageBox box(QMessageBox::Critical, Title(), text, QMessageBox::Ok, parent);
    box.exec();
}

void Beep()
{
    if (Record(Kind::Beep, {})) return;
    QApplication::beep();
}

InputResult InputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& value)
{
    if (Record(Kind::Input, prompt)) {
        if (R().answers.empty()) return {false, value};
        InputResult r = R().answers.front();
        R().answers.pop_front();
        if (!r.accepted) r.text = value;
        return r;
    }
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    const bool ok = dialog.exec() == QDialog::Accepted;
    return {ok, ok ? dialog.textValue() : value};
}

void StartRecording()
{
    R() = Recorder{};
    R().on = true;
}

void StopRecording()
{
    R() = Recorder{};
}

const QList<Shown>& Recorded()
{
    return R().shown;
}

QStringList RecordedTexts(Kind kind)
{
    QStringList out;
    for (const Shown& s : R().shown)
        if (s.kind == kind) out << s.text;
    return out;
}

void QueueInput(bool accepted, const QString& text)
{
    R().answers.push_back({accepted, text});
}

void SetWhileShown(std::function<void(const Shown&)> callback)
{
    R().whileShown = std::move(callback);
}

}  // namespace prompts
