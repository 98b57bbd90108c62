// Recording: key events from the keyboard become event items with measured
// or fixed waits, on a clock the test moves.
#include "macro_recorder.h"

#include <QtTest>

namespace {

constexpr int kA = 0x41;
constexpr int kB = 0x42;
constexpr int kVolumeUp = 0xAF; // a media key: no name

MacroItem A(bool release = false)
{
    return release ? MacroItem::Release(1, 0x04) : MacroItem::Press(1, 0x04);
}

MacroItem B(bool release = false)
{
    return release ? MacroItem::Release(1, 0x05) : MacroItem::Press(1, 0x05);
}

struct Recording {
    qint64 now = 1000;
    MacroRecorder recorder{[this] { return now; }};
    MacroEventList events;
    bool measured = true;
    quint32 fixedDelay = 50;

    Recording() { recorder.Start(); }
    MacroRecorder::Result Key(int vk, bool down, qint64 after = 0)
    {
        now += after;
        return recorder.KeyEvent(vk, down, measured, fixedDelay, events);
    }
};

} // namespace

class TestMacroRecorder : public QObject {
    Q_OBJECT
private slots:
    void heldKeyRecordsOnePressAndItsTime();
    void fixedDelayIgnoresTheTiming();
    void keyWithoutNameAddsNoItem();
    void seventiethKeyReachesTheLimit();
    void trailingDelayIsDropped();
};

void TestMacroRecorder::heldKeyRecordsOnePressAndItsTime()
{
    Recording r;
    QCOMPARE(r.Key(kA, true), MacroRecorder::Result::Recorded);
    for (int repeat = 0; repeat < 20; ++repeat)
        QCOMPARE(r.Key(kA, true, 40), MacroRecorder::Result::Ignored);
    QCOMPARE(r.Key(kA, false, 0), MacroRecorder::Result::Recorded);
    // Tapping the same key again is a new press.
    QCOMPARE(r.Key(kA, true, 120), MacroRecorder::Result::Recorded);
    QCOMPARE(r.events.Items(), (MacroItems{A(), MacroItem::Delay(800), A(true), MacroItem::Delay(120), A()}));
    QCOMPARE(r.events.CurrentRow(), 4);
}

void TestMacroRecorder::fixedDelayIgnoresTheTiming()
{
    Recording r;
    r.measured = false;
    r.Key(kA, true);
    r.Key(kB, true, 3);
    r.Key(kA, false, 7000);
    r.Key(kB, false, 0);
    QCOMPARE(r.events.Items(), (MacroItems{A(), MacroItem::Delay(50), B(), MacroItem::Delay(50), A(true),
                                           MacroItem::Delay(50), B(true)}));
}

void TestMacroRecorder::keyWithoutNameAddsNoItem()
{
    Recording r;
    r.Key(kA, true);
    QCOMPARE(r.Key(kVolumeUp, true, 30), MacroRecorder::Result::Ignored);
    // The wait up to the media key stays; the next key follows without one.
    r.Key(kA, false, 200);
    QCOMPARE(r.events.Items(), (MacroItems{A(), MacroItem::Delay(30), A(true)}));
}

void TestMacroRecorder::seventiethKeyReachesTheLimit()
{
    Recording r;
    for (int i = 0; i < 69; ++i)
        QCOMPARE(r.Key(kA, i % 2 == 0, 10), MacroRecorder::Result::Recorded);
    QCOMPARE(r.Key(kA, false, 10), MacroRecorder::Result::LimitReached);
    QCOMPARE(r.recorder.RecordedKeys(), 70);
    QCOMPARE(r.Key(kB, true, 10), MacroRecorder::Result::Ignored);
    QCOMPARE(r.events.Count(), 70 + 69);
}

void TestMacroRecorder::trailingDelayIsDropped()
{
    Recording r;
    r.Key(kA, true);
    r.Key(kA, false, 10);
    r.Key(kVolumeUp, true, 10);
    QCOMPARE(r.events.Count(), 4);
    MacroRecorder::DropTrailingDelay(r.events);
    QCOMPARE(r.events.Items(), (MacroItems{A(), MacroItem::Delay(10), A(true)}));
}

QTEST_GUILESS_MAIN(TestMacroRecorder)
#include "test_macro_recorder.moc"
