// The devices' own timing: report intervals, queued image writes, and the
// call log kept only while asked for.
#include "sim_fixture.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

// Slow enough that a write is still under way when the next call comes.
const int SlowIntervalUs = 2000;

const unsigned char* bytes(const QByteArray& image)
{
    return reinterpret_cast<const unsigned char*>(image.constData());
}

// Loads the test world with each device's own timing.
void loadTimedWorld(const QString& extra = QString())
{
    SimControl::resetWorld();
    QVERIFY(SimControl::loadWorldText(extra + TestWorld()));
    SimControl::setLatencyMs(0);
    SimControl::setReportIntervalUs(-1);
    ReportRecorder::instance().take();
}

QByteArray decodedDump(const RecordedReport& report)
{
    QByteArray image(DEVICELIB_IMAGE_SIZE, '\0');
    ProtocolDataParser(bytes(report.payload), reinterpret_cast<unsigned char*>(image.data()));
    return image;
}

} // namespace

class DeviceLibTiming : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void intervalByDevice_data();
    void intervalByDevice();
    void dumpReadTakesItsReports();
    void writeIsQueuedAndKeepsOrder();
    void newerImageReplacesWaitingOne();
    void refusalStaysImmediate();
    void droppedMouseLosesWrite_data();
    void droppedMouseLosesWrite();
    void fastTimingStoresBeforeReturn();
    void callLogOnlyWhileRecording();
};

void DeviceLibTiming::cleanup()
{
    UsbServer_Exit();
    SimControl::waitWrites();
    SimControl::setRecording(true);
    SimControl::resetWorld();
}

void DeviceLibTiming::intervalByDevice_data()
{
    QTest::addColumn<QString>("world");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("overrideUs");
    QTest::addColumn<int>("expectedUs");
    const QString none;
    QTest::newRow("4K receiver") << none << "r4" << -1 << 250;
    QTest::newRow("8K receiver") << none << "r8" << -1 << 125;
    QTest::newRow("cable") << none << "cable" << -1 << 1000;
    QTest::newRow("1K receiver") << SimWorld::Receiver("r1", 1, 9) << "r1" << -1 << 1000;
    QTest::newRow("2K receiver") << SimWorld::Receiver("r2", 2, 9) << "r2" << -1 << 500;
    QTest::newRow("own key") << SimWorld::Receiver("own", 4, 9, "ReportIntervalUs = 700") << "own" << -1 << 700;
    QTest::newRow("world key") << "[World]\nReportIntervalUs = 300\n" << "r8" << -1 << 300;
    QTest::newRow("own key before world key")
        << "[World]\nReportIntervalUs = 300\n" + SimWorld::Receiver("own", 4, 9, "ReportIntervalUs = 0") << "own" << -1
        << 0;
    QTest::newRow("control interface") << none << "r4" << 40 << 40;
    QTest::newRow("unknown device") << none << "nobody" << -1 << -1;
}

void DeviceLibTiming::intervalByDevice()
{
    QFETCH(QString, world);
    QFETCH(QString, device);
    QFETCH(int, overrideUs);
    QFETCH(int, expectedUs);
    loadTimedWorld(world);
    SimControl::setReportIntervalUs(overrideUs);
    QCOMPARE(SimControl::reportIntervalUs(device), expectedUs);
}

void DeviceLibTiming::dumpReadTakesItsReports()
{
    loadTimedWorld(QStringLiteral("[World]\nReportIntervalUs = 1000\n"));
    QVERIFY(connectTo("r4"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(UsbServer_ReadAllFlashData());
    const QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports[0].payload.size(), int(DEVICELIB_DUMP_SIZE));
    QVERIFY2(clock.elapsed() >= 108, qPrintable(QString::number(clock.elapsed())));
}

// The call returns while the transfer runs; a read asked after it answers
// with what the write brings.
void DeviceLibTiming::writeIsQueuedAndKeepsOrder()
{
    loadTimedWorld();
    SimControl::setReportIntervalUs(SlowIntervalUs);
    QVERIFY(connectTo("r4"));
    const QByteArray before = SimControl::mouseImage("m4");
    const QByteArray image = randomImage({3, 1}, 11);
    QVERIFY(ProtocolDataUpdate(bytes(image)));
    QCOMPARE(SimControl::mouseImage("m4"), before);
    QCOMPARE(SimControl::lastImageSent(), image);

    QVERIFY(UsbServer_ReadAllFlashData());
    const QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(reports.size(), 1);
    QCOMPARE(decodedDump(reports[0]), image);
    QVERIFY(SimControl::waitWrites());
    QCOMPARE(SimControl::mouseImage("m4"), image);
}

// Of three quick writes the first is under way; the third replaces the
// second, so the mouse never holds the second.
void DeviceLibTiming::newerImageReplacesWaitingOne()
{
    loadTimedWorld();
    SimControl::setReportIntervalUs(SlowIntervalUs);
    QVERIFY(connectTo("r4"));
    const QByteArray first = randomImage({1}, 21);
    const QByteArray second = randomImage({2}, 22);
    const QByteArray third = randomImage({3}, 23);
    for (const QByteArray& image : {first, second, third})
        QVERIFY(ProtocolDataUpdate(bytes(image)));
    QCOMPARE(SimControl::imagesSent(), (QList<QByteArray>{first, second, third}));

    QList<QByteArray> held;
    QElapsedTimer clock;
    clock.start();
    while (held.value(held.size() - 1) != third && clock.elapsed() < 10000) {
        const QByteArray now = SimControl::mouseImage("m4");
        if (held.isEmpty() || held.last() != now)
            held.append(now);
        QThread::msleep(2);
    }
    QVERIFY(held.contains(first));
    QVERIFY(!held.contains(second));
    QCOMPARE(held.last(), third);
}

void DeviceLibTiming::refusalStaysImmediate()
{
    loadTimedWorld();
    SimControl::setReportIntervalUs(SlowIntervalUs);
    QVERIFY(connectTo("r4"));
    const QByteArray stored = randomImage({}, 31);
    QVERIFY(ProtocolDataUpdate(bytes(stored)));
    const QByteArray tooLong = randomImage({70, 70, 70, 70, 70, 70, 70, 70, 70, 51}, 32);
    QVERIFY(!ProtocolDataUpdate(bytes(tooLong)));
    QCOMPARE(SimControl::imagesSent(), QList<QByteArray>{stored});
    QVERIFY(SimControl::waitWrites());
    QCOMPARE(SimControl::mouseImage("m4"), stored);

    QVERIFY(connectTo("r8")); // its mouse sleeps
    QVERIFY(!ProtocolDataUpdate(bytes(stored)));
}

void DeviceLibTiming::droppedMouseLosesWrite_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("receiver");
    QTest::newRow("mouse asleep and back") << "m4" << false;
    QTest::newRow("receiver unplugged and back") << "r4" << true;
}

// Back before the transfer would have ended: the write is lost all the same.
void DeviceLibTiming::droppedMouseLosesWrite()
{
    QFETCH(QString, device);
    QFETCH(bool, receiver);
    loadTimedWorld();
    SimControl::setReportIntervalUs(SlowIntervalUs);
    QVERIFY(connectTo("r4"));
    const QByteArray before = SimControl::mouseImage("m4");
    QVERIFY(ProtocolDataUpdate(bytes(randomImage({4}, 41))));
    if (receiver) {
        QVERIFY(SimControl::setPlugged(device, false));
        QVERIFY(SimControl::setPlugged(device, true));
    } else {
        QVERIFY(SimControl::setMouseOnline(device, false));
        QVERIFY(SimControl::setMouseOnline(device, true));
    }
    QVERIFY(SimControl::waitWrites());
    QCOMPARE(SimControl::mouseImage("m4"), before);
}

void DeviceLibTiming::fastTimingStoresBeforeReturn()
{
    loadTimedWorld();
    SimControl::setReportIntervalUs(SlowIntervalUs);
    QVERIFY(connectTo("r4"));
    QVERIFY(ProtocolDataUpdate(bytes(randomImage({1}, 51))));
    // A write under way is overtaken by one stored at once.
    SimControl::setReportIntervalUs(0);
    const QByteArray image = randomImage({2}, 52);
    QVERIFY(ProtocolDataUpdate(bytes(image)));
    QCOMPARE(SimControl::mouseImage("m4"), image);
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(SimControl::mouseImage("m4"), image);
}

void DeviceLibTiming::callLogOnlyWhileRecording()
{
    loadTimedWorld();
    SimControl::setReportIntervalUs(0);
    QVERIFY(connectTo("r4"));
    const QByteArray image = randomImage({}, 61);
    SimControl::setRecording(false);
    QVERIFY(ProtocolDataUpdate(bytes(image)));
    QVERIFY(SimControl::callLog().isEmpty());
    QCOMPARE(SimControl::callCount("ProtocolDataUpdate"), 0);
    QVERIFY(SimControl::imagesSent().isEmpty());
    QCOMPARE(SimControl::mouseImage("m4"), image);

    SimControl::setRecording(true);
    QVERIFY(ProtocolDataUpdate(bytes(image)));
    QCOMPARE(SimControl::callCount("ProtocolDataUpdate"), 1);
    QCOMPARE(SimControl::imagesSent(), QList<QByteArray>{image});
}

QTEST_GUILESS_MAIN(DeviceLibTiming)
#include "tst_devicelib_timing.moc"
