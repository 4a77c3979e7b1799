#include "mainwindow/KeysPage.h"

#include <QFontMetrics>
#include <map>

#include "dialogs/HotkeyPicker.h"
#include "guibase/ErrorGuard.h"
#include "guibase/QtText.h"
#include "hotkeys/BinderKeys.h"
#include "hotkeys/HotkeyString.h"
#include "session/Session.h"
#include "widgets/ConflictMarks.h"
#include "widgets/EditorControls.h"
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

// The label showing each action's hotkey, by the action's [hotkeys] key.
const std::map<std::string_view, const char*> kKeyLabels = {
    {"key37", "PK1_1"},     {"key41", "Label88"},   {"key39", "Label89"},   {"key65", "Label90"},
    {"key40", "Label91"},   {"key1", "Label92"},    {"key2", "Label93"},    {"key6", "Label94"},
    {"key7", "Label95"},    {"key11", "Label96"},   {"key12", "Label97"},   {"key59", "Label98"},
    {"key62", "Label99"},   {"key60", "Label100"},  {"key31", "Label114"},  {"key10", "Label113"},
    {"key23", "Label112"},  {"key25", "Label111"},  {"key26", "Label110"},  {"key27", "Label109"},
    {"key28", "Label108"},  {"key29", "Label107"},  {"key63", "Label106"},  {"key30", "Label105"},
    {"key32", "Label104"},  {"key33", "Label103"},  {"key34", "Label102"},  {"key35", "Label129"},
    {"key38", "Label144"},  {"key42", "Label143"},  {"key43", "Label142"},  {"key44", "Label141"},
    {"key45", "Label140"},  {"key46", "Label139"},  {"key47", "Label138"},  {"key48", "Label137"},
    {"key13", "Label136"},  {"key61", "Label135"},  {"key50", "Label134"},  {"key51", "Label133"},
    {"key52", "Label132"},  {"key53", "Label159"},  {"key54", "Label173"},  {"key55", "Label172"},
    {"key56", "Label171"},  {"key57", "Label170"},  {"key58", "Label169"},  {"key49", "Label168"},
};

// The key image: "Key" + the number of the [hotkeys] key ("Key37"). The
// picker stores under this spelling, as the binder always has.
QString ImageName(const hotkeys::BinderKey& key)
{
    return QStringLiteral("Key") + ToQString(key.iniKey.substr(3));
}

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

KeysPage::KeysPage(Session& session, QWidget* parent) : Page(session, QStringLiteral("Shit6"), parent)
{
    AddTextLabel(this, QStringLiteral("Label72"), QStringLiteral("Прочие клавиши используемые в биндере:"), {112, 0},
                 look::SansSerif(), look::kClWindow);
    // Every key of the server at one glance, in the free corner of the header.
    Label* mapLink = editors::AddLink(this, "KeyboardMapLink", QStringLiteral("Карта клавиш ▸"), 446, 0);
    connect(mapLink, &Label::MouseDown, this, &KeysPage::keyboardMapRequested);

    for (int n = 1; n <= kKeyPages; ++n) {
        auto* page = new Panel(this, QStringLiteral("P%1nk").arg(n));
        page->setGeometry(0, 16, 452, 368);
        page->setVisible(n == 1);
        pages_[n - 1] = page;
    }

    for (const hotkeys::BinderKey& key : hotkeys::BinderKeys()) {
        const RowLabels labels = BuildRow(pages_[key.page - 1], key.row, ToQString(key.caption),
                                          QString::fromLatin1(kKeyLabels.at(key.iniKey)), ImageName(key));
        // The image names its key label in its hint, as the layout has it.
        labels.image->SetHint(labels.keyLabel->objectName());
        connect(labels.image, &Label::MouseDown, this, [this, &key] { Guarded(this, [&] { EditHotkey(key); }); });
        rows_[key.page - 1].push_back({&key, labels.action, labels.keyLabel, labels.image, {}});
    }
    connect(&session_, &Session::hotkeysChanged, this, [this] { MarkConflicts(session_.Conflicts()); });
    connect(&session_, &Session::setupReplaced, this, [this] { ShowKeyPage(shown_); });
    int keyless = 0;
    for (int row = kRows - int(std::size(kKeylessLabels)) + 1; row <= kRows; ++row, ++keyless)
        BuildRow(pages_[3], row, QStringLiteral("----------------------------"), QString::fromLatin1(kKeylessLabels[keyless]),
                 QStringLiteral("Image%1").arg(59 - keyless));

    BuildPageButtons();
}

KeysPage::RowLabels KeysPage::BuildRow(QWidget* page, int row, const QString& action, const QString& keyLabelName,
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

    return {actionLabel, keyLabel, AddKeyButton(page, imageName, QRect(407, y - 4, 43, 21))};
}

void KeysPage::BuildPageButtons()
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

void KeysPage::Opened()
{
    HideKeyPages();
    ShowKeyPage(1);
}

void KeysPage::HideKeyPages()
{
    for (QWidget* page : pages_) page->hide();
    if (selected_ != nullptr) selected_->action->setAutoFillBackground(false);
    selected_ = nullptr;
}

void KeysPage::SelectRow(const hotkeys::BinderKey& key)
{
    HideKeyPages();
    ShowKeyPage(key.page);
    selected_ = FindRow(key);
    if (selected_ != nullptr) look::SetBackground(selected_->action, look::kField);
}

void KeysPage::ShowKeyPage(int n)
{
    if (n < 1 || n > kKeyPages) return;
    for (int i = 1; i <= kKeyPages; ++i) pages_[i - 1]->setVisible(i == n);
    for (Row& row : rows_[n - 1])
        ShowHotkey(row, session_.StoredHotkey({hotkeys::HotkeySource::Settings, std::string(row.key->iniKey)},
                                              row.key->defaultHotkey));
    shown_ = n;
    MarkConflicts(session_.Conflicts());
}

void KeysPage::MarkConflicts(const hotkeys::ConflictMap& map)
{
    for (const Row& row : rows_[shown_ - 1]) {
        const auto* holder = map.Find(hotkeys::HotkeySource::Settings, row.key->iniKey);
        conflicts::Mark(row.keyLabel, conflicts::Describe(map, holder), look::kClWindow);
    }
}

KeysPage::Row* KeysPage::FindRow(const hotkeys::BinderKey& key)
{
    for (Row& row : rows_[key.page - 1])
        if (row.key == &key) return &row;
    return nullptr;
}

void KeysPage::ShowHotkey(Row& row, std::string hotkey)
{
    row.hotkey = std::move(hotkey);
    row.image->SetHelpKeyword(ToQString(row.hotkey));
    row.keyLabel->setText(QString::fromStdString(hotkeys::HotkeyCaption(row.hotkey)));
}

void KeysPage::EditHotkey(const hotkeys::BinderKey& key)
{
    Row* row = FindRow(key);
    const HotkeyRef ref{hotkeys::HotkeySource::Settings, row->image->objectName().toStdString()};
    // The row's stored string as last read, cut as the binder always cut it.
    // A switched-off key is stored as " ", which every read hands back
    // trimmed: both mean "no key" and leave Hook as the last pick left it.
    const QString current = ToQString(row->hotkey).left(30);
    const auto stored = picker_->Pick(ref, current.trimmed().isEmpty() ? std::nullopt : std::optional(current));
    if (!stored) return;
    row->keyLabel->setText(QString::fromStdString(hotkeys::HotkeyCaption(*stored)));
    row->hotkey = session_.StoredHotkey(ref, *stored);
    row->image->SetHelpKeyword(ToQString(row->hotkey));
}
