// Recording on the macro page: keys fed through the recording instance of
// the keyboard hook, Stop, the event limit and leaving the device window.
#include "macro_page_fixture.h"

#include "exe_is_run.h"
#include "hub_recorder.h"
#include "key_notices.h"
#include "keyboard_hook.h"
#include "post_msg.h"

#include <QtTest>

#include <QPushButton>

namespace {

// Presses and releases as the hook reports them to the recording instance.
void Type(const QList<QPair<int, bool>>& keys)
{
    KeyboardHook feed(KeyboardHook::Recording);
    for (const auto& key : keys)
        feed.KeyboardProc(uint32_t(key.first), key.second ? KeyMessage::KeyDown : KeyMessage::KeyUp);
}

struct RecordingPage : MacroPageFixture {
    HubRecorder hub;
    RecordingPage()
    {
        WriteMacro(QStringLiteral("Fire"), "3\n0x04 1 0\n10ms\n0x04 1 1\n");
        Build();
        hub.Record(&PostMsg::SigStartRecord, QStringLiteral("SigStartRecord"));
        Select(0);
        // Fixed waits: the test does not depend on how fast it runs.
        W<QCheckBox>("DefaultDelay")->click();
        W<QSpinBox>("DelayTime")->setValue(50);
    }
    bool IsRecording() const { return W<QPushButton>("StopRecord")->isVisible(); }
};

} // namespace

class TestMacroRecording : public QObject {
    Q_OBJECT
private slots:
    void init() { g_macroRecording = false; }
    void startNeedsASelectedMacro();
    void recordsUntilStop();
    void stopsAtTheLimit();
    void leavingStopsTheRecording();
};

void TestMacroRecording::startNeedsASelectedMacro()
{
    RecordingPage f;
    f.Macros()->setCurrentRow(-1);
    ModalAnswer<ExeIsRun> notice([](ExeIsRun&) {});
    f.Click("StartRecord");
    QCOMPARE(notice.count, 1);
    QVERIFY(!f.IsRecording());
    QVERIFY(!g_macroRecording);
    QVERIFY(f.hub.events.isEmpty());
}

void TestMacroRecording::recordsUntilStop()
{
    RecordingPage f;
    f.Click("StartRecord");
    QCOMPARE(f.hub.events, QStringList{"SigStartRecord(0)"});
    QVERIFY(g_macroRecording);
    QVERIFY(f.IsRecording());
    QVERIFY(!f.Macros()->isEnabled());
    QVERIFY(!f.W<QComboBox>("ChooseEvent")->isEnabled());
    QVERIFY(!f.W<QSpinBox>("NumberEdit")->isVisible());
    QVERIFY(f.EventTexts().isEmpty());

    // A held B repeats; the volume key has no name; the last wait goes.
    Type({{0xA0, true}, {0x42, true}, {0x42, true}, {0x42, true}, {0x42, false}, {0xA0, false}, {0xAF, true}});
    QCOMPARE(f.EventTexts(), (QStringList{"LShift", "50ms", "B", "50ms", "B^", "50ms", "LShift^", "50ms"}));

    f.Click("StopRecord");
    QCOMPARE(f.hub.events, (QStringList{"SigStartRecord(0)", "SigStartRecord(1)"}));
    QVERIFY(!g_macroRecording);
    QVERIFY(!f.IsRecording());
    QVERIFY(f.Macros()->isEnabled());
    QVERIFY(f.W<QComboBox>("ChooseEvent")->isEnabled());
    QVERIFY(f.W<QSpinBox>("NumberEdit")->isVisible());
    QCOMPARE(f.EventTexts(), (QStringList{"LShift", "50ms", "B", "50ms", "B^", "50ms", "LShift^"}));
    QVERIFY(f.SaveActive());

    // No more keys are taken.
    Type({{0x41, true}});
    QCOMPARE(f.EventTexts().size(), 7);

    HubRecorder saved;
    saved.Record(&PostMsg::SigUpDataMacro, QStringLiteral("SigUpDataMacro"));
    f.Click("Save");
    QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), QByteArray("3\n0x02 0 0\n50ms\n0x05 1 0\n50ms\n0x05 1 1\n50ms\n0x02 0 1\n"));
    QCOMPARE(saved.events, QStringList{"SigUpDataMacro(Fire,0)"});
}

void TestMacroRecording::stopsAtTheLimit()
{
    RecordingPage f;
    f.Click("StartRecord");
    QList<QPair<int, bool>> keys;
    for (int i = 0; i < 35; ++i)
        keys << qMakePair(0x41, true) << qMakePair(0x41, false);
    ModalAnswer<KeyNumberLimit> limit([&f](KeyNumberLimit&) {
        // The notice comes with the 70th key, the recording already over.
        QCOMPARE(f.EventTexts().size(), 70 + 69);
        QVERIFY(!g_macroRecording);
    });
    Type(keys);
    QCOMPARE(limit.count, 1);
    Type({{0x42, true}, {0x42, false}});
    QCOMPARE(f.EventTexts().size(), 70 + 69);
    QCOMPARE(limit.count, 1);
    // The page stays in its recording state until Stop.
    QVERIFY(f.IsRecording());
    f.Click("StopRecord");
    QVERIFY(!f.IsRecording());
    QVERIFY(f.Macros()->isEnabled());
}

void TestMacroRecording::leavingStopsTheRecording()
{
    RecordingPage f;
    f.Click("StartRecord");
    Type({{0x41, true}});
    emit PostMsg::GetInstance()->SigSetMacroPage();
    QCOMPARE(f.hub.events, (QStringList{"SigStartRecord(0)", "SigStartRecord(1)"}));
    QVERIFY(!g_macroRecording);
    QVERIFY(!f.IsRecording());
    QVERIFY(f.Macros()->isEnabled());
    QVERIFY(!f.SaveActive());
    Type({{0x41, false}});
    QCOMPARE(f.EventTexts(), QStringList{"A"});
}

QTEST_MAIN(TestMacroRecording)
#include "test_macro_recording.moc"
