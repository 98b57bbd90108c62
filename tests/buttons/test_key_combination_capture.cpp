// The key-combination capture with a clock of the test's own: the 2000 ms
// window, repeats, replacement of a full field, the item-wise duplicate
// rule, "Num+", keys without a name, and the result of OK.
#include "key_combination_capture.h"

#include <QtTest>

class TestKeyCombinationCapture : public QObject {
    Q_OBJECT

private slots:
    void sequences_data();
    void sequences();
    void items_data();
    void items();
    void combine_data();
    void combine();
    void mouseEditsAndRestart();
};

void TestKeyCombinationCapture::sequences_data()
{
    QTest::addColumn<QString>("events"); // "41@100": press 0x41 at 100 ms; "41u@150": its release
    QTest::addColumn<QString>("field");

    QTest::newRow("three keys") << "41@0 42@100 43@200" << "A+B+C";
    QTest::newRow("fourth key replaces a full field") << "41@0 42@100 43@200 44@300" << "D";
    QTest::newRow("2000 ms after the start still adds") << "41@0 42@2000" << "A+B";
    QTest::newRow("2001 ms after the start begins anew") << "41@0 42@100 43@2001" << "C";
    QTest::newRow("a replaced field keeps the start") << "41@0 42@100 43@200 44@300 45@2001" << "E";
    QTest::newRow("held key repeats") << "41@0 41@500 41@1000 41@1900" << "A";
    QTest::newRow("held key past the window") << "41@0 42@100 42@1500 42@2100" << "B";
    QTest::newRow("releases change nothing") << "41@0 41u@50 42u@60" << "A";
    QTest::newRow("same key again") << "41@0 41u@50 41@100" << "A";
    QTest::newRow("key already in the field") << "41@0 42@100 41@200" << "A+B";
    QTest::newRow("third key may come again") << "41@0 42@100 43@200 43@300" << "C";
    QTest::newRow("1 after F1") << "70@0 31@100" << "F1+1";
    QTest::newRow("E after Esc") << "1b@0 45@100" << "Esc+E";
    QTest::newRow("S after Scroll") << "91@0 53@100" << "Scroll+S";
    QTest::newRow("1 after Num1") << "61@0 31@100" << "Num1+1";
    QTest::newRow("F1 after F1 and A") << "70@0 41@100 70@200" << "F1+A";
    QTest::newRow("modifiers and Space add nothing") << "a0@0 a1@10 a2@20 a3@30 a4@40 a5@50 5b@60 5c@70 20@80" << "";
    QTest::newRow("modifier empties a full field") << "41@0 42@100 43@200 a0@300" << "";
    QTest::newRow("keys without a name add nothing") << "0c@0 ff@100 7c@200" << "";
    QTest::newRow("Num+ and a key") << "6b@0 41@100" << "Num++A";
    QTest::newRow("Num+ counts as two") << "6b@0 41@100 42@200" << "B";
    QTest::newRow("Num- then Num+") << "6d@0 6b@100" << "Num-+Num+";
    QTest::newRow("Num+ twice") << "6b@0 41@100 6b@200 6b@300" << "Num+";
}

void TestKeyCombinationCapture::sequences()
{
    QFETCH(QString, events);
    QFETCH(QString, field);

    qint64 now = 0;
    KeyCombinationCapture capture([&now] { return now; });
    for (const QString& event : events.split(QLatin1Char(' '))) {
        const QStringList parts = event.split(QLatin1Char('@'));
        now = parts[1].toLongLong();
        const bool release = parts[0].endsWith(QLatin1Char('u'));
        const int keyCode = QString(parts[0]).remove(QLatin1Char('u')).toInt(nullptr, 16);
        capture.Key(keyCode, !release);
    }
    QCOMPARE(capture.Field(), field);
}

void TestKeyCombinationCapture::items_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("one") << "Esc" << QStringList{"Esc"};
    QTest::newRow("three") << "A+B+C" << QStringList{"A", "B", "C"};
    QTest::newRow("Num+ first") << "Num++A" << QStringList{"Num+", "A"};
    QTest::newRow("Num+ last") << "A+Num+" << QStringList{"A", "Num+"};
    QTest::newRow("Num+ alone") << "Num+" << QStringList{"Num+"};
    QTest::newRow("Num+ between") << "A+Num++B" << QStringList{"A", "Num+", "B"};
}

void TestKeyCombinationCapture::items()
{
    QFETCH(QString, field);
    QFETCH(QStringList, items);
    QCOMPARE(KeyCombinationCapture::Items(field), items);
}

void TestKeyCombinationCapture::combine_data()
{
    QTest::addColumn<QString>("boxes"); // letters S, C, A, W for the ticked boxes
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("result");

    QTest::newRow("ctrl alt del") << "CA" << "Del" << false << "Ctrl+Alt+Del";
    QTest::newRow("boxes in fixed order") << "WS" << "" << false << "Shift+Win";
    QTest::newRow("shift alt F4") << "SA" << "F4" << false << "Shift+Alt+F4";
    QTest::newRow("win alone") << "W" << "" << false << "Win";
    QTest::newRow("nothing") << "" << "" << false << "";
    QTest::newRow("keys alone") << "" << "BackSpace+\u2190+Enter" << false << "BackSpace+\u2190+Enter";
    QTest::newRow("three boxes") << "SCA" << "" << false << "Shift+Ctrl+Alt";
    QTest::newRow("box and three keys") << "S" << "A+B+C" << true << "";
    QTest::newRow("four boxes") << "SCAW" << "" << true << "";
    QTest::newRow("three boxes and a key") << "SCA" << "Del" << true << "";
    QTest::newRow("Num+ and a key") << "" << "Num++A" << false << "Num++A";
    QTest::newRow("Num+, a key and a box") << "C" << "Num++A" << true << "";
}

void TestKeyCombinationCapture::combine()
{
    QFETCH(QString, boxes);
    QFETCH(QString, field);
    QFETCH(bool, refused);
    QFETCH(QString, result);

    const std::optional<QString> combination = KeyCombinationCapture::Combine(
        boxes.contains('S'), boxes.contains('C'), boxes.contains('A'), boxes.contains('W'), field);
    QCOMPARE(!combination.has_value(), refused);
    if (combination)
        QCOMPARE(*combination, result);
}

void TestKeyCombinationCapture::mouseEditsAndRestart()
{
    qint64 now = 0;
    KeyCombinationCapture capture([&now] { return now; });
    capture.SetField(QStringLiteral("ctrl+x"));
    QCOMPARE(capture.Field(), QStringLiteral("CTRL+X"));
    capture.Key(0x41, true); // one "+" in the field: the key is the third item
    QCOMPARE(capture.Field(), QStringLiteral("CTRL+X+A"));

    capture.Restart();
    QCOMPARE(capture.Field(), QString());
    now = 100;
    capture.Key(0x41, true); // the last key was forgotten
    QCOMPARE(capture.Field(), QStringLiteral("A"));
}

QTEST_APPLESS_MAIN(TestKeyCombinationCapture)
#include "test_key_combination_capture.moc"
