#pragma once
// The panel's reload request: it writes [quorvel] од = 1 to Setting.ini; the
// binder, having read its files again, writes the badge to [global] жетон and
// then од = 0.

#include <string>

namespace binder {

class Log;

// Answers a waiting request; true when one was answered. A write the file
// system refuses is logged once until a later answer succeeds.
bool AnswerReload(const std::string& exeDir, Log& log);

}  // namespace binder
