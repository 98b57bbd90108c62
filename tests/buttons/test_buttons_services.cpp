// The button page's widget-free services: the catalogue-driven device scan
// and the per-key state files of the MainPage folder.
#include "library_calls.h"
#include "program_state.h"

#include "button_page_services.h"
#include "config_store.h"

#include <devicelib_control.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

class TestButtonsServices : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void readsAStateFile_data();
    void readsAStateFile();
    void missingStateFileRestoresNothing();

    void scanProbesEveryConfiguredProductId();
    void scanWithoutProductIdsCallsNothing();

private:
    QTemporaryDir m_dir;
};

void TestButtonsServices::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(SimControl::loadWorldFile(SimControl::defaultWorldPath()));
}

void TestButtonsServices::readsAStateFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("topScroll"); // -1: the top menu does not move
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("listScroll");

    QTest::newRow("top item") << QByteArray("3\n") << "BackKey_2" << 45 << "" << 0;
    QTest::newRow("first top item, no line feed") << QByteArray("0") << "LeftKey_3" << 0 << "" << 0;
    QTest::newRow("last top item") << QByteArray("9\n") << "DPI_5" << 135 << "" << 0;
    QTest::newRow("past the top items") << QByteArray("10\n") << "" << 150 << "" << 0;
    QTest::newRow("negative") << QByteArray("-1\n") << "" << -15 << "" << 0;
    QTest::newRow("no number") << QByteArray("abc\n") << "LeftKey_3" << 0 << "" << 0;
    QTest::newRow("tilt") << QByteArray("10,1\n") << "VolumeDown_2" << 150 << "" << 0;
    QTest::newRow("lights") << QByteArray("12,3\n") << "VolumeUp_7" << 180 << "" << 0;
    QTest::newRow("lights past the end") << QByteArray("12,4\n") << "" << 180 << "" << 0;
    QTest::newRow("DPI switch") << QByteArray("13,2\n") << "VolumeUp_10" << 195 << "" << 0;
    QTest::newRow("multimedia") << QByteArray("14,5\n") << "VolumeUp" << 210 << "scrollArea_3" << 75;
    QTest::newRow("last multimedia") << QByteArray("14,17\n") << "VolumeDown_11" << 210 << "scrollArea_3" << 255;
    QTest::newRow("multimedia past the end") << QByteArray("14,20\n") << "" << 210 << "scrollArea_3" << 300;
    QTest::newRow("DPI lock") << QByteArray("15,0\n") << "VolumeUp_11" << 225 << "scrollArea_10" << 0;
    QTest::newRow("last DPI lock") << QByteArray("15,11\n") << "VolumeUp_21" << 225 << "scrollArea_10" << 165;
    QTest::newRow("no such sub-menu") << QByteArray("11,0\n") << "" << 165 << "" << 0;
    QTest::newRow("empty second part") << QByteArray("3,\n") << "" << 45 << "" << 0;
    QTest::newRow("three parts") << QByteArray("1,2,3\n") << "" << -1 << "" << 0;
    QTest::newRow("empty first line") << QByteArray("\n3\n") << "" << -1 << "" << 0;
    QTest::newRow("top item beyond int scroll") << QByteArray("999999999\n") << "" << INT_MAX << "" << 0;
    QTest::newRow("negative top item beyond int scroll") << QByteArray("-999999999\n") << "" << INT_MIN << "" << 0;
    QTest::newRow("list item beyond int scroll") << QByteArray("14,999999999\n") << "" << 210 << "scrollArea_3"
                                                 << INT_MAX;
    QTest::newRow("only the first line counts") << QByteArray("2\n14,5\n") << "MidKey" << 30 << "" << 0;
}

void TestButtonsServices::readsAStateFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, item);
    QFETCH(int, topScroll);
    QFETCH(QString, list);
    QFETCH(int, listScroll);

    const QString path = m_dir.filePath(QStringLiteral("2.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();

    const MainPageState state = ReadMainPageState(path);
    QCOMPARE(state.itemName, item);
    QCOMPARE(state.scrollsTopMenu, topScroll != -1);
    if (state.scrollsTopMenu)
        QCOMPARE(state.topMenuScroll, topScroll);
    QCOMPARE(state.listName, list);
    if (!list.isEmpty())
        QCOMPARE(state.listScroll, listScroll);
}

void TestButtonsServices::missingStateFileRestoresNothing()
{
    const MainPageState state = ReadMainPageState(m_dir.filePath(QStringLiteral("missing.ini")));
    QVERIFY(state.itemName.isEmpty());
    QVERIFY(!state.scrollsTopMenu);
    QVERIFY(state.listName.isEmpty());
}

// One search per configured product id, in the catalogue's order; each found
// device's version and identity asked once; no list of the program changes.
void TestButtonsServices::scanProbesEveryConfiguredProductId()
{
    ResetProgramState();
    SimControl::clearCallLog();
    FindConfiguredDevices();

    ConfigStore* config = ConfigStore::Instance();
    const QString vid = config->Value(QStringLiteral("Option"), QStringLiteral("VID"));
    QStringList searches;
    for (const char* key : {"USB_PID", "Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID"}) {
        for (const QString& pid : config->ValueList(QStringLiteral("Option"), QLatin1String(key)))
            searches << vid + QLatin1Char('/') + pid;
    }
    QCOMPARE(searches.size(), 5);
    QCOMPARE(CallArguments(QStringLiteral("UsbFinderC_FindHidDevicesByDefaultDeviceId")), searches);

    // The default world lists a cable mouse and two receivers.
    QStringList listed;
    for (const QString& id : {QStringLiteral("orca"), QStringLiteral("aero-r4"), QStringLiteral("lynx-r8")})
        listed << QString::fromLatin1(SimControl::devicePath(id));
    QCOMPARE(CallArguments(QStringLiteral("UsbFinderC_GetDeviceInfo")), listed);
    QCOMPARE(CallArguments(QStringLiteral("UsbFinderC_GetUsbDeviceAttribute")), listed);

    QVERIFY(g_homeDeviceList.isEmpty());
    QVERIFY(g_devicePageList.isEmpty());
    QVERIFY(g_foundDeviceList.isEmpty());
}

void TestButtonsServices::scanWithoutProductIdsCallsNothing()
{
    SimControl::clearCallLog();
    ProbeDevicesByIds(QStringLiteral("0x2FE5"), {});
    QVERIFY(SimControl::callLog().isEmpty());
}

QTEST_MAIN(TestButtonsServices)
#include "test_buttons_services.moc"
