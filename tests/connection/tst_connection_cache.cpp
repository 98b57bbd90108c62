// The device-image cache: file layout, round trip, and files that must not
// reach the image.
#include "device_cache.h"
#include "paths.h"
#include "test_image.h"

#include <QtTest>

#include <cstring>

namespace {

QByteArray Prefix(quint32 length)
{
    QByteArray bytes;
    QDataStream(&bytes, QIODevice::WriteOnly) << length;
    return bytes;
}

bool WriteRaw(const QString& name, const QByteArray& content)
{
    QFile file(DeviceCachePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestConnectionCache : public QObject {
    Q_OBJECT
private slots:
    void init();
    void roundTripKeepsEveryByte();
    void fileLayout();
    void rejectedFiles_data();
    void rejectedFiles();
    void rewriteReplacesWholeFile();
    void writeWithoutFolderOrName();
};

void TestConnectionCache::init()
{
    QDir(UserDataFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(UserDataFolder() + QStringLiteral("/Device_Info")));
}

void TestConnectionCache::roundTripKeepsEveryByte()
{
    const QString name = DeviceCacheName(0x17, 0x01);
    const FlashDataMap written = SeededImage(7);
    QVERIFY(WriteDeviceCache(name, written));
    FlashDataMap read = SeededImage(99);
    QVERIFY(ReadDeviceCache(name, read));
    QCOMPARE(ImageBytes(read), ImageBytes(written));
}

void TestConnectionCache::fileLayout()
{
    const QString name = DeviceCacheName(0x00, 0xAB);
    QCOMPARE(name, QStringLiteral("Device_CID00_MIDAB.bin"));
    QVERIFY(WriteDeviceCache(name, SeededImage(3)));
    QFile file(UserDataFolder() + QStringLiteral("/Device_Info/Device_CID00_MIDAB.bin"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QCOMPARE(content.size(), 10432);
    QCOMPARE(content.left(4), QByteArray::fromHex("000028BC"));
    QCOMPARE(content.mid(4), ImageBytes(SeededImage(3)));
}

// A file the program did not write as one image leaves the image untouched.
void TestConnectionCache::rejectedFiles_data()
{
    const QByteArray image = ImageBytes(SeededImage(5));
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << false << QByteArray();
    QTest::newRow("empty") << true << QByteArray();
    QTest::newRow("prefix only") << true << Prefix(10428);
    QTest::newRow("cut short") << true << Prefix(10428) + image.left(10000);
    QTest::newRow("one byte long") << true << Prefix(10428) + image + QByteArray(1, 'x');
    QTest::newRow("long array") << true << Prefix(20000) + image + image;
    QTest::newRow("short array") << true << Prefix(100) + image.left(100);
    QTest::newRow("right size, wrong prefix") << true << Prefix(10427) + image;
    QTest::newRow("right size, null array") << true << Prefix(0xFFFFFFFF) + image;
    QTest::newRow("image without prefix") << true << image + QByteArray(4, '\0');
}

void TestConnectionCache::rejectedFiles()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    const QString name = DeviceCacheName(1, 2);
    if (exists)
        QVERIFY(WriteRaw(name, content));
    const FlashDataMap before = SeededImage(42);
    FlashDataMap image = before;
    QVERIFY(!ReadDeviceCache(name, image));
    QCOMPARE(ImageBytes(image), ImageBytes(before));
}

void TestConnectionCache::rewriteReplacesWholeFile()
{
    const QString name = DeviceCacheName(0x17, 0x02);
    QVERIFY(WriteRaw(name, QByteArray(20000, 'z'))); // a damaged longer file
    QVERIFY(WriteDeviceCache(name, SeededImage(1)));
    QVERIFY(WriteDeviceCache(name, SeededImage(2)));
    FlashDataMap read;
    QVERIFY(ReadDeviceCache(name, read));
    QCOMPARE(ImageBytes(read), ImageBytes(SeededImage(2)));
    QCOMPARE(QFileInfo(DeviceCachePath(name)).size(), qint64(10432));
    // Only the cache file itself: no temporary file is left beside it.
    QCOMPARE(QDir(UserDataFolder() + QStringLiteral("/Device_Info")).entryList(QDir::Files | QDir::Hidden),
             QStringList{name});
}

// Before the first dump the name is empty: the save names the folder itself.
void TestConnectionCache::writeWithoutFolderOrName()
{
    QVERIFY(!WriteDeviceCache(QString(), SeededImage(1)));
    FlashDataMap image = SeededImage(9);
    QVERIFY(!ReadDeviceCache(QString(), image));
    QCOMPARE(ImageBytes(image), ImageBytes(SeededImage(9)));

    QVERIFY(QDir(UserDataFolder() + QStringLiteral("/Device_Info")).removeRecursively());
    QVERIFY(!WriteDeviceCache(DeviceCacheName(1, 1), SeededImage(1)));
    QVERIFY(!QFileInfo::exists(DeviceCachePath(DeviceCacheName(1, 1))));
}

QTEST_GUILESS_MAIN(TestConnectionCache)
#include "tst_connection_cache.moc"
