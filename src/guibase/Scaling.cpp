#include "guibase/Scaling.h"

#include <QGuiApplication>

namespace scaling {

void FollowTheSystem()
{
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

}  // namespace scaling
