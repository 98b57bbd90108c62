// A dump that arrives while the user-interface thread writes from the device
// image. The writers that change part of the image (a macro's new name on the
// keys that carry it, a saved macro's repeat mode and events, a new DPI stage
// count) compute their change from the image as it is when it is sent, in one
// step: a dump of another profile arriving meanwhile is never mixed with
// records of the profile it replaced. A new stage count that exchanges stages
// goes out whole or not at all. A cache save never writes one device's image
// into another device's cache file.
#include "gui_fixture.h"
#include "hub_recorder.h"
#include "macro_block_events.h"
#include "report_thread.h"
#include "test_image.h"
#include "world_text.h"

#include "device_cache.h"
#include "device_image_setters.h"
#include "device_report.h"
#include "key_function.h"
#include "macro_file.h"
#include "mouse_off_line.h"
#include "sensor_dpi.h"
#include "up_data_param.h"

#include <QComboBox>
#include <QtTest>

#include <dlfcn.h>

#include <functional>

namespace {

// Runs once, inside an online test of the user-interface thread (the writers
// make one right before they take the image lock): the test after
// s_onlineTestsBefore others.
std::function<void()> s_insideOnlineTest;
int s_onlineTestsBefore = 0;

} // namespace

extern "C" bool UsbFinderC_GetDeviceOnLine(const char* path)
{
    using Online = bool (*)(const char*);
    static const auto library = reinterpret_cast<Online>(dlsym(RTLD_NEXT, "UsbFinderC_GetDeviceOnLine"));
    if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread()
        && s_insideOnlineTest && s_onlineTestsBefore-- == 0) {
        const std::function<void()> hook = std::move(s_insideOnlineTest);
        s_insideOnlineTest = nullptr;
        hook();
    }
    return library(path);
}

namespace {

const QString kMouse = QStringLiteral("lynx");
const QString kReceiver = QStringLiteral("lynx-r8");
const QString kMacro = QStringLiteral("Tap");
const int kKey = 2; // the button page's third key row
const int kStagesShown = 6;
const int kCurrentStage = 4;

// The profiles of the mouse: the factory image with the macro "Tap" on the
// key and settings of the profile's own. The two profiles differ in every
// record a writer below touches or keeps.
QByteArray ProfileImage(int profile)
{
    FlashDataMap image = ImageFromBytes(SimControl::factoryImage(kMouse));
    image.debounceTime = uint8_t(4 + profile);
    image.dpiStageCount = kStagesShown;
    image.currentDpiStage = kCurrentStage;
    for (int stage = 0; stage < FlashDataMap::StageCount; ++stage) {
        image.dpiStages[stage].red = uint8_t(20 * stage + 100 * profile);
        image.dpiStages[stage].green = uint8_t(7 * profile);
    }
    const uint8_t function[3] = {uint8_t(KeyFunctionType::Macro), kKey, uint8_t(1 + 2 * profile)};
    std::memcpy(image.keyFunctions[kKey], function, sizeof function);
    QList<QByteArray> events;
    for (int i = 0; i < 2 + 2 * profile; ++i)
        events << Event(quint8(i % 2), 1, quint16(0x04 + profile), quint32(5 + profile));
    const QByteArray block = Block(kMacro.toLatin1(), events);
    std::memcpy(image.macroBlocks[kKey], block.constData(), FlashDataMap::MacroBlockSize);
    return ImageBytes(image);
}

bool WriteMacroFile(const QByteArray& content)
{
    QFile file(MacroFilePath(MacroFolder(), kMacro));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

enum Writer { Rename, RepeatMode, SavedEvents, StageCount };

// The mouse on its first profile, the program showing it.
struct OpenMouse {
    GuiFixture gui;
    QList<QByteArray> profiles{ProfileImage(0), ProfileImage(1)};

    bool Open(int reportIntervalUs = 0)
    {
        if (!gui.Start())
            return false;
        SimControl::setReportIntervalUs(reportIntervalUs);
        for (int profile = 0; profile < profiles.size(); ++profile) {
            if (!SimControl::setMouseImage(kMouse, profiles[profile], profile))
                return false;
        }
        return gui.OpenDevice(kReceiver) && SimControl::waitWrites() && ImageBytes(DeviceImageCopy()) == profiles[0];
    }

    // The mouse's own button moves it to the second profile; the program has
    // heard the profile report, the dump is still on its way.
    bool MouseMovesOn()
    {
        const QByteArray path = SimControl::devicePath(kReceiver);
        UsbServerC_Start(path.constData(), path.constData(), [](const unsigned char*, int, const unsigned char*, int) {});
        const bool switched = SimControl::switchProfile(kMouse, 1) && SimControl::waitIdle();
        UsbServerC_Start(path.constData(), path.constData(), OnDeviceReport);
        return switched && SimControl::injectReport(SimControl::makeReportHeader(14), Bytes({1})) && Settle();
    }
};

} // namespace

Q_DECLARE_METATYPE(Writer)

class TestCoreDumpDuringWrite : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void cacheSaveDuringADumpOfAnotherDevice();
    void writerTakesTheImageAsSent_data();
    void writerTakesTheImageAsSent();
    void stageCountReachesASleepingMouseWholeOrNotAtAll_data();
    void stageCountReachesASleepingMouseWholeOrNotAtAll();
};

void TestCoreDumpDuringWrite::cleanup()
{
    s_insideOnlineTest = nullptr;
}

void TestCoreDumpDuringWrite::writerTakesTheImageAsSent_data()
{
    // onlineTestsBefore: the dump comes in the writer's own online test, the
    // first of the row but for the stage count: the current stage moves to
    // the new last stage, and selecting it is a send of its own before the
    // dump (refused: the image is still profile 1's, try again).
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<int>("onlineTestsBefore");
    QTest::addColumn<QStringList>("notices");
    QTest::newRow("macro renamed") << Rename << 0 << QStringList();
    QTest::newRow("saved repeat mode") << RepeatMode << 0 << QStringList();
    QTest::newRow("saved events") << SavedEvents << 0 << QStringList();
    QTest::newRow("stage count") << StageCount << 1 << QStringList{QStringLiteral("SigMouseOffLineo(1)")};
}

// The program shows profile 1 and has heard that the mouse moved to profile
// 2; the dump of profile 2 arrives while the writer runs, between its online
// test and its write. What reaches the mouse is profile 2 with exactly the
// writer's change; profile 1 stays as it was.
void TestCoreDumpDuringWrite::writerTakesTheImageAsSent()
{
    QFETCH(Writer, writer);
    QFETCH(int, onlineTestsBefore);
    QFETCH(QStringList, notices);
    OpenMouse at;
    QVERIFY(at.Open());
    auto* dpi = at.gui.DeviceWindow()->findChild<SensorDPI*>(QStringLiteral("frameDpi"));
    QVERIFY(dpi);
    auto* stageCount = dpi->findChild<QComboBox*>(QStringLiteral("ChooseEvent"));
    QVERIFY(stageCount);
    QVERIFY(QFile::exists(MacroFilePath(MacroFolder(), kMacro))); // made from the mouse's block

    FlashDataMap expected = ImageFromBytes(at.profiles[1]);
    std::function<void()> write;
    switch (writer) {
    case Rename:
        write = [] { emit PostMsg::GetInstance()->SigMacroRename(kMacro, QStringLiteral("Tip")); };
        expected.macroBlocks[kKey][2] = 'i';
        break;
    case RepeatMode:
        QVERIFY(WriteMacroFile("254\n0x04 1 0\n"));
        write = [] { emit PostMsg::GetInstance()->SigUpDataMacro(kMacro, 1); };
        expected.keyFunctions[kKey][2] = 254;
        break;
    case SavedEvents: {
        QVERIFY(WriteMacroFile("1\n0x04 1 0\n10ms\n0x04 1 1\n"));
        write = [] { emit PostMsg::GetInstance()->SigMacroDownLoadData(kMacro, kKey); };
        const QByteArray block = Block(kMacro.toLatin1(), {Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 0)});
        std::memcpy(expected.macroBlocks[kKey], block.constData(), FlashDataMap::MacroBlockSize);
        break;
    }
    case StageCount: {
        // Fewer stages than the current one: it changes places with the new last.
        const int count = 3;
        write = [stageCount, count] { stageCount->setCurrentIndex(count - 1); };
        std::swap(expected.dpiStages[kCurrentStage], expected.dpiStages[count - 1]);
        expected.currentDpiStage = count - 1;
        expected.dpiStageCount = count;
        break;
    }
    }

    QVERIFY(at.MouseMovesOn());
    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
    bool dumpArrived = false;
    s_onlineTestsBefore = onlineTestsBefore;
    s_insideOnlineTest = [&] {
        // As the report thread does: the image is replaced before the pages
        // are asked to show it.
        SimControl::injectReport(SimControl::makeReportHeader(8), SimControl::encodeDump(at.profiles[1]));
        QElapsedTimer clock;
        clock.start();
        while (ImageBytes(DeviceImageCopy()) != at.profiles[1] && clock.elapsed() < 10000)
            QThread::msleep(1);
        dumpArrived = ImageBytes(DeviceImageCopy()) == at.profiles[1];
    };
    SimControl::clearCallLog();
    write();
    QVERIFY(dumpArrived);
    QVERIFY(Settle());
    QVERIFY(SimControl::waitWrites());

    QTRY_VERIFY_WITH_TIMEOUT(!MouseOffLine::IsOpen(), 5000);
    QVERIFY(Settle());

    QCOMPARE(SimControl::mouseImage(kMouse, 0), at.profiles[0]);
    QCOMPARE(SimControl::mouseImage(kMouse, 1), ImageBytes(expected));
    // Nothing that went out held a byte of profile 1 in profile 2's place.
    const QByteArray second = at.profiles[1];
    const QByteArray changed = ImageBytes(expected);
    for (const QByteArray& sent : SimControl::imagesSent()) {
        for (int i = 0; i < sent.size(); ++i) {
            const QByteArray where = "byte 0x" + QByteArray::number(i, 16);
            QVERIFY2(sent[i] == second[i] || sent[i] == changed[i], where.constData());
        }
    }
    QCOMPARE(hub.events, notices);
}

void TestCoreDumpDuringWrite::stageCountReachesASleepingMouseWholeOrNotAtAll_data()
{
    // The count's change begins with the selection of the new last stage;
    // each part that finds the mouse asleep opens the offline notice. The
    // user closes the notices while the mouse sleeps, and wakes the mouse
    // `wakeAfterMs` into the notice numbered `wakeInNotice`; the online test
    // closes that one. Woken in the first, the exchange and count go out
    // after it, unless the connection asked for the mouse's dump just
    // before: then they are refused with the time-out notice, as the dump
    // would not hold them.
    QTest::addColumn<int>("wakeInNotice");
    QTest::addColumn<int>("wakeAfterMs");
    QTest::addColumn<bool>("maySend");
    QTest::newRow("woken-in-first-notice") << 1 << 100 << true;
    QTest::newRow("woken-in-second-notice-100ms") << 2 << 100 << false;
    QTest::newRow("woken-in-second-notice-1500ms") << 2 << 1500 << false;
}

// A new stage count hides the current stage, which changes places with the
// new last one: the exchange and the count reach the mouse together or not
// at all, never the count alone. The pages end showing what the mouse has.
void TestCoreDumpDuringWrite::stageCountReachesASleepingMouseWholeOrNotAtAll()
{
    QFETCH(int, wakeInNotice);
    QFETCH(int, wakeAfterMs);
    QFETCH(bool, maySend);
    OpenMouse at;
    QVERIFY(at.Open(-1));
    auto* dpi = at.gui.DeviceWindow()->findChild<SensorDPI*>(QStringLiteral("frameDpi"));
    QVERIFY(dpi);
    auto* stageCount = dpi->findChild<QComboBox*>(QStringLiteral("ChooseEvent"));
    QVERIFY(stageCount);
    QCOMPARE(stageCount->currentIndex(), kStagesShown - 1);

    int notices = 0;
    QTimer user;
    connect(&user, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* notice = qobject_cast<MouseOffLine*>(widget);
            if (!notice || !notice->isVisible() || notice->property("seen").toBool())
                continue;
            notice->setProperty("seen", true);
            if (++notices == wakeInNotice)
                QTimer::singleShot(wakeAfterMs, [] { SimControl::setMouseOnline(kMouse, true); });
            else
                notice->close();
        }
    });
    user.start(20);
    QVERIFY(SimControl::setMouseOnline(kMouse, false));
    const int count = 2;
    stageCount->setCurrentIndex(count - 1);
    QTRY_VERIFY_WITH_TIMEOUT(notices == wakeInNotice && !MouseOffLine::IsOpen(), 10000);
    QVERIFY(Settle());
    QVERIFY(SimControl::waitWrites());
    user.stop();

    // One notice more when the exchange was refused after the wake.
    QVERIFY(notices == wakeInNotice || (maySend && notices == wakeInNotice + 1));
    const bool sent = maySend && notices == wakeInNotice;
    FlashDataMap expected = ImageFromBytes(at.profiles[0]);
    if (sent) {
        std::swap(expected.dpiStages[kCurrentStage], expected.dpiStages[count - 1]);
        expected.currentDpiStage = count - 1;
        expected.dpiStageCount = count;
    }
    QCOMPARE(SimControl::mouseImage(kMouse, 0), ImageBytes(expected));
    QCOMPARE(ImageBytes(DeviceImageCopy()), ImageBytes(expected));
    QCOMPARE(stageCount->currentIndex(), int(expected.dpiStageCount) - 1);
}

// Device A's image is the program's; the dump of device B, just selected, is
// being handled when the reconnection's wait saves the cache (the report
// thread waits for the settings page meanwhile). Neither cache file ever
// holds the other device's image.
void TestCoreDumpDuringWrite::cacheSaveDuringADumpOfAnotherDevice()
{
    PrepareUserData();
    ResetProgramState();
    QVERIFY(SimWorld::Load(SimWorld::Receiver(QStringLiteral("rb"), 4, 5)
                           + SimWorld::Mouse(QStringLiteral("mb"), 5, QStringLiteral("rb"))));
    const FlashDataMap imageA = SeededImage(1);
    // As the mouse's dump gives it.
    const FlashDataMap imageB = ImageFromBytes(SimControl::decodeDump(SimControl::encodeDump(ImageBytes(PatternImage()))));
    const QString nameA = DeviceCacheName(23, 1);
    const QString nameB = DeviceCacheName(23, 5);
    QFile::remove(DeviceCachePath(nameA));
    QFile::remove(DeviceCachePath(nameB));
    {
        QMutexLocker locker(&g_deviceImageMutex);
        g_deviceImage = imageA;
        g_cacheNameOnDump = nameA;
    }
    DeviceAllInfo deviceB;
    deviceB.path = QString::fromLatin1(SimControl::devicePath(QStringLiteral("rb")));
    deviceB.cid = 23;
    deviceB.mid = 5;
    deviceB.connectionType = 1; // its 4K receiver's light is asked for
    SetCurrentDevice(deviceB);
    g_cacheNameOnSelect = nameB;
    g_deviceOnline = true;

    // The end of the reconnection's wait, which keeps the image as the
    // selected device's first cache.
    const auto saveAsReconnection = [] {
        g_deviceReady = true;
        g_sensorPageApplied = true;
        g_buttonPageApplied = true;
        UpDataParam wait;
        QMetaObject::invokeMethod(&wait, "onTimeupDestroy");
    };
    bool savedMeanwhile = false;
    HubRecorder settingsPage;
    settingsPage.onEvent = [&](const QString&) {
        saveAsReconnection();
        savedMeanwhile = QFile::exists(DeviceCachePath(nameA)) || QFile::exists(DeviceCachePath(nameB));
    };
    settingsPage.RecordAs(&PostMsg::SigRGBValue, [](DongleRGB*) { return QStringLiteral("SigRGBValue"); },
                          Qt::BlockingQueuedConnection);
    const QByteArray header = SimControl::makeReportHeader(8);
    const QByteArray dump = SimControl::encodeDump(ImageBytes(imageB));
    QVERIFY(EmitFromReportThread([&] {
        OnDeviceReport(reinterpret_cast<const unsigned char*>(header.constData()), header.size(),
                       reinterpret_cast<const unsigned char*>(dump.constData()), dump.size());
    }));
    QCOMPARE(settingsPage.events, QStringList{QStringLiteral("SigRGBValue")});
    QVERIFY(savedMeanwhile);
    QCOMPARE(ImageBytes(DeviceImageCopy()), ImageBytes(imageB));

    FlashDataMap cached;
    if (ReadDeviceCache(nameB, cached))
        QCOMPARE(ImageBytes(cached), ImageBytes(imageB));
    if (ReadDeviceCache(nameA, cached))
        QCOMPARE(ImageBytes(cached), ImageBytes(imageA));
    // Once the dump is the image, it becomes its own device's cache.
    saveAsReconnection();
    QVERIFY(ReadDeviceCache(nameB, cached));
    QCOMPARE(ImageBytes(cached), ImageBytes(imageB));
}

QTEST_MAIN(TestCoreDumpDuringWrite)
#include "test_core_dump_during_write.moc"
