#pragma once
// A multi-line text box that holds its text as a Windows memo does: lines
// joined by CR LF, every character kept as typed or loaded. It also counts
// its displayed lines the way the memo does (after word wrap, an empty last
// line not counted) and reports double-clicks.

#include <QPlainTextEdit>
#include <climits>

class QAction;
class QMenu;

class Memo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Memo(QWidget* parent = nullptr, const QString& name = {});

    // The whole text, line breaks as CR LF: a break counts two characters.
    QString Text() const;
    // Accepts CR LF, LF or CR breaks.
    void SetText(const QString& text);

    void SetWordWrap(bool on);
    void SetColors(const QColor& background, const QColor& text);
    // A context menu that replaces the standard edit menu.
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    QMenu* PopupMenu() const { return popupMenu_; }
    // An entry added to the context menu, whichever it is.
    void AddMenuAction(QAction* action);
    // Puts the cursor on line `line` (0-based) and selects the first `what`
    // there (letter case ignored), or the whole line when it is not found.
    void SelectInLine(int line, const QString& what);

    // Displayed lines after word wrap at the memo's current width, without an
    // empty last line. Counting stops once `limit` is reached.
    int DisplayedLines(int limit = INT_MAX) const;

signals:
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int WrapWidth() const;

    QMenu* popupMenu_ = nullptr;
    QList<QAction*> menuActions_;
};
