// The pairing dialog over the simulated world: success, failure by time-out,
// the receiver unplugged, a wired target, no target at all, the report
// callback, and leaving mid-pairing (then pairing again).
#include "home_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <memory>

using namespace home;

namespace {

const QString kReceiver = QStringLiteral("r1");
const QString kMouse = QStringLiteral("m1");

// A 4K receiver and an unpaired mouse of the same model, plus a cable mouse.
const QString kWorld = Receiver(kReceiver, 4, 1) + QStringLiteral("[Mouse m1]\nCid = 23\nMid = 1\n")
    + Mouse(QStringLiteral("orca"), 3, QString());

DeviceAllInfo Record(const QString& id)
{
    DeviceAllInfo entry;
    entry.path = QString::fromUtf8(SimControl::devicePath(id));
    entry.vid = QStringLiteral("0x2FE5");
    entry.pid = id == QLatin1String("orca") ? QStringLiteral("0x7A01") : QStringLiteral("0x7B04");
    IdentifyHomeDevice(entry);
    return entry;
}

// Who opened the dialog: the home page (repair target) or the device
// window (the selected device).
enum class Opener { Home, DeviceWindow };

QByteArray PairStatusHeader(int type)
{
    return SimControl::makeReportHeader(type);
}

} // namespace

Q_DECLARE_METATYPE(Opener)

class TestHomePairing : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pairsWithAMouseInPairingMode_data();
    void pairsWithAMouseInPairingMode();
    void failsByTimeOut_data();
    void failsByTimeOut();
    void failsWhenTheReceiverIsUnplugged_data();
    void failsWhenTheReceiverIsUnplugged();
    void wiredTargetCannotPair();
    void noTargetCannotPair();
    void escapeMidPairingThenPairAgain();
    void waitingTextCycles();
    void reportCallback_data();
    void reportCallback();

private:
    Match* Open(Opener opener, const QString& target = kReceiver);
    QPushButton* Button() const { return m_match->findChild<QPushButton*>(QStringLiteral("MatchButton")); }
    QLabel* Hint() const { return m_match->findChild<QLabel*>(QStringLiteral("label")); }

    std::unique_ptr<Match> m_match;
};

void TestHomePairing::init()
{
    QVERIFY(LoadWorld(kWorld));
    SimControl::setPairTimeoutMs(60000);
}

void TestHomePairing::cleanup()
{
    m_match.reset();
    SimControl::waitIdle(2000);
}

Match* TestHomePairing::Open(Opener opener, const QString& target)
{
    if (opener == Opener::DeviceWindow) {
        SetCurrentDevice(Record(target));
        g_deviceSelected = 1;
    } else {
        g_pairRepairTarget = true;
        g_repairTarget = Record(target);
    }
    m_match.reset(new Match);
    m_match->InitPair();
    m_match->show();
    m_match->onUSBTimeupDestroy(); // the first tick of the USB-state timer
    SimControl::clearCallLog();
    return m_match.get();
}

void TestHomePairing::pairsWithAMouseInPairingMode_data()
{
    QTest::addColumn<Opener>("opener");
    QTest::newRow("from the home page") << Opener::Home;
    QTest::newRow("from the device window") << Opener::DeviceWindow;
}

void TestHomePairing::pairsWithAMouseInPairingMode()
{
    QFETCH(Opener, opener);
    Match* match = Open(opener);
    QVERIFY(match->CanPair());
    QVERIFY(Button()->isEnabled());
    QCOMPARE(Button()->text(), QStringLiteral("Start pairing"));
    QVERIFY(!Hint()->isVisibleTo(match));

    QVERIFY(SimControl::setPairingMode(kMouse, true));
    // The receiver pairs at once; its answer comes late enough for the
    // checks of the request below, even on a busy machine.
    SimControl::setLatencyMs(300);
    QTest::mouseClick(Button(), Qt::LeftButton);
    QCOMPARE(g_pairState.load(), int(PairRequested));
    QVERIFY(g_pairingActive);
    // The device window's worker leaves the device alone meanwhile.
    QCOMPARE(g_deviceSelected.load(), 0);
    QCOMPARE(CallArguments(QStringLiteral("UsbServerC_Start")),
             QStringList{QString::fromUtf8(SimControl::devicePath(kReceiver))});
    QCOMPARE(CallArguments(QStringLiteral("UsbServer_EnterDonglePairOnlyCid")), QStringList{QStringLiteral("23")});

    QTRY_COMPARE(Button()->text(), QStringLiteral("Paired"));
    QCOMPARE(g_pairState.load(), int(PairDone));
    QVERIFY(!g_pairingActive);
    QVERIFY(!Button()->isEnabled());
    QVERIFY(Button()->styleSheet().contains(QStringLiteral("PairSuccess.png")));
    QCOMPARE(SimControl::pairedReceiver(kMouse), kReceiver);
    QCOMPARE(g_deviceSelected.load(), opener == Opener::DeviceWindow ? 1 : 0);
    QVERIFY(!g_pairSelectionSuspended);

    // Nothing more to start: the button stays disabled, Space does nothing.
    match->onUSBTimeupDestroy();
    QVERIFY(!Button()->isEnabled());
    SimControl::clearCallLog();
    QMetaObject::invokeMethod(match, "on_MatchButton_clicked");
    QVERIFY(CallArguments(QStringLiteral("UsbServerC_Start")).isEmpty());
}

void TestHomePairing::failsByTimeOut_data()
{
    pairsWithAMouseInPairingMode_data();
}

void TestHomePairing::failsByTimeOut()
{
    QFETCH(Opener, opener);
    SimControl::setPairTimeoutMs(100);
    Open(opener);
    QTest::mouseClick(Button(), Qt::LeftButton);
    QTRY_COMPARE(g_pairState.load(), int(PairFailed));
    QTRY_COMPARE(Button()->text(), QStringLiteral("Pairing failed"));
    QVERIFY(Button()->styleSheet().contains(QStringLiteral("PairFail.png")));
    QVERIFY(!g_pairingActive);
    QVERIFY(!g_pairPollTimer->isActive());
    QCOMPARE(g_deviceSelected.load(), opener == Opener::DeviceWindow ? 1 : 0);

    // Another try starts a new request.
    m_match->onUSBTimeupDestroy();
    QVERIFY(Button()->isEnabled());
    SimControl::clearCallLog();
    SimControl::setPairTimeoutMs(60000);
    QVERIFY(SimControl::setPairingMode(kMouse, true));
    QTest::mouseClick(Button(), Qt::LeftButton);
    QCOMPARE(CallArguments(QStringLiteral("UsbServerC_Start")).size(), 1);
    QTRY_COMPARE(g_pairState.load(), int(PairDone));
}

void TestHomePairing::failsWhenTheReceiverIsUnplugged_data()
{
    pairsWithAMouseInPairingMode_data();
}

void TestHomePairing::failsWhenTheReceiverIsUnplugged()
{
    QFETCH(Opener, opener);
    Open(opener);
    QTest::mouseClick(Button(), Qt::LeftButton);
    QVERIFY(g_pairingActive);
    QVERIFY(SimControl::setPlugged(kReceiver, false));

    QTRY_COMPARE(g_pairState.load(), int(PairFailed));
    QCOMPARE(Button()->text(), QStringLiteral("Pairing failed"));
    QVERIFY(Button()->styleSheet().contains(QStringLiteral("PairFail.png")));
    QVERIFY(!g_pairingActive);
    QVERIFY(!g_pairPollTimer->isActive());
    QVERIFY(!g_pairTextTimer->isActive());
    // The device window gets its selection back.
    QCOMPARE(g_deviceSelected.load(), opener == Opener::DeviceWindow ? 1 : 0);
    QVERIFY(!g_pairSelectionSuspended);
}

void TestHomePairing::wiredTargetCannotPair()
{
    Match* match = Open(Opener::Home, QStringLiteral("orca"));
    QVERIFY(!match->CanPair());
    QVERIFY(Hint()->isVisibleTo(match));
    QCOMPARE(Hint()->text(), QStringLiteral("Pairing is only possible in wireless mode."));
    QVERIFY(!match->findChild<QTextEdit*>(QStringLiteral("textEdit"))->isVisibleTo(match));
    QVERIFY(!Button()->isEnabled());
    QVERIFY(Button()->styleSheet().contains(QStringLiteral("color: rgb(0,0,0);")));

    QTest::keyClick(match, Qt::Key_Space);
    QMetaObject::invokeMethod(match, "on_MatchButton_clicked");
    QCOMPARE(g_pairState.load(), int(PairIdle));
    QVERIFY(CallArguments(QStringLiteral("UsbServerC_Start")).isEmpty());
}

void TestHomePairing::noTargetCannotPair()
{
    // Nothing selected, no repair target, nothing listed.
    m_match.reset(new Match);
    m_match->InitPair();
    m_match->show();
    m_match->onUSBTimeupDestroy();
    QVERIFY(!m_match->CanPair());
    QVERIFY(!Button()->isEnabled());
    QVERIFY(Hint()->isVisibleTo(m_match.get()));
    QMetaObject::invokeMethod(m_match.get(), "on_MatchButton_clicked");
    QVERIFY(!g_pairingActive);
    QVERIFY(CallArguments(QStringLiteral("UsbServerC_Start")).isEmpty());
}

void TestHomePairing::escapeMidPairingThenPairAgain()
{
    Match* match = Open(Opener::DeviceWindow);
    QTest::mouseClick(Button(), Qt::LeftButton);
    QVERIFY(g_pairingActive);
    QCOMPARE(g_deviceSelected.load(), 0);

    // The close button is refused while the request is out...
    match->WindowClosedSet();
    QVERIFY(match->isVisible());
    QVERIFY(g_pairPollTimer->isActive());

    // ...Escape is not, and it leaves nothing behind.
    QTest::keyClick(match, Qt::Key_Escape);
    QVERIFY(!match->isVisible());
    QVERIFY(!g_pairingActive);
    QVERIFY(!g_pairSelectionSuspended);
    QCOMPARE(g_deviceSelected.load(), 1);
    QVERIFY(!g_pairUsbTimer->isActive());
    QVERIFY(!g_pairPollTimer->isActive());
    QVERIFY(!g_pairTextTimer->isActive());
    m_match.reset();
    QVERIFY(!g_pairPollTimer);

    // A second pairing works; the mouse enters its pairing mode while the
    // receiver searches.
    match = Open(Opener::DeviceWindow);
    QVERIFY(match->CanPair());
    QTest::mouseClick(Button(), Qt::LeftButton);
    QCOMPARE(CallArguments(QStringLiteral("UsbServerC_Start")).size(), 1);
    QVERIFY(SimControl::setPairingMode(kMouse, true));
    QTRY_COMPARE(g_pairState.load(), int(PairDone));
    QTRY_COMPARE(Button()->text(), QStringLiteral("Paired"));
    QCOMPARE(g_deviceSelected.load(), 1);

    // Closing now gives the home page its hot-plug callback back.
    SimControl::clearCallLog();
    match->WindowClosedSet();
    QVERIFY(!match->isVisible());
    QCOMPARE(CallArguments(QStringLiteral("StartUsbChanged")), QStringList{QStringLiteral("600")});
}

void TestHomePairing::waitingTextCycles()
{
    Match* match = Open(Opener::Home);
    QTest::mouseClick(Button(), Qt::LeftButton);
    QCOMPARE(Button()->text(), QStringLiteral("Pairing"));
    QStringList texts;
    for (int i = 0; i < 6; ++i) {
        match->onTextTimeupDestroy();
        texts << Button()->text();
    }
    QCOMPARE(texts, (QStringList{QStringLiteral("Pairing"), QStringLiteral("Pairing."), QStringLiteral("Pairing.."),
                                 QStringLiteral("Pairing..."), QStringLiteral("Pairing"), QStringLiteral("Pairing.")}));
}

void TestHomePairing::reportCallback_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("selectionBack");

    const QByteArray pair = PairStatusHeader(6);
    QTest::newRow("paired") << pair << QByteArray(1, 3) << int(PairDone) << true;
    QTest::newRow("failed") << pair << QByteArray(1, 2) << int(PairFailed) << true;
    QTest::newRow("still pairing") << pair << QByteArray(1, 1) << int(PairRequested) << false;
    QTest::newRow("unknown status") << pair << QByteArray(1, 7) << int(PairRequested) << false;
    QTest::newRow("another report") << PairStatusHeader(4) << QByteArray(1, 3) << int(PairRequested) << false;
    QTest::newRow("empty payload") << pair << QByteArray() << int(PairRequested) << false;
    QTest::newRow("one-byte header") << QByteArray(1, 6) << QByteArray(1, 3) << int(PairRequested) << false;
}

void TestHomePairing::reportCallback()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, payload);
    QFETCH(int, state);
    QFETCH(bool, selectionBack);

    g_pairState = PairRequested;
    g_pairingActive = true;
    g_pairSelectionSuspended = true;
    g_deviceSelected = 0;
    PairReportCallback(reinterpret_cast<const unsigned char*>(header.constData()), header.size(),
                       payload.isEmpty() ? nullptr : reinterpret_cast<const unsigned char*>(payload.constData()),
                       payload.size());
    QCOMPARE(g_pairState.load(), state);
    QCOMPARE(g_pairingActive.load(), !selectionBack);
    QCOMPARE(g_deviceSelected.load(), selectionBack ? 1 : 0);
    QCOMPARE(g_pairSelectionSuspended.load(), !selectionBack);
    QCoreApplication::processEvents(); // the queued hub signals find no dialog
}

QTEST_MAIN(TestHomePairing)
#include "test_home_pairing.moc"
