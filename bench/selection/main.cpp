// What a user waits for after clicking a device card on the real home page:
// the time until every page shows the mouse's configuration (the image fill,
// then the DPI light, battery and profile answers), with the shipped world's
// devices at their own report rate. Prints, per device, the time beyond the
// device's own transfers (the dump read, 108 reports, and four one-report
// answers) and beyond the 150 ms the selection waits before its pass, and the
// processor time the user-interface thread spent meanwhile, which a busy
// machine does not inflate.
//
//     bench_selection [rounds]        (default 5; medians)
#include "bench_common.h"
#include "program_window.h"

#include "post_msg.h"

#include <QStackedWidget>
#include <QTextStream>
#include <QTimer>

#include <atomic>
#include <iterator>

#include <pthread.h>

namespace {

const int kSelectWaitMs = 150;
const int kReadReports = 108 + 4;

// Notes when the pages have taken the answers of a connection pass: on the
// emitting thread, after the pages' own (blocking) slots have returned; with
// the processor time the user-interface thread (the one constructing this)
// has used by then.
class FillRecorder : public QObject {
public:
    FillRecorder()
    {
        pthread_getcpuclockid(pthread_self(), &m_uiClock);
        PostMsg* hub = PostMsg::GetInstance();
        const auto direct = Qt::DirectConnection;
        connect(hub, &PostMsg::SigForm, this, [this] { Note(0); }, direct);
        connect(hub, &PostMsg::SigUpDataDPILed, this, [this](FlashDataMap) { Note(1); }, direct);
        connect(hub, &PostMsg::SigBattery, this, [this](bool, int, bool) { Note(2); }, direct);
        connect(hub, &PostMsg::SigUpDataConfigUI, this, [this](int, int, bool) { Note(3); }, direct);
    }
    void Reset()
    {
        for (std::atomic<bool>& seen : m_seen)
            seen = false;
        m_lastNs = 0;
        m_lastUiCpuNs = 0;
    }
    bool Filled() const
    {
        return std::all_of(std::begin(m_seen), std::end(m_seen), [](const std::atomic<bool>& seen) { return seen.load(); });
    }
    qint64 LastNs() const { return m_lastNs; }
    qint64 LastUiCpuNs() const { return m_lastUiCpuNs; }
    qint64 UiCpuNs() const { return bench::ThreadCpuNs(m_uiClock); }

private:
    void Note(int what)
    {
        m_lastNs = bench::MonotonicNs();
        m_lastUiCpuNs = bench::ThreadCpuNs(m_uiClock);
        m_seen[what] = true;
    }
    std::atomic<bool> m_seen[4] = {};
    std::atomic<qint64> m_lastNs{0};
    std::atomic<qint64> m_lastUiCpuNs{0};
    clockid_t m_uiClock{};
};

int MainPage(const DialogMain* main)
{
    const auto* stack = main->findChild<QStackedWidget*>(QStringLiteral("stackedWidgetMain"));
    return stack ? stack->currentIndex() : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int rounds = std::max(1, argc > 1 ? QByteArray(argv[1]).toInt() : 5);
    QTextStream out(stdout);

    bench::ProgramWindow program;
    if (!program.Start()) {
        out << "the window did not show\n";
        return 1;
    }
    FillRecorder recorder;
    PostMsg* hub = PostMsg::GetInstance();

    out << "Card click to every page filled, median of " << rounds << " rounds\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
               .arg(QStringLiteral("device"), -10)
               .arg(QStringLiteral("filled (ms)"), 12)
               .arg(QStringLiteral("device (ms)"), 12)
               .arg(QStringLiteral("waits (ms)"), 11)
               .arg(QStringLiteral("beyond (ms)"), 12)
               .arg(QStringLiteral("filled / (device + waits)"), 27)
               .arg(QStringLiteral("UI processor (ms)"), 18);
    // Wakes the waiting loop below, which sleeps between events rather than
    // spending the processor time it measures.
    QTimer tick;
    tick.start(1);

    for (const QString& id : {QStringLiteral("aero-r4"), QStringLiteral("lynx-r8"), QStringLiteral("orca")}) {
        const double deviceMs = kReadReports * SimControl::reportIntervalUs(id) / 1000.0;
        QVector<double> filled, processor;
        for (int round = 0; round < rounds; ++round) {
            bench::Pump(300);
            mytoolButtonEnter* card = bench::ProgramWindow::Card(id);
            if (!card || MainPage(program.Main()) != 0) {
                out << "no card for " << id << " on the home page\n";
                return 1;
            }
            recorder.Reset();
            const qint64 clicked = bench::MonotonicNs();
            const qint64 clickedCpu = recorder.UiCpuNs();
            QTest::mouseClick(card, Qt::LeftButton);
            QElapsedTimer limit;
            limit.start();
            while (!recorder.Filled() && limit.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (!recorder.Filled()) {
                out << id << ": the pages were not filled within 10 s\n";
                return 1;
            }
            filled << double(recorder.LastNs() - clicked) / 1e6;
            processor << double(recorder.LastUiCpuNs() - clickedCpu) / 1e6;
            // The waiting dialog closes on its own; then back to the home page.
            while (QApplication::activeModalWidget() || limit.elapsed() < 1000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            emit hub->SigChangeMainDialog(0);
            SimControl::waitWrites(5000);
        }
        const double f = bench::Median(filled);
        const double waits = kSelectWaitMs;
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                   .arg(id, -10)
                   .arg(f, 12, 'f', 1)
                   .arg(deviceMs, 12, 'f', 1)
                   .arg(waits, 11, 'f', 1)
                   .arg(f - deviceMs - waits, 12, 'f', 1)
                   .arg(f / (deviceMs + waits), 27, 'f', 2)
                   .arg(bench::Median(processor), 18, 'f', 1);
    }
    program.Stop();
    return 0;
}
