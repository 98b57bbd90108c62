// What the program knows of the opened device and the mouse's profile, as
// tables of event sequences: whether the device image may be sent after them,
// whose image it is, whether the opened device's dump is overdue, and whether
// a change decided at one point still belongs to the image later.
#include "mouse_profile.h"

#include <QtTest>

namespace {

// Events, separated by blanks: O a device opened, X new connection, S<n>
// switch asked, N that request not sent, R<n> profile reported, C
// configuration applied, D dump read, d dump of the device opened before the
// last one (its handler began before that opening), K the pages show the
// opened device's cache, A its dump asked for, a asked while the mouse does
// not answer (it holds the read), W a change sent, M the mouse answers again
// after a while, T<ms> time passes. Returns what the last K
// was answered (false when there was none).
bool Play(const QString& events, long long& nowMs)
{
    bool cacheTaken = false;
    for (const QString& event : events.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int n = event.mid(1).toInt();
        switch (event.at(0).toLatin1()) {
        case 'O': MouseProfile::DeviceOpened(); break;
        case 'X': MouseProfile::Reset(); break;
        case 'S': MouseProfile::SwitchRequested(n); break;
        case 'N': MouseProfile::SwitchNotSent(); break;
        case 'R': MouseProfile::Reported(n); break;
        case 'C': MouseProfile::ConfigurationApplied(); break;
        case 'D': MouseProfile::DumpRead(); break;
        case 'd': MouseProfile::DumpRead(MouseProfile::Opening() - 1); break;
        case 'K': cacheTaken = MouseProfile::TakeCache(); break;
        case 'A': MouseProfile::DumpAsked(true); break;
        case 'a': MouseProfile::DumpAsked(false); break;
        case 'W': MouseProfile::ImageSent(); break;
        case 'M': MouseProfile::MouseAnswersAgain(); break;
        case 'T': nowMs += n; break;
        default: qFatal("unknown event %s", qPrintable(event));
        }
    }
    return cacheTaken;
}

// The program as it starts, with a clock of the test's own.
class Clocked {
public:
    Clocked()
    {
        MouseProfile::StartOver();
        MouseProfile::SetClock([this] { return nowMs; });
    }
    ~Clocked() { MouseProfile::SetClock(nullptr); }
    bool Play(const QString& events) { return ::Play(events, nowMs); }

private:
    long long nowMs = 1000;
};

} // namespace

class TestMouseProfile : public QObject {
    Q_OBJECT
private slots:
    void imageFitsMouse_data();
    void imageFitsMouse();
    void whoseImage_data();
    void whoseImage();
    void ownDumpOverdue_data();
    void ownDumpOverdue();
    void targetHolds_data();
    void targetHolds();
};

void TestMouseProfile::imageFitsMouse_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<bool>("fits");
    QTest::newRow("nothing known") << "" << true;
    QTest::newRow("first dump, then its profile") << "D R1" << true;
    QTest::newRow("report of a profile before any dump") << "R1" << true;
    QTest::newRow("mouse's button: report of another profile") << "R0 D R1" << false;
    QTest::newRow("mouse's button: then its dump") << "R0 D R1 D" << true;
    QTest::newRow("mouse's button: back before the dump") << "R0 D R1 R0" << true;
    QTest::newRow("switch asked") << "R0 D S1" << false;
    QTest::newRow("switch asked of the profile in use") << "R0 D S0" << false;
    QTest::newRow("switch reported, dump not yet") << "R0 D S1 R1" << false;
    QTest::newRow("switch answered") << "R0 D S1 R1 D" << true;
    QTest::newRow("dump asked before the switch") << "R0 D S1 D" << false;
    QTest::newRow("quick run: dump of the middle profile") << "R0 D S1 S2 R1 D" << false;
    QTest::newRow("quick run: report of the last") << "R0 D S1 S2 R1 D R2" << false;
    QTest::newRow("quick run: dump of the last") << "R0 D S1 S2 R1 D R2 D" << true;
    QTest::newRow("quick run: the mouse's button after it") << "R0 D S1 R1 D R3" << false;
    QTest::newRow("switch not sent") << "R0 D S1 N" << true;
    QTest::newRow("second switch not sent") << "R0 D S1 S2 N" << false;
    QTest::newRow("second switch not sent, first answered") << "R0 D S1 S2 N R1 D" << true;
    QTest::newRow("switch never answered, within the wait") << "R0 D S1 T3000" << false;
    QTest::newRow("switch never answered, after the wait") << "R0 D S1 T3001" << true;
    QTest::newRow("configuration applied") << "R2 D C" << false;
    QTest::newRow("configuration applied, its dump") << "R2 D C D" << true;
    QTest::newRow("configuration applied, its dump and profile") << "R2 D C D R0" << true;
    QTest::newRow("configuration applied, no dump after the wait") << "R2 D C T3001" << true;
    QTest::newRow("new connection forgets the switch") << "R0 D S1 X" << true;
    QTest::newRow("new connection forgets the profiles") << "R0 D R1 X D R2" << true;
    QTest::newRow("device opened: the image is the one before") << "R0 D O" << false;
    QTest::newRow("device opened: its dump") << "R0 D O X D" << true;
    QTest::newRow("device opened: dump of the device before") << "R0 D O X d" << false;
    QTest::newRow("device opened: then its own dump") << "R0 D O X d D" << true;
    QTest::newRow("device opened asleep: its cache") << "R0 D O K" << false;
    QTest::newRow("device opened asleep: awake, its dump") << "R0 D O K X D" << true;
    QTest::newRow("opened once more") << "O D O" << false;
    QTest::newRow("own dump overdue") << "O A T3001" << false;
    QTest::newRow("dump asked") << "R0 D A" << false;
    QTest::newRow("dump asked, its dump") << "R0 D A D" << true;
    QTest::newRow("dump asked, change sent first") << "R0 D W A" << false;
    QTest::newRow("dump asked, no answer in the wait") << "R0 D A T3000" << false;
    QTest::newRow("dump asked, no answer after the wait") << "R0 D A T3001" << true;
    QTest::newRow("dump asked asleep, mouse back: the held read goes out") << "R0 D a T5000 M" << false;
    QTest::newRow("dump asked asleep, mouse back, its dump") << "R0 D a T5000 M D" << true;
    QTest::newRow("dump asked asleep, back, no answer after the wait") << "R0 D a T5000 M T3001" << true;
    QTest::newRow("dump asked asleep, back twice: one wait") << "R0 D a T5000 M T3001 M" << true;
    QTest::newRow("read lost, mouse back: no new wait") << "R0 D A T5000 M" << true;
    QTest::newRow("change after the wait: its dump is read again") << "R0 D A T3001 W D" << false;
    QTest::newRow("change after the wait: the dump read again") << "R0 D A T3001 W D D" << true;
    QTest::newRow("change after the wait: read again, no answer") << "R0 D A T3001 W D T3001" << true;
    QTest::newRow("change with no dump asked") << "R0 D W D" << true;
}

void TestMouseProfile::imageFitsMouse()
{
    QFETCH(QString, events);
    QFETCH(bool, fits);
    Clocked program;
    program.Play(events);
    QCOMPARE(MouseProfile::ImageFitsMouse(), fits);
}

void TestMouseProfile::whoseImage_data()
{
    // The image is the opened device's (what an export writes) and its own
    // dump (what may be sent and kept as its cache); cacheTaken: the last K
    // let the image take the cache.
    QTest::addColumn<QString>("events");
    QTest::addColumn<bool>("ofOpenedDevice");
    QTest::addColumn<bool>("ownDump");
    QTest::addColumn<bool>("cacheTaken");
    QTest::newRow("opened, nothing read") << "D O" << false << false << false;
    QTest::newRow("opened, its dump") << "O D" << true << true << false;
    QTest::newRow("opened asleep, its cache") << "D O K" << true << false << true;
    QTest::newRow("opened asleep, awake, its dump") << "D O K D" << true << true << true;
    QTest::newRow("cache after the own dump") << "O D K" << true << true << false;
    QTest::newRow("opened again after its cache") << "O K O" << false << false << true;
    QTest::newRow("opened again, cache of the new one") << "O K O K" << true << false << true;
    QTest::newRow("dump of the device before") << "O D O d" << false << false << false;
    QTest::newRow("dump of the device before, then its own") << "O D O d D" << true << true << false;
    QTest::newRow("new connection keeps the device") << "O D X" << true << true << false;
}

void TestMouseProfile::whoseImage()
{
    QFETCH(QString, events);
    QFETCH(bool, ofOpenedDevice);
    QFETCH(bool, ownDump);
    QFETCH(bool, cacheTaken);
    Clocked program;
    QCOMPARE(program.Play(events), cacheTaken);
    QCOMPARE(MouseProfile::ImageOfOpenedDevice(), ofOpenedDevice);
    QCOMPARE(MouseProfile::ImageIsOwnDump(), ownDump);
}

void TestMouseProfile::ownDumpOverdue_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<bool>("overdue");
    QTest::newRow("asked, within the answer time") << "O A T3000" << false;
    QTest::newRow("asked, no answer") << "O A T3001" << true;
    QTest::newRow("asked, answered late") << "O A T3001 D" << false;
    QTest::newRow("never asked") << "O T5000" << false;
    QTest::newRow("asked again") << "O A T3001 A T3000" << false;
    QTest::newRow("asked again, no answer either") << "O A T3001 A T3001" << true;
    QTest::newRow("only the device before answered") << "O D O A T3001 d" << true;
    QTest::newRow("asleep: cache shown, no answer") << "O K A T3001" << true;
    QTest::newRow("held while asleep, mouse back") << "O K a T5000 M" << false;
    QTest::newRow("held while asleep, back, no answer") << "O K a T5000 M T3001" << true;
    QTest::newRow("lost on the way, mouse back: asked again at once") << "O A T3001 M" << true;
    QTest::newRow("opened again: not asked yet") << "O A T3001 O" << false;
    QTest::newRow("own dump read, asked again") << "O D A T5000" << false;
}

void TestMouseProfile::ownDumpOverdue()
{
    QFETCH(QString, events);
    QFETCH(bool, overdue);
    Clocked program;
    program.Play(events);
    QCOMPARE(MouseProfile::OwnDumpOverdue(), overdue);
}

void TestMouseProfile::targetHolds_data()
{
    // A change is decided after `before` and sent after `after` as well.
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("holds");
    QTest::newRow("nothing in between") << "O R0 D" << "" << true;
    QTest::newRow("another dump of the profile") << "O R0 D" << "D" << true;
    QTest::newRow("status read again") << "O R0 D" << "R0 D R0" << true;
    QTest::newRow("mouse's button, its dump not yet") << "O R0 D" << "R1" << true;
    QTest::newRow("mouse's button, its dump") << "O R0 D" << "R1 D" << false;
    QTest::newRow("mouse's button there and back") << "O R0 D" << "R1 D R0 D" << true;
    QTest::newRow("switch asked and answered") << "O R0 D" << "S1 R1 D" << false;
    QTest::newRow("configuration applied, its dump") << "O R0 D" << "C D" << false;
    QTest::newRow("reconnected, same profile") << "O R0 D" << "X D R0" << true;
    QTest::newRow("reconnected, another profile") << "O R0 D" << "X D R1" << false;
    QTest::newRow("profile never named, another dump") << "O D" << "D" << false;
    QTest::newRow("another device opened") << "O R0 D" << "O" << false;
    QTest::newRow("another device opened and read") << "O R0 D" << "O R0 D" << false;
    QTest::newRow("decided before the device's dump") << "O" << "R0 D" << false;
    QTest::newRow("decided on the cache") << "O K" << "R0 D" << false;
    QTest::newRow("dump of the device before") << "O R0 D O" << "d" << false;
}

void TestMouseProfile::targetHolds()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, holds);
    Clocked program;
    program.Play(before);
    const MouseProfile::Target target = MouseProfile::CurrentTarget();
    program.Play(after);
    QCOMPARE(MouseProfile::TargetHolds(target), holds);
}

QTEST_GUILESS_MAIN(TestMouseProfile)
#include "test_mouse_profile.moc"
