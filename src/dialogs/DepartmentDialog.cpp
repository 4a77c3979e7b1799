#include "dialogs/DepartmentDialog.h"

#include "guibase/ErrorGuard.h"
#include "session/Session.h"
#include "session/SyncHandshake.h"
#include "widgets/DialogLook.h"
#include "widgets/Artwork.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

DepartmentDialog::DepartmentDialog(Session& session, SyncHandshake& sync, QWidget* parent)
    : QDialog(parent), session_(session), sync_(sync)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Выберите ваш департамент"));
    dialoglook::MakeFixedDialog(this, QSize(393, 313), look::kClBtnFace);

    struct Banner {
        const char* name;
        const char* picture;
        QRect box;
        const char* department;
    };
    const Banner banners[] = {
        {"Image1", ":/art/sfpd", {0, 0, 393, 105}, "SFPD"},
        {"Image2", ":/art/lvpd", {0, 104, 393, 105}, "LVPD"},
        {"Image3", ":/art/lspd", {0, 208, 394, 105}, "LSPD"},
    };
    for (const Banner& b : banners) {
        auto* image = new Label(this, QString::fromLatin1(b.name));
        image->setGeometry(b.box);
        image->setScaledContents(true);
        image->setCursor(Qt::PointingHandCursor);
        banners_.push_back({image, QString::fromLatin1(b.picture)});
        connect(image, &Label::Click, this, [this, department = b.department] { Guarded(this, [&] { Choose(department); }); });
    }
    // Any end of the dialog: a banner's accept, the close box's reject.
    connect(this, &QDialog::finished, this, [this] { Guarded(this, [this] { sync_.Request(); }); });
}

void DepartmentDialog::showEvent(QShowEvent* event)
{
    // Half a megabyte of pictures, decoded only for a player who opens the dialog.
    for (auto& [image, picture] : banners_)
        if (image->pixmap().isNull()) image->setPixmap(artwork::Picture(picture));
    QDialog::showEvent(event);
}

void DepartmentDialog::Choose(const char* department)
{
    session_.Write(companion::kDepartment, department);
    emit departmentStored(QString::fromLatin1(department));
    accept();
}
