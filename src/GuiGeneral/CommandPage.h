#pragma once
// The command editor page.

#include "GuiGeneral/Page.h"

class CommandPage : public Page {
    Q_OBJECT
public:
    CommandPage(SharedState& state, QWidget* parent);

    // Points the command list at a folder and lists its commands.
    void PointAt(const QString& folder);
};
