#include "mainwindow/SearchBox.h"

#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include "guibase/QtText.h"
#include "mainwindow/CommandPage.h"
#include "mainwindow/InstructionPage.h"
#include "hotkeys/BinderKeys.h"
#include "hotkeys/HotkeyString.h"
#include "hotkeys/RolePlayEntries.h"
#include "store/Articles.h"
#include "store/ServerPaths.h"
#include "session/Session.h"
#include "store/TextFile.h"
#include "widgets/Look.h"

namespace {

// A text that cannot be read is searched by its title alone.
std::string ReadOrEmpty(const std::string& path)
{
    try {
        return store::ReadTextFile(path).value_or(std::string());
    } catch (const store::FileError&) {
        return {};
    }
}

}  // namespace

SearchBox::SearchBox(Session& session, QWidget* parent) : QFrame(parent), session_(session)
{
    setObjectName(QStringLiteral("SearchBox"));
    setGeometry(176, 85, 440, 222);
    setFrameShape(QFrame::Box);
    look::SetBackground(this, look::kWindow);
    look::SetTextColor(this, look::kField);

    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("SearchEdit"));
    edit_->setGeometry(4, 4, 432, 22);
    edit_->setPlaceholderText(QStringLiteral("Поиск по отыгровкам, командам, клавишам, статьям и инструкции"));
    edit_->installEventFilter(this);

    results_ = new QListWidget(this);
    results_->setObjectName(QStringLiteral("SearchResults"));
    results_->setGeometry(4, 30, 432, 188);
    results_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette p = results_->palette();
    p.setColor(QPalette::Base, look::kListField);
    p.setColor(QPalette::Text, look::kClWindow);
    results_->setPalette(p);
    results_->installEventFilter(this);

    connect(edit_, &QLineEdit::textChanged, this, &SearchBox::Update);
    connect(edit_, &QLineEdit::returnPressed, this, [this] { Choose(std::max(results_->currentRow(), 0)); });
    connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { Choose(results_->row(item)); });
    connect(results_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { Choose(results_->row(item)); });
    hide();
}

void SearchBox::Open()
{
    Rebuild();
    Update();
    show();
    raise();
    edit_->setFocus();
    edit_->selectAll();
}

void SearchBox::Rebuild()
{
    index_ = text::SearchIndex();
    targets_.clear();

    const std::string rpDir = session_.RolePlayFolder();
    int entry = 0;
    for (const hotkeys::RolePlayEntry& e : hotkeys::RolePlayEntries()) {
        const std::string body = e.fileName.empty() ? std::string() : ReadOrEmpty(rpDir + std::string(e.fileName));
        index_.Add(e.caption, body);
        targets_.push_back({Kind::RolePlay, entry++, {}});
    }

    const QString commands = QString::fromStdString(session_.CommandsFolder());
    for (const QString& file : CommandPage::CommandFiles(commands)) {
        index_.Add(CommandPage::CommandName(file).toStdString(),
                   ReadOrEmpty(QDir(commands).filePath(file).toStdString()));
        targets_.push_back({Kind::Command, 0, file});
    }

    // The law books: an article by its name and all its texts.
    const std::string articles = session_.ArticlesFolder();
    for (const store::LawBookInfo& book : store::LawBooks()) {
        for (const std::string& file : store::ListArticleFiles(articles, book.book)) {
            store::Article a;
            try {
                a = store::ReadArticleFile(articles + file).article;
            } catch (const std::exception&) {
                // listed by its name alone
            }
            index_.Add(std::string(book.title) + " " + store::ArticleName(file, book.book),
                       a.text + "\r\n" + a.search + "\r\n" + a.explanation);
            targets_.push_back({Kind::Article, static_cast<int>(book.book), QString::fromStdString(file)});
        }
    }

    // The picture of the keys, by its name.
    index_.Add("Карта клавиш: какие клавиши заняты и свободны", {});
    targets_.push_back({Kind::KeyboardMap, 0, {}});

    // The instruction, section by section.
    for (const InstructionPage::Section& section : InstructionPage::Sections()) {
        index_.Add(section.title.toStdString(), section.text.toStdString());
        targets_.push_back({Kind::Guide, 0, section.anchor});
    }

    int row = 0;
    for (const hotkeys::BinderKey& key : hotkeys::BinderKeys()) {
        const std::string value =
            session_.StoredHotkey({hotkeys::HotkeySource::Settings, std::string(key.iniKey)}, key.defaultHotkey);
        index_.Add(std::string(key.caption) + " — " + hotkeys::HotkeyCaption(value), {});
        targets_.push_back({Kind::Key, row++, {}});
    }
}

QString SearchBox::Describe(const text::SearchHit& hit) const
{
    const Target& t = targets_[hit.item];
    const QString line = ToQString(hit.lineText);
    switch (t.kind) {
    case Kind::RolePlay:
        if (hit.line < 0) return QStringLiteral("Отыгровка: %1").arg(line);
        return QStringLiteral("Отыгровка, строка %1: %2").arg(hit.line + 1).arg(line);
    case Kind::Command:
        if (hit.line < 0) return QStringLiteral("Команда: %1").arg(line);
        return QStringLiteral("Команда %1, строка %2: %3")
            .arg(CommandPage::CommandName(t.name))
            .arg(hit.line + 1)
            .arg(line);
    case Kind::Article:
        if (hit.line < 0) return QStringLiteral("Статья: %1").arg(line);
        return QStringLiteral("Статья %1: %2").arg(t.name, line);
    case Kind::Guide:
        return QStringLiteral("Инструкция: %1").arg(line);
    case Kind::KeyboardMap:
        return line;
    case Kind::Key:
        break;
    }
    return QStringLiteral("Клавиша: %1").arg(line);
}

void SearchBox::Update()
{
    hits_ = index_.Find(edit_->text().toStdString());
    results_->clear();
    // Long lines end in "…" within the box; the whole line is the tooltip.
    const QFontMetrics metrics(results_->font());
    const int width = results_->viewport()->width() - 8;
    for (const text::SearchHit& hit : hits_) {
        const QString text = Describe(hit);
        auto* item = new QListWidgetItem(metrics.elidedText(text, Qt::ElideRight, width), results_);
        item->setData(Qt::UserRole, text);
        QString tip = text;
        if (targets_[hit.item].kind == Kind::RolePlay)
            tip += u'\n' + ToQString(hotkeys::RolePlayEntries()[static_cast<size_t>(targets_[hit.item].index)].caption);
        item->setToolTip(tip);
    }
    if (!hits_.empty()) results_->setCurrentRow(0);
}

void SearchBox::Choose(int row)
{
    if (row < 0 || row >= static_cast<int>(hits_.size())) return;
    const text::SearchHit hit = hits_[static_cast<size_t>(row)];
    hide();
    emit resultChosen(targets_[hit.item], hit.line, edit_->text());
}

bool SearchBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            hide();
            return true;
        }
        if (watched == edit_ && (key == Qt::Key_Down || key == Qt::Key_Up)) {
            const int row = results_->currentRow() + (key == Qt::Key_Down ? 1 : -1);
            if (row >= 0 && row < results_->count()) results_->setCurrentRow(row);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
