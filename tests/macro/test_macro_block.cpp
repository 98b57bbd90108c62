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
    void sendsWhatItReadsBack_data() { build_data(); }
    void sendsWhatItReadsBack();
    void refusesMoreThanSeventyEvents();
    void cutsLongNamesAtCharacterBoundaries_data();
    void cutsLongNamesAtCharacterBoundaries();
    void readBack_data();
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
    // The wait after the last key is the pause before the macro plays again;
    // a wait before the first key is played by an event that presses nothing.
    QTest::newRow("trailing and leading delays")
        << MacroItems{MacroItem::Delay(7), Key(1, 0x04), MacroItem::Delay(10), Key(1, 0x04, true), MacroItem::Delay(99)}
        << Event(0, 0, 0, 7) + Event(0, 1, 0x04, 10) + Event(1, 1, 0x04, 99);
    QTest::newRow("leading delays add up")
        << MacroItems{MacroItem::Delay(7), MacroItem::Delay(0), MacroItem::Delay(5), Key(4, 0x02)}
        << Event(0, 0, 0, 12) + Event(0, 4, 0x02, 0);
    QTest::newRow("delays only") << MacroItems{MacroItem::Delay(30), MacroItem::Delay(40)} << Event(0, 0, 0, 70);
    QTest::newRow("adjacent delays add up")
        << MacroItems{Key(1, 0x04), MacroItem::Delay(10), MacroItem::Delay(4294967295u), Key(1, 0x04, true),
                      MacroItem::Delay(1), MacroItem::Delay(2)}
        << Event(0, 1, 0x04, 4294967295u) + Event(1, 1, 0x04, 3);
    // Usage 0x32, a modifier without a bit and a mouse code that is no
    // button press no key.
    QTest::newRow("unknown keys")
        << MacroItems{Key(1, 0x32), MacroItem::Delay(5), Key(0, 0x00, true), Key(4, 0x03), Key(4, 0x10)}
        << Event(0, 1, 0, 5) + Event(1, 1, 0, 0) + Event(0, 1, 0, 0) + Event(0, 4, 0x10, 0);
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

// A macro rebuilt from the mouse's block is sent as the same block: the
// device is read back into the macro files each time it is opened.
void TestMacroBlock::sendsWhatItReadsBack()
{
    QFETCH(MacroItems, items);

    MacroBlockBytes sent = {};
    QVERIFY(BuildMacroBlock(QStringLiteral("Fire"), items, sent));
    const MacroBlockContent readBack = ParseMacroBlock(sent);
    MacroBlockBytes again;
    std::memset(again, 0xEE, sizeof again);
    QVERIFY(BuildMacroBlock(readBack.name, readBack.items, again));
    QCOMPARE(Bytes(again, 0, FlashDataMap::MacroBlockSize).toHex(), Bytes(sent, 0, FlashDataMap::MacroBlockSize).toHex());
}

void TestMacroBlock::refusesMoreThanSeventyEvents()
{
    MacroBlockBytes block = {};
    QVERIFY(BuildMacroBlock(QStringLiteral("max"), Taps(70) << MacroItem::Delay(300), block));
    QCOMPARE(int(block[31]), 70);
    QCOMPARE(Bytes(block, 32 + 69 * 8, 8), Event(1, 1, 0x04, 300));

    // The wait before the first key takes an event of its own.
    for (const MacroItems& over : {Taps(71), MacroItems{MacroItem::Delay(1)} + Taps(70)}) {
        MacroBlockBytes untouched;
        std::memset(untouched, 0x5A, sizeof untouched);
        QVERIFY(!BuildMacroBlock(QStringLiteral("over"), over, untouched));
        QCOMPARE(Bytes(untouched, 0, FlashDataMap::MacroBlockSize), QByteArray(FlashDataMap::MacroBlockSize, 0x5A));
    }
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

void TestMacroBlock::readBack_data()
{
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<MacroItems>("items");

    QTest::newRow("waits, the last one kept")
        << Event(0, 0, 0x02, 15) + Event(0, 4, 0x01, 30) + Event(1, 4, 0x01, 1234)
        << MacroItems{Key(0, 0x02), MacroItem::Delay(15), Key(4, 0x01), MacroItem::Delay(30), Key(4, 0x01, true),
                      MacroItem::Delay(1234)};
    QTest::newRow("no wait after the last") << Event(0, 1, 0x04, 0) + Event(1, 1, 0x04, 0)
                                            << MacroItems{Key(1, 0x04), MacroItem::Delay(0), Key(1, 0x04, true)};
    QTest::newRow("first event presses nothing")
        << Event(0, 0, 0, 250) + Event(0, 1, 0x04, 0) << MacroItems{MacroItem::Delay(250), Key(1, 0x04)};
    QTest::newRow("only a wait") << Event(0, 0, 0, 0) << MacroItems{MacroItem::Delay(0)};
    // Only the first event can be the wait before the keys.
    QTest::newRow("nothing pressed later") << Event(1, 0, 0, 9) + Event(0, 0, 0, 0)
                                           << MacroItems{Key(0, 0, true), MacroItem::Delay(9), Key(0, 0)};
}

void TestMacroBlock::readBack()
{
    QFETCH(QByteArray, events);
    QFETCH(MacroItems, items);

    MacroBlockBytes block = {};
    block[0] = 5; // the length byte is not trusted: the name ends at its
    std::memcpy(block + 1, "Ma\0cro", 6); // first zero byte, as the button page reads it
    block[31] = char(events.size() / 8);
    std::memcpy(block + 32, events.constData(), size_t(events.size()));

    const MacroBlockContent content = ParseMacroBlock(block);
    QCOMPARE(content.name, QStringLiteral("Ma"));
    QCOMPARE(content.items, items);
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
