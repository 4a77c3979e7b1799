#include "dialogs/RankDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "guibase/ErrorGuard.h"
#include "guibase/QtText.h"
#include "session/Session.h"
#include "session/SyncHandshake.h"
#include "text/Profile.h"
#include "widgets/DialogLook.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

RankDialog::RankDialog(Session& session, SyncHandshake& sync, QWidget* parent)
    : QDialog(parent), session_(session), sync_(sync)
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
    // The titles {ранг} counts by, so the two never differ.
    for (std::string_view title : text::kRankTitles) comboBox1_->addItem(ToQString(title));
    comboBox1_->setEditText(comboBox1_->itemText(0));
    dialoglook::StyleField(comboBox1_);

    button1_ = new QPushButton(QStringLiteral("OK"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setGeometry(96, 56, 75, 25);
    button1_->setAutoDefault(false);
    connect(button1_, &QPushButton::clicked, this, [this] { Guarded(this, [this] { StoreRank(); }); });
}

// The store first: a refused write leaves the dialog open and the page as it was.
void RankDialog::StoreRank()
{
    const QString rank = comboBox1_->currentText();
    session_.Write(companion::kRank, rank.toStdString());
    emit rankStored(rank);
    sync_.Request();
    accept();
}
