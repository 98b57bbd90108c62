// The firmware image search of the update and repair engines, and the
// update-available check of the device page.
#include "app_state.h"
#include "firmware_images.h"
#include "paths.h"
#include "program_folder.h"

#include <QtTest>

#include <sys/fsuid.h>
#include <unistd.h>

namespace {

struct ImageFile {
    QString name;
    int kind = FirmwareKindMouse;
    int cid = 23;
    int mid = 1;
    QByteArray model = "QX-AERO-M";
    quint32 version = 0x0104;
    int size = FirmwareHeaderSize + 64;
};

ImageFile Mouse(const QString& name, quint32 version)
{
    ImageFile file;
    file.name = name;
    file.version = version;
    return file;
}

ImageFile With(ImageFile file, void (*change)(ImageFile&))
{
    change(file);
    return file;
}

QByteArray Content(const ImageFile& file)
{
    QByteArray bytes(qMax(file.size, 0), '\0');
    if (bytes.size() >= FirmwareHeaderSize) {
        for (int i = 0; i < 4; ++i)
            bytes[0x10 + i] = char((file.version >> (8 * i)) & 0xFF);
        bytes[0x14] = char(file.kind);
        bytes[0x15] = char(file.cid);
        bytes[0x16] = char(file.mid);
        bytes.replace(0x57, qMin(file.model.size(), 64), file.model.left(64));
        // Payload bytes that tell the files apart.
        for (int i = FirmwareHeaderSize; i < bytes.size(); ++i)
            bytes[i] = char(file.name.size() + file.name.at(0).unicode() + i);
    }
    return bytes;
}

QString Bin()
{
    return AppFolder() + QStringLiteral("/bin");
}

void WriteFolder(const QList<ImageFile>& files)
{
    QDir(Bin()).removeRecursively();
    QDir().mkpath(Bin());
    for (const ImageFile& file : files) {
        QFile out(Bin() + QLatin1Char('/') + file.name);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(Content(file));
    }
}

QByteArray FileBytes(const QString& name)
{
    QFile in(Bin() + QLatin1Char('/') + name);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

enum Search { Find, Has, Repair };

} // namespace

Q_DECLARE_METATYPE(QList<ImageFile>)

class TestConnectionFirmware : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void search_data();
    void search();
    void repairNormalisesCallersText();
    void fileOutsideTheScan();
    void unreadableFileEndsSearch();
    void checkFirmwareUpdate_data();
    void checkFirmwareUpdate();
};

void TestConnectionFirmware::initTestCase()
{
    QVERIFY(PrepareProgramFolder());
}

void TestConnectionFirmware::search_data()
{
    QTest::addColumn<int>("search");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QList<ImageFile>>("files");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("chosen"); // "" none

    const ImageFile v14 = Mouse("a.bin", 0x0104);
    const QList<ImageFile> olderNewer{Mouse("a.bin", 0x0104), Mouse("b.bin", 0x0106)};
    const QList<ImageFile> newerOlder{Mouse("a.bin", 0x0106), Mouse("b.bin", 0x0104)};
    const QList<ImageFile> sameNumberFirst{Mouse("a.bin", 0x0150), Mouse("b.bin", 0x0106)};

    QTest::newRow("only the running version") << int(Find) << "v1.5" << QList<ImageFile>{Mouse("a.bin", 0x0105)} << false << "";
    QTest::newRow("an older image") << int(Find) << "v1.5" << QList<ImageFile>{v14} << true << "a.bin";
    QTest::newRow("older, then newer") << int(Find) << "v1.5" << olderNewer << true << "b.bin";
    QTest::newRow("newer, then older") << int(Find) << "v1.5" << newerOlder << true << "b.bin";
    QTest::newRow("name order ignores case")
        << int(Find) << "v1.5" << QList<ImageFile>{Mouse("B.bin", 0x0106), Mouse("a.BIN", 0x0104)} << true << "B.bin";
    QTest::newRow("1.50 reads as 1.5: stop") << int(Find) << "v1.5" << sameNumberFirst << false << "";
    QTest::newRow("hex minors both read 0") << int(Find) << "v1.a" << QList<ImageFile>{Mouse("a.bin", 0x010B)} << false << "";
    QTest::newRow("1.10 and 1.1") << int(Find) << "v1.10" << QList<ImageFile>{Mouse("a.bin", 0x0101)} << false << "";
    QTest::newRow("stop keeps an earlier choice")
        << int(Find) << "v1.5"
        << QList<ImageFile>{Mouse("a.bin", 0x0104), Mouse("b.bin", 0x0150), Mouse("c.bin", 0x0106)} << true << "a.bin";
    QTest::newRow("no device version: last match") << int(Find) << "" << newerOlder << true << "b.bin";
    QTest::newRow("has: no device version") << int(Has) << "" << olderNewer << false << "";
    QTest::newRow("has: an older image") << int(Has) << "v1.5" << QList<ImageFile>{v14} << true << "";
    QTest::newRow("has: 1.50 stops") << int(Has) << "v1.5" << sameNumberFirst << false << "";
    QTest::newRow("receiver image for a mouse")
        << int(Find) << "v1.5" << QList<ImageFile>{With(v14, [](ImageFile& f) { f.kind = FirmwareKindReceiver; })}
        << false << "";
    QTest::newRow("other customer")
        << int(Find) << "v1.5" << QList<ImageFile>{With(v14, [](ImageFile& f) { f.cid = 24; })} << false << "";
    QTest::newRow("other model id")
        << int(Find) << "v1.5" << QList<ImageFile>{With(v14, [](ImageFile& f) { f.mid = 2; })} << false << "";
    QTest::newRow("model name differs in case")
        << int(Find) << "v1.5" << QList<ImageFile>{With(v14, [](ImageFile& f) { f.model = "qx-aero-m"; })}
        << false << "";
    QTest::newRow("model name ends at its zero byte")
        << int(Find) << "v1.5"
        << QList<ImageFile>{With(v14, [](ImageFile& f) { f.model = QByteArray("QX-AERO-M\0junk", 14); })} << true
        << "a.bin";
    QTest::newRow("model name of 64 bytes without zero")
        << int(Find) << "v1.5"
        << QList<ImageFile>{With(v14, [](ImageFile& f) { f.model = QByteArray(64, 'Q') + "tail"; })} << false << "";
    QTest::newRow("file shorter than a header is passed over")
        << int(Find) << "v1.5"
        << QList<ImageFile>{Mouse("a.bin", 0x0104), With(Mouse("b.bin", 0x0106), [](ImageFile& f) { f.size = 727; })}
        << true << "a.bin";
    QTest::newRow("header without payload")
        << int(Find) << "v1.5" << QList<ImageFile>{With(v14, [](ImageFile& f) { f.size = FirmwareHeaderSize; })}
        << true << "a.bin";
    QTest::newRow("repair: 1.50 does not stop") << int(Repair) << "v1.5" << sameNumberFirst << true << "b.bin";
    QTest::newRow("repair: only the running version")
        << int(Repair) << "v1.5" << QList<ImageFile>{Mouse("a.bin", 0x0105)} << false << "";
    QTest::newRow("repair: hex minors differ") << int(Repair) << "v1.a" << QList<ImageFile>{Mouse("a.bin", 0x010B)} << true << "a.bin";
    QTest::newRow("repair: no version") << int(Repair) << "" << newerOlder << true << "b.bin";
}

void TestConnectionFirmware::search()
{
    QFETCH(int, search);
    QFETCH(QString, device);
    QFETCH(QList<ImageFile>, files);
    QFETCH(bool, found);
    QFETCH(QString, chosen);
    WriteFolder(files);
    const QByteArray earlier("earlier");
    g_firmwareImages = {earlier};
    g_repairImages = {earlier};

    switch (search) {
    case Find:
        QCOMPARE(FindFirmwareFile(FirmwareKindMouse, device, QStringLiteral("QX-AERO-M"), 23, 1), found);
        QCOMPARE(g_firmwareImages, chosen.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{FileBytes(chosen)});
        QCOMPARE(g_repairImages, QList<QByteArray>{earlier});
        break;
    case Has:
        QCOMPARE(HasFirmwareFile(FirmwareKindMouse, device, QStringLiteral("QX-AERO-M"), 23, 1), found);
        QCOMPARE(g_firmwareImages, QList<QByteArray>{earlier});
        break;
    case Repair:
        QCOMPARE(FindRepairFirmwareFile(FirmwareKindMouse, device, QStringLiteral("QX-AERO-M"), 23, 1), found);
        QCOMPARE(g_repairImages, chosen.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{FileBytes(chosen)});
        QCOMPARE(g_firmwareImages, QList<QByteArray>{earlier});
        break;
    }
}

void TestConnectionFirmware::repairNormalisesCallersText()
{
    WriteFolder({Mouse("a.bin", 0x0104)});
    QString version = QStringLiteral("v1.v4");
    QVERIFY(!FindRepairFirmwareFile(FirmwareKindMouse, version, QStringLiteral("QX-AERO-M"), 23, 1));
    QCOMPARE(version, QStringLiteral("1.4"));
}

// Only regular, visible "*.bin" files are images; no folder, no image.
void TestConnectionFirmware::fileOutsideTheScan()
{
    WriteFolder({Mouse("a.txt", 0x0104), Mouse(".hidden.bin", 0x0104), Mouse("a.bin.old", 0x0104)});
    QVERIFY(QDir(Bin()).mkdir(QStringLiteral("folder.bin")));
    QVERIFY(!FindFirmwareFile(FirmwareKindMouse, QStringLiteral("v1.5"), QStringLiteral("QX-AERO-M"), 23, 1));
    QVERIFY(g_firmwareImages.isEmpty());

    QVERIFY(QDir(Bin()).removeRecursively());
    QVERIFY(!FindFirmwareFile(FirmwareKindMouse, QString(), QStringLiteral("QX-AERO-M"), 23, 1));
    QVERIFY(g_firmwareImages.isEmpty());
}

// A file that cannot be opened ends the search with false; what was chosen
// before it stays. Root reads every file, so the check runs with the file
// permissions of an ordinary user.
void TestConnectionFirmware::unreadableFileEndsSearch()
{
    WriteFolder({Mouse("a.bin", 0x0104), Mouse("b.bin", 0x0103), Mouse("c.bin", 0x0106)});
    QVERIFY(QFile::setPermissions(Bin() + QStringLiteral("/b.bin"), QFileDevice::Permissions()));
    const bool root = geteuid() == 0;
    const uid_t nobody = 65534;
    if (root)
        setfsuid(nobody);
    const bool usable = QFileInfo(Bin() + QStringLiteral("/a.bin")).isReadable()
        && !QFile(Bin() + QStringLiteral("/b.bin")).open(QIODevice::ReadOnly);
    const bool found = FindFirmwareFile(FirmwareKindMouse, QStringLiteral("v1.5"), QStringLiteral("QX-AERO-M"), 23, 1);
    if (root)
        setfsuid(0);
    QFile::setPermissions(Bin() + QStringLiteral("/b.bin"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!usable)
        QSKIP("cannot make a file unreadable here");
    QVERIFY(!found);
    QCOMPARE(g_firmwareImages, QList<QByteArray>{FileBytes(QStringLiteral("a.bin"))});
}

// Against the shipped catalogue and images (mouse images v1.3, receiver
// images v1.2 of the 4K Aero and 8K Lynx receivers).
void TestConnectionFirmware::checkFirmwareUpdate_data()
{
    QTest::addColumn<int>("modelIndex");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("version");
    QTest::addColumn<int>("receiverClass");
    QTest::addColumn<bool>("update");
    QTest::newRow("mouse older") << 0 << int(FirmwareKindMouse) << "v1.2" << 4 << true;
    QTest::newRow("mouse older, no receiver") << 0 << int(FirmwareKindMouse) << "v1.2" << 0 << true;
    QTest::newRow("mouse current") << 0 << int(FirmwareKindMouse) << "v1.3" << 4 << false;
    QTest::newRow("mouse reports nothing") << 0 << int(FirmwareKindMouse) << "" << 4 << false;
    QTest::newRow("4K receiver older") << 0 << int(FirmwareKindReceiver) << "v1.1" << 4 << true;
    QTest::newRow("4K receiver current") << 0 << int(FirmwareKindReceiver) << "v1.2" << 4 << false;
    QTest::newRow("no 8K image of this model") << 0 << int(FirmwareKindReceiver) << "v1.1" << 8 << false;
    QTest::newRow("no receiver class") << 0 << int(FirmwareKindReceiver) << "v1.1" << 0 << false;
    QTest::newRow("class 3 names no receiver") << 0 << int(FirmwareKindReceiver) << "v1.1" << 3 << false;
    QTest::newRow("8K receiver of model 2") << 1 << int(FirmwareKindReceiver) << "v1.1" << 8 << true;
    QTest::newRow("mouse of model 3") << 2 << int(FirmwareKindMouse) << "v1.2" << 0 << true;
    QTest::newRow("mouse of model 4 has no image") << 3 << int(FirmwareKindMouse) << "v1.2" << 0 << false;
}

void TestConnectionFirmware::checkFirmwareUpdate()
{
    QFETCH(int, modelIndex);
    QFETCH(int, kind);
    QFETCH(QString, version);
    QFETCH(int, receiverClass);
    QFETCH(bool, update);
    QVERIFY(PrepareProgramFolder());
    DeviceAllInfo device;
    device.modelIndex = modelIndex;
    SetCurrentDevice(device);
    g_firmwareCid = 0;
    g_firmwareImages = {QByteArray("kept")};

    QCOMPARE(CheckFirmwareUpdate(kind, version, receiverClass), update);
    QCOMPARE(g_firmwareImages, QList<QByteArray>{QByteArray("kept")});
    QCOMPARE(g_firmwareCid, 23);
}

QTEST_GUILESS_MAIN(TestConnectionFirmware)
#include "tst_connection_firmware.moc"
