#include "guibase/Cp1251Prompts.h"

#include <QStringList>

#include "guibase/Prompts.h"
#include "guibase/QtText.h"
#include "store/Cp1251.h"

namespace prompts {
namespace {

// "😀, ŝ": what 1251 cannot store; empty when it can store all.
QString Unsupported(const QString& text)
{
    QStringList list;
    for (const std::string& c : store::UnsupportedBy1251(text.toStdString())) list << ToQString(c);
    return list.join(QStringLiteral(", "));
}

}  // namespace

bool ConfirmCp1251(QWidget* parent, const QString& text)
{
    const QString bad = Unsupported(text);
    return bad.isEmpty() ||
           Question(parent, QStringLiteral("Символы %1 не поддерживаются и будут сохранены как «?». Сохранить?").arg(bad));
}

bool RefuseUnsupported(QWidget* parent, const QString& value)
{
    const QString bad = Unsupported(value);
    if (bad.isEmpty()) return false;
    Message(parent, QStringLiteral("Символы %1 не поддерживаются. Значение не сохранено.").arg(bad));
    return true;
}

}  // namespace prompts
