// The idle light-off selectors: the item table (texts, device values and
// the seconds the hosts pass), selections from code that never send, and
// the number and units of the slider variant.
#include "test_frames_fixture.h"

#include "stop_close_time.h"
#include "stop_close_time_b.h"

#include <QSpinBox>

using namespace frames;

namespace {

QComboBox* Combo(StopCloseTime& frame)
{
    return frame.findChild<QComboBox*>(QStringLiteral("StopClose"));
}

} // namespace

class TestFramesStopClose : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void itemTableRoundTrips_data();
    void itemTableRoundTrips();
    void otherSecondsHaveNoItem_data();
    void otherSecondsHaveNoItem();
    void levelAndTextsNeverSend();
    void sliderVariantShowsTimeAndUnit_data();
    void sliderVariantShowsTimeAndUnit();
    void sliderVariantUnitsComeFromTwoItemTexts();
};

void TestFramesStopClose::initTestCase()
{
    QVERIFY(SimMouse::Start());
}

void TestFramesStopClose::init()
{
    ResetDevice();
}

void TestFramesStopClose::itemTableRoundTrips_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("deviceValue");
    const char* texts[] = {"10秒", "30秒", "1分钟", "5分钟", "10分钟", "15分钟",
                           "20分钟", "25分钟", "30分钟", "35分钟", "40分钟"};
    const int values[] = {1, 3, 6, 30, 60, 90, 120, 150, 180, 210, 240};
    for (int item = 0; item < 11; ++item)
        QTest::addRow("item %d", item) << item << QString::fromUtf8(texts[item]) << values[item];
}

// The seconds the button page reports (byte 0x08 x 10) select the item whose
// choice writes that byte again.
void TestFramesStopClose::itemTableRoundTrips()
{
    QFETCH(int, item);
    QFETCH(QString, text);
    QFETCH(int, deviceValue);
    StopCloseTime frame;
    QCOMPARE(Combo(frame)->count(), 11);
    QCOMPARE(Combo(frame)->itemText(item), text);
    QCOMPARE(StopCloseTime::DeviceValue(item), deviceValue);
    QCOMPARE(StopCloseTime::ItemOfSeconds(deviceValue * 10), item);

    ShowFrame(&frame);
    ChooseItem(Combo(frame), item);
    ExpectImage({{0x08, deviceValue}}, 1);

    frame.SetLevel(StopCloseTime::ItemOfSeconds(int(g_deviceImage.at(0x08)) * 10));
    QCOMPARE(Combo(frame)->currentIndex(), item);
    QCOMPARE(SimMouse::Sends(), 1);
}

void TestFramesStopClose::otherSecondsHaveNoItem_data()
{
    QTest::addColumn<int>("seconds");
    QTest::newRow("0") << 0;
    QTest::newRow("20") << 20;
    QTest::newRow("61") << 61;
    QTest::newRow("3000") << 3000;
}

void TestFramesStopClose::otherSecondsHaveNoItem()
{
    QFETCH(int, seconds);
    QCOMPARE(StopCloseTime::ItemOfSeconds(seconds), -1);
    StopCloseTime frame;
    frame.SetLevel(2);
    frame.SetLevel(StopCloseTime::ItemOfSeconds(seconds));
    QCOMPARE(Combo(frame)->currentIndex(), 2);
}

void TestFramesStopClose::levelAndTextsNeverSend()
{
    StopCloseTime frame;
    QCOMPARE(Combo(frame)->currentIndex(), 0);
    for (int item = 0; item < 11; ++item) {
        frame.SetLevel(item);
        QCOMPARE(Combo(frame)->currentIndex(), item);
        frame.SetLevelText(item, QStringLiteral("time %1").arg(item));
        QCOMPARE(Combo(frame)->itemText(item), QStringLiteral("time %1").arg(item));
    }
    QCOMPARE(Combo(frame)->maxVisibleItems(), 15);
    ExpectImage({}, 0);
}

void TestFramesStopClose::sliderVariantShowsTimeAndUnit_data()
{
    QTest::addColumn<bool>("bySlider");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("shown");
    const char* shown[] = {"10 s", "30 s", "1 min", "5 min", "10 min", "15 min",
                           "20 min", "25 min", "30 min", "35 min", "40 min"};
    for (bool bySlider : {false, true}) {
        for (int item = 0; item < 11; ++item)
            QTest::addRow("%s item %d", bySlider ? "dragged" : "set", item)
                << bySlider << item << QString::fromLatin1(shown[item]);
    }
}

void TestFramesStopClose::sliderVariantShowsTimeAndUnit()
{
    QFETCH(bool, bySlider);
    QFETCH(int, item);
    QFETCH(QString, shown);
    StopCloseTimeB frame;
    frame.SetUnitText(0, QStringLiteral("10 s"));
    frame.SetUnitText(5, QStringLiteral("15 min"));
    auto* slider = frame.findChild<QSlider*>(QStringLiteral("StopClose"));
    auto* number = frame.findChild<QSpinBox*>(QStringLiteral("spinBoxA"));

    if (bySlider) {
        frame.SetLevel(item == 0 ? 1 : 0);
        slider->setSliderDown(true);
        slider->setSliderPosition(item + 1);
        QCOMPARE(number->text(), shown);
        ExpectImage({}, 0);
        slider->setSliderDown(false);
        ExpectImage({{0x08, StopCloseTime::DeviceValue(item)}}, 1);
    } else {
        frame.SetLevel(item);
        ExpectImage({}, 0);
    }
    QCOMPARE(slider->value(), item + 1);
    QCOMPARE(number->text(), shown);
}

void TestFramesStopClose::sliderVariantUnitsComeFromTwoItemTexts()
{
    StopCloseTimeB frame;
    auto* number = frame.findChild<QSpinBox*>(QStringLiteral("spinBoxA"));
    frame.SetLevel(2);
    QCOMPARE(number->text(), QStringLiteral("1"));
    frame.SetUnitText(5, QStringLiteral("15分钟"));
    QCOMPARE(number->text(), QStringLiteral("1分钟"));
    frame.SetUnitText(3, QStringLiteral("5 ignored"));
    QCOMPARE(number->text(), QStringLiteral("1分钟"));
    frame.SetLevel(0);
    QCOMPARE(number->text(), QStringLiteral("10"));
    frame.SetUnitText(0, QStringLiteral("10秒"));
    QCOMPARE(number->text(), QStringLiteral("10秒"));
}

QTEST_MAIN(TestFramesStopClose)
#include "test_frames_stop_close.moc"
