// The library's threads: reports on one dispatcher thread in order, no
// re-entrant delivery, hot plug on the registering thread, and closing or
// replacing a connection while its callback is blocked.
#include "sim_fixture.h"

#include <QSemaphore>
#include <QtTest>

#include <atomic>
#include <thread>

namespace {

// --- hot-plug callbacks (plain functions, so their state is file-wide) ---
std::atomic<int> g_callsA{0};
std::atomic<int> g_callsB{0};
std::atomic<bool> g_offMainThread{false};
std::atomic<bool> g_replaceInsideA{false};
std::atomic<int> g_callsOfBInsideA{0};
Qt::HANDLE g_mainThread = nullptr;

void hotplugB()
{
    ++g_callsB;
    if (QThread::currentThreadId() != g_mainThread)
        g_offMainThread = true;
}

void hotplugA()
{
    ++g_callsA;
    if (QThread::currentThreadId() != g_mainThread)
        g_offMainThread = true;
    if (g_replaceInsideA.exchange(false)) {
        const int before = g_callsB;
        StartUsbChanged(&hotplugB, 600);
        g_callsOfBInsideA = g_callsB - before;
    }
}

// --- report callbacks ---
std::atomic<int> g_depth{0};
std::atomic<int> g_maxDepth{0};

void reentrancyProbe(const unsigned char* header, int headerLength, const unsigned char* payload, int payloadLength)
{
    const int depth = ++g_depth;
    g_maxDepth = qMax(g_maxDepth.load(), depth);
    // A request from inside the callback is only queued.
    if (headerLength > 1 && header[1] == DEVICELIB_REPORT_DATA)
        UsbServer_ReadVersion();
    ReportRecorder::callback(header, headerLength, payload, payloadLength);
    --g_depth;
}

// Blocks in a blocking-queued call to the main thread, as the program's
// report callback does while a page applies the data.
QObject* g_mainObject = nullptr;
QSemaphore g_callbackEntered;
std::atomic<int> g_blockingCalls{0};

void blockingCallback(const unsigned char* header, int headerLength, const unsigned char* payload, int payloadLength)
{
    ++g_blockingCalls;
    g_callbackEntered.release();
    QMetaObject::invokeMethod(g_mainObject, [] {}, Qt::BlockingQueuedConnection);
    ReportRecorder::callback(header, headerLength, payload, payloadLength);
}

} // namespace

class DeviceLibThreads : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { g_mainThread = QThread::currentThreadId(); }
    void init()
    {
        loadTestWorld();
        g_callsA = g_callsB = 0;
        g_offMainThread = false;
        g_replaceInsideA = false;
    }
    void cleanup()
    {
        StopUsbChanged();
        UsbServer_Exit();
        SimControl::waitIdle();
    }

    void reportsArriveInOrderOnOneLibraryThread();
    void requestsFromInsideTheCallbackAreQueued();
    void hotplugFirstCallBeforeReturning();
    void hotplugLaterCallsOnRegisteringThreadCoalesced();
    void hotplugReplacedFromInsideCallback();
    void hotplugStopped();
    void closingWhileCallbackBlockedDoesNotWait();
    void replacingConnectionDropsOldReports();
};

void DeviceLibThreads::reportsArriveInOrderOnOneLibraryThread()
{
    QVERIFY(connectTo("r4"));
    const int rounds = 20;
    for (int i = 0; i < rounds; ++i) {
        UsbServer_ReadCurrentDPI();
        UsbServer_ReadBatteryLevel();
        UsbServer_ReadVersion();
        if (i == rounds / 2)
            SimControl::setLatencyMs(0); // a lower latency must not overtake queued reports
    }
    const QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(reports.size(), rounds * 3);
    const int expected[3] = {DEVICELIB_REPORT_DATA, DEVICELIB_REPORT_BATTERY, DEVICELIB_REPORT_VERSION};
    for (int i = 0; i < reports.size(); ++i) {
        QCOMPARE(reports[i].type(), expected[i % 3]);
        QCOMPARE(reports[i].thread, reports[0].thread);
    }
    QVERIFY(reports[0].thread != g_mainThread);
}

void DeviceLibThreads::requestsFromInsideTheCallbackAreQueued()
{
    g_maxDepth = 0;
    const QByteArray path = SimControl::devicePath("r4");
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), &reentrancyProbe));
    UsbServer_ReadAllFlashData();
    UsbServer_ReadBatteryLevel();
    const QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(g_maxDepth.load(), 1);
    QCOMPARE(reports.size(), 3);
    QCOMPARE(reports[0].type(), int(DEVICELIB_REPORT_DATA));
    QCOMPARE(reports[1].type(), int(DEVICELIB_REPORT_BATTERY)); // asked before the callback asked
    QCOMPARE(reports[2].type(), int(DEVICELIB_REPORT_VERSION));
}

void DeviceLibThreads::hotplugFirstCallBeforeReturning()
{
    StartUsbChanged(&hotplugA, 600);
    QCOMPARE(g_callsA.load(), 1);
    QVERIFY(!g_offMainThread);
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(g_callsA.load(), 1); // nothing changed, so no further call
}

void DeviceLibThreads::hotplugLaterCallsOnRegisteringThreadCoalesced()
{
    StartUsbChanged(&hotplugA, 600);
    // Three changes from another thread while this thread runs no events.
    std::thread changer([] {
        SimControl::setPlugged("r8", false);
        SimControl::setPlugged("spare", true);
        SimControl::setPlugged("cable", false);
    });
    changer.join();
    QCOMPARE(g_callsA.load(), 1);
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(g_callsA.load(), 2);
    QVERIFY(!g_offMainThread);

    // A change that lists nothing new or gone is no arrival or removal.
    SimControl::setMouseAwake("m8", true);
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(g_callsA.load(), 2);
}

void DeviceLibThreads::hotplugReplacedFromInsideCallback()
{
    StartUsbChanged(&hotplugA, 600);
    g_replaceInsideA = true;
    SimControl::setPlugged("r4", false);
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(g_callsA.load(), 2);
    QCOMPARE(g_callsOfBInsideA.load(), 1); // the new callback's first call, before StartUsbChanged returned
    SimControl::setPlugged("r4", true);
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(g_callsA.load(), 2);
    QCOMPARE(g_callsB.load(), 2);
    QVERIFY(!g_offMainThread);
}

void DeviceLibThreads::hotplugStopped()
{
    StartUsbChanged(&hotplugA, 600);
    SimControl::setPlugged("r4", false); // queued before the stop
    StopUsbChanged();
    SimControl::setPlugged("r4", true);
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(g_callsA.load(), 1);
}

void DeviceLibThreads::closingWhileCallbackBlockedDoesNotWait()
{
    QObject mainObject;
    g_mainObject = &mainObject;
    g_blockingCalls = 0;
    const QByteArray path = SimControl::devicePath("r4");
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), &blockingCallback));
    StartUsbChanged(&hotplugA, 600);
    UsbServer_ReadCurrentDPI();
    UsbServer_ReadBatteryLevel();
    g_callbackEntered.acquire(); // the first callback now waits for this thread

    // None of these may wait for the blocked callback.
    UsbServer_Exit();
    StopUsbChanged();
    QVERIFY(connectTo("cable"));
    QVERIFY(UsbServer_ReadVersion());

    QVERIFY(SimControl::waitIdle()); // runs this thread's events: the callback finishes
    QCOMPARE(g_blockingCalls.load(), 1); // the old connection's second report was dropped
    const QList<RecordedReport> reports = ReportRecorder::instance().take();
    QCOMPARE(reports.size(), 2);
    QCOMPARE(reports[0].type(), int(DEVICELIB_REPORT_DATA)); // the report already in the callback
    QCOMPARE(reports[1].type(), int(DEVICELIB_REPORT_VERSION)); // the new connection's answer
    g_mainObject = nullptr;
}

void DeviceLibThreads::replacingConnectionDropsOldReports()
{
    SimControl::setLatencyMs(50);
    QVERIFY(connectTo("r4"));
    UsbServer_ReadAllFlashData();
    QVERIFY(connectTo("cable"));
    UsbServer_ReadConfig();
    const QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports[0].type(), int(DEVICELIB_REPORT_CONFIG_LIST));
    QCOMPARE(SimControl::connectionPath(), SimControl::devicePath("cable"));
}

QTEST_GUILESS_MAIN(DeviceLibThreads)
#include "tst_devicelib_threads.moc"
