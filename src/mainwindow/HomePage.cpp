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

HomePage::HomePage(Session& session, SyncHandshake& sync, QWidget* parent)
    : Page(session, QStringLiteral("Shit1"), parent), sync_(sync)
{
    QGroupBox* box1 = MakeGroupBox(this, "GroupBox1", QStringLiteral("Информация о персонаже:"), {8, 8, 441, 169});
    struct Row {
        const char* title;
        const char* titleText;
        int titleY;
        const char* value;
        const char* valueText;
        int valueY;
    };
    const Row profile[] = {
        {"Label6", "Игровой ник:", 25, "Label7", "Ardo Velmisk", 24},
        {"Label8", "Звание:", 49, "Label9", "Рядовой", 48},
        {"Label10", "Деппартамент:", 73, "Label11", "LSPD", 72},
        {"Label12", "Позывной:", 97, "Label14", "[PA] доп тег [ТЕСТ]", 96},
        {"Label13", "Пол:", 121, "Label15", "Мужской", 120},
        {"Label16", "Жетон:", 146, "Label17", "2887928", 144},
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
        AddValue(box1, r.value, QString::fromUtf8(r.valueText), 250, r.valueY);
    }

    QGroupBox* box2 = MakeGroupBox(this, "GroupBox2", QStringLiteral("Текущие настройки"), {8, 184, 441, 193});
    auto* panel2 = new Panel(box2, QStringLiteral("Panel2"));
    panel2->setGeometry(192, 6, 2, 187);
    look::SetBackground(panel2, QColor(0x4A, 0x53, 0x60));

    const Row settings[] = {
        {"Label18", "АвтоГан", 24, "Label19", "Включено", 24},
        {"Label20", "АвтоДоки:", 48, "Label21", "Включено", 48},
        {"Label22", "АвтоTime:", 72, "Label23", "Включено", 72},
        {"Label24", "Режим\nПредупреждений:", 96, "Label25", "Включено", 110},
        {"Label26", "Режим погони:", 136, "Label27", "Включено", 136},
        {"Label42", "Упоминание", 162, "Label43", "Включено", 162},
    };
    for (const Row& r : settings) {
        AddTitle(box2, r.title, QString::fromUtf8(r.titleText), 8, r.titleY);
        Label* value = AddValue(box2, r.value, QString::fromUtf8(r.valueText), 113, r.valueY);
        value->setCursor(Qt::PointingHandCursor);
    }
    // A hint the main window never shows (hints are off there).
    Find("Label18")->SetHint(QStringLiteral("Автоотыгровка оружия при нажатии правой кнопки мыши"));

    const Row about[] = {
        {"Label28", "Информ база:", 16, "Label29", "Актуальная", 16},
        {"Label30", "Версия скрипта: ", 40, "Label31", "4.0 beta", 40},
        {"Label32", "Версия панели:", 64, "Label33", "1.0 beta", 64},
        {"Label34", "Статус скрипта:", 88, "Label35", "Не активен!", 88},
        {"Label36", "Игровой сервер:", 112, "Label37", "Abs RP1", 112},
        {"Label38", "Идентификатор: ", 136, "Label39", "Войдите...", 136},
    };
    for (const Row& r : about) {
        AddTitle(box2, r.title, QString::fromUtf8(r.titleText), 200, r.titleY);
        AddValue(box2, r.value, QString::fromUtf8(r.valueText), 310, r.valueY);
    }
    // The binder's own row: what opens the game's chat, and how long it
    // waits between two messages.
    AddTitle(box2, "BinderTitle", QStringLiteral("Чат и пауза:"), 200, 160);
    Label* chatKey = AddValue(box2, "ChatKeyLabel", QStringLiteral("T"), 310, 160);
    chatKey->setToolTip(QStringLiteral("Клавиша, которой биндер открывает чат игры"));
    Label* pause = AddValue(box2, "PauseLabel", QStringLiteral("1,2 с"), PauseX(chatKey), 160);
    pause->setToolTip(QStringLiteral("Пауза между сообщениями"));
    for (Label* value : {chatKey, pause}) value->setCursor(Qt::PointingHandCursor);

    Find("Label35")->SetFontColor(look::kAlert);
    Find("Label37")->setCursor(Qt::PointingHandCursor);
    Find("Label39")->SetFontColor(look::kAlert);

    Wire();
}

void HomePage::Wire()
{
    const auto onClick = [this](const char* name, auto handler) {
        connect(Find(name), &Label::Click, this, [this, handler] { Guarded(this, handler); });
    };
    onClick("Label6", [this] { EditNick(); });
    onClick("Label8", [this] { EditRank(); });
    onClick("Label10", [this] { EditDepartment(); });
    onClick("Label12", [this] { EditCallSign(); });
    onClick("Label13", [this] { ToggleGender(); });
    onClick("Label16", [this] { ExplainBadge(); });
    for (int option = 0; option < int(std::size(kOptionLabels)); ++option)
        onClick(kOptionLabels[option], [this, option] { ToggleOption(option); });
    onClick("Label37", [this] { CycleServer(); });
    onClick("ChatKeyLabel", [this] { EditChatKey(); });
    onClick("PauseLabel", [this] { EditPause(); });

    // Titles and values turn the alert colour under the mouse.
    const auto hover = [this](const char* name, const QColor& normal) {
        Label* label = Find(name);
        connect(label, &Label::MouseEnter, this, [label] { label->SetFontColor(look::kAlert); });
        connect(label, &Label::MouseLeave, this, [label, normal] { label->SetFontColor(normal); });
    };
    for (const char* name : {"Label6", "Label8", "Label10", "Label12", "Label13", "Label16"}) hover(name, look::kTitle);
    for (const char* name : kOptionLabels) hover(name, look::kSilver);
    for (const char* name : {"Label37", "ChatKeyLabel", "PauseLabel"}) hover(name, look::kSilver);
}

void HomePage::UseDialogs(const Dialogs& dialogs)
{
    dialogs_ = dialogs;
    connect(dialogs.rank, &RankDialog::rankStored, this, [this](const QString& rank) { Find("Label9")->setText(rank); });
    connect(dialogs.department, &DepartmentDialog::departmentStored, this,
            [this](const QString& department) { Find("Label11")->setText(department); });
    connect(dialogs.callSign, &CallSignDialog::callSignStored, this, &HomePage::LoadProfileAndOptions);
}

Label* HomePage::StatusLabel() const
{
    return Find("Label35");
}

Label* HomePage::BadgeLabel() const
{
    return Find("Label17");
}

Label* HomePage::AddTitle(QGroupBox* box, const char* name, const QString& text, int x, int y)
{
    return AddTextLabel(box, QString::fromLatin1(name), text, {x, y}, look::SegoeUi(12), look::kTitle);
}

Label* HomePage::AddValue(QGroupBox* box, const char* name, const QString& text, int x, int y)
{
    return AddTextLabel(box, QString::fromLatin1(name), text, {x, y}, look::SegoeUi(12, true), look::kSilver);
}

Label* HomePage::Find(const char* name) const
{
    return findChild<Label*>(QString::fromLatin1(name));
}

void HomePage::LoadProfileAndOptions()
{
    Find("Label7")->setText(ToQString(session_.Nick()));
    Find("Label9")->setText(ToQString(session_.Read(kRank)));
    Find("Label11")->setText(ToQString(session_.Read(kDepartment)));
    const QString callSign = ToQString(session_.Read(kCallSign));
    const std::string extra = session_.Read(kExtraTag);
    Find("Label14")->setText(extra != kExtraTag.fallback ? QStringLiteral("[%1] доп тег [%2]").arg(callSign, ToQString(extra))
                                                         : QStringLiteral("[%1]").arg(callSign));
    Find("Label15")->setText(ToQString(session_.Read(kGender)));
    Find("Label17")->setText(ToQString(session_.Read(kBadge)));

    for (size_t option = 0; option < std::size(kOptions); ++option)
        Find(kOptionLabels[option])->setText(OnOff(session_.Read(kOptions[option]) == "1"));

    const int server = session_.Settings().ReadInteger(kServer.section, kServer.key, 1);
    if (server >= 1 && server <= 4) {
        Find("Label37")->setText(QStringLiteral("Abs RP%1").arg(server));
        session_.SetServer(server);
    }
    ShowBinderSettings();
}

void HomePage::ShowBinderSettings()
{
    Label* chatKey = Find("ChatKeyLabel");
    Label* pause = Find("PauseLabel");
    pause->setText(ToQString(text::SecondsCaption(session_.PauseMs())));
    pause->adjustSize();
    // A long caption ("Backspace" in a wide font) gives way to the pause: the row stays in its box.
    const QString caption = ToQString(hotkeys::KeyCaption(session_.ChatKey()));
    const int room = chatKey->parentWidget()->width() - 4 - chatKey->x() - kPauseGap - pause->width();
    chatKey->setText(chatKey->fontMetrics().elidedText(caption, Qt::ElideRight, std::max(room, 16)));
    chatKey->adjustSize();
    chatKey->setToolTip(QStringLiteral("Клавиша, которой биндер открывает чат игры: %1").arg(caption));
    pause->move(PauseX(chatKey), pause->y());
}

// ---- editors ------------------------------------------------------------------

void HomePage::EditNick()
{
    const prompts::InputResult nick = prompts::InputBox(this, QStringLiteral("Новый ник:"),
                                                        QStringLiteral("Укажите ваш ник"), QString(), 255);
    // A nick 1251 cannot spell would be stored with "?" in it: refused.
    if (prompts::RefuseUnsupported(this, nick.text)) return;
    if (!nick.text.isEmpty()) {
        // Stored first: a refused write must not leave the row showing a nick the file lacks.
        session_.Write({kGlobalSection, kNickKey, {}}, nick.text.toStdString());
        Find("Label7")->setText(nick.text);
    }
    // Also after Cancel: the companion is asked to reload either way.
    sync_.Request();
}

void HomePage::EditRank()
{
    dialogs_.rank->exec();
}

void HomePage::EditDepartment()
{
    dialogs_.department->exec();
}

void HomePage::EditCallSign()
{
    dialogs_.callSign->exec();
}

void HomePage::ToggleGender()
{
    const bool male = session_.Read(kGender) == kGender.fallback;
    session_.Write(kGender, male ? "Женский" : "Мужской");
    Find("Label15")->setText(ToQString(session_.Read(kGender)));
    sync_.Request();
}

void HomePage::ExplainBadge()
{
    prompts::Information(this, QStringLiteral("Для получения жетона просто поменяйте ник"));
}

void HomePage::ToggleOption(int option)
{
    // The state comes from the store, not from the caption.
    const bool on = session_.Read(kOptions[option]) == "1";
    session_.Write(kOptions[option], on ? "0" : "1");
    Find(kOptionLabels[option])->setText(OnOff(!on));
    sync_.Request();
}

void HomePage::EditChatKey()
{
    const QString current = ToQString(session_.ChatKey());
    if (!dialogs_.picker->Pick(kChatKeyRef, current)) return;
    ShowBinderSettings();
    sync_.Request();
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
    session_.Settings().WriteInteger(kPause.section, kPause.key, ms);
    ShowBinderSettings();
    sync_.Request();
}

void HomePage::CycleServer()
{
    if (const std::optional<int> next = session_.CycleServer())
        Find("Label37")->setText(QStringLiteral("Abs RP%1").arg(*next));
    sync_.Request();
}
