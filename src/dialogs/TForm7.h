#pragma once
// An empty window that exists for the whole run and is never shown.

#include <QWidget>

class TForm7 : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
};
