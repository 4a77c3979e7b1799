#pragma once
// The article editor page (also shown by the instruction item).

#include "GuiGeneral/Page.h"

class ArticlePage : public Page {
    Q_OBJECT
public:
    ArticlePage(SharedState& state, QWidget* parent);

};
