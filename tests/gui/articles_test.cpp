// The article page: its layout and the hover highlight of its text buttons;
// nothing on it reads or writes a file.

#include <QListWidget>
#include <QSpinBox>
#include <filesystem>

#include "EditorTestSupport.h"
#include "GuiGeneral/ArticlePage.h"
#include "GuiTestSupport.h"

namespace {

namespace fs = std::filesystem;

class Articles : public guitest::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        FinishSplash();
        prompts::StartRecording();
    }

    std::map<std::string, std::string> Tree()
    {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(testsupport::U8Path(folder_.Path())))
            files[e.path().string()] = e.is_regular_file() ? testsupport::ReadBytes(e.path().string()) : "<dir>";
        return files;
    }
};

TEST_F(Articles, BothMenuItemsShowThePage)
{
    for (TForm1::MenuItem item : {TForm1::MenuArticles, TForm1::MenuInstruction}) {
        F1().MenuMouseDown(TForm1::MenuHome);
        F1().MenuMouseDown(item);
        EXPECT_TRUE(Find<QWidget>(QStringLiteral("Shit4"))->isVisible()) << item;
    }
}

TEST_F(Articles, HoverTurnsEachTextButtonRedAndBackWithNoFileTouched)
{
    // Article files where an unassigned list might look for them.
    testsupport::WriteBytes(folder_.File("a.us"), "charter");
    testsupport::WriteBytes(folder_.File("b.ak"), "code");
    F1().MenuMouseDown(TForm1::MenuArticles);
    const auto before = Tree();
    ASSERT_EQ(ArticlePage::kTextButtons.size(), 10);
    for (const QString& name : ArticlePage::kTextButtons) {
        SCOPED_TRACE(name.toStdString());
        Label* label = Find<Label>(name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->FontColor(), QColor(0xFF, 0xFF, 0xFF));
        editortest::Enter(label);
        EXPECT_EQ(label->FontColor(), QColor(0xFF, 0x00, 0x00));
        editortest::Press(label);
        editortest::Leave(label);
        EXPECT_EQ(label->FontColor(), QColor(0xFF, 0xFF, 0xFF));
    }
    EXPECT_EQ(Tree(), before);
    EXPECT_TRUE(prompts::Recorded().isEmpty());
    for (const char* list : {"FileListBox1", "FileListBox2"}) EXPECT_EQ(Find<QListWidget>(QString::fromLatin1(list))->count(), 0);
}

TEST_F(Articles, LayoutKeepsTheTwoEditorsOutOfSight)
{
    const std::pair<const char*, QRect> bounds[] = {
        {"Shit4", {168, 81, 452, 384}},     {"Label50", {3, 2, 66, 21}},        {"Label51", {81, 2, 146, 21}},
        {"Label52", {240, 2, 108, 21}},     {"Label53", {361, 2, 88, 21}},      {"Panel4", {3, 25, 448, 358}},
        {"PUstav", {64, 5000, 452, 359}},   {"Panel3", {336, 5000, 452, 359}},  {"FileListBox1", {5, 30, 145, 323}},
        {"Memo3", {153, 29, 296, 155}},     {"Memo4", {153, 203, 296, 109}},    {"Label58", {156, 322, 92, 31}},
        {"Label59", {253, 322, 88, 31}},    {"Label60", {346, 322, 99, 31}},    {"FileListBox2", {3, 18, 89, 335}},
        {"Memo5", {94, 18, 354, 78}},       {"Memo6", {94, 111, 354, 69}},      {"Edit1", {94, 194, 355, 21}},
        {"SpinEdit1", {95, 230, 78, 22}},   {"SpinEdit3", {94, 279, 79, 22}},   {"SpinEdit6", {346, 276, 101, 22}},
        {"Label69", {102, 322, 94, 31}},    {"Label70", {216, 322, 101, 31}},   {"Label71", {339, 322, 102, 30}},
    };
    for (const auto& [name, rect] : bounds) EXPECT_EQ(Find<QWidget>(QString::fromLatin1(name))->geometry(), rect) << name;
    EXPECT_EQ(Find<QListWidget>(QStringLiteral("FileListBox1"))->property("Mask").toString(), "*.us*");
    EXPECT_EQ(Find<QListWidget>(QStringLiteral("FileListBox2"))->property("Mask").toString(), "*.ak*");
    EXPECT_EQ(Text("Label64"), "Текст в переменной \"пояснение\"");
    for (const auto& [spin, max] : {std::pair{"SpinEdit2", 6}, std::pair{"SpinEdit5", 6000}}) {
        auto* box = Find<QSpinBox>(QString::fromLatin1(spin));
        EXPECT_EQ(box->minimum(), 0);
        EXPECT_EQ(box->maximum(), max);
        EXPECT_EQ(box->value(), 0);
    }
}

}  // namespace
