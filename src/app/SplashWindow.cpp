#include "app/SplashWindow.h"

#include <QCloseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>

#include "widgets/Artwork.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

namespace {

// The bar paints its own look: a style sheet would load Qt's style sheet
// engine before the splash can show.
class SplashBar : public QProgressBar {
public:
    using QProgressBar::QProgressBar;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(0x3A, 0x42, 0x4E));
        p.setBrush(QColor(0x1B, 0x20, 0x27));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        const int span = maximum() - minimum();
        if (span <= 0 || value() <= minimum()) return;
        QRectF chunk = QRectF(rect()).adjusted(1, 1, -1, -1);
        chunk.setWidth(chunk.width() * (value() - minimum()) / span);
        QLinearGradient fill(chunk.topLeft(), chunk.bottomLeft());
        fill.setColorAt(0, QColor(0x5A, 0xA6, 0xFF));
        fill.setColorAt(1, QColor(0x2D, 0x8C, 0xFF));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(chunk, 2, 2);
    }
};

}  // namespace

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Quorvel"));
    setFixedSize(283, 194);
    move(549, 234);
    look::SetBackground(this, look::kWindow);

    image1_ = new Label(this, QStringLiteral("Image1"));
    image1_->setGeometry(0, 0, 281, 193);
    image1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Drawn transparently: the colour of the lower-left pixel is not painted
    // (the build has made those pixels clear).
    image1_->setPixmap(artwork::SplashPicture());

    progressBar1_ = new SplashBar(this);
    progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar1_->setGeometry(3, 163, 273, 16);
    progressBar1_->setRange(0, 10);
    progressBar1_->setValue(0);
    progressBar1_->setTextVisible(false);

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
