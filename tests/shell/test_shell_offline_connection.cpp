// The connection itself lost: the mouse falls asleep while it is read for
// the device window, or falls asleep during a burst of settings and its
// receiver (1K, whose connection type is 0, and 4K) is pulled out while the
// offline notice is up.
#include "offline_fixture.h"

using namespace Offline;

class TestShellOfflineConnection : public QObject {
    Q_OBJECT
private slots:
    void init() { m_scenario.Init(); }
    void cleanup() { m_scenario.Cleanup(); }

    void asleepWhileRead();
    void receiverPulledOut_data();
    void receiverPulledOut();

private:
    Scenario m_scenario;
};

void TestShellOfflineConnection::asleepWhileRead()
{
    m_scenario.Run(1, Flow::Selection, QStringLiteral("UsbServer_ReadAllFlashData"), 1, Fault::Sleep);
}

void TestShellOfflineConnection::receiverPulledOut_data()
{
    QTest::addColumn<int>("receiverClass");
    QTest::newRow("1K receiver") << 1;
    QTest::newRow("4K receiver") << 4;
}

void TestShellOfflineConnection::receiverPulledOut()
{
    QFETCH(int, receiverClass);
    m_scenario.Run(receiverClass, Flow::SettingBurst, QStringLiteral("ProtocolDataUpdate"), 2, Fault::Unplug);
}

QTEST_MAIN(TestShellOfflineConnection)
#include "test_shell_offline_connection.moc"
