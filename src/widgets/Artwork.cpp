#include "widgets/Artwork.h"

#include <QGuiApplication>
#include <QHash>

namespace artwork {

QPixmap Picture(const QString& path)
{
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
        QPixmap pm(path + QStringLiteral("@2x.png"));
        if (!pm.isNull()) {
            pm.setDevicePixelRatio(2.0);
            return pm;
        }
    }
    return QPixmap(path + QStringLiteral(".png"));
}

QPixmap MenuBitmap(const QString& name)
{
    // A state change happens on every hover: decode each bitmap once.
    static QHash<QString, QPixmap> cache;
    if (auto it = cache.constFind(name); it != cache.constEnd()) return *it;
    const QPixmap pm = Picture(QStringLiteral(":/menu/") + name);
    if (!pm.isNull()) cache.insert(name, pm);
    return pm;
}

QPixmap SplashPicture()
{
    return Picture(QStringLiteral(":/art/splash"));
}

QPixmap HeaderPicture()
{
    return Picture(QStringLiteral(":/art/header"));
}

QPixmap KeyButtonPicture()
{
    static const QPixmap pm = Picture(QStringLiteral(":/art/keybutton"));
    return pm;
}

QIcon AppIcon()
{
    // The splash, the main window and the tray all ask for it at start-up.
    static const QIcon icon = [] {
        QIcon i;
        for (int size : {16, 24, 32, 48}) {
            const QString base = QStringLiteral(":/art/appicon-%1").arg(size);
            i.addFile(base + QStringLiteral(".png"), QSize(size, size));
            i.addFile(base + QStringLiteral("@2x.png"), QSize(2 * size, 2 * size));
        }
        return i;
    }();
    return icon;
}

}  // namespace artwork
