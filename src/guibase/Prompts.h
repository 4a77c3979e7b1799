#pragma once
// The one door to modal message boxes, error boxes, the input box and the
// beep. Tests switch on recording: nothing modal appears, every prompt is kept
// for the test to read, and input boxes take the answers the test queued.

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace prompts {

void Message(QWidget* parent, const QString& text);      // OK button
void Information(QWidget* parent, const QString& text);  // information icon, OK button
void Error(QWidget* parent, const QString& text);        // error icon, OK button
void Beep();
// A warning with Yes and No; true for Yes. No is the default button, so a
// stray Enter does not agree.
bool Question(QWidget* parent, const QString& text);

struct InputResult {
    bool accepted = false;
    QString text;
};
// A single-line input box of at most maxLength characters. Cancelled:
// accepted is false and text is `value`.
InputResult InputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& value,
                     int maxLength = 32767);

// A box with one button per choice (and Cancel); the chosen index, -1 for Cancel.
int Choose(QWidget* parent, const QString& text, const QStringList& choices);
// The system's file dialogs; "" when cancelled.
QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter);
QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter);

// ---- for tests -------------------------------------------------------------
enum class Kind { Message, Information, Error, Input, Beep, Question, Choice, File };
struct Shown {
    Kind kind;
    QString text;     // the message, or an input box's prompt
    QString caption;  // an input box's caption
};

void StartRecording();  // also clears what was recorded and queued
void StopRecording();
const QList<Shown>& Recorded();
QStringList RecordedTexts(Kind kind);
void QueueInput(bool accepted, const QString& text);
// A question takes the next queued answer (accepted = Yes); none queued is No.
inline void QueueAnswer(bool yes) { QueueInput(yes, {}); }
// A choice takes the next queued input's text as its index; a file dialog its path.
inline void QueueChoice(int index) { QueueInput(index >= 0, QString::number(index)); }
// Runs while a recorded prompt "is open", as a modal box would let timers run.
void SetWhileShown(std::function<void(const Shown&)> callback);

}  // namespace prompts
