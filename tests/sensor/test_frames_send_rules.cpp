// What every option frame sends: a user's action writes exactly its image
// byte(s) through its setter and sends the image once; nothing while sending
// is not allowed; an offline mouse gives one offline signal and no write;
// the page-updating flags stop only the frames that test them. Programmatic
// selections send only where a change signal reaches a handler.
#include "find_child.h"
#include "test_frames_fixture.h"

#include "debounce_time.h"
#include "debouncetime_b.h"
#include "debouncetime_c.h"
#include "motion_sync.h"
#include "motion_sync_b.h"
#include "post_msg.h"
#include "rippe_control.h"
#include "rippe_control_b.h"
#include "sensor_effect.h"
#include "sensor_effect_b.h"
#include "sensor_lod.h"
#include "sensor_lod_b.h"
#include "sensor_rate.h"
#include "sensor_rate_b.h"
#include "stop_close_time.h"
#include "stop_close_time_b.h"
#include "straight_line.h"
#include "straight_line_b.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QToolButton>

#include <memory>

using namespace frames;

namespace {

// The updating flag a frame's handler tests besides g_sendEnabled.
enum class Gate { None, SensorPage, ButtonPage, LightPage };

struct ActionCase {
    const char* name;
    std::function<QFrame*()> make; // builds the frame as its host leaves it
    std::function<void(QFrame*)> act;
    QList<Write> writes;
    Gate gate;
};

template <typename T>
std::function<QFrame*()> Make(std::function<void(T*)> prepare = nullptr)
{
    return [prepare]() -> QFrame* {
        auto* frame = new T;
        if (prepare)
            prepare(frame);
        return frame;
    };
}

std::function<void(QFrame*)> Click(const char* name)
{
    return [name](QFrame* frame) {
        QAbstractButton* button = Child<QAbstractButton>(frame, name);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    };
}

std::function<void(QFrame*)> Choose(const char* combo, int index)
{
    return [combo, index](QFrame* frame) { ChooseItem(Child<QComboBox>(frame, combo), index); };
}

std::function<void(QFrame*)> Drag(const char* slider, QList<int> positions)
{
    return [slider, positions](QFrame* frame) { DragAndRelease(Child<QSlider>(frame, slider), positions); };
}

// A click on the groove right of the handle: one page step at once.
std::function<void(QFrame*)> ClickRightOfHandle(const char* name)
{
    return [name](QFrame* frame) {
        QSlider* slider = Child<QSlider>(frame, name);
        QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider->width() - 3, slider->height() / 2));
    };
}

const QList<ActionCase>& ActionCases()
{
    static const QList<ActionCase> cases = {
        {"RippeControl on", Make<RippeControl>(), Click("RippeControl_2"), {{0x0A, 1}}, Gate::None},
        {"RippeControl off", Make<RippeControl>([](RippeControl* f) { f->SetChecked(true); }),
         Click("RippeControl_2"), {{0x0A, 0}}, Gate::None},
        {"StraightLine on", Make<StraightLine>(), Click("StraightLine_2"), {{0x09, 1}}, Gate::None},
        {"MotionSync off", Make<MotionSync>([](MotionSync* f) { f->SetChecked(true); }), Click("MotionSync_2"),
         {{0x07, 0}}, Gate::None},
        {"RippeControlB on", Make<RippeControlB>(), Click("RippeControl_2"), {{0x0A, 1}}, Gate::None},
        {"StraightLineB on", Make<StraightLineB>(), Click("StraightLine_2"), {{0x09, 1}}, Gate::None},
        {"MotionSyncB on", Make<MotionSyncB>(), Click("MotionSync_2"), {{0x07, 1}}, Gate::None},

        {"SensorLOD 2mm of two", Make<SensorLOD>([](SensorLOD* f) { f->SetLevelEnabled(true); }), Choose("LOD", 1),
         {{0x05, 2}}, Gate::SensorPage},
        {"SensorLOD 0.7mm of three", Make<SensorLOD>([](SensorLOD* f) {
             f->SetLevelEnabled(true);
             f->AddSmallLevel();
         }),
         Choose("LOD", 0), {{0x05, 3}}, Gate::SensorPage},
        {"SensorLOD 2mm of three", Make<SensorLOD>([](SensorLOD* f) {
             f->SetLevelEnabled(true);
             f->AddSmallLevel();
         }),
         Choose("LOD", 2), {{0x05, 2}}, Gate::SensorPage},
        {"SensorLODB 1mm", Make<SensorLODB>(), Click("MM1"), {{0x05, 1}}, Gate::SensorPage},
        {"SensorLODB 2mm", Make<SensorLODB>(), Click("MM2"), {{0x05, 2}}, Gate::SensorPage},
        {"SensorLODB 0.7mm", Make<SensorLODB>([](SensorLODB* f) { f->ShowSmallLevel(); }), Click("MM0"),
         {{0x05, 3}}, Gate::SensorPage},

        {"SensorEffect breathing", Make<SensorEffect>(), Choose("Model", 2), {{0x3F, 2}, {0x42, 1}},
         Gate::SensorPage},
        {"SensorEffect steady", Make<SensorEffect>(), Choose("Model", 1), {{0x3F, 1}, {0x42, 1}}, Gate::SensorPage},
        {"SensorEffect off keeps mode", Make<SensorEffect>([](SensorEffect* f) { f->SetMode(1); }),
         Choose("Model", 0), {{0x42, 0}}, Gate::SensorPage},
        {"SensorEffect brightness drag", Make<SensorEffect>([](SensorEffect* f) { f->SetMode(1); }),
         Drag("LightH", {3, 5, 9, 7}), {{0x40, 180}}, Gate::SensorPage},
        {"SensorEffect speed click", Make<SensorEffect>([](SensorEffect* f) { f->SetMode(2); }),
         ClickRightOfHandle("SpeedH"), {{0x41, 2}}, Gate::SensorPage},
        {"SensorEffectB breathing", Make<SensorEffectB>(), Click("MM2"), {{0x3F, 2}, {0x42, 1}}, Gate::SensorPage},
        {"SensorEffectB steady", Make<SensorEffectB>(), Click("MM1"), {{0x3F, 1}, {0x42, 1}}, Gate::SensorPage},
        {"SensorEffectB off", Make<SensorEffectB>(), Click("MM3"), {{0x42, 0}}, Gate::SensorPage},
        {"SensorEffectB brightness drag", Make<SensorEffectB>(), Drag("LightH", {2, 10}), {{0x40, 255}},
         Gate::SensorPage},

        {"DebounceTime 7 ms", Make<DebounceTime>(), Choose("Debunce", 7), {{0x06, 7}}, Gate::None},
        {"DebounceTime 2 ms", Make<DebounceTime>([](DebounceTime* f) { f->SetLevel(4); }), Choose("Debunce", 2),
         {{0x06, 2}}, Gate::None},
        {"DebouncetimeB drag", Make<DebouncetimeB>(), Drag("Debunce", {4, 15, 12}), {{0x06, 12}}, Gate::None},
        {"DebouncetimeC add", Make<DebouncetimeC>([](DebouncetimeC* f) { f->SetLevel(5); }), Click("AddLevelA"),
         {{0x06, 6}}, Gate::None},
        {"DebouncetimeC reduce", Make<DebouncetimeC>([](DebouncetimeC* f) { f->SetLevel(5); }),
         Click("ReduceLevelA"), {{0x06, 4}}, Gate::None},

        {"StopCloseTime 10 min", Make<StopCloseTime>(), Choose("StopClose", 4), {{0x08, 60}}, Gate::ButtonPage},
        {"StopCloseTime 40 min", Make<StopCloseTime>(), Choose("StopClose", 10), {{0x08, 240}}, Gate::ButtonPage},
        {"StopCloseTime current item again", Make<StopCloseTime>([](StopCloseTime* f) { f->SetLevel(2); }),
         Choose("StopClose", 2), {{0x08, 6}}, Gate::ButtonPage},
        {"StopCloseTimeB drag", Make<StopCloseTimeB>(), Drag("StopClose", {7, 3}), {{0x08, 6}}, Gate::LightPage},

        {"SensorRate 2000", Make<SensorRate>(), Click("Button2000HZ"), {{0x00, 0x10}}, Gate::None},
        {"SensorRate 125", Make<SensorRate>(), Click("Button125HZ"), {{0x00, 0x08}}, Gate::None},
        {"SensorRate checked again", Make<SensorRate>([](SensorRate* f) { f->SetLevel(6); }),
         Click("Button8000HZ"), {{0x00, 0x40}}, Gate::None},
        {"SensorRateB 8000", Make<SensorRateB>(), Click("Button8000HZ"), {{0x00, 0x40}}, Gate::None},
        {"SensorRateB 500", Make<SensorRateB>(), Click("Button500HZ"), {{0x00, 0x02}}, Gate::None},
    };
    return cases;
}

// A programmatic call and what reaches the mouse when the flags allow it.
struct CallCase {
    const char* name;
    std::function<QFrame*()> make;
    std::function<void(QFrame*)> call;
    QList<Write> writes; // empty: the call never sends
    Gate gate;
};

template <typename T>
std::function<void(QFrame*)> On(std::function<void(T*)> call)
{
    return [call](QFrame* frame) { call(static_cast<T*>(frame)); };
}

const QList<CallCase>& CallCases()
{
    static const QList<CallCase> cases = {
        {"RippeControl SetChecked", Make<RippeControl>(), On<RippeControl>([](RippeControl* f) { f->SetChecked(true); }),
         {}, Gate::None},
        {"MotionSyncB SetChecked", Make<MotionSyncB>(), On<MotionSyncB>([](MotionSyncB* f) { f->SetChecked(true); }),
         {}, Gate::None},
        {"SensorLOD SetLevel", Make<SensorLOD>(), On<SensorLOD>([](SensorLOD* f) { f->SetLevel(1); }), {{0x05, 2}},
         Gate::SensorPage},
        {"SensorLOD AddSmallLevel", Make<SensorLOD>(), On<SensorLOD>([](SensorLOD* f) { f->AddSmallLevel(); }),
         {{0x05, 1}}, Gate::SensorPage},
        {"SensorLOD SetLevel same item", Make<SensorLOD>(), On<SensorLOD>([](SensorLOD* f) { f->SetLevel(0); }), {},
         Gate::SensorPage},
        {"SensorLODB SetLevel", Make<SensorLODB>(), On<SensorLODB>([](SensorLODB* f) { f->SetLevel(1); }), {},
         Gate::SensorPage},
        {"SensorEffect SetMode", Make<SensorEffect>(), On<SensorEffect>([](SensorEffect* f) { f->SetMode(2); }),
         {{0x3F, 2}, {0x42, 1}}, Gate::SensorPage},
        {"SensorEffect SetMode same mode", Make<SensorEffect>(),
         On<SensorEffect>([](SensorEffect* f) { f->SetMode(0); }), {}, Gate::SensorPage},
        {"SensorEffect SetSpeed", Make<SensorEffect>(), On<SensorEffect>([](SensorEffect* f) { f->SetSpeed(4); }),
         {{0x41, 4}}, Gate::SensorPage},
        {"SensorEffect SetBrightnessLevel", Make<SensorEffect>(),
         On<SensorEffect>([](SensorEffect* f) { f->SetBrightnessLevel(5); }), {{0x40, 128}}, Gate::SensorPage},
        {"SensorEffectB SetMode", Make<SensorEffectB>(), On<SensorEffectB>([](SensorEffectB* f) { f->SetMode(2); }),
         {}, Gate::SensorPage},
        {"SensorEffectB SetSpeed", Make<SensorEffectB>(),
         On<SensorEffectB>([](SensorEffectB* f) { f->SetSpeed(3); }), {{0x41, 3}}, Gate::SensorPage},
        {"DebounceTime SetLevel", Make<DebounceTime>(), On<DebounceTime>([](DebounceTime* f) { f->SetLevel(9); }),
         {{0x06, 9}}, Gate::None},
        {"DebounceTime SetLevel blocked", Make<DebounceTime>(), On<DebounceTime>([](DebounceTime* f) {
             f->BlockLevelSignals(true);
             f->SetLevel(9);
             f->BlockLevelSignals(false);
         }),
         {}, Gate::None},
        {"DebouncetimeB SetLevel", Make<DebouncetimeB>(), On<DebouncetimeB>([](DebouncetimeB* f) { f->SetLevel(9); }),
         {}, Gate::None},
        {"DebouncetimeC SetLevel", Make<DebouncetimeC>(), On<DebouncetimeC>([](DebouncetimeC* f) { f->SetLevel(9); }),
         {}, Gate::None},
        {"StopCloseTime SetLevel", Make<StopCloseTime>(),
         On<StopCloseTime>([](StopCloseTime* f) { f->SetLevel(5); }), {}, Gate::ButtonPage},
        {"StopCloseTimeB SetLevel", Make<StopCloseTimeB>(),
         On<StopCloseTimeB>([](StopCloseTimeB* f) { f->SetLevel(5); }), {}, Gate::LightPage},
        {"SensorRate SetLevel", Make<SensorRate>(), On<SensorRate>([](SensorRate* f) { f->SetLevel(4); }), {},
         Gate::None},
        {"SensorRate SetVisibleLevels", Make<SensorRate>(),
         On<SensorRate>([](SensorRate* f) { f->SetVisibleLevels(3); }), {}, Gate::None},
        {"SensorRateB SetLevel", Make<SensorRateB>(), On<SensorRateB>([](SensorRateB* f) { f->SetLevel(6); }), {},
         Gate::None},
    };
    return cases;
}

void RaiseFlag(Gate gate)
{
    g_sensorPageUpdating = gate == Gate::SensorPage;
    g_buttonPageUpdating = gate == Gate::ButtonPage;
    g_lightPageUpdating = gate == Gate::LightPage;
}

const char* FlagName(Gate gate)
{
    switch (gate) {
    case Gate::SensorPage:
        return "sensor page fills";
    case Gate::ButtonPage:
        return "button page fills";
    case Gate::LightPage:
        return "light page fills";
    case Gate::None:
        break;
    }
    return "";
}

// Builds the frame with sending disabled (the preparation may change
// items), then restores a clean device state for the case itself.
std::unique_ptr<QFrame> Build(const std::function<QFrame*()>& make)
{
    g_sendEnabled = false;
    std::unique_ptr<QFrame> frame(make());
    ResetDevice();
    return frame;
}

} // namespace

Q_DECLARE_METATYPE(Gate)

class TestFramesSendRules : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void userActionWritesItsBytesAndSendsOnce_data();
    void userActionWritesItsBytesAndSendsOnce();
    void nothingIsSentBeforeSendingIsAllowed_data();
    void nothingIsSentBeforeSendingIsAllowed();
    void offlineMouseGivesOneSignalAndNoWrite_data();
    void offlineMouseGivesOneSignalAndNoWrite();
    void onlyTheTestedFillFlagStopsTheSend_data();
    void onlyTheTestedFillFlagStopsTheSend();
    void programmaticCallsSendOnlyThroughAChangeSignal_data();
    void programmaticCallsSendOnlyThroughAChangeSignal();
};

void TestFramesSendRules::initTestCase()
{
    QVERIFY(SimMouse::Start());
}

void TestFramesSendRules::init()
{
    ResetDevice();
}

void TestFramesSendRules::userActionWritesItsBytesAndSendsOnce_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < ActionCases().size(); ++i)
        QTest::newRow(ActionCases()[i].name) << i;
}

void TestFramesSendRules::userActionWritesItsBytesAndSendsOnce()
{
    QFETCH(int, row);
    const ActionCase& test = ActionCases()[row];
    std::unique_ptr<QFrame> frame = Build(test.make);
    ShowFrame(frame.get());
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    NoticeCloser notices;

    test.act(frame.get());

    ExpectImage(test.writes, 1);
    QCOMPARE(offline.count(), 0);
}

void TestFramesSendRules::nothingIsSentBeforeSendingIsAllowed_data()
{
    userActionWritesItsBytesAndSendsOnce_data();
}

void TestFramesSendRules::nothingIsSentBeforeSendingIsAllowed()
{
    QFETCH(int, row);
    const ActionCase& test = ActionCases()[row];
    std::unique_ptr<QFrame> frame = Build(test.make);
    ShowFrame(frame.get());
    g_sendEnabled = false;
    NoticeCloser notices;

    test.act(frame.get());

    ExpectImage({}, 0);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbFinderC_GetDeviceOnLine")), 0);
    QCOMPARE(notices.count, 0);
}

void TestFramesSendRules::offlineMouseGivesOneSignalAndNoWrite_data()
{
    userActionWritesItsBytesAndSendsOnce_data();
}

void TestFramesSendRules::offlineMouseGivesOneSignalAndNoWrite()
{
    QFETCH(int, row);
    const ActionCase& test = ActionCases()[row];
    std::unique_ptr<QFrame> frame = Build(test.make);
    ShowFrame(frame.get());
    QVERIFY(SimMouse::SetOnline(false));
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    QSignalSpy hideModel(PostMsg::GetInstance(), SIGNAL(SigHideModel(int)));
    NoticeCloser notices;

    test.act(frame.get());

    ExpectImage({}, 0);
    QCOMPARE(offline.count(), 1);
    QCOMPARE(offline.at(0).at(0).toInt(), 0);
    QCOMPARE(hideModel.count(), 0);
}

void TestFramesSendRules::onlyTheTestedFillFlagStopsTheSend_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<Gate>("flag");
    for (int i = 0; i < ActionCases().size(); ++i) {
        for (Gate flag : {Gate::SensorPage, Gate::ButtonPage, Gate::LightPage})
            QTest::addRow("%s, %s", ActionCases()[i].name, FlagName(flag)) << i << flag;
    }
}

void TestFramesSendRules::onlyTheTestedFillFlagStopsTheSend()
{
    QFETCH(int, row);
    QFETCH(Gate, flag);
    const ActionCase& test = ActionCases()[row];
    std::unique_ptr<QFrame> frame = Build(test.make);
    ShowFrame(frame.get());
    RaiseFlag(flag);
    NoticeCloser notices;

    test.act(frame.get());

    if (flag == test.gate)
        ExpectImage({}, 0);
    else
        ExpectImage(test.writes, 1);
}

void TestFramesSendRules::programmaticCallsSendOnlyThroughAChangeSignal_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("filling");
    for (int i = 0; i < CallCases().size(); ++i) {
        QTest::addRow("%s", CallCases()[i].name) << i << false;
        if (CallCases()[i].gate != Gate::None)
            QTest::addRow("%s, %s", CallCases()[i].name, FlagName(CallCases()[i].gate)) << i << true;
    }
}

void TestFramesSendRules::programmaticCallsSendOnlyThroughAChangeSignal()
{
    QFETCH(int, row);
    QFETCH(bool, filling);
    const CallCase& test = CallCases()[row];
    std::unique_ptr<QFrame> frame = Build(test.make);
    if (filling)
        RaiseFlag(test.gate);
    NoticeCloser notices;

    test.call(frame.get());

    if (filling || test.writes.isEmpty())
        ExpectImage({}, 0);
    else
        ExpectImage(test.writes, 1);
}

QTEST_MAIN(TestFramesSendRules)
#include "test_frames_send_rules.moc"
