#include "mainwindow/ArticlePage.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSpinBox>

#include "widgets/EditorControls.h"
#include "guibase/Cp1251Prompts.h"
#include "guibase/ErrorGuard.h"
#include "guibase/Prompts.h"
#include "guibase/QtText.h"
#include "session/Session.h"
#include "store/FileNames.h"
#include "store/Files.h"
#include "store/TextFile.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"

using store::LawBook;

const QStringList ArticlePage::kTextButtons = {
    QStringLiteral("Label50"), QStringLiteral("Label51"), QStringLiteral("Label52"), QStringLiteral("Label53"),
    QStringLiteral("Label58"), QStringLiteral("Label59"), QStringLiteral("Label60"), QStringLiteral("Label69"),
    QStringLiteral("Label70"), QStringLiteral("Label71"),
};

namespace {

const QColor kTabSelected(0x3E, 0x6F, 0xA8);
// Where an editor comes into view: over Panel4, below the tabs.
const QPoint kInView(0, 25);
constexpr int kFilterHeight = 20;

// A bevelled panel in the page's colour that shows its title: in the middle,
// or where the controls leave room for it.
class CaptionPanel : public QFrame {
public:
    CaptionPanel(QWidget* parent, const QString& name, const QString& caption, QFrame::Shadow shadow,
                 const QRect& bounds, Qt::Alignment titleAt = Qt::AlignCenter)
        : QFrame(parent), titleAt_(titleAt)
    {
        setObjectName(name);
        setWindowTitle(caption);
        setGeometry(bounds);
        setFrameStyle(QFrame::Panel | shadow);
        setLineWidth(1);
        look::SetBackground(this, look::kPage);
        QPalette p = palette();
        p.setColor(QPalette::Light, look::kPage.lighter(160));
        p.setColor(QPalette::Dark, look::kPage.darker(160));
        p.setColor(QPalette::WindowText, look::kClWindow);
        setPalette(p);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event);
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(contentsRect().adjusted(4, 3, -4, -3), titleAt_, windowTitle());
    }

private:
    Qt::Alignment titleAt_;
};

// A fixed-size text button: white on the list colour, red under the mouse.
Label* AddTextButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds)
{
    auto* label = new Label(text, parent, QString::fromLatin1(name));
    label->setGeometry(bounds);
    label->setAlignment(Qt::AlignCenter);
    look::SetBackground(label, look::kListField);
    label->SetFontColor(look::kLinkNormal);
    label->setCursor(Qt::PointingHandCursor);
    look::MakeLink(label);
    return label;
}

// An article list with its filter field on top, together in `bounds`.
QListWidget* AddArticleList(QWidget* parent, const char* name, const char* filterName, const QRect& bounds,
                            QLineEdit** filter)
{
    *filter = new QLineEdit(parent);
    (*filter)->setObjectName(QString::fromLatin1(filterName));
    (*filter)->setGeometry(bounds.left(), bounds.top(), bounds.width(), kFilterHeight);
    (*filter)->setPlaceholderText(QStringLiteral("Поиск"));
    (*filter)->setClearButtonEnabled(true);
    auto* list = new ListBox(parent, QString::fromLatin1(name), 13);
    list->setGeometry(bounds.adjusted(0, kFilterHeight + 1, 0, 0));
    return list;
}

Memo* AddMemo(QWidget* parent, const char* name, const QRect& bounds)
{
    auto* memo = new Memo(parent, QString::fromLatin1(name));
    memo->setGeometry(bounds);
    memo->SetWordWrap(true);
    memo->SetText(QString::fromLatin1(name));
    return memo;
}

QSpinBox* AddSpin(QWidget* parent, const char* name, int max, const QRect& bounds)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setGeometry(bounds);
    spin->setRange(0, max);
    spin->setValue(0);
    return spin;
}

}  // namespace

ArticlePage::ArticlePage(Session& session, QWidget* parent) : Page(session, QStringLiteral("Shit4"), parent)
{
    tabs_ = {AddTextButton(this, "Label50", QStringLiteral("Устав МВД"), {3, 2, 66, 21}),
             AddTextButton(this, "Label51", QStringLiteral("Административный кодекс"), {81, 2, 146, 21}),
             AddTextButton(this, "Label52", QStringLiteral("Уголовный кодекс"), {240, 2, 108, 21}),
             AddTextButton(this, "Label53", QStringLiteral("ПДД"), {361, 2, 88, 21})};
    for (size_t i = 0; i < tabs_.size(); ++i) {
        const LawBook book = store::LawBooks()[i].book;
        connect(tabs_[i], &Label::Click, this, [this, book] { Guarded(this, [&] { TabClick(book); }); });
    }
    new CaptionPanel(this, QStringLiteral("Panel4"), QStringLiteral("Panel4"), QFrame::Raised, {3, 25, 448, 358});
    BuildCharterEditor();
    BuildCodeEditor();
    ClearEditor();
    ShowBook();
}

void ArticlePage::BuildCharterEditor()
{
    Editor& e = charter_;
    e.outOfSight = {64, 5000, 452, 359};
    e.panel = new CaptionPanel(this, QStringLiteral("PUstav"), QStringLiteral("Ustav"), QFrame::Sunken, e.outOfSight);
    editors::AddLabel(e.panel, "Label55", QStringLiteral("Список статей:"), 8, 13);
    editors::AddLabel(e.panel, "Label56", QStringLiteral("Полный текст стати"), 160, 13);
    editors::AddLabel(e.panel, "Label57", QStringLiteral("Текст выводимый в окно поиска"), 160, 188);
    e.list = AddArticleList(e.panel, "FileListBox1", "ArticleFilter1", {5, 30, 145, 323}, &e.filter);
    e.list->setProperty("Mask", QStringLiteral("*.us*"));
    QPalette listPalette = e.list->palette();
    listPalette.setColor(QPalette::Base, look::kPage);
    listPalette.setColor(QPalette::Text, look::kClWindow);
    e.list->setPalette(listPalette);
    e.text = AddMemo(e.panel, "Memo3", {153, 29, 296, 155});
    e.search = AddMemo(e.panel, "Memo4", {153, 203, 296, 109});
    ConnectEditor(e, AddTextButton(e.panel, "Label58", QStringLiteral("Добавить статью"), {156, 322, 92, 31}),
                  AddTextButton(e.panel, "Label59", QStringLiteral("Удалить статью"), {253, 322, 88, 31}),
                  AddTextButton(e.panel, "Label60", QStringLiteral("Сохранить статью"), {346, 322, 99, 31}));
}

void ArticlePage::BuildCodeEditor()
{
    Editor& e = codes_;
    e.outOfSight = {336, 5000, 452, 359};
    // In view, the code's name stands in the free top right corner.
    e.panel = new CaptionPanel(this, QStringLiteral("Panel3"), QStringLiteral("Panel3"), QFrame::Raised, e.outOfSight,
                               Qt::AlignTop | Qt::AlignRight);
    QWidget* p = e.panel;
    editors::AddLabel(p, "Label61", QStringLiteral("Список статей"), 4, 4);
    editors::AddLabel(p, "Label62", QStringLiteral("Полный текст стати:"), 96, 5);
    editors::AddLabel(p, "Label63", QStringLiteral("Текст выводимый в поиск"), 96, 97);
    editors::AddLabel(p, "Label64", QStringLiteral("Текст в переменной \"пояснение\""), 94, 181);
    editors::AddLabel(p, "Label65", QStringLiteral("Наказания"), 96, 216);
    editors::AddLabel(p, "Label66", QStringLiteral("<- звезды (1й уровень) штраф ->"), 179, 232);
    editors::AddLabel(p, "Label67", QStringLiteral("<- звезды (2й уровень) штраф ->"), 179, 256);
    editors::AddLabel(p, "Label68", QStringLiteral("<- звезды (3й уровень) штраф ->"), 178, 281);
    e.list = AddArticleList(p, "FileListBox2", "ArticleFilter2", {3, 18, 89, 335}, &e.filter);
    e.list->setProperty("Mask", QStringLiteral("*.ak*"));
    e.text = AddMemo(p, "Memo5", {94, 18, 354, 78});
    e.search = AddMemo(p, "Memo6", {94, 111, 354, 69});
    e.explanation = new QLineEdit(QStringLiteral("Edit1"), p);
    e.explanation->setObjectName(QStringLiteral("Edit1"));
    e.explanation->setGeometry(94, 194, 355, 21);
    e.stars = {AddSpin(p, "SpinEdit1", store::kMaxStars, {95, 230, 78, 22}),
               AddSpin(p, "SpinEdit2", store::kMaxStars, {95, 255, 78, 22}),
               AddSpin(p, "SpinEdit3", store::kMaxStars, {94, 279, 79, 22})};
    e.fines = {AddSpin(p, "SpinEdit4", store::kMaxFine, {346, 228, 101, 22}),
               AddSpin(p, "SpinEdit5", store::kMaxFine, {346, 252, 101, 22}),
               AddSpin(p, "SpinEdit6", store::kMaxFine, {346, 276, 101, 22})};
    ConnectEditor(e, AddTextButton(p, "Label69", QStringLiteral("Добавить статью"), {102, 322, 94, 31}),
                  AddTextButton(p, "Label70", QStringLiteral("Удалить статью"), {216, 322, 101, 31}),
                  AddTextButton(p, "Label71", QStringLiteral("Сохранить статью"), {339, 322, 102, 30}));
}

void ArticlePage::ConnectEditor(Editor& editor, Label* add, Label* remove, Label* save)
{
    connect(editor.list, &QListWidget::itemSelectionChanged, this,
            [this] { Guarded(this, [this] { FileListBoxChange(); }); });
    connect(editor.filter, &QLineEdit::textChanged, this, [this] { Guarded(this, [this] { FilterChange(); }); });
    connect(add, &Label::Click, this, [this] { Guarded(this, [this] { AddArticleClick(); }); });
    connect(remove, &Label::Click, this, [this] { Guarded(this, [this] { DeleteArticleClick(); }); });
    connect(save, &Label::Click, this, [this] { Guarded(this, [this] { SaveArticleClick(); }); });
}

QString ArticlePage::PathOf(const QString& file) const
{
    return folder_ + file;
}

QString ArticlePage::NameOf(const QString& file) const
{
    return ToQString(store::ArticleName(file.toStdString(), book_));
}

void ArticlePage::Opened()
{
    Open(ToQString(session_.ArticlesFolder()));
}

void ArticlePage::Open(const QString& folder)
{
    if (folder == folder_) return;
    if (!ConfirmLeave()) return;
    folder_ = folder;
    ClearEditor();
    ReadBook();
}

void ArticlePage::TabClick(LawBook book)
{
    if (book == book_ || !ConfirmLeave()) return;
    book_ = book;
    ClearEditor();
    ShowBook();
}

void ArticlePage::ShowBook()
{
    for (Editor* e : {&charter_, &codes_}) {
        const bool shown = e == &Shown();
        e->panel->setGeometry(shown ? QRect(kInView, e->outOfSight.size()) : e->outOfSight);
        if (shown) e->panel->raise();
    }
    const store::LawBookInfo& info = store::BookInfo(book_);
    if (info.penalties) codes_.panel->setWindowTitle(ToQString(info.title));
    for (size_t i = 0; i < tabs_.size(); ++i)
        look::SetBackground(tabs_[i], store::LawBooks()[i].book == book_ ? kTabSelected : look::kListField);
    ReadBook();
}

void ArticlePage::ReadBook()
{
    entries_.clear();
    if (!folder_.isEmpty()) {
        for (const std::string& file : store::ListArticleFiles(folder_.toStdString(), book_)) {
            Entry entry{ToQString(file), ToQString(store::ArticleName(file, book_)), {}};
            // An unreadable file is still listed: choosing it tells why.
            try {
                entry.article = store::ReadArticleFile(PathOf(entry.file).toStdString()).article;
            } catch (const store::FileError&) {
            }
            entries_.push_back(std::move(entry));
        }
    }
    FillList();
}

void ArticlePage::FillList()
{
    Editor& e = Shown();
    const std::string filter = e.filter->text().toStdString();
    const QSignalBlocker block(e.list);
    e.list->clear();
    for (const Entry& entry : entries_) {
        if (!store::ArticleMatches(entry.name.toStdString(), entry.article, filter)) continue;
        auto* item = new QListWidgetItem(entry.name, e.list);
        item->setData(Qt::UserRole, entry.file);
    }
    SelectInList(current_);
}

void ArticlePage::SelectInList(const QString& file)
{
    QListWidget* list = Shown().list;
    const QSignalBlocker block(list);
    for (int row = 0; row < list->count(); ++row) {
        if (!file.isEmpty() && list->item(row)->data(Qt::UserRole).toString() == file) {
            list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
            return;
        }
    }
    list->setCurrentRow(-1, QItemSelectionModel::Clear);
}

void ArticlePage::ShowArticle(LawBook book, const QString& file)
{
    TabClick(book);
    if (book_ != book) return;  // the player chose to stay
    Editor& e = Shown();
    for (int pass = 0; pass < 2; ++pass) {
        for (int row = 0; row < e.list->count(); ++row) {
            if (e.list->item(row)->data(Qt::UserRole).toString() == file) {
                e.list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
                return;
            }
        }
        e.filter->clear();  // the filter hid it
    }
}

void ArticlePage::FilterChange()
{
    FillList();
}

void ArticlePage::FileListBoxChange()
{
    const QList<QListWidgetItem*> selected = Shown().list->selectedItems();
    if (selected.isEmpty()) return;
    const QString file = selected.front()->data(Qt::UserRole).toString();
    if (file == current_) return;
    // Until the new article is in the editor, the list shows the one that is.
    try {
        if (ConfirmLeave()) LoadArticle(file);
    } catch (...) {
        SelectInList(current_);
        throw;
    }
    SelectInList(current_);
}

void ArticlePage::LoadArticle(const QString& file)
{
    const store::ParsedArticle parsed = store::ReadArticleFile(PathOf(file).toStdString());
    current_ = file;
    loaded_ = parsed.article;
    PutInEditor(loaded_);
    shown_ = FromEditor();
    if (!store::BookInfo(book_).penalties || parsed.problems.empty()) return;
    QString text = QStringLiteral("В файле статьи «%1» наказания записаны неверно:").arg(NameOf(file));
    for (const store::PenaltyProblem& p : parsed.problems) {
        text += QStringLiteral("\r\n%1й уровень, %2: «%3», показано %4")
                    .arg(p.level)
                    .arg(p.fine ? QStringLiteral("штраф") : QStringLiteral("звезды"))
                    .arg(ToQString(p.stored))
                    .arg(p.used);
    }
    text += QStringLiteral("\r\nДопустимо: звезды от 0 до %1, штраф от 0 до %2. Сохраните статью, чтобы исправить файл.")
                .arg(store::kMaxStars)
                .arg(store::kMaxFine);
    prompts::Message(this, text);
}

void ArticlePage::ClearEditor()
{
    current_.clear();
    loaded_ = {};
    for (Editor* e : {&charter_, &codes_}) {
        const QSignalBlocker block(e->list);
        e->list->setCurrentRow(-1, QItemSelectionModel::Clear);
    }
    PutInEditor(loaded_);
    shown_ = FromEditor();
}

void ArticlePage::PutInEditor(const store::Article& article)
{
    // Nothing to edit without an article: typing could only be lost.
    const bool on = !current_.isEmpty();
    for (Editor* e : {&charter_, &codes_}) {
        e->text->SetText(ToQString(article.text));
        e->search->SetText(ToQString(article.search));
        e->text->setEnabled(on);
        e->search->setEnabled(on);
    }
    codes_.explanation->setText(ToQString(article.explanation));
    codes_.explanation->setEnabled(on);
    for (size_t i = 0; i < article.penalties.size(); ++i) {
        codes_.stars[i]->setValue(article.penalties[i].stars);
        codes_.fines[i]->setValue(article.penalties[i].fine);
        codes_.stars[i]->setEnabled(on);
        codes_.fines[i]->setEnabled(on);
    }
}

store::Article ArticlePage::FromEditor() const
{
    const Editor& e = Shown();
    store::Article a = loaded_;
    a.text = e.text->Text().toStdString();
    a.search = e.search->Text().toStdString();
    if (e.explanation) a.explanation = e.explanation->text().toStdString();
    for (size_t i = 0; i < e.stars.size(); ++i) {
        if (e.stars[i]) a.penalties[i].stars = e.stars[i]->value();
        if (e.fines[i]) a.penalties[i].fine = e.fines[i]->value();
    }
    return a;
}

store::Article ArticlePage::Edited() const
{
    // A field the user left alone keeps the file's text exactly, even where a
    // control could not show it as it is (line breaks in the one-line field).
    const store::Article now = FromEditor();
    store::Article a = loaded_;
    if (now.text != shown_.text) a.text = now.text;
    if (now.search != shown_.search) a.search = now.search;
    if (now.explanation != shown_.explanation) a.explanation = now.explanation;
    a.penalties = now.penalties;
    return a;
}

bool ArticlePage::IsModified() const
{
    return !current_.isEmpty() && FromEditor() != shown_;
}

bool ArticlePage::Save()
{
    const store::Article article = Edited();
    // Article texts reach the chat too (the "пояснение" variable): the question every editor asks.
    if (!prompts::ConfirmCp1251(this, ToQString(article.text + article.search + article.explanation))) return false;
    store::WriteArticleFile(PathOf(current_).toStdString(), article, book_);
    loaded_ = article;
    shown_ = FromEditor();
    for (Entry& entry : entries_)
        if (entry.file == current_) entry.article = article;
    return true;
}

bool ArticlePage::ConfirmLeave()
{
    if (!IsModified()) return true;
    const int answer = prompts::Question(
        this, QStringLiteral("Статья «%1» изменена. Сохранить изменения?").arg(NameOf(current_)),
        {QStringLiteral("Сохранить"), QStringLiteral("Не сохранять"), QStringLiteral("Отмена")});
    if (answer == 0) return Save();
    return answer != 2;
}

void ArticlePage::AddArticleClick()
{
    const prompts::InputResult answer = prompts::InputBox(this, QStringLiteral("Добавить статью"),
                                                          QStringLiteral("Номер или название статьи:"), QString());
    if (!answer.accepted) return;
    const QString& name = answer.text;
    if (!store::IsPlainFileName(name.toStdString())) {
        prompts::Message(this, QStringLiteral("Недопустимое название статьи"));
        return;
    }
    const QString file = name + ToQString(store::BookInfo(book_).extension);
    if (store::FileExists(PathOf(file).toStdString())) {
        prompts::Message(this, QStringLiteral("Такая статья уже существует"));
        return;
    }
    if (!ConfirmLeave()) return;
    // A folder from before the article editor has no articles folder yet.
    store::MakeFolder(folder_.toStdString());
    store::WriteArticleFile(PathOf(file).toStdString(), {}, book_);
    Shown().filter->clear();  // the new article must be in the list
    ClearEditor();
    ReadBook();
    LoadArticle(file);
    SelectInList(current_);
}

void ArticlePage::SaveArticleClick()
{
    if (current_.isEmpty()) {
        prompts::Message(this, QStringLiteral("Вначале выберите или добавьте статью"));
        return;
    }
    Save();
}

void ArticlePage::DeleteArticleClick()
{
    if (current_.isEmpty()) {
        prompts::Message(this, QStringLiteral("Вначале выберите статью"));
        return;
    }
    const int answer = prompts::Question(
        this, QStringLiteral("Удалить статью «%1»? Её текст будет удалён с диска.").arg(NameOf(current_)),
        {QStringLiteral("Удалить"), QStringLiteral("Отмена")});
    if (answer != 0) return;
    const std::string path = PathOf(current_).toStdString();
    // Already gone is as good as deleted.
    if (store::FileExists(path)) store::DeleteTextFile(path);
    ClearEditor();
    ReadBook();
}
