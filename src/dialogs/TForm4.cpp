#include "dialogs/TForm4.h"

#include "GuiGeneral/SharedState.h"
#include "GuiGeneral/TForm1.h"
#include "guibase/ErrorGuard.h"
#include "dialogs/DialogLook.h"
#include "widgets/Artwork.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

TForm4::TForm4(SharedState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Выберите ваш департамент"));
    dialoglook::MakeFixedDialog(this, QSize(393, 313), look::kClBtnFace);

    struct Banner {
        const char* name;
        const char* picture;
        QRect box;
        void (TForm4::*click)();
    };
    const Banner banners[] = {
        {"Image1", ":/art/sfpd", {0, 0, 393, 105}, &TForm4::Image1Click},
        {"Image2", ":/art/lvpd", {0, 104, 393, 105}, &TForm4::Image2Click},
        {"Image3", ":/art/lspd", {0, 208, 394, 105}, &TForm4::Image3Click},
    };
    for (const Banner& b : banners) {
        auto* image = new Label(this, QString::fromLatin1(b.name));
        image->setGeometry(b.box);
        image->setScaledContents(true);
        image->setPixmap(artwork::Picture(QString::fromLatin1(b.picture)));
        image->setCursor(Qt::PointingHandCursor);
        connect(image, &Label::Click, this, [this, click = b.click] { Guarded(this, [&] { (this->*click)(); }); });
    }
    // Any end of the dialog: a banner's accept, the close box's reject.
    connect(this, &QDialog::finished, this, [this] { Guarded(this, [this] { FormClose(); }); });
}

void TForm4::Choose(const char* department)
{
    state_.SettingsIni->WriteString("global", "департамент", department);
    if (Label* label11 = state_.forms.Form1->findChild<Label*>(QStringLiteral("Label11")))
        label11->setText(QString::fromLatin1(department));
    accept();
}

void TForm4::Image1Click()
{
    Choose("SFPD");
}

void TForm4::Image2Click()
{
    Choose("LVPD");
}

void TForm4::Image3Click()
{
    Choose("LSPD");
}

void TForm4::FormClose()
{
    state_.forms.Form1->RequestSync();
}
