#include "app/CommandLine.h"

#include "backup/Apply.h"
#include "backup/Journal.h"
#include "backup/Snapshots.h"
#include "guibase/Clock.h"
#include "guibase/Platform.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Usage()
{
    platform::PrintLine("Использование:\n  QuorvelPanel --export <файл.zip>\n"
                        "  QuorvelPanel --import <файл.zip> [--merge|--replace]",
                        true);
    return kUsage;
}

int Export(const std::string& exeDir, const std::string& zip)
{
    const backup::Archive a = backup::Collect(exeDir, {}, clock_text::Human());
    backup::WriteArchive(zip, a);
    platform::PrintLine("Настройки (" + std::to_string(a.files.size()) + " файлов) сохранены в " + zip, false);
    return 0;
}

int Import(const std::string& exeDir, const std::string& zip, backup::Mode mode)
{
    const backup::Archive a = backup::ReadArchive(zip);
    const backup::Plan plan = backup::MakePlan(exeDir, a, mode);
    if (plan.changes.empty()) {
        platform::PrintLine("Ничего не изменилось: настройки уже такие, как в архиве.", false);
        return 0;
    }
    // What was there before can always be had back.
    const auto snapshot =
        backup::WriteSnapshot(exeDir, backup::Collect(exeDir, {}, clock_text::Human()), clock_text::FileStamp());
    backup::ApplyPlan(exeDir, plan);
    int added = 0, replaced = 0, removed = 0;
    for (const auto& c : plan.changes) {
        if (c.kind == backup::FileChange::Kind::Added) ++added;
        if (c.kind == backup::FileChange::Kind::Replaced) ++replaced;
        if (c.kind == backup::FileChange::Kind::Removed) ++removed;
    }
    platform::PrintLine("Импортировано: новых " + std::to_string(added) + ", заменено " + std::to_string(replaced) +
                            ", удалено " + std::to_string(removed) + ".",
                        false);
    if (snapshot) platform::PrintLine("Прежние настройки сохранены в " + *snapshot, false);
    return 0;
}

}  // namespace

std::optional<int> RunCommandLine(const std::string& exeDir, const std::vector<std::string>& args)
{
    if (args.size() < 2 || (args[1] != "--export" && args[1] != "--import")) return std::nullopt;
    const bool exporting = args[1] == "--export";
    if (args.size() < 3 || args.size() > (exporting ? 3u : 4u)) return Usage();
    backup::Mode mode = backup::Mode::Merge;
    if (args.size() == 4) {
        if (args[3] == "--replace") mode = backup::Mode::Replace;
        else if (args[3] != "--merge") return Usage();
    }
    try {
        // An import a crash cut short is undone before anything reads the setup.
        const backup::Recovery recovery = backup::RecoverInterrupted(exeDir);
        if (const std::string message = recovery.Message(); !message.empty()) platform::PrintLine(message, true);
        if (recovery.damaged || !recovery.stuck.empty()) return kFailed;
        return exporting ? Export(exeDir, args[2]) : Import(exeDir, args[2], mode);
    } catch (const std::exception& e) {
        platform::PrintLine(std::string("Ошибка: ") + e.what(), true);
        return kFailed;
    }
}
