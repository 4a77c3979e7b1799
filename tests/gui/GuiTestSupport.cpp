#include "GuiTestSupport.h"

#include "mainwindow/SetupTransfer.h"

#include "store/Cp1251.h"
#include "store/IniFile.h"

namespace guitest {

ProgramFolder::ProgramFolder()
{
    for (int server = 1; server <= 4; ++server) {
        std::filesystem::create_directories(testsupport::U8Path(CommandsFolder(server)));
        std::filesystem::create_directories(testsupport::U8Path(File("date/rp" + std::to_string(server))));
    }
}

std::string ProgramFolder::RolePlayFolder(int server) const
{
    return File("отыгровки/rp" + std::to_string(server) + "/");
}

std::string ProgramFolder::CommandsFolder(int server) const
{
    return RolePlayFolder(server) + "команды/";
}

std::string ProgramFolder::KeyFile(int server) const
{
    return File("date/rp" + std::to_string(server) + "/keycomand.ini");
}

void ProgramFolder::WriteSettings(const std::string& utf8) const
{
    testsupport::WriteBytes(SettingsPath(), store::Utf8ToCp1251(utf8));
}

void ProgramFolder::WriteUserReg(const std::string& utf8) const
{
    std::filesystem::create_directories(testsupport::U8Path(File("wine")));
    testsupport::WriteBytes(File("wine/user.reg"), utf8);
}

std::string ReadUtf8(const std::string& path)
{
    return store::Cp1251ToUtf8(testsupport::ReadBytes(path));
}

void PanelTest::SetUp()
{
    prompts::StartRecording();
    // The registry view reads Wine's user.reg of this prefix: none unless a test writes it.
    oldWinePrefix_ = qgetenv("WINEPREFIX");
    qputenv("WINEPREFIX", QByteArray::fromStdString(folder_.File("wine")));
    app_ = std::make_unique<Application>(folder_.Path());
    app_->BuildWindows();
}

void PanelTest::TearDown()
{
    app_.reset();
    prompts::StopRecording();
    if (oldWinePrefix_.isEmpty()) qunsetenv("WINEPREFIX");
    else qputenv("WINEPREFIX", oldWinePrefix_);
}

QString PanelTest::Text(const QString& labelName)
{
    Label* label = Find<Label>(labelName);
    return label ? label->text() : QStringLiteral("<no label>");
}

void PanelTest::FinishSplash()
{
    for (int tick = 0; tick < 10; ++tick) app_->Splash()->Tick();
    Main().Transfer()->WaitForSnapshot();  // the start's snapshot is on disk, as a test expects
}

std::string PanelTest::Stored(const char* section, const char* key)
{
    return store::IniFile(folder_.SettingsPath()).ReadString(section, key, "<none>");
}

}  // namespace guitest
