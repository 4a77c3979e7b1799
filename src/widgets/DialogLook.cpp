#include "widgets/DialogLook.h"

#include <QDialog>
#include <QPalette>

#include "widgets/Look.h"

namespace dialoglook {

void MakeFixedDialog(QDialog* dialog, const QSize& client, const QColor& background)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(client);
    dialog->setModal(true);
    dialog->setFont(look::SansSerif());
    look::SetBackground(dialog, background);
}

void StyleField(QWidget* field)
{
    QPalette p = field->palette();
    p.setColor(QPalette::Base, look::kField);
    p.setColor(QPalette::Button, look::kField);
    p.setColor(QPalette::Text, look::kTitle);
    p.setColor(QPalette::ButtonText, look::kTitle);
    p.setColor(QPalette::Window, look::kField);
    field->setPalette(p);
}

}  // namespace dialoglook
