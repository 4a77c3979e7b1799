#pragma once
// The splash window. Created first, it opens the settings store; ten ticks
// later it shows the main window and hides itself. Closing it ends the run.

#include <QWidget>

class QProgressBar;
class QTimer;
class Label;
struct SharedState;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(SharedState& state);

    void Timer1Timer();  // the splash tick

signals:
    void Closed();  // the application's main window closed: the run ends

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    SharedState& state_;
    Label* image1_;
    QProgressBar* progressBar1_;
    QTimer* timer1_;
};
