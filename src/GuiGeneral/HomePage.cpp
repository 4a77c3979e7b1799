#include "GuiGeneral/HomePage.h"

#include <QGroupBox>

#include "GuiGeneral/EditorControls.h"
#include "GuiGeneral/SharedState.h"
#include "GuiGeneral/TForm1.h"
#include "guibase/ErrorGuard.h"
#include "guibase/QtText.h"
#include "guibase/Prompts.h"
#include "dialogs/TForm2.h"
#include "dialogs/TForm4.h"
#include "dialogs/TForm5.h"
#include "widgets/GroupBox.h"
#include "widgets/Label.h"
#include "widgets/Look.h"
#include "widgets/Panel.h"

namespace {

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const QString& title, const QRect& bounds)
{
    auto* box = new GroupBox(title, parent, QString::fromLatin1(name));
    box->setGeometry(bounds);
    return box;
}

}  // namespace

HomePage::HomePage(SharedState& state, QWidget* parent) : Page(state, QStringLiteral("Shit1"), parent)
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
    Find("Label35")->SetFontColor(look::kAlert);
    Find("Label37")->setCursor(Qt::PointingHandCursor);
    Find("Label39")->SetFontColor(look::kAlert);

    Wire();
}

void HomePage::Wire()
{
    using Handler = void (HomePage::*)();
    const std::pair<const char*, Handler> clicks[] = {
        {"Label6", &HomePage::Label6Click},   {"Label8", &HomePage::Label8Click},
        {"Label10", &HomePage::Label10Click}, {"Label12", &HomePage::Label12Click},
        {"Label13", &HomePage::Label13Click}, {"Label16", &HomePage::Label16Click},
        {"Label19", &HomePage::Label19Click}, {"Label21", &HomePage::Label21Click},
        {"Label23", &HomePage::Label23Click}, {"Label25", &HomePage::Label25Click},
        {"Label27", &HomePage::Label27Click}, {"Label43", &HomePage::Label43Click},
        {"Label37", &HomePage::Label37Click},
    };
    for (const auto& [name, handler] : clicks) {
        connect(Find(name), &Label::Click, this, [this, handler = handler] { Guarded(this, [&] { (this->*handler)(); }); });
    }
    for (const char* name : {"Label6", "Label8", "Label10", "Label12", "Label13", "Label16"}) {
        Label* title = Find(name);
        connect(title, &Label::MouseEnter, this, [this, title] { Label6MouseEnter(title); });
        connect(title, &Label::MouseLeave, this, [this, title] { Label6MouseLeave(title); });
    }
    for (const char* name : {"Label19", "Label21", "Label23", "Label25", "Label27", "Label37", "Label43"}) {
        Label* value = Find(name);
        connect(value, &Label::MouseEnter, this, [this, value] { Label19MouseEnter(value); });
        connect(value, &Label::MouseLeave, this, [this, value] { Label19MouseLeave(value); });
    }
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
    store::IniFile& ini = *state_.SettingsIni;
    Find("Label7")->setText(ToQString(state_.Nick()));
    Find("Label9")->setText(ToQString(ini.ReadString("global", "звание", "Рядовой")));
    Find("Label11")->setText(ToQString(ini.ReadString("global", "департамент", "LSPD")));
    if (ini.ReadString("global", "доптег", "null") != "null") {
        Find("Label14")->setText(QStringLiteral("[%1] доп тег [%2]")
                                     .arg(ToQString(ini.ReadString("global", "тег", "PA")),
                                          ToQString(ini.ReadString("global", "доптег", "null"))));
    } else {
        Find("Label14")->setText(QStringLiteral("[%1]").arg(ToQString(ini.ReadString("global", "тег", "PA"))));
    }
    Find("Label15")->setText(ToQString(ini.ReadString("global", "пол", "Мужской")));
    Find("Label17")->setText(ToQString(ini.ReadString("global", "жетон", "Не получен")));

    const std::pair<const char*, const char*> options[] = {
        {"autogun", "Label19"}, {"autodock", "Label21"}, {"autotime", "Label23"},
        {"pred", "Label25"},    {"погоня", "Label27"},  {"упоминание", "Label43"},
    };
    for (const auto& [key, label] : options) {
        Find(label)->setText(ini.ReadString("setting", key, "1") == "1" ? QStringLiteral("Включено")
                                                                         : QStringLiteral("Выключено"));
    }

    const int server = ini.ReadInteger("global", "server", 1);
    if (server >= 1 && server <= 4) {
        Find("Label37")->setText(QStringLiteral("Abs RP%1").arg(server));
        state_.ServerIndex = server;
    }
}

// ---- editors ------------------------------------------------------------------

void HomePage::RequestSync()
{
    state_.forms.Form1->RequestSync();
}

void HomePage::Label6Click()
{
    const prompts::InputResult nick = prompts::InputBox(this, QStringLiteral("Новый ник:"),
                                                        QStringLiteral("Укажите ваш ник"), QString(), 255);
    // A nick 1251 cannot spell would be stored with "?" in it: refused.
    if (editors::RefuseUnsupported(this, nick.text)) return;
    if (!nick.text.isEmpty()) {
        // Stored first: a refused write must not leave the row showing a nick the file lacks.
        state_.SettingsIni->WriteString("global", "nick", nick.text.toStdString());
        Find("Label7")->setText(nick.text);
    }
    // Also after Cancel: the companion is asked to reload either way.
    RequestSync();
}

void HomePage::Label8Click()
{
    state_.forms.Form2->exec();
}

void HomePage::Label10Click()
{
    state_.forms.Form4->exec();
}

void HomePage::Label12Click()
{
    state_.forms.Form5->exec();
}

void HomePage::Label13Click()
{
    store::IniFile& ini = *state_.SettingsIni;
    const bool male = ini.ReadString("global", "пол", "Мужской") == "Мужской";
    ini.WriteString("global", "пол", male ? "Женский" : "Мужской");
    Find("Label15")->setText(ToQString(ini.ReadString("global", "пол", "Мужской")));
    RequestSync();
}

void HomePage::Label16Click()
{
    prompts::Information(this, QStringLiteral("Для получения жетона просто поменяйте ник"));
}

void HomePage::Label6MouseEnter(Label* title)
{
    title->SetFontColor(look::kAlert);
}

void HomePage::Label6MouseLeave(Label* title)
{
    title->SetFontColor(look::kTitle);
}

void HomePage::SwitchOption(const char* key, const char* valueLabel)
{
    // The state comes from the store, not from the caption.
    const bool on = state_.SettingsIni->ReadString("setting", key, "1") == "1";
    state_.SettingsIni->WriteString("setting", key, on ? "0" : "1");
    Find(valueLabel)->setText(on ? QStringLiteral("Выключено") : QStringLiteral("Включено"));
    RequestSync();
}

void HomePage::Label19Click()
{
    SwitchOption("autogun", "Label19");
}

void HomePage::Label21Click()
{
    SwitchOption("autodock", "Label21");
}

void HomePage::Label23Click()
{
    SwitchOption("autotime", "Label23");
}

void HomePage::Label25Click()
{
    SwitchOption("pred", "Label25");
}

void HomePage::Label27Click()
{
    SwitchOption("погоня", "Label27");
}

void HomePage::Label43Click()
{
    SwitchOption("упоминание", "Label43");
}

void HomePage::Label37Click()
{
    store::IniFile& ini = *state_.SettingsIni;
    const int server = ini.ReadInteger("global", "server", 1);
    if (server >= 1 && server <= 4) {
        const int next = server % 4 + 1;
        ini.WriteInteger("global", "server", next);
        Find("Label37")->setText(QStringLiteral("Abs RP%1").arg(next));
    }
    state_.ServerIndex = ini.ReadInteger("global", "server", 1);
    state_.OpenKeyIni();
    RequestSync();
}

void HomePage::Label19MouseEnter(Label* value)
{
    value->SetFontColor(look::kAlert);
}

void HomePage::Label19MouseLeave(Label* value)
{
    value->SetFontColor(look::kSilver);
}
