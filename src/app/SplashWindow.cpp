#include "app/SplashWindow.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QProgressBar>
#include <QTimer>

#include "widgets/Artwork.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Quorvel"));
    setWindowIcon(artwork::AppIcon());
    setFixedSize(283, 194);
    move(549, 234);
    look::SetBackground(this, look::kWindow);

    image1_ = new Label(this, QStringLiteral("Image1"));
    image1_->setGeometry(0, 0, 281, 193);
    image1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPixmap picture = artwork::SplashPicture();
    // Drawn transparently: the colour of the lower-left pixel is not painted.
    const QColor key = picture.toImage().pixelColor(0, picture.height() - 1);
    picture.setMask(picture.createMaskFromColor(key, Qt::MaskInColor));
    image1_->setPixmap(picture);

    progressBar1_ = new QProgressBar(this);
    progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar1_->setGeometry(3, 163, 273, 16);
    progressBar1_->setRange(0, 10);
    progressBar1_->setValue(0);
    progressBar1_->setTextVisible(false);
    progressBar1_->setStyleSheet(QStringLiteral(
        "QProgressBar { background: #1B2027; border: 1px solid #3A424E; border-radius: 3px; }"
        "QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5AA6FF, stop:1 #2D8CFF);"
        " border-radius: 2px; }"));

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, &SplashWindow::Tick);
    timer1_->start();
}

void SplashWindow::Tick()
{
    progressBar1_->setValue(progressBar1_->value() + 1);
    if (progressBar1_->value() < 10) return;
    timer1_->stop();
    emit handOver();  // the main window's show raises its first-show sequence
    hide();
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    timer1_->stop();
    event->accept();
    emit closed();
}
