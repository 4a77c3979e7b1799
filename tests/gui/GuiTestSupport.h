#pragma once
// A whole panel over a scratch program folder, for the GUI tests: the eight
// windows as a run creates them, prompts recorded instead of shown, the
// registry read from a Wine prefix inside the folder.

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "app/Application.h"
#include "app/SplashWindow.h"
#include "core/TestSupport.h"
#include "dialogs/CallSignDialog.h"
#include "dialogs/DepartmentDialog.h"
#include "dialogs/EmptyWindow.h"
#include "dialogs/HotkeyPicker.h"
#include "dialogs/LargeTextEditor.h"
#include "dialogs/RankDialog.h"
#include "guibase/Prompts.h"
#include "mainwindow/HomePage.h"
#include "mainwindow/MainWindow.h"
#include "session/Session.h"
#include "session/CompanionMonitor.h"
#include "session/SyncHandshake.h"
#include "widgets/Label.h"

namespace guitest {

// A program folder as it comes with the program: the per-server folders, no files.
class ProgramFolder {
public:
    ProgramFolder();
    const std::string& Path() const { return dir_.Path(); }
    // Written with "/", given with the system's separator, as the panel builds paths.
    std::string File(const std::string& relative) const { return testsupport::NativeSeparators(dir_.Path() + relative); }
    std::string SettingsPath() const { return File("Setting.ini"); }
    std::string RolePlayFolder(int server) const;  // with trailing separator
    std::string CommandsFolder(int server) const;  // with trailing separator
    std::string KeyFile(int server) const;

    // Writes Setting.ini from UTF-8 text (stored as 1251, as the panel keeps it).
    void WriteSettings(const std::string& utf8) const;
    // Writes the Wine registry file the panel reads the game client's nick from.
    void WriteUserReg(const std::string& utf8) const;

private:
    testsupport::TempDir dir_;
};

// Reads a file of the program folder as UTF-8 text.
std::string ReadUtf8(const std::string& path);

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Session& S() { return app_->GetSession(); }
    MainWindow& Main() { return *app_->Main(); }
    // The run's one window of that class.
    template <class W>
    W* Dialog()
    {
        for (QWidget* w : app_->Windows())
            if (auto* found = qobject_cast<W*>(w)) return found;
        return nullptr;
    }
    // The main window's control (or any window's) by its object name.
    template <class T = Label>
    T* Find(const QString& name)
    {
        T* found = FindIn<T>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QString Text(const QString& labelName);
    // The ten splash ticks: the main window is shown and its first-show
    // sequence runs.
    void FinishSplash();
    // [section] key of Setting.ini as the panel reads it; "<none>" when absent.
    std::string Stored(const char* section, const char* key);
    QStringList Messages() { return prompts::RecordedTexts(prompts::Kind::Message); }
    QStringList Errors() { return prompts::RecordedTexts(prompts::Kind::Error); }

    ProgramFolder folder_;
    std::unique_ptr<Application> app_;

private:
    template <class T>
    T* FindIn(const QString& name)
    {
        // The main window first: the splash and the picker have an Image1 and a Label1 too.
        QList<QWidget*> windows = app_->Windows();
        windows.move(windows.indexOf(app_->Main()), 0);
        for (QWidget* form : windows) {
            if (form->objectName() == name) {
                if (T* t = qobject_cast<T*>(form)) return t;
            }
            if (T* t = form->findChild<T*>(name)) return t;
        }
        return nullptr;
    }
    QByteArray oldWinePrefix_;
};

}  // namespace guitest
