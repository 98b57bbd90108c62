// Discovery: how devices are identified against the catalogue, which of them
// are listed and in what order, the refresh of an entry's online state, and
// what a hot-plug event does beside the grid (repair indicator, repair
// dialog). Runs from a program folder of its own, so it can change its copy
// of the catalogue.
#include "home_fixture.h"

#include "config_store.h"
#include "own_program_folder.h"
#include "registry_values.h"
#include "up_date_repair.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace home;

namespace {

// The shipped catalogue and label files in this test's own program folder.
bool PrepareProgramFolder()
{
    using namespace OwnProgramFolder;
    if (!IsOwn())
        return false;
    // The pictures are only looked at, never changed.
    const QString pictures = QCoreApplication::applicationDirPath() + QStringLiteral("/Picture");
    QFile::remove(pictures);
    QFile::link(Shared() + QStringLiteral("/Picture"), pictures);
    return CopyShipped(QStringLiteral("usersetting/Config.ini"))
           && CopyShipped(QStringLiteral("Language"), QStringLiteral("*.xml"));
}

ConfigStore* Config()
{
    return ConfigStore::Instance();
}

DeviceAllInfo EntryAt(const QString& deviceId)
{
    DeviceAllInfo entry;
    entry.path = QString::fromUtf8(SimControl::devicePath(deviceId));
    return entry;
}

const QString kOneReceiver = Receiver(QStringLiteral("r4"), 4, 1);
const QString kOneCable = Mouse(QStringLiteral("orca"), 3, QString(), QStringLiteral("Version = 1.2"));

} // namespace

class TestHomeDiscovery : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void identificationQueries_data();
    void identificationQueries();
    void firstMatchingModelWins_data();
    void firstMatchingModelWins();
    void emptyCatalogue();
    void listsEveryProductIdInOrder();
    void atMostFiveDevicesPerProductId();
    void refreshKeepsFoundListByPath();
    void repairIndicatorFollowsRegistry();
    void openRepairDialogChecksAgain_data();
    void openRepairDialogChecksAgain();
};

void TestHomeDiscovery::initTestCase()
{
    QVERIFY(PrepareProgramFolder());
}

void TestHomeDiscovery::cleanup()
{
    Config()->SetValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal"), QStringLiteral("4"));
    for (int n = 1; n <= 4; ++n)
        Config()->SetValue(QStringLiteral("Drive%1").arg(n), QStringLiteral("MID"), QString::number(n));
    RemoveUpdateFailInfo();
}

void TestHomeDiscovery::identificationQueries_data()
{
    QTest::addColumn<QString>("world");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("zeros");
    QTest::addColumn<int>("queries");
    QTest::addColumn<int>("modelIndex");
    QTest::addColumn<bool>("wired");
    QTest::addColumn<int>("connectionType");

    const QString r4 = QStringLiteral("r4"), orca = QStringLiteral("orca");
    QTest::newRow("answers at once") << kOneReceiver << r4 << 0 << 1 << 0 << false << 1;
    QTest::newRow("answers on the fourth query") << kOneReceiver << r4 << 3 << 4 << 0 << false << 1;
    // Nine silent answers: a tenth query is made and not looked at.
    QTest::newRow("answers on the tenth query") << kOneReceiver << r4 << 9 << 10 << 4 << false << 0;
    QTest::newRow("never answers") << kOneReceiver << r4 << 30 << 10 << 4 << false << 0;
    QTest::newRow("silent cable mouse") << kOneCable << orca << 9 << 10 << 4 << true << 0;
    QTest::newRow("cable mouse") << kOneCable << orca << 0 << 1 << 2 << true << 2;
}

void TestHomeDiscovery::identificationQueries()
{
    QFETCH(QString, world);
    QFETCH(QString, device);
    QFETCH(int, zeros);
    QFETCH(int, queries);
    QFETCH(int, modelIndex);
    QFETCH(bool, wired);
    QFETCH(int, connectionType);

    QVERIFY(LoadWorld(world));
    QVERIFY(SimControl::scriptIdentityZeros(device, zeros));
    DeviceAllInfo entry = EntryAt(device);
    QVERIFY(IdentifyHomeDevice(entry));
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbFinderC_GetDeviceInfo")), queries);
    QCOMPARE(entry.modelIndex, modelIndex);
    QCOMPARE(entry.wired, wired);
    QCOMPARE(int(entry.connectionType), connectionType);
    // Only a recognised device gets its identity written.
    QCOMPARE(int(entry.cid), modelIndex < 4 ? 23 : 0);
}

void TestHomeDiscovery::firstMatchingModelWins_data()
{
    QTest::addColumn<QList<int>>("mids");
    QTest::addColumn<int>("modelIndex");

    QTest::newRow("shipped catalogue") << QList<int>{1, 2, 3, 4} << 0;
    QTest::newRow("groups 1 and 3 share the id") << QList<int>{1, 2, 1, 4} << 0;
    QTest::newRow("groups 2 and 4 hold it") << QList<int>{7, 1, 3, 1} << 1;
    QTest::newRow("no group holds it") << QList<int>{5, 6, 7, 8} << 4;
}

void TestHomeDiscovery::firstMatchingModelWins()
{
    QFETCH(QList<int>, mids);
    QFETCH(int, modelIndex);
    for (int n = 1; n <= mids.size(); ++n)
        Config()->SetValue(QStringLiteral("Drive%1").arg(n), QStringLiteral("MID"), QString::number(mids.at(n - 1)));

    QVERIFY(LoadWorld(kOneReceiver)); // model id 1
    DeviceAllInfo entry = EntryAt(QStringLiteral("r4"));
    QVERIFY(IdentifyHomeDevice(entry));
    QCOMPARE(entry.modelIndex, modelIndex);
}

void TestHomeDiscovery::emptyCatalogue()
{
    Config()->SetValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal"), QStringLiteral("0"));
    QVERIFY(LoadWorld(kOneReceiver + Receiver(QStringLiteral("silent"), 8, 2)));
    QVERIFY(SimControl::scriptIdentityZeros(QStringLiteral("silent"), 10));

    HomeUsbChanged();
    // The answering receiver matches no model and is left out; the silent
    // one is listed as unrecognised.
    QCOMPARE(g_homeDeviceList.size(), 1);
    QCOMPARE(g_homeDeviceList.first().path, QString::fromUtf8(SimControl::devicePath(QStringLiteral("silent"))));
    QCOMPARE(g_homeDeviceList.first().modelIndex, 0);
    QCOMPARE(g_foundDeviceList.size(), 1);
}

void TestHomeDiscovery::listsEveryProductIdInOrder()
{
    // Receivers of every class and a cable mouse; the world lists the cable
    // mouse last, the scan finds it first.
    QVERIFY(LoadWorld(Receiver(QStringLiteral("r8"), 8, 2) + Receiver(QStringLiteral("r1"), 1, 1)
                      + Receiver(QStringLiteral("r2"), 2, 4) + Receiver(QStringLiteral("r4"), 4, 1) + kOneCable));
    HomeUsbChanged();

    QStringList paths;
    for (const DeviceAllInfo& entry : qAsConst(g_foundDeviceList))
        paths << entry.path;
    QStringList expected;
    for (const char* id : {"orca", "r1", "r2", "r4", "r8"})
        expected << QString::fromUtf8(SimControl::devicePath(QLatin1String(id)));
    QCOMPARE(paths, expected);
    QCOMPARE(CallArguments(QStringLiteral("UsbFinderC_FindHidDevicesByDefaultDeviceId")),
             (QStringList{QStringLiteral("0x2FE5/0x7A01"), QStringLiteral("0x2FE5/0x7B01"),
                          QStringLiteral("0x2FE5/0x7B02"), QStringLiteral("0x2FE5/0x7B04"),
                          QStringLiteral("0x2FE5/0x7B08")}));

    const DeviceAllInfo& cable = g_foundDeviceList.first();
    QCOMPARE(cable.vid, QStringLiteral("0x2FE5"));
    QCOMPARE(cable.pid, QStringLiteral("0x7A01"));
    QCOMPARE(cable.version, QStringLiteral("v1.2"));
    QVERIFY(cable.wired);
    QVERIFY(cable.online);
}

void TestHomeDiscovery::atMostFiveDevicesPerProductId()
{
    QString world;
    for (int i = 0; i < 7; ++i)
        world += Receiver(QStringLiteral("r%1").arg(i), 4, 1 + i % 4);
    QVERIFY(LoadWorld(world));
    EnumerateHomeDevices(QStringLiteral("0x2FE5"), {QStringLiteral("0x7B04")});
    QCOMPARE(g_homeDeviceList.size(), 5);
    QCOMPARE(g_foundDeviceList.size(), 5);
}

void TestHomeDiscovery::refreshKeepsFoundListByPath()
{
    // The grid has removed the receiver from the home list (its model is on
    // a cable); refreshing home entry 0 must update the cable's found entry.
    QVERIFY(LoadWorld(Receiver(QStringLiteral("r4"), 4, 3) + Mouse(QStringLiteral("orca"), 3, QStringLiteral("r4"),
                                                                    QStringLiteral("OnCable = true"))));
    DeviceAllInfo receiver = EntryAt(QStringLiteral("r4"));
    DeviceAllInfo cable = EntryAt(QStringLiteral("orca"));
    QVERIFY(IdentifyHomeDevice(receiver));
    QVERIFY(IdentifyHomeDevice(cable));
    g_foundDeviceList = {receiver, cable};
    g_homeDeviceList = {cable};

    QVERIFY(RefreshDeviceOnline(0));
    QCOMPARE(g_foundDeviceList.size(), 2);
    QCOMPARE(g_foundDeviceList.at(0).path, receiver.path);
    QVERIFY(g_foundDeviceList.at(0).receiverAddress.isEmpty());
    QCOMPARE(g_foundDeviceList.at(1).path, cable.path);
    const QByteArray address = SimControl::receiverAddress(QStringLiteral("r4"));
    QCOMPARE(g_foundDeviceList.at(1).receiverAddress,
             (QList<uint8_t>{uint8_t(address[0]), uint8_t(address[1]), uint8_t(address[2])}));
    QCOMPARE(g_homeDeviceList.at(0).receiverAddress, g_foundDeviceList.at(1).receiverAddress);

    QVERIFY(!RefreshDeviceOnline(1)); // outside the list: nothing changes
    QCOMPARE(g_homeDeviceList.size(), 1);
}

void TestHomeDiscovery::repairIndicatorFollowsRegistry()
{
    QVERIFY(LoadWorld(kOneReceiver));
    SetUpdateFailInfo(211, 4, 23, 1);
    DialogChange page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto* repair = page.findChild<QPushButton*>(QStringLiteral("Repair"));
    auto* hint = page.findChild<QLabel*>(QStringLiteral("label_2"));
    QVERIFY(repair && hint);
    QVERIFY(repair->isVisible());
    HomeUsbChanged();
    QVERIFY(repair->isVisible());
    QCOMPARE(hint->text(), QStringLiteral("A firmware update was interrupted. Click the repair button to restore your "
                                          "device."));

    // Enter opens the repair dialog over the page, asking it to check.
    UpDateRepair dialog;
    UpDateRepair* const previous = g_upDateRepair;
    g_upDateRepair = &dialog;
    QSignalSpy checks(PostMsg::GetInstance(), SIGNAL(SigRepairCheckUpdate()));
    emit PostMsg::GetInstance()->SigEnterKey();
    g_upDateRepair = previous;
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.isModal());
    QCOMPARE(checks.count(), 1);
    QCOMPARE(dialog.pos(), page.mapToGlobal(QPoint((page.width() - dialog.width()) / 2,
                                                   (page.height() - dialog.height()) / 2)));
    dialog.hide();

    // The repair engine reports the repair done.
    emit PostMsg::GetInstance()->SigUpDateButton(true);
    QVERIFY(!repair->isVisible());
    QCOMPARE(hint->text(), QStringLiteral("Please connect your gaming device"));

    RemoveUpdateFailInfo();
    HomeUsbChanged();
    QVERIFY(!repair->isVisible());
    QCOMPARE(hint->text(), QStringLiteral("Please connect your gaming device"));
}

void TestHomeDiscovery::openRepairDialogChecksAgain_data()
{
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("flashing");
    QTest::addColumn<int>("checks");

    QTest::newRow("open and idle") << true << false << 1;
    QTest::newRow("open and flashing") << true << true << 0;
    QTest::newRow("hidden") << false << false << 0;
}

void TestHomeDiscovery::openRepairDialogChecksAgain()
{
    QFETCH(bool, visible);
    QFETCH(bool, flashing);
    QFETCH(int, checks);

    QVERIFY(LoadWorld(kOneReceiver));
    UpDateRepair repair;
    UpDateRepair* const previous = g_upDateRepair;
    g_upDateRepair = &repair;
    repair.setVisible(visible);
    g_repairRunning = flashing;
    QSignalSpy spy(PostMsg::GetInstance(), SIGNAL(SigRepairCheckUpdate()));
    HomeUsbChanged();
    g_upDateRepair = previous;
    g_repairRunning = false;
    QCOMPARE(spy.count(), checks);
}

QTEST_MAIN(TestHomeDiscovery)
#include "test_home_discovery.moc"
