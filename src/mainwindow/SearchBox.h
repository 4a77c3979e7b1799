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
class Session;

// What a chosen result names.
struct SearchTarget {
    enum class Kind { RolePlay, Command, Key, Article, Guide, KeyboardMap };
    Kind kind;
    int index;     // role-play entry, binder key row, or law book
    QString name;  // the command's or the article's file name, the guide's heading anchor
};

class SearchBox : public QFrame {
    Q_OBJECT
public:
    SearchBox(Session& session, QWidget* parent);

    // Reads what is searched afresh and shows the box with the edit focused.
    void Open();
    // Closes the box and tells what result row `row` names.
    void Choose(int row);

    QLineEdit* Edit() const { return edit_; }
    QListWidget* Results() const { return results_; }

signals:
    // `line`: the line of the text that matched, -1 for a title; `query`: what was typed.
    void resultChosen(const SearchTarget& target, int line, const QString& query);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Kind = SearchTarget::Kind;
    using Target = SearchTarget;

    void Rebuild();
    void Update();
    QString Describe(const text::SearchHit& hit) const;

    Session& session_;
    QLineEdit* edit_ = nullptr;
    QListWidget* results_ = nullptr;
    text::SearchIndex index_;
    std::vector<Target> targets_;  // one per index item
    std::vector<text::SearchHit> hits_;
};
