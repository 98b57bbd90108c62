// What the program relies on from the device library: discovery, identity,
// online answers, the report each request produces, and the image codec.
#include "sim_fixture.h"

#include <vector>

#include <QSet>
#include <QtTest>

#include <cstring>
#include <functional>

namespace {

const int ImageSize = DEVICELIB_IMAGE_SIZE;

QByteArray addressBytes(int a, int b, int c)
{
    QByteArray address;
    address.append(char(a)).append(char(b)).append(char(c));
    return address;
}

struct RequestCase {
    const char* name;
    QString connectTo;
    std::function<bool()> request;
    int type;
    int subCode;
    int payloadLength;
};

QList<RequestCase> requestCases()
{
    using namespace SimControl;
    return {
        {"ReadAllFlashData", "r4", [] { return UsbServer_ReadAllFlashData(); }, 8, 0x00, 6912},
        {"ReadReportRate", "r4", [] { return UsbServer_ReadReportRate(); }, 8, 0x00, 1},
        {"ReadCurrentDPI", "r4", [] { return UsbServer_ReadCurrentDPI(); }, 8, 0x04, 1},
        {"ReadDPILed", "r4", [] { return UsbServer_ReadDPILed(); }, 8, 0x4C, 8},
        {"ReadLedBar", "r4", [] { return UsbServer_ReadLedBar(); }, 8, 0xA0, 9},
        {"ReadBatteryLevel", "r4", [] { return UsbServer_ReadBatteryLevel(); }, 4, 0, 4},
        {"ReadVersion", "r4", [] { return UsbServer_ReadVersion(); }, 18, 0, 2},
        {"ReadConfig", "r4", [] { return UsbServer_ReadConfig(); }, 14, 0, 1},
        {"SetClearSetting", "r4", [] { return UsbServer_SetClearSetting(); }, 9, 0, 1},
        {"EnterDonglePairOnlyCid", "r4", [] { return UsbServer_EnterDonglePairOnlyCid(23); }, 6, 0, 1},
        {"ReadDonglePairStatus", "r4", [] { return UsbServer_ReadDonglePairStatus(); }, 6, 0, 1},
        {"cable mouse ReadAllFlashData", "cable", [] { return UsbServer_ReadAllFlashData(); }, 8, 0x00, 6912},
        {"DPI button", "r4", [] { return pressDpiButton("m4"); }, 10, 0, 2},
        {"battery drain", "r4", [] { return setBattery("m4", 15, false); }, 10, 0, 2},
        {"restart request", "r4", [] { return requestRestart("m4"); }, 10, 0, 2},
        {"factory reset on the mouse", "r4", [] { return factoryReset("m4"); }, 9, 0, 1},
        {"receiver light", "r4", [] { return changeReceiverLight("r4", 3); }, 21, 0, 10},
        {"long range on the receiver", "r4", [] { return changeLongRange("r4", true); }, 23, 0, 10},
    };
}

} // namespace

Q_DECLARE_METATYPE(std::function<void()>)

class DeviceLibContract : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { loadTestWorld(); }

    void discoveryHonoursCapacity_data();
    void discoveryHonoursCapacity();
    void discoveryMatchesIdsCaseInsensitively_data();
    void discoveryMatchesIdsCaseInsensitively();
    void attributeRecord();
    void identityAnswersScriptedZeros();
    void identityConnectionTypes_data();
    void identityConnectionTypes();
    void onlineAndAddress_data();
    void onlineAndAddress();
    void versions();
    void receiverSettings();
    void badInputGivesFailure();

    void requestAnsweredByReport_data();
    void requestAnsweredByReport();
    void payloadDecoders();
    void shortPayloadsAreRefused_data();
    void shortPayloadsAreRefused();
    void requestsWaitForSleepingMouse();
    void profilesAndFactoryReset();

    void codecRoundTrip_data();
    void codecRoundTrip();
    void imageThatDoesNotFitIsRefused_data();
    void imageThatDoesNotFitIsRefused();
    void updateNeedsAnsweringMouse();

    void worldFile_data();
    void worldFile();
    void defaultWorldAndShippedFirmware();
};

// The first call of the process finds the world beside the program.
void DeviceLibContract::initTestCase()
{
    int count = 5;
    char** paths = UsbFinderC_FindHidDevicesByDefaultDeviceId("0x2FE5", "0x7B04", &count);
    QCOMPARE(count, 1);
    QCOMPARE(QByteArray(paths[0]), SimControl::devicePath("aero-r4"));
}

void DeviceLibContract::discoveryHonoursCapacity_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("byDeviceId");
    QTest::newRow("program's 5 of 7") << 5 << 5 << false;
    QTest::newRow("2 of 7") << 2 << 2 << false;
    QTest::newRow("more than present") << 10 << 7 << false;
    QTest::newRow("zero") << 0 << 0 << false;
    QTest::newRow("negative") << -3 << 0 << false;
    QTest::newRow("by usage page, 5 of 7") << 5 << 5 << true;
    QTest::newRow("by usage page, negative") << -1 << 0 << true;
}

void DeviceLibContract::discoveryHonoursCapacity()
{
    QFETCH(int, capacity);
    QFETCH(int, expected);
    QFETCH(bool, byDeviceId);
    SimControl::resetWorld();
    for (int i = 0; i < 7; ++i)
        QVERIFY(SimControl::addReceiver(SimControl::ReceiverSetup(QStringLiteral("r%1").arg(i))));

    int count = capacity;
    char** paths = byDeviceId ? UsbFinderC_FindHidDevicesByDeviceId("0x2FE5", "0x7B04", 1, capacity, &count)
                              : UsbFinderC_FindHidDevicesByDefaultDeviceId("0x2FE5", "0x7B04", &count);
    QCOMPARE(count, expected);
    QVERIFY(paths);
    QSet<QByteArray> distinct;
    for (int i = 0; i < count; ++i)
        distinct.insert(QByteArray(paths[i]));
    QCOMPARE(distinct.size(), expected);
    for (const QByteArray& path : distinct)
        QCOMPARE(UsbFinderC_GetDeviceInfo(path.constData()).connectionType, quint8(DEVICELIB_CONN_RECEIVER_4K));
}

void DeviceLibContract::discoveryMatchesIdsCaseInsensitively_data()
{
    QTest::addColumn<QByteArray>("vid");
    QTest::addColumn<QByteArray>("pid");
    QTest::addColumn<QByteArray>("expectedPath");
    QTest::newRow("catalogue form") << QByteArray("0x2FE5") << QByteArray("0x7B04") << QByteArray("r4");
    QTest::newRow("lower case") << QByteArray("0x2fe5") << QByteArray("0x7b04") << QByteArray("r4");
    QTest::newRow("no prefix") << QByteArray("2FE5") << QByteArray("7B08") << QByteArray("r8");
    QTest::newRow("cable") << QByteArray("0X2FE5") << QByteArray("0x7A01") << QByteArray("cable");
    QTest::newRow("unplugged receiver") << QByteArray("0x2FE5") << QByteArray("0x7B01") << QByteArray();
    QTest::newRow("other vendor") << QByteArray("0x1234") << QByteArray("0x7B04") << QByteArray();
    QTest::newRow("not a number") << QByteArray("0x2FE5") << QByteArray("mouse") << QByteArray();
}

void DeviceLibContract::discoveryMatchesIdsCaseInsensitively()
{
    QFETCH(QByteArray, vid);
    QFETCH(QByteArray, pid);
    QFETCH(QByteArray, expectedPath);
    int count = 5;
    char** paths = UsbFinderC_FindHidDevicesByDefaultDeviceId(vid.constData(), pid.constData(), &count);
    if (expectedPath.isEmpty()) {
        QCOMPARE(count, 0);
        return;
    }
    QCOMPARE(count, 1);
    QCOMPARE(QByteArray(paths[0]), SimControl::devicePath(QString::fromLatin1(expectedPath)));
}

void DeviceLibContract::attributeRecord()
{
    unsigned char attribute[12] = {};
    QVERIFY(UsbFinderC_GetUsbDeviceAttribute(SimControl::devicePath("r8").constData(), attribute));
    const unsigned char expected[12] = {12, 0, 0, 0, 0xE5, 0x2F, 0x08, 0x7B, 0x01, 0x01, 0, 0};
    QCOMPARE(QByteArray(reinterpret_cast<char*>(attribute), 12), QByteArray(reinterpret_cast<const char*>(expected), 12));

    // A cable mouse reports its own version.
    QVERIFY(UsbFinderC_GetUsbDeviceAttribute(SimControl::devicePath("cable").constData(), attribute));
    QCOMPARE(attribute[8] | attribute[9] << 8, 0x0102);
}

void DeviceLibContract::identityAnswersScriptedZeros()
{
    const QByteArray path = SimControl::devicePath("r4");
    QVERIFY(SimControl::scriptIdentityZeros("r4", 9));
    for (int i = 0; i < 9; ++i) {
        const DeviceIdentity zero = UsbFinderC_GetDeviceInfo(path.constData());
        QCOMPARE(zero.cid, quint8(0));
        QCOMPARE(zero.mid, quint8(0));
    }
    const DeviceIdentity real = UsbFinderC_GetDeviceInfo(path.constData());
    QCOMPARE(real.cid, quint8(23));
    QCOMPARE(real.mid, quint8(1));
    QCOMPARE(real.connectionType, quint8(DEVICELIB_CONN_RECEIVER_4K));
}

void DeviceLibContract::identityConnectionTypes_data()
{
    QTest::addColumn<int>("receiverClass");
    QTest::addColumn<int>("connectionType");
    QTest::newRow("1K") << 1 << 0;
    QTest::newRow("2K") << 2 << 4;
    QTest::newRow("4K") << 4 << 1;
    QTest::newRow("8K") << 8 << 5;
    QTest::newRow("cable") << 0 << 2;
}

void DeviceLibContract::identityConnectionTypes()
{
    QFETCH(int, receiverClass);
    QFETCH(int, connectionType);
    SimControl::resetWorld();
    if (receiverClass) {
        QVERIFY(SimControl::addReceiver(SimControl::ReceiverSetup("d", SimControl::ReceiverClass(receiverClass), 23, 4)));
    } else {
        SimControl::MouseSetup mouse("d", 23, 4);
        mouse.onCable = true;
        QVERIFY(SimControl::addMouse(mouse));
    }
    const DeviceIdentity identity = UsbFinderC_GetDeviceInfo(SimControl::devicePath("d").constData());
    QCOMPARE(int(identity.cid), 23);
    QCOMPARE(int(identity.mid), 4);
    QCOMPARE(int(identity.connectionType), connectionType);
}

void DeviceLibContract::onlineAndAddress_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<std::function<void()>>("change");
    QTest::addColumn<bool>("online");
    QTest::addColumn<QByteArray>("address");
    const auto none = [] {};
    QTest::newRow("receiver, mouse awake") << "r4" << std::function<void()>(none) << true << addressBytes(0x0A, 0x0B, 0x0C);
    QTest::newRow("receiver, mouse asleep") << "r8" << std::function<void()>(none) << false << addressBytes(0x1A, 0x1B, 0x1C);
    QTest::newRow("receiver, mouse out of range")
        << "r4" << std::function<void()>([] { SimControl::setMouseInRange("m4", false); }) << false
        << addressBytes(0x0A, 0x0B, 0x0C);
    QTest::newRow("receiver, mouse woken")
        << "r8" << std::function<void()>([] { SimControl::setMouseAwake("m8", true); }) << true
        << addressBytes(0x1A, 0x1B, 0x1C);
    QTest::newRow("mouse on cable names its receiver") << "cable" << std::function<void()>(none) << true
                                                       << addressBytes(0x2A, 0x2B, 0x2C);
    QTest::newRow("receiver whose mouse is on its cable")
        << "r4" << std::function<void()>([] { SimControl::setPlugged("m4", true); }) << false
        << addressBytes(0x0A, 0x0B, 0x0C);
}

void DeviceLibContract::onlineAndAddress()
{
    QFETCH(QString, device);
    QFETCH(std::function<void()>, change);
    QFETCH(bool, online);
    QFETCH(QByteArray, address);
    change();
    const QByteArray path = SimControl::devicePath(device);
    QByteArray reply(10, char(0x77));
    QCOMPARE(UsbFinderC_GetDeviceOnLineWithUsbAddress(path.constData(), reinterpret_cast<unsigned char*>(reply.data())),
             online);
    QCOMPARE(int(reply[6]), online ? 1 : 0);
    QCOMPARE(reply.mid(7, 3), address);
    QCOMPARE(UsbFinderC_GetDeviceOnLine(path.constData()), online);
}

void DeviceLibContract::versions()
{
    QCOMPARE(UsbFinderC_GetVersion(SimControl::devicePath("r4").constData()), 0x0102); // the mouse behind it
    QCOMPARE(UsbFinderC_GetVersion(SimControl::devicePath("cable").constData()), 0x0102);
    // The receiver's own firmware, whether its mouse answers or not.
    int version = -1;
    QVERIFY(UsbFinderC_GetSlaveVersion(SimControl::devicePath("r4").constData(), &version));
    QCOMPARE(version, 0x0101);
    version = -1;
    QVERIFY(UsbFinderC_GetSlaveVersion(SimControl::devicePath("r8").constData(), &version)); // its mouse asleep
    QCOMPARE(version, 0x0101);
    version = -1;
    QVERIFY(!UsbFinderC_GetSlaveVersion(SimControl::devicePath("cable").constData(), &version));
    QVERIFY(!UsbFinderC_GetSlaveVersion(nullptr, &version));
    QCOMPARE(version, -1);
}

void DeviceLibContract::receiverSettings()
{
    const QByteArray r4 = SimControl::devicePath("r4");
    const QByteArray r8 = SimControl::devicePath("r8");
    const QByteArray cable = SimControl::devicePath("cable");

    unsigned char mode = 's';
    QVERIFY(UsbFinderC_SetLongRangeMode(r8.constData(), true));
    QVERIFY(UsbFinderC_GetLongRangeMode(r8.constData(), &mode));
    QCOMPARE(int(mode), 1);
    mode = 's';
    QVERIFY(!UsbFinderC_GetLongRangeMode(cable.constData(), &mode));
    QCOMPARE(mode, 's'); // untouched without an answer

    unsigned char rgb[10] = {2, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    QVERIFY(UsbFinderC_Set4KDongleRGB(r4.constData(), rgb));
    unsigned char read[10] = {};
    QVERIFY(UsbFinderC_Get4KDongleRGBValue(r4.constData(), read));
    QCOMPARE(QByteArray(reinterpret_cast<char*>(read), 10), QByteArray(reinterpret_cast<char*>(rgb), 10));
    QCOMPARE(SimControl::receiverLightMode("r4"), 2);

    unsigned char badMode[10] = {4};
    QVERIFY(!UsbFinderC_Set4KDongleRGB(r4.constData(), badMode));
    QVERIFY(!UsbFinderC_Set4KDongleRGB(r8.constData(), rgb)); // only 4K receivers have the light
    QVERIFY(!UsbFinderC_Get4KDongleRGBValue(r8.constData(), read));
    QCOMPARE(SimControl::receiverLightMode("r4"), 2);
}

void DeviceLibContract::badInputGivesFailure()
{
    const char* unknown = "no-such-device";
    for (const char* path : {static_cast<const char*>(nullptr), unknown}) {
        unsigned char buffer[12] = {};
        int value = 0;
        QVERIFY(!UsbFinderC_GetUsbDeviceAttribute(path, buffer));
        const DeviceIdentity identity = UsbFinderC_GetDeviceInfo(path);
        QCOMPARE(identity.cid | identity.mid | identity.connectionType, 0);
        QVERIFY(!UsbFinderC_GetDeviceOnLine(path));
        QVERIFY(!UsbFinderC_GetDeviceOnLineWithUsbAddress(path, buffer));
        QCOMPARE(UsbFinderC_GetVersion(path), 0);
        QVERIFY(!UsbFinderC_Get4KDongleRGBValue(path, buffer));
        QVERIFY(!UsbFinderC_Set4KDongleRGB(path, buffer));
        QVERIFY(!UsbFinderC_GetLongRangeMode(path, buffer));
        QVERIFY(!UsbFinderC_SetLongRangeMode(path, true));
        QVERIFY(!UsbFinderC_GetSlaveVersion(path, &value));
        QVERIFY(!UsbFinderC_SetDongleIDToMouse(path, buffer));
        QVERIFY(!UsbServerC_Start(path, path, &ReportRecorder::callback));
    }
    const QByteArray r4 = SimControl::devicePath("r4");
    QVERIFY(!UsbFinderC_GetUsbDeviceAttribute(r4.constData(), nullptr));
    QVERIFY(!UsbFinderC_GetDeviceOnLineWithUsbAddress(r4.constData(), nullptr));
    QVERIFY(!UsbFinderC_GetLongRangeMode(r4.constData(), nullptr));
    QVERIFY(!UsbServerC_Start(r4.constData(), r4.constData(), nullptr));
    QVERIFY(UsbFinderC_FindHidDevicesByDefaultDeviceId(nullptr, "0x7B04", nullptr));
    int count = 5;
    UsbFinderC_FindHidDevicesByDefaultDeviceId("0x2FE5", nullptr, &count);
    QCOMPARE(count, 0);

    // Without a connection nothing is sent or asked.
    QVERIFY(!UsbServer_ReadAllFlashData());
    QVERIFY(!UsbServer_SetCurrentConfig(0));
    QVERIFY(!UsbServer_EnterDonglePairOnlyCid(23));
    const QByteArray zeros(ImageSize, 0);
    QVERIFY(!ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(zeros.constData())));
    QVERIFY(!ProtocolDataUpdate(nullptr));
    QVERIFY(!ProtocolDataParser(nullptr, nullptr));
    QVERIFY(!UsbUpgradeC_FindBootDevices(nullptr, &count));
    QCOMPARE(count, 0);
    QCOMPARE(UsbUpgrade_Start(nullptr, nullptr, 10000), 0);
    QVERIFY(deliveredReports().isEmpty());
}

void DeviceLibContract::requestAnsweredByReport_data()
{
    QTest::addColumn<int>("index");
    const QList<RequestCase> cases = requestCases();
    for (int i = 0; i < cases.size(); ++i)
        QTest::newRow(cases[i].name) << i;
}

void DeviceLibContract::requestAnsweredByReport()
{
    QFETCH(int, index);
    const RequestCase c = requestCases().at(index);
    QVERIFY(connectTo(c.connectTo));
    QVERIFY(c.request());
    const QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(reports.size(), 1);
    const RecordedReport& r = reports.first();
    QCOMPARE(r.header.size(), int(DEVICELIB_REPORT_HEADER_SIZE));
    QCOMPARE(r.type(), c.type);
    QCOMPARE(int(r.header[3]), 0);
    QCOMPARE(r.subCode(), c.subCode);
    QCOMPARE(r.payload.size(), c.payloadLength);
    QVERIFY(r.thread != QThread::currentThreadId());
}

void DeviceLibContract::payloadDecoders()
{
    QVERIFY(connectTo("r4"));
    QVERIFY(SimControl::setBattery("m4", 37, true));
    UsbServer_ReadDPILed();
    UsbServer_ReadLedBar();
    UsbServer_ReadBatteryLevel();
    const QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(reports.size(), 4);
    const QByteArray image = SimControl::mouseImage("m4");
    auto payload = [](const RecordedReport& r) { return reinterpret_cast<const unsigned char*>(r.payload.constData()); };

    unsigned char flags[7] = {};
    QVERIFY(GetDeviceStatusChanged(payload(reports[0]), reports[0].payload.size(), flags));
    QCOMPARE(QByteArray(reinterpret_cast<char*>(flags), 7), QByteArray::fromHex("00000000000001"));

    QByteArray block(4, 0);
    QVERIFY(BufferToDPILed(payload(reports[1]), reports[1].payload.size(), reinterpret_cast<unsigned char*>(block.data())));
    QCOMPARE(block, image.mid(0x3F, 4));

    block = QByteArray(7, 0);
    QVERIFY(BufferToLedBar(payload(reports[2]), reports[2].payload.size(), reinterpret_cast<unsigned char*>(block.data())));
    QCOMPARE(block, image.mid(0x43, 7));

    unsigned char battery[4] = {};
    QVERIFY(GetDeviceBatteryStatus(payload(reports[3]), reports[3].payload.size(), battery));
    QCOMPARE(int(battery[0]), 37);
    QCOMPARE(int(battery[1]), 1);

    // Every status flag the program reads has its own bit.
    const QByteArray all = SimControl::statusPayload(0x6F);
    QVERIFY(GetDeviceStatusChanged(reinterpret_cast<const unsigned char*>(all.constData()), all.size(), flags));
    QCOMPARE(QByteArray(reinterpret_cast<char*>(flags), 7), QByteArray::fromHex("01010101000101"));
}

void DeviceLibContract::shortPayloadsAreRefused_data()
{
    QTest::addColumn<int>("decoder");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("outputSize");
    QTest::newRow("DPI light, 7 bytes") << 0 << SimControl::dpiLedPayload(QByteArray(4, 1)).left(7) << 4;
    QTest::newRow("DPI light, wrong layout") << 0 << QByteArray(8, 1) << 4;
    QTest::newRow("light bar, 8 bytes") << 1 << SimControl::ledBarPayload(QByteArray(7, 1)).left(8) << 7;
    QTest::newRow("battery, 3 bytes") << 2 << SimControl::batteryPayload(50, false).left(3) << 4;
    QTest::newRow("status, 1 byte") << 3 << SimControl::statusPayload(1).left(1) << 7;
    QTest::newRow("status, empty") << 3 << QByteArray() << 7;
}

void DeviceLibContract::shortPayloadsAreRefused()
{
    QFETCH(int, decoder);
    QFETCH(QByteArray, payload);
    QFETCH(int, outputSize);
    QByteArray out(outputSize, char(0x55));
    const auto* in = reinterpret_cast<const unsigned char*>(payload.constData());
    auto* o = reinterpret_cast<unsigned char*>(out.data());
    using Decoder = bool (*)(const unsigned char*, int, unsigned char*);
    const Decoder decoders[] = {BufferToDPILed, BufferToLedBar, GetDeviceBatteryStatus, GetDeviceStatusChanged};
    QVERIFY(!decoders[decoder](in, payload.size(), o));
    QCOMPARE(out, QByteArray(outputSize, char(0x55)));
    QVERIFY(!decoders[decoder](nullptr, 20, o));
}

void DeviceLibContract::requestsWaitForSleepingMouse()
{
    QVERIFY(connectTo("r8"));
    QVERIFY(UsbServer_ReadAllFlashData());
    QVERIFY(deliveredReports().isEmpty());
    QVERIFY(SimControl::setMouseAwake("m8", true));
    const QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports[0].payload.size(), 6912);

    // A receiver that is gone takes no requests at all.
    QVERIFY(SimControl::setPlugged("r8", false));
    QVERIFY(!UsbServer_ReadVersion());
}

void DeviceLibContract::profilesAndFactoryReset()
{
    QVERIFY(connectTo("r4"));
    QByteArray custom = SimControl::factoryImage("m4");
    custom[0x43] = char(5);
    QVERIFY(SimControl::setMouseImage("m4", custom, 2));

    // A switch is answered with the profile now in use and its content.
    QVERIFY(UsbServer_SetCurrentConfig(2));
    QVERIFY(!UsbServer_SetCurrentConfig(4));
    QVERIFY(!SimControl::switchProfile("m4", 4));
    QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(SimControl::currentProfile("m4"), 2);
    QCOMPARE(reports.size(), 2);
    QCOMPARE(reports[0].type(), int(DEVICELIB_REPORT_CONFIG_LIST));
    QCOMPARE(reports[0].payload, QByteArray(1, char(2)));
    QCOMPARE(reports[1].type(), int(DEVICELIB_REPORT_DATA));
    QCOMPARE(SimControl::decodeDump(reports[1].payload), custom);
    QVERIFY(SimControl::switchProfile("m4", 0));
    QCOMPARE(deliveredReports().size(), 2);

    QVERIFY(UsbServer_SetClearSetting());
    SimControl::waitIdle(); // the reset takes effect in its turn
    QCOMPARE(SimControl::currentProfile("m4"), 0);
    for (int profile = 0; profile < SimControl::ProfileCount; ++profile)
        QCOMPARE(SimControl::mouseImage("m4", profile), SimControl::factoryImage("m4"));
}

void DeviceLibContract::codecRoundTrip_data()
{
    QTest::addColumn<QVector<int>>("events");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("no macros") << QVector<int>(16, 0) << 1u;
    QTest::newRow("a few macros") << QVector<int>{3, 0, 70, 12, 0, 0, 1} << 2u;
    QTest::newRow("count above 70 keeps 70 events") << QVector<int>{200, 5} << 3u;
    // 956 plain bytes + 16 heads of 32 leave room for exactly 680 events.
    QTest::newRow("fills the dump exactly") << QVector<int>{70, 70, 70, 70, 70, 70, 70, 70, 70, 50} << 4u;
}

void DeviceLibContract::codecRoundTrip()
{
    QFETCH(QVector<int>, events);
    QFETCH(quint32, seed);
    const QByteArray image = randomImage(events, seed);
    QVERIFY(connectTo("r4"));
    QVERIFY(ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(image.constData())));
    QCOMPARE(SimControl::lastImageSent(), image);
    QCOMPARE(SimControl::callCount("ProtocolDataUpdate"), 1);

    QVERIFY(UsbServer_ReadAllFlashData());
    const QList<RecordedReport> reports = deliveredReports();
    QCOMPARE(reports.size(), 1);
    QByteArray parsed(ImageSize, char(0x99));
    QVERIFY(ProtocolDataParser(reinterpret_cast<const unsigned char*>(reports[0].payload.constData()),
                               reinterpret_cast<unsigned char*>(parsed.data())));
    QCOMPARE(parsed, image);
    QCOMPARE(SimControl::mouseImage("m4"), image);
}

void DeviceLibContract::imageThatDoesNotFitIsRefused_data()
{
    QTest::addColumn<QVector<int>>("events");
    QTest::newRow("one event too many") << QVector<int>{70, 70, 70, 70, 70, 70, 70, 70, 70, 51};
    QTest::newRow("every macro full") << QVector<int>(16, 70);
}

void DeviceLibContract::imageThatDoesNotFitIsRefused()
{
    QFETCH(QVector<int>, events);
    QVERIFY(connectTo("r4"));
    const QByteArray before = SimControl::mouseImage("m4");
    const QByteArray image = randomImage(events, 7);
    QVERIFY(!ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(image.constData())));
    QCOMPARE(SimControl::mouseImage("m4"), before);
    QVERIFY(SimControl::lastImageSent().isEmpty());
    QVERIFY(SimControl::encodeDump(image).isEmpty());
}

void DeviceLibContract::updateNeedsAnsweringMouse()
{
    const QByteArray image = randomImage({1}, 9);
    QVERIFY(connectTo("r8")); // its mouse sleeps
    const QByteArray before = SimControl::mouseImage("m8");
    QVERIFY(!ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(image.constData())));
    QCOMPARE(SimControl::mouseImage("m8"), before);
    UsbServer_Exit();
    QVERIFY(!ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(image.constData())));
}

// A refused file names the line of the text that was refused: the bad
// value's own line, not the line of its section.
void DeviceLibContract::worldFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("devices");
    QTest::addColumn<QString>("error"); // empty: the world is loaded
    QTest::newRow("test world") << TestWorld() << 6 << "";
    QTest::newRow("empty") << QString() << 0 << "";
    QTest::newRow("comments and defaults") << "; note\n# note\n[Receiver a] ; trailing\n[Mouse b]\nReceiver = a\n" << 2 << "";
    QTest::newRow("unknown section") << "[Receiver a]\n\n[Keyboard k]\n" << 0 << "line 3: unknown section";
    QTest::newRow("bad class") << "[Receiver a]\nName = a\nClass = 3\n" << 0 << "line 3: class must be";
    QTest::newRow("bad version") << "[Mouse a]\nName = m\n; note\nVersion = one\n" << 0
                                 << "line 4: bad value for version";
    QTest::newRow("bad value of the world") << "[World]\n\nVid = 0x2FE5\nReportIntervalUs = -1\n" << 0
                                            << "line 4: bad value for reportintervalus";
    QTest::newRow("key given twice: the later one counts") << "[Mouse a]\nBattery = 200\nBattery = 300\n" << 0
                                                           << "line 3: bad value for battery";
    QTest::newRow("unknown receiver") << "[Mouse a]\nName = m\nReceiver = nowhere\n" << 0
                                      << "line 3: unknown receiver nowhere";
    QTest::newRow("duplicate id") << "[Receiver a]\n[Mouse a]\n" << 0 << "line 2: duplicate id a";
    QTest::newRow("value outside a section") << "\nCid = 3\n" << 0 << "line 2: expected key = value";
}

void DeviceLibContract::worldFile()
{
    QFETCH(QString, text);
    QFETCH(int, devices);
    QFETCH(QString, error);
    if (!error.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("world not loaded: " + QRegularExpression::escape(error)));
    QCOMPARE(SimControl::loadWorldText(text), error.isEmpty());
    QCOMPARE(SimControl::deviceIds().size(), devices);
}

void DeviceLibContract::defaultWorldAndShippedFirmware()
{
    QVERIFY(SimControl::loadWorldFile(SimControl::defaultWorldPath()));
    struct Listed {
        const char* pid;
        const char* id;
        int connectionType;
        int mid;
    };
    for (const Listed& d : {Listed{"0x7B04", "aero-r4", 1, 1}, Listed{"0x7B08", "lynx-r8", 5, 2},
                            Listed{"0x7A01", "orca", 2, 3}}) {
        int count = 5;
        char** paths = UsbFinderC_FindHidDevicesByDefaultDeviceId("0x2FE5", d.pid, &count);
        QCOMPARE(count, 1);
        QCOMPARE(QByteArray(paths[0]), SimControl::devicePath(d.id));
        const DeviceIdentity identity = UsbFinderC_GetDeviceInfo(paths[0]);
        QCOMPARE(int(identity.cid), 23);
        QCOMPARE(int(identity.mid), d.mid);
        QCOMPARE(int(identity.connectionType), d.connectionType);
        QVERIFY(UsbFinderC_GetDeviceOnLine(paths[0]));
    }

    // Each shipped image is valid and newer than the device it is made for.
    const QStringList files = QDir(QCoreApplication::applicationDirPath() + "/bin").entryList({"*.bin"}, QDir::Files);
    QCOMPARE(files.size(), 5);
    const QHash<QString, QString> deviceFor{{"QX-AERO-M", "aero"}, {"QX-AERO-R4", "aero-r4"}, {"QX-LYNX-M", "lynx"},
                                            {"QX-LYNX-R8", "lynx-r8"}, {"QX-ORCA-M", "orca"}};
    for (const QString& name : files) {
        QFile file(QCoreApplication::applicationDirPath() + "/bin/" + name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray image = file.readAll();
        const auto* bytes = reinterpret_cast<const unsigned char*>(image.constData());
        int boot = -1;
        QVERIFY2(UsbUpgradeC_FindBootDevices(bytes, &boot), qPrintable(name));
        QCOMPARE(boot, 0);
        const QString model = QString::fromLatin1(image.constData() + 0x57);
        QVERIFY2(deviceFor.contains(model), qPrintable(model));
        const int version = quint8(image[0x10]) | quint8(image[0x11]) << 8;
        QVERIFY(version > SimControl::firmwareVersion(deviceFor.value(model)));
        QCOMPARE(name, QStringLiteral("%1_v%2.%3.bin").arg(model).arg(version >> 8).arg(version & 0xFF, 0, 16));
    }
}

QTEST_GUILESS_MAIN(DeviceLibContract)
#include "tst_devicelib_contract.moc"
