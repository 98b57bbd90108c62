// The application-wide key capture: which virtual key and message a Qt key
// event becomes, and which events reach the installed procedures.
#include "key_capture.h"

#include <QtTest>

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

Q_DECLARE_METATYPE(KeyMessage)

namespace {

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;

// Records what one installed procedure receives.
struct Recorder {
    QVector<CapturedKey> keys;
    KeyCaptureHandle handle = 0;

    void Install()
    {
        handle = InstallKeyCapture([this](const CapturedKey& key) { keys.append(key); });
    }
    ~Recorder() { RemoveKeyCapture(handle); }
};

void Send(QObject* receiver, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = None,
          bool autoRepeat = false)
{
    QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
    QCoreApplication::sendEvent(receiver, &event);
}

} // namespace

class TestKeyCapture : public QObject {
    Q_OBJECT

private slots:
    // First: the application is not active before any window was activated.
    void reportsOnlyWhileActive();
    void virtualKeys_data();
    void virtualKeys();
    void messages_data();
    void messages();
    void autoRepeatBecomesPresses();
    void eachKeyOnceAndNeverSwallowed();
    void removalFromInsideAProcedure();
    void blockKeepsKeysFromWidgetsOnly();
};

void TestKeyCapture::reportsOnlyWhileActive()
{
    QWindow window;
    Recorder recorder;
    recorder.Install();
    QVERIFY(recorder.handle != 0);

    QVERIFY(QGuiApplication::applicationState() != Qt::ApplicationActive);
    Send(&window, QEvent::KeyPress, Qt::Key_A);
    Send(&window, QEvent::KeyRelease, Qt::Key_A);
    QVERIFY(recorder.keys.isEmpty());

    window.show();
    window.requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Send(&window, QEvent::KeyPress, Qt::Key_A);
    QCOMPARE(recorder.keys.size(), 1);
    QCOMPARE(recorder.keys[0].virtualKey, 0x41u);

    RemoveKeyCapture(recorder.handle);
    RemoveKeyCapture(recorder.handle); // twice is harmless
    RemoveKeyCapture(0);
    Send(&window, QEvent::KeyRelease, Qt::Key_A);
    QCOMPARE(recorder.keys.size(), 1);
}

void TestKeyCapture::virtualKeys_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<quint32>("keySymbol");
    QTest::addColumn<quint32>("virtualKey");

    struct Row {
        const char* name;
        int qtKey;
        bool keypad;
        quint32 keySymbol;
        quint32 virtualKey;
    };
    const Row rows[] = {
        {"letter", Qt::Key_Q, false, 0, 0x51},
        {"digit", Qt::Key_7, false, 0, 0x37},
        {"shifted digit", Qt::Key_Exclam, false, 0, 0x31},
        {"shifted zero", Qt::Key_ParenRight, false, 0, 0x30},
        {"shifted punctuation", Qt::Key_Question, false, 0, 0xBF},
        {"plus on the main block", Qt::Key_Plus, false, 0, 0xBB},
        {"grave", Qt::Key_QuoteLeft, false, 0, 0xC0},
        {"F1", Qt::Key_F1, false, 0, 0x70},
        {"F12", Qt::Key_F12, false, 0, 0x7B},
        {"F13 has a number, not a name", Qt::Key_F13, false, 0, 0x7C},
        {"left shift", Qt::Key_Shift, false, 0xFFE1, 0xA0},
        {"right shift", Qt::Key_Shift, false, 0xFFE2, 0xA1},
        {"shift without symbol", Qt::Key_Shift, false, 0, 0xA0},
        {"left control", Qt::Key_Control, false, 0xFFE3, 0xA2},
        {"right control", Qt::Key_Control, false, 0xFFE4, 0xA3},
        {"left alt", Qt::Key_Alt, false, 0xFFE9, 0xA4},
        {"right alt", Qt::Key_Alt, false, 0xFFEA, 0xA5},
        {"alt gr", Qt::Key_AltGr, false, 0xFE03, 0xA5},
        {"left super", Qt::Key_Super_L, false, 0xFFEB, 0x5B},
        {"right super", Qt::Key_Super_R, false, 0xFFEC, 0x5C},
        {"right meta", Qt::Key_Meta, false, 0xFFE8, 0x5C},
        {"menu", Qt::Key_Menu, false, 0, 0x5D},
        {"keypad digit", Qt::Key_5, true, 0, 0x65},
        {"keypad zero", Qt::Key_0, true, 0, 0x60},
        {"keypad plus", Qt::Key_Plus, true, 0, 0x6B},
        {"keypad minus", Qt::Key_Minus, true, 0, 0x6D},
        {"keypad star", Qt::Key_Asterisk, true, 0, 0x6A},
        {"keypad slash", Qt::Key_Slash, true, 0, 0x6F},
        {"keypad point", Qt::Key_Period, true, 0, 0x6E},
        {"keypad enter", Qt::Key_Enter, true, 0, 0x0D},
        {"keypad 5 without num lock", Qt::Key_Clear, true, 0, 0x0C},
        {"keypad 7 without num lock", Qt::Key_Home, true, 0, 0x24},
        {"keypad point without num lock", Qt::Key_Delete, true, 0, 0x2E},
        {"num lock", Qt::Key_NumLock, false, 0, 0x90},
        {"shift tab", Qt::Key_Backtab, false, 0, 0x09},
        {"print", Qt::Key_Print, false, 0, 0x2C},
        {"media key", Qt::Key_VolumeUp, false, 0, 0xAF},
        {"key without a number", Qt::Key_Launch0, false, 0, VirtualKeyUnknown},
    };
    for (const Row& row : rows)
        QTest::newRow(row.name) << row.qtKey << row.keypad << row.keySymbol << row.virtualKey;
}

void TestKeyCapture::virtualKeys()
{
    QFETCH(int, qtKey);
    QFETCH(bool, keypad);
    QFETCH(quint32, keySymbol);
    QFETCH(quint32, virtualKey);
    QCOMPARE(VirtualKeyOf(qtKey, keypad ? Qt::KeypadModifier : Qt::NoModifier, keySymbol), virtualKey);
}

void TestKeyCapture::messages_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("press");
    QTest::addColumn<KeyMessage>("message");

    QTest::newRow("plain press") << int(Qt::Key_A) << 0 << true << KeyMessage::KeyDown;
    QTest::newRow("plain release") << int(Qt::Key_A) << 0 << false << KeyMessage::KeyUp;
    QTest::newRow("shifted press") << int(Qt::Key_A) << int(Qt::ShiftModifier) << true << KeyMessage::KeyDown;
    QTest::newRow("alt itself") << int(Qt::Key_Alt) << int(Qt::AltModifier) << true << KeyMessage::SysKeyDown;
    QTest::newRow("alt released") << int(Qt::Key_Alt) << 0 << false << KeyMessage::SysKeyUp;
    QTest::newRow("F10") << int(Qt::Key_F10) << 0 << true << KeyMessage::SysKeyDown;
    QTest::newRow("F10 released") << int(Qt::Key_F10) << 0 << false << KeyMessage::SysKeyUp;
    QTest::newRow("key with alt") << int(Qt::Key_A) << int(Qt::AltModifier) << true << KeyMessage::SysKeyDown;
    QTest::newRow("key with alt released") << int(Qt::Key_A) << int(Qt::AltModifier) << false << KeyMessage::SysKeyUp;
    QTest::newRow("key with ctrl and alt")
        << int(Qt::Key_A) << int(Qt::AltModifier | Qt::ControlModifier) << true << KeyMessage::KeyDown;
    QTest::newRow("F9") << int(Qt::Key_F9) << 0 << true << KeyMessage::KeyDown;
}

void TestKeyCapture::messages()
{
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(bool, press);
    QFETCH(KeyMessage, message);
    const QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, qtKey,
                          Qt::KeyboardModifiers(modifiers));
    const std::optional<CapturedKey> key = TranslateKeyEvent(event);
    QVERIFY(key.has_value());
    QCOMPARE(key->message, message);
}

void TestKeyCapture::autoRepeatBecomesPresses()
{
    const QKeyEvent repeatedPress(QEvent::KeyPress, Qt::Key_A, None, QString(), true);
    const QKeyEvent repeatedRelease(QEvent::KeyRelease, Qt::Key_A, None, QString(), true);
    const QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, None, QString(), false);
    QCOMPARE(TranslateKeyEvent(repeatedPress)->message, KeyMessage::KeyDown);
    QVERIFY(!TranslateKeyEvent(repeatedRelease).has_value());
    QCOMPARE(TranslateKeyEvent(release)->message, KeyMessage::KeyUp);
}

void TestKeyCapture::eachKeyOnceAndNeverSwallowed()
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    (new QVBoxLayout(&window))->addWidget(edit);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();

    Recorder first;
    Recorder second;
    first.Install();
    second.Install();

    // The window passes the key on to the line edit: seen once, still typed.
    QTest::keyClick(window.windowHandle(), Qt::Key_B);
    QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
    QCOMPARE(edit->text(), QStringLiteral("b"));
    for (const Recorder* recorder : {&first, &second}) {
        QCOMPARE(recorder->keys.size(), 4);
        QCOMPARE(recorder->keys[0].virtualKey, 0x42u);
        QCOMPARE(recorder->keys[0].message, KeyMessage::KeyDown);
        QCOMPARE(recorder->keys[1].message, KeyMessage::KeyUp);
        QCOMPARE(recorder->keys[2].virtualKey, 0x1Bu);
    }

    // Keys sent straight to a widget are not window events: not reported again.
    QTest::keyClick(edit, Qt::Key_C);
    QCOMPARE(first.keys.size(), 4);
}

void TestKeyCapture::removalFromInsideAProcedure()
{
    QWindow window;
    window.show();
    window.requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // The later procedure runs first and removes the earlier one, then
    // itself: neither runs again and the earlier one is not called at all.
    int earlierCalls = 0;
    int laterCalls = 0;
    const KeyCaptureHandle earlier = InstallKeyCapture([&](const CapturedKey&) { ++earlierCalls; });
    KeyCaptureHandle later = 0;
    later = InstallKeyCapture([&](const CapturedKey&) {
        ++laterCalls;
        RemoveKeyCapture(earlier);
        RemoveKeyCapture(later);
    });
    Send(&window, QEvent::KeyPress, Qt::Key_A);
    Send(&window, QEvent::KeyRelease, Qt::Key_A);
    QCOMPARE(laterCalls, 1);
    QCOMPARE(earlierCalls, 0);
}

void TestKeyCapture::blockKeepsKeysFromWidgetsOnly()
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* button = new QPushButton(QStringLiteral("Go"), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(edit);
    layout->addWidget(button);
    int clicks = 0;
    connect(button, &QPushButton::clicked, [&] { ++clicks; });
    int shortcuts = 0;
    QShortcut shortcut(QKeySequence(Qt::Key_F5), &window);
    connect(&shortcut, &QShortcut::activated, [&] { ++shortcuts; });
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus();

    Recorder recorder;
    recorder.Install();
    const auto type = [&] {
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_F5, Qt::Key_Tab, Qt::Key_A})
            QTest::keyClick(window.windowHandle(), key);
    };

    // Engaged: Space presses nothing, F5 fires nothing, Tab moves nothing,
    // A types nothing; the capture still sees each key once.
    std::unique_ptr<WidgetKeyBlock> block(new WidgetKeyBlock);
    block->Engage();
    QVERIFY(block->IsEngaged());
    type();
    QCOMPARE(recorder.keys.size(), 8);
    QCOMPARE(clicks, 0);
    QCOMPARE(shortcuts, 0);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(button));
    QCOMPARE(edit->text(), QString());

    // Released: as if there had never been one.
    block->Release();
    type();
    QCOMPARE(clicks, 1);
    QCOMPARE(shortcuts, 1);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
    QCOMPARE(edit->text(), QStringLiteral("a"));

    // Going away releases it too.
    block->Engage();
    block.reset();
    QTest::keyClick(window.windowHandle(), Qt::Key_B);
    QCOMPARE(edit->text(), QStringLiteral("ab"));
}

QTEST_MAIN(TestKeyCapture)
#include "test_key_capture.moc"
