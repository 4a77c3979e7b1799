#pragma once
// The splash window, the run's first window: ten ticks after it shows it
// hands over to the main window and hides itself. Closing it ends the run.

#include <QWidget>

class QProgressBar;
class QTimer;
class Label;

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    SplashWindow();

    void Tick();  // Timer1, once a second

signals:
    void handOver();  // the tenth tick: the main window shows now
    void closed();    // the application's main window closed: the run ends

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Label* picture_;          // Image1
    QProgressBar* progress_;  // ProgressBar1
    QTimer* ticks_;           // Timer1
};
