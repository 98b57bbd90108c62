// Macro exchange files: the exact bytes written, the round trip, and the
// files that must be refused as a whole.
#include "macro_exchange_file.h"

#include <QtTest>

#include <QBuffer>
#include <QPainter>
#include <QPixmap>

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

QImage ImageOf(const QIcon& icon)
{
    return icon.pixmap(8, 8).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestMacroExchangeFile : public QObject {
    Q_OBJECT
private slots:
    void writesTheKnownBytes();
    void roundTrip();
    void longNamesFillTheirField();
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
        QCOMPARE(ImageOf(read->items[i].icon), ImageOf(macro.items[i].icon));
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
