#include "dialogs/RankDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "guibase/ErrorGuard.h"
#include "guibase/QtText.h"
#include "text/Profile.h"
#include "widgets/DialogLook.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

RankDialog::RankDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Выбор звания:"));
    dialoglook::MakeFixedDialog(this, QSize(263, 91), look::kWindow);

    AddTextLabel(this, QStringLiteral("Label1"), QStringLiteral("Ваще звание:"), {8, 24}, look::SansSerif(11, true),
                 look::kSilver);

    ranks_ = new QComboBox(this);
    ranks_->setObjectName(QStringLiteral("ComboBox1"));
    ranks_->setGeometry(105, 20, 145, 21);
    ranks_->setEditable(true);
    ranks_->setInsertPolicy(QComboBox::NoInsert);
    ranks_->setFont(look::SansSerif());
    // The titles {ранг} counts by, so the two never differ.
    for (std::string_view title : text::kRankTitles) ranks_->addItem(ToQString(title));
    ranks_->setEditText(ranks_->itemText(0));
    dialoglook::StyleField(ranks_);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("Button1"));
    ok_->setGeometry(96, 56, 75, 25);
    ok_->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, [this] { Guarded(this, [this] { StoreRank(); }); });
}

std::optional<QString> RankDialog::Ask(const Store& store)
{
    store_ = store;
    stored_.reset();
    exec();
    store_ = nullptr;
    return stored_;
}

// The store first: a refused write leaves the dialog open and the page as it was.
void RankDialog::StoreRank()
{
    const QString rank = ranks_->currentText();
    if (store_) store_(rank);
    stored_ = rank;
    accept();
}
