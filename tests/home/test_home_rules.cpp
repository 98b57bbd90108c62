// The home page's rules without widgets or devices: counting and duplicates,
// the wired-over-wireless rule, grid positions, badges and the click routes.
#include "dialog_change_rules.h"

#include <QTest>

using namespace HomeRules;

Q_DECLARE_METATYPE(QList<DeviceAllInfo>)

namespace {

const QString kPid1K = QStringLiteral("0x7B01");
const QString kPid2K = QStringLiteral("0x7B02");
const QString kPid4K = QStringLiteral("0x7B04");
const QString kPid8K = QStringLiteral("0x7B08");
const QString kPidCable = QStringLiteral("0x7A01");

ReceiverPids Pids()
{
    ReceiverPids pids;
    pids.pid1K = QStringList{kPid1K};
    pids.pid2K = QStringList{kPid2K};
    pids.pid4K = QStringList{kPid4K};
    pids.pid8K = QStringList{kPid8K};
    return pids;
}

DeviceAllInfo Entry(const QString& path, const QString& pid, int modelIndex, bool wired)
{
    DeviceAllInfo entry;
    entry.path = path;
    entry.pid = pid;
    entry.modelIndex = modelIndex;
    entry.wired = wired;
    return entry;
}

DeviceAllInfo Cable(const QString& path, int model) { return Entry(path, kPidCable, model, true); }
DeviceAllInfo Wireless(const QString& path, const QString& pid, int model) { return Entry(path, pid, model, false); }

QStringList Paths(const QList<DeviceAllInfo>& list)
{
    QStringList paths;
    for (const DeviceAllInfo& entry : list)
        paths << entry.path;
    return paths;
}

} // namespace

class TestHomeRules : public QObject {
    Q_OBJECT
private slots:
    void productIdsKeepOrderAndSkipEmpties();
    void kinds();
    void duplicates_data();
    void duplicates();
    void tableFollowsCatalogueSize();
    void wiredOverWireless_data();
    void wiredOverWireless();
    void gridSlots_data();
    void gridSlots();
    void badges_data();
    void badges();
    void clickRoutes_data();
    void clickRoutes();
    void repairActions_data();
    void repairActions();
};

void TestHomeRules::productIdsKeepOrderAndSkipEmpties()
{
    const QVector<QString> pids = ProductIdSequence(
        {{kPidCable, QString()}, {QString(), kPid1K}, {}, {kPid4K, kPid4K}, {kPid8K}});
    QCOMPARE(pids, (QVector<QString>{kPidCable, kPid1K, kPid4K, kPid4K, kPid8K}));
}

void TestHomeRules::kinds()
{
    const ReceiverPids pids = Pids();
    QCOMPARE(KindOf(Cable(QStringLiteral("a"), 0), pids), int(KindCable));
    QCOMPARE(KindOf(Wireless(QStringLiteral("a"), kPid1K, 0), pids), int(Kind1K));
    QCOMPARE(KindOf(Wireless(QStringLiteral("a"), kPid8K, 0), pids), int(Kind8K));
    // Exact, case-sensitive match; no list: not counted.
    QCOMPARE(KindOf(Wireless(QStringLiteral("a"), QStringLiteral("0x7b04"), 0), pids), -1);
    QCOMPARE(KindOf(Wireless(QStringLiteral("a"), kPidCable, 0), pids), -1);
    // A PID in two lists belongs to the first of 1K, 2K, 4K, 8K.
    ReceiverPids shared = pids;
    shared.pid2K << kPid8K;
    QCOMPARE(KindOf(Wireless(QStringLiteral("a"), kPid8K, 0), shared), int(Kind2K));
}

void TestHomeRules::duplicates_data()
{
    QTest::addColumn<QList<DeviceAllInfo>>("list");
    QTest::addColumn<bool>("duplicate");

    const QString a = QStringLiteral("a"), b = QStringLiteral("b"), c = QStringLiteral("c");
    QTest::newRow("two 1K receivers of one model")
        << QList<DeviceAllInfo>{Wireless(a, kPid1K, 0), Wireless(b, kPid1K, 0)} << true;
    QTest::newRow("1K and 4K receiver of one model")
        << QList<DeviceAllInfo>{Wireless(a, kPid1K, 0), Wireless(b, kPid4K, 0)} << false;
    QTest::newRow("two 1K receivers of two models")
        << QList<DeviceAllInfo>{Wireless(a, kPid1K, 0), Wireless(b, kPid1K, 1)} << false;
    QTest::newRow("two cables of one model and a receiver")
        << QList<DeviceAllInfo>{Cable(a, 2), Cable(b, 2), Wireless(c, kPid4K, 2)} << true;
    QTest::newRow("two unrecognised receivers") << QList<DeviceAllInfo>{Wireless(a, kPid4K, 4), Wireless(b, kPid4K, 4)}
                                                 << true;
    QTest::newRow("two receivers in no list")
        << QList<DeviceAllInfo>{Wireless(a, kPidCable, 0), Wireless(b, kPidCable, 0)} << false;
}

void TestHomeRules::duplicates()
{
    QFETCH(QList<DeviceAllInfo>, list);
    QFETCH(bool, duplicate);
    DeviceCountTable table(4);
    for (const DeviceAllInfo& entry : list)
        table.Add(entry, Pids());
    QCOMPARE(table.HasDuplicate(), duplicate);
}

void TestHomeRules::tableFollowsCatalogueSize()
{
    // A catalogue of 20 models: model 19 and the unrecognised column 20 are
    // counted in cells of their own; nothing beyond the table is touched.
    DeviceCountTable table(20);
    QCOMPARE(table.Columns(), 21);
    table.Add(Wireless(QStringLiteral("a"), kPid8K, 19), Pids());
    table.Add(Wireless(QStringLiteral("b"), kPid8K, 20), Pids());
    table.Add(Wireless(QStringLiteral("c"), kPid8K, 21), Pids()); // outside: not counted
    table.Add(Wireless(QStringLiteral("d"), kPid8K, -1), Pids());
    QCOMPARE(table.Count(Kind8K, 19), 1);
    QCOMPARE(table.Count(Kind8K, 20), 1);
    QCOMPARE(table.Count(Kind8K, 21), 0);
    QVERIFY(!table.HasDuplicate());
    table.Add(Wireless(QStringLiteral("e"), kPid8K, 20), Pids());
    QVERIFY(table.HasDuplicate());

    // An empty catalogue still counts its unrecognised devices.
    DeviceCountTable empty(0);
    empty.Add(Cable(QStringLiteral("a"), 0), Pids());
    empty.Add(Cable(QStringLiteral("b"), 0), Pids());
    QVERIFY(empty.HasDuplicate());
}

void TestHomeRules::wiredOverWireless_data()
{
    QTest::addColumn<QList<DeviceAllInfo>>("list");
    QTest::addColumn<QStringList>("shown");

    const QString cable = QStringLiteral("cable"), r1 = QStringLiteral("r1"), r4 = QStringLiteral("r4");
    QTest::newRow("cable hides its model's receivers")
        << QList<DeviceAllInfo>{Wireless(r1, kPid1K, 0), Cable(cable, 0), Wireless(r4, kPid4K, 0)}
        << QStringList{cable};
    QTest::newRow("another model's receiver stays")
        << QList<DeviceAllInfo>{Cable(cable, 0), Wireless(r4, kPid4K, 1)} << QStringList{cable, r4};
    QTest::newRow("receiver in no list of the cable's model goes too")
        << QList<DeviceAllInfo>{Cable(cable, 1), Wireless(r4, kPidCable, 1)} << QStringList{cable};
    QTest::newRow("unrecognised devices are left alone")
        << QList<DeviceAllInfo>{Cable(cable, 4), Wireless(r4, kPid4K, 4)} << QStringList{cable, r4};
    QTest::newRow("no cable") << QList<DeviceAllInfo>{Wireless(r1, kPid1K, 0), Wireless(r4, kPid4K, 0)}
                              << QStringList{r1, r4};
}

void TestHomeRules::wiredOverWireless()
{
    QFETCH(QList<DeviceAllInfo>, list);
    QFETCH(QStringList, shown);
    DeviceCountTable table(4);
    for (const DeviceAllInfo& entry : list)
        table.Add(entry, Pids());
    ApplyWiredOverWireless(list, table, 4);
    QCOMPARE(Paths(list), shown);
}

void TestHomeRules::gridSlots_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<QList<int>>("buttonX");
    QTest::addColumn<QList<int>>("markerX");
    QTest::addColumn<QList<int>>("badgeX");

    QTest::newRow("1") << 1 << QList<int>{0} << QList<int>{305} << QList<int>{530} << QList<int>{312};
    QTest::newRow("3") << 3 << QList<int>{0, 0, 0} << QList<int>{0, 300, 600} << QList<int>{225, 525, 825}
                       << QList<int>{7, 307, 607};
    QTest::newRow("4") << 4 << QList<int>{0, 0, 0, 1} << QList<int>{0, 300, 600, 305}
                       << QList<int>{225, 525, 825, 530} << QList<int>{7, 307, 607, 312};
    QTest::newRow("5") << 5 << QList<int>{0, 0, 0, 1, 1} << QList<int>{0, 300, 600, 135, 445}
                       << QList<int>{225, 525, 825, 360, 665} << QList<int>{7, 307, 607, 142, 452};
    QTest::newRow("7") << 7 << QList<int>{0, 0, 0, 1, 1, 1, 2} << QList<int>{0, 300, 600, 0, 300, 600, 305}
                       << QList<int>{225, 525, 825, 225, 525, 825, 530} << QList<int>{7, 307, 607, 7, 307, 607, 312};
}

void TestHomeRules::gridSlots()
{
    QFETCH(int, count);
    QFETCH(QList<int>, pages);
    QFETCH(QList<int>, buttonX);
    QFETCH(QList<int>, markerX);
    QFETCH(QList<int>, badgeX);

    QCOMPARE(PageCount(count), pages.last() + 1);
    for (int i = 0; i < count; ++i) {
        const GridSlot slot = SlotOf(i, count);
        QCOMPARE(slot.page, pages.at(i));
        QCOMPARE(slot.buttonX, buttonX.at(i));
        QCOMPARE(slot.markerX, markerX.at(i));
        QCOMPARE(slot.badgeX, badgeX.at(i));
        QCOMPARE(slot.aloneOnLastPage, count % 3 == 1 && i == count - 1);
    }
    QCOMPARE(PageCount(0), 0);
}

void TestHomeRules::badges_data()
{
    QTest::addColumn<QString>("pid");
    QTest::addColumn<bool>("lastPage");
    QTest::addColumn<QString>("picture");

    QTest::newRow("1K") << kPid1K << false << QStringLiteral("1KHz.png");
    QTest::newRow("2K") << kPid2K << false << QStringLiteral("2KHz.png");
    QTest::newRow("4K") << kPid4K << true << QStringLiteral("4KHz.png");
    QTest::newRow("8K") << kPid8K << true << QStringLiteral("8KHz.png");
    QTest::newRow("cable") << kPidCable << false << QString();
    // One id in the 1K and the 8K list: full pages try 1K first, the last page 8K.
    QTest::newRow("shared id, full page") << QStringLiteral("0x7BFF") << false << QStringLiteral("1KHz.png");
    QTest::newRow("shared id, last page") << QStringLiteral("0x7BFF") << true << QStringLiteral("8KHz.png");
}

void TestHomeRules::badges()
{
    QFETCH(QString, pid);
    QFETCH(bool, lastPage);
    QFETCH(QString, picture);
    ReceiverPids pids = Pids();
    pids.pid1K << QStringLiteral("0x7BFF");
    pids.pid8K << QStringLiteral("0x7BFF");
    QCOMPARE(RateBadgePicture(pid, pids, lastPage), picture);
}

void TestHomeRules::clickRoutes_data()
{
    QTest::addColumn<int>("listSize");
    QTest::addColumn<bool>("sameIdentity");
    QTest::addColumn<bool>("online");
    QTest::addColumn<bool>("otherOnline");
    QTest::addColumn<bool>("unrecognised");
    QTest::addColumn<bool>("wired");
    QTest::addColumn<int>("route");

    const int repair = int(ClickRoute::Repair), ignore = int(ClickRoute::Ignore), select = int(ClickRoute::Select);
    QTest::newRow("known device") << 1 << false << true << false << false << false << select;
    QTest::newRow("two listings, clicked one offline") << 2 << true << false << true << false << false << repair;
    QTest::newRow("two listings, clicked one online") << 2 << true << true << false << false << false << select;
    QTest::newRow("two listings, both online") << 2 << true << true << true << false << false << select;
    QTest::newRow("two listings, both offline") << 2 << true << false << false << false << false << select;
    QTest::newRow("two models, clicked one offline") << 2 << false << false << true << false << false << select;
    QTest::newRow("three entries") << 3 << true << false << true << false << false << select;
    QTest::newRow("unrecognised receiver") << 1 << false << false << false << true << false << repair;
    QTest::newRow("unrecognised cable device") << 1 << false << true << false << true << true << ignore;
    QTest::newRow("two listings beat unrecognised cable") << 2 << true << false << true << true << true << repair;
}

void TestHomeRules::clickRoutes()
{
    QFETCH(int, listSize);
    QFETCH(bool, sameIdentity);
    QFETCH(bool, online);
    QFETCH(bool, otherOnline);
    QFETCH(bool, unrecognised);
    QFETCH(bool, wired);
    QFETCH(int, route);

    ClickFacts facts;
    facts.listSize = listSize;
    facts.sameIdentityAsOther = sameIdentity;
    facts.online = online;
    facts.otherOnline = otherOnline;
    facts.unrecognised = unrecognised;
    facts.wired = wired;
    QCOMPARE(int(DecideClickRoute(facts)), route);
}

void TestHomeRules::repairActions_data()
{
    QTest::addColumn<bool>("receiverUpdate");
    QTest::addColumn<bool>("mouseUpdate");
    QTest::addColumn<int>("action");

    QTest::newRow("both") << true << true << int(RepairAction::AskThenPair);
    QTest::newRow("receiver only") << true << false << int(RepairAction::Nothing);
    QTest::newRow("mouse only") << false << true << int(RepairAction::WarnCableUpdate);
    QTest::newRow("neither") << false << false << int(RepairAction::AskThenPair);
}

void TestHomeRules::repairActions()
{
    QFETCH(bool, receiverUpdate);
    QFETCH(bool, mouseUpdate);
    QFETCH(int, action);
    QCOMPARE(int(DecideRepairAction(receiverUpdate, mouseUpdate)), action);
    QCOMPARE(ReceiverModelKey(0), QStringLiteral("DM"));
    QCOMPARE(ReceiverModelKey(4), QStringLiteral("D2M"));
    QCOMPARE(ReceiverModelKey(1), QStringLiteral("D4M"));
    QCOMPARE(ReceiverModelKey(5), QStringLiteral("D8M"));
    QCOMPARE(ReceiverModelKey(2), QString());
}

QTEST_APPLESS_MAIN(TestHomeRules)
#include "test_home_rules.moc"
