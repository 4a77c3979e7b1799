#pragma once
// The article editor page (also shown by the instruction item): the layout of
// an editor for charter, administrative-code, criminal-code and traffic-rule
// articles. Only its text buttons react, with the shared hover highlight;
// nothing on it reads or writes a file.

#include "GuiGeneral/Page.h"

class ArticlePage : public Page {
    Q_OBJECT
public:
    ArticlePage(SharedState& state, QWidget* parent);

    // The four tab labels and the six action labels.
    static const QStringList kTextButtons;
};
