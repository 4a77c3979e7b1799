#pragma once
// One of the main window's page panels: 452 x 384 in the page colour.

#include "widgets/Panel.h"

struct SharedState;

class Page : public Panel {
    Q_OBJECT
public:
    Page(SharedState& state, const QString& name, QWidget* parent);

protected:
    SharedState& state_;
};
