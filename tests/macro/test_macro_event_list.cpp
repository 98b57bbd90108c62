// The event list model: the insert placement rules, changing and deleting
// the selected event, and the appends of recording and read-back.
#include "macro_event_list.h"

#include <QtTest>

namespace {

// A list written as text: "A+" press of A, "A-" its release (B likewise),
// "M+"/"M-" the middle mouse button, a number a delay in ms.
MacroItem Item(const QString& token)
{
    if (token.at(0).isDigit())
        return MacroItem::Delay(token.toUInt());
    const bool release = token.endsWith(QLatin1Char('-'));
    const QChar key = token.at(0);
    const int kind = key == QLatin1Char('M') ? 4 : 1;
    const int code = key == QLatin1Char('M') ? 0x04 : key == QLatin1Char('A') ? 0x04 : 0x05;
    return release ? MacroItem::Release(kind, code) : MacroItem::Press(kind, code);
}

MacroItems Items(const QString& text)
{
    MacroItems items;
    for (const QString& token : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        items << Item(token);
    return items;
}

QString Text(const MacroItems& items)
{
    QStringList tokens;
    for (const MacroItem& item : items) {
        if (item.IsDelay()) {
            tokens << QString::number(item.delayMs);
            continue;
        }
        const QString key = item.kind == 4 ? QStringLiteral("M") : item.code == 0x04 ? QStringLiteral("A") : QStringLiteral("B");
        tokens << key + (item.release ? QLatin1Char('-') : QLatin1Char('+'));
    }
    return tokens.join(QLatin1Char(' '));
}

MacroEventList List(const QString& text, int current)
{
    MacroEventList list;
    list.SetItems(Items(text));
    list.SetCurrentRow(current);
    return list;
}

} // namespace

class TestMacroEventList : public QObject {
    Q_OBJECT
private slots:
    void edit_data();
    void edit();
    void deleteEveryRowOfUnshapedLists_data();
    void deleteEveryRowOfUnshapedLists();
    void appendsSelectTheKey();
    void amendKeepsPressOrRelease();
};

void TestMacroEventList::edit_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("currentAfter");

    // Key inserts.
    QTest::newRow("key into empty list") << "" << -1 << "key B+" << "B+" << -1;
    QTest::newRow("key, nothing selected") << "A+ 10 A-" << -1 << "key B+" << "A+ 10 A- 10 B+" << -1;
    QTest::newRow("key after the last") << "A+ 10 A-" << 2 << "key B+" << "A+ 10 A- 10 B+" << 2;
    QTest::newRow("key after the first") << "A+ 20 A-" << 0 << "key B+" << "A+ 20 B+ 10 A-" << 0;
    QTest::newRow("key after a middle key") << "A+ 20 A- 30 A+" << 2 << "key B-" << "A+ 20 A- 30 B- 10 A+" << 2;
    QTest::newRow("key after a delay") << "A+ 20 A-" << 1 << "key B+" << "A+ 20 B+ 10 A-" << 1;
    QTest::newRow("key after the only key") << "A+" << 0 << "key B+" << "A+ 10 B+" << 0;

    // Mouse clicks.
    QTest::newRow("click into empty list") << "" << -1 << "click" << "M+ 10 M-" << -1;
    QTest::newRow("click, nothing selected") << "A+" << -1 << "click" << "A+ 10 M+ 10 M-" << -1;
    QTest::newRow("click after the last") << "A+ 20 A-" << 2 << "click" << "A+ 20 A- 10 M+ 10 M-" << 2;
    QTest::newRow("click after the first") << "A+ 20 A-" << 0 << "click" << "A+ 20 M+ 10 M- 10 A-" << 0;
    QTest::newRow("click after a middle key") << "A+ 20 A- 30 B+" << 2 << "click" << "A+ 20 A- 10 M+ 10 M- 30 B+" << 2;
    QTest::newRow("click after a delay") << "A+ 20 A-" << 1 << "click" << "A+ 20 M+ 10 M- 10 A-" << 1;
    QTest::newRow("click after the only key") << "A+" << 0 << "click" << "A+ 10 M+ 10 M-" << 0;

    // Delays.
    QTest::newRow("delay, nothing selected") << "A+ 10 A-" << -1 << "delay 250" << "A+ 10 A- 250" << -1;
    QTest::newRow("delay at the first key") << "A+ 10 A-" << 0 << "delay 250" << "A+ 10 A-" << 0;
    QTest::newRow("delay before a key") << "A+ 10 A-" << 2 << "delay 250" << "A+ 250 A-" << 1;
    QTest::newRow("delay on a delay") << "A+ 10 A-" << 1 << "delay 65535" << "A+ 65535 A-" << 1;
    QTest::newRow("delay between two keys") << "A+ B+ 10 A-" << 1 << "delay 40" << "A+ 40 B+ 10 A-" << 1;

    // Deletes.
    QTest::newRow("delete clears three, none selected") << "A+ 10 A-" << -1 << "delete" << "" << -1;
    QTest::newRow("delete clears three") << "A+ 10 A-" << 1 << "delete" << "" << -1;
    QTest::newRow("delete needs a selection") << "A+ 10 B+ 10 A-" << -1 << "delete" << "A+ 10 B+ 10 A-" << -1;
    QTest::newRow("delete the last") << "A+ 10 B+ 20 A-" << 4 << "delete" << "A+ 10 B+" << 2;
    QTest::newRow("delete the first") << "A+ 10 B+ 20 A-" << 0 << "delete" << "B+ 20 A-" << 0;
    QTest::newRow("delete a middle key") << "A+ 10 B+ 20 A-" << 2 << "delete" << "A+ 10 A-" << 2;
    QTest::newRow("delete a delay") << "A+ 10 B+ 20 A-" << 3 << "delete" << "A+ 10 A-" << 2;
    QTest::newRow("delete keeps later rows") << "A+ 10 B+ 20 A- 30 B-" << 1 << "delete" << "B+ 20 A- 30 B-" << 0;
}

void TestMacroEventList::edit()
{
    QFETCH(QString, before);
    QFETCH(int, current);
    QFETCH(QString, operation);
    QFETCH(QString, after);
    QFETCH(int, currentAfter);

    MacroEventList list = List(before, current);
    const QStringList words = operation.split(QLatin1Char(' '));
    if (words[0] == QLatin1String("key"))
        list.InsertKey(Item(words[1]));
    else if (words[0] == QLatin1String("click"))
        list.InsertMouseClick(4, 0x04);
    else if (words[0] == QLatin1String("delay"))
        list.InsertDelay(words[1].toUInt());
    else
        list.DeleteSelected();

    QCOMPARE(Text(list.Items()), after);
    QCOMPARE(list.CurrentRow(), currentAfter);
}

void TestMacroEventList::deleteEveryRowOfUnshapedLists_data()
{
    QTest::addColumn<QString>("before");
    // For each selected row: the list afterwards, then "@" and the selected row.
    QTest::addColumn<QStringList>("after");

    // Files may start with a delay: it has no key before it and goes alone.
    QTest::newRow("leading delay") << "5 A+ 10 A- 20 B+"
                                   << QStringList{"A+ 10 A- 20 B+ @0", "5 A- 20 B+ @1", "5 A- 20 B+ @1",
                                                  "5 A+ 10 B+ @3", "5 A+ 10 B+ @3", "5 A+ 10 A- @3"};
    QTest::newRow("leading delay, four items")
        << "7 A+ 10 A-" << QStringList{"A+ 10 A- @0", "7 A- @1", "7 A- @1", "7 A+ @1"};
    QTest::newRow("delays only") << "10 20 30 40" << QStringList{"20 30 40 @0", "30 40 @0", "10 40 @1", "10 20 @1"};
    QTest::newRow("two keys in a row")
        << "A+ B+ 10 A- 20 B-"
        << QStringList{"10 A- 20 B- @0", "A+ A- 20 B- @1", "A+ A- 20 B- @1", "A+ B+ 10 B- @3", "A+ B+ 10 B- @3",
                       "A+ B+ 10 A- @3"};
    QTest::newRow("trailing delay") << "A+ 10 A- 20" << QStringList{"A- 20 @0", "A- 20 @0", "A+ 10 @1", "A+ 10 @1"};
}

void TestMacroEventList::deleteEveryRowOfUnshapedLists()
{
    QFETCH(QString, before);
    QFETCH(QStringList, after);

    QCOMPARE(after.size(), Items(before).size());
    for (int row = 0; row < after.size(); ++row) {
        MacroEventList list = List(before, row);
        QVERIFY(list.DeleteSelected());
        QCOMPARE(Text(list.Items()) + QStringLiteral(" @") + QString::number(list.CurrentRow()), after[row]);
    }
}

void TestMacroEventList::appendsSelectTheKey()
{
    MacroEventList list;
    list.AddKey(Item("A+"));
    QCOMPARE(list.CurrentRow(), 0);
    list.AddDelay(800);
    QCOMPARE(list.CurrentRow(), 0);
    list.AddKey(Item("A-"));
    QCOMPARE(list.CurrentRow(), 2);
    QCOMPARE(Text(list.Items()), QStringLiteral("A+ 800 A-"));

    list.SetCurrentRow(3);
    QCOMPARE(list.CurrentRow(), -1);
    list.Clear();
    QVERIFY(list.IsEmpty());
    QCOMPARE(list.CurrentRow(), -1);
}

void TestMacroEventList::amendKeepsPressOrRelease()
{
    MacroEventList list = List("A+ 10 A-", -1);
    QVERIFY(!list.Amend(Item("B+")));

    list.SetCurrentRow(2);
    QVERIFY(!list.Amend(MacroItem::Delay(5)));
    QVERIFY(list.Amend(Item("B+")));
    QCOMPARE(Text(list.Items()), QStringLiteral("A+ 10 B-"));

    list.SetCurrentRow(1);
    QVERIFY(!list.Amend(Item("B+")));
    QVERIFY(list.Amend(MacroItem::Delay(65535)));
    QCOMPARE(Text(list.Items()), QStringLiteral("A+ 65535 B-"));
}

QTEST_GUILESS_MAIN(TestMacroEventList)
#include "test_macro_event_list.moc"
