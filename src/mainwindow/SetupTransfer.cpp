#include "mainwindow/SetupTransfer.h"

#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QWidget>

#include "session/Session.h"
#include "backup/Apply.h"
#include "backup/Snapshots.h"
#include "dialogs/ImportPreview.h"
#include "guibase/Clock.h"
#include "guibase/ErrorGuard.h"
#include "guibase/Prompts.h"

namespace {

const QString kFilter = QStringLiteral("Архив настроек (*.zip)");

}  // namespace

SetupTransfer::SetupTransfer(Session& session, QWidget* window)
    : QObject(window),
      session_(session),
      window_(window),
      export_(new QAction(QStringLiteral("Экспорт настроек…"), this)),
      import_(new QAction(QStringLiteral("Импорт настроек…"), this)),
      restore_(new QAction(QStringLiteral("Восстановить из копии…"), this))
{
    connect(export_, &QAction::triggered, this, [this] { Guarded(window_, [this] { Export(); }); });
    connect(import_, &QAction::triggered, this, [this] { Guarded(window_, [this] { Import(); }); });
    connect(restore_, &QAction::triggered, this, [this] { Guarded(window_, [this] { Restore(); }); });
}

SetupTransfer::~SetupTransfer()
{
    WaitForSnapshot();
}

void SetupTransfer::StartSnapshot()
{
    WaitForSnapshot();
    backup::Archive setup;
    try {
        setup = backup::Collect(session_.ExeDir(), {}, clock_text::Human());
    } catch (const std::exception& e) {
        prompts::Error(window_, QStringLiteral("Копия настроек не сделана: ") + QString::fromStdString(e.what()));
        return;
    }
    // Files are only read here; packing and writing need no one else.
    snapshot_ = std::thread([this, setup = std::move(setup), exeDir = session_.ExeDir(), stamp = clock_text::FileStamp()] {
        try {
            backup::WriteSnapshot(exeDir, setup, stamp);
        } catch (const std::exception& e) {
            const QString text = QStringLiteral("Копия настроек не сделана: ") + QString::fromStdString(e.what());
            QMetaObject::invokeMethod(this, [this, text] { prompts::Error(window_, text); }, Qt::QueuedConnection);
        }
    });
}

void SetupTransfer::WaitForSnapshot()
{
    if (snapshot_.joinable()) snapshot_.join();
}

void SetupTransfer::Export()
{
    const int server = session_.Server();
    const int choice = prompts::Question(window_, QStringLiteral("Что сохранить в архив?"),
                                         {QStringLiteral("Все настройки"),
                                          QStringLiteral("Только сервер %1").arg(server), QStringLiteral("Отмена")});
    if (choice != 0 && choice != 1) return;
    backup::Scope scope;
    if (choice == 1) scope = {false, {server}};
    const QString suggested = QStringLiteral("quorvel-%1.zip").arg(QString::fromStdString(clock_text::FileStamp()));
    const QString path = prompts::SaveFileName(window_, QStringLiteral("Экспорт настроек"), suggested, kFilter);
    if (path.isEmpty()) return;
    const backup::Archive a = backup::Collect(session_.ExeDir(), scope, clock_text::Human());
    backup::WriteArchive(path.toStdString(), a);
    prompts::Information(window_, QStringLiteral("Сохранено файлов: %1\n%2").arg(a.files.size()).arg(path));
}

void SetupTransfer::Import()
{
    const QString path = prompts::OpenFileName(window_, QStringLiteral("Импорт настроек"), kFilter);
    if (path.isEmpty()) return;
    Offer(backup::ReadArchive(path.toStdString()), QFileInfo(path).fileName());
}

void SetupTransfer::Restore()
{
    WaitForSnapshot();
    const QString path = ChooseSnapshot(session_.ExeDir(), window_);
    if (path.isEmpty()) return;
    Offer(backup::ReadArchive(path.toStdString()), QFileInfo(path).fileName());
}

bool SetupTransfer::Offer(backup::Archive archive, const QString& source)
{
    ImportPreview preview(session_.ExeDir(), std::move(archive), source, window_);
    if (preview.exec() != QDialog::Accepted) return false;
    WaitForSnapshot();
    backup::WriteSnapshot(session_.ExeDir(), backup::Collect(session_.ExeDir(), {}, clock_text::Human()), clock_text::FileStamp());
    backup::ApplyPlan(session_.ExeDir(), preview.Plan());
    // Every page that shows a file hears of it; the companion reads them again.
    session_.SetupReplaced();
    session_.RequestReload();
    prompts::Information(window_, QStringLiteral("Настройки применены. Прежние сохранены в копию."));
    return true;
}
