// The devices' own timing: report intervals, the connection's requests taking
// effect one after the other, and the call log kept only while asked for.
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

// Each report as "type" ("type:profile" for a profile report, "dump" for a
// flash dump), to compare sequences.
QStringList reportKinds(const QList<RecordedReport>& reports)
{
    QStringList kinds;
    for (const RecordedReport& r : reports) {
        if (r.type() == DEVICELIB_REPORT_DATA && r.payload.size() == DEVICELIB_DUMP_SIZE)
            kinds << QStringLiteral("dump");
        else if (r.type() == DEVICELIB_REPORT_CONFIG_LIST && r.payload.size() == 1)
            kinds << QStringLiteral("%1:%2").arg(r.type()).arg(int(r.payload[0]));
        else
            kinds << QString::number(r.type());
    }
    return kinds;
}

QList<QByteArray> dumps(const QList<RecordedReport>& reports)
{
    QList<QByteArray> images;
    for (const RecordedReport& r : reports)
        if (r.type() == DEVICELIB_REPORT_DATA && r.payload.size() == DEVICELIB_DUMP_SIZE)
            images << decodedDump(r);
    return images;
}

int upgradeMessages(const unsigned char*)
{
    return 0;
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
    void clearSettingsComesAfterTheWrite();
    void profileSwitchAnswersAsTheNewProfile_data();
    void profileSwitchAnswersAsTheNewProfile();
    void pairingAndFlashingWaitTheirTurn();
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

// Back before the transfers would have ended: the write, the clear command
// and the read asked after them are lost together, so no answer shows what
// the mouse never stored. What is asked afterwards is answered as usual.
void DeviceLibTiming::droppedMouseLosesWrite()
{
    QFETCH(QString, device);
    QFETCH(bool, receiver);
    loadTimedWorld();
    SimControl::setReportIntervalUs(SlowIntervalUs);
    QVERIFY(connectTo("r4"));
    const QByteArray before = randomImage({1}, 40);
    QVERIFY(SimControl::setMouseImage("m4", before));
    QVERIFY(ProtocolDataUpdate(bytes(randomImage({4}, 41))));
    QVERIFY(UsbServer_SetClearSetting());
    QVERIFY(UsbServer_ReadAllFlashData());
    if (receiver) {
        QVERIFY(SimControl::setPlugged(device, false));
        QVERIFY(SimControl::setPlugged(device, true));
    } else {
        QVERIFY(SimControl::setMouseOnline(device, false));
        QVERIFY(SimControl::setMouseOnline(device, true));
    }
    QCOMPARE(deliveredReports().size(), 0);
    QCOMPARE(SimControl::mouseImage("m4"), before);

    QVERIFY(UsbServer_ReadAllFlashData());
    QCOMPARE(dumps(deliveredReports()), QList<QByteArray>{before});
}

// The page sends the image, then the clear command, at once: the mouse ends
// with its factory settings in every profile, and the dump asked after the
// reset's report shows them.
void DeviceLibTiming::clearSettingsComesAfterTheWrite()
{
    loadTimedWorld();
    SimControl::setReportIntervalUs(SlowIntervalUs);
    QVERIFY(connectTo("r4"));
    QVERIFY(SimControl::setMouseImage("m4", randomImage({2, 5}, 71), 1));
    QVERIFY(ProtocolDataUpdate(bytes(randomImage({3, 1}, 72))));
    QVERIFY(UsbServer_SetClearSetting());
    QVERIFY(UsbServer_ReadAllFlashData());
    const QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(reportKinds(reports), (QStringList{QString::number(DEVICELIB_REPORT_CONFIG_APPLIED), "dump"}));
    QCOMPARE(dumps(reports), QList<QByteArray>{SimControl::factoryImage("m4")});
    QVERIFY(SimControl::waitWrites());
    for (int profile = 0; profile < SimControl::ProfileCount; ++profile)
        QCOMPARE(SimControl::mouseImage("m4", profile), SimControl::factoryImage("m4"));
}

void DeviceLibTiming::profileSwitchAnswersAsTheNewProfile_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("program") << false;
    QTest::newRow("profile button on the mouse") << true;
}

// A write asked before a switch lands in the profile it was meant for; the
// mouse answers each switch with its profile and that profile's content,
// never with the reset's "configuration applied".
void DeviceLibTiming::profileSwitchAnswersAsTheNewProfile()
{
    QFETCH(bool, byButton);
    loadTimedWorld();
    SimControl::setReportIntervalUs(SlowIntervalUs);
    QVERIFY(connectTo("r4"));
    const QByteArray second = randomImage({6}, 81);
    QVERIFY(SimControl::setMouseImage("m4", second, 2));
    const QByteArray first = randomImage({1, 0, 9}, 82);
    auto switchTo = [byButton](int profile) {
        return byButton ? SimControl::switchProfile("m4", profile) : UsbServer_SetCurrentConfig(quint8(profile));
    };
    QVERIFY(ProtocolDataUpdate(bytes(first)));
    QVERIFY(switchTo(2));
    QVERIFY(switchTo(0));
    QVERIFY(UsbServer_ReadAllFlashData());
    const QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(reportKinds(reports), (QStringList{"14:2", "dump", "14:0", "dump", "dump"}));
    QCOMPARE(dumps(reports), (QList<QByteArray>{second, first, first}));
    QCOMPARE(SimControl::mouseImage("m4", 0), first);
    QCOMPARE(SimControl::mouseImage("m4", 2), second);
    QCOMPARE(SimControl::currentProfile("m4"), 0);
}

// Pairing and flashing asked after an image write find it done: the mouse
// the receiver forgets for a new one, and the mouse that is flashed, store
// the image before they leave.
void DeviceLibTiming::pairingAndFlashingWaitTheirTurn()
{
    loadTimedWorld();
    SimControl::setReportIntervalUs(SlowIntervalUs);
    SimControl::setFlashStepMs(1);
    QVERIFY(connectTo("r4"));
    const QByteArray written = randomImage({1}, 90);
    QVERIFY(ProtocolDataUpdate(bytes(written)));
    QVERIFY(SimControl::setPairingMode("cable", true));
    QVERIFY(UsbServer_EnterDonglePairOnlyCid(23));
    QCOMPARE(reportKinds(deliveredReports()), QStringList{QString::number(DEVICELIB_REPORT_PAIR_STATUS)});
    QCOMPARE(SimControl::pairedReceiver("cable"), QStringLiteral("r4"));
    QCOMPARE(SimControl::mouseImage("m4"), written);

    QVERIFY(connectTo("cable"));
    const QByteArray image = randomImage({2}, 91);
    QVERIFY(ProtocolDataUpdate(bytes(image)));
    const QByteArray firmware = SimControl::makeFirmwareImage(210, 23, 3, QStringLiteral("QX-ORCA-M"), 0x0105);
    QCOMPARE(UsbUpgrade_Start(bytes(firmware), &upgradeMessages, 10000), 1);
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(SimControl::firmwareVersion("cable"), 0x0105);
    QCOMPARE(SimControl::mouseImage("cable"), image);
}

void DeviceLibTiming::fastTimingStoresBeforeReturn()
{
    loadTimedWorld();
    SimControl::setReportIntervalUs(SlowIntervalUs);
    QVERIFY(connectTo("r4"));
    QVERIFY(ProtocolDataUpdate(bytes(randomImage({1}, 51))));
    // Answering at once, the write under way lands first, then this one.
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
