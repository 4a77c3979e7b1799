// Start-up, splash hand-over, the side menu and the tray of the main window.

#include <QAction>
#include <QTimer>

#include "GuiTestSupport.h"
#include "widgets/RxSwitch.h"

namespace {

using guitest::PanelTest;

class Shell : public PanelTest {};

TEST_F(Shell, CreatesTheEightWindowsHiddenInTheirOrder)
{
    EXPECT_EQ(app_->CreationOrder(), QStringList({"TForm3", "TForm1", "TForm2", "TForm4", "TForm5", "TForm6",
                                                  "TForm7", "TForm8"}));
    const Forms& f = S().forms;
    for (QWidget* w : std::initializer_list<QWidget*>{f.Form3, f.Form1, f.Form2, f.Form4, f.Form5, f.Form6,
                                                      f.Form7, f.Form8})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(S().SelectedMenu, 3);
    EXPECT_EQ(S().RpMode, "not");
    EXPECT_TRUE(S().SettingsIni && S().RegIni);
    EXPECT_FALSE(S().KeyIni);
}

}  // namespace
