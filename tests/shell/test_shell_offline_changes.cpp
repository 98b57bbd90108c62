// Changes the mouse may not take: it falls asleep while a burst of settings,
// a macro, an imported configuration or a factory reset is on its way.
#include "offline_fixture.h"

using namespace Offline;

class TestShellOfflineChanges : public QObject {
    Q_OBJECT
private slots:
    void init() { m_scenario.Init(); }
    void cleanup() { m_scenario.Cleanup(); }

    void asleepDuringAChange_data();
    void asleepDuringAChange();

private:
    Scenario m_scenario;
};

void TestShellOfflineChanges::asleepDuringAChange_data()
{
    QTest::addColumn<int>("receiverClass");
    QTest::addColumn<Flow>("flow");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<int>("calls");

    const QString send = QStringLiteral("ProtocolDataUpdate");
    QTest::newRow("setting burst, after the second") << 1 << Flow::SettingBurst << send << 2;
    QTest::newRow("macro transfer") << 1 << Flow::MacroTransfer << send << 1;
    QTest::newRow("import") << 4 << Flow::Import << send << 1;
    QTest::newRow("factory reset, after the command")
        << 4 << Flow::Reset << QStringLiteral("UsbServer_SetClearSetting") << 1;
}

void TestShellOfflineChanges::asleepDuringAChange()
{
    QFETCH(int, receiverClass);
    QFETCH(Flow, flow);
    QFETCH(QString, trigger);
    QFETCH(int, calls);
    m_scenario.Run(receiverClass, flow, trigger, calls, Fault::Sleep);
}

QTEST_MAIN(TestShellOfflineChanges)
#include "test_shell_offline_changes.moc"
