// DPI codes of the stage records: the range model loaded from a catalogue
// list, the encoder and the decoder on both paths (arithmetic and definition
// table) for every range rule, the clamping at the code's limits, and the
// write through the device image.
#include "app_state.h"
#include "device_image_setters.h"
#include "dpi_code.h"
#include "sim_mouse.h"
#include "test_image.h"

#include <QtTest>

#include <climits>

namespace {

// A sensor with a definition table: 100 to 6400 DPI in steps of 100, codes
// that the arithmetic form would never give.
const char* const kTableSensor = "T1";
int TableCode(int dpi)
{
    return dpi / 100 + 0x10;
}

void LoadDefinitions()
{
    g_sensorDefineNames.clear();
    g_sensorDefineValues.clear();
    g_sensorDefineNames << QStringLiteral("SENSOR_COUNT");
    g_sensorDefineValues << 4;
    for (int dpi = 100; dpi <= 6400; dpi += 100) {
        g_sensorDefineNames << QStringLiteral("SENSOR_%1_DPI_%2").arg(QLatin1String(kTableSensor)).arg(dpi);
        g_sensorDefineValues << TableCode(dpi);
    }
    // A definition file may name any DPI.
    g_sensorDefineNames << QStringLiteral("SENSOR_HUGE_DPI_2000000000");
    g_sensorDefineValues << 1;
}

QStringList List(const char* text)
{
    QStringList items = QString::fromLatin1(text).split(QLatin1Char(','));
    for (QString& item : items)
        item = item.trimmed();
    return text[0] ? items : QStringList();
}

DPIStage Record(int code, int flags)
{
    DPIStage stage;
    stage.x = stage.y = uint8_t(code);
    stage.flags = uint8_t(flags);
    return stage;
}

} // namespace

class TestDpiCode : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void rangeModel_data();
    void rangeModel();
    void encodeAndReadBack_data();
    void encodeAndReadBack();
    void readStage_data();
    void readStage();
    void writeStageGoesThroughTheImage();
};

void TestDpiCode::initTestCase()
{
    QVERIFY(SimMouse::Start());
}

void TestDpiCode::init()
{
    LoadDefinitions();
}

void TestDpiCode::rangeModel_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QVector<int>>("maxima");
    QTest::addColumn<QString>("lowest");  // bounds after the load
    QTest::addColumn<QString>("highest");
    QTest::addColumn<QString>("firstStep");

    // Loaded over a model of two segments 50-10000 and 10100-30000.
    QTest::newRow("one segment, mode 0") << List("100, 26000, 50, 0") << true << 1 << 0 << QVector<int>{26000}
                                         << "100" << "26000" << "50";
    QTest::newRow("two segments, 0x22") << List("50,12000,50,12100,26000,100,0x22") << true << 2 << 0x22
                                        << QVector<int>{12000, 26000} << "50" << "26000" << "50";
    QTest::newRow("three segments, mode without prefix")
        << List("50,5000,50,5100,10000,100,10200,20000,200,33") << true << 3 << 0x33
        << QVector<int>{5000, 10000, 20000} << "50" << "20000" << "50";
    QTest::newRow("four segments") << List("100,1000,100,1100,2000,100,2200,4000,200,4400,8000,400,0x33") << true
                                   << 4 << 0x33 << QVector<int>{1000, 2000, 4000, 8000} << "100" << "8000" << "100";
    QTest::newRow("mode that is no number") << List("100,1000,100,x") << true << 1 << 0 << QVector<int>{1000}
                                            << "100" << "1000" << "100";
    // No last item: no mode, no segments, the earlier texts stay.
    QTest::newRow("empty list") << QStringList() << false << 0 << 0 << QVector<int>() << "50" << "30000" << "50";
    QTest::newRow("too short for a segment") << List("100,1000,0x11") << false << 0 << 0x11 << QVector<int>()
                                             << "50" << "30000" << "50";
    QTest::newRow("five segments") << List("1,2,1,3,4,1,5,6,1,7,8,1,9,10,1,0x33") << false << 5 << 0x33
                                   << QVector<int>() << "50" << "30000" << "50";
}

void TestDpiCode::rangeModel()
{
    QFETCH(QStringList, list);
    QFETCH(bool, loaded);
    QFETCH(int, count);
    QFETCH(int, mode);
    QFETCH(QVector<int>, maxima);
    QFETCH(QString, lowest);
    QFETCH(QString, highest);
    QFETCH(QString, firstStep);

    QVERIFY(LoadDpiRangeModel(List("50, 10000, 50, 10100, 30000, 100, 0x22")));
    QString minimum = QStringLiteral("50");
    QString maximum = QStringLiteral("30000");
    QCOMPARE(LoadDpiRangeModel(list), loaded);
    QCOMPARE(DpiRangeBounds(g_dpiRangeModel, &minimum, &maximum), loaded);

    QCOMPARE(g_dpiRangeModel.count, count);
    QCOMPARE(g_dpiRangeModel.mode, mode);
    QCOMPARE(g_dpiRangeModel.maxima, maxima);
    QCOMPARE(g_dpiRangeModel.minima.size(), maxima.size());
    QCOMPARE(minimum, lowest);
    QCOMPARE(maximum, highest);
    QCOMPARE(g_dpiRangeModel.step[0], firstStep);
}

void TestDpiCode::encodeAndReadBack_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<QStringList>("range");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("oldFlags");
    QTest::addColumn<int>("code"); // byte 0 (and 1)
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("shown"); // what the reader makes of it

    const QStringList twoSegments22 = List("50,10000,50,10100,26000,100,0x22");
    const QStringList twoSegments11 = List("100,12800,100,13000,25600,200,0x11");
    const QStringList fourSegments = List("50,5000,50,5050,10000,50,10100,20000,100,20200,26000,200,0x33");
    const QStringList lowFourSegments = List("50,1000,50,1050,2000,50,2100,4000,100,4200,6000,200,0x33");
    const QStringList noRule = List("50,26000,50,0");

    // Arithmetic: code dpi / (50 x multiplier) - 1.
    QTest::newRow("0x22 below the first maximum") << "A8" << twoSegments22 << 800 << 0 << 15 << 0 << 800;
    QTest::newRow("0x22 above it: step 100") << "A8" << twoSegments22 << 12000 << 0 << 119 << 0x22 << 12000;
    QTest::newRow("0x11 below the first maximum") << "A8" << twoSegments11 << 6400 << 0 << 127 << 0 << 6400;
    QTest::newRow("0x11 above it: doubled") << "A8" << twoSegments11 << 20000 << 0 << 199 << 0x11 << 20000;
    QTest::newRow("0x33 in the first segment") << "A8" << fourSegments << 3000 << 0 << 59 << 0 << 3000;
    QTest::newRow("0x33 above the first maximum only") << "A8" << fourSegments << 8000 << 0 << 159 << 0 << 8000;
    QTest::newRow("0x33 above the second") << "A8" << fourSegments << 15000 << 0 << 149 << 0x22 << 15000;
    QTest::newRow("0x33 above the third") << "A8" << fourSegments << 24000 << 0 << 239 << 0x11 << 24000;
    QTest::newRow("0x33 above the fourth") << "A8" << lowFourSegments << 12000 << 0 << 59 << 0x33 << 12000;
    QTest::newRow("rounded down to the step") << "A8" << twoSegments22 << 12050 << 0 << 119 << 0x22 << 12000;
    QTest::newRow("0x11 without maxima: no rule") << "A8" << List("0x11") << 800 << 0 << 15 << 0 << 800;
    QTest::newRow("0x33 with five segments: no rule")
        << "A8" << List("1,2,1,3,4,1,5,6,1,7,8,1,9,10,1,0x33") << 800 << 0 << 15 << 0 << 800;
    QTest::newRow("empty range: no rule") << "A8" << QStringList() << 800 << 0 << 15 << 0 << 800;

    // Ten-bit codes: bits 8-9 go to flag bits 2-3 and 6-7.
    QTest::newRow("3395, 26000 without a rule") << "3395" << noRule << 26000 << 0 << 7 << 0x88 << 26000;
    QTest::newRow("3950, 30000 at step 100")
        << "3950" << List("50,10000,50,10100,30000,100,0x22") << 30000 << 0 << 43 << 0x66 << 30000;
    QTest::newRow("3395, 26000 doubled") << "3395" << fourSegments << 26000 << 0 << 3 << 0x55 << 26000;
    QTest::newRow("3395, 12800 in ten bits") << "3395" << noRule << 12800 << 0 << 255 << 0 << 12800;

    // Beyond the code: the largest encodable DPI, never a truncated code.
    QTest::newRow("eight bits clamp") << "A8" << noRule << 20000 << 0 << 255 << 0 << 12800;
    QTest::newRow("ten bits clamp") << "3950" << List("50,60000,50,0") << 60000 << 0 << 255 << 0xCC << 51200;
    QTest::newRow("below the first code") << "A8" << noRule << 20 << 0 << 0 << 0 << 50;

    // Definition table: the code of dpi / multiplier, read back times the
    // multiplier of the flags.
    QTest::newRow("table, no rule") << kTableSensor << List("100,6400,100,0") << 800 << 0 << TableCode(800) << 0
                                    << 800;
    QTest::newRow("table, 0x11 doubled")
        << kTableSensor << List("100,6400,100,6600,12800,200,0x11") << 12800 << 0 << TableCode(6400) << 0x11 << 12800;
    QTest::newRow("table, 0x22 halved")
        << kTableSensor << List("100,6400,100,6600,12800,200,0x22") << 10000 << 0 << TableCode(5000) << 0x22 << 10000;
    QTest::newRow("table, 0x33 step 100")
        << kTableSensor << List("100,1600,100,1700,3200,100,3400,6400,200,6800,12800,400,0x33") << 4000 << 0
        << TableCode(2000) << 0x22 << 4000;
    QTest::newRow("table, 0x33 quartered")
        << kTableSensor << List("100,1600,100,1700,3200,100,3400,6400,200,6800,12800,400,0x33") << 20000 << 0
        << TableCode(5000) << 0x33 << 20000;
    QTest::newRow("table, above its largest DPI") << kTableSensor << List("100,10000,100,0") << 10000 << 0
                                                  << TableCode(6400) << 0 << 6400;
    // A DPI between the definitions: dpi / 50 (dpi / 100 when the stage was
    // at step 100), shown as whichever definition has that code.
    QTest::newRow("table, missing definition") << kTableSensor << List("100,6400,100,0") << 850 << 0 << 17 << 0
                                               << 100;
    QTest::newRow("table, missing definition at step 100")
        << kTableSensor << List("100,6400,100,0") << 850 << 0x22 << 8 << 0 << 0;
}

void TestDpiCode::encodeAndReadBack()
{
    QFETCH(QString, sensor);
    QFETCH(QStringList, range);
    QFETCH(int, dpi);
    QFETCH(int, oldFlags);
    QFETCH(int, code);
    QFETCH(int, flags);
    QFETCH(int, shown);

    g_sensorModel = sensor;
    LoadDpiRangeModel(range);
    const DpiStageCode encoded = EncodeDpiStage(dpi, oldFlags);
    QCOMPARE(encoded.code & 0xFF, code);
    QCOMPARE(encoded.flags, flags);
    QCOMPARE(ReadDpiStage(Record(encoded.code, encoded.flags)), shown);
}

void TestDpiCode::readStage_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("shown");

    QTest::newRow("arithmetic") << "A8" << 15 << 0 << 800;
    QTest::newRow("eight-bit sensor ignores the high bits") << "A8" << 15 << 0xC0 << 800;
    QTest::newRow("ten-bit sensor reads bits 6-7") << "3395" << 7 << 0x80 << 26000;
    QTest::newRow("table") << kTableSensor << TableCode(3200) << 0 << 3200;
    QTest::newRow("table, unknown code") << kTableSensor << 3 << 0 << 0;
    QTest::newRow("table, number missing after DPI_") << "T2" << 9 << 0 << 0;
    QTest::newRow("huge definition at step 100 stops at the end of int") << "HUGE" << 1 << 0x22 << INT_MAX;
    QTest::newRow("huge definition quartered stops at the end of int") << "HUGE" << 1 << 0x33 << INT_MAX;
}

void TestDpiCode::readStage()
{
    QFETCH(QString, sensor);
    QFETCH(int, code);
    QFETCH(int, flags);
    QFETCH(int, shown);

    g_sensorDefineNames << QStringLiteral("SENSOR_T2_DPI_X");
    g_sensorDefineValues << 9;
    g_sensorModel = sensor;
    QCOMPARE(ReadDpiStage(Record(code, flags)), shown);
}

void TestDpiCode::writeStageGoesThroughTheImage()
{
    g_sensorModel = QStringLiteral("3950");
    LoadDpiRangeModel(List("50,10000,50,10100,30000,100,0x22"));
    g_deviceImage = FlashDataMap();
    g_deviceImage.dpiStages[3].red = 7;
    SimControl::clearCallLog();

    QVERIFY(WriteDpiStage(3, 30000));
    const DPIStage& stage = g_deviceImage.dpiStages[3];
    QCOMPARE(int(stage.x), 43);
    QCOMPARE(int(stage.y), 43);
    QCOMPARE(int(stage.flags), 0x66);
    QCOMPARE(int(stage.red), 7);
    QCOMPARE(SimMouse::Sends(), 1);
    QCOMPARE(SimControl::lastImageSent().at(0x0F + 6 * 3 + 2), char(0x66));

    // No stage checked, or no such stage: nothing is written or sent.
    const FlashDataMap before = g_deviceImage;
    QVERIFY(!WriteDpiStage(-1, 800));
    QVERIFY(!WriteDpiStage(8, 800));
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(before));
    QCOMPARE(SimMouse::Sends(), 1);

    // The fallback code of a missing definition follows the stage's flags
    // before the write.
    g_sensorModel = QString::fromLatin1(kTableSensor);
    LoadDpiRangeModel(List("100,6400,100,0"));
    g_deviceImage.dpiStages[5].flags = 0x22;
    QVERIFY(WriteDpiStage(5, 850));
    QCOMPARE(int(g_deviceImage.dpiStages[5].x), 8);
    QCOMPARE(int(g_deviceImage.dpiStages[5].flags), 0);
}

QTEST_MAIN(TestDpiCode)
#include "test_dpicode.moc"
