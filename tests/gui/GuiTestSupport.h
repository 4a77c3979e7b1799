#pragma once
// A whole panel over a scratch program folder, for the GUI tests: the eight
// windows as a run creates them, prompts recorded instead of shown, the
// registry read from a Wine prefix inside the folder.

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "GuiGeneral/SharedState.h"
#include "GuiGeneral/TForm1.h"
#include "app/TForm3.h"
#include "dialogs/TForm2.h"
#include "dialogs/TForm4.h"
#include "dialogs/TForm5.h"
#include "dialogs/TForm6.h"
#include "dialogs/TForm7.h"
#include "dialogs/TForm8.h"
#include "widgets/Label.h"
#include "app/Application.h"
#include "guibase/Prompts.h"
#include "core/TestSupport.h"

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

    SharedState& S() { return app_->State(); }
    TForm1& F1() { return *S().forms.Form1; }
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
        const Forms& f = S().forms;
        for (QWidget* form : {static_cast<QWidget*>(f.Form1), static_cast<QWidget*>(f.Form3),
                              static_cast<QWidget*>(f.Form2), static_cast<QWidget*>(f.Form4),
                              static_cast<QWidget*>(f.Form5), static_cast<QWidget*>(f.Form6),
                              static_cast<QWidget*>(f.Form7), static_cast<QWidget*>(f.Form8)}) {
            if (form == nullptr) continue;
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
