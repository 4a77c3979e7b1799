#include "dialogs/DepartmentDialog.h"

#include "guibase/ErrorGuard.h"
#include "widgets/DialogLook.h"
#include "widgets/Artwork.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

DepartmentDialog::DepartmentDialog(QWidget* parent) : QDialog(parent)
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
}

void DepartmentDialog::showEvent(QShowEvent* event)
{
    // Half a megabyte of pictures, decoded only for a player who opens the dialog.
    for (auto& [image, picture] : banners_)
        if (image->pixmap().isNull()) image->setPixmap(artwork::Picture(picture));
    QDialog::showEvent(event);
}

std::optional<QString> DepartmentDialog::Ask(const Store& store)
{
    store_ = store;
    stored_.reset();
    exec();
    store_ = nullptr;
    return stored_;
}

void DepartmentDialog::Choose(const char* department)
{
    const QString code = QString::fromLatin1(department);
    if (store_) store_(code);
    stored_ = code;
    accept();
}
