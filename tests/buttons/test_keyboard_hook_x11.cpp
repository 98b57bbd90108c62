// Real key presses under an X server of the test's own: keys typed with
// xdotool into a program window reach the installed hook instances with the
// virtual keys of the key table. The window runs in a child process (this
// program started with --capture-window) on the xcb platform.
#include "keyboard_hook.h"

#include <QtTest>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWidget>

#include <cstdio>

namespace {

constexpr char ChildMode[] = "--capture-window";

// The child: one window, the recording and single-key instances installed,
// every report written to stdout as "<instance> <vk hex> <down>".
int RunCaptureWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(200, 120);
    KeyboardHook recording(KeyboardHook::Recording);
    KeyboardHook singleKey(KeyboardHook::SingleKey);
    for (KeyboardHook* hook : {&recording, &singleKey}) {
        hook->SetHook();
        const char* name = hook == &recording ? "recording" : "single";
        hook->SetCallback([name](int keyCode, bool down, bool) {
            std::printf("%s %x %d\n", name, keyCode, int(down));
            std::fflush(stdout);
        });
    }
    QObject::connect(&app, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) {
            std::printf("active\n");
            std::fflush(stdout);
        }
    });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 2;
    std::printf("ready %llu\n", static_cast<unsigned long long>(window.winId()));
    std::fflush(stdout);
    return app.exec();
}

// Reads lines of a process until `done` says enough or the time is up.
bool ReadLinesUntil(QProcess& process, QStringList& lines, const std::function<bool()>& done, int ms = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.hasExpired(ms) || process.state() == QProcess::NotRunning)
            return false;
        process.waitForReadyRead(100);
        while (process.canReadLine())
            lines.append(QString::fromUtf8(process.readLine()).trimmed());
    }
    return true;
}

} // namespace

class TestKeyboardHookX11 : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void typedKeysReachTheInstances();

private:
    bool RunXdotool(const QStringList& arguments);

    QProcess m_server;
    QProcess m_window;
    QString m_display;
};

void TestKeyboardHookX11::cleanup()
{
    for (QProcess* process : {&m_window, &m_server}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

bool TestKeyboardHookX11::RunXdotool(const QStringList& arguments)
{
    QProcess xdotool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    xdotool.setProcessEnvironment(env);
    xdotool.start(QStringLiteral("xdotool"), arguments);
    return xdotool.waitForFinished(15000) && xdotool.exitStatus() == QProcess::NormalExit
        && xdotool.exitCode() == 0;
}

void TestKeyboardHookX11::typedKeysReachTheInstances()
{
    const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (server.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("Xvfb or xdotool is not installed: no X server to type into");

    // -displayfd 1: the server picks a free display and writes its number.
    m_server.start(server, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("640x480x24")});
    QStringList serverLines;
    if (!ReadLinesUntil(m_server, serverLines, [&] { return !serverLines.isEmpty(); }))
        QSKIP("the X server could not be started here");
    m_display = QLatin1Char(':') + serverLines.first();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    m_window.setProcessEnvironment(env);
    m_window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_window.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ChildMode)});
    QStringList lines;
    QVERIFY2(ReadLinesUntil(m_window, lines, [&] { return !lines.isEmpty(); }), "window did not start");
    QVERIFY2(lines.first().startsWith(QLatin1String("ready ")), qPrintable(lines.first()));
    const QString windowId = lines.takeFirst().mid(6);

    QVERIFY(RunXdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), windowId}));
    QVERIFY2(ReadLinesUntil(m_window, lines, [&] { return lines.contains(QLatin1String("active")); }),
             "the window did not become active");
    lines.removeAll(QStringLiteral("active"));

    // xdotool presses a modifier key together with the key it thinks needs
    // the modifier (Shift_L with Shift_R, Num_Lock with a keypad digit), so
    // each key is typed on its own and must appear as a press and a later
    // release of its own virtual key among what arrives.
    struct Typed {
        const char* keySymbol;
        uint32_t virtualKey;
    };
    const Typed typed[] = {
        {"a", 0x41}, {"z", 0x5A}, {"1", 0x31}, {"0", 0x30}, {"F1", 0x70}, {"F12", 0x7B},
        {"Escape", 0x1B}, {"Tab", 0x09}, {"Shift_L", 0xA0}, {"Shift_R", 0xA1},
        {"Control_L", 0xA2}, {"Control_R", 0xA3}, {"Alt_L", 0xA4}, {"Super_L", 0x5B},
        {"KP_Add", 0x6B}, {"KP_Multiply", 0x6A}, {"KP_Divide", 0x6F}, {"KP_Subtract", 0x6D},
        {"KP_Enter", 0x0D},
        // Last: xdotool locks Num Lock for it, and a second keypad digit
        // would see the lock released between its press and its release.
        {"KP_1", 0x61},
    };
    for (const Typed& key : typed) {
        const QString pressed = QStringLiteral("recording %1 1").arg(key.virtualKey, 0, 16);
        const QString released = QStringLiteral("recording %1 0").arg(key.virtualKey, 0, 16);
        const int from = lines.size();
        QVERIFY(RunXdotool({QStringLiteral("key"), QString::fromLatin1(key.keySymbol)}));
        const auto releasedAt = [&] { return lines.indexOf(released, from); };
        const bool arrived = ReadLinesUntil(m_window, lines, [&] { return releasedAt() >= 0; }, 5000);
        const QString seen = lines.mid(from).join(QStringLiteral(", "));
        QVERIFY2(arrived, qPrintable(QStringLiteral("%1: no release of its key in [%2]").arg(key.keySymbol, seen)));
        const int pressedAt = lines.indexOf(pressed, from);
        QVERIFY2(pressedAt >= 0 && pressedAt < releasedAt(),
                 qPrintable(QStringLiteral("%1: no press before the release in [%2]").arg(key.keySymbol, seen)));
        // The single-key instance sees the key too (with its own down flag).
        const QRegularExpression single(QStringLiteral("^single %1 [01]$").arg(key.virtualKey, 0, 16));
        QVERIFY2(lines.indexOf(single, from) >= 0,
                 qPrintable(QStringLiteral("%1: not reported to the single-key instance").arg(key.keySymbol)));
    }
}

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], ChildMode) == 0)
        return RunCaptureWindow(argc, argv);
    QApplication app(argc, argv);
    TestKeyboardHookX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_keyboard_hook_x11.moc"
