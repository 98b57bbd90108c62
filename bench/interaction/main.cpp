// The longest time the user-interface thread stalls while the user drags the
// DPI slider across its range, clicks 100 polling-rate changes, gives a mouse
// key 100 functions on the button page, binds macros to it 100 times and
// switches the receiver's long range and light on the settings page, with the
// mouse (the shipped world's Aero behind its 4K receiver) writing every change
// at its own report rate, beside a stock QSlider and stock buttons driven the
// same way in the same run. A 1 ms timer sees the stalls; between two clicks
// the event loop runs for 8 ms, as between mouse events.
//
//     bench_interaction [steps]        (default 200 slider steps)
#include "bench_common.h"
#include "program_window.h"

#include "buttoninterface.h"
#include "form_setting.h"
#include "post_msg.h"
#include "macro_file.h"
#include "sensor_page.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSlider>
#include <QTextStream>

#include <functional>

namespace {

// The longest stall seen, on the clock and in the thread's processor time.
struct Stall {
    double wallMs = 0;
    double cpuMs = 0;
};

Stall Stop(bench::StallMeter& meter)
{
    Stall stall;
    stall.wallMs = meter.StopMs();
    stall.cpuMs = meter.LongestCpuMs();
    return stall;
}

const int kStepGapMs = 8;
const int kRateClicks = 100;
const int kChanges = 100;
const QStringList kMacros{QStringLiteral("Burst"), QStringLiteral("Sweep")};

// Drags `slider` from its minimum to its maximum in `steps` moves.
Stall DragStall(QSlider* slider, int steps, bench::StallMeter& meter)
{
    meter.Start();
    slider->setSliderDown(true);
    for (int step = 0; step <= steps; ++step) {
        slider->setSliderPosition(slider->minimum() + (slider->maximum() - slider->minimum()) * step / steps);
        bench::Pump(kStepGapMs);
    }
    slider->setSliderDown(false);
    bench::Pump(kStepGapMs);
    return Stop(meter);
}

Stall ClickStall(QAbstractButton* a, QAbstractButton* b, bench::StallMeter& meter)
{
    meter.Start();
    for (int click = 0; click < kRateClicks; ++click) {
        (click % 2 ? b : a)->click();
        bench::Pump(kStepGapMs);
    }
    return Stop(meter);
}

// `changes` changes, each made by clicking the buttons `clicks` gives for it
// in turn, the event loop running between the clicks.
Stall ChangeStall(int changes, const std::function<QList<QAbstractButton*>(int)>& clicks, bench::StallMeter& meter)
{
    meter.Start();
    for (int change = 0; change < changes; ++change) {
        for (QAbstractButton* button : clicks(change)) {
            if (button)
                button->click();
            bench::Pump(kStepGapMs);
        }
    }
    return Stop(meter);
}

// Two macros of a few key events, in the macro folder of the fresh home.
bool WriteMacros()
{
    if (!QDir().mkpath(MacroFolder()))
        return false;
    for (const QString& name : kMacros) {
        QFile file(MacroFilePath(MacroFolder(), name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write("1\n0x04 1 0\n20ms\n0x04 1 1\n0x05 1 0\n20ms\n0x05 1 1\n") < 0)
            return false;
    }
    return true;
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
    if (!program.Start(WriteMacros)) {
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
    const Stall stockDrag = DragStall(stockSlider, steps, meter);
    const Stall programDrag = DragStall(dpi, steps, meter);
    SimControl::waitWrites(30000);
    const Stall stockClicks = ClickStall(stockA, stockB, meter);
    const Stall programClicks = ClickStall(rateA, rateB, meter);
    SimControl::waitWrites(30000);

    // The button page: the key under the thumb gets a function from its menu
    // (two clicks), then a macro (three clicks: key, macro item, macro).
    auto* buttons = program.Main()->findChild<Buttoninterface*>();
    auto* key = buttons ? buttons->findChild<QAbstractButton*>(QStringLiteral("StartPause")) : nullptr;
    auto* back = buttons ? buttons->findChild<QAbstractButton*>(QStringLiteral("BackKey_2")) : nullptr;
    auto* forward = buttons ? buttons->findChild<QAbstractButton*>(QStringLiteral("ForWardKey")) : nullptr;
    auto* macroItem = buttons ? buttons->findChild<QAbstractButton*>(QStringLiteral("DPI_10")) : nullptr;
    auto macroButton = [buttons](const QString& name) -> QAbstractButton* {
        for (QAbstractButton* button : buttons->findChildren<QAbstractButton*>()) {
            if (button->isEnabled() && button->text() == name)
                return button;
        }
        return nullptr;
    };
    emit PostMsg::GetInstance()->SigAddMacroButton();
    if (!key || !back || !forward || !macroItem || !macroButton(kMacros[0]) || !macroButton(kMacros[1])) {
        out << "the button page has no key, function items or macros\n";
        return 1;
    }
    const Stall stockFunctions = ChangeStall(kChanges, [&](int change) {
        return QList<QAbstractButton*>{stockA, change % 2 ? stockB : stockA};
    }, meter);
    const Stall programFunctions = ChangeStall(kChanges, [&](int change) {
        return QList<QAbstractButton*>{key, change % 2 ? forward : back};
    }, meter);
    SimControl::waitWrites(30000);
    if (key->text() != forward->text()) {
        out << "the key did not take its functions\n";
        return 1;
    }
    const Stall stockMacros = ChangeStall(kChanges, [&](int change) {
        return QList<QAbstractButton*>{stockA, stockB, change % 2 ? stockB : stockA};
    }, meter);
    const Stall programMacros = ChangeStall(kChanges, [&](int change) {
        return QList<QAbstractButton*>{key, macroItem, macroButton(kMacros[change % 2])};
    }, meter);
    SimControl::waitWrites(30000);
    if (!key->text().endsWith(kMacros[1])) {
        out << "the key did not take the macros\n";
        return 1;
    }

    // The settings page: the receiver's long range and light, each click one
    // change the receiver takes at once.
    auto* settings = program.Main()->findChild<FormSetting*>();
    auto* longRange = settings ? settings->findChild<QCheckBox*>(QStringLiteral("checkBox_2")) : nullptr;
    auto* lightA = settings ? settings->findChild<QCheckBox*>(QStringLiteral("ReUntil")) : nullptr;
    auto* lightB = settings ? settings->findChild<QCheckBox*>(QStringLiteral("ReUntil_2")) : nullptr;
    if (!longRange || !lightA || !lightB || !settings->LongRangeGroupShown() || !settings->LightGroupShown()) {
        out << "the settings page shows no long range or receiver light\n";
        return 1;
    }
    const Stall stockSettings = ChangeStall(kChanges, [&](int change) {
        return QList<QAbstractButton*>{change % 2 ? stockB : stockA};
    }, meter);
    const Stall programSettings = ChangeStall(kChanges, [&](int change) {
        return QList<QAbstractButton*>{change % 2 ? static_cast<QAbstractButton*>(longRange)
                                                  : static_cast<QAbstractButton*>(change % 4 ? lightA : lightB)};
    }, meter);
    SimControl::waitWrites(30000);

    out << "Longest user-interface stall, receiver report interval " << intervalUs << " us"
        << " (an image write: 163 reports = " << QString::number(163 * intervalUs / 1000.0, 'f', 1) << " ms)\n"
        << "(clock: the longest gap between two ticks of a 1 ms timer; processor: the most processor time the\n"
        << " user-interface thread used between two ticks, which a busy machine does not inflate)\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QString(), -34)
               .arg(QStringLiteral("stock (ms)"), 11)
               .arg(QStringLiteral("program (ms)"), 13)
               .arg(QStringLiteral("ratio"), 7)
               .arg(QStringLiteral("stock processor"), 16)
               .arg(QStringLiteral("program processor"), 18);
    auto row = [&](const QString& what, const Stall& stock, const Stall& program) {
        out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                   .arg(what, -34)
                   .arg(stock.wallMs, 11, 'f', 1)
                   .arg(program.wallMs, 13, 'f', 1)
                   .arg(program.wallMs / std::max(stock.wallMs, 0.001), 7, 'f', 2)
                   .arg(stock.cpuMs, 16, 'f', 1)
                   .arg(program.cpuMs, 18, 'f', 1);
    };
    row(QStringLiteral("DPI slider drag, %1 steps").arg(steps), stockDrag, programDrag);
    row(QStringLiteral("%1 polling-rate clicks").arg(kRateClicks), stockClicks, programClicks);
    row(QStringLiteral("%1 key functions (button page)").arg(kChanges), stockFunctions, programFunctions);
    row(QStringLiteral("%1 macro bindings (button page)").arg(kChanges), stockMacros, programMacros);
    row(QStringLiteral("%1 long range / light (settings)").arg(kChanges), stockSettings, programSettings);
    program.Stop();
    return 0;
}
