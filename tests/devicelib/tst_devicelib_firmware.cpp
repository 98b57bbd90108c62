// Pairing a mouse with a receiver, and flashing firmware: progress and
// result messages, failure into boot mode, and the repair afterwards.
#include "sim_fixture.h"

#include <QtTest>

#include <atomic>

namespace {

// Upgrade messages as the callback saw them, in order.
QMutex g_messagesMutex;
QList<QByteArray> g_messages;
Qt::HANDLE g_messageThread = nullptr;
// An image to start from inside the callback after the next success.
QByteArray g_followUpImage;
std::atomic<int> g_followUpStarted{-1};

int upgradeCallback(const unsigned char* message)
{
    QMutexLocker lock(&g_messagesMutex);
    g_messages.append(QByteArray(reinterpret_cast<const char*>(message), 3));
    g_messageThread = QThread::currentThreadId();
    if (message[1] == DEVICELIB_UPGRADE_RESULT && message[2] == 1 && !g_followUpImage.isEmpty()) {
        const QByteArray image = g_followUpImage;
        g_followUpImage.clear();
        g_followUpStarted = UsbUpgrade_Start(reinterpret_cast<const unsigned char*>(image.constData()),
                                             &upgradeCallback, 10000);
    }
    return 0;
}

QList<QByteArray> takeMessages()
{
    SimControl::waitIdle();
    QMutexLocker lock(&g_messagesMutex);
    QList<QByteArray> messages = g_messages;
    g_messages.clear();
    return messages;
}

const unsigned char* bytes(const QByteArray& data)
{
    return reinterpret_cast<const unsigned char*>(data.constData());
}

QByteArray imageFor(const QString& device, quint32 version)
{
    struct Known {
        const char* id;
        int kind;
        int mid;
        const char* model;
    };
    const Known known[] = {{"m4", 210, 1, "QX-AERO-M"}, {"r4", 211, 1, "QX-AERO-R4"}, {"cable", 210, 3, "QX-ORCA-M"}};
    for (const Known& k : known)
        if (device == QLatin1String(k.id))
            return SimControl::makeFirmwareImage(k.kind, 23, quint8(k.mid), QLatin1String(k.model), version);
    return QByteArray();
}

// Progress 0..last in steps of 10, then the result.
QList<QByteArray> expectedMessages(int lastPercent, bool success)
{
    QList<QByteArray> messages;
    for (int p = 0; p <= lastPercent; p += 10)
        messages.append(QByteArray::fromHex("0701") + char(p));
    messages.append(QByteArray::fromHex("0702") + char(success ? 1 : 0));
    return messages;
}

int pairStatus()
{
    ReportRecorder::instance().take();
    if (!UsbServer_ReadDonglePairStatus())
        return -1;
    const QList<RecordedReport> reports = deliveredReports(); // may still hold the search's first answer
    return !reports.isEmpty() && reports.last().type() == DEVICELIB_REPORT_PAIR_STATUS ? quint8(reports.last().payload[0])
                                                                                     : -1;
}

} // namespace

class DeviceLibFirmware : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        loadTestWorld();
        SimControl::setFlashStepMs(1);
        takeMessages();
        g_followUpImage.clear();
        g_followUpStarted = -1;
    }
    void cleanup() { UsbServer_Exit(); }

    void pairing_data();
    void pairing();
    void pairingNeedsReceiverConnection();

    void flashSucceeds_data();
    void flashSucceeds();
    void failedFlashLeavesBootModeUntilRepaired_data();
    void failedFlashLeavesBootModeUntilRepaired();
    void startFromInsideTheCallback();
    void refusedStarts_data();
    void refusedStarts();
    void firmwareBehaviour_data();
    void firmwareBehaviour();
};

void DeviceLibFirmware::pairing_data()
{
    QTest::addColumn<QString>("mouse");
    QTest::addColumn<int>("mouseCid");
    QTest::addColumn<bool>("pairingModeFirst");
    QTest::addColumn<int>("expected");
    QTest::newRow("mouse already in pairing mode") << "m8" << 23 << true << 3;
    QTest::newRow("mouse enters pairing mode while searching") << "cable" << 23 << false << 3;
    QTest::newRow("mouse of another customer: time-out") << "other" << 24 << true << 2;
    QTest::newRow("no mouse in pairing mode: time-out") << "" << 23 << false << 2;
}

void DeviceLibFirmware::pairing()
{
    QFETCH(QString, mouse);
    QFETCH(int, mouseCid);
    QFETCH(bool, pairingModeFirst);
    QFETCH(int, expected);
    SimControl::setPairTimeoutMs(expected == 3 ? 60000 : 30);
    if (mouse == QLatin1String("other"))
        QVERIFY(SimControl::addMouse(SimControl::MouseSetup("other", quint8(mouseCid))));
    if (mouse == QLatin1String("cable"))
        QVERIFY(SimControl::setPlugged("cable", false));
    if (!mouse.isEmpty() && pairingModeFirst)
        QVERIFY(SimControl::setPairingMode(mouse, true));

    QVERIFY(connectTo("r4"));
    QVERIFY(UsbServer_EnterDonglePairOnlyCid(23));
    if (!mouse.isEmpty() && !pairingModeFirst) {
        QCOMPARE(pairStatus(), 1);
        QVERIFY(SimControl::setPairingMode(mouse, true));
    }
    int status = pairStatus();
    while (status == 1) // only a time-out ends an unanswered search
        status = pairStatus();
    QCOMPARE(status, expected);

    const QByteArray r4 = SimControl::devicePath("r4");
    if (expected == 3) {
        QCOMPARE(SimControl::pairedReceiver(mouse), QStringLiteral("r4"));
        QCOMPARE(SimControl::pairedReceiver("m4"), QString()); // the receiver keeps one mouse
        QCOMPARE(UsbFinderC_GetVersion(r4.constData()), SimControl::firmwareVersion(mouse));
    } else {
        QCOMPARE(SimControl::pairedReceiver("m4"), QStringLiteral("r4"));
    }
    QVERIFY(UsbFinderC_GetDeviceOnLine(r4.constData()));
}

void DeviceLibFirmware::pairingNeedsReceiverConnection()
{
    QVERIFY(connectTo("cable"));
    QVERIFY(!UsbServer_EnterDonglePairOnlyCid(23));
    QVERIFY(!UsbServer_ReadDonglePairStatus());
    QVERIFY(deliveredReports().isEmpty());
}

void DeviceLibFirmware::flashSucceeds_data()
{
    QTest::addColumn<QString>("device");
    QTest::newRow("mouse behind its receiver") << "m4";
    QTest::newRow("mouse on its cable") << "cable";
    QTest::newRow("receiver") << "r4";
}

void DeviceLibFirmware::flashSucceeds()
{
    QFETCH(QString, device);
    const QByteArray image = imageFor(device, 0x0105);
    const QByteArray listedPath = SimControl::devicePath(device);
    QCOMPARE(UsbUpgrade_Start(bytes(image), &upgradeCallback, 10000), 1);
    QCOMPARE(takeMessages(), expectedMessages(100, true));
    QVERIFY(g_messageThread != QThread::currentThreadId());
    QCOMPARE(SimControl::firmwareVersion(device), 0x0105);
    QVERIFY(!SimControl::inBootMode(device));
    QCOMPARE(SimControl::devicePath(device), listedPath);
    int boot = -1;
    QVERIFY(UsbUpgradeC_FindBootDevices(bytes(image), &boot));
    QCOMPARE(boot, 0);
}

void DeviceLibFirmware::failedFlashLeavesBootModeUntilRepaired_data()
{
    QTest::addColumn<QString>("device");
    QTest::newRow("mouse behind its receiver") << "m4";
    QTest::newRow("mouse on its cable") << "cable";
    QTest::newRow("receiver") << "r4";
}

void DeviceLibFirmware::failedFlashLeavesBootModeUntilRepaired()
{
    QFETCH(QString, device);
    const QByteArray image = imageFor(device, 0x0105);
    const QByteArray other = SimControl::makeFirmwareImage(210, 23, 2, "QX-LYNX-M", 0x0105);
    const int versionBefore = SimControl::firmwareVersion(device);
    QVERIFY(SimControl::failNextFlash(device, 40));
    QCOMPARE(UsbUpgrade_Start(bytes(image), &upgradeCallback, 10000), 1);
    QCOMPARE(takeMessages(), expectedMessages(40, false));
    QVERIFY(SimControl::inBootMode(device));
    QCOMPARE(SimControl::firmwareVersion(device), versionBefore);
    if (device == QLatin1String("m4"))
        QVERIFY(!UsbFinderC_GetDeviceOnLine(SimControl::devicePath("r4").constData()));
    else
        QVERIFY(SimControl::devicePath(device).isEmpty()); // gone from the finder

    int boot = -1;
    QVERIFY(UsbUpgradeC_FindBootDevices(bytes(image), &boot));
    QCOMPARE(boot, 1);
    QVERIFY(UsbUpgradeC_FindBootDevices(bytes(other), &boot));
    QCOMPARE(boot, 0);

    // The repair: the same image again, found in boot mode.
    QCOMPARE(UsbUpgrade_Start(bytes(image), &upgradeCallback, 10000), 1);
    QCOMPARE(takeMessages(), expectedMessages(100, true));
    QVERIFY(!SimControl::inBootMode(device));
    QCOMPARE(SimControl::firmwareVersion(device), 0x0105);
    QVERIFY(UsbUpgradeC_FindBootDevices(bytes(image), &boot));
    QCOMPARE(boot, 0);
    if (device == QLatin1String("m4"))
        QVERIFY(UsbFinderC_GetDeviceOnLine(SimControl::devicePath("r4").constData()));
    else
        QVERIFY(!SimControl::devicePath(device).isEmpty()); // listed again
}

void DeviceLibFirmware::startFromInsideTheCallback()
{
    // A receiver repair followed by the mouse, started from the receiver's result.
    QVERIFY(SimControl::setBootMode("r4", true));
    g_followUpImage = imageFor("m4", 0x0107);
    QCOMPARE(UsbUpgrade_Start(bytes(imageFor("r4", 0x0106)), &upgradeCallback, 10000), 1);
    const QList<QByteArray> messages = takeMessages();
    QCOMPARE(g_followUpStarted.load(), 1);
    QCOMPARE(messages, expectedMessages(100, true) + expectedMessages(100, true));
    QCOMPARE(SimControl::firmwareVersion("r4"), 0x0106);
    QCOMPARE(SimControl::firmwareVersion("m4"), 0x0107);
}

void DeviceLibFirmware::refusedStarts_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("validImage");
    QTest::addColumn<QString>("unplugged"); // a device taken away first
    QByteArray damaged = imageFor("m4", 0x0105);
    damaged[800] = char(damaged[800] ^ 0xFF);
    QTest::newRow("no device of that model") << SimControl::makeFirmwareImage(210, 23, 4, "QX-PICO-M", 0x0105) << true << QString();
    QTest::newRow("receiver image with a mouse's name") << SimControl::makeFirmwareImage(211, 23, 1, "QX-AERO-M", 0x0105)
                                                        << true << QString();
    QTest::newRow("mouse asleep") << SimControl::makeFirmwareImage(210, 23, 2, "QX-LYNX-M", 0x0105) << true << QString();
    QTest::newRow("mouse behind an unplugged receiver") << imageFor("m4", 0x0105) << true << QStringLiteral("r4");
    QTest::newRow("damaged payload") << damaged << false << QString();
    QTest::newRow("no header") << QByteArray(2000, 'x') << false << QString();
}

void DeviceLibFirmware::refusedStarts()
{
    QFETCH(QByteArray, image);
    QFETCH(bool, validImage);
    QFETCH(QString, unplugged);
    if (!unplugged.isEmpty())
        QVERIFY(SimControl::setPlugged(unplugged, false));
    QCOMPARE(UsbUpgrade_Start(bytes(image), &upgradeCallback, 10000), 0);
    int boot = -1;
    QCOMPARE(UsbUpgradeC_FindBootDevices(bytes(image), &boot), validImage);
    QCOMPARE(boot, 0);
    QVERIFY(takeMessages().isEmpty());
    QCOMPARE(UsbUpgrade_Start(bytes(imageFor("m4", 0x0105)), nullptr, 10000), 0);
}

// The receiver's firmware behaviour, from the world file or set at run time.
void DeviceLibFirmware::firmwareBehaviour_data()
{
    QTest::addColumn<QString>("worldKeys");      // extra lines of r4 in the world file
    QTest::addColumn<int>("controlAnswer");     // -1: none set at run time
    QTest::addColumn<int>("started");
    QTest::addColumn<QList<QByteArray>>("messages");
    QTest::addColumn<bool>("bootAfter");
    QTest::addColumn<bool>("listedAfter");
    QTest::newRow("normal") << "FlashAnswer = normal" << -1 << 1 << expectedMessages(100, true) << false << true;
    QTest::newRow("fails at 30") << "FailFlashAt = 30" << -1 << 1 << expectedMessages(30, false) << true << false;
    QTest::newRow("fails at once") << "FailFlashAt = 0" << -1 << 1 << expectedMessages(0, false) << true << false;
    QTest::newRow("refuses") << "FlashAnswer = refuse" << -1 << 0 << QList<QByteArray>() << false << true;
    QTest::newRow("refuses, set at run time") << "" << int(SimControl::RefuseFlash) << 0 << QList<QByteArray>() << false
                                              << true;
    QTest::newRow("never answers") << "FlashAnswer = never" << -1 << 1 << QList<QByteArray>() << false << false;
    QTest::newRow("answers at once") << "FlashAnswer = at-once" << -1 << 1 << expectedMessages(100, true) << false
                                     << true;
    QTest::newRow("answers at once, set at run time")
        << "FailFlashAt = 50" << int(SimControl::AnswerFlashAtOnce) << 1 << expectedMessages(50, false) << true << false;
    QTest::newRow("waits in boot mode") << "Boot = true" << -1 << 1 << expectedMessages(100, true) << false << true;
}

void DeviceLibFirmware::firmwareBehaviour()
{
    QFETCH(QString, worldKeys);
    QFETCH(int, controlAnswer);
    QFETCH(int, started);
    QFETCH(QList<QByteArray>, messages);
    QFETCH(bool, bootAfter);
    QFETCH(bool, listedAfter);
    QString world = TestWorld();
    world.replace(QStringLiteral("Name = QX-AERO-R4\n"), QStringLiteral("Name = QX-AERO-R4\n") + worldKeys + QLatin1Char('\n'));
    QVERIFY(SimControl::loadWorldText(world));
    if (controlAnswer >= 0)
        QVERIFY(SimControl::setFlashAnswer("r4", SimControl::FlashAnswer(controlAnswer)));
    // Slow steps: only a device that answers at once is done within the wait.
    const bool atOnce = worldKeys.contains(QLatin1String("at-once")) || controlAnswer == SimControl::AnswerFlashAtOnce;
    SimControl::setFlashStepMs(atOnce ? 60000 : 1);

    const QByteArray image = imageFor("r4", 0x0105);
    int boot = -1;
    QVERIFY(UsbUpgradeC_FindBootDevices(bytes(image), &boot));
    QCOMPARE(boot, worldKeys.contains(QLatin1String("Boot")) ? 1 : 0);
    QCOMPARE(UsbUpgrade_Start(bytes(image), &upgradeCallback, 10000), started);
    QVERIFY(SimControl::waitIdle(5000));
    QCOMPARE(takeMessages(), messages);
    QCOMPARE(SimControl::inBootMode("r4"), bootAfter);
    QCOMPARE(!SimControl::devicePath("r4").isEmpty(), listedAfter);
    const bool flashed = messages.size() == 12;
    QCOMPARE(SimControl::firmwareVersion("r4"), flashed ? 0x0105 : 0x0101);
}

QTEST_GUILESS_MAIN(DeviceLibFirmware)
#include "tst_devicelib_firmware.moc"
