#include "GuiGeneral/EditorControls.h"

#include <QLabel>
#include <QStringList>

#include "guibase/Prompts.h"
#include "guibase/QtText.h"
#include "store/Cp1251.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

namespace editors {

Label* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y, const QColor& color, bool bold)
{
    return AddTextLabel(parent, QString::fromLatin1(name), text, {x, y}, look::SansSerif(11, bold), color);
}

QLabel* AddLineStatus(QWidget* parent, const char* name, const QRect& rect)
{
    auto* status = new QLabel(parent);
    status->setObjectName(QString::fromLatin1(name));
    status->setGeometry(rect);
    status->setFont(look::SansSerif(11, true));
    status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    status->hide();
    return status;
}

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
           prompts::Question(parent, QStringLiteral("Символы %1 не поддерживаются и будут сохранены как «?». Сохранить?").arg(bad));
}

bool RefuseUnsupported(QWidget* parent, const QString& value)
{
    const QString bad = Unsupported(value);
    if (bad.isEmpty()) return false;
    prompts::Message(parent, QStringLiteral("Символы %1 не поддерживаются. Значение не сохранено.").arg(bad));
    return true;
}

}  // namespace editors
