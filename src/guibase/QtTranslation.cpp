#include "guibase/QtTranslation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace qt_translation {
namespace {

// Stored uncompressed, so the translator reads it in place from the
// program's image instead of unpacking a copy at every start.
const QString kResource = QStringLiteral(":/i18n/qtbase_ru.qm");
const QString kName = QStringLiteral("QtBaseRussian");

}  // namespace

bool InstallRussian(QCoreApplication& app)
{
    if (app.findChild<QTranslator*>(kName, Qt::FindDirectChildrenOnly) != nullptr) return true;
    auto* translator = new QTranslator(&app);
    translator->setObjectName(kName);
    if (!translator->load(kResource) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace qt_translation
