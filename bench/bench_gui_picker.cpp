// Opening the keyboard picker from a key image: from the press to the dialog
// shown, and to its first paint.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include "mainwindow/KeysPage.h"
#include "app/Application.h"
#include "guibase/Prompts.h"
#include "app/SplashWindow.h"
#include "dialogs/HotkeyPicker.h"
#include "gui/GuiTestSupport.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

namespace {

// Notes when the picker is shown and first painted, then closes it.
class OpenWatch : public QObject {
public:
    OpenWatch(HotkeyPicker* picker, QElapsedTimer& clock) : picker_(picker), clock_(clock) { picker->installEventFilter(this); }

    qint64 shown = -1;
    qint64 painted = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != picker_) return false;
        if (event->type() == QEvent::Show && shown < 0) shown = clock_.nsecsElapsed();
        if (event->type() == QEvent::Paint && painted < 0) {
            painted = clock_.nsecsElapsed();
            QMetaObject::invokeMethod(picker_, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    }

private:
    HotkeyPicker* picker_;
    QElapsedTimer& clock_;
};

void BM_OpenPicker(benchmark::State& state)
{
    guitest::ProgramFolder folder;
    folder.WriteSettings("[hotkeys]\r\nkey37=~VK02 & VK70 & VK9F\r\n");
    prompts::StartRecording();
    Application run(folder.Path());
    run.BuildWindows();
    for (int tick = 0; tick < 10; ++tick) run.Splash()->Tick();
    MainWindow* main = run.Main();
    main->Keys()->ShowKeyPage(1);
    Label* image = main->findChild<Label*>(QStringLiteral("Key37"));
    HotkeyPicker* picker = run.GetDialogs().picker;

    const bool toPaint = state.range(0) == 1;
    for (auto _ : state) {
        QElapsedTimer clock;
        OpenWatch watch(picker, clock);
        clock.start();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), image->mapToGlobal(QPointF(3, 3)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(image, &press);  // returns when the picker has closed
        const qint64 until = toPaint ? watch.painted : watch.shown;
        if (until < 0) {
            state.SkipWithError("the picker was not shown and painted");
            break;
        }
        state.SetIterationTime(double(until) / 1e9);
    }
    prompts::StopRecording();
}
// The first opening of a run also paints the keyboard picture: one
// iteration, registered first, so nothing has painted it yet.
BENCHMARK(BM_OpenPicker)->Name("BM_FirstOpening")->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPicker)->ArgName("to_paint")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
