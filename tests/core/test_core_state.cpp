// Device records, the shared helpers and the start values of the program-wide
// state.
#include "app_state.h"
#include "device_cache.h"
#include "paths.h"

#include <QtTest>

#include <atomic>
#include <thread>

class TestCoreState : public QObject {
    Q_OBJECT
private slots:
    void startValues();
    void defaultRecord();
    void copiesAreIndependent();
    void wiredConnection_data();
    void wiredConnection();
    void versionText_data();
    void versionText();
    void cacheName_data();
    void cacheName();
    void folders();
    void devicePathReadersAlwaysSeeWholeText();
};

void TestCoreState::startValues()
{
    QCOMPARE(g_appName, QStringLiteral("Quorix One"));
    QVERIFY(g_deviceAccessAllowed.load());
    QVERIFY(!g_sendEnabled.load());
    QVERIFY(!g_workerRun.load());
    QCOMPARE(g_deviceSelected.load(), 0);
    QVERIFY(g_devicePath.isEmpty());
    QCOMPARE(g_devicePath.bytes(), QByteArray());
    QVERIFY(g_cacheNameOnSelect.isEmpty());
    QVERIFY(g_wiredModeText.isEmpty());
    for (int i = 0; i < FlashDataMap::Size; ++i)
        QCOMPARE(int(g_deviceImage.at(i)), 0);
    for (uint8_t byte : g_dongleRgb.bytes)
        QCOMPARE(int(byte), 0);
}

void TestCoreState::defaultRecord()
{
    const DeviceAllInfo info;
    QCOMPARE(info.path, QString());
    QCOMPARE(info.vid, QStringLiteral("0"));
    QCOMPARE(info.pid, QStringLiteral("0"));
    QCOMPARE(int(info.cid), 0);
    QCOMPARE(int(info.mid), 0);
    QCOMPARE(int(info.connectionType), 0);
    QCOMPARE(info.modelIndex, 0);
    QVERIFY(!info.online);
    QVERIFY(!info.wired);
    QVERIFY(info.version.isEmpty());
    QVERIFY(info.mouseVersion.isEmpty());
    QVERIFY(info.receiverAddress.isEmpty());
}

void TestCoreState::copiesAreIndependent()
{
    DeviceAllInfo first;
    first.path = QStringLiteral("sim://receiver/1");
    first.receiverAddress = {0x11, 0x22, 0x33};
    first.mouseVersion = QStringLiteral("v1.2");

    DeviceAllInfo copy = first;
    QCOMPARE(copy.receiverAddress, (QList<uint8_t>{0x11, 0x22, 0x33}));
    copy.receiverAddress[0] = 0x99;
    copy.receiverAddress.append(0x44);
    copy.path.append(QStringLiteral("/changed"));
    copy.mouseVersion = QStringLiteral("v9.9");

    QCOMPARE(first.receiverAddress, (QList<uint8_t>{0x11, 0x22, 0x33}));
    QCOMPARE(first.path, QStringLiteral("sim://receiver/1"));
    QCOMPARE(first.mouseVersion, QStringLiteral("v1.2"));

    DeviceAllInfo assigned;
    assigned = first;
    first.receiverAddress.clear();
    QCOMPARE(assigned.receiverAddress.size(), 3);
}

void TestCoreState::wiredConnection_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("wired");
    QTest::addColumn<int>("receiverClass");
    QTest::newRow("1K receiver") << 0 << false << 1;
    QTest::newRow("4K receiver") << 1 << false << 4;
    QTest::newRow("2K receiver") << 4 << false << 2;
    QTest::newRow("8K receiver") << 5 << false << 8;
    QTest::newRow("cable") << 2 << true << 0;
    QTest::newRow("3") << 3 << true << 0;
    QTest::newRow("6") << 6 << true << 0;
    QTest::newRow("255") << 255 << true << 0;
}

void TestCoreState::wiredConnection()
{
    QFETCH(int, type);
    QFETCH(bool, wired);
    QFETCH(int, receiverClass);
    QCOMPARE(IsWiredConnection(type), wired);
    QCOMPARE(ReceiverClassOf(type), receiverClass);
}

void TestCoreState::versionText_data()
{
    QTest::addColumn<unsigned>("version");
    QTest::addColumn<QString>("text");
    QTest::newRow("0x0203") << 0x0203u << "v2.3";
    QTest::newRow("0x00FF") << 0x00FFu << "v0.ff";
    QTest::newRow("0x0110") << 0x0110u << "v1.10";
    QTest::newRow("0x010A") << 0x010Au << "v1.a";
    QTest::newRow("0x0105") << 0x0105u << "v1.5";
    QTest::newRow("zero") << 0u << "v0.0";
}

void TestCoreState::versionText()
{
    QFETCH(unsigned, version);
    QFETCH(QString, text);
    QCOMPARE(VersionText(version), text);
}

void TestCoreState::cacheName_data()
{
    QTest::addColumn<int>("cid");
    QTest::addColumn<int>("mid");
    QTest::addColumn<QString>("name");
    QTest::newRow("05/1A") << 0x05 << 0x1A << "Device_CID05_MID1A.bin";
    QTest::newRow("00/AB") << 0x00 << 0xAB << "Device_CID00_MIDAB.bin";
    QTest::newRow("23/01") << 23 << 1 << "Device_CID17_MID01.bin";
    QTest::newRow("FF/FF") << 0xFF << 0xFF << "Device_CIDFF_MIDFF.bin";
}

void TestCoreState::cacheName()
{
    QFETCH(int, cid);
    QFETCH(int, mid);
    QFETCH(QString, name);
    QCOMPARE(DeviceCacheName(uint8_t(cid), uint8_t(mid)), name);
}

void TestCoreState::folders()
{
    QCOMPARE(UserDataFolder(), QDir::homePath() + "/AppData/Local/Quorix One");
    QCOMPARE(AppFolder(), QCoreApplication::applicationDirPath());
    QCOMPARE(PictureFolder("Sensor"), QCoreApplication::applicationDirPath() + "/Picture/Sensor/");
}

// The user-interface thread replaces the path while other threads hand it to
// the library: a reader gets one whole text or the other, never a freed one.
void TestCoreState::devicePathReadersAlwaysSeeWholeText()
{
    const QByteArray a(200, 'a');
    const QByteArray b = QByteArray("sim://mouse/") + QByteArray(300, 'b');
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    auto reader = [&] {
        while (!stop) {
            const QByteArray path = g_devicePath.bytes();
            const char* text = path.constData();
            const size_t length = qstrlen(text);
            if (!(length == 0 || (length == size_t(a.size()) && text == a)
                  || (length == size_t(b.size()) && text == b)))
                ++bad;
        }
    };
    std::thread first(reader);
    std::thread second(reader);
    for (int i = 0; i < 20000; ++i)
        g_devicePath.set(i % 2 ? a : b);
    stop = true;
    first.join();
    second.join();
    g_devicePath.set(QByteArray());
    QCOMPARE(bad.load(), 0);
}

QTEST_GUILESS_MAIN(TestCoreState)
#include "test_core_state.moc"
