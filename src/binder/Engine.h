#pragma once
// The binder's engine, on a thread of its own: it keeps the key table in step
// with the setup files, takes what the input hook queued, and types one text
// at a time into the game through an Output: waiting for the player to let
// go of the hotkey, asking in the chat line what a text needs, a pause
// between messages, never while a modifier is down or another window is in
// front. It never blocks: Run() says when it wants to run again.

#include <chrono>
#include <cstdint>
#include <ctime>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "binder/Channel.h"
#include "binder/KeyTable.h"
#include "text/Script.h"

namespace binder {

class Log;
class Output;

class Clock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~Clock() = default;
    virtual TimePoint Now() = 0;
    // The wall clock for {время} and {дата}.
    virtual std::tm Local() = 0;
};

class Engine {
public:
    // The most messages one text types (a hand-edited text of thousands of lines).
    static constexpr int kMaxMessages = text::kMaxSteps;

    Engine(std::string exeDir, Channel& channel, Output& output, Log& log, Clock& clock);
    ~Engine();

    // Reads the key table again and hands it to the hook when it changed.
    void FilesChanged();
    // Takes what the hook queued and types what is due. Returns how long
    // until it wants to run again; nothing while it only waits for input.
    std::optional<std::chrono::milliseconds> Run();

    const KeyTable& Table() const { return *tables_.back().table; }
    bool Busy() const { return job_ != nullptr; }
    const std::string& FixedTarget() const { return target_; }

private:
    struct Job;
    enum class Question { None, Target, OwnId, Place, Input, Fix };

    void Handle(const Fired& fired);
    void Fire(const KeyTable& table, const Binding& binding);
    void StartText(std::string name, std::string text, const std::uint8_t* keys, int keyCount, unsigned extraAsks = 0);
    void Answer(std::string answer);
    void Finish(const std::string& why);
    std::optional<std::chrono::milliseconds> Advance();
    bool Ask(Question question, const std::string& prompt);
    static const char* Prompt(Question question);
    bool ModifierDown();
    text::Values ReadValues();
    std::optional<std::string> ReadText(const std::string& path, const std::string& name);

    const std::string exeDir_;
    Channel& channel_;
    Output& output_;
    Log& log_;
    Clock& clock_;

    // The table in use last; older ones live on a while, as queued events may
    // still point into them.
    struct Published {
        std::unique_ptr<KeyTable> table;
        Clock::TimePoint replaced;
    };
    std::deque<Published> tables_;

    std::unique_ptr<Job> job_;
    std::optional<Clock::TimePoint> lastMessage_;  // sent to the game, by any text
    std::string target_;  // the fixed player's ID
    std::string ownId_;   // {ид}, asked once a run
};

}  // namespace binder
