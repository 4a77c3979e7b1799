#pragma once
// The language of a role-play text: what the binder types for it. Each line
// is one chat message once its variables are filled; a few lines alone on
// their line are steps of their own (a pause, a question, a screenshot). The
// binder and the panel's chat preview both go through here, so the preview
// shows what the game gets. Text is UTF-8.
//
//   {ник} {имя} {звание} {ранг} {департамент} {тег} {доптег} {жетон}
//   {цель} {ид} {место} {время} {дата} {ввод}          variables, any case
//   {достал|достала}                                   the form by [global] пол
//   {пауза 2.5}  {спросить Номер паспорта}  {скриншот} alone on a line
//   ... {дописать}                                     typed, left open; the text ends
//
// Anything else in braces is typed as it stands, and so is a "{" whose next
// brace is another "{" or none: "{a{ник}}" fills only the inner braces.

#include <string>
#include <string_view>
#include <vector>

#include "text/ChatLines.h"
#include "text/Profile.h"

namespace text {

// The most steps one text types; the rest of a longer text is left out.
inline constexpr int kMaxSteps = 300;
// Pauses of a {пауза} line, in milliseconds.
inline constexpr int kMinPauseMs = 100;
inline constexpr int kMaxPauseMs = 60000;

// The values a message asks the player for before it can be filled.
enum Ask : unsigned {
    kAskNone = 0,
    kAskTarget = 1,  // {цель} while no player is fixed
    kAskOwnId = 2,   // {ид} until the player gave it once
    kAskPlace = 4,   // {место}, every time
};

// Everything a line may be filled with.
struct Values {
    Profile profile;
    std::string target;  // {цель}
    std::string ownId;   // {ид}
    std::string place;   // {место}
    std::string input;   // {ввод}: the last answer to a {спросить} line
    std::string time;    // {время}: "HH:MM"
    std::string date;    // {дата}: "DD.MM.YYYY"
};

enum class StepKind {
    Message,     // a line to fill and type
    Pause,       // {пауза N}: wait instead of the pause between messages
    Question,    // {спросить ...}: ask in the chat line; the answer fills {ввод}
    Screenshot,  // {скриншот}: the game's screenshot key
};

struct Step {
    StepKind kind = StepKind::Message;
    int line = 0;            // of the text, from 0
    std::string body;        // Message: the line, {дописать} cut off; Question: the question
    int pauseMs = 0;         // Pause
    bool leaveOpen = false;  // Message: ended in {дописать}
    unsigned asks = kAskNone;  // Message: Ask flags of the variables it uses

    bool operator==(const Step&) const = default;
};

// One line of a text as a step (a line alone: the preview reads line by line).
// A {пауза} whose seconds are no number ("2", "2.5", "2,5") is a message.
Step ParseLine(std::string_view line, int lineNumber = 0);

struct Script {
    std::vector<Step> steps;  // in order; ends at a leaveOpen message
    unsigned asks = kAskNone; // of every message
    bool capped = false;      // the text had more than kMaxSteps steps before any {дописать}
};

// Every line of the text (CR LF, LF or a lone CR ends one). Lines that are
// blank as written give no step.
Script ParseScript(std::string_view text);

// A run of characters (code points) of a filled line.
struct Span {
    int start = 0;
    int length = 0;
    bool operator==(const Span&) const = default;
};

struct FilledLine {
    std::string text;           // UTF-8
    std::vector<Span> values;   // where a variable or gender form was filled in (none for an empty value)
    std::vector<Span> unknown;  // braces typed as they stand
};

// The line with every variable and gender form filled; unknown braces and a
// "{" without its "}" stay as they are.
FilledLine FillLine(std::string_view body, const Values& values);

// The chat messages of a filled line: empty for a blank line, else the line
// split as the chat meter splits it (each piece fits the input and the
// echo), every character one 1251 holds ("?" for the others).
std::vector<std::string> MessagesOf(std::string_view filled, const ChatMeter& meter);

}  // namespace text
