#pragma once
// Where everything lives: plain concatenation onto the program's folder, with
// the platform's separator. Nothing here touches the disk except ExeDir.

#include <string>

namespace store {

// The folder of the running executable, with a trailing separator.
std::string ExeDir();

std::string SettingsFilePath(const std::string& exeDir);
// The setup's names are in store/SetupLayout.h.

// exe dir + "отыгровки" + sep + "rp<N>" + sep
std::string RolePlayFolder(const std::string& exeDir, int server);
// role-play folder + "команды" + sep
std::string CommandsFolder(const std::string& rolePlayFolder);
// exe dir + "date" + sep + "rp<N>" + sep
std::string DataFolder(const std::string& exeDir, int server);
// data folder + "keycomand.ini"
std::string KeyFilePath(const std::string& exeDir, int server);
// data folder + "статьи" + sep
std::string ArticlesFolder(const std::string& exeDir, int server);

}  // namespace store
