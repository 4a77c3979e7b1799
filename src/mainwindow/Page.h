#pragma once
// One of the main window's page panels: 452 x 384 in the page colour, working
// on the run's session.

#include "widgets/Panel.h"

class Session;

class Page : public Panel {
    Q_OBJECT
public:
    Page(Session& session, const QString& name, QWidget* parent);

protected:
    Session& session_;
};
