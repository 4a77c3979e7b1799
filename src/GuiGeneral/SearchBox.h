#pragma once
// Ctrl+F: a small box over the page area that finds a text in the role-play
// entries of the current server (caption and text), the commands (name and
// text) and the binder actions (caption and hotkey caption), and opens what
// the user picks: the page, the entry, command or key row, the line.

#include <QFrame>
#include <vector>

#include "text/Search.h"

class QLineEdit;
class QListWidget;
class TForm1;
struct SharedState;

class SearchBox : public QFrame {
    Q_OBJECT
public:
    SearchBox(SharedState& state, TForm1* form);

    // Reads what is searched afresh and shows the box with the edit focused.
    void Open();
    // Opens what result row `row` names and closes the box.
    void Choose(int row);

    QLineEdit* Edit() const { return edit_; }
    QListWidget* Results() const { return results_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Kind { RolePlay, Command, Key, Article };
    struct Target {
        Kind kind;
        int index;     // role-play entry, binder key row, or law book
        QString name;  // the command's or the article's file name
    };

    void Rebuild();
    void Update();
    QString Describe(const text::SearchHit& hit) const;

    SharedState& state_;
    TForm1* form_;
    QLineEdit* edit_ = nullptr;
    QListWidget* results_ = nullptr;
    text::SearchIndex index_;
    std::vector<Target> targets_;  // one per index item
    std::vector<text::SearchHit> hits_;
};
