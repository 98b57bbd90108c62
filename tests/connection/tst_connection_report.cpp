// The report callback against the simulated library: the flash dump, every
// small report, the status requests with the restart debounce, the
// configuration-applied sequence and the version report. The pages are
// stood in for by a recorder on the hub.
#include "config_store.h"
#include "connection_fixture.h"
#include "device_image_setters.h"
#include "mouse_profile.h"
#include "registry_values.h"

#include <QtTest>

#include <atomic>
#include <thread>

namespace {

QByteArray Header(int type, int subCode = 0)
{
    return SimControl::makeReportHeader(type, subCode);
}

// The mouse's image with something in every button's function, key record
// and macro block (short macros, so the mouse can store it).
QByteArray ImageWithKeys(const QString& mouse)
{
    QByteArray image = SimControl::mouseImage(mouse);
    for (int b = 0; b < FlashDataMap::ButtonCount; ++b) {
        for (int i = 0; i < FlashDataMap::KeyFunctionSize; ++i)
            image[int(ImageOffset::KeyFunctions) + b * 3 + i] = char(0x30 + b);
        for (int i = 0; i < FlashDataMap::KeyEventRecordSize; ++i)
            image[int(ImageOffset::KeyEvents) + b * 52 + i] = char(0x40 + b);
        const int macro = int(ImageOffset::MacroBlocks) + b * FlashDataMap::MacroBlockSize;
        image[macro] = 2;             // name length
        image[macro + 1] = char('a' + b);
        image[macro + 2] = char('A' + b);
        image[macro + 31] = 1;        // one event
        for (int i = 32; i < 40; ++i)
            image[macro + i] = char(0x60 + b);
    }
    return image;
}

bool ButtonKeysCleared(const FlashDataMap& image, int button)
{
    for (uint8_t byte : image.keyEvents[button])
        if (byte)
            return false;
    for (uint8_t byte : image.macroBlocks[button])
        if (byte)
            return false;
    return true;
}

} // namespace

class TestConnectionReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void dumpFillsImageAndEmitsInOrder();
    void passAskedForDuringFillIsKept();
    void receiverQueriesOfDump_data();
    void receiverQueriesOfDump();
    void smallReports_data();
    void smallReports();
    void statusRequests_data();
    void statusRequests();
    void restartDebounce_data();
    void restartDebounce();
    void configApplied_data();
    void configApplied();
    void configAppliedDumpReadAgainIsCleaned();
    void versionReport_data();
    void versionReport();
    void mouseVersionWriteIsSafe();
    void dumpNeverSendsPartImage();

private:
    // Makes the listed device current and opens the connection to it.
    DeviceAllInfo connectTo(const QString& id);

    PageRecorder* m_pages = nullptr;
};

void TestConnectionReport::initTestCase()
{
    QVERIFY(PrepareProgramFolder());
    // Catalogue groups of no shipped model, for the key and receiver rules.
    ConfigStore* config = ConfigStore::Instance();
    config->SetValue(QStringLiteral("Drive5"), QStringLiteral("KeyParam1"), QStringLiteral("0x05"));
    config->SetValue(QStringLiteral("Drive5"), QStringLiteral("KeyParam4"), QStringLiteral("0x05"));
    config->SetValue(QStringLiteral("Drive6"), QStringLiteral("Adveanced"), QStringLiteral("1"));
}

void TestConnectionReport::init()
{
    ResetProgramState();
    g_showBatteryValue = 1;
    QVERIFY(SimWorld::Load(ConnectionWorld()));
    m_pages = new PageRecorder;
}

void TestConnectionReport::cleanup()
{
    UsbServer_Exit();
    QVERIFY(Settle());
    delete m_pages;
    m_pages = nullptr;
}

DeviceAllInfo TestConnectionReport::connectTo(const QString& id)
{
    const DeviceAllInfo record = ListedRecord(id);
    SetCurrentDevice(record);
    const QByteArray path = record.path.toUtf8();
    g_devicePath.set(path);
    UsbServerC_Start(path.constData(), path.constData(), &OnDeviceReport);
    SimControl::clearCallLog();
    return record;
}

void TestConnectionReport::dumpFillsImageAndEmitsInOrder()
{
    connectTo(QStringLiteral("r4"));
    g_buttonPageApplied = true;
    g_sensorPageApplied = true;
    QVERIFY(UsbServer_ReadAllFlashData());
    QVERIFY(Settle());

    const QByteArray mouse = SimControl::mouseImage(QStringLiteral("m4"));
    QCOMPARE(ImageBytes(g_deviceImage), mouse);
    // The receiver's light comes first, then the image, then the answers to
    // the four requests the dump makes.
    QCOMPARE(m_pages->Only({"RGB", "Button", "Light", "Sensor", "Form", "DPILed", "Battery", "ConfigUI"}),
             (QStringList{"RGB(1)", "Button", "Light", "Sensor", "Form", "DPILed", "Battery(0,80,1)",
                          "ConfigUI(4,0,1)"}));
    QVERIFY(m_pages->events.contains(QStringLiteral("Setver(0)")));
    QVERIFY(m_pages->allOnMainThread);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(ImageBytes(m_pages->images.at(i)), mouse);
    QCOMPARE(m_pages->appliedAtImage.mid(0, 3), (QList<bool>{false, false, false}));
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_Read")}),
             (QStringList{"UsbServer_ReadAllFlashData", "UsbServer_ReadDPILed", "UsbServer_ReadBatteryLevel",
                          "UsbServer_ReadVersion", "UsbServer_ReadConfig"}));
    // What the mouse holds does not go back to it.
    QCOMPARE(SimControl::callCount(QStringLiteral("ProtocolDataUpdate")), 0);
    QCOMPARE(CacheNameOnDump(), QStringLiteral("Device_CID17_MID01.bin"));
    QVERIFY(g_deviceReady);
    QCOMPARE(CurrentDeviceCopy().mouseVersion, QStringLiteral("v1.2"));
}

// A page asks for a new pass while it is being filled: the dump that filled
// it must not take the request back.
void TestConnectionReport::passAskedForDuringFillIsKept()
{
    connectTo(QStringLiteral("r4"));
    QObject page;
    connect(PostMsg::GetInstance(), &PostMsg::SigForm, &page, [] { g_workerRun = true; },
            Qt::BlockingQueuedConnection);
    QVERIFY(UsbServer_ReadAllFlashData());
    QVERIFY(Settle());
    QCOMPARE(m_pages->Only({"Form"}), QStringList{"Form"});
    QVERIFY(g_workerRun);
}

void TestConnectionReport::receiverQueriesOfDump_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("light");
    QTest::addColumn<bool>("longRange");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("4K, light 2, long range") << "r4" << 2 << true << QStringList{"RGB(2)", "LongRange(1)"};
    QTest::newRow("4K, light 3") << "r4" << 3 << false << QStringList{"RGB(3)"};
    QTest::newRow("8K, long range") << "r8" << 0 << true << QStringList{"LongRange(1)"};
    QTest::newRow("8K") << "r8" << 0 << false << QStringList{};
    QTest::newRow("cable") << "orca" << 0 << false << QStringList{};
}

void TestConnectionReport::receiverQueriesOfDump()
{
    QFETCH(QString, device);
    QFETCH(int, light);
    QFETCH(bool, longRange);
    QFETCH(QStringList, events);
    if (light)
        QVERIFY(SimControl::changeReceiverLight(device, light));
    if (longRange)
        QVERIFY(SimControl::changeLongRange(device, true));
    connectTo(device);
    QVERIFY(UsbServer_ReadAllFlashData());
    QVERIFY(Settle());
    QCOMPARE(m_pages->Only({"RGB", "LongRange"}), events);
    QCOMPARE(m_pages->Only({"Button"}), QStringList{"Button"});
}

void TestConnectionReport::smallReports_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("wired");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("offset"); // -1: the image stays as it was
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("sends");

    const QByteArray battery = SimControl::batteryPayload(55, true);
    const QByteArray none;
    const QStringList nothing;
    const QByteArray dpiLed = Bytes({3, 90, 2, 1});
    const QByteArray ledBar = Bytes({2, 10, 20, 30, 4, 80, 1});
    QByteArray dumpHeader = Header(8, 0);
    dumpHeader[3] = 1;

    QTest::newRow("battery") << Header(4) << battery << false << QStringList{"Battery(1,55,1)"} << -1 << none << 0;
    QTest::newRow("battery, short payload") << Header(4) << battery.left(2) << false << nothing << -1 << none << 0;
    QTest::newRow("rate on a receiver") << Header(8, 0) << Bytes({0x20}) << false << QStringList{"ReportRate(32)"} << 0
                                        << Bytes({0x20}) << 1;
    QTest::newRow("rate 0x20 on a cable") << Header(8, 0) << Bytes({0x20}) << true << nothing << -1 << none << 0;
    QTest::newRow("rate 15 on a cable") << Header(8, 0) << Bytes({0x0F}) << true << QStringList{"ReportRate(15)"} << 0
                                        << Bytes({0x0F}) << 1;
    QTest::newRow("rate of two bytes") << Header(8, 0) << Bytes({1, 2}) << false << nothing << -1 << none << 0;
    QTest::newRow("current stage") << Header(8, 4) << Bytes({3}) << false << QStringList{"DPI(3)"} << 2 << Bytes({3})
                                   << 0;
    QTest::newRow("current stage 7") << Header(8, 4) << Bytes({7}) << false << QStringList{"DPI(7)"} << 2 << Bytes({7})
                                     << 0;
    QTest::newRow("current stage 8") << Header(8, 4) << Bytes({8}) << false << nothing << -1 << none << 0;
    QTest::newRow("current stage 255") << Header(8, 4) << Bytes({255}) << false << nothing << -1 << none << 0;
    QTest::newRow("DPI light") << Header(8, 0x4C) << SimControl::dpiLedPayload(dpiLed) << false
                               << QStringList{"DPILed"} << 0x3F << dpiLed << 0;
    QTest::newRow("DPI light, 7 bytes") << Header(8, 0x4C) << SimControl::dpiLedPayload(dpiLed).left(7) << false
                                        << nothing << -1 << none << 0;
    QTest::newRow("light bar") << Header(8, 0xA0) << SimControl::ledBarPayload(ledBar) << false
                               << QStringList{"Light"} << 0x43 << ledBar << 0;
    QTest::newRow("light bar, 8 bytes") << Header(8, 0xA0) << SimControl::ledBarPayload(ledBar).left(8) << false
                                        << nothing << -1 << none << 0;
    QTest::newRow("dump with header byte 3 set") << dumpHeader << QByteArray(6912, '\x11') << false << nothing << -1
                                                 << none << 0;
    QTest::newRow("unknown sub-code") << Header(8, 0x10) << Bytes({1}) << false << nothing << -1 << none << 0;
    QTest::newRow("configuration list") << Header(14) << Bytes({2}) << false << QStringList{"ConfigUI(4,2,1)"} << -1
                                        << none << 0;
    QTest::newRow("configuration list, empty") << Header(14) << none << false << QStringList{"ConfigUI(0,0,0)"} << -1
                                               << none << 0;
    QTest::newRow("configuration list, two bytes") << Header(14) << Bytes({1, 2}) << false
                                                   << QStringList{"ConfigUI(0,0,0)"} << -1 << none << 0;
    QTest::newRow("receiver light") << Header(21) << none << false << QStringList{"RGB(0)"} << -1 << none << 0;
    QTest::newRow("long range, 10 bytes") << Header(23) << QByteArray(10, '\1') << false
                                          << QStringList{"LongRange(0)"} << -1 << none << 0;
    QTest::newRow("long range, 9 bytes") << Header(23) << QByteArray(9, '\1') << false << nothing << -1 << none << 0;
    QTest::newRow("status, short payload") << Header(10) << Bytes({1}) << false << nothing << -1 << none << 0;
    QTest::newRow("header of one byte") << Header(4).left(1) << battery << false << nothing << -1 << none << 0;
    QTest::newRow("header of two bytes") << Header(4).left(2) << battery << false << QStringList{"Battery(1,55,1)"}
                                         << -1 << none << 0;
    QTest::newRow("header without sub-code byte") << Header(8, 4).left(4) << Bytes({5}) << false
                                                  << QStringList{"ReportRate(5)"} << 0 << Bytes({5}) << 1;
    for (int type : {0, 1, 2, 3, 5, 6, 7, 11, 12, 13, 15, 16, 17, 19, 20, 22, 24, 255})
        QTest::addRow("type %d", type) << Header(type) << Bytes({1}) << false << nothing << -1 << none << 0;
}

void TestConnectionReport::smallReports()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, payload);
    QFETCH(bool, wired);
    QFETCH(QStringList, events);
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    QFETCH(int, sends);

    connectTo(QStringLiteral("r4"));
    DeviceAllInfo device = CurrentDeviceCopy();
    device.wired = wired;
    SetCurrentDevice(device);
    const QByteArray before = SimControl::mouseImage(QStringLiteral("m4"));
    g_deviceImage = ImageFromBytes(before);

    QVERIFY(SimControl::injectReport(header, payload));
    QVERIFY(Settle());

    QCOMPARE(m_pages->events, events);
    QByteArray expected = before;
    if (offset >= 0)
        expected.replace(offset, bytes.size(), bytes);
    QCOMPARE(ImageBytes(g_deviceImage), expected);
    for (const FlashDataMap& image : qAsConst(m_pages->images))
        QCOMPARE(ImageBytes(image), expected);
    QCOMPARE(SimControl::callCount(QStringLiteral("ProtocolDataUpdate")), sends);
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_Read")}), QStringList());
}

void TestConnectionReport::statusRequests_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("current stage") << 0x01 << QStringList{"UsbServer_ReadCurrentDPI"} << QStringList{"DPI(0)"};
    QTest::newRow("stage and restart") << 0x05 << QStringList{"UsbServer_ReadCurrentDPI"} << QStringList{"DPI(0)"};
    QTest::newRow("polling rate") << 0x02 << QStringList{"UsbServer_ReadReportRate"} << QStringList{"ReportRate(1)"};
    QTest::newRow("battery") << 0x40 << QStringList{"UsbServer_ReadBatteryLevel"} << QStringList{"Battery(0,80,1)"};
    QTest::newRow("unused byte 4") << 0x10 << QStringList{} << QStringList{};
    QTest::newRow("everything")
        << 0x7F
        << QStringList{"UsbServer_ReadCurrentDPI", "UsbServer_ReadReportRate", "UsbServer_ReadBatteryLevel",
                       "UsbServer_ReadLedBar", "UsbServer_ReadDPILed"}
        << QStringList{"DPI(0)", "ReportRate(1)", "Battery(0,80,1)", "Light", "DPILed"};
}

void TestConnectionReport::statusRequests()
{
    QFETCH(int, flags);
    QFETCH(QStringList, requests);
    QFETCH(QStringList, events);
    connectTo(QStringLiteral("r4"));
    g_deviceImage = ImageFromBytes(SimControl::mouseImage(QStringLiteral("m4")));
    QVERIFY(SimControl::injectReport(Header(10), SimControl::statusPayload(flags)));
    QVERIFY(Settle());
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_Read")}), requests);
    QCOMPARE(m_pages->Only({"DPI", "ReportRate", "Battery", "Light", "DPILed"}), events);
}

// A restart request counts once per 3000 ms, counted from the worker's
// start (here: from setting the clock) or from the last accepted one.
void TestConnectionReport::restartDebounce_data()
{
    QTest::addColumn<QList<int>>("times");
    QTest::addColumn<QList<bool>>("accepted");
    QTest::newRow("right after the start") << QList<int>{1000} << QList<bool>{false};
    QTest::newRow("3000 ms after the start") << QList<int>{3000} << QList<bool>{false};
    QTest::newRow("3001 ms after the start") << QList<int>{3001} << QList<bool>{true};
    QTest::newRow("twice within 3 s") << QList<int>{4000, 6000} << QList<bool>{true, false};
    QTest::newRow("again after 3 s") << QList<int>{4000, 6000, 7001} << QList<bool>{true, false, true};
}

void TestConnectionReport::restartDebounce()
{
    QFETCH(QList<int>, times);
    QFETCH(QList<bool>, accepted);
    qint64 now = 100000;
    const qint64 start = now;
    SetStatusClock([&now] { return now; });
    std::memset(g_statusChangedFlags, 0, sizeof g_statusChangedFlags);
    g_statusChangedFlags[2] = 1;
    for (int i = 0; i < times.size(); ++i) {
        now = start + times.at(i);
        g_restartNeeded = false;
        g_forceReconnect = false;
        ReadChangedStatus();
        QCOMPARE(bool(g_restartNeeded), accepted.at(i));
        QCOMPARE(bool(g_forceReconnect), accepted.at(i));
    }
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_Read")}), QStringList());

    // Without a test clock the count runs on g_statusTimer.
    SetStatusClock(nullptr);
    g_statusTimer.start();
    g_restartNeeded = false;
    ReadChangedStatus();
    QVERIFY(!g_restartNeeded);
}

// A configuration-applied report sets the receiver's defaults of the
// catalogue and makes the next dump clear the buttons' key records and macro
// blocks, except those of the kept buttons.
void TestConnectionReport::configApplied_data()
{
    QTest::addColumn<int>("modelIndex");
    QTest::addColumn<QList<int>>("kept");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("receiverCalls");
    QTest::newRow("model 1: long range off, light 1")
        << 0 << QList<int>{} << QStringList{"RGB(1)", "LongRange(0)"}
        << QStringList{"UsbFinderC_Set4KDongleRGB", "UsbFinderC_SetLongRangeMode"};
    QTest::newRow("model 2: long range on") << 1 << QList<int>{} << QStringList{"LongRange(1)"}
                                            << QStringList{"UsbFinderC_SetLongRangeMode"};
    QTest::newRow("model 3: buttons 3 and 4 kept") << 2 << QList<int>{3, 4} << QStringList{} << QStringList{};
    QTest::newRow("model 4: light 2") << 3 << QList<int>{} << QStringList{"RGB(2)", "LongRange(0)"}
                                      << QStringList{"UsbFinderC_Set4KDongleRGB", "UsbFinderC_SetLongRangeMode"};
    QTest::newRow("lists 1 and 4 start with 0x05") << 4 << QList<int>{0, 3} << QStringList{} << QStringList{};
    QTest::newRow("one receiver item") << 5 << QList<int>{} << QStringList{"LongRange(1)"}
                                       << QStringList{"UsbFinderC_SetLongRangeMode"};
    QTest::newRow("no receiver items") << 6 << QList<int>{} << QStringList{} << QStringList{};
}

void TestConnectionReport::configApplied()
{
    QFETCH(int, modelIndex);
    QFETCH(QList<int>, kept);
    QFETCH(QStringList, events);
    QFETCH(QStringList, receiverCalls);

    const QByteArray withKeys = ImageWithKeys(QStringLiteral("m4"));
    QVERIFY(SimControl::setMouseImage(QStringLiteral("m4"), withKeys));
    connectTo(QStringLiteral("r4"));
    DeviceAllInfo device = CurrentDeviceCopy();
    device.modelIndex = modelIndex;
    SetCurrentDevice(device);

    QVERIFY(SimControl::injectReport(Header(9), QByteArray(1, '\0')));
    QVERIFY(Settle());

    QCOMPARE(m_pages->Only({"RGB", "LongRange"}), events);
    QStringList calls = LibraryCalls({QStringLiteral("UsbFinderC_")});
    for (QString& call : calls)
        call = call.section(QLatin1Char(' '), 0, 0);
    calls.removeAll(QStringLiteral("UsbFinderC_GetVersion")); // the version report's
    QCOMPARE(calls, receiverCalls); // the dump asked the receiver nothing

    const FlashDataMap expectedFunctions = ImageFromBytes(withKeys);
    for (int button = 0; button < FlashDataMap::ButtonCount; ++button) {
        QCOMPARE(ButtonKeysCleared(g_deviceImage, button), !kept.contains(button));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(g_deviceImage.keyFunctions[button]), 3),
                 QByteArray(reinterpret_cast<const char*>(expectedFunctions.keyFunctions[button]), 3));
    }
    if (kept.isEmpty()) {
        // One block from the first key record to the end of the last macro.
        QCOMPARE(ImageBytes(g_deviceImage).mid(0x7C, 0x28BC - 0x7C), QByteArray(0x28BC - 0x7C, '\0'));
    }
    QCOMPARE(SimControl::lastImageSent(), ImageBytes(g_deviceImage));
    QCOMPARE(ImageBytes(m_pages->images.value(0)), ImageBytes(g_deviceImage));
    QVERIFY(!g_resetKeysPending);
    QVERIFY(!g_configApplied);

    // Only the dump right after the report is cleaned.
    QVERIFY(SimControl::setMouseImage(QStringLiteral("m4"), withKeys));
    SimControl::clearCallLog();
    QVERIFY(UsbServer_ReadAllFlashData());
    QVERIFY(Settle());
    QCOMPARE(ImageBytes(g_deviceImage), withKeys);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbFinderC_GetLongRangeMode")), 1);
}

// The dump the reset asked for comes late, after a change the user sent once
// the wait for it had run out: that dump does not hold the change and is read
// again. The reset's key clean-up waits for the dump read again and goes out
// with it, so the mouse holds the cleaned keys and the change.
void TestConnectionReport::configAppliedDumpReadAgainIsCleaned()
{
    const QByteArray withKeys = ImageWithKeys(QStringLiteral("m4"));
    QVERIFY(SimControl::setMouseImage(QStringLiteral("m4"), withKeys));
    connectTo(QStringLiteral("r4"));
    RequestDeviceDump();
    QVERIFY(Settle());
    QCOMPARE(ImageBytes(g_deviceImage), withKeys);
    SimControl::clearCallLog();
    std::atomic<long long> nowMs{0};
    MouseProfile::SetClock([&nowMs] { return nowMs.load(); });
    SimControl::setLatencyMs(300);

    QVERIFY(SimControl::injectReport(Header(9), QByteArray(1, '\0')));
    QTRY_COMPARE_WITH_TIMEOUT(SimControl::callCount(QStringLiteral("UsbServer_ReadAllFlashData")), 1, 5000);
    nowMs = MouseProfile::kAnswerMs + 1;
    const bool sent = SetDebounceTime(7);
    const bool settled = Settle() && SimControl::waitWrites();
    MouseProfile::SetClock(nullptr);
    SimControl::setLatencyMs(0);
    QVERIFY(sent);
    QVERIFY(settled);

    QCOMPARE(SimControl::callCount(QStringLiteral("UsbServer_ReadAllFlashData")), 2);
    const QByteArray stored = SimControl::mouseImage(QStringLiteral("m4"));
    QCOMPARE(stored.toHex(), ImageBytes(g_deviceImage).toHex());
    const FlashDataMap mouse = ImageFromBytes(stored);
    QCOMPARE(int(mouse.debounceTime), 7);
    for (int button = 0; button < FlashDataMap::ButtonCount; ++button)
        QVERIFY2(ButtonKeysCleared(mouse, button), qPrintable(QStringLiteral("button %1").arg(button)));
}

void TestConnectionReport::versionReport_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("text");
    QTest::newRow("1.5") << "0x0105" << "v1.5";
    QTest::newRow("1.a") << "0x010A" << "v1.a";
    QTest::newRow("1.10") << "0x0110" << "v1.10";
    QTest::newRow("2.3") << "0x0203" << "v2.3";
}

void TestConnectionReport::versionReport()
{
    QFETCH(QString, version);
    QFETCH(QString, text);
    QVERIFY(SimWorld::Load(ConnectionWorld(QStringLiteral("1.1"), version)));
    connectTo(QStringLiteral("r4"));
    QVERIFY(SimControl::injectReport(Header(18), QByteArray()));
    QVERIFY(Settle());
    QCOMPARE(CurrentDeviceCopy().mouseVersion, text);
    QCOMPARE(m_pages->events, QStringList{"Setver(0)"});
    QCOMPARE(MouseVersionValueName(0), QStringLiteral("MouseVer231"));
    QCOMPARE(StoredMouseVersion(0), text);
}

// The report thread writes the mouse version while the user-interface
// thread copies the record.
void TestConnectionReport::mouseVersionWriteIsSafe()
{
    QVERIFY(SimWorld::Load(ConnectionWorld(QStringLiteral("1.1"), QStringLiteral("0x0105"))));
    connectTo(QStringLiteral("r4"));
    const int reports = 400;
    for (int i = 0; i < reports; ++i)
        QVERIFY(SimControl::injectReport(Header(18), QByteArray()));
    int copies = 0;
    QElapsedTimer clock;
    clock.start();
    while (SimControl::callCount(QStringLiteral("UsbFinderC_GetVersion")) < reports && clock.elapsed() < 20000) {
        DeviceAllInfo copy = CurrentDeviceCopy();
        QVERIFY(copy.mouseVersion.isEmpty() || copy.mouseVersion == QLatin1String("v1.5"));
        copy.mouseVersion.append(QLatin1Char('x')); // the copy is ours alone
        DeviceAllInfo device = CurrentDeviceCopy();
        device.online = !device.online;
        SetCurrentDevice(device);
        ++copies;
    }
    QVERIFY(Settle());
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbFinderC_GetVersion")), reports);
    QCOMPARE(CurrentDeviceCopy().mouseVersion, QStringLiteral("v1.5"));
    QVERIFY(copies > 0);
}

// Setters send while dumps arrive: every image the mouse receives is whole,
// never one being parsed. (The setters run on a thread of their own here, so
// they meet the report thread as often as possible.)
void TestConnectionReport::dumpNeverSendsPartImage()
{
    QByteArray withKeys = ImageWithKeys(QStringLiteral("m4"));
    withKeys[int(ImageOffset::DebounceTime)] = 0;
    QVERIFY(SimControl::setMouseImage(QStringLiteral("m4"), withKeys));
    connectTo(QStringLiteral("r4"));
    g_deviceImage = ImageFromBytes(withKeys);

    std::atomic<bool> stop{false};
    std::atomic<int> sends{0};
    std::thread setters([&] {
        while (!stop) {
            SetDebounceTime(0);
            ++sends;
        }
    });
    const int dumps = 300;
    for (int i = 0; i < dumps; ++i)
        QVERIFY(UsbServer_ReadAllFlashData());
    QElapsedTimer clock;
    clock.start();
    while (SimControl::callCount(QStringLiteral("UsbServer_ReadConfig")) < dumps && clock.elapsed() < 30000)
        QCoreApplication::processEvents();
    stop = true;
    setters.join();
    QVERIFY(Settle());

    const QList<QByteArray> sent = SimControl::imagesSent();
    QVERIFY(sent.size() > dumps);
    QVERIFY(sends > 0);
    for (const QByteArray& image : sent)
        QVERIFY2(image == withKeys, "a part image was sent");
}

QTEST_GUILESS_MAIN(TestConnectionReport)
#include "tst_connection_report.moc"
