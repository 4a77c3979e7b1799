#include "widgets/Artwork.h"

#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QResource>

namespace artwork {

namespace {

qreal ScreenRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

// A picture drawn at twice the size, for a screen above 1x: between 1x and 2x
// it is made exactly as large as the screen shows it, so drawn 1:1 it stays sharp.
QPixmap AtScreenPixels(QImage twice, qreal ratio)
{
    if (ratio != 2.0)
        twice = twice.scaled((QSizeF(twice.size()) * ratio / 2.0).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap pm = QPixmap::fromImage(twice);
    pm.setDevicePixelRatio(ratio);
    return pm;
}

}  // namespace

QPixmap Picture(const QString& path)
{
    if (const qreal ratio = ScreenRatio(); ratio > 1.0) {
        const QImage twice(path + QStringLiteral("@2x.png"));
        if (!twice.isNull()) return AtScreenPixels(twice, ratio);
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
    // Raw pixels: the first window of the run decodes nothing and needs none
    // of Qt's image readers, whose plugin search costs more than the picture.
    const qreal ratio = ScreenRatio();
    const bool twice = ratio > 1.0;
    const QResource raw(twice ? QStringLiteral(":/art/splash@2x.rgba") : QStringLiteral(":/art/splash.rgba"));
    const QSize size = QSize(277, 165) * (twice ? 2 : 1);
    if (raw.size() != qint64(size.width()) * size.height() * 4 || raw.compressionAlgorithm() != QResource::NoCompression)
        return {};
    const QImage image(reinterpret_cast<const uchar*>(raw.data()), size.width(), size.height(), QImage::Format_RGBA8888);
    return twice ? AtScreenPixels(image, ratio) : QPixmap::fromImage(image);
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
