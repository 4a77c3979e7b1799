#include "dialogs/CallSignDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "guibase/Cp1251Prompts.h"
#include "guibase/ErrorGuard.h"
#include "companion/Contract.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

CallSignDialog::CallSignDialog(QWidget* parent) : QDialog(parent)
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

    tag_ = new QLineEdit(this);
    tag_->setObjectName(QStringLiteral("Edit1"));
    tag_->setGeometry(79, 13, 74, 21);

    hasExtra_ = new QCheckBox(QStringLiteral("Доп тег"), this);
    hasExtra_->setObjectName(QStringLiteral("CheckBox1"));
    hasExtra_->setGeometry(158, 15, 67, 17);
    hasExtra_->setFont(look::SansSerif(11, true));
    look::SetTextColor(hasExtra_, look::kTitle);
    connect(hasExtra_, &QCheckBox::clicked, this, [this] { extraTag_->setEnabled(hasExtra_->isChecked()); });

    extraTag_ = new QLineEdit(this);
    extraTag_->setObjectName(QStringLiteral("Edit2"));
    extraTag_->setGeometry(232, 13, 74, 21);

    ok_ = new QPushButton(QStringLiteral("ОК"), this);
    ok_->setObjectName(QStringLiteral("Button1"));
    ok_->setGeometry(120, 48, 75, 25);
    ok_->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, [this] { Guarded(this, [this] { StoreCallSign(); }); });
}

std::optional<CallSign> CallSignDialog::Ask(const CallSign& current, const Store& store)
{
    store_ = store;
    stored_.reset();
    Show(current);
    exec();
    store_ = nullptr;
    return stored_;
}

void CallSignDialog::Show(const CallSign& current)
{
    tag_->setText(current.tag);
    const bool hasExtra = current.extraTag.toStdString() != companion::kExtraTag.fallback;
    hasExtra_->setChecked(hasExtra);
    extraTag_->setEnabled(hasExtra);
    extraTag_->setText(hasExtra ? current.extraTag : QString());
}

void CallSignDialog::StoreCallSign()
{
    // Nothing is stored while either value holds what 1251 cannot spell.
    if (prompts::RefuseUnsupported(this, tag_->text() + (hasExtra_->isChecked() ? extraTag_->text() : QString())))
        return;
    const bool extra = hasExtra_->isChecked() && !extraTag_->text().isEmpty();
    const CallSign typed{tag_->text().isEmpty() ? QString::fromUtf8(companion::kCallSign.fallback.data(),
                                                                     int(companion::kCallSign.fallback.size()))
                                                : tag_->text(),
                         extra ? extraTag_->text()
                               : QString::fromUtf8(companion::kExtraTag.fallback.data(),
                                                   int(companion::kExtraTag.fallback.size()))};
    if (store_) store_(typed);
    stored_ = typed;
    accept();
}
