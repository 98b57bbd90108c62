// What the program knows of the mouse's profile, as a table of event
// sequences: whether the device image may be sent after them.
#include "mouse_profile.h"

#include <QtTest>

namespace {

// Events, separated by blanks: X new connection, S<n> switch asked, N that
// request not sent, R<n> profile reported, C configuration applied, D dump
// read, T<ms> time passes.
void Play(const QString& events, long long& nowMs)
{
    MouseProfile::Reset();
    for (const QString& event : events.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int n = event.mid(1).toInt();
        switch (event.at(0).toLatin1()) {
        case 'X': MouseProfile::Reset(); break;
        case 'S': MouseProfile::SwitchRequested(n); break;
        case 'N': MouseProfile::SwitchNotSent(); break;
        case 'R': MouseProfile::Reported(n); break;
        case 'C': MouseProfile::ConfigurationApplied(); break;
        case 'D': MouseProfile::DumpRead(); break;
        case 'T': nowMs += n; break;
        default: QFAIL(qPrintable(QStringLiteral("unknown event ") + event));
        }
    }
}

} // namespace

class TestMouseProfile : public QObject {
    Q_OBJECT
private slots:
    void imageFitsMouse_data();
    void imageFitsMouse();
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
}

void TestMouseProfile::imageFitsMouse()
{
    QFETCH(QString, events);
    QFETCH(bool, fits);
    long long nowMs = 1000;
    MouseProfile::SetClock([&nowMs] { return nowMs; });
    Play(events, nowMs);
    QCOMPARE(MouseProfile::ImageFitsMouse(), fits);
    MouseProfile::SetClock(nullptr);
}

QTEST_GUILESS_MAIN(TestMouseProfile)
#include "test_mouse_profile.moc"
