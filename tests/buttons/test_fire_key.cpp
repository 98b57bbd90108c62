// The fire-key dialog: presets kept within their ranges, and the results of
// each way it closes.
#include "fire_key.h"

#include "find_child.h"

#include <QtTest>

#include <QSpinBox>
#include <QToolButton>

class TestFireKey : public QObject {
    Q_OBJECT

private slots:
    void presets_data();
    void presets();
    void closingWithoutOk_data();
    void closingWithoutOk();
};

void TestFireKey::presets_data()
{
    QTest::addColumn<bool>("preset");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("shownInterval");
    QTest::addColumn<int>("shownCount");

    QTest::newRow("nobody preset") << false << 0 << 0 << 10 << 3;
    QTest::newRow("stored values") << true << 128 << 1 << 128 << 1;
    QTest::newRow("count 0: fire while held") << true << 40 << 0 << 40 << 0;
    QTest::newRow("interval 0") << true << 0 << 3 << 10 << 3;
    QTest::newRow("above the ranges") << true << 300 << 5 << 255 << 3;
    QTest::newRow("below the ranges") << true << -5 << -1 << 10 << 0;
    QTest::newRow("the limits") << true << 255 << 3 << 255 << 3;
}

void TestFireKey::presets()
{
    QFETCH(bool, preset);
    QFETCH(int, interval);
    QFETCH(int, count);
    QFETCH(int, shownInterval);
    QFETCH(int, shownCount);

    FireKey dialog;
    if (preset) {
        dialog.SetTimeValue(interval);
        dialog.SetCountValue(count);
    }
    QCOMPARE(Child<QSpinBox>(&dialog, QStringLiteral("Time"))->value(), shownInterval);
    QCOMPARE(Child<QSpinBox>(&dialog, QStringLiteral("Count"))->value(), shownCount);

    dialog.show();
    Child<QToolButton>(&dialog, QStringLiteral("NewHong"))->click();
    QVERIFY(dialog.accepted);
    QCOMPARE(dialog.fireInterval, shownInterval);
    QCOMPARE(dialog.fireCount, shownCount);
    QVERIFY(!dialog.isVisible());
}

void TestFireKey::closingWithoutOk_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how : {"NewHong_2", "CloseButton", "Escape"})
        QTest::newRow(how) << how;
}

void TestFireKey::closingWithoutOk()
{
    QFETCH(QString, how);
    FireKey dialog;
    dialog.SetTimeValue(200);
    dialog.SetCountValue(0);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    if (how == "Escape")
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else
        Child<QToolButton>(&dialog, how)->click();
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.accepted);
    QCOMPARE(dialog.fireInterval, 10);
    QCOMPARE(dialog.fireCount, 3);
}

QTEST_MAIN(TestFireKey)
#include "test_fire_key.moc"
