#include "mainwindow/HomePage.h"

#include <QGroupBox>

#include "dialogs/CallSignDialog.h"
#include "dialogs/DepartmentDialog.h"
#include "dialogs/HotkeyPicker.h"
#include "dialogs/RankDialog.h"
#include "guibase/Cp1251Prompts.h"
#include "guibase/ErrorGuard.h"
#include "guibase/Prompts.h"
#include "guibase/QtText.h"
#include "hotkeys/KeyVocabulary.h"
#include "session/CompanionMonitor.h"
#include "session/Session.h"
#include "session/SyncHandshake.h"
#include "widgets/GroupBox.h"
#include "widgets/Label.h"
#include "widgets/Look.h"
#include "widgets/Panel.h"
#include "text/ChatPreview.h"

using namespace companion;

namespace {

// The options in the order of kOptions, with the label each shows on.
const char* const kOptionLabels[] = {"Label19", "Label21", "Label23", "Label25", "Label27", "Label43"};
static_assert(std::size(kOptionLabels) == std::size(kOptions));

QString ServerCaption(int server)
{
    return QStringLiteral("Abs RP%1").arg(server);
}

const HotkeyRef kChatKeyRef{hotkeys::HotkeySource::Binder, std::string(kChatKey.key)};

// The pause follows the chat key, whose caption may be "T" or "Backspace".
constexpr int kPauseGap = 14;  // between the chat key's caption and the pause

int PauseX(const QWidget* chatKey)
{
    return chatKey->geometry().right() + kPauseGap;
}

QString OnOff(bool on)
{
    return on ? QStringLiteral("Включено") : QStringLiteral("Выключено");
}

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const QString& title, const QRect& bounds)
{
    auto* box = new GroupBox(title, parent, QString::fromLatin1(name));
    box->setGeometry(bounds);
    return box;
}

}  // namespace

HomePage::HomePage(Session& session, CompanionMonitor& companion, QWidget* parent)
    : Page(session, QStringLiteral("Shit1"), parent)
{
    QGroupBox* box1 = MakeGroupBox(this, "GroupBox1", QStringLiteral("Информация о персонаже:"), {8, 8, 441, 169});
    struct Row {
        const char* title;
        const char* titleText;
        int titleY;
        const char* value;
        const char* valueText;
        int valueY;
        Label** titleLabel;
        Label** valueLabel;
    };
    const Row profile[] = {
        {"Label6", "Игровой ник:", 25, "Label7", "Ardo Velmisk", 24, &nickTitle_, &nick_},
        {"Label8", "Звание:", 49, "Label9", "Рядовой", 48, &rankTitle_, &rank_},
        {"Label10", "Деппартамент:", 73, "Label11", "LSPD", 72, &departmentTitle_, &department_},
        {"Label12", "Позывной:", 97, "Label14", "[PA] доп тег [ТЕСТ]", 96, &callSignTitle_, &callSign_},
        {"Label13", "Пол:", 121, "Label15", "Мужской", 120, &genderTitle_, &gender_},
        {"Label16", "Жетон:", 146, "Label17", "2887928", 144, &badgeTitle_, &badge_},
    };
    int chip = 1;
    for (const Row& r : profile) {
        // A chip behind each row title.
        auto* shape = new Panel(box1, QStringLiteral("ShapeChip%1").arg(chip++));
        shape->setGeometry(8, r.titleY, 110, 20);
        look::SetBackground(shape, look::kField);
        Label* title = AddTitle(box1, r.title, QString::fromUtf8(r.titleText), 8, r.titleY);
        title->setFixedSize(110, 20);
        title->setAlignment(Qt::AlignCenter);
        title->setCursor(Qt::PointingHandCursor);
        *r.titleLabel = title;
        *r.valueLabel = AddValue(box1, r.value, QString::fromUtf8(r.valueText), 250, r.valueY);
    }

    QGroupBox* box2 = MakeGroupBox(this, "GroupBox2", QStringLiteral("Текущие настройки"), {8, 184, 441, 193});
    auto* panel2 = new Panel(box2, QStringLiteral("Panel2"));
    panel2->setGeometry(192, 6, 2, 187);
    look::SetBackground(panel2, QColor(0x4A, 0x53, 0x60));

    struct Setting {
        const char* title;
        const char* titleText;
        int titleY;
        int valueY;
    };
    const Setting settings[] = {
        {"Label18", "АвтоГан", 24, 24},           {"Label20", "АвтоДоки:", 48, 48},
        {"Label22", "АвтоTime:", 72, 72},         {"Label24", "Режим\nПредупреждений:", 96, 110},
        {"Label26", "Режим погони:", 136, 136}, {"Label42", "Упоминание", 162, 162},
    };
    for (size_t i = 0; i < std::size(settings); ++i) {
        const Setting& r = settings[i];
        Label* title = AddTitle(box2, r.title, QString::fromUtf8(r.titleText), 8, r.titleY);
        // A hint the main window never shows (hints are off there).
        if (i == 0) title->SetHint(QStringLiteral("Автоотыгровка оружия при нажатии правой кнопки мыши"));
        options_[i] = AddValue(box2, kOptionLabels[i], QStringLiteral("Включено"), 113, r.valueY);
        options_[i]->setCursor(Qt::PointingHandCursor);
    }

    const Row about[] = {
        {"Label28", "Информ база:", 16, "Label29", "Актуальная", 16, nullptr, nullptr},
        {"Label30", "Версия скрипта: ", 40, "Label31", "4.0 beta", 40, nullptr, nullptr},
        {"Label32", "Версия панели:", 64, "Label33", "1.0 beta", 64, nullptr, nullptr},
        {"Label34", "Статус скрипта:", 88, "Label35", "Не активен!", 88, nullptr, &status_},
        {"Label36", "Игровой сервер:", 112, "Label37", "Abs RP1", 112, nullptr, &server_},
        {"Label38", "Идентификатор: ", 136, "Label39", "Войдите...", 136, nullptr, &identifier_},
    };
    for (const Row& r : about) {
        AddTitle(box2, r.title, QString::fromUtf8(r.titleText), 200, r.titleY);
        Label* value = AddValue(box2, r.value, QString::fromUtf8(r.valueText), 310, r.valueY);
        if (r.valueLabel) *r.valueLabel = value;
    }
    // The binder's own row: what opens the game's chat, and how long it
    // waits between two messages.
    AddTitle(box2, "BinderTitle", QStringLiteral("Чат и пауза:"), 200, 160);
    chatKey_ = AddValue(box2, "ChatKeyLabel", QStringLiteral("T"), 310, 160);
    chatKey_->setToolTip(QStringLiteral("Клавиша, которой биндер открывает чат игры"));
    pause_ = AddValue(box2, "PauseLabel", QStringLiteral("1,2 с"), PauseX(chatKey_), 160);
    pause_->setToolTip(QStringLiteral("Пауза между сообщениями"));
    for (Label* value : {chatKey_, pause_}) value->setCursor(Qt::PointingHandCursor);

    status_->SetFontColor(look::kAlert);
    server_->setCursor(Qt::PointingHandCursor);
    identifier_->SetFontColor(look::kAlert);

    Wire();
    connect(&companion, &CompanionMonitor::runningChanged, this, &HomePage::ShowStatus);
    // The companion's answer to a sync request carries the badge.
    connect(&session_.Sync(), &SyncHandshake::synced, this, [this](const QString& badge) { badge_->setText(badge); });
    connect(&session_, &Session::setupReplaced, this, [this] { Guarded(this, [this] { LoadProfileAndOptions(); }); });
}

void HomePage::Wire()
{
    const auto onClick = [this](Label* label, auto handler) {
        connect(label, &Label::Click, this, [this, handler] { Guarded(this, handler); });
    };
    onClick(nickTitle_, [this] { EditNick(); });
    onClick(rankTitle_, [this] { EditRank(); });
    onClick(departmentTitle_, [this] { EditDepartment(); });
    onClick(callSignTitle_, [this] { EditCallSign(); });
    onClick(genderTitle_, [this] { ToggleGender(); });
    onClick(badgeTitle_, [this] { ExplainBadge(); });
    for (int option = 0; option < int(options_.size()); ++option)
        onClick(options_[static_cast<size_t>(option)], [this, option] { ToggleOption(option); });
    onClick(server_, [this] { CycleServer(); });
    onClick(chatKey_, [this] { EditChatKey(); });
    onClick(pause_, [this] { EditPause(); });

    // Titles and values turn the alert colour under the mouse.
    const auto hover = [this](Label* label, const QColor& normal) {
        connect(label, &Label::MouseEnter, this, [label] { label->SetFontColor(look::kAlert); });
        connect(label, &Label::MouseLeave, this, [label, normal] { label->SetFontColor(normal); });
    };
    for (Label* title : {nickTitle_, rankTitle_, departmentTitle_, callSignTitle_, genderTitle_, badgeTitle_})
        hover(title, look::kTitle);
    for (Label* value : options_) hover(value, look::kSilver);
    for (Label* value : {server_, chatKey_, pause_}) hover(value, look::kSilver);
}

void HomePage::ShowStatus(bool running)
{
    status_->setText(running ? QStringLiteral("Активен") : QStringLiteral("Не активен"));
    status_->SetFontColor(running ? look::kRunning : look::kAlert);
}

Label* HomePage::AddTitle(QGroupBox* box, const char* name, const QString& text, int x, int y)
{
    return AddTextLabel(box, QString::fromLatin1(name), text, {x, y}, look::SegoeUi(12), look::kTitle);
}

Label* HomePage::AddValue(QGroupBox* box, const char* name, const QString& text, int x, int y)
{
    return AddTextLabel(box, QString::fromLatin1(name), text, {x, y}, look::SegoeUi(12, true), look::kSilver);
}

void HomePage::LoadProfileAndOptions()
{
    nick_->setText(ToQString(session_.Nick()));
    rank_->setText(ToQString(session_.Read(kRank)));
    department_->setText(ToQString(session_.Read(kDepartment)));
    ShowCallSign();
    gender_->setText(ToQString(session_.Read(kGender)));
    badge_->setText(ToQString(session_.Read(kBadge)));

    for (size_t option = 0; option < std::size(kOptions); ++option)
        options_[option]->setText(OnOff(session_.Read(kOptions[option]) == "1"));

    // A stored 1 to 4 is the run's server; any other leaves both as they are.
    if (const std::optional<int> server = session_.TakeStoredServer()) ShowServer(*server);
    ShowBinderSettings();
}

void HomePage::ShowServer(int server)
{
    server_->setText(ServerCaption(server));
}

void HomePage::ShowCallSign()
{
    const QString callSign = ToQString(session_.Read(kCallSign));
    const std::string extra = session_.Read(kExtraTag);
    callSign_->setText(extra != kExtraTag.fallback ? QStringLiteral("[%1] доп тег [%2]").arg(callSign, ToQString(extra))
                                                   : QStringLiteral("[%1]").arg(callSign));
}

void HomePage::ShowBinderSettings()
{
    pause_->setText(ToQString(text::SecondsCaption(session_.PauseMs())));
    pause_->adjustSize();
    // A long caption ("Backspace" in a wide font) gives way to the pause: the row stays in its box.
    const QString caption = ToQString(hotkeys::KeyCaption(session_.ChatKey()));
    const int room = chatKey_->parentWidget()->width() - 4 - chatKey_->x() - kPauseGap - pause_->width();
    chatKey_->setText(chatKey_->fontMetrics().elidedText(caption, Qt::ElideRight, std::max(room, 16)));
    chatKey_->adjustSize();
    chatKey_->setToolTip(QStringLiteral("Клавиша, которой биндер открывает чат игры: %1").arg(caption));
    pause_->move(PauseX(chatKey_), pause_->y());
}

// ---- editors ------------------------------------------------------------------

void HomePage::EditNick()
{
    const prompts::InputResult nick = prompts::InputBox(this, QStringLiteral("Новый ник:"),
                                                        QStringLiteral("Укажите ваш ник"), QString(), 255);
    // A nick 1251 cannot spell would be stored with "?" in it: refused.
    if (prompts::RefuseUnsupported(this, nick.text)) return;
    if (nick.text.isEmpty()) {
        // Also after Cancel: the companion is asked to reload either way.
        session_.RequestReload();
        return;
    }
    // Stored first: a refused write must not leave the row showing a nick the file lacks.
    session_.Edit(kNick, nick.text.toStdString());
    nick_->setText(nick.text);
}

void HomePage::EditRank()
{
    if (const auto rank = dialogs_.rank->Ask([this](const QString& r) { session_.Edit(kRank, r.toStdString()); }))
        rank_->setText(*rank);
}

void HomePage::EditDepartment()
{
    const auto department =
        dialogs_.department->Ask([this](const QString& d) { session_.Edit(kDepartment, d.toStdString()); });
    if (department) department_->setText(*department);
    // Closed without a choice: the companion is asked to reload all the same.
    else session_.RequestReload();
}

void HomePage::EditCallSign()
{
    const CallSign current{ToQString(session_.Read(kCallSign)), ToQString(session_.Read(kExtraTag))};
    const auto stored = dialogs_.callSign->Ask(current, [this](const CallSign& c) {
        session_.Edit({{kCallSign, c.tag.toStdString()}, {kExtraTag, c.extraTag.toStdString()}});
    });
    if (stored) LoadProfileAndOptions();
}

void HomePage::ToggleGender()
{
    const bool male = session_.Read(kGender) == kGender.fallback;
    session_.Edit(kGender, male ? kFemale : kGender.fallback);
    gender_->setText(ToQString(session_.Read(kGender)));
}

void HomePage::ExplainBadge()
{
    prompts::Information(this, QStringLiteral("Для получения жетона просто поменяйте ник"));
}

void HomePage::ToggleOption(int option)
{
    // The state comes from the store, not from the caption.
    const bool on = session_.Read(kOptions[option]) == "1";
    session_.Edit(kOptions[option], on ? "0" : "1");
    options_[static_cast<size_t>(option)]->setText(OnOff(!on));
}

void HomePage::EditChatKey()
{
    const QString current = ToQString(session_.ChatKey());
    if (!dialogs_.picker->Pick(kChatKeyRef, current)) return;
    ShowBinderSettings();
    session_.RequestReload();
}

void HomePage::EditPause()
{
    const prompts::InputResult answer =
        prompts::InputBox(this, QStringLiteral("Пауза между сообщениями"),
                          QStringLiteral("Пауза в миллисекундах (от %1 до %2):").arg(kMinPauseMs).arg(kMaxPauseMs),
                          QString::number(session_.PauseMs()), 5);
    if (!answer.accepted) return;
    bool number = false;
    const int ms = answer.text.trimmed().toInt(&number);
    if (!number || ms < kMinPauseMs || ms > kMaxPauseMs) {
        prompts::Message(this, QStringLiteral("Пауза — целое число миллисекунд от %1 до %2").arg(kMinPauseMs).arg(kMaxPauseMs));
        return;
    }
    session_.Edit(kPause, std::to_string(ms));
    ShowBinderSettings();
}

void HomePage::CycleServer()
{
    if (const std::optional<int> next = session_.CycleServer()) ShowServer(*next);
    session_.RequestReload();
}
