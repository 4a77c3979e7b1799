#pragma once
// The instruction page: a guide a new player reads once, from the program's
// resources. Its links to the panel's pages ("page:keys") are passed on; its
// links inside the guide ("#keys") scroll to their heading.

#include "mainwindow/Page.h"

class QTextBrowser;

class InstructionPage : public Page {
    Q_OBJECT
public:
    InstructionPage(Session& session, QWidget* parent);

    // Scrolls to a heading of the guide and, when `what` is found below it,
    // selects it.
    void ShowSection(const QString& anchor, const QString& what);
    QTextBrowser* Browser() const { return browser_; }

    // The guide's sections for the search: each heading's anchor, its title
    // and the text under it up to the next heading.
    struct Section {
        QString anchor;
        QString title;
        QString text;
    };
    static QList<Section> Sections();

signals:
    // A link to one of the panel's pages: "home", "roleplay", "commands",
    // "articles", "keys" or "copies".
    void pageRequested(const QString& page);

private:
    static QList<Section> ParseSections();

    QTextBrowser* browser_;
};
