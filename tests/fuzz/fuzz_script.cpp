// libFuzzer target for the language of a role-play text: any file a hotkey
// finds must parse, fill and split into messages the chat can take.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "store/Cp1251.h"
#include "text/Script.h"

namespace {

void Check(bool ok)
{
    if (!ok) std::abort();
}

void CheckSpans(const std::vector<text::Span>& spans, int length)
{
    for (const text::Span& s : spans) Check(s.start >= 0 && s.length > 0 && s.start + s.length <= length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const text::Script script = text::ParseScript(input);
    Check(script.steps.size() <= static_cast<size_t>(text::kMaxSteps));

    // Values holding braces too: a filled value is never parsed again.
    const text::Values values{{"Ivan_Petrov", "Сержант", "ГИБДД", "{ник}", "null", "4521", size % 2 == 1},
                              "17", "5", "улица {цель|}", std::string(input.substr(0, 40)), "12:05", "01.02.2024"};
    const text::ChatMeter meter(values.profile.nick);
    unsigned asks = text::kAskNone;
    for (size_t i = 0; i < script.steps.size(); ++i) {
        const text::Step& step = script.steps[i];
        Check(!step.leaveOpen || i + 1 == script.steps.size());
        if (step.kind == text::StepKind::Pause)
            Check(step.pauseMs >= text::kMinPauseMs && step.pauseMs <= text::kMaxPauseMs);
        if (step.kind != text::StepKind::Message) continue;
        asks |= step.asks;

        const text::FilledLine filled = text::FillLine(step.body, values);
        CheckSpans(filled.values, text::CharacterCount(filled.text));
        CheckSpans(filled.unknown, text::CharacterCount(filled.text));
        for (const std::string& message : text::MessagesOf(filled.text, meter)) {
            // Valid UTF-8 of 1251 characters only: a round trip keeps it.
            Check(!message.empty() && store::Cp1251ToUtf8(store::Utf8ToCp1251(message)) == message);
            // A leading command too long to repeat leaves no room: such a line is typed whole.
            if (text::CharacterCount(text::LeadingCommand(message)) < text::kInputLimit)
                Check(!meter.Check(message).Over());
        }
    }
    Check(asks == script.asks);
    return 0;
}
