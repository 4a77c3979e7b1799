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

// A question with a question icon and one button per text; returns the
// chosen button's index. The last button is the safe way out: Escape and the
// close box choose it.
int Question(QWidget* parent, const QString& text, const QStringList& buttons);
// The system's file dialogs; "" when cancelled.
QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter);
QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter);

// ---- for tests -------------------------------------------------------------
enum class Kind { Message, Information, Error, Input, Beep, Question, File };
struct Shown {
    Kind kind;
    QString text;     // the message, or an input box's prompt
    QString caption;  // an input box's caption; a question's buttons, "|" between
};

void StartRecording();  // also clears what was recorded and queued
void StopRecording();
const QList<Shown>& Recorded();
QStringList RecordedTexts(Kind kind);
void QueueInput(bool accepted, const QString& text);
// A yes/no question takes the next queued input (accepted = Yes); none
// queued is No. A file dialog takes its text as the path chosen.
inline void QueueAnswer(bool yes) { QueueInput(yes, {}); }
// The button the next recorded question with buttons answers with; unqueued, the last one.
void QueueChoice(int button);
// Runs while a recorded prompt "is open", as a modal box would let timers run.
void SetWhileShown(std::function<void(const Shown&)> callback);

}  // namespace prompts
