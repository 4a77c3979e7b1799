#include "widgets/ConflictMarks.h"

#include <QLabel>

#include "guibase/QtText.h"
#include "widgets/Look.h"

namespace conflicts {

QString Describe(const hotkeys::ConflictMap& map, const hotkeys::HotkeyHolder* holder)
{
    if (holder == nullptr) return {};
    QStringList lines;
    const auto others = map.SharingWith(*holder);
    if (!others.empty())
        lines << QStringLiteral("Эта же комбинация назначена: ") + QString::fromStdString(hotkeys::HolderNames(others));
    for (const hotkeys::Tokens& c : holder->combinations)
        if (const auto reserved = hotkeys::ReservedCombination(c))
            lines << QStringLiteral("Комбинацию %1 перехватывает система").arg(QString::fromStdString(*reserved));
    return lines.join(QLatin1Char('\n'));
}

void Mark(QLabel* label, const QString& description, const QColor& normal)
{
    look::SetTextColor(label, description.isEmpty() ? normal : look::kAlert);
    label->setToolTip(description);
}

}  // namespace conflicts
