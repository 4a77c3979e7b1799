#pragma once
// The article editor page (also shown by the instruction item): the
// department's four law books, one file per article in the server's articles
// folder. The charter has its own editor; the three codes share the editor
// with penalties.

#include <array>

#include "mainwindow/Page.h"
#include "store/Articles.h"

class Label;
class Memo;
class QLineEdit;
class QListWidget;
class QSpinBox;

class ArticlePage : public Page {
    Q_OBJECT
public:
    ArticlePage(Session& session, QWidget* parent);

    // The four tab labels and the six action labels.
    static const QStringList kTextButtons;

    // Shows the books of `folder` (trailing separator). A missing folder lists
    // nothing. The page keeps its book, article and edits while the folder is
    // the one it shows; another folder first settles unsaved edits.
    void Open(const QString& folder);
    // The books of the server in force now.
    void Opened() override;

    // Handlers.
    void TabClick(store::LawBook book);  // Label50 .. Label53
    void FileListBoxChange();            // the selection of the shown list moved
    void FilterChange();                 // the filter above the shown list
    void AddArticleClick();              // Label58, Label69
    void DeleteArticleClick();           // Label59, Label70
    void SaveArticleClick();             // Label60, Label71

    // Shows the book and loads the article of `file` (as a choice in the list
    // would, unsaved edits asked about first); the filter is cleared when it hides it.
    void ShowArticle(store::LawBook book, const QString& file);

    const QString& Folder() const { return folder_; }
    store::LawBook Book() const { return book_; }
    // The file of the article in the editor; empty when none is.
    const QString& CurrentFile() const { return current_; }
    bool IsModified() const;

private:
    struct Editor {
        QWidget* panel = nullptr;
        QRect outOfSight;
        QListWidget* list = nullptr;
        QLineEdit* filter = nullptr;
        Memo* text = nullptr;
        Memo* search = nullptr;
        QLineEdit* explanation = nullptr;  // the codes only
        std::array<QSpinBox*, store::kPenaltyLevels> stars{};
        std::array<QSpinBox*, store::kPenaltyLevels> fines{};
    };
    struct Entry {
        QString file;
        QString name;
        store::Article article;  // for the filter; empty when unreadable
    };

    void BuildCharterEditor();
    void BuildCodeEditor();
    void ConnectEditor(Editor& editor, Label* add, Label* remove, Label* save);

    Editor& Shown() { return store::BookInfo(book_).penalties ? codes_ : charter_; }
    const Editor& Shown() const { return store::BookInfo(book_).penalties ? codes_ : charter_; }
    QString PathOf(const QString& file) const;
    QString NameOf(const QString& file) const;
    // The editor of the book in view, tabs marked, the list read afresh.
    void ShowBook();
    void ReadBook();
    void FillList();
    void SelectInList(const QString& file);
    void LoadArticle(const QString& file);
    void ClearEditor();
    void PutInEditor(const store::Article& article);
    store::Article FromEditor() const;
    // What Save writes: the article as loaded with the fields the user changed.
    store::Article Edited() const;
    // False, with nothing written, when the player would not have characters
    // 1251 cannot hold stored as "?".
    bool Save();
    // Asks whether to save, discard or stay when the article in the editor has
    // unsaved edits; false means stay.
    bool ConfirmLeave();

    std::array<Label*, 4> tabs_{};
    Editor charter_;
    Editor codes_;
    QString folder_;
    store::LawBook book_ = store::LawBook::Charter;
    std::vector<Entry> entries_;
    QString current_;
    store::Article loaded_;  // as read from the file
    store::Article shown_;   // as the editor showed it right after loading
};
