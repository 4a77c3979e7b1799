#pragma once
// A list box with rows of one fixed height, as the framework's list boxes
// have, whatever the font.

#include <QListWidget>

class ListBox : public QListWidget {
    Q_OBJECT
public:
    ListBox(QWidget* parent, const QString& name, int itemHeight);
};
