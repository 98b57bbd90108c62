// Macro exchange files: the exact bytes written, the round trip, the icons
// the reader passes over, and the files that must be refused as a whole.
#include "macro_exchange_file.h"

#include <QtTest>

#include <QBuffer>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>

namespace {

QIcon Icon(const QColor& colour)
{
    QPixmap pixmap(8, 8);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

MacroExchange Fire()
{
    MacroExchange macro;
    macro.name = QStringLiteral("Fire");
    macro.repeatText = QStringLiteral("253");
    macro.items = {{QStringLiteral("A"), Icon(Qt::red), false},
                   {QStringLiteral("10ms"), Icon(Qt::green), false},
                   {QStringLiteral("A"), Icon(Qt::blue), true}};
    return macro;
}

QByteArray Written(const MacroExchange& macro)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!WriteMacroExchange(&buffer, macro))
        return QByteArray();
    return buffer.data();
}

std::optional<MacroExchange> Read(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadMacroExchange(&buffer);
}

QByteArray Be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// A byte array field of the stream: length, then the bytes.
QByteArray ArrayField(const QByteArray& bytes)
{
    return Be32(quint32(bytes.size())) + bytes;
}

QByteArray IconBytes(const QIcon& icon)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_9);
    stream << icon;
    return bytes;
}

QByteArray StringField(const QString& text)
{
    QByteArray utf16;
    for (const QChar c : text)
        utf16 += char(c.unicode() >> 8), utf16 += char(c.unicode() & 0xFF);
    return ArrayField(utf16);
}

quint32 Crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray PngChunk(const QByteArray& type, const QByteArray& data)
{
    return Be32(quint32(data.size())) + type + data + Be32(Crc32(type + data));
}

const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

// A well-formed PNG of that size whose rows are zeros, as far as they go.
QByteArray Png(quint32 width, quint32 height, int rowBytes)
{
    const QByteArray header = Be32(width) + Be32(height) + QByteArray("\x08\x06\x00\x00\x00", 5);
    return kPngSignature + PngChunk("IHDR", header) + PngChunk("IDAT", qCompress(QByteArray(rowBytes, '\0')).mid(4))
        + PngChunk("IEND", QByteArray());
}

// An icon as Qt's pixmap engine writes it: per picture a marker and the PNG
// (or 0 without a picture), the file name, size, mode and state.
QByteArray PixmapIcon(const QList<QByteArray>& pictures, const QString& fileName = QString(),
                      std::optional<qint32> count = std::nullopt)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_9);
    stream << QStringLiteral("QPixmapIconEngine") << count.value_or(qint32(pictures.size()));
    for (const QByteArray& png : pictures) {
        stream << qint32(png.isEmpty() ? 0 : 1);
        stream.writeRawData(png.constData(), png.size());
        stream << fileName << QSize(16, 16) << quint32(0) << quint32(0);
    }
    return bytes;
}

// A file holding the press of "A" with that icon, then a delay without one.
QByteArray FileWithIcon(const QByteArray& icon)
{
    return ArrayField(QByteArray("Pelvo", 5) + QByteArray(7, '\0')) + ArrayField("Fire" + QByteArray(44, '\0'))
        + ArrayField("1" + QByteArray(11, '\0')) + Be32(2) + StringField("A") + icon + ArrayField(QByteArray("0\0", 2))
        + StringField("10ms") + Be32(0xFFFFFFFF);
}

} // namespace

class TestMacroExchangeFile : public QObject {
    Q_OBJECT
private slots:
    void writesTheKnownBytes();
    void roundTrip();
    void longNamesFillTheirField();
    void iconsArePassedOver_data();
    void iconsArePassedOver();
    void refused_data();
    void refused();
    void everyTruncationIsRefused();
};

void TestMacroExchangeFile::writesTheKnownBytes()
{
    const MacroExchange macro = Fire();
    const QByteArray expected = ArrayField(QByteArray("Pelvo", 5) + QByteArray(7, '\0'))
        + ArrayField("Fire" + QByteArray(44, '\0')) + ArrayField("253" + QByteArray(9, '\0')) + Be32(3)
        + StringField("A") + IconBytes(macro.items[0].icon) + ArrayField(QByteArray("0\0", 2))
        + StringField("10ms") + IconBytes(macro.items[1].icon)
        + StringField("A") + IconBytes(macro.items[2].icon) + ArrayField(QByteArray("1\0", 2));
    QCOMPARE(Written(macro).toHex(), expected.toHex());
}

void TestMacroExchangeFile::roundTrip()
{
    const MacroExchange macro = Fire();
    const std::optional<MacroExchange> read = Read(Written(macro));
    QVERIFY(read);
    QCOMPARE(read->name, macro.name);
    QCOMPARE(read->repeatText, macro.repeatText);
    QCOMPARE(read->items.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(read->items[i].text, macro.items[i].text);
        QCOMPARE(read->items[i].release, macro.items[i].release);
        QVERIFY(read->items[i].icon.isNull()); // the page shows its own
    }
}

void TestMacroExchangeFile::longNamesFillTheirField()
{
    MacroExchange macro = Fire();
    macro.name = QString(50, QLatin1Char('n'));
    macro.items.clear();
    const QByteArray bytes = Written(macro);
    QCOMPARE(bytes.mid(16, 4 + 48), ArrayField(QByteArray(48, 'n')));
    const std::optional<MacroExchange> read = Read(bytes);
    QVERIFY(read);
    QCOMPARE(read->name, QString(48, QLatin1Char('n')));
}

void TestMacroExchangeFile::iconsArePassedOver_data()
{
    QTest::addColumn<QByteArray>("icon");
    QTest::addColumn<bool>("read");

    // A picture file on this machine, which an icon may name.
    static QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("red.png"));
    QImage red(8, 8, QImage::Format_ARGB32);
    red.fill(Qt::red);
    red.save(picture);

    QTest::newRow("no icon") << Be32(0xFFFFFFFF) << true;
    QTest::newRow("picture") << IconBytes(Icon(Qt::red)) << true;
    QTest::newRow("two pictures") << PixmapIcon({Png(8, 8, 300), Png(16, 16, 1100)}) << true;
    // The pixels would take 1.6 GB; the file holds 300 bytes of them.
    QTest::newRow("picture declaring 20000 x 20000") << PixmapIcon({Png(20000, 20000, 300000)}) << true;
    QTest::newRow("file name instead of a picture") << PixmapIcon({QByteArray()}, picture) << true;
    QTest::newRow("theme icon") << StringField("QIconLoaderEngine") + StringField("edit-copy") << true;

    const QByteArray png = Png(8, 8, 300);
    QTest::newRow("picture past the end") << PixmapIcon({png.left(8) + Be32(0x7FFFFFF0) + "IDAT"}) << false;
    QTest::newRow("picture without its end") << PixmapIcon({png.left(png.size() - 12)}) << false;
    QTest::newRow("no picture signature") << PixmapIcon({"GIF89a" + png.mid(6)}) << false;
    QTest::newRow("negative picture count") << PixmapIcon({}, QString(), -1) << false;
    QTest::newRow("more pictures than written") << PixmapIcon({png}, QString(), 2) << false;
    QTest::newRow("engine of unknown data") << StringField("svg") + Be32(1) << false;
}

void TestMacroExchangeFile::iconsArePassedOver()
{
    QFETCH(QByteArray, icon);
    QFETCH(bool, read);

    const std::optional<MacroExchange> macro = Read(FileWithIcon(icon));
    QCOMPARE(bool(macro), read);
    if (!macro)
        return;
    QCOMPARE(macro->name, QStringLiteral("Fire"));
    QCOMPARE(macro->items.size(), 2);
    QCOMPARE(macro->items[0].text, QStringLiteral("A"));
    QCOMPARE(macro->items[1].text, QStringLiteral("10ms"));
    for (const MacroExchangeItem& item : macro->items)
        QVERIFY(item.icon.isNull());
}

void TestMacroExchangeFile::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray fire = Written(Fire());
    const int countAt = 16 + 52 + 16;

    QByteArray wrongTag = fire;
    wrongTag[8] = 'x';
    QTest::newRow("wrong tag") << wrongTag;
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("negative count") << fire.left(countAt) + Be32(0xFFFFFFFF) + fire.mid(countAt + 4);
    QTest::newRow("huge count") << fire.left(countAt) + Be32(0x7FFFFFFF) + fire.mid(countAt + 4);
    QTest::newRow("count past the limit") << fire.left(countAt) + Be32(kMaxExchangeItems + 1);
    QTest::newRow("count larger than the items") << fire.left(countAt) + Be32(4) + fire.mid(countAt + 4);
    QTest::newRow("text of odd length") << fire.left(countAt + 4) + Be32(3) + QByteArray("abc");
}

void TestMacroExchangeFile::refused()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!Read(bytes));
}

void TestMacroExchangeFile::everyTruncationIsRefused()
{
    const QByteArray fire = Written(Fire());
    QVERIFY(Read(fire));
    for (int size = 0; size < fire.size(); ++size) {
        if (Read(fire.left(size)))
            QFAIL(qPrintable(QStringLiteral("a file cut to %1 of %2 bytes was read").arg(size).arg(fire.size())));
    }
}

QTEST_MAIN(TestMacroExchangeFile)
#include "test_macro_exchange_file.moc"
