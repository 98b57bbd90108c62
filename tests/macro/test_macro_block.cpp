// The macro block of a mouse button: byte layout, limits, read-back.
#include "macro_block.h"
#include "macro_name.h"

#include "macro_block_events.h"

#include <QtTest>

#include <cstring>

Q_DECLARE_METATYPE(MacroItems)

namespace {

MacroItem Key(int kind, int code, bool release = false)
{
    return release ? MacroItem::Release(kind, code) : MacroItem::Press(kind, code);
}

QByteArray Bytes(const MacroBlockBytes& block, int offset, int size)
{
    return QByteArray(reinterpret_cast<const char*>(block + offset), size);
}



} // namespace

class TestMacroBlock : public QObject {
    Q_OBJECT
private slots:
    void build_data();
    void build();
    void refusesMoreThanSeventyEvents();
    void cutsLongNamesAtCharacterBoundaries_data();
    void cutsLongNamesAtCharacterBoundaries();
    void readBack();
    void readBackClampsTheCount();
};

void TestMacroBlock::build_data()
{
    QTest::addColumn<MacroItems>("items");
    QTest::addColumn<QByteArray>("events");

    QTest::newRow("A with a wait") << MacroItems{Key(1, 0x04), MacroItem::Delay(20), Key(1, 0x04, true)}
                                   << Event(0, 1, 0x0004, 20) + Event(1, 1, 0x0004, 0);
    QTest::newRow("mouse and modifier")
        << MacroItems{Key(0, 0x02), MacroItem::Delay(15), Key(4, 0x01), MacroItem::Delay(30), Key(4, 0x01, true)}
        << Event(0, 0, 0x02, 15) + Event(0, 4, 0x01, 30) + Event(1, 4, 0x01, 0);
    // Items are walked by kind, not by position.
    QTest::newRow("adjacent keys") << MacroItems{Key(1, 0x04), Key(1, 0x05), MacroItem::Delay(10), Key(1, 0x04, true)}
                                   << Event(0, 1, 0x04, 0) + Event(0, 1, 0x05, 10) + Event(1, 1, 0x04, 0);
    QTest::newRow("trailing and leading delays")
        << MacroItems{MacroItem::Delay(7), Key(1, 0x04), MacroItem::Delay(10), Key(1, 0x04, true), MacroItem::Delay(99)}
        << Event(0, 1, 0x04, 10) + Event(1, 1, 0x04, 0);
    QTest::newRow("adjacent delays add up")
        << MacroItems{Key(1, 0x04), MacroItem::Delay(10), MacroItem::Delay(4294967295u), Key(1, 0x04, true)}
        << Event(0, 1, 0x04, 4294967295u) + Event(1, 1, 0x04, 0);
    QTest::newRow("empty") << MacroItems() << QByteArray();
}

void TestMacroBlock::build()
{
    QFETCH(MacroItems, items);
    QFETCH(QByteArray, events);

    MacroBlockBytes block;
    std::memset(block, 0xEE, sizeof block);
    QVERIFY(BuildMacroBlock(QStringLiteral("Fire"), items, block));

    QByteArray expected(FlashDataMap::MacroBlockSize, '\0');
    expected[0] = 4;
    expected.replace(1, 4, "Fire");
    expected[31] = char(events.size() / 8);
    expected.replace(32, events.size(), events);
    QCOMPARE(Bytes(block, 0, FlashDataMap::MacroBlockSize).toHex(), expected.toHex());
}

void TestMacroBlock::refusesMoreThanSeventyEvents()
{
    MacroBlockBytes block = {};
    QVERIFY(BuildMacroBlock(QStringLiteral("max"), Taps(70), block));
    QCOMPARE(int(block[31]), 70);
    QCOMPARE(Bytes(block, 32 + 69 * 8, 8), Event(1, 1, 0x04, 0));

    MacroBlockBytes untouched;
    std::memset(untouched, 0x5A, sizeof untouched);
    QVERIFY(!BuildMacroBlock(QStringLiteral("over"), Taps(71), untouched));
    QCOMPARE(Bytes(untouched, 0, FlashDataMap::MacroBlockSize), QByteArray(FlashDataMap::MacroBlockSize, 0x5A));
}

void TestMacroBlock::cutsLongNamesAtCharacterBoundaries_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("30 bytes") << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234");
    QTest::newRow("31 bytes") << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ12345");
    QTest::newRow("multi-byte characters") << QStringLiteral("a") + QString(12, QChar(0x5B8F));
}

void TestMacroBlock::cutsLongNamesAtCharacterBoundaries()
{
    QFETCH(QString, name);
    MacroBlockBytes block;
    std::memset(block, 0x77, sizeof block);
    QVERIFY(BuildMacroBlock(name, {Key(1, 0x04)}, block));

    const QString cut = CutToLocal8Bit(name, 30);
    const QByteArray bytes = cut.toLocal8Bit();
    QVERIFY(name.startsWith(cut));
    QVERIFY(bytes.size() <= 30);
    QCOMPARE(int(block[0]), bytes.size());
    QCOMPARE(Bytes(block, 1, 30), bytes + QByteArray(30 - bytes.size(), '\0'));
    QCOMPARE(int(block[31]), 1);
    QCOMPARE(ParseMacroBlock(block).name, cut);
}

void TestMacroBlock::readBack()
{
    MacroBlockBytes block = {};
    block[0] = 5; // the length byte is not trusted: the name ends at its
    std::memcpy(block + 1, "Ma\0cro", 6); // first zero byte, as the button page reads it
    block[31] = 3;
    const QByteArray events = Event(0, 0, 0x02, 15) + Event(0, 4, 0x01, 30) + Event(1, 4, 0x01, 1234);
    std::memcpy(block + 32, events.constData(), size_t(events.size()));

    const MacroBlockContent content = ParseMacroBlock(block);
    QCOMPARE(content.name, QStringLiteral("Ma"));
    QCOMPARE(content.items, (MacroItems{Key(0, 0x02), MacroItem::Delay(15), Key(4, 0x01), MacroItem::Delay(30),
                                        Key(4, 0x01, true)}));
}

void TestMacroBlock::readBackClampsTheCount()
{
    MacroBlockBytes block = {};
    QVERIFY(BuildMacroBlock(QStringLiteral("x"), Taps(70), block));
    block[31] = 200;
    const MacroBlockContent content = ParseMacroBlock(block);
    QCOMPARE(content.items.size(), 70 + 69);
    QCOMPARE(content.items, Taps(70));
}

QTEST_GUILESS_MAIN(TestMacroBlock)
#include "test_macro_block.moc"
