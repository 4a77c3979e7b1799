#include "GuiGeneral/KeySettingsPage.h"

#include <QFontMetrics>

#include "GuiGeneral/KeyConflicts.h"
#include "GuiGeneral/SharedState.h"
#include "guibase/QtText.h"
#include "dialogs/TForm6.h"
#include "hotkeys/BinderKeys.h"
#include "hotkeys/HotkeyString.h"
#include "widgets/Label.h"
#include "widgets/Look.h"
#include "widgets/Panel.h"

namespace {

constexpr int kRows = 14;
const QColor kPageButton(0x80, 0x80, 0x80);

// Fourteen rows from y 10 to 324, about 24 pixels apart.
int RowTop(int row)
{
    return 10 + ((row - 1) * (324 - 10) + (kRows - 1) / 2) / (kRows - 1);
}

// Page 4 rows 7 to 14: a dashed caption, a key label that keeps "Клавиша"
// and an image without a job.
const char* const kKeylessLabels[] = {"Label167", "Label166", "Label165", "Label164",
                                      "Label163", "Label162", "Label160", "Label188"};

const struct {
    int page;
    const char* name;
    const char* caption;
    int x;
    int target;
} kPageButtons[] = {
    {1, "Label101", "2     >>>", 193, 2},
    {2, "Label131", "<<<     1", 153, 1},
    {2, "Label130", "3     >>>", 225, 3},
    {3, "Label161", "<<<     2", 153, 2},
    {3, "Label87", "4    >>>", 225, 4},
    {4, "Label189", "<<<     3", 193, 3},
};

Label* RowLabel(QWidget* page, const QString& text, const QString& name, const QRect& rect)
{
    auto* label = new Label(text, page, name);
    label->setGeometry(rect);
    label->setFont(look::SegoeUi(12, true));
    label->SetFontColor(look::kClWindow);
    label->setWordWrap(true);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

}  // namespace

KeySettingsPage::KeySettingsPage(SharedState& state, QWidget* parent) : Page(state, QStringLiteral("Shit6"), parent)
{
    AddTextLabel(this, QStringLiteral("Label72"), QStringLiteral("Прочие клавиши используемые в биндере:"), {112, 0},
                 look::SansSerif(), look::kClWindow);

    for (int n = 1; n <= 4; ++n) {
        auto* page = new Panel(this, QStringLiteral("P%1nk").arg(n));
        page->setGeometry(0, 16, 452, 368);
        page->setVisible(n == 1);
        pages_[n - 1] = page;
    }

    for (const hotkeys::BinderKey& key : hotkeys::BinderKeys()) {
        const QString imageName = QString::fromStdString(hotkeys::KeyImageName(key));
        const auto [keyLabel, image] =
            BuildRow(pages_[key.page - 1], key.row, ToQString(key.caption), ToQString(key.keyLabel), imageName);
        image->SetHint(keyLabel->objectName());
        connect(image, &Label::MouseDown, this, [this, image] { Key37MouseDown(image); });
        rows_[key.page - 1].push_back({&key, keyLabel, image});
    }
    int keyless = 0;
    for (int row = kRows - int(std::size(kKeylessLabels)) + 1; row <= kRows; ++row, ++keyless)
        BuildRow(pages_[3], row, QStringLiteral("----------------------------"), QString::fromLatin1(kKeylessLabels[keyless]),
                 QStringLiteral("Image%1").arg(59 - keyless));

    BuildPageButtons();
}

std::pair<Label*, Label*> KeySettingsPage::BuildRow(QWidget* page, int row, const QString& action, const QString& keyLabelName,
                               const QString& imageName)
{
    const int y = RowTop(row);
    Label* actionLabel =
        RowLabel(page, action, QStringLiteral("Action%1_%2").arg(page->objectName()).arg(row), QRect(5, y, 201, 17));
    // Where Segoe UI is missing its wider stand-in would wrap the longest
    // captions onto a second line the row has no room for: step down a pixel.
    QFont font = actionLabel->font();
    while (font.pixelSize() > 10 && QFontMetrics(font).horizontalAdvance(action) > actionLabel->width())
        font.setPixelSize(font.pixelSize() - 1);
    actionLabel->setFont(font);
    Label* keyLabel = RowLabel(page, QStringLiteral("Клавиша"), keyLabelName, QRect(240, y, 158, 17));
    keyLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    return {keyLabel, AddKeyButton(page, imageName, QRect(407, y - 4, 43, 21))};
}

void KeySettingsPage::BuildPageButtons()
{
    for (const auto& b : kPageButtons) {
        auto* button = new Label(QString::fromUtf8(b.caption), pages_[b.page - 1], QString::fromLatin1(b.name));
        button->setGeometry(b.x, 346, 53, 17);
        button->setFont(look::SegoeUi(12, true));
        button->setAlignment(Qt::AlignCenter);
        look::SetBackground(button, kPageButton);
        button->SetFontColor(look::kLinkNormal);
        button->setCursor(Qt::PointingHandCursor);
        look::MakeLink(button);
        const int target = b.target;
        connect(button, &Label::MouseDown, this, [this, target] { ShowKeyPage(target); });
    }
}

void KeySettingsPage::HideKeyPages()
{
    for (QWidget* page : pages_) page->hide();
    if (selected_.action != nullptr) selected_.action->setAutoFillBackground(false);
    selected_ = {};
}

void KeySettingsPage::SelectRow(const hotkeys::BinderKey& key)
{
    HideKeyPages();
    ShowKeyPage(key.page);
    QWidget* page = pages_[key.page - 1];
    selected_ = {&key, page->findChild<Label*>(QStringLiteral("Action%1_%2").arg(page->objectName()).arg(key.row))};
    if (selected_.action == nullptr) return;
    look::SetBackground(selected_.action, look::kField);
}

void KeySettingsPage::ShowKeyPage(int n)
{
    if (n < 1 || n > 4) return;
    for (int i = 1; i <= 4; ++i) pages_[i - 1]->setVisible(i == n);
    for (const Row& row : rows_[n - 1])
        row.image->SetHelpKeyword(ToQString(state_.SettingsIni->ReadString("hotkeys", row.key->iniKey, row.key->defaultHotkey)));
    for (const Row& row : rows_[n - 1])
        row.keyLabel->setText(QString::fromStdString(hotkeys::HotkeyCaption(row.image->HelpKeyword().toStdString())));
    shown_ = n;
    MarkConflicts(conflicts::Current(state_));
}

void KeySettingsPage::MarkConflicts(const hotkeys::ConflictMap& map)
{
    for (const Row& row : rows_[shown_ - 1]) {
        const auto* holder = map.Find(hotkeys::HotkeySource::Settings, row.key->iniKey);
        conflicts::Mark(row.keyLabel, conflicts::Describe(map, holder), look::kClWindow);
    }
}

void KeySettingsPage::Key37MouseDown(Label* image)
{
    TForm6* picker = state_.forms.Form6;
    if (picker == nullptr) return;
    picker->ClearMarks();
    state_.PickerTarget = QStringLiteral("nk");
    state_.CurrentHotkey = ShortString(image->HelpKeyword(), 30);
    state_.RpMode = image->objectName();
    state_.TargetLabel = ShortString(image->Hint(), 10);
    // A switched-off key is stored as " ", which every read hands back
    // trimmed: both mean "no key" and leave Hook as it is.
    if (!state_.CurrentHotkey.trimmed().isEmpty()) picker->LoadMarks(state_.CurrentHotkey);
    picker->ShowModal();
}
