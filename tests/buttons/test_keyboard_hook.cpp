// The keyboard hook's three instances: the reported sequences of each, their
// independence, installation and removal, and callbacks that never outlive
// their user.
#include "keyboard_hook.h"

#include <QtTest>

#include <QKeyEvent>
#include <QWindow>

Q_DECLARE_METATYPE(KeyboardHook::Instance)

namespace {

// Events as text: "41d" press, "41u" release, "a4D" system press, "a4U"
// system release (hexadecimal virtual key, then the message).
QVector<CapturedKey> ParseEvents(const QString& text)
{
    QVector<CapturedKey> events;
    for (const QString& token : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        CapturedKey key;
        key.virtualKey = token.left(token.size() - 1).toUInt(nullptr, 16);
        switch (token.back().toLatin1()) {
        case 'd': key.message = KeyMessage::KeyDown; break;
        case 'u': key.message = KeyMessage::KeyUp; break;
        case 'D': key.message = KeyMessage::SysKeyDown; break;
        default: key.message = KeyMessage::SysKeyUp; break;
        }
        events.append(key);
    }
    return events;
}

// Reports as text: "41:1:0" is (0x41, down, not repeated).
struct Reports {
    QStringList lines;
    KeyboardHook::Callback Callback()
    {
        return [this](int keyCode, bool down, bool repeat) {
            lines.append(QStringLiteral("%1:%2:%3").arg(keyCode, 0, 16).arg(int(down)).arg(int(repeat)));
        };
    }
    QString Text() const { return lines.join(QLatin1Char(' ')); }
};

// A release clears the flags and the last key left by an earlier test.
void ResetInstance(KeyboardHook& hook)
{
    hook.ClearCallback();
    hook.SetHook();
    hook.KeyboardProc(0x07, KeyMessage::KeyUp);
}

void Send(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(type, key, modifiers);
    QCoreApplication::sendEvent(window, &event);
}

} // namespace

class TestKeyboardHook : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void sequences_data();
    void sequences();
    void instancesAreIndependent();
    void installAndRemove();
    void noCallbackOutlivesItsUser();

private:
    QWindow m_window;
};

void TestKeyboardHook::initTestCase()
{
    m_window.show();
    m_window.requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(&m_window));
}

void TestKeyboardHook::sequences_data()
{
    QTest::addColumn<KeyboardHook::Instance>("instance");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("reports");

    const struct {
        const char* name;
        QString events;
        QString reports;
    } everyInstance[] = {
        {"tap", "41d 41u", "41:1:0 41:0:0"},
        {"hold until it repeats", "41d 41d 41d 41u", "41:1:0 41:1:1 41:1:1 41:0:0"},
        {"overlapping keys", "41d 42d 41u 42u", "41:1:0 42:1:0 41:0:0 42:0:0"},
        {"tap twice", "41d 41u 41d 41u", "41:1:0 41:0:0 41:1:0 41:0:0"},
        {"release without press", "41u", "41:0:0"},
    };
    const struct {
        KeyboardHook::Instance instance;
        const char* name;
    } instances[] = {{KeyboardHook::Recording, "recording"},
                     {KeyboardHook::SingleKey, "single key"},
                     {KeyboardHook::Combination, "combination"}};
    for (const auto& instance : instances) {
        for (const auto& row : everyInstance) {
            QTest::addRow("%s: %s", instance.name, row.name)
                << instance.instance << row.events << row.reports;
        }
    }

    // System-key messages change the down flag only while recording.
    QTest::newRow("recording: alt") << KeyboardHook::Recording << "a4D a4U" << "a4:1:0 a4:0:1";
    QTest::newRow("recording: F10 after a tap")
        << KeyboardHook::Recording << "41d 41u 79D 79U" << "41:1:0 41:0:0 79:1:0 79:0:1";
    QTest::newRow("recording: key with alt held")
        << KeyboardHook::Recording << "a4D 41D 41U a4U" << "a4:1:0 41:1:0 41:0:1 a4:0:0";
    for (const auto& instance : {instances[1], instances[2]}) {
        QTest::addRow("%s: F10 after a tap", instance.name)
            << instance.instance << "41d 41u 79D" << "41:1:0 41:0:0 79:0:0";
        QTest::addRow("%s: alt", instance.name) << instance.instance << "a4D a4U" << "a4:0:0 a4:0:1";
        QTest::addRow("%s: system key while a key is down", instance.name)
            << instance.instance << "42d a4D a4U 42u" << "42:1:0 a4:1:0 a4:1:1 42:0:0";
    }
}

void TestKeyboardHook::sequences()
{
    QFETCH(KeyboardHook::Instance, instance);
    QFETCH(QString, events);
    QFETCH(QString, reports);

    KeyboardHook hook(instance);
    ResetInstance(hook);
    Reports seen;
    hook.SetCallback(seen.Callback());
    for (const CapturedKey& key : ParseEvents(events))
        hook.KeyboardProc(key.virtualKey, key.message);
    QCOMPARE(seen.Text(), reports);
}

void TestKeyboardHook::instancesAreIndependent()
{
    // Two instances installed at once see the same window events, each with
    // its own flags; the third, not installed, sees nothing.
    KeyboardHook recording(KeyboardHook::Recording);
    KeyboardHook singleKey(KeyboardHook::SingleKey);
    KeyboardHook combination(KeyboardHook::Combination);
    ResetInstance(recording);
    ResetInstance(singleKey);
    ResetInstance(combination);
    combination.UnHook();
    Reports recorded, single, combined;
    recording.SetCallback(recorded.Callback());
    singleKey.SetCallback(single.Callback());
    combination.SetCallback(combined.Callback());

    Send(&m_window, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    Send(&m_window, QEvent::KeyPress, Qt::Key_A, Qt::AltModifier);
    Send(&m_window, QEvent::KeyRelease, Qt::Key_A, Qt::AltModifier);
    Send(&m_window, QEvent::KeyRelease, Qt::Key_Alt);
    QCOMPARE(recorded.Text(), QStringLiteral("a4:1:0 41:1:0 41:0:1 a4:0:0"));
    QCOMPARE(single.Text(), QStringLiteral("a4:0:0 41:0:0 41:0:1 a4:0:0"));
    QVERIFY(combined.lines.isEmpty());
}

void TestKeyboardHook::installAndRemove()
{
    KeyboardHook hook(KeyboardHook::Combination);
    Reports seen;
    hook.UnHook(); // before any installation: harmless
    hook.SetCallback(seen.Callback());
    QVERIFY(!hook.IsInstalled());
    Send(&m_window, QEvent::KeyPress, Qt::Key_A);
    hook.KeyboardProc(0x41, KeyMessage::KeyUp);
    QVERIFY(seen.lines.isEmpty());

    // Installing twice leaves one installation: each key once.
    hook.SetHook();
    hook.SetHook();
    QVERIFY(hook.IsInstalled());
    Send(&m_window, QEvent::KeyPress, Qt::Key_B);
    Send(&m_window, QEvent::KeyRelease, Qt::Key_B);
    QCOMPARE(seen.Text(), QStringLiteral("42:1:0 42:0:0"));

    // One removal stops it; a second changes nothing; the callback stays
    // bound for the next installation.
    hook.UnHook();
    hook.UnHook();
    QVERIFY(!hook.IsInstalled());
    Send(&m_window, QEvent::KeyPress, Qt::Key_C);
    QCOMPARE(seen.lines.size(), 2);
    hook.SetHook();
    Send(&m_window, QEvent::KeyRelease, Qt::Key_C);
    QCOMPARE(seen.lines.size(), 3);
    hook.UnHook();
}

void TestKeyboardHook::noCallbackOutlivesItsUser()
{
    int calls = 0;
    {
        KeyboardHook hook(KeyboardHook::SingleKey);
        hook.SetHook();
        hook.SetCallback([&calls](int, bool, bool) { ++calls; });
        Send(&m_window, QEvent::KeyPress, Qt::Key_A);
        QCOMPARE(calls, 1);
    } // the user goes without removing its hook
    Send(&m_window, QEvent::KeyRelease, Qt::Key_A);
    QCOMPARE(calls, 1);
    KeyboardHook next(KeyboardHook::SingleKey);
    QVERIFY(!next.IsInstalled());

    // An object that no longer holds the instance leaves the new user alone.
    Reports seen;
    auto earlier = std::make_unique<KeyboardHook>(KeyboardHook::SingleKey);
    earlier->SetHook();
    next.SetHook();
    next.SetCallback(seen.Callback());
    earlier.reset();
    QVERIFY(next.IsInstalled());
    Send(&m_window, QEvent::KeyPress, Qt::Key_D);
    QCOMPARE(seen.lines.size(), 1);
    next.UnHook();
}

QTEST_MAIN(TestKeyboardHook)
#include "test_keyboard_hook.moc"
