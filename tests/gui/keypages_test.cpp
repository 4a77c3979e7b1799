// The key settings page: its four key pages, what they read, and the picker
// they open.

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <set>
#include <QTimer>

#include "mainwindow/KeysPage.h"
#include "GuiTestSupport.h"
#include "widgets/HookSwitch.h"
#include "hotkeys/BinderKeys.h"
#include "hotkeys/HotkeyString.h"
#include "widgets/KeyShape.h"

namespace {

using guitest::PanelTest;

QString Q(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

void PressOn(QWidget* widget, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

class KeyPages : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        FinishSplash();
    }
    KeysPage* Keys() { return Main().Keys(); }
    void OpenFromMenu()
    {
        Main().OpenPage(MenuItem::Keys);
    }
    int VisibleKeyPage()
    {
        int visible = 0;
        for (int n = 1; n <= 4; ++n)
            if (Keys()->KeyPage(n)->isVisibleTo(Keys())) visible = visible ? -1 : n;
        return visible;
    }
    // Presses a key image; `inPicker` runs while the picker is open and
    // must close it.
    void PressImage(const QString& image, std::function<void(HotkeyPicker&)> inPicker)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* picker = qobject_cast<HotkeyPicker*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            ran = true;
            inPicker(*picker);
            if (picker->isVisible()) picker->reject();
        });
        PressOn(Find(image));
        EXPECT_TRUE(ran) << "the picker did not open";
    }
    static void PressKey(HotkeyPicker& picker, const char* token) { PressOn(picker.Shape(QString::fromLatin1(token))); }
    static void Button(HotkeyPicker& picker, const char* name) { picker.findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
};

TEST_F(KeyPages, TheMenuOpensPageOneWithDefaultsAndWritesNothing)
{
    OpenFromMenu();
    EXPECT_TRUE(Main().PageOf(PagePanel::Keys)->isVisible());
    EXPECT_EQ(VisibleKeyPage(), 1);
    EXPECT_EQ(Text(QStringLiteral("PK1_1")), "ПКМ+F1");
    EXPECT_EQ(Text(QStringLiteral("Label72")), "Прочие клавиши используемые в биндере:");
    EXPECT_FALSE(std::filesystem::exists(testsupport::U8Path(folder_.SettingsPath())));
}

TEST_F(KeyPages, EveryRowShowsItsActionDefaultAndImage)
{
    for (int n = 1; n <= 4; ++n) {
        Keys()->ShowKeyPage(n);
        EXPECT_EQ(VisibleKeyPage(), n);
    }
    std::set<QString> hints;
    for (const hotkeys::BinderKey& key : hotkeys::BinderKeys()) {
        // Other pages keep what their last showing read.
        QWidget* page = Keys()->KeyPage(key.page);
        auto* image = page->findChild<Label*>(QStringLiteral("Key") + Q(key.iniKey.substr(3)));
        ASSERT_TRUE(image) << key.iniKey;
        auto* keyLabel = page->findChild<Label*>(image->Hint());
        ASSERT_TRUE(keyLabel) << key.iniKey;
        EXPECT_EQ(keyLabel->text().toStdString(), hotkeys::HotkeyCaption(key.defaultHotkey)) << key.iniKey;
        EXPECT_EQ(image->HelpKeyword().toStdString(), key.defaultHotkey);
        EXPECT_EQ(image->geometry(), QRect(407, keyLabel->y() - 4, 43, 21));
        EXPECT_EQ(keyLabel->geometry().topLeft().x(), 240);
        const auto labels = page->findChildren<Label*>();
        const bool actionOnRow = std::ranges::any_of(labels, [&](Label* l) {
            return l->x() == 5 && l->y() == keyLabel->y() && l->text() == Q(key.caption);
        });
        EXPECT_TRUE(actionOnRow) << key.iniKey;
        EXPECT_TRUE(hints.insert(image->Hint()).second) << image->Hint().toStdString();
    }
    // Spot checks of the layout's names.
    for (const auto& [image, label] : {std::pair{"Key37", "PK1_1"}, {"Key41", "Label88"}, {"Key49", "Label168"}})
        EXPECT_EQ(Find(QString::fromLatin1(image))->Hint(), label);
    EXPECT_FALSE(std::filesystem::exists(testsupport::U8Path(folder_.SettingsPath())));
}

TEST_F(KeyPages, PageButtonsShowTheirPages)
{
    const struct {
        const char* name;
        const char* caption;
        int page;
        int x;
        int shows;
    } buttons[] = {
        {"Label101", "2     >>>", 1, 193, 2}, {"Label131", "<<<     1", 2, 153, 1}, {"Label130", "3     >>>", 2, 225, 3},
        {"Label161", "<<<     2", 3, 153, 2}, {"Label87", "4    >>>", 3, 225, 4},  {"Label189", "<<<     3", 4, 193, 3},
    };
    OpenFromMenu();
    for (const auto& b : buttons) {
        Keys()->ShowKeyPage(b.page);
        Label* button = Find(QString::fromLatin1(b.name));
        EXPECT_EQ(button->parentWidget(), Keys()->KeyPage(b.page));
        EXPECT_EQ(button->text().toStdString(), b.caption);
        EXPECT_EQ(button->geometry(), QRect(b.x, 346, 53, 17));
        PressOn(button, Qt::RightButton);
        EXPECT_EQ(VisibleKeyPage(), b.shows) << b.name;
    }
    Keys()->ShowKeyPage(1);
    PressOn(Find(QStringLiteral("Label101")));
    EXPECT_EQ(Text(QStringLiteral("Label114")), "Alt+T");
}

TEST_F(KeyPages, ComingBackToAPageReadsItAgain)
{
    OpenFromMenu();
    PressOn(Find(QStringLiteral("Label101")));
    folder_.WriteSettings("[hotkeys]\r\nkey31=VK70\r\nkey37=VK71\r\n");
    EXPECT_EQ(Text(QStringLiteral("Label114")), "Alt+T");
    PressOn(Find(QStringLiteral("Label130")));
    PressOn(Find(QStringLiteral("Label161")));
    EXPECT_EQ(Text(QStringLiteral("Label114")), "F1");
    EXPECT_EQ(Text(QStringLiteral("PK1_1")), "ПКМ+F1");  // page 1 was not shown again

    OpenFromMenu();  // the menu always opens page 1, freshly read
    EXPECT_EQ(VisibleKeyPage(), 1);
    EXPECT_EQ(Text(QStringLiteral("PK1_1")), "F2");
}

TEST_F(KeyPages, SavingRowTwoOfPageTwoUpdatesThatRowAtOnceAndNoOther)
{
    OpenFromMenu();
    PressOn(Find(QStringLiteral("Label101")));
    folder_.WriteSettings("[hotkeys]\r\nkey31=VK70\r\n");  // not re-read by the save
    PressImage(QStringLiteral("Key10"), [](HotkeyPicker& picker) {
        EXPECT_EQ(picker.Selection(), QStringList{"VK7B"});  // F12, the default
        PressKey(picker, "VK7B");
        PressKey(picker, "VK11");
        PressKey(picker, "VK7B");
        Button(picker, "Button2");
    });
    EXPECT_EQ(Stored("hotkeys", "key10"), "VK11 & VK7B");
    EXPECT_EQ(Text(QStringLiteral("Label113")), "Ctrl+F12");
    EXPECT_EQ(Find(QStringLiteral("Key10"))->HelpKeyword(), "VK11 & VK7B");
    EXPECT_EQ(Text(QStringLiteral("Label114")), "Alt+T");
}

TEST_F(KeyPages, ASwitchedOffRowOpensThePickerWithNothingMarkedAndHookAsItWas)
{
    Keys()->ShowKeyPage(3);
    PressImage(QStringLiteral("Key46"), [](HotkeyPicker& picker) {
        EXPECT_FALSE(picker.HookOn());  // "~VK02 & VK04"
        Button(picker, "Button3");
    });
    // Stored under the image's name (a new entry keeps that spelling); like
    // every value the blank reads back trimmed, as "".
    EXPECT_EQ(guitest::ReadUtf8(folder_.SettingsPath()), "[hotkeys]\r\nKey46= \r\n");
    EXPECT_EQ(Text(QStringLiteral("Label139")), "None");
    Keys()->ShowKeyPage(3);
    EXPECT_EQ(Text(QStringLiteral("Label139")), "None");
    PressImage(QStringLiteral("Key46"), [](HotkeyPicker& picker) {
        EXPECT_TRUE(picker.Selection().isEmpty());
        EXPECT_EQ(picker.findChild<QLabel*>(QStringLiteral("Label1"))->text(), "");
        for (KeyShape* shape : picker.Shapes()) EXPECT_EQ(shape->CurrentBrush(), KeyShape::Brush::Clear);
        EXPECT_FALSE(picker.HookOn());  // left as the last job set it
    });
    EXPECT_EQ(guitest::ReadUtf8(folder_.SettingsPath()), "[hotkeys]\r\nKey46= \r\n");
}

TEST_F(KeyPages, AnUnknownTokenShowsRawMarksNothingAndStaysUnlessSaved)
{
    folder_.WriteSettings("[hotkeys]\r\nkey37=VKZZ & VK70\r\n");
    OpenFromMenu();
    EXPECT_EQ(Text(QStringLiteral("PK1_1")), "VKZZ+F1");
    PressImage(QStringLiteral("Key37"), [](HotkeyPicker& picker) {
        EXPECT_EQ(picker.Selection(), QStringList{"VK70"});
        picker.close();
    });
    EXPECT_EQ(guitest::ReadUtf8(folder_.SettingsPath()), "[hotkeys]\r\nkey37=VKZZ & VK70\r\n");
    EXPECT_EQ(Text(QStringLiteral("PK1_1")), "VKZZ+F1");
}

TEST_F(KeyPages, KeylessImagesAndKeyLabelsDoNothing)
{
    OpenFromMenu();
    Keys()->ShowKeyPage(4);
    for (int n = 52; n <= 59; ++n) {
        Label* image = Find(QStringLiteral("Image%1").arg(n));
        EXPECT_TRUE(image->Hint().isEmpty());
        PressOn(image);  // a picker opened here would block the test
    }
    EXPECT_EQ(Text(QStringLiteral("Label188")), "Клавиша");

    // PK1_1 is a plain key label: no home-menu look, no page switch.
    Keys()->ShowKeyPage(1);
    Label* pk = Find(QStringLiteral("PK1_1"));
    PressOn(pk);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(pk, &enter);
    EXPECT_TRUE(Main().PageOf(PagePanel::Keys)->isVisible());
    EXPECT_EQ(Main().SelectedMenu(), 6);
    EXPECT_EQ(Main().MenuBitmapName(MenuItem::Home), "HM1");
}

}  // namespace
