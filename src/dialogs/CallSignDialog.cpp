#include "dialogs/CallSignDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "guibase/Cp1251Prompts.h"
#include "guibase/ErrorGuard.h"
#include "session/Session.h"
#include "session/SyncHandshake.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

CallSignDialog::CallSignDialog(Session& session, SyncHandshake& sync, QWidget* parent)
    : QDialog(parent), session_(session), sync_(sync)
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
    connect(checkBox1_, &QCheckBox::clicked, this, [this] { edit2_->setEnabled(checkBox1_->isChecked()); });

    edit2_ = new QLineEdit(this);
    edit2_->setObjectName(QStringLiteral("Edit2"));
    edit2_->setGeometry(232, 13, 74, 21);

    button1_ = new QPushButton(QStringLiteral("ОК"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setGeometry(120, 48, 75, 25);
    button1_->setAutoDefault(false);
    connect(button1_, &QPushButton::clicked, this, [this] { Guarded(this, [this] { StoreCallSign(); }); });
}

void CallSignDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ReadStored();
}

void CallSignDialog::ReadStored()
{
    edit1_->setText(QString::fromStdString(session_.Read(companion::kCallSign)));
    const std::string extra = session_.Read(companion::kExtraTag);
    const bool hasExtra = extra != companion::kExtraTag.fallback;
    checkBox1_->setChecked(hasExtra);
    edit2_->setEnabled(hasExtra);
    edit2_->setText(hasExtra ? QString::fromStdString(extra) : QString());
}

void CallSignDialog::StoreCallSign()
{
    // Nothing is stored while either value holds what 1251 cannot spell.
    if (prompts::RefuseUnsupported(this, edit1_->text() + (checkBox1_->isChecked() ? edit2_->text() : QString())))
        return;
    session_.Write(companion::kCallSign,
                   edit1_->text().isEmpty() ? std::string(companion::kCallSign.fallback) : edit1_->text().toStdString());
    const bool extra = checkBox1_->isChecked() && !edit2_->text().isEmpty();
    session_.Write(companion::kExtraTag, extra ? edit2_->text().toStdString() : std::string(companion::kExtraTag.fallback));
    emit callSignStored();
    sync_.Request();
    accept();
}
