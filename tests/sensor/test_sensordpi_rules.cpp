// The DPI stage editor's rules that need no widget: how the step buttons and
// the slider move a DPI value over the model's segments, where a dropped
// marker lands, and what a new stage count does with the current stage.
#include "dpi_code.h"
#include "sensor_dpi_rules.h"

#include <QtTest>

#include <climits>

namespace {

// Segments as the catalogue writes them: minimum, maximum, step per segment.
QVector<DpiSegment> Segments(std::initializer_list<int> values)
{
    QVector<DpiSegment> segments;
    const QVector<int> v(values);
    for (int i = 0; i + 2 < v.size(); i += 3)
        segments.append({v[i], v[i + 1], v[i + 2]});
    return segments;
}

} // namespace

Q_DECLARE_METATYPE(QVector<DpiSegment>)

class TestSensorDpiRules : public QObject {
    Q_OBJECT
private slots:
    void segmentsFromModel();
    void stepRules_data();
    void stepRules();
    void snapRule_data();
    void snapRule();
    void stageColorTexts_data();
    void stageColorTexts();
    void dropDecision_data();
    void dropDecision();
    void stageCountChange_data();
    void stageCountChange();
};

void TestSensorDpiRules::segmentsFromModel()
{
    LoadDpiRangeModel({"50", " 10000", "50", "10100", "26000", " 100", "0x22"});
    QVector<DpiSegment> segments = DpiSegmentsOf(g_dpiRangeModel);
    QCOMPARE(segments.size(), 2);
    QCOMPARE(segments[1].minimum, 10100);
    QCOMPARE(segments[1].maximum, 26000);
    QCOMPARE(segments[1].step, 100);

    // Texts are read at every use: a changed text counts at once.
    g_dpiRangeModel.step[0] = QStringLiteral("25");
    QCOMPARE(DpiSegmentsOf(g_dpiRangeModel)[0].step, 25);

    // A count outside 1..4 offers no segments, whatever texts are left.
    g_dpiRangeModel.count = 5;
    QVERIFY(DpiSegmentsOf(g_dpiRangeModel).isEmpty());
    LoadDpiRangeModel({});
    QCOMPARE(g_dpiRangeModel.count, 0);
    QVERIFY(DpiSegmentsOf(g_dpiRangeModel).isEmpty());
}

void TestSensorDpiRules::stepRules_data()
{
    QTest::addColumn<QVector<DpiSegment>>("segments");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("down");

    const QVector<DpiSegment> gap = Segments({50, 10000, 50, 10100, 26000, 100});
    QTest::newRow("inside first segment") << gap << 800 << 850 << 750;
    QTest::newRow("first maximum: up crosses the gap") << gap << 10000 << 10100 << 9950;
    QTest::newRow("second minimum: down uses the lower step") << gap << 10100 << 10200 << 10000;
    QTest::newRow("in the gap: next minimum both ways") << gap << 10050 << 10100 << 10100;
    QTest::newRow("last maximum still steps up") << gap << 26000 << 26100 << 25900;
    QTest::newRow("below every segment") << gap << 20 << 20 << 20;
    QTest::newRow("above every segment") << gap << 30000 << 30000 << 30000;

    const QVector<DpiSegment> touching = Segments({100, 10000, 100, 10000, 20000, 200});
    QTest::newRow("shared boundary: up with upper step") << touching << 10000 << 10200 << 9900;

    const QVector<DpiSegment> four = Segments({50, 5000, 50, 5050, 10000, 50, 10100, 20000, 100, 20200, 26000, 200});
    QTest::newRow("four segments, third gap") << four << 20100 << 20200 << 20200;
    QTest::newRow("four segments, last maximum") << four << 26000 << 26200 << 25800;

    const QVector<DpiSegment> zeroStep = Segments({50, 10000, 0, 10100, 26000, 100});
    QTest::newRow("step 0 leaves the value") << zeroStep << 800 << 800 << 800;
    QTest::newRow("step 0 segment, gap still moves") << zeroStep << 10050 << 10100 << 10100;

    QTest::newRow("no segments") << QVector<DpiSegment>() << 800 << 800 << 800;

    const QVector<DpiSegment> huge = Segments({50, INT_MAX, 100});
    QTest::newRow("maximum near the end of int stops there") << huge << INT_MAX - 50 << INT_MAX << INT_MAX - 150;
    QTest::newRow("at the end of int") << huge << INT_MAX << INT_MAX << INT_MAX - 100;
    const QVector<DpiSegment> negative = Segments({INT_MIN, 0, 100});
    QTest::newRow("minimum near the start of int stops there") << negative << INT_MIN + 50 << INT_MIN + 150 << INT_MIN;
}

void TestSensorDpiRules::stepRules()
{
    QFETCH(QVector<DpiSegment>, segments);
    QFETCH(int, value);
    QFETCH(int, up);
    QFETCH(int, down);
    QCOMPARE(StepDpiUp(value, segments), up);
    QCOMPARE(StepDpiDown(value, segments), down);
}

void TestSensorDpiRules::snapRule_data()
{
    QTest::addColumn<QVector<DpiSegment>>("segments");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("snapped");
    QTest::addColumn<int>("pageStep");

    const QVector<DpiSegment> gap = Segments({50, 10000, 50, 10100, 26000, 100});
    QTest::newRow("multiple of the step") << gap << 1234 << 1200 << 50;
    QTest::newRow("already on the grid") << gap << 800 << 800 << 50;
    QTest::newRow("gap: next minimum, next step") << gap << 10050 << 10100 << 100;
    QTest::newRow("second segment") << gap << 12345 << 12300 << 100;
    QTest::newRow("segment ends included") << gap << 26000 << 26000 << 100;
    QTest::newRow("outside every segment") << gap << 27000 << 27000 << 0;

    // Whole multiples of the step, but never below the segment's start.
    const QVector<DpiSegment> offGrid = Segments({50, 10000, 50, 10100, 26000, 200});
    QTest::newRow("multiple below minimum stays at minimum") << offGrid << 10150 << 10100 << 200;
    QTest::newRow("multiple above minimum") << offGrid << 10250 << 10200 << 200;

    const QVector<DpiSegment> zeroStep = Segments({50, 10000, 0, 10100, 26000, 100});
    QTest::newRow("step 0: unchanged, page step kept") << zeroStep << 1234 << 1234 << 0;
    QTest::newRow("step 0 segment: others still snap") << zeroStep << 12345 << 12300 << 100;
    const QVector<DpiSegment> negative = Segments({50, 10000, -50});
    QTest::newRow("negative step: unchanged") << negative << 1234 << 1234 << 0;

    QTest::newRow("no segments") << QVector<DpiSegment>() << 1234 << 1234 << 0;
}

void TestSensorDpiRules::snapRule()
{
    QFETCH(QVector<DpiSegment>, segments);
    QFETCH(int, value);
    QFETCH(int, snapped);
    QFETCH(int, pageStep);
    const SnappedDpi result = SnapDpi(value, segments);
    QCOMPARE(result.value, snapped);
    QCOMPARE(result.pageStep, pageStep);
}

void TestSensorDpiRules::stageColorTexts_data()
{
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QStringList>("colours");

    QStringList eight;
    QStringList eightTexts;
    for (int i = 0; i < 8; ++i) {
        eight << QString::number(i) << QStringLiteral(" 1") << QStringLiteral("2 ");
        eightTexts << QStringLiteral("%1,1,2").arg(i);
    }
    QTest::newRow("eight stages") << eight << eightTexts;
    QTest::newRow("beyond the eighth stage is ignored") << (eight + QStringList{"9", "9", "9"}) << eightTexts;
    QTest::newRow("incomplete last triple") << QStringList{"1", "2", "3", "4", "5", "6", "7"}
                                            << QStringList{"1,2,3", "4,5,6"};
    QTest::newRow("two numbers only") << QStringList{"1", "2"} << QStringList();
    QTest::newRow("empty list") << QStringList() << QStringList();
}

void TestSensorDpiRules::stageColorTexts()
{
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, colours);
    QCOMPARE(StageColorTexts(numbers), colours);
}

void TestSensorDpiRules::dropDecision_data()
{
    QTest::addColumn<bool>("onMarker");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("pointX");
    QTest::addColumn<int>("countIndex");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("change");

    const int back = MarkerDrop::Return;
    const int resend = MarkerDrop::ReturnAndResend;
    const int move = MarkerDrop::Move;

    QTest::newRow("released beside the marker") << false << 309 << 209 << 7 << back << 0 << 0;
    QTest::newRow("left of the row") << true << 14 << 27 << 7 << back << 0 << 0;
    QTest::newRow("right of the row") << true << 707 << 664 << 7 << back << 0 << 0;
    QTest::newRow("right edge of the row is inside") << true << 706 << 118 << 7 << move << 546 << 6;
    QTest::newRow("+1 from stage 2") << true << 309 << 209 << 7 << move << 91 << 1;
    QTest::newRow("dead zone after +1") << true << 340 << 209 << 7 << back << 0 << 0;
    QTest::newRow("+1 window low end") << true << 287 << 209 << 7 << move << 91 << 1;
    QTest::newRow("+1 window high end") << true << 338 << 209 << 7 << move << 91 << 1;
    QTest::newRow("too short for a stage") << true << 286 << 209 << 7 << back << 0 << 0;
    QTest::newRow("-1 window") << true << 140 << 209 << 7 << move << -91 << -1;
    QTest::newRow("+2 from stage 0") << true << 200 << 27 << 2 << move << 182 << 2;
    QTest::newRow("-2") << true << 30 << 209 << 7 << move << -182 << -2;
    QTest::newRow("+3") << true << 300 << 27 << 7 << move << 273 << 3;
    QTest::newRow("-3") << true << 50 << 300 << 7 << move << -273 << -3;
    QTest::newRow("+4") << true << 400 << 27 << 7 << move << 364 << 4;
    QTest::newRow("-4") << true << 40 << 391 << 7 << move << -364 << -4;
    QTest::newRow("+5 from stage 0 to stage 5") << true << 497 << 27 << 7 << move << 455 << 5;
    QTest::newRow("-5") << true << 40 << 483 << 7 << move << -455 << -5;
    QTest::newRow("+6") << true << 600 << 27 << 7 << move << 546 << 6;
    QTest::newRow("-6") << true << 40 << 573 << 7 << move << -546 << -6;
    QTest::newRow("+7") << true << 690 << 27 << 7 << move << 637 << 7;
    QTest::newRow("-7") << true << 40 << 664 << 7 << move << -637 << -7;
    QTest::newRow("past the limit of 3 stages") << true << 252 << 27 << 2 << resend << 0 << 0;
    QTest::newRow("at the limit of 3 stages") << true << 251 << 209 << 2 << back << 0 << 0;
    QTest::newRow("limit of 1 stage") << true << 70 << 27 << 0 << resend << 0 << 0;
    QTest::newRow("limit of 7 stages") << true << 613 << 573 << 6 << resend << 0 << 0;
    QTest::newRow("no limit with 8 stages") << true << 613 << 573 << 7 << back << 0 << 0;
    QTest::newRow("no limit without a count") << true << 300 << 209 << -1 << move << 91 << 1;
}

void TestSensorDpiRules::dropDecision()
{
    QFETCH(bool, onMarker);
    QFETCH(int, x);
    QFETCH(int, pointX);
    QFETCH(int, countIndex);
    QFETCH(int, outcome);
    QFETCH(int, shift);
    QFETCH(int, change);
    const MarkerDrop drop = DecideMarkerDrop(onMarker, x, pointX, countIndex);
    QCOMPARE(int(drop.outcome), outcome);
    QCOMPARE(drop.shift, shift);
    QCOMPARE(drop.stageChange, change);
}

void TestSensorDpiRules::stageCountChange_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("apply");
    QTest::addColumn<bool>("exchange");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    QTest::newRow("current beyond the new last stage") << 6 << 3 << true << true << 6 << 3;
    QTest::newRow("current is the new last stage") << 3 << 3 << true << false << -1 << -1;
    QTest::newRow("more stages") << 2 << 7 << true << false << -1 << -1;
    QTest::newRow("down to one stage") << 7 << 0 << true << true << 7 << 0;
    QTest::newRow("emptied combo") << 5 << -1 << false << false << -1 << -1;
    QTest::newRow("index beyond 8 stages") << 5 << 8 << false << false << -1 << -1;
    QTest::newRow("current stage from a bad image byte") << 9 << 2 << true << false << -1 << -1;
    QTest::newRow("negative current stage") << -1 << 2 << true << false << -1 << -1;
}

void TestSensorDpiRules::stageCountChange()
{
    QFETCH(int, current);
    QFETCH(int, index);
    QFETCH(bool, apply);
    QFETCH(bool, exchange);
    QFETCH(int, from);
    QFETCH(int, to);
    const StageCountChange change = PlanStageCountChange(current, index);
    QCOMPARE(change.apply, apply);
    QCOMPARE(change.exchange, exchange);
    QCOMPARE(change.from, from);
    QCOMPARE(change.to, to);
}

QTEST_APPLESS_MAIN(TestSensorDpiRules)
#include "test_sensordpi_rules.moc"
