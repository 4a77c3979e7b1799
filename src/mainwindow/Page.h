#pragma once
// One of the main window's page panels: 452 x 384 in the page colour, working
// on the run's session.

#include "widgets/Panel.h"

class Session;

class Page : public Panel {
    Q_OBJECT
public:
    Page(Session& session, const QString& name, QWidget* parent);

    // Its menu item opened it, just before it shows: the moment a page reads
    // what it reads then (the role-play folder, the command list …). Throws
    // like the handlers it runs; the page is not shown then.
    virtual void Opened() {}

protected:
    Session& session_;
};
