#pragma once
// The role-play text editor page.

#include "GuiGeneral/Page.h"

class RolePlayPage : public Page {
    Q_OBJECT
public:
    RolePlayPage(SharedState& state, QWidget* parent);

};
