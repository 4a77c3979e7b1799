#include "dialogs/TForm2.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "GuiGeneral/SharedState.h"
#include "GuiGeneral/TForm1.h"
#include "guibase/ErrorGuard.h"
#include "dialogs/DialogLook.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

TForm2::TForm2(SharedState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Выбор звания:"));
    dialoglook::MakeFixedDialog(this, QSize(263, 91), look::kWindow);

    AddTextLabel(this, QStringLiteral("Label1"), QStringLiteral("Ваще звание:"), {8, 24}, look::SansSerif(11, true),
                 look::kSilver);

    comboBox1_ = new QComboBox(this);
    comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    comboBox1_->setGeometry(105, 20, 145, 21);
    comboBox1_->setEditable(true);
    comboBox1_->setInsertPolicy(QComboBox::NoInsert);
    comboBox1_->setFont(look::SansSerif());
    comboBox1_->addItems({"Рядовой", "Сержант", "Ст. Сержант", "Лейтенант", "Ст. Лейтенант", "Капитан", "Майор",
                          "Подполковник", "Полковник", "Генерал", "Министр", "Администратор",
                          "Тестировщик скрипта"});
    comboBox1_->setEditText(QStringLiteral("Рядовой"));
    dialoglook::StyleField(comboBox1_);

    button1_ = new QPushButton(QStringLiteral("OK"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setGeometry(96, 56, 75, 25);
    button1_->setAutoDefault(false);
    connect(button1_, &QPushButton::clicked, this, [this] { Guarded(this, [this] { Button1Click(); }); });
}

void TForm2::Button1Click()
{
    const QString rank = comboBox1_->currentText();
    state_.SettingsIni->WriteString("global", "звание", rank.toStdString());
    if (Label* label9 = state_.forms.Form1->findChild<Label*>(QStringLiteral("Label9"))) label9->setText(rank);
    state_.forms.Form1->RequestSync();
    accept();
}
