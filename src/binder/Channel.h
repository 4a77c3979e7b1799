#pragma once
// Between the input hook's thread and the engine's: the hook reads the key
// table and the engine's mode and queues what fired; the engine publishes
// tables and its mode. Lock-free both ways, so the hook never waits.

#include <array>
#include <atomic>
#include <cstdint>

#include "binder/KeyTable.h"

namespace binder {

enum class Mode : std::uint8_t {
    Idle,    // hotkeys fire
    Typing,  // a text is being typed: only the stop key fires
    Asking,  // a question waits in the chat line: the player's keys are the answer
};

struct Fired {
    enum class Kind : std::uint8_t {
        Binding,    // `index`: a binding of the table the hook used
        Stop,       // the stop key while typing or asking
        Command,    // `index`: a chat command of that table the player sent
        Answer,     // the player's answer, `text` of `length` characters
        Cancelled,  // the player closed the question with Esc
    };
    Kind kind = Kind::Binding;
    std::uint16_t index = 0;
    const KeyTable* table = nullptr;  // the table `index` is of
    std::uint8_t length = 0;
    std::array<char32_t, 128> text{};
};

class Channel {
public:
    // `wake` is called on the hook's thread after each event queued: it must
    // only signal (an event object), never wait.
    explicit Channel(void (*wake)(void*) = nullptr, void* context = nullptr) : wake_(wake), context_(context) {}

    // The engine's side.
    void Publish(const KeyTable* table) { table_.store(table, std::memory_order_release); }
    void SetMode(Mode mode) { mode_.store(mode, std::memory_order_release); }
    // The binder typed into the chat line and left it open for the player.
    void ChatLeftOpen() { chatLeftOpen_.store(true, std::memory_order_release); }
    bool Pop(Fired& out)
    {
        const std::uint32_t tail = tail_.load(std::memory_order_relaxed);
        if (tail == head_.load(std::memory_order_acquire)) return false;
        out = ring_[tail % kSize];
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // The hook's side.
    const KeyTable* Table() const { return table_.load(std::memory_order_acquire); }
    Mode CurrentMode() const { return mode_.load(std::memory_order_acquire); }
    bool TakeChatLeftOpen() { return chatLeftOpen_.exchange(false, std::memory_order_acq_rel); }
    void Push(const Fired& fired)
    {
        const std::uint32_t head = head_.load(std::memory_order_relaxed);
        // An engine a whole ring behind loses the newest: the hook never waits.
        if (head - tail_.load(std::memory_order_acquire) >= kSize) return;
        ring_[head % kSize] = fired;
        head_.store(head + 1, std::memory_order_release);
        if (wake_) wake_(context_);
    }

private:
    static constexpr std::uint32_t kSize = 32;

    void (*wake_)(void*);
    void* context_;
    std::atomic<const KeyTable*> table_{nullptr};
    std::atomic<Mode> mode_{Mode::Idle};
    std::atomic<bool> chatLeftOpen_{false};
    std::array<Fired, kSize> ring_{};
    std::atomic<std::uint32_t> head_{0};
    std::atomic<std::uint32_t> tail_{0};
};

}  // namespace binder
