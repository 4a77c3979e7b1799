#include "binder/Engine.h"

#include <algorithm>
#include <cstdio>

#include "binder/Log.h"
#include "binder/Output.h"
#include "companion/Contract.h"
#include "hotkeys/HotkeyString.h"
#include "hotkeys/KeyVocabulary.h"
#include "hotkeys/RolePlayEntries.h"
#include "store/Cp1251.h"
#include "store/IniFile.h"
#include "store/RegistryView.h"
#include "store/ServerPaths.h"
#include "store/TextFile.h"

namespace binder {
namespace {

using namespace std::chrono_literals;
using Ms = std::chrono::milliseconds;

constexpr Ms kReleaseWait = 1000ms;    // for the player to let go of the hotkey
constexpr Ms kModifierWait = 5000ms;   // for Shift, Ctrl, Alt or Win to come up
constexpr Ms kPoll = 10ms;             // while waiting on keys
constexpr Ms kAnswerWait = 120s;       // for an answer in the chat line
constexpr Ms kAfterLineClosed = 100ms; // for the game to close its chat line
constexpr Ms kTableLife = 10s;         // of a replaced table

constexpr std::uint8_t kModifiers[] = {0x10, 0x11, 0x12, 0x5B, 0x5C};

Ms Until(Clock::TimePoint from, Clock::TimePoint to)
{
    return std::max(Ms(0), std::chrono::duration_cast<Ms>(to - from) + 1ms);
}

std::string Utf8Of(const std::array<char32_t, 128>& text, int length)
{
    std::string out;
    for (int i = 0; i < length; ++i) store::AppendUtf8(out, text[static_cast<size_t>(i)]);
    return out;
}

std::string Trimmed(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// A player's ID on the server: a number of at most three digits.
bool IsPlayerId(const std::string& s)
{
    return !s.empty() && s.size() <= 3 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string TwoDigits(int n)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

}  // namespace

const char* Engine::Prompt(Question question)
{
    switch (question) {
    case Question::Target: return "ID игрока";
    case Question::OwnId: return "Ваш ID";
    case Question::Place: return "Местоположение";
    case Question::Fix: return "ID игрока для фиксации";
    case Question::Input:
    case Question::None: break;
    }
    return "Ввод";
}

struct Engine::Job {
    std::string name;  // for the log: the file, or the action
    text::Script script;
    size_t next = 0;                  // the next step
    std::vector<std::string> pieces;  // messages of the current line still to type
    size_t piece = 0;
    bool leaveOpen = false;
    text::Values values;
    unsigned asks = 0;                // still to ask before the first message
    bool fix = false;                 // ask for the player to fix, nothing else

    std::array<std::uint8_t, 3> keys{};  // the hotkey, to be let go of
    int keyCount = 0;
    bool released = false;
    Clock::TimePoint started;
    Clock::TimePoint modifiersBy;     // the latest a modifier may stay down before a message
    Clock::TimePoint nextAt;          // nothing before this
    Question waiting = Question::None;
    Clock::TimePoint answerBy;
    int typed = 0;
};

Engine::Engine(std::string exeDir, Channel& channel, Output& output, Log& log, Clock& clock)
    : exeDir_(std::move(exeDir)), channel_(channel), output_(output), log_(log), clock_(clock)
{
    tables_.push_back({std::make_unique<KeyTable>(ReadKeyTable(exeDir_)), {}});
    channel_.Publish(tables_.back().table.get());
    const KeyTable& t = Table();
    log_.Line("Биндер запущен: сервер " + std::to_string(t.server) + ", горячих клавиш " +
              std::to_string(t.bindings.size()) + ", клавиша чата " + hotkeys::KeyCaption(KeyToken(t.chatKey)));
    for (const std::string& bad : t.unreadable) log_.Line("Не читается, пропущено: " + bad);
}

Engine::~Engine() = default;

void Engine::FilesChanged()
{
    auto fresh = std::make_unique<KeyTable>(ReadKeyTable(exeDir_));
    const auto now = clock_.Now();
    while (tables_.size() > 1 && now - tables_.front().replaced > kTableLife) tables_.pop_front();
    if (*fresh == Table()) return;
    const bool serverChanged = fresh->server != Table().server;
    for (const std::string& bad : fresh->unreadable)
        if (std::find(Table().unreadable.begin(), Table().unreadable.end(), bad) == Table().unreadable.end())
            log_.Line("Не читается, пропущено: " + bad);
    tables_.back().replaced = now;
    tables_.push_back({std::move(fresh), {}});
    channel_.Publish(tables_.back().table.get());
    log_.Line(serverChanged ? "Сервер " + std::to_string(Table().server) + ": клавиши перечитаны"
                            : "Клавиши перечитаны: " + std::to_string(Table().bindings.size()));
}

std::optional<Ms> Engine::Run()
{
    Fired fired;
    while (channel_.Pop(fired)) Handle(fired);
    return Advance();
}

void Engine::Handle(const Fired& fired)
{
    switch (fired.kind) {
    case Fired::Kind::Binding:
        if (fired.table == nullptr || fired.index >= fired.table->bindings.size()) return;
        if (job_) {
            log_.Line("Пропущено: печатается «" + job_->name + "»");
            return;
        }
        Fire(*fired.table, fired.table->bindings[fired.index]);
        return;
    case Fired::Kind::Command: {
        if (fired.table == nullptr || fired.index >= fired.table->commands.size() || job_) return;
        // The line still shows the command: Esc closes it unsent.
        output_.Press(kVkEsc);
        const hotkeys::RolePlayEntry& entry =
            hotkeys::RolePlayEntries()[static_cast<size_t>(fired.table->commands[fired.index].entry)];
        const std::string path = store::RolePlayFolder(exeDir_, fired.table->server) + std::string(entry.fileName);
        log_.Line("Команда " + std::string(entry.command) + ": " + std::string(entry.fileName));
        if (auto text = ReadText(path, std::string(entry.fileName))) {
            const std::uint8_t enter = kVkEnter;
            StartText(std::string(entry.fileName), *text, &enter, 1);
            job_->nextAt = clock_.Now() + kAfterLineClosed;
        }
        return;
    }
    case Fired::Kind::Stop:
        if (!job_) return;
        if (job_->waiting != Question::None) output_.Press(kVkEsc);
        Finish("остановлено клавишей");
        return;
    case Fired::Kind::Answer:
        if (job_ && job_->waiting != Question::None) Answer(Utf8Of(fired.text, fired.length));
        return;
    case Fired::Kind::Cancelled:
        if (job_ && job_->waiting != Question::None) Finish("отменено: Esc в строке чата");
        return;
    }
}

void Engine::Fire(const KeyTable& table, const Binding& binding)
{
    const Action& action = table.actions[binding.action];
    const std::string caption = hotkeys::HotkeyCaption(action.hotkey);
    switch (action.kind) {
    case ActionKind::RolePlay: {
        std::vector<std::string> tried;
        for (int index : action.entries) {
            const hotkeys::RolePlayEntry& entry = hotkeys::RolePlayEntries()[static_cast<size_t>(index)];
            if (entry.fixation == hotkeys::Fixation::Fixed && target_.empty()) continue;
            if (entry.fixation == hotkeys::Fixation::NotFixed && !target_.empty()) continue;
            const std::string name(entry.fileName);
            const auto text = ReadText(store::RolePlayFolder(exeDir_, table.server) + name, name);
            if (text && Trimmed(*text).find_first_not_of("\r\n") != std::string::npos) {
                log_.Line(caption + " (" + action.key + "): " + name);
                StartText(name, *text, binding.keys.data(), binding.count);
                return;
            }
            tried.push_back(name);
        }
        std::string names;
        for (const std::string& n : tried) names += (names.empty() ? "" : ", ") + n;
        log_.Line(caption + " (" + action.key + "): нет текста" +
                  (names.empty() ? std::string() : " (" + names + " нет или пуст)"));
        return;
    }
    case ActionKind::Command: {
        const std::string name = action.key + ".lcb";
        const std::string path = store::CommandsFolder(store::RolePlayFolder(exeDir_, table.server)) + name;
        log_.Line(caption + ": команда «" + action.key + "»");
        if (auto text = ReadText(path, name)) StartText(name, *text, binding.keys.data(), binding.count);
        return;
    }
    case ActionKind::Stop:
        return;  // nothing is typed
    case ActionKind::FixTarget:
        log_.Line(caption + ": фиксация игрока вручную");
        StartText("фиксация", "", binding.keys.data(), binding.count);
        job_->fix = true;
        return;
    case ActionKind::ForgetTarget:
        log_.Line(caption + ": " + (target_.empty() ? "фиксации не было" : "фиксация игрока " + target_ + " сброшена"));
        target_.clear();
        return;
    case ActionKind::TypeTime:
        log_.Line(caption + ": /time");
        StartText("/time", "/time", binding.keys.data(), binding.count);
        return;
    case ActionKind::Screenshot:
        log_.Line(caption + ": скриншот");
        StartText("скриншот", "{скриншот}", binding.keys.data(), binding.count);
        return;
    }
}

std::optional<std::string> Engine::ReadText(const std::string& path, const std::string& name)
{
    try {
        auto text = store::ReadTextFile(path);
        if (!text) log_.Line("Нет файла " + name);
        return text;
    } catch (const std::exception& e) {
        log_.Line(std::string("Не читается ") + name + ": " + e.what());
        return std::nullopt;
    }
}

void Engine::StartText(std::string name, std::string text, const std::uint8_t* keys, int keyCount, unsigned extraAsks)
{
    auto job = std::make_unique<Job>();
    job->name = std::move(name);
    job->script = text::ParseScript(text);
    if (job->script.capped) log_.Line("«" + job->name + "»: слишком длинный текст, напечатано будет не больше " +
                                      std::to_string(text::kMaxSteps) + " строк");
    job->values = ReadValues();
    job->asks = (job->script.asks | extraAsks) &
                ~((target_.empty() ? 0u : text::kAskTarget) | (ownId_.empty() ? 0u : text::kAskOwnId));
    for (int i = 0; i < keyCount && i < 3; ++i) job->keys[static_cast<size_t>(i)] = keys[i];
    job->keyCount = std::min(keyCount, 3);
    job->started = job->nextAt = clock_.Now();
    // Two texts one after the other keep the pause between them too.
    if (lastMessage_) job->nextAt = std::max(job->nextAt, *lastMessage_ + Ms(Table().pauseMs));
    job->modifiersBy = job->started + kModifierWait;
    job_ = std::move(job);
    channel_.SetMode(Mode::Typing);
}

text::Values Engine::ReadValues()
{
    using namespace companion;
    const store::IniFile settings(store::SettingsFilePath(exeDir_));
    const auto read = [&](const Setting& s) { return settings.ReadString(s.section, s.key, s.fallback); };
    text::Values v;
    const store::RegistryView registry;
    v.profile.nick = settings.ReadString(kGlobalSection, kNickKey, registry.ReadString("SAMP", "PlayerName", "Нет ника"));
    v.profile.rank = read(kRank);
    v.profile.department = read(kDepartment);
    v.profile.tag = read(kCallSign);
    v.profile.extraTag = read(kExtraTag);
    v.profile.badge = read(kBadge);
    v.profile.female = read(kGender) == kFemale;
    v.target = target_;
    v.ownId = ownId_;
    return v;
}

bool Engine::ModifierDown()
{
    return std::any_of(std::begin(kModifiers), std::end(kModifiers), [this](std::uint8_t vk) { return output_.IsDown(vk); });
}

bool Engine::Ask(Question question, const std::string& prompt)
{
    channel_.SetMode(Mode::Asking);
    if (!output_.Type(Table().chatKey, store::Utf8ToCp1251(prompt + ": "), false)) {
        Finish("окно игры не впереди, вопрос не задан");
        return false;
    }
    job_->waiting = question;
    job_->answerBy = clock_.Now() + kAnswerWait;
    log_.Line("Вопрос в строке чата: " + prompt);
    return true;
}

void Engine::Answer(std::string answer)
{
    Job& job = *job_;
    const Question question = job.waiting;
    job.waiting = Question::None;
    // The question stays unsent: Esc clears the line.
    output_.Press(kVkEsc);
    channel_.SetMode(Mode::Typing);
    job.nextAt = clock_.Now() + kAfterLineClosed;
    const std::string value = Trimmed(answer);
    switch (question) {
    case Question::Target:
    case Question::Fix:
        if (!IsPlayerId(value)) {
            Finish("«" + value + "» не ID игрока");
            return;
        }
        target_ = job.values.target = value;
        log_.Line("Зафиксирован игрок " + value);
        if (question == Question::Fix) Finish("готово");
        return;
    case Question::OwnId:
        if (!IsPlayerId(value)) {
            Finish("«" + value + "» не ID");
            return;
        }
        ownId_ = job.values.ownId = value;
        return;
    case Question::Place:
        job.values.place = value;
        return;
    case Question::Input:
        job.values.input = answer;
        return;
    case Question::None:
        return;
    }
}

void Engine::Finish(const std::string& why)
{
    if (job_) log_.Line("«" + job_->name + "»: " + why);
    job_.reset();
    channel_.SetMode(Mode::Idle);
}

std::optional<Ms> Engine::Advance()
{
    while (job_) {
        Job& job = *job_;
        const auto now = clock_.Now();
        if (!job.released) {
            const bool keysUp = std::none_of(job.keys.begin(), job.keys.begin() + job.keyCount,
                                             [this](std::uint8_t vk) { return output_.IsDown(vk); });
            const bool modifier = ModifierDown();
            if ((keysUp || now - job.started >= kReleaseWait) && !modifier) {
                job.released = true;
            } else if (now >= job.modifiersBy) {
                Finish("отказ: Shift, Ctrl, Alt или Win так и не отпущены");
                continue;
            } else {
                return kPoll;
            }
        }
        if (job.waiting != Question::None) {
            if (now < job.answerBy) return Until(now, job.answerBy);
            output_.Press(kVkEsc);
            Finish("ответа нет, текст отменён");
            continue;
        }
        if (job.piece == job.pieces.size() && !job.fix && job.asks == 0 && job.next >= job.script.steps.size()) {
            std::string done = job.typed > 0 ? "напечатано сообщений: " + std::to_string(job.typed) : "готово";
            if (job.script.capped) done += "; текст длиннее " + std::to_string(text::kMaxSteps) + " строк, остальное пропущено";
            Finish(done);
            continue;
        }
        if (now < job.nextAt) return Until(now, job.nextAt);

        if (job.piece < job.pieces.size()) {
            if (ModifierDown()) {
                if (now >= job.modifiersBy) Finish("отказ: Shift, Ctrl, Alt или Win не отпущены");
                else return kPoll;
                continue;
            }
            const bool last = job.piece + 1 == job.pieces.size();
            const bool send = !(job.leaveOpen && last);
            const std::string& message = job.pieces[job.piece];
            if (!output_.GameInFront() || !output_.Type(Table().chatKey, store::Utf8ToCp1251(message), send)) {
                Finish("окно игры не впереди, текст остановлен");
                continue;
            }
            log_.Line((send ? "Напечатано: " : "Оставлено в строке чата: ") + message);
            ++job.piece;
            ++job.typed;
            // The pause runs from the message's arrival, not from when typing began.
            const auto sent = clock_.Now();
            lastMessage_ = sent;
            job.nextAt = sent + Ms(Table().pauseMs);
            job.modifiersBy = sent + kModifierWait;
            if (!send) {
                channel_.ChatLeftOpen();
                Finish("дописать игроку");
            } else if (job.typed >= kMaxMessages && (job.piece < job.pieces.size() || job.next < job.script.steps.size())) {
                Finish("напечатано " + std::to_string(kMaxMessages) + " сообщений, остальное пропущено");
            }
            continue;
        }
        if (job.fix) {
            job.fix = false;
            Ask(Question::Fix, Prompt(Question::Fix));
            continue;
        }
        if (job.asks != 0) {
            const unsigned ask = job.asks & -job.asks;  // the lowest: target, own ID, place
            job.asks &= ~ask;
            const Question q = ask == text::kAskTarget ? Question::Target : ask == text::kAskOwnId ? Question::OwnId
                                                                                                   : Question::Place;
            Ask(q, Prompt(q));
            continue;
        }
        const text::Step& step = job.script.steps[job.next++];
        switch (step.kind) {
        case text::StepKind::Message: {
            const std::tm t = clock_.Local();
            job.values.time = TwoDigits(t.tm_hour) + ":" + TwoDigits(t.tm_min);
            job.values.date = TwoDigits(t.tm_mday) + "." + TwoDigits(t.tm_mon + 1) + "." + std::to_string(t.tm_year + 1900);
            const text::FilledLine filled = text::FillLine(step.body, job.values);
            job.pieces = text::MessagesOf(filled.text, text::ChatMeter(job.values.profile.nick));
            job.piece = 0;
            job.leaveOpen = step.leaveOpen;
            if (job.pieces.empty() && step.leaveOpen) job.pieces.push_back("");
            break;
        }
        case text::StepKind::Pause:
            // Instead of the pause after the last message, not on top of it.
            job.nextAt = (lastMessage_ && job.typed > 0 ? *lastMessage_ : now) + Ms(step.pauseMs);
            break;
        case text::StepKind::Question:
            Ask(Question::Input, step.body);
            break;
        case text::StepKind::Screenshot:
            if (!output_.GameInFront() || !output_.Press(kVkF8)) {
                Finish("окно игры не впереди, скриншот не сделан");
                break;
            }
            log_.Line("Скриншот (F8)");
            break;
        }
    }
    return std::nullopt;
}

}  // namespace binder
