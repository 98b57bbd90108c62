// The connection worker against the simulated library, with a recorder on
// the hub in place of the pages: selection and connection passes, the
// offline fill from the cache, the online check, the watch after a change,
// restart requests, shutdown, identification, the device page's scan and its
// firmware check.
#include "config_store.h"
#include "connection_fixture.h"
#include "device_image_setters.h"
#include "firmware_images.h"

#include <QtTest>

#include <atomic>

namespace {

const QStringList kProductIds{"0x7A01", "0x7B01", "0x7B02", "0x7B04", "0x7B08"};

QString CachePathFor(int cid, int mid)
{
    return DeviceCachePath(DeviceCacheName(uint8_t(cid), uint8_t(mid)));
}

QString PathOf(const QString& id)
{
    return QString::fromUtf8(SimControl::devicePath(id));
}

// Spins, without running this thread's events, until the pass has got to
// the offline fill: it then waits in a blocking-queued emit for this thread.
bool PassReachedOfflineFill()
{
    QElapsedTimer clock;
    clock.start();
    while (!(g_waitingForDevice && g_worker->isRunning())) {
        if (clock.elapsed() > 10000)
            return false;
        QThread::yieldCurrentThread();
    }
    return true;
}

} // namespace

class TestConnectionWorker : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void construction();
    void selectAndConnect();
    void offlineFill_data();
    void offlineFill();
    void onlineCheckReconnects_data();
    void onlineCheckReconnects();
    void restartRequestReconnects();
    void restartKeptWhilePassRuns();
    void reconnectWhilePassRuns();
    void shutdownWhilePassBlockedInEmit();
    void shutdownWhenIdle();
    void passWithoutSelection_data();
    void passWithoutSelection();
    void checkOnline_data();
    void checkOnline();
    void changeWatch_data();
    void changeWatch();
    void identifyDevice_data();
    void identifyDevice();
    void reidentifyKeepsVersions_data();
    void reidentifyKeepsVersions();
    void enumerateListing_data();
    void enumerateListing();
    void followsMouseToCable_data();
    void followsMouseToCable();
    void returnsHome_data();
    void returnsHome();
    void firmwareCheckOfCableMouse_data();
    void firmwareCheckOfCableMouse();
    void repairDialogCheck_data();
    void repairDialogCheck();

private:
    // Selects the device and lets the first pass and its dump finish.
    void connectTo(const QString& id);
    void makeCurrent(const QString& id);

    PageRecorder* m_pages = nullptr;
    std::atomic<int> m_passes{0};
};

void TestConnectionWorker::initTestCase()
{
    QVERIFY(PrepareProgramFolder());
}

void TestConnectionWorker::init()
{
    ResetProgramState();
    QVERIFY(SimWorld::Load(ConnectionWorld()));
    QDir(UserDataFolder() + QStringLiteral("/Device_Info")).removeRecursively();
    QVERIFY(QDir().mkpath(UserDataFolder() + QStringLiteral("/Device_Info")));
    g_worker = new Worker;
    // The tests call the online check themselves.
    g_onlineCheckTimer->stop();
    m_passes = 0;
    connect(g_worker, &QThread::started, g_worker, [this] { ++m_passes; }, Qt::DirectConnection);
    m_pages = new PageRecorder;
}

void TestConnectionWorker::cleanup()
{
    StopUsbChanged();
    if (g_worker) {
        QVERIFY(g_worker->Shutdown());
        delete g_worker;
    }
    QVERIFY(!g_worker);
    UsbServer_Exit();
    QVERIFY(Settle());
    delete m_pages;
    m_pages = nullptr;
}

void TestConnectionWorker::connectTo(const QString& id)
{
    SelectAndStart(ListedRecord(id));
    QVERIFY(Settle());
}

void TestConnectionWorker::makeCurrent(const QString& id)
{
    SetCurrentDevice(ListedRecord(id));
    g_devicePath.set(SimControl::devicePath(id));
}

void TestConnectionWorker::construction()
{
    QCOMPARE(g_devicePath.bytes(), QByteArray("a"));
    QVERIFY(g_workerRun);
    QVERIFY(!g_deviceOnline);
    QVERIFY(g_statusTimer.isValid());
    QCOMPARE(g_onlineCheckTimer->parent(), g_worker);
    QCOMPARE(g_onlineCheckTimer->interval(), 1300);
    QVERIFY(!g_onlineCheckTimer->isSingleShot());
    QVERIFY(!g_worker->parent());
    QCOMPARE(int(g_showBatteryValue), 1); // Option/ShowBatteryValue of the catalogue

    // Selection names the cache and makes the record current; the path stays.
    DeviceAllInfo chosen = ListedRecord(QStringLiteral("r8"));
    emit PostMsg::GetInstance()->SigSelectMouseInfo(chosen);
    chosen.path = QStringLiteral("changed afterwards");
    QCOMPARE(g_cacheNameOnSelect, QStringLiteral("Device_CID17_MID02.bin"));
    QCOMPARE(CurrentDeviceCopy().path, PathOf(QStringLiteral("r8")));
    QCOMPARE(g_devicePath.bytes(), QByteArray("a"));

    g_lastOnline = true;
    emit PostMsg::GetInstance()->SigMainPageChange();
    QVERIFY(!g_lastOnline);
}

// Selecting the Aero receiver: the scan resolves the path, the pass connects,
// the dump fills the image, the pages get it in order, and closing the
// window saves it under the model's cache name.
void TestConnectionWorker::selectAndConnect()
{
    connectTo(QStringLiteral("r4"));

    const QByteArray mouse = SimControl::mouseImage(QStringLiteral("m4"));
    QCOMPARE(g_devicePath.bytes(), SimControl::devicePath(QStringLiteral("r4")));
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServerC_Start")}),
             QStringList{QStringLiteral("UsbServerC_Start ") + PathOf(QStringLiteral("r4"))});
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_SetPCDriverStatus")}),
             QStringList{"UsbServer_SetPCDriverStatus 1"});
    QCOMPARE(ImageBytes(g_deviceImage), mouse);
    QCOMPARE(m_pages->Only({"Param", "Button", "Light", "Sensor", "Form"}),
             (QStringList{"Param(0)", "Button", "Light", "Sensor", "Form"}));
    QCOMPARE(m_pages->events.first(), QStringLiteral("Setver(4)"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(ImageBytes(m_pages->images.at(i)), mouse);
    QVERIFY(m_pages->allOnMainThread);
    QVERIFY(g_deviceOnline);
    QVERIFY(g_lastOnline);
    QVERIFY(g_deviceReady);
    QVERIFY(!g_waitingForDevice);
    QVERIFY(CurrentDeviceCopy().online);
    QCOMPARE(CurrentDeviceCopy().mouseVersion, QStringLiteral("v1.2"));
    QCOMPARE(m_passes.load(), 1);

    QCOMPARE(g_cacheNameOnDump, QStringLiteral("Device_CID17_MID01.bin"));
    QVERIFY(WriteDeviceCache(g_cacheNameOnDump, DeviceImageCopy()));
    QVERIFY(QFileInfo::exists(CachePathFor(23, 1)));
    FlashDataMap cached;
    QVERIFY(ReadDeviceCache(g_cacheNameOnSelect, cached));
    QCOMPARE(ImageBytes(cached), mouse);

    // A setter now writes and sends at once.
    QVERIFY(SetDebounceTime(8));
    QCOMPARE(int(SimControl::lastImageSent().at(int(ImageOffset::DebounceTime))), 8);
}

void TestConnectionWorker::offlineFill_data()
{
    QTest::addColumn<QString>("cacheFile"); // "" none
    QTest::addColumn<bool>("cached");
    QTest::newRow("cached image") << DeviceCacheName(23, 1) << true;
    QTest::newRow("no cache") << QString() << false;
    QTest::newRow("cache of another model only") << DeviceCacheName(23, 2) << false;
    QTest::newRow("damaged cache") << QStringLiteral("damaged") << false;
}

// A sleeping mouse: the pages get the cached image, or reset without one;
// the connection is opened all the same and the pass waits for the mouse.
void TestConnectionWorker::offlineFill()
{
    QFETCH(QString, cacheFile);
    QFETCH(bool, cached);
    const FlashDataMap image = SeededImage(5);
    if (cacheFile == QLatin1String("damaged")) {
        QFile file(CachePathFor(23, 1));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(100, '\x01'));
    } else if (!cacheFile.isEmpty()) {
        QVERIFY(WriteDeviceCache(cacheFile, image));
    }
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("m4"), false));
    connectTo(QStringLiteral("r4"));

    if (cached) {
        QCOMPARE(m_pages->Only({"Button", "Light", "Sensor", "Form", "Param"}),
                 (QStringList{"Button", "Light", "Sensor", "Form"}));
        for (const FlashDataMap& received : qAsConst(m_pages->images))
            QCOMPARE(ImageBytes(received), ImageBytes(image));
    } else {
        QCOMPARE(m_pages->Only({"Button", "Light", "Sensor", "Form", "Param"}), QStringList{"FormReset"});
    }
    QVERIFY(g_waitingForDevice);
    QVERIFY(!CurrentDeviceCopy().online);
    QVERIFY(!g_deviceOnline);
    QVERIFY(!g_deviceReady);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbServerC_Start")), 1);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbServer_ReadAllFlashData")), 1);
}

void TestConnectionWorker::onlineCheckReconnects_data()
{
    QTest::addColumn<bool>("restartNeeded");
    QTest::addColumn<int>("connections");
    QTest::newRow("offline notice shown") << true << 2;
    QTest::newRow("no restart asked") << false << 1;
}

// The mouse wakes up: the check closes the offline notice and, when the
// notice asked for it, connects again.
void TestConnectionWorker::onlineCheckReconnects()
{
    QFETCH(bool, restartNeeded);
    QFETCH(int, connections);
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("m4"), false));
    connectTo(QStringLiteral("r4"));
    g_restartNeeded = restartNeeded;

    g_worker->SlotCheckOnline(); // still asleep
    QVERIFY(g_waitingForDevice);
    QVERIFY(!m_pages->events.contains(QStringLiteral("CloseOffOnline")));

    m_pages->Clear();
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("m4"), true));
    QVERIFY(Settle());
    g_worker->SlotCheckOnline();
    QVERIFY(Settle());

    QVERIFY(m_pages->events.contains(QStringLiteral("CloseOffOnline")));
    QVERIFY(!g_waitingForDevice);
    QVERIFY(!g_restartNeeded);
    QVERIFY(g_deviceOnline);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbServerC_Start")), connections);
    QCOMPARE(m_passes.load(), connections);
    QCOMPARE(ImageBytes(g_deviceImage), SimControl::mouseImage(QStringLiteral("m4")));
    QVERIFY(m_pages->Only({"Button"}).size() >= 1);
    if (restartNeeded) {
        QVERIFY(CurrentDeviceCopy().online);
        QCOMPARE(m_pages->Only({"Param"}), QStringList{"Param(0)"});
    }
}

// The mouse asks to be connected again: the next online check reconnects
// and the device window learns that it was a reconnection.
void TestConnectionWorker::restartRequestReconnects()
{
    qint64 now = 0;
    SetStatusClock([&now] { return now; });
    connectTo(QStringLiteral("r4"));
    now = 5000;
    QVERIFY(SimControl::requestRestart(QStringLiteral("m4")));
    QVERIFY(Settle());
    QVERIFY(g_restartNeeded);
    QVERIFY(g_forceReconnect);

    m_pages->Clear();
    g_worker->SlotCheckOnline();
    QVERIFY(Settle());
    QCOMPARE(m_pages->Only({"Param"}), QStringList{"Param(1)"});
    QCOMPARE(m_pages->Only({"Button", "Light", "Sensor", "Form"}), (QStringList{"Button", "Light", "Sensor", "Form"}));
    QVERIFY(!g_forceReconnect);
    QVERIFY(!g_restartNeeded);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbServerC_Start")), 2);

    // A second request within 3 s is not taken.
    now = 6000;
    QVERIFY(SimControl::requestRestart(QStringLiteral("m4")));
    QVERIFY(Settle());
    QVERIFY(!g_restartNeeded);
}

// A restart asked while a pass still runs is kept until a pass can start.
void TestConnectionWorker::restartKeptWhilePassRuns()
{
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("m4"), false));
    SelectAndStart(ListedRecord(QStringLiteral("r4")));
    QVERIFY(PassReachedOfflineFill());

    QVERIFY(SimControl::setMouseOnline(QStringLiteral("m4"), true));
    g_forceReconnect = true;
    g_restartNeeded = true;
    g_worker->SlotCheckOnline();
    QVERIFY(m_pages->events.contains(QStringLiteral("CloseOffOnline")));
    QVERIFY(g_worker->isRunning());
    QVERIFY(g_restartNeeded); // kept: the pass still runs

    QVERIFY(Settle());
    QCOMPARE(m_passes.load(), 1);
    g_worker->SlotCheckOnline();
    QVERIFY(Settle());
    QCOMPARE(m_passes.load(), 2);
    QVERIFY(!g_restartNeeded);
    QCOMPARE(m_pages->Only({"Param"}), QStringList{"Param(1)"});
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbServerC_Start")), 2);
}

// The scan follows the mouse to another path while a pass still runs: the
// start would be swallowed, so the online check makes it once it can.
void TestConnectionWorker::reconnectWhilePassRuns()
{
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("m4"), false));
    SelectAndStart(ListedRecord(QStringLiteral("r4")));
    QVERIFY(PassReachedOfflineFill());

    ReconnectDevice(ListedRecord(QStringLiteral("orca")));
    QCOMPARE(CurrentDeviceCopy().path, PathOf(QStringLiteral("orca")));
    QCOMPARE(g_devicePath.bytes(), SimControl::devicePath(QStringLiteral("orca")));
    QVERIFY(g_restartNeeded);

    QVERIFY(Settle());
    QCOMPARE(m_passes.load(), 1);
    g_worker->SlotCheckOnline();
    QVERIFY(Settle());
    QCOMPARE(m_passes.load(), 2);
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServerC_Start")}).last(),
             QStringLiteral("UsbServerC_Start ") + PathOf(QStringLiteral("orca")));
    QCOMPARE(ImageBytes(g_deviceImage), SimControl::mouseImage(QStringLiteral("orca")));
}

// Closing the program while a pass waits in a blocking-queued emit for the
// user-interface thread: a plain wait would never end; Shutdown ends it.
void TestConnectionWorker::shutdownWhilePassBlockedInEmit()
{
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("m4"), false));
    SelectAndStart(ListedRecord(QStringLiteral("r4")));
    QVERIFY(PassReachedOfflineFill());
    QVERIFY(!g_worker->wait(200)); // blocked on this thread

    QVERIFY(g_worker->Shutdown());
    QVERIFY(g_worker->isFinished());
    QVERIFY(!g_workerRun);
    QVERIFY(!g_onlineCheckTimer->isActive());
    // The pass went no further than the emit it was blocked in.
    QCOMPARE(m_pages->Only({"FormReset"}), QStringList{"FormReset"});
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbServerC_Start")), 0);
    delete g_worker;
}

void TestConnectionWorker::shutdownWhenIdle()
{
    QVERIFY(g_worker->Shutdown());
    // Nothing starts a pass any more.
    g_deviceSelected = 1;
    makeCurrent(QStringLiteral("r4"));
    g_workerRun = true;
    g_worker->start();
    QVERIFY(g_worker->wait(10000));
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbServerC_Start")), 0);
    delete g_worker;
}

void TestConnectionWorker::passWithoutSelection_data()
{
    QTest::addColumn<bool>("runFlag");
    QTest::addColumn<bool>("mouseOnline");
    QTest::addColumn<bool>("ready");
    QTest::newRow("mouse online") << true << true << true;
    QTest::newRow("mouse asleep") << true << false << false;
    QTest::newRow("started without the run flag") << false << true << true;
}

// Without a selected device a pass opens nothing and only tells whether the
// device is ready; without the run flag it does nothing at all.
void TestConnectionWorker::passWithoutSelection()
{
    QFETCH(bool, runFlag);
    QFETCH(bool, mouseOnline);
    QFETCH(bool, ready);
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("m4"), mouseOnline));
    makeCurrent(QStringLiteral("r4"));
    g_deviceSelected = 0;
    g_deviceReady = !runFlag;
    g_workerRun = runFlag;
    g_worker->start();
    QVERIFY(Settle());
    QCOMPARE(bool(g_deviceReady), ready);
    QVERIFY(!g_workerRun);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbServerC_Start")), 0);
    QVERIFY(m_pages->events.isEmpty());
}

void TestConnectionWorker::checkOnline_data()
{
    QTest::addColumn<bool>("waiting");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("accessAllowed");
    QTest::addColumn<bool>("mouseOnline");
    QTest::addColumn<bool>("onlineBefore");
    QTest::addColumn<bool>("restart");
    QTest::addColumn<int>("connectionType");
    QTest::addColumn<bool>("closesNotice");
    QTest::addColumn<bool>("waitingAfter");
    QTest::addColumn<bool>("starts");

    QTest::newRow("mouse back, restart asked") << true << 1 << true << true << false << true << 1 << true << false << true;
    QTest::newRow("mouse back") << true << 1 << true << true << false << false << 1 << true << false << false;
    QTest::newRow("mouse still away") << true << 1 << true << false << true << true << 1 << false << true << false;
    QTest::newRow("upgrade: no poll") << true << 1 << false << true << false << true << 1 << false << true << false;
    QTest::newRow("upgrade: last answer online") << true << 1 << false << true << true << true << 1 << true << false
                                                 << true;
    // Back home, the notice waited for a device no window shows: it closes,
    // whatever the connection.
    QTest::newRow("nothing selected, 1K receiver") << true << 0 << true << true << false << false << 0 << true << false
                                                   << false;
    QTest::newRow("nothing selected, cable") << true << 0 << true << true << false << false << 2 << true << false
                                             << false;
    QTest::newRow("online, restart asked") << false << 1 << true << true << true << true << 1 << false << false << true;
    QTest::newRow("offline, restart asked") << false << 1 << true << false << false << true << 1 << false << false
                                            << false;
}

void TestConnectionWorker::checkOnline()
{
    QFETCH(bool, waiting);
    QFETCH(int, selected);
    QFETCH(bool, accessAllowed);
    QFETCH(bool, mouseOnline);
    QFETCH(bool, onlineBefore);
    QFETCH(bool, restart);
    QFETCH(int, connectionType);
    QFETCH(bool, closesNotice);
    QFETCH(bool, waitingAfter);
    QFETCH(bool, starts);

    QVERIFY(SimControl::setMouseOnline(QStringLiteral("m4"), mouseOnline));
    makeCurrent(QStringLiteral("r4"));
    DeviceAllInfo device = CurrentDeviceCopy();
    device.connectionType = uint8_t(connectionType);
    SetCurrentDevice(device);
    g_waitingForDevice = waiting;
    g_deviceSelected = selected;
    g_deviceAccessAllowed = accessAllowed;
    g_deviceOnline = onlineBefore;
    g_restartNeeded = restart;
    g_lastOnline = true;

    g_worker->SlotCheckOnline();
    QVERIFY(Settle());

    QCOMPARE(m_pages->events.contains(QStringLiteral("CloseOffOnline")), closesNotice);
    QCOMPARE(bool(g_waitingForDevice), waitingAfter);
    QCOMPARE(m_passes.load(), starts ? 1 : 0);
    QCOMPARE(bool(g_restartNeeded), restart && !starts);
    const bool polled = waiting && selected != 0 && accessAllowed;
    if (polled)
        QCOMPARE(bool(g_deviceOnline), mouseOnline);
}

void TestConnectionWorker::changeWatch_data()
{
    QTest::addColumn<int>("awayAfterMs"); // after the change was sent
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("notices");
    QTest::newRow("asleep while the change may be under way") << 0 << 1 << 1;
    QTest::newRow("asleep well after the change") << 1500 << 1 << 0;
    QTest::newRow("back home") << 0 << 0 << 0;
}

// A mouse that stops answering right after a change may not have it: the
// watch raises the offline notice (whose pass on its return reads the mouse).
// One that stops a while later had the change, and it is no news on the home
// page.
void TestConnectionWorker::changeWatch()
{
    QFETCH(int, awayAfterMs);
    QFETCH(int, selected);
    QFETCH(int, notices);
    connectTo(QStringLiteral("r4"));
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

    QVERIFY(SetDebounceTime(9));
    g_deviceSelected = selected;
    QTest::qWait(awayAfterMs);
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("m4"), false));
    QTest::qWait(500);
    QCOMPARE(offline.count(), notices);
    if (notices)
        QCOMPARE(offline.first().first().toInt(), 0);
}

void TestConnectionWorker::identifyDevice_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("zeros");
    QTest::addColumn<bool>("emptyCatalogue");
    QTest::addColumn<bool>("withCurrent"); // a current device with a path
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("modelIndex");
    QTest::addColumn<bool>("wired");
    QTest::addColumn<int>("reads");
    QTest::addColumn<QByteArray>("address");

    const QByteArray r4 = QByteArray::fromHex("A14B04");
    QTest::newRow("model 1") << "r4" << 0 << false << true << 1 << 0 << false << 1 << r4;
    QTest::newRow("model 1, nothing current") << "r4" << 0 << false << false << 1 << 0 << false << 1 << QByteArray();
    QTest::newRow("model 2") << "r8" << 0 << false << true << 1 << 1 << false << 1 << QByteArray::fromHex("B25C08");
    QTest::newRow("model 3 on its cable") << "orca" << 0 << false << true << 1 << 2 << true << 1
                                          << QByteArray::fromHex("000000");
    QTest::newRow("eight zeros, then the identity") << "r4" << 8 << false << true << 1 << 0 << false << 9 << r4;
    QTest::newRow("nine zeros, then the identity") << "r4" << 9 << false << true << 0 << 4 << false << 10
                                                   << QByteArray();
    QTest::newRow("no identity") << "r4" << 20 << false << true << 0 << 4 << false << 10 << QByteArray();
    QTest::newRow("unknown model id") << "x9" << 0 << false << true << 2 << 4 << false << 1 << QByteArray();
    QTest::newRow("another customer") << "other" << 0 << false << true << 3 << 4 << false << 1 << QByteArray();
    QTest::newRow("empty catalogue") << "r4" << 0 << true << true << 0 << 77 << false << 1 << QByteArray();
}

void TestConnectionWorker::identifyDevice()
{
    QFETCH(QString, device);
    QFETCH(int, zeros);
    QFETCH(bool, emptyCatalogue);
    QFETCH(bool, withCurrent);
    QFETCH(int, result);
    QFETCH(int, modelIndex);
    QFETCH(bool, wired);
    QFETCH(int, reads);
    QFETCH(QByteArray, address);

    if (device == QLatin1String("other"))
        QVERIFY(SimControl::setPlugged(device, true));
    if (zeros)
        QVERIFY(SimControl::scriptIdentityZeros(device, zeros));
    DeviceAllInfo current;
    if (withCurrent)
        current.path = QStringLiteral("some other device");
    SetCurrentDevice(current);
    ConfigStore* config = ConfigStore::Instance();
    if (emptyCatalogue)
        config->SetValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal"), QStringLiteral("0"));

    const QByteArray path = SimControl::devicePath(device);
    DeviceAllInfo record;
    record.path = QString::fromUtf8(path);
    record.modelIndex = 77;
    SimControl::clearCallLog();
    const int answer = IdentifyDevice(record, path.constData());
    config->SetValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal"), QStringLiteral("4"));

    QCOMPARE(answer, result);
    QCOMPARE(record.modelIndex, modelIndex);
    QCOMPARE(record.wired, wired);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbFinderC_GetDeviceInfo")), reads);
    QByteArray receiverAddress;
    for (uint8_t byte : qAsConst(record.receiverAddress))
        receiverAddress.append(char(byte));
    QCOMPARE(receiverAddress, address);
    if (result == 1) {
        QCOMPARE(int(record.cid), 23);
        QCOMPARE(int(record.mid), modelIndex + 1);
        QVERIFY(record.online == (device != QLatin1String("x9")));
    } else {
        QCOMPARE(int(record.mid), 0); // the identity is kept only for a known model
    }
    QCOMPARE(CurrentDeviceCopy().path, current.path);
}

void TestConnectionWorker::reidentifyKeepsVersions_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("mouseVersion");
    QTest::addColumn<QString>("versionAfter");
    QTest::addColumn<QString>("mouseVersionAfter");
    QTest::newRow("versions known") << "v9.9" << "v1.2" << "v9.9" << "v1.2";
    QTest::newRow("versions unknown") << "" << "" << "v1.1" << "";
}

// The scan re-finds the current device: the record replaces it, except for
// the firmware versions it already knew.
void TestConnectionWorker::reidentifyKeepsVersions()
{
    QFETCH(QString, version);
    QFETCH(QString, mouseVersion);
    QFETCH(QString, versionAfter);
    QFETCH(QString, mouseVersionAfter);
    DeviceAllInfo current = ListedRecord(QStringLiteral("r4"));
    current.version = version;
    current.mouseVersion = mouseVersion;
    current.online = false;
    current.receiverAddress.clear();
    SetCurrentDevice(current);

    g_devicePageList.clear();
    EnumerateDevices(QStringLiteral("0x2FE5"), {QStringLiteral("0x7B04")});
    QCOMPARE(g_devicePageList.size(), 1);
    const DeviceAllInfo after = CurrentDeviceCopy();
    QCOMPARE(after.version, versionAfter);
    QCOMPARE(after.mouseVersion, mouseVersionAfter);
    QVERIFY(after.online);
    QCOMPARE(after.receiverAddress, (QList<uint8_t>{0xA1, 0x4B, 0x04}));
    QCOMPARE(g_devicePageList.first().version, QStringLiteral("v1.1"));
    QCOMPARE(g_devicePath.bytes(), SimControl::devicePath(QStringLiteral("r4")));
}

void TestConnectionWorker::enumerateListing_data()
{
    QTest::addColumn<QString>("current"); // "" nothing selected
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<bool>("identified");
    QTest::newRow("nothing selected: every device, unidentified")
        << QString() << QStringList{"orca", "x9", "r4", "r8"} << false;
    QTest::newRow("model 1: its receiver and unknown devices") << "r4" << QStringList{"x9", "r4"} << true;
    QTest::newRow("model 3: its cable and unknown devices") << "orca" << QStringList{"orca", "x9"} << true;
}

// Listed in the order of the product ids; devices of another model than the
// selected one are left out.
void TestConnectionWorker::enumerateListing()
{
    QFETCH(QString, current);
    QFETCH(QStringList, listed);
    QFETCH(bool, identified);
    if (!current.isEmpty())
        SetCurrentDevice(ListedRecord(current));
    SimControl::clearCallLog();
    g_devicePageList.clear();
    EnumerateDevices(QStringLiteral("0x2FE5"), kProductIds);

    QStringList paths;
    for (const DeviceAllInfo& entry : qAsConst(g_devicePageList)) {
        paths << entry.path;
        QCOMPARE(entry.vid, QStringLiteral("0x2FE5"));
        QVERIFY(kProductIds.contains(entry.pid));
    }
    QStringList expected;
    for (const QString& id : listed)
        expected << PathOf(id);
    QCOMPARE(paths, expected);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbFinderC_GetDeviceInfo")) > 0, identified);
    QCOMPARE(LibraryCalls({QStringLiteral("UsbFinderC_FindHidDevicesByDeviceId")}).size(), kProductIds.size());
    if (!current.isEmpty())
        QCOMPARE(g_devicePath.bytes(), SimControl::devicePath(current));
}

void TestConnectionWorker::followsMouseToCable_data()
{
    QTest::addColumn<QString>("mouse");
    QTest::addColumn<bool>("followed");
    QTest::newRow("the selected mouse") << "m4" << true;
    QTest::newRow("a mouse of another receiver") << "spare" << false;
}

// The selected wireless mouse shows up on a cable (same model, same
// receiver address, online): the cable entry becomes the current device.
void TestConnectionWorker::followsMouseToCable()
{
    QFETCH(QString, mouse);
    QFETCH(bool, followed);
    connectTo(QStringLiteral("r4"));
    m_pages->Clear();
    SimControl::clearCallLog();

    QVERIFY(SimControl::setPlugged(mouse, true)); // the hot-plug callback follows
    QVERIFY(Settle());

    const DeviceAllInfo current = CurrentDeviceCopy();
    const QString expectedPath = followed ? PathOf(mouse) : PathOf(QStringLiteral("r4"));
    QCOMPARE(current.path, expectedPath);
    QCOMPARE(QString::fromUtf8(g_devicePath.bytes()), expectedPath);
    QCOMPARE(current.wired, followed);
    QCOMPARE(m_passes.load(), followed ? 2 : 1);
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServerC_Start")}),
             followed ? QStringList{QStringLiteral("UsbServerC_Start ") + expectedPath} : QStringList{});
    QVERIFY(!m_pages->events.contains(QStringLiteral("ChangeMainDialog(0)")));
    if (followed) {
        const DeviceAllInfo cable = ListedRecord(mouse);
        QCOMPARE(current.cid, cable.cid);
        QCOMPARE(current.mid, cable.mid);
        QCOMPARE(int(current.connectionType), int(cable.connectionType));
        QCOMPARE(current.receiverAddress, cable.receiverAddress);
        QVERIFY(current.online);
        QCOMPARE(m_pages->Only({"Button"}), QStringList{"Button"}); // the pages are filled anew
    }
}

void TestConnectionWorker::returnsHome_data()
{
    QTest::addColumn<QString>("left");     // "" nothing, or a device that stays listed
    QTest::addColumn<bool>("accessAllowed");
    QTest::addColumn<bool>("home");
    QTest::addColumn<bool>("reset");
    QTest::newRow("nothing left") << QString() << true << true << true;
    QTest::newRow("nothing left, during an upgrade") << QString() << false << false << false;
    QTest::newRow("an unknown device left") << "x9" << true << true << false;
    QTest::newRow("another mouse of the model left") << "spare" << true << true << false;
    QTest::newRow("another mouse, during an upgrade") << "spare" << false << false << false;
}

// The receiver of the selected mouse is unplugged. (Devices of other models
// are not listed, so they do not count.)
void TestConnectionWorker::returnsHome()
{
    QFETCH(QString, left);
    QFETCH(bool, accessAllowed);
    QFETCH(bool, home);
    QFETCH(bool, reset);
    makeCurrent(QStringLiteral("r4"));
    const QString selectedPath = PathOf(QStringLiteral("r4"));
    QVERIFY(SimControl::setPlugged(QStringLiteral("x9"), left == QLatin1String("x9")));
    if (left == QLatin1String("spare"))
        QVERIFY(SimControl::setPlugged(left, true));
    QVERIFY(SimControl::setPlugged(QStringLiteral("r4"), false));
    g_deviceAccessAllowed = accessAllowed;

    OnDevicePageUsbChanged();
    QVERIFY(Settle());

    QCOMPARE(m_pages->events.first(), QStringLiteral("Setver(4)"));
    QCOMPARE(m_pages->events.count(QStringLiteral("ChangeMainDialog(0)")), home ? 1 : 0);
    QCOMPARE(CurrentDeviceCopy().path, reset ? QString() : selectedPath);
    QCOMPARE(g_devicePageList.size(), left.isEmpty() ? 0 : 1);
    QCOMPARE(m_passes.load(), 0);
}

void TestConnectionWorker::firmwareCheckOfCableMouse_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("mouseVersion");
    QTest::addColumn<QString>("receiverVersion"); // of r4 in the world
    QTest::addColumn<bool>("binFolder");
    QTest::addColumn<QString>("label");           // "" no label signal
    QTest::addColumn<bool>("mouseUpdate");
    QTest::addColumn<bool>("receiverUpdate");

    // Without a receiver there is no receiver class, and no update check.
    QTest::newRow("cable mouse alone, older firmware") << "orca" << "v1.2" << "1.1" << true << "LabelTextB(,)" << false
                                                       << false;
    QTest::newRow("beside its receiver, older mouse") << "m4" << "v1.2" << "1.2" << true << "LabelTextB(v1.2,true)"
                                                      << true << false;
    QTest::newRow("cable mouse, current firmware") << "orca" << "v1.3" << "1.1" << true << "LabelTextB(,)" << false
                                                   << false;
    QTest::newRow("cable mouse, no version yet") << "orca" << "" << "1.1" << true << "LabelTextB(,)" << false << false;
    QTest::newRow("beside its older receiver") << "m4" << "v1.3" << "1.1" << true << "LabelTextB(v1.1,true)" << false
                                               << true;
    QTest::newRow("beside its current receiver") << "m4" << "v1.3" << "1.2" << true << "LabelTextB(v1.2,)" << false
                                                 << false;
    QTest::newRow("no bin folder") << "m4" << "v1.2" << "1.1" << false << "LabelTextB(v1.1,)" << true << true;
    QTest::newRow("wireless mouse: no check") << "r4" << "v1.2" << "1.1" << true << "" << true << true;
}

void TestConnectionWorker::firmwareCheckOfCableMouse()
{
    QFETCH(QString, current);
    QFETCH(QString, mouseVersion);
    QFETCH(QString, receiverVersion);
    QFETCH(bool, binFolder);
    QFETCH(QString, label);
    QFETCH(bool, mouseUpdate);
    QFETCH(bool, receiverUpdate);
    QVERIFY(SimWorld::Load(ConnectionWorld(receiverVersion)));
    QVERIFY(SimControl::setPlugged(QStringLiteral("x9"), false));
    if (current == QLatin1String("m4"))
        QVERIFY(SimControl::setPlugged(current, true));
    const QString bin = FirmwareFolder();
    if (!binFolder)
        QVERIFY(QDir().rename(bin, bin + QStringLiteral(".away")));
    DeviceAllInfo device = ListedRecord(current);
    device.mouseVersion = mouseVersion;
    SetCurrentDevice(device);
    g_devicePath.set(SimControl::devicePath(current));
    // Without a check the flags keep what they were.
    g_mouseUpdateAvailable = true;
    g_receiverUpdateAvailable = true;

    OnDevicePageUsbChanged();
    if (!binFolder)
        QVERIFY(QDir().rename(bin + QStringLiteral(".away"), bin));
    QVERIFY(Settle());

    QCOMPARE(m_pages->Only({"LabelTextB"}), label.isEmpty() ? QStringList() : QStringList{label});
    QCOMPARE(bool(g_mouseUpdateAvailable), mouseUpdate);
    QCOMPARE(bool(g_receiverUpdateAvailable), receiverUpdate);
}

void TestConnectionWorker::repairDialogCheck_data()
{
    QTest::addColumn<int>("dialog"); // 0 no query, 1 hidden, 2 shown
    QTest::addColumn<bool>("updating");
    QTest::addColumn<bool>("check");
    QTest::newRow("no repair dialog") << 0 << false << false;
    QTest::newRow("hidden") << 1 << false << false;
    QTest::newRow("shown") << 2 << false << true;
    QTest::newRow("shown during an upgrade") << 2 << true << false;
}

// With the repair dialog shown the scan asks for a new update check, also
// when the device has gone.
void TestConnectionWorker::repairDialogCheck()
{
    QFETCH(int, dialog);
    QFETCH(bool, updating);
    QFETCH(bool, check);
    if (dialog)
        SetRepairDialogVisibleQuery([dialog] { return dialog == 2; });
    g_firmwareUpdating = updating;
    for (bool gone : {false, true}) {
        m_pages->Clear();
        makeCurrent(QStringLiteral("r4"));
        if (gone)
            QVERIFY(SimControl::setPlugged(QStringLiteral("r4"), false));
        OnDevicePageUsbChanged();
        QVERIFY(Settle());
        QCOMPARE(m_pages->events.count(QStringLiteral("CheckUpdate")), check ? 1 : 0);
        QCOMPARE(m_pages->events.last() == QLatin1String("CheckUpdate"), check);
    }
}

QTEST_GUILESS_MAIN(TestConnectionWorker)
#include "tst_connection_worker.moc"
