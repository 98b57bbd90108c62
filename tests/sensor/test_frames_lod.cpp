// The lift-off distance frames: the two item layouts (with and without the
// 0.7 mm item of the "3950" sensor), selection by device value, unit texts,
// fills that send nothing, and the check-box variant.
#include "test_frames_fixture.h"

#include "sensor_lod.h"
#include "sensor_lod_b.h"

#include <QCheckBox>

using namespace frames;

namespace {

QComboBox* Combo(SensorLOD& frame)
{
    return frame.findChild<QComboBox*>(QStringLiteral("LOD"));
}

QStringList Items(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QCheckBox* Box(SensorLODB& frame, const char* name)
{
    return frame.findChild<QCheckBox*>(QString::fromLatin1(name));
}

} // namespace

class TestFramesLod : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void construction();
    void levelSelectsTheItemOfTheDeviceValue_data();
    void levelSelectsTheItemOfTheDeviceValue();
    void smallLevelIsAddedAndRemovedOnce();
    void addingAndRemovingKeepTheDistance_data();
    void addingAndRemovingKeepTheDistance();
    void unitTextLeavesTheSmallItem_data();
    void unitTextLeavesTheSmallItem();
    void fillFromAnotherSensorSendsNothing();
    void disabledComboCannotBeChosen();
    void checkBoxVariantLevels_data();
    void checkBoxVariantLevels();
    void checkBoxVariantLayout();
};

void TestFramesLod::initTestCase()
{
    QVERIFY(SimMouse::Start());
}

void TestFramesLod::init()
{
    ResetDevice();
}

void TestFramesLod::construction()
{
    SensorLOD frame;
    QCOMPARE(frame.objectName(), QStringLiteral("SensorLOD"));
    QCOMPARE(Items(Combo(frame)), QStringList({"1mm", "2mm"}));
    QCOMPARE(Combo(frame)->currentText(), QStringLiteral("1mm"));
    QVERIFY(!Combo(frame)->isEnabled());
    frame.SetLevelEnabled(true);
    QVERIFY(Combo(frame)->isEnabled());
}

void TestFramesLod::levelSelectsTheItemOfTheDeviceValue_data()
{
    QTest::addColumn<bool>("sensor3950");
    QTest::addColumn<int>("deviceByte");
    QTest::addColumn<QString>("shown");
    QTest::newRow("3950, 0.7 mm") << true << 3 << "0.7mm";
    QTest::newRow("3950, 1 mm") << true << 1 << "1mm";
    QTest::newRow("3950, 2 mm") << true << 2 << "2mm";
    QTest::newRow("3950, unknown 5 keeps 2 mm") << true << 5 << "2mm";
    QTest::newRow("3950, 0 keeps 2 mm") << true << 0 << "2mm";
    QTest::newRow("other, 1 mm") << false << 1 << "1mm";
    QTest::newRow("other, 2 mm") << false << 2 << "2mm";
    QTest::newRow("other, 0.7 mm has no item") << false << 3 << "";
}

void TestFramesLod::levelSelectsTheItemOfTheDeviceValue()
{
    QFETCH(bool, sensor3950);
    QFETCH(int, deviceByte);
    QFETCH(QString, shown);
    SensorLOD frame;
    g_sensorPageUpdating = true;
    if (sensor3950)
        frame.AddSmallLevel();
    frame.SetLevel(1); // 2 mm first, so "keeps" shows a kept selection
    frame.SetLevel(deviceByte - 1);
    g_sensorPageUpdating = false;

    QCOMPARE(Combo(frame)->currentText(), shown);
    QCOMPARE(Combo(frame)->count(), sensor3950 ? 3 : 2);
    ExpectImage({}, 0);
}

void TestFramesLod::smallLevelIsAddedAndRemovedOnce()
{
    g_sendEnabled = false;
    SensorLOD frame;
    frame.RemoveSmallLevel();
    QCOMPARE(Items(Combo(frame)), QStringList({"1mm", "2mm"}));
    frame.AddSmallLevel();
    frame.AddSmallLevel();
    QCOMPARE(Items(Combo(frame)), QStringList({"0.7mm", "1mm", "2mm"}));
    frame.RemoveSmallLevel();
    frame.RemoveSmallLevel();
    QCOMPARE(Items(Combo(frame)), QStringList({"1mm", "2mm"}));
}

void TestFramesLod::addingAndRemovingKeepTheDistance_data()
{
    QTest::addColumn<bool>("add");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("shown");
    QTest::newRow("add with 1 mm") << true << 0 << "1mm";
    QTest::newRow("add with 2 mm") << true << 1 << "2mm";
    QTest::newRow("remove with 0.7 mm") << false << 2 << "1mm";
    QTest::newRow("remove with 2 mm") << false << 1 << "2mm";
}

void TestFramesLod::addingAndRemovingKeepTheDistance()
{
    QFETCH(bool, add);
    QFETCH(int, level);
    QFETCH(QString, shown);
    g_sensorPageUpdating = true;
    SensorLOD frame;
    if (!add)
        frame.AddSmallLevel();
    frame.SetLevel(level);
    if (add)
        frame.AddSmallLevel();
    else
        frame.RemoveSmallLevel();
    QCOMPARE(Combo(frame)->currentText(), shown);
}

void TestFramesLod::unitTextLeavesTheSmallItem_data()
{
    QTest::addColumn<bool>("sensor3950");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("two items, Russian") << false << QStringLiteral("мм")
                                        << QStringList({QStringLiteral("1 мм"), QStringLiteral("2 мм")});
    QTest::newRow("three items, Russian")
        << true << QStringLiteral("мм") << QStringList({"0.7mm", QStringLiteral("1 мм"), QStringLiteral("2 мм")});
    QTest::newRow("three items, English") << true << "mm" << QStringList({"0.7mm", "1 mm", "2 mm"});
}

void TestFramesLod::unitTextLeavesTheSmallItem()
{
    QFETCH(bool, sensor3950);
    QFETCH(QString, unit);
    QFETCH(QStringList, items);
    g_sendEnabled = false;
    SensorLOD frame;
    if (sensor3950)
        frame.AddSmallLevel();
    frame.SetUnitText(unit);
    QCOMPARE(Items(Combo(frame)), items);
}

// A fill raises the page's flag, so the index changes of adding, removing
// and selecting items never reach the mouse.
void TestFramesLod::fillFromAnotherSensorSendsNothing()
{
    SensorLOD frame;
    g_sensorPageUpdating = true;
    frame.AddSmallLevel();
    frame.SetLevel(2);
    frame.SetLevelEnabled(true);
    frame.RemoveSmallLevel();
    frame.SetLevel(0);
    frame.SetLevelEnabled(false);
    g_sensorPageUpdating = false;

    QCOMPARE(Items(Combo(frame)), QStringList({"1mm", "2mm"}));
    QCOMPARE(Combo(frame)->currentText(), QStringLiteral("1mm"));
    ExpectImage({}, 0);
}

void TestFramesLod::disabledComboCannotBeChosen()
{
    SensorLOD frame;
    ShowFrame(&frame);
    QComboBox* combo = Combo(frame);
    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, combo->rect().center());
    QTest::keyClick(combo, Qt::Key_Down);
    QVERIFY(!combo->view()->isVisible());
    QCOMPARE(combo->currentIndex(), 0);
    ExpectImage({}, 0);
}

void TestFramesLod::checkBoxVariantLevels_data()
{
    QTest::addColumn<bool>("smallShown");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("checked");
    QTest::newRow("1 mm") << false << 0 << "MM1";
    QTest::newRow("2 mm") << false << 1 << "MM2";
    QTest::newRow("0.7 mm hidden keeps 2 mm") << false << 2 << "MM2";
    QTest::newRow("0.7 mm shown") << true << 2 << "MM0";
    QTest::newRow("unknown keeps 2 mm") << true << 3 << "MM2";
}

void TestFramesLod::checkBoxVariantLevels()
{
    QFETCH(bool, smallShown);
    QFETCH(int, level);
    QFETCH(QString, checked);
    SensorLODB frame;
    if (smallShown)
        frame.ShowSmallLevel();
    frame.SetLevel(1);
    frame.SetLevel(level);
    for (const char* name : {"MM0", "MM1", "MM2"})
        QCOMPARE(Box(frame, name)->isChecked(), checked == QLatin1String(name));
    ExpectImage({}, 0);
}

void TestFramesLod::checkBoxVariantLayout()
{
    SensorLODB frame;
    QCOMPARE(frame.objectName(), QStringLiteral("SensorLODB"));
    QVERIFY(Box(frame, "MM0")->isHidden());
    frame.HideSmallLevel();
    QCOMPARE(Box(frame, "MM1")->x(), 80);
    QCOMPARE(Box(frame, "MM2")->x(), 165);
    frame.ShowSmallLevel();
    QVERIFY(!Box(frame, "MM0")->isHidden());
    QCOMPARE(Box(frame, "MM0")->x(), 80);
    QCOMPARE(Box(frame, "MM1")->x(), 165);
    QCOMPARE(Box(frame, "MM2")->x(), 250);

    frame.SetLevelEnabled(false);
    QVERIFY(!Box(frame, "MM1")->isEnabled());
    QVERIFY(!Box(frame, "MM2")->isEnabled());
    QVERIFY(Box(frame, "MM0")->isEnabled());
}

QTEST_MAIN(TestFramesLod)
#include "test_frames_lod.moc"
