#include "guibase/Prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QPushButton>
#include <QInputDialog>
#include <QLineEdit>
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

bool Record(Kind kind, const QString& text, const QString& caption = {})
{
    if (!R().on) return false;
    const Shown s{kind, text, caption};
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

void Information(QWidget* parent, const QString& text)
{
    if (Record(Kind::Information, text)) return;
    QMessageBox box(QMessageBox::Information, Title(), text, QMessageBox::Ok, parent);
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

bool Question(QWidget* parent, const QString& text)
{
    if (Record(Kind::Question, text)) {
        if (R().answers.empty()) return false;
        const bool yes = R().answers.front().accepted;
        R().answers.pop_front();
        return yes;
    }
    QMessageBox box(QMessageBox::Warning, Title(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

namespace {

// The next queued answer of a recorded prompt, or a cancel.
InputResult NextAnswer()
{
    if (R().answers.empty()) return {false, {}};
    InputResult r = R().answers.front();
    R().answers.pop_front();
    return r;
}

}  // namespace

int Choose(QWidget* parent, const QString& text, const QStringList& choices)
{
    if (Record(Kind::Choice, text)) {
        const InputResult r = NextAnswer();
        return r.accepted ? r.text.toInt() : -1;
    }
    QMessageBox box(QMessageBox::Question, Title(), text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (const QString& c : choices) buttons << box.addButton(c, QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.exec();
    return static_cast<int>(buttons.indexOf(box.clickedButton()));
}

QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter)
{
    if (Record(Kind::File, caption)) return NextAnswer().text;
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    if (Record(Kind::File, caption)) return NextAnswer().text;
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

InputResult InputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& value,
                     int maxLength)
{
    if (Record(Kind::Input, prompt, caption)) {
        if (R().answers.empty()) return {false, value};
        InputResult r = R().answers.front();
        R().answers.pop_front();
        r.text = r.accepted ? r.text.left(maxLength) : value;
        return r;
    }
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setMaxLength(maxLength);
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
