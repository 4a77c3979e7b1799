#pragma once
// Quorvel.log beside the binder: the last few hundred lines of what fired,
// what was typed and what was refused and why, so a player can see why a key
// did nothing. UTF-8 with a byte-order mark and CR LF (Notepad reads it),
// rewritten whole on every line, so the file is never half written.

#include <deque>
#include <string>
#include <string_view>

namespace binder {

class Log {
public:
    static constexpr size_t kKeep = 300;

    // `path` empty: no file. `echo`: every line on stdout too.
    explicit Log(std::string path, bool echo = false);

    void Line(std::string_view utf8);
    const std::deque<std::string>& Lines() const { return lines_; }

private:
    std::string path_;
    bool echo_;
    bool failed_ = false;  // the file could not be written; said once
    std::deque<std::string> lines_;
};

}  // namespace binder
