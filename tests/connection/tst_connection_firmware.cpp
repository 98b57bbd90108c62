// The firmware header reader, version texts, the image searches of the update
// and repair engines, and the update-available check of the device page.
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
    int declared = 64; // payload length the header states
    bool tagged = true;
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

void PutLe32(QByteArray& bytes, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

QByteArray Content(const ImageFile& file)
{
    QByteArray bytes(qMax(file.size, 0), '\0');
    if (bytes.size() >= 8 && file.tagged)
        bytes.replace(0, 4, "QXFW");
    if (bytes.size() >= 8)
        PutLe32(bytes, 4, quint32(file.declared));
    if (bytes.size() >= FirmwareHeaderSize) {
        PutLe32(bytes, 0x10, file.version);
        bytes[0x14] = char(file.kind);
        bytes[0x15] = char(file.cid);
        bytes[0x16] = char(file.mid);
        bytes.replace(0x57, qMin(file.model.size(), 64), file.model.left(64));
        // Payload bytes that tell the files apart.
        for (int i = FirmwareHeaderSize; i < bytes.size(); ++i)
            bytes[i] = char(file.name.size() + file.name.at(0).unicode() + i + int(file.version));
    }
    return bytes;
}

QString Bin()
{
    return AppFolder() + QStringLiteral("/bin");
}

void WriteFile(const ImageFile& file)
{
    QFile out(Bin() + QLatin1Char('/') + file.name);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(out.write(Content(file)), qint64(qMax(file.size, 0)));
}

void WriteFolder(const QList<ImageFile>& files)
{
    QDir(Bin()).removeRecursively();
    QDir().mkpath(Bin());
    for (const ImageFile& file : files)
        WriteFile(file);
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
    void header_data();
    void header();
    void versionTexts_data();
    void versionTexts();
    void search_data();
    void search();
    void repairNormalisesCallersText();
    void fileOutsideTheScan();
    void changedFileIsReadAgain();
    void unreadableFileIsPassedOver();
    void checkFirmwareUpdate_data();
    void checkFirmwareUpdate();
};

void TestConnectionFirmware::initTestCase()
{
    QVERIFY(PrepareProgramFolder());
}

void TestConnectionFirmware::header_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<quint32>("version");
    QTest::addColumn<QString>("model");
    QTest::addColumn<quint32>("declared");

    const ImageFile plain = Mouse("a.bin", 0x0105);
    QTest::newRow("header and payload") << Content(plain) << true << 0x0105u << "QX-AERO-M" << 64u;
    QTest::newRow("header alone")
        << Content(With(plain, [](ImageFile& f) { f.size = FirmwareHeaderSize; })) << true << 0x0105u << "QX-AERO-M"
        << 64u;
    QTest::newRow("one byte short")
        << Content(With(plain, [](ImageFile& f) { f.size = FirmwareHeaderSize - 1; })) << false << 0u << "" << 0u;
    QTest::newRow("no image tag")
        << Content(With(plain, [](ImageFile& f) { f.tagged = false; })) << false << 0u << "" << 0u;
    QTest::newRow("empty") << QByteArray() << false << 0u << "" << 0u;
    QTest::newRow("32-bit version and huge declared length")
        << Content(With(plain, [](ImageFile& f) {
               f.version = 0xFFFFFFFF;
               f.declared = -1;
           }))
        << true << 0xFFFFFFFFu << "QX-AERO-M" << 0xFFFFFFFFu;
    QTest::newRow("name ends at its zero byte")
        << Content(With(plain, [](ImageFile& f) { f.model = QByteArray("QX\0AERO", 7); })) << true << 0x0105u << "QX"
        << 64u;
    QTest::newRow("name of 64 bytes without zero")
        << Content(With(plain, [](ImageFile& f) { f.model = QByteArray(70, 'Q'); })) << true << 0x0105u
        << QString(64, QLatin1Char('Q')) << 64u;
}

void TestConnectionFirmware::header()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QFETCH(quint32, version);
    QFETCH(QString, model);
    QFETCH(quint32, declared);
    FirmwareHeader header;
    QCOMPARE(ReadFirmwareHeader(bytes, &header), valid);
    if (!valid)
        return;
    QCOMPARE(header.version, version);
    QCOMPARE(header.kind, quint8(FirmwareKindMouse));
    QCOMPARE(header.cid, quint8(23));
    QCOMPARE(header.mid, quint8(1));
    QCOMPARE(header.modelName, model);
    QCOMPARE(header.payloadLength, declared);
}

void TestConnectionFirmware::versionTexts_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("text");
    QTest::newRow("0x0105") << 0x0105 << "v1.5";
    QTest::newRow("0x020A") << 0x020A << "v2.a";
    QTest::newRow("0x0110") << 0x0110 << "v1.10";
    QTest::newRow("0x0150") << 0x0150 << "v1.50";
    QTest::newRow("0x0000") << 0x0000 << "v0.0";
    QTest::newRow("0x0CFF") << 0x0CFF << "v12.ff";
}

void TestConnectionFirmware::versionTexts()
{
    QFETCH(int, version);
    QFETCH(QString, text);
    QCOMPARE(VersionText(unsigned(version)), text);
    QCOMPARE(VersionNumber(text), int64_t(version));
    QCOMPARE(VersionNumber(text.mid(1)), int64_t(version));
    // Texts that are no version.
    for (const char* bad : {"", "v", "1", "1.", ".5", "1.5.1", "1.100", "1.g", "x1.5", "1 .5", "-1.5"})
        QCOMPARE(VersionNumber(QLatin1String(bad)), int64_t(-1));
}

void TestConnectionFirmware::search_data()
{
    QTest::addColumn<int>("search");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QList<ImageFile>>("files");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("chosen"); // "" none

    const ImageFile v14 = Mouse("a.bin", 0x0104);
    const ImageFile v16 = Mouse("a.bin", 0x0106);
    const QList<ImageFile> olderNewer{Mouse("a.bin", 0x0104), Mouse("b.bin", 0x0106)};
    const QList<ImageFile> newerOlder{Mouse("a.bin", 0x0106), Mouse("b.bin", 0x0104)};
    const QList<ImageFile> three{Mouse("a.bin", 0x0104), Mouse("b.bin", 0x0107), Mouse("c.bin", 0x0106)};

    // Which image is an update: one of another version, older or newer; the
    // last in name order wins.
    QTest::newRow("only the running version") << int(Find) << "v1.5" << QList<ImageFile>{Mouse("a.bin", 0x0105)} << false << "";
    QTest::newRow("an older image") << int(Find) << "v1.5" << QList<ImageFile>{v14} << true << "a.bin";
    QTest::newRow("older, then newer") << int(Find) << "v1.5" << olderNewer << true << "b.bin";
    QTest::newRow("newer, then older") << int(Find) << "v1.5" << newerOlder << true << "b.bin";
    QTest::newRow("the last of three") << int(Find) << "v1.5" << three << true << "c.bin";
    QTest::newRow("the running version first hides nothing after it")
        << int(Find) << "v1.5" << QList<ImageFile>{Mouse("a.bin", 0x0105), Mouse("b.bin", 0x0104)} << true << "b.bin";
    QTest::newRow("same version: last in name order, ignoring case")
        << int(Find) << "v1.5" << QList<ImageFile>{Mouse("B.bin", 0x0106), Mouse("a.BIN", 0x0106)} << true << "B.bin";
    QTest::newRow("1.50 reads as 1.5 and is passed over")
        << int(Find) << "v1.5" << QList<ImageFile>{Mouse("a.bin", 0x0150), Mouse("b.bin", 0x0106)} << true << "b.bin";
    QTest::newRow("1.5 reads as 1.50") << int(Find) << "v1.50" << QList<ImageFile>{Mouse("a.bin", 0x0105)} << false << "";
    QTest::newRow("1.6 is not 1.50") << int(Find) << "v1.50" << QList<ImageFile>{v16} << true << "a.bin";
    QTest::newRow("1.1 reads as 1.10") << int(Find) << "v1.10" << QList<ImageFile>{Mouse("a.bin", 0x0101)} << false << "";
    QTest::newRow("1.10 reads as 1.1") << int(Find) << "v1.1" << QList<ImageFile>{Mouse("a.bin", 0x0110)} << false << "";
    QTest::newRow("hex minor: 1.b is not 1.a") << int(Find) << "v1.a" << QList<ImageFile>{Mouse("a.bin", 0x010B)} << true << "a.bin";
    QTest::newRow("hex minor: 1.a is not 1.b") << int(Find) << "v1.b" << QList<ImageFile>{Mouse("a.bin", 0x010A)} << true << "a.bin";
    QTest::newRow("hex minor: 1.a is 1.a") << int(Find) << "v1.a" << QList<ImageFile>{Mouse("a.bin", 0x010A)} << false << "";
    QTest::newRow("hex minor: 2.c is not 1.a") << int(Find) << "v1.a" << QList<ImageFile>{Mouse("a.bin", 0x020C)} << true << "a.bin";
    QTest::newRow("hex minor image, decimal device") << int(Find) << "v1.5" << QList<ImageFile>{Mouse("a.bin", 0x010A)} << true << "a.bin";
    QTest::newRow("no device version: the last") << int(Find) << "" << three << true << "c.bin";
    QTest::newRow("device text is no version") << int(Find) << "v1.x" << three << true << "c.bin";
    QTest::newRow("has: no device version") << int(Has) << "" << olderNewer << false << "";
    QTest::newRow("has: an older image") << int(Has) << "v1.5" << QList<ImageFile>{v14} << true << "";
    QTest::newRow("has: a newer image") << int(Has) << "v1.5" << QList<ImageFile>{v16} << true << "";
    QTest::newRow("has: only the running version") << int(Has) << "1.50" << QList<ImageFile>{Mouse("a.bin", 0x0105)} << false << "";
    QTest::newRow("repair: the running version") << int(Repair) << "v1.5" << QList<ImageFile>{Mouse("a.bin", 0x0105)} << false << "";
    QTest::newRow("repair: an older image") << int(Repair) << "v1.5" << QList<ImageFile>{v14} << true << "a.bin";
    QTest::newRow("repair: the text 1.50 is not 1.5") << int(Repair) << "v1.5" << QList<ImageFile>{Mouse("a.bin", 0x0150)} << true << "a.bin";
    QTest::newRow("repair: no device version, the last") << int(Repair) << "" << three << true << "c.bin";
    QTest::newRow("repair: the running version first hides nothing after it")
        << int(Repair) << "v1.5" << QList<ImageFile>{Mouse("a.bin", 0x0105), Mouse("b.bin", 0x0104)} << true << "b.bin";

    // Which file is an image of the device.
    QTest::newRow("receiver image for a mouse")
        << int(Find) << "v1.5" << QList<ImageFile>{With(v16, [](ImageFile& f) { f.kind = FirmwareKindReceiver; })}
        << false << "";
    QTest::newRow("other customer")
        << int(Find) << "v1.5" << QList<ImageFile>{With(v16, [](ImageFile& f) { f.cid = 24; })} << false << "";
    QTest::newRow("other model id")
        << int(Find) << "v1.5" << QList<ImageFile>{With(v16, [](ImageFile& f) { f.mid = 2; })} << false << "";
    QTest::newRow("model name differs in case")
        << int(Find) << "v1.5" << QList<ImageFile>{With(v16, [](ImageFile& f) { f.model = "qx-aero-m"; })}
        << false << "";
    QTest::newRow("model name ends at its zero byte")
        << int(Find) << "v1.5"
        << QList<ImageFile>{With(v16, [](ImageFile& f) { f.model = QByteArray("QX-AERO-M\0junk", 14); })} << true
        << "a.bin";
    QTest::newRow("header without payload")
        << int(Find) << "v1.5" << QList<ImageFile>{With(v16, [](ImageFile& f) {
               f.size = FirmwareHeaderSize;
               f.declared = 0;
           })}
        << true << "a.bin";

    // Files that are no image are passed over, and the search goes on.
    const auto next = [](ImageFile broken) { return QList<ImageFile>{broken, Mouse("b.bin", 0x0105)}; };
    QTest::newRow("shorter than a header")
        << int(Find) << "v1.4" << next(With(v16, [](ImageFile& f) { f.size = FirmwareHeaderSize - 1; })) << true << "b.bin";
    QTest::newRow("payload shorter than declared")
        << int(Find) << "v1.4" << next(With(v16, [](ImageFile& f) { f.declared = 65; })) << true << "b.bin";
    QTest::newRow("header declaring a payload it lacks")
        << int(Repair) << "" << next(With(v16, [](ImageFile& f) {
               f.size = FirmwareHeaderSize;
               f.declared = 4096;
           }))
        << true << "b.bin";
    QTest::newRow("no image tag")
        << int(Has) << "v1.4" << QList<ImageFile>{With(v16, [](ImageFile& f) { f.tagged = false; })} << false << "";
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
    WriteFolder({Mouse("a.txt", 0x0106), Mouse(".hidden.bin", 0x0106), Mouse("a.bin.old", 0x0106)});
    QVERIFY(QDir(Bin()).mkdir(QStringLiteral("folder.bin")));
    QVERIFY(!FindFirmwareFile(FirmwareKindMouse, QStringLiteral("v1.5"), QStringLiteral("QX-AERO-M"), 23, 1));
    QVERIFY(g_firmwareImages.isEmpty());

    QVERIFY(QDir(Bin()).removeRecursively());
    QVERIFY(!FindFirmwareFile(FirmwareKindMouse, QString(), QStringLiteral("QX-AERO-M"), 23, 1));
    QVERIFY(g_firmwareImages.isEmpty());
}

// Headers are remembered between searches, but a file that was replaced
// (here within the same moment, with the same size), added or removed since
// counts as it is now.
void TestConnectionFirmware::changedFileIsReadAgain()
{
    WriteFolder({Mouse("a.bin", 0x0106)});
    QVERIFY(HasFirmwareFile(FirmwareKindMouse, QStringLiteral("v1.5"), QStringLiteral("QX-AERO-M"), 23, 1));

    WriteFile(Mouse("a.bin", 0x0105)); // same name and size, now the running version
    QVERIFY(!HasFirmwareFile(FirmwareKindMouse, QStringLiteral("v1.5"), QStringLiteral("QX-AERO-M"), 23, 1));

    WriteFile(Mouse("b.bin", 0x0107));
    QVERIFY(FindFirmwareFile(FirmwareKindMouse, QStringLiteral("v1.5"), QStringLiteral("QX-AERO-M"), 23, 1));
    QCOMPARE(g_firmwareImages, QList<QByteArray>{FileBytes(QStringLiteral("b.bin"))});

    QVERIFY(QFile::remove(Bin() + QStringLiteral("/b.bin")));
    QVERIFY(!FindFirmwareFile(FirmwareKindMouse, QStringLiteral("v1.5"), QStringLiteral("QX-AERO-M"), 23, 1));
    QVERIFY(g_firmwareImages.isEmpty());
}

// A file that cannot be opened is passed over like any file that is no
// image. Root reads every file, so the check runs with the file permissions
// of an ordinary user.
void TestConnectionFirmware::unreadableFileIsPassedOver()
{
    WriteFolder({Mouse("a.bin", 0x0106), Mouse("b.bin", 0x0108), Mouse("c.bin", 0x0107)});
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
    QVERIFY(found);
    QCOMPARE(g_firmwareImages, QList<QByteArray>{FileBytes(QStringLiteral("c.bin"))});
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
    QTest::newRow("mouse older, no receiver class") << 0 << int(FirmwareKindMouse) << "v1.2" << 0 << false;
    QTest::newRow("mouse older, class 3") << 0 << int(FirmwareKindMouse) << "v1.2" << 3 << false;
    QTest::newRow("mouse newer than the image") << 0 << int(FirmwareKindMouse) << "v1.4" << 4 << true;
    QTest::newRow("mouse current") << 0 << int(FirmwareKindMouse) << "v1.3" << 4 << false;
    QTest::newRow("mouse reports nothing") << 0 << int(FirmwareKindMouse) << "" << 4 << false;
    QTest::newRow("4K receiver older") << 0 << int(FirmwareKindReceiver) << "v1.1" << 4 << true;
    QTest::newRow("4K receiver current") << 0 << int(FirmwareKindReceiver) << "v1.2" << 4 << false;
    QTest::newRow("no 8K image of this model") << 0 << int(FirmwareKindReceiver) << "v1.1" << 8 << false;
    QTest::newRow("no receiver class") << 0 << int(FirmwareKindReceiver) << "v1.1" << 0 << false;
    QTest::newRow("class 3 names no receiver") << 0 << int(FirmwareKindReceiver) << "v1.1" << 3 << false;
    QTest::newRow("8K receiver of model 2") << 1 << int(FirmwareKindReceiver) << "v1.1" << 8 << true;
    QTest::newRow("mouse of model 3") << 2 << int(FirmwareKindMouse) << "v1.2" << 1 << true;
    QTest::newRow("mouse of model 4 has no image") << 3 << int(FirmwareKindMouse) << "v1.2" << 1 << false;
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
