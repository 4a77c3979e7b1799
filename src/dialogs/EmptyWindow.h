#pragma once
// An empty window that exists for the whole run and is never shown.

#include <QWidget>

class EmptyWindow : public QWidget {
    Q_OBJECT
public:
    explicit EmptyWindow(QWidget* parent = nullptr);
};
