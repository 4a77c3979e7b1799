#include "widgets/Artwork.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

namespace artwork {

QPixmap Render(const QString& path, const QSize& size)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) return {};
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    renderer.render(&p);
    return pm;
}

QPixmap MenuBitmap(const QString& name)
{
    // A state change happens on every hover: render each bitmap once.
    static QHash<QString, QPixmap> cache;
    if (auto it = cache.constFind(name); it != cache.constEnd()) return *it;
    const QPixmap pm = Render(QStringLiteral(":/menu/") + name, QSize(167, 49));
    if (!pm.isNull()) cache.insert(name, pm);
    return pm;
}

QPixmap SplashPicture()
{
    return Render(QStringLiteral(":/art/splash"), QSize(277, 165));
}

QPixmap HeaderPicture()
{
    return Render(QStringLiteral(":/art/header"), QSize(122, 81));
}

QPixmap KeyButtonPicture()
{
    static const QPixmap pm = Render(QStringLiteral(":/art/keybutton"), QSize(43, 21));
    return pm;
}

QIcon AppIcon()
{
    // The splash, the main window and the tray all ask for it at start-up.
    static const QIcon icon = [] {
        QIcon i;
        for (int size : {16, 32, 48}) i.addPixmap(Render(QStringLiteral(":/art/appicon"), QSize(size, size)));
        return i;
    }();
    return icon;
}

}  // namespace artwork
