#pragma once
// The panel's artwork: PNGs rendered at build time at their layout sizes,
// with a 2x variant for screens that scale.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace artwork {

// The picture at resource `path` (without ".png"), its 2x variant when a
// screen scales; null when the resource does not exist.
QPixmap Picture(const QString& path);

// One of the 24 side-menu bitmaps by its resource name: an item prefix
// (HM, OT, RK, RS, NK, IN) and a state digit (1 normal, 2 hover, 3 pressed,
// 4 selected). 167 x 49. An unknown name gives a null pixmap.
QPixmap MenuBitmap(const QString& name);

QPixmap SplashPicture();     // 277 x 165; the pixels of its lower-left colour are clear
QPixmap HeaderPicture();     // 122 x 81
QPixmap KeyButtonPicture();  // 43 x 21: white keys on blue-grey
QIcon AppIcon();             // window and tray icon

}  // namespace artwork
