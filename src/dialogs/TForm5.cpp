#include "dialogs/TForm5.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "GuiGeneral/EditorControls.h"
#include "GuiGeneral/HomePage.h"
#include "GuiGeneral/SharedState.h"
#include "GuiGeneral/TForm1.h"
#include "guibase/ErrorGuard.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

TForm5::TForm5(SharedState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Позывной"));
    // An ordinary sizeable frame; the client area is what a 321 x 109 window
    // with the classic frame leaves.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    resize(313, 78);
    move(513, 259);
    setFont(look::SansSerif());
    look::SetBackground(this, look::kWindow);

    AddTextLabel(this, QStringLiteral("Label1"), QStringLiteral("Позывной:"), {8, 16}, look::SansSerif(11, true),
                 look::kTitle);

    edit1_ = new QLineEdit(this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setGeometry(79, 13, 74, 21);

    checkBox1_ = new QCheckBox(QStringLiteral("Доп тег"), this);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkBox1_->setGeometry(158, 15, 67, 17);
    checkBox1_->setFont(look::SansSerif(11, true));
    look::SetTextColor(checkBox1_, look::kTitle);
    connect(checkBox1_, &QCheckBox::clicked, this, &TForm5::CheckBox1Click);

    edit2_ = new QLineEdit(this);
    edit2_->setObjectName(QStringLiteral("Edit2"));
    edit2_->setGeometry(232, 13, 74, 21);

    button1_ = new QPushButton(QStringLiteral("ОК"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setGeometry(120, 48, 75, 25);
    button1_->setAutoDefault(false);
    connect(button1_, &QPushButton::clicked, this, [this] { Guarded(this, [this] { Button1Click(); }); });
}

void TForm5::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm5::FormShow()
{
    store::IniFile& ini = *state_.SettingsIni;
    edit1_->setText(QString::fromStdString(ini.ReadString("global", "тег", "PA")));
    const std::string extra = ini.ReadString("global", "доптег", "null");
    const bool hasExtra = extra != "null";
    checkBox1_->setChecked(hasExtra);
    edit2_->setEnabled(hasExtra);
    edit2_->setText(hasExtra ? QString::fromStdString(extra) : QString());
}

void TForm5::CheckBox1Click()
{
    edit2_->setEnabled(checkBox1_->isChecked());
}

void TForm5::Button1Click()
{
    // Nothing is stored while either value holds what 1251 cannot spell.
    if (editors::RefuseUnsupported(this, edit1_->text() + (checkBox1_->isChecked() ? edit2_->text() : QString()))) return;
    store::IniFile& ini = *state_.SettingsIni;
    ini.WriteString("global", "тег", edit1_->text().isEmpty() ? std::string("PA") : edit1_->text().toStdString());
    const bool extra = checkBox1_->isChecked() && !edit2_->text().isEmpty();
    ini.WriteString("global", "доптег", extra ? edit2_->text().toStdString() : std::string("null"));
    state_.forms.Form1->Home()->LoadProfileAndOptions();
    state_.forms.Form1->RequestSync();
    accept();
}
