#include "guibase/Prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <deque>

namespace prompts {
namespace {

struct Recorder {
    bool on = false;
    QList<Shown> shown;
    std::deque<InputResult> answers;
    std::deque<int> choices;
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

// The next queued answer of a recorded prompt, or a cancel.
InputResult NextAnswer()
{
    if (R().answers.empty()) return {false, {}};
    InputResult r = R().answers.front();
    R().answers.pop_front();
    return r;
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
    if (Record(Kind::Question, text)) return NextAnswer().accepted;
    QMessageBox box(QMessageBox::Warning, Title(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
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
        InputResult r = NextAnswer();
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

int Question(QWidget* parent, const QString& text, const QStringList& buttons)
{
    const int last = static_cast<int>(buttons.size()) - 1;
    if (Record(Kind::Question, text, buttons.join(u'|'))) {
        if (R().choices.empty()) return last;
        const int choice = R().choices.front();
        R().choices.pop_front();
        return choice;
    }
    QMessageBox box(QMessageBox::Question, Title(), text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> added;
    for (int i = 0; i <= last; ++i)
        added << box.addButton(buttons[i], i == last ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    if (last >= 0) box.setEscapeButton(added[last]);
    box.exec();
    const int chosen = static_cast<int>(added.indexOf(box.clickedButton()));
    return chosen < 0 ? last : chosen;
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

void QueueChoice(int button)
{
    R().choices.push_back(button);
}

void SetWhileShown(std::function<void(const Shown&)> callback)
{
    R().whileShown = std::move(callback);
}

}  // namespace prompts
