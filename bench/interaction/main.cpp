// The longest time the user-interface thread stalls while the user drags the
// DPI slider across its range and while clicking 100 polling-rate changes,
// with the mouse (the shipped world's Aero behind its 4K receiver) writing
// every change at its own report rate, beside a stock QSlider and stock
// buttons driven the same way in the same run. A 1 ms timer sees the stalls;
// between two steps the event loop runs for 8 ms, as between mouse events.
//
//     bench_interaction [steps]        (default 200 slider steps)
#include "bench_common.h"
#include "program_window.h"

#include "sensor_page.h"

#include <QPushButton>
#include <QSlider>
#include <QTextStream>

#include <functional>

namespace {

const int kStepGapMs = 8;
const int kRateClicks = 100;

// Drags `slider` from its minimum to its maximum in `steps` moves.
double DragStall(QSlider* slider, int steps, bench::StallMeter& meter)
{
    meter.Start();
    slider->setSliderDown(true);
    for (int step = 0; step <= steps; ++step) {
        slider->setSliderPosition(slider->minimum() + (slider->maximum() - slider->minimum()) * step / steps);
        bench::Pump(kStepGapMs);
    }
    slider->setSliderDown(false);
    bench::Pump(kStepGapMs);
    return meter.StopMs();
}

double ClickStall(QAbstractButton* a, QAbstractButton* b, bench::StallMeter& meter)
{
    meter.Start();
    for (int click = 0; click < kRateClicks; ++click) {
        (click % 2 ? b : a)->click();
        bench::Pump(kStepGapMs);
    }
    return meter.StopMs();
}

template <class T> T* Shown(QWidget* within, const QString& name)
{
    for (T* widget : within->findChildren<T*>(name)) {
        if (widget->isVisibleTo(within))
            return widget;
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int steps = std::max(2, argc > 1 ? QByteArray(argv[1]).toInt() : 200);
    QTextStream out(stdout);

    bench::ProgramWindow program;
    if (!program.Start()) {
        out << "the window did not show\n";
        return 1;
    }
    bench::Pump(300);
    mytoolButtonEnter* card = bench::ProgramWindow::Card(QStringLiteral("aero-r4"));
    if (!card) {
        out << "no card for aero-r4\n";
        return 1;
    }
    QTest::mouseClick(card, Qt::LeftButton);
    // The waiting dialog after the connection closes on its own.
    QElapsedTimer limit;
    limit.start();
    while ((QApplication::activeModalWidget() || limit.elapsed() < 2000) && limit.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    SimControl::waitWrites(5000);

    auto* sensor = program.Main()->findChild<Sensor*>();
    QSlider* dpi = sensor ? Shown<QSlider>(sensor, QStringLiteral("horizontalSliderC")) : nullptr;
    auto* rateA = sensor ? Shown<QAbstractButton>(sensor, QStringLiteral("Button500HZ")) : nullptr;
    auto* rateB = sensor ? Shown<QAbstractButton>(sensor, QStringLiteral("Button1000HZ")) : nullptr;
    if (!dpi || !rateA || !rateB) {
        out << "the sensor page has no DPI slider or rate buttons\n";
        return 1;
    }

    QWidget stock;
    auto* stockSlider = new QSlider(Qt::Horizontal, &stock);
    stockSlider->setRange(dpi->minimum(), dpi->maximum());
    auto* stockA = new QPushButton(QStringLiteral("500"), &stock);
    auto* stockB = new QPushButton(QStringLiteral("1000"), &stock);
    stockA->setCheckable(true);
    stockB->setCheckable(true);
    stock.show();

    bench::StallMeter meter;
    const int intervalUs = SimControl::reportIntervalUs(QStringLiteral("aero-r4"));
    SimControl::clearCallLog();
    const double stockDrag = DragStall(stockSlider, steps, meter);
    const double programDrag = DragStall(dpi, steps, meter);
    SimControl::waitWrites(30000);
    const double stockClicks = ClickStall(stockA, stockB, meter);
    const double programClicks = ClickStall(rateA, rateB, meter);
    SimControl::waitWrites(30000);

    out << "Longest user-interface stall, receiver report interval " << intervalUs << " us"
        << " (an image write: 163 reports = " << QString::number(163 * intervalUs / 1000.0, 'f', 1) << " ms)\n";
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg(QString(), -34)
               .arg(QStringLiteral("stock (ms)"), 11)
               .arg(QStringLiteral("program (ms)"), 13)
               .arg(QStringLiteral("ratio"), 7);
    auto row = [&](const QString& what, double stockMs, double programMs) {
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(what, -34)
                   .arg(stockMs, 11, 'f', 1)
                   .arg(programMs, 13, 'f', 1)
                   .arg(programMs / std::max(stockMs, 0.001), 7, 'f', 2);
    };
    row(QStringLiteral("DPI slider drag, %1 steps").arg(steps), stockDrag, programDrag);
    row(QStringLiteral("%1 polling-rate clicks").arg(kRateClicks), stockClicks, programClicks);
    program.Stop();
    return 0;
}
