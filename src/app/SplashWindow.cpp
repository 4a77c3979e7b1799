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

    picture_ = new Label(this, QStringLiteral("Image1"));
    picture_->setGeometry(0, 0, 281, 193);
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Drawn transparently: the colour of the lower-left pixel is not painted
    // (the build has made those pixels clear).
    picture_->setPixmap(artwork::SplashPicture());

    progress_ = new SplashBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setGeometry(3, 163, 273, 16);
    progress_->setRange(0, 10);
    progress_->setValue(0);
    progress_->setTextVisible(false);

    ticks_ = new QTimer(this);
    ticks_->setObjectName(QStringLiteral("Timer1"));
    ticks_->setInterval(1000);
    connect(ticks_, &QTimer::timeout, this, &SplashWindow::Tick);
    ticks_->start();
}

void SplashWindow::Tick()
{
    progress_->setValue(progress_->value() + 1);
    if (progress_->value() < 10) return;
    ticks_->stop();
    emit handOver();  // the main window's show raises its first-show sequence
    hide();
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    ticks_->stop();
    event->accept();
    emit closed();
}
