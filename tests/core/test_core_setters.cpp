// The device-image field setters against the simulated library: which bytes
// each one writes, the send, the offline gate and its notice, refused sends,
// bad indices, and concurrent writers of the image.
#include "app_state.h"
#include "device_image_setters.h"
#include "mouse_profile.h"
#include "post_msg.h"
#include "report_thread.h"
#include "sim_mouse.h"
#include "test_image.h"

#include <QtTest>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

namespace {

struct Patch {
    std::size_t offset;
    QByteArray bytes;
};

struct SetterCase {
    const char* name;
    std::function<bool()> call;
    QList<Patch> writes;
};

// A macro block the mouse can store: short name, a few events.
QByteArray MacroBlock(char fill, int events)
{
    QByteArray block(FlashDataMap::MacroBlockSize, fill);
    block[0] = 3;
    block[31] = char(events);
    return block;
}

const uint8_t* Data(const QByteArray& bytes)
{
    return reinterpret_cast<const uint8_t*>(bytes.constData());
}

std::size_t StageOffset(int stage)
{
    return ImageOffset::DpiStages + 6 * std::size_t(stage);
}

std::size_t MacroOffset(int button)
{
    return ImageOffset::MacroBlocks + std::size_t(FlashDataMap::MacroBlockSize) * std::size_t(button);
}

DPIStage Stage(int x, int flags, int red, int green, int blue)
{
    DPIStage stage;
    stage.x = uint8_t(x);
    stage.y = uint8_t(x);
    stage.flags = uint8_t(flags);
    stage.red = uint8_t(red);
    stage.green = uint8_t(green);
    stage.blue = uint8_t(blue);
    return stage;
}

QByteArray StageBytes(const DPIStage& stage)
{
    return QByteArray(reinterpret_cast<const char*>(&stage), sizeof(DPIStage));
}

// Bytes that differ from the baseline everywhere in [offset, offset + size).
QByteArray InvertedBaseline(std::size_t offset, int size)
{
    const FlashDataMap baseline = PatternImage();
    QByteArray bytes(size, 0);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(~baseline.at(offset + std::size_t(i)));
    return bytes;
}

const QList<SetterCase>& SetterCases()
{
    static const QByteArray function = Bytes({0x07, 0x21, 0x42});
    static const QByteArray keyRecord = InvertedBaseline(0x118, FlashDataMap::KeyEventRecordSize);
    static const QByteArray macro = [] {
        QByteArray block = InvertedBaseline(MacroOffset(15), FlashDataMap::MacroBlockSize);
        block[0] = 3;  // name length
        block[31] = 4; // events
        return block;
    }();
    static const DPIStage a = Stage(0x30, 0x81, 255, 0, 0);
    static const DPIStage b = Stage(0x90, 0x02, 0, 0, 255);
    static const QList<SetterCase> cases = {
        {"SetReportRate", [] { return SetReportRate(0x10); }, {{0x00, Bytes({0x10})}}},
        {"SetReportRate low byte", [] { return SetReportRate(0x140); }, {{0x00, Bytes({0x40})}}},
        {"SetDpiStageCount", [] { return SetDpiStageCount(5); }, {{0x01, Bytes({5})}}},
        {"SetCurrentDpiStage", [] { return SetCurrentDpiStage(3); }, {{0x02, Bytes({3})}}},
        {"SetImageByte3", [] { return SetImageByte3(0xA1); }, {{0x03, Bytes({0xA1})}}},
        {"SetImageByte4", [] { return SetImageByte4(0xA2); }, {{0x04, Bytes({0xA2})}}},
        {"SetLiftOffDistance", [] { return SetLiftOffDistance(3); }, {{0x05, Bytes({3})}}},
        {"SetDebounceTime", [] { return SetDebounceTime(4); }, {{0x06, Bytes({4})}}},
        {"SetMotionSync", [] { return SetMotionSync(1); }, {{0x07, Bytes({1})}}},
        {"SetLightOffTime", [] { return SetLightOffTime(6); }, {{0x08, Bytes({6})}}},
        {"SetStraightLine", [] { return SetStraightLine(1); }, {{0x09, Bytes({1})}}},
        {"SetRippleControl", [] { return SetRippleControl(1); }, {{0x0A, Bytes({1})}}},
        {"SetLightOffWhileMoving", [] { return SetLightOffWhileMoving(1); }, {{0x0B, Bytes({1})}}},
        {"SetPerformanceMode", [] { return SetPerformanceMode(1); }, {{0x0C, Bytes({1})}}},
        {"SetPerformanceTime", [] { return SetPerformanceTime(7); }, {{0x0D, Bytes({7})}}},
        {"SetSensorMode", [] { return SetSensorMode(2); }, {{0x0E, Bytes({2})}}},
        {"SetDpiStageValue stage 0", [] { return SetDpiStageValue(0, 0x11, 0x11, 0x13); },
         {{0x0F, Bytes({0x11, 0x11, 0x13})}}},
        {"SetDpiStageValue stage 7", [] { return SetDpiStageValue(7, 0x21, 0x21, 0x2F); },
         {{0x39, Bytes({0x21, 0x21, 0x2F})}}},
        {"SetDpiStageColor stage 2", [] { return SetDpiStageColor(2, 1, 2, 3); }, {{0x1E, Bytes({1, 2, 3})}}},
        {"SetDpiStagePair", [] { return SetDpiStagePair(a, b, 1, 3, 1); },
         {{StageOffset(3), StageBytes(a)}, {StageOffset(1), StageBytes(b)}, {0x01, Bytes({2, 1})}}},
        {"SetDpiStagePair same stage", [] { return SetDpiStagePair(a, b, 4, 4, 6); },
         {{StageOffset(4), StageBytes(b)}, {0x01, Bytes({7, 6})}}},
        {"SetDpiLedMode 2", [] { return SetDpiLedMode(2); }, {{0x3F, Bytes({2})}, {0x42, Bytes({1})}}},
        {"SetDpiLedMode 0 keeps mode", [] { return SetDpiLedMode(0); }, {{0x42, Bytes({0})}}},
        {"SetDpiLedBrightness", [] { return SetDpiLedBrightness(9); }, {{0x40, Bytes({9})}}},
        {"SetDpiLedSpeed", [] { return SetDpiLedSpeed(4); }, {{0x41, Bytes({4})}}},
        {"SetLedBarMode 5", [] { return SetLedBarMode(5); }, {{0x43, Bytes({5})}, {0x49, Bytes({1})}}},
        {"SetLedBarMode 0 keeps mode", [] { return SetLedBarMode(0); }, {{0x49, Bytes({0})}}},
        {"SetLedBarColor", [] { return SetLedBarColor(10, 20, 30); }, {{0x44, Bytes({10, 20, 30})}}},
        {"SetLedBarSpeed", [] { return SetLedBarSpeed(3); }, {{0x47, Bytes({3})}}},
        {"SetLedBarBrightness", [] { return SetLedBarBrightness(80); }, {{0x48, Bytes({80})}}},
        {"SetButtonFunction button 0", [] { return SetButtonFunction(0, 1, 2, 3); }, {{0x4A, Bytes({1, 2, 3})}}},
        {"SetButtonFunction button 15", [] { return SetButtonFunction(15, 4, 5, 6); }, {{0x77, Bytes({4, 5, 6})}}},
        {"SetButtonKeys button 3", [] { return SetButtonKeys(3, Data(function), Data(keyRecord)); },
         {{0x53, function}, {0x118, keyRecord}}},
        {"SetButtonMacro button 15", [] { return SetButtonMacro(15, Data(function), Data(macro)); },
         {{0x77, function}, {0x266C, macro}}},
    };
    return cases;
}

// Calls with a stage or button index out of range, or without their data.
const QList<SetterCase>& BadCalls()
{
    static const QByteArray function = Bytes({1, 2, 3});
    static const QByteArray record(FlashDataMap::KeyEventRecordSize, 1);
    static const QByteArray macro = MacroBlock(1, 1);
    static const QList<SetterCase> calls = {
        {"stage value 8", [] { return SetDpiStageValue(8, 1, 1, 1); }, {}},
        {"stage value -1", [] { return SetDpiStageValue(-1, 1, 1, 1); }, {}},
        {"stage colour 8", [] { return SetDpiStageColor(8, 1, 1, 1); }, {}},
        {"stage pair i 8", [] { return SetDpiStagePair(DPIStage(), DPIStage(), 8, 0, 0); }, {}},
        {"stage pair j -1", [] { return SetDpiStagePair(DPIStage(), DPIStage(), 0, -1, 0); }, {}},
        {"button function 16", [] { return SetButtonFunction(16, 1, 1, 1); }, {}},
        {"button function -1", [] { return SetButtonFunction(-1, 1, 1, 1); }, {}},
        {"button keys 16", [] { return SetButtonKeys(16, Data(function), Data(record)); }, {}},
        {"button macro 16", [] { return SetButtonMacro(16, Data(function), Data(macro)); }, {}},
        {"button macro -1", [] { return SetButtonMacro(-1, Data(function), Data(macro)); }, {}},
        {"button keys without record", [] { return SetButtonKeys(0, Data(function), nullptr); }, {}},
        {"button macro without function", [] { return SetButtonMacro(0, nullptr, Data(macro)); }, {}},
    };
    return calls;
}

enum Departure { SwitchAsked, MouseButton, ConfigurationApplied };

} // namespace

// A page whose slot changes a field while the report thread waits for it.
class SensorPage : public QObject {
    Q_OBJECT
public:
    bool accepted = false;
public slots:
    void SlotUpDataSenSorUISensor(FlashDataMap) { accepted = SetDebounceTime(9); }
};

class TestCoreSetters : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void onlineWritesExactlyItsBytesAndSendsOnce_data();
    void onlineWritesExactlyItsBytesAndSendsOnce();
    void offlineWritesNothingAndNotifiesOnce_data();
    void offlineWritesNothingAndNotifiesOnce();
    void offlineNoticeOnlyOutsidePageFills_data();
    void offlineNoticeOnlyOutsidePageFills();
    void checkDeviceOnline();
    void ledModeSwitchesOffAndOn();
    void indexOutOfRangeWritesNothing_data();
    void indexOutOfRangeWritesNothing();
    void refusedSendReturnsFalseAndKeepsImage();
    void macroThatDoesNotFitIsUndone();
    void sendDeviceImageSkipsTheGate();
    void writersWaitForTheDumpOfTheMouseProfile_data();
    void writersWaitForTheDumpOfTheMouseProfile();
    void concurrentWritersNeverSendATornImage();
    void slotOfBlockedReportThreadMayCallSetters();
};

void TestCoreSetters::initTestCase()
{
    QVERIFY(SimMouse::Start());
}

void TestCoreSetters::init()
{
    QVERIFY(SimMouse::Reset(PatternImage()));
}

void TestCoreSetters::cleanup()
{
    if (SimControl::connectionPath().isEmpty())
        QVERIFY(SimMouse::Connect());
}

void TestCoreSetters::onlineWritesExactlyItsBytesAndSendsOnce_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < SetterCases().size(); ++i)
        QTest::newRow(SetterCases()[i].name) << i;
}

void TestCoreSetters::onlineWritesExactlyItsBytesAndSendsOnce()
{
    QFETCH(int, index);
    const SetterCase& setter = SetterCases()[index];
    QByteArray expected = ImageBytes(PatternImage());
    for (const Patch& patch : setter.writes) {
        // Each written byte must differ from the baseline, or the test could
        // not tell whether the setter wrote it.
        for (int i = 0; i < patch.bytes.size(); ++i)
            QVERIFY(expected[int(patch.offset) + i] != patch.bytes[i]);
        expected.replace(int(patch.offset), patch.bytes.size(), patch.bytes);
    }
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

    QVERIFY(setter.call());

    QCOMPARE(ImageBytes(g_deviceImage), expected);
    QCOMPARE(SimMouse::Sends(), 1);
    QCOMPARE(SimControl::lastImageSent(), expected);
    QCOMPARE(offline.count(), 0);
}

void TestCoreSetters::offlineWritesNothingAndNotifiesOnce_data()
{
    onlineWritesExactlyItsBytesAndSendsOnce_data();
}

void TestCoreSetters::offlineWritesNothingAndNotifiesOnce()
{
    QFETCH(int, index);
    QVERIFY(SimMouse::SetOnline(false));
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

    QVERIFY(!SetterCases()[index].call());

    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(PatternImage()));
    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(offline.count(), 1);
    QCOMPARE(offline.at(0).at(0).toInt(), 0);
}

void TestCoreSetters::offlineNoticeOnlyOutsidePageFills_data()
{
    QTest::addColumn<bool>("buttonPage");
    QTest::addColumn<bool>("sensorPage");
    QTest::addColumn<bool>("lightPage");
    QTest::addColumn<int>("notices");
    QTest::newRow("no fill") << false << false << false << 1;
    QTest::newRow("sensor page fills") << false << true << false << 0;
    QTest::newRow("button page fills") << true << false << false << 0;
    QTest::newRow("both fill") << true << true << false << 0;
    QTest::newRow("lighting page fill does not count") << false << false << true << 1;
}

void TestCoreSetters::offlineNoticeOnlyOutsidePageFills()
{
    QFETCH(bool, buttonPage);
    QFETCH(bool, sensorPage);
    QFETCH(bool, lightPage);
    QFETCH(int, notices);
    QVERIFY(SimMouse::SetOnline(false));
    g_buttonPageUpdating = buttonPage;
    g_sensorPageUpdating = sensorPage;
    g_lightPageUpdating = lightPage;
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

    QVERIFY(!SetReportRate(0x10));
    QVERIFY(!CheckDeviceOnline());

    QCOMPARE(offline.count(), 2 * notices);
    QCOMPARE(int(g_deviceImage.reportRate), int(PatternImage().reportRate));
}

void TestCoreSetters::checkDeviceOnline()
{
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    QVERIFY(CheckDeviceOnline());
    QCOMPARE(offline.count(), 0);
    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(PatternImage()));

    QVERIFY(SimMouse::SetOnline(false));
    QVERIFY(!CheckDeviceOnline());
    QCOMPARE(offline.count(), 1);
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestCoreSetters::ledModeSwitchesOffAndOn()
{
    g_deviceImage.dpiLed[0] = 1;
    g_deviceImage.dpiLed[3] = 1;
    QVERIFY(SetDpiLedMode(0));
    QCOMPARE(int(g_deviceImage.at(0x3F)), 1);
    QCOMPARE(int(g_deviceImage.at(0x42)), 0);
    QVERIFY(SetDpiLedMode(2));
    QCOMPARE(int(g_deviceImage.at(0x3F)), 2);
    QCOMPARE(int(g_deviceImage.at(0x42)), 1);

    g_deviceImage.ledBar[0] = 4;
    QVERIFY(SetLedBarMode(0));
    QCOMPARE(int(g_deviceImage.at(0x43)), 4);
    QCOMPARE(int(g_deviceImage.at(0x49)), 0);
    QVERIFY(SetLedBarMode(1));
    QCOMPARE(int(g_deviceImage.at(0x43)), 1);
    QCOMPARE(int(g_deviceImage.at(0x49)), 1);
    QCOMPARE(SimMouse::Sends(), 4);
}

void TestCoreSetters::indexOutOfRangeWritesNothing_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < BadCalls().size(); ++i)
        QTest::newRow(BadCalls()[i].name) << i;
}

void TestCoreSetters::indexOutOfRangeWritesNothing()
{
    QFETCH(int, index);
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    QVERIFY(!BadCalls()[index].call());
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(PatternImage()));
    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(offline.count(), 0);
}

// The mouse answers, but no connection is open: the send is refused. The
// setter says so, raises no offline notice, and the image keeps what the
// mouse still has.
void TestCoreSetters::refusedSendReturnsFalseAndKeepsImage()
{
    UsbServer_Exit();
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    QVERIFY(!SetDebounceTime(4));
    QVERIFY(!SetDpiStageColor(1, 9, 9, 9));
    QCOMPARE(offline.count(), 0);
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(PatternImage()));
    QVERIFY(SimControl::imagesSent().isEmpty());
}

// Full macro blocks until the mouse's flash is full: the refused block is
// not kept, so the next small change still reaches the mouse.
void TestCoreSetters::macroThatDoesNotFitIsUndone()
{
    const QByteArray function = Bytes({0x09, 0x01, 0x00});
    const QByteArray full = MacroBlock(char(0x44), 70);
    int refusedAt = -1;
    for (int button = 0; button < FlashDataMap::ButtonCount && refusedAt < 0; ++button) {
        const QByteArray before = ImageBytes(g_deviceImage);
        if (!SetButtonMacro(button, Data(function), Data(full))) {
            refusedAt = button;
            QCOMPARE(ImageBytes(g_deviceImage), before);
        }
    }
    QVERIFY2(refusedAt > 0, "sixteen full macros do not fit the mouse");
    const QByteArray lastAccepted = SimControl::lastImageSent();
    QCOMPARE(lastAccepted, ImageBytes(g_deviceImage));

    QVERIFY(SetDebounceTime(7));
    QCOMPARE(int(g_deviceImage.debounceTime), 7);
    QCOMPARE(SimControl::lastImageSent(), ImageBytes(g_deviceImage));
}

void TestCoreSetters::sendDeviceImageSkipsTheGate()
{
    QVERIFY(SendDeviceImage());
    QCOMPARE(SimControl::lastImageSent(), ImageBytes(PatternImage()));
    QCOMPARE(SimControl::callCount("UsbFinderC_GetDeviceOnLine"), 0);
}

void TestCoreSetters::writersWaitForTheDumpOfTheMouseProfile_data()
{
    // How the image came to hold another profile than the mouse uses: the
    // program asked for profile 2, the mouse's button chose profile 3, or a
    // configuration was applied; the mouse's answer ends each with a dump.
    QTest::addColumn<int>("departure");
    QTest::addColumn<int>("newProfile");
    QTest::addColumn<bool>("pageFilling");
    QTest::newRow("switch asked") << int(SwitchAsked) << 2 << false;
    QTest::newRow("mouse's button") << int(MouseButton) << 3 << false;
    QTest::newRow("configuration applied") << int(ConfigurationApplied) << 0 << false;
    QTest::newRow("switch asked, page filling") << int(SwitchAsked) << 2 << true;
}

// Every writer refuses and writes nothing; those a page calls say so with the
// time-out notice (not while a page fills its controls). Once the new
// profile's dump is the image, they write again.
void TestCoreSetters::writersWaitForTheDumpOfTheMouseProfile()
{
    QFETCH(int, departure);
    QFETCH(int, newProfile);
    QFETCH(bool, pageFilling);
    MouseProfile::Reported(0);
    MouseProfile::DumpRead();
    switch (departure) {
    case SwitchAsked: MouseProfile::SwitchRequested(newProfile); break;
    case MouseButton: MouseProfile::Reported(newProfile); break;
    case ConfigurationApplied: MouseProfile::ConfigurationApplied(); break;
    }
    g_sensorPageUpdating = pageFilling;
    QSignalSpy notices(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

    FlashDataMap other = PatternImage();
    other.liftOffDistance = uint8_t(~other.liftOffDistance);
    QVERIFY(!SetDebounceTime(4));
    QVERIFY(!SetButtonMacro(15, Data(Bytes({0x09, 0x01, 0x00})), Data(MacroBlock(1, 1))));
    QVERIFY(!EditAndSendDeviceImage([](FlashDataMap& image) { image.debounceTime = 5; }));
    QVERIFY(!ReplaceDeviceImage(other));
    QVERIFY(!SendDeviceImage());

    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(PatternImage()));
    QCOMPARE(SimMouse::Sends(), 0);
    // Raised once the writers have returned, by those a page calls itself.
    QCOMPARE(notices.count(), 0);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(notices.count(), pageFilling ? 0 : 3);
    for (const QList<QVariant>& notice : qAsConst(notices))
        QCOMPARE(notice.at(0).toInt(), 1);

    MouseProfile::Reported(newProfile);
    MouseProfile::DumpRead();
    QVERIFY(SetDebounceTime(4));
    QVERIFY(EditAndSendDeviceImage([](FlashDataMap& image) { image.debounceTime = 5; }));
    QVERIFY(ReplaceDeviceImage(other));
    QVERIFY(SendDeviceImage());
    QCOMPARE(SimMouse::Sends(), 4);
    QCOMPARE(SimControl::lastImageSent(), ImageBytes(other));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(notices.count(), pageFilling ? 0 : 3);
}

// The report thread clears the image and fills it from a dump, then sends it;
// the user-interface thread calls setters meanwhile. With the image lock every
// image the mouse receives is whole: one dump's fill everywhere except the
// bytes a setter wrote whole.
void TestCoreSetters::concurrentWritersNeverSendATornImage()
{
    constexpr int kDumps = 150;
    constexpr int kSetterRounds = 150;
    const std::size_t block15 = MacroOffset(15);

    // A dump: the image cleared, then filled byte by byte (slowly enough for
    // the other thread to run in between), macro headers empty.
    auto applyDump = [](FlashDataMap& image, uint8_t fill) {
        std::memset(image.bytes(), 0, FlashDataMap::Size);
        for (int i = 0; i < FlashDataMap::Size; ++i)
            image.at(i) = fill;
        for (int button = 0; button < FlashDataMap::ButtonCount; ++button) {
            image.macroBlocks[button][0] = 0;
            image.macroBlocks[button][31] = 0;
        }
    };
    applyDump(g_deviceImage, 255);

    std::atomic<bool> reportDone{false};
    std::thread reportThread([&] {
        for (int dump = 1; dump <= kDumps; ++dump)
            EditAndSendDeviceImage([&](FlashDataMap& image) { applyDump(image, uint8_t(dump)); });
        reportDone = true;
    });
    int round = 0;
    while (!reportDone || round < kSetterRounds) {
        const uint8_t value = uint8_t(200 + round % 50);
        const QByteArray function(3, char(value));
        const QByteArray block = MacroBlock(char(value), 1);
        SetDebounceTime(value);
        SetDpiStageColor(2, value, value, value);
        SetButtonMacro(15, Data(function), Data(block));
        ++round;
    }
    reportThread.join();

    // Bytes the setters write: debounce, stage 2 colour, button 15 function
    // and macro block.
    auto setterByte = [&](std::size_t i) {
        return i == ImageOffset::DebounceTime || (i >= 0x1E && i <= 0x20) || (i >= 0x77 && i <= 0x79)
            || (i >= block15 && i < block15 + FlashDataMap::MacroBlockSize);
    };
    auto macroHeaderByte = [](std::size_t i) {
        if (i < ImageOffset::MacroBlocks)
            return false;
        const std::size_t inBlock = (i - ImageOffset::MacroBlocks) % FlashDataMap::MacroBlockSize;
        return inBlock == 0 || inBlock == 31;
    };
    const QList<QByteArray> images = SimControl::imagesSent();
    QVERIFY(images.size() >= kDumps);
    int torn = 0;
    for (const QByteArray& sent : images) {
        QCOMPARE(sent.size(), int(FlashDataMap::Size));
        const auto* bytes = reinterpret_cast<const uint8_t*>(sent.constData());
        // The fill of the dump this image came from; no setter writes byte 0.
        const uint8_t fill = bytes[0];
        bool whole = fill != 0;
        for (std::size_t i = 0; i < std::size_t(FlashDataMap::Size) && whole; ++i) {
            if (!setterByte(i))
                whole = bytes[i] == (macroHeaderByte(i) ? 0 : fill);
        }
        // Each setter's bytes come whole from one write: the dump's fill or
        // one setter round's value.
        const uint8_t* macro = bytes + block15;
        const bool macroFromDump = macro[0] == 0 && macro[31] == 0 && macro[1] == fill;
        const bool macroFromSetter = macro[0] == 3 && macro[31] == 1 && macro[1] >= 200;
        whole = whole && (macroFromDump || macroFromSetter);
        for (int i = 1; i < FlashDataMap::MacroBlockSize && whole; ++i)
            whole = i == 31 || macro[i] == macro[1];
        whole = whole && bytes[0x1E] == bytes[0x1F] && bytes[0x1F] == bytes[0x20];
        whole = whole && bytes[0x77] == bytes[0x78] && bytes[0x78] == bytes[0x79];
        if (!whole)
            ++torn;
    }
    QCOMPARE(torn, 0);
}

// While the report thread waits in a blocking-queued emit, the page's slot on
// the user-interface thread may change a field: the image lock is not held
// across the emit.
void TestCoreSetters::slotOfBlockedReportThreadMayCallSetters()
{
    SensorPage page;
    QVERIFY(connect(PostMsg::GetInstance(), SIGNAL(SigUpDataLightSensor(FlashDataMap)), &page,
                    SLOT(SlotUpDataSenSorUISensor(FlashDataMap)), Qt::BlockingQueuedConnection));
    QVERIFY(EmitFromReportThread([] {
        EditAndSendDeviceImage([](FlashDataMap& image) { image.debounceTime = 2; });
        emit PostMsg::GetInstance()->SigUpDataLightSensor(DeviceImageCopy());
    }));

    QVERIFY(page.accepted);
    QCOMPARE(int(g_deviceImage.debounceTime), 9);
    QCOMPARE(SimMouse::Sends(), 2);
}

QTEST_GUILESS_MAIN(TestCoreSetters)
#include "test_core_setters.moc"
