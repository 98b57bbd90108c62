// The sensor page's files and decisions without widgets: the sensor feature
// file (its parser and the shipped sample), Level.ini, the conversion tables
// and when the sensor mode "Corded" is forced.
#include "config_store.h"
#include "dpi_code.h"
#include "paths.h"
#include "sensor_feature_file.h"
#include "sensor_page_rules.h"

#include <QtTest>

#include <QTemporaryDir>

using SensorPageRules::SensorMode;

Q_DECLARE_METATYPE(SensorMode)

namespace {

// The features and definitions of a parsed file as one line of text.
QString Summary(const SensorFeatureFile& file)
{
    QStringList parts;
    const QPair<const char*, QString> lists[] = {
        {"mode", file.sensorModeSelect}, {"lod", file.liftOffCalibration}, {"ripple", file.ripple},
        {"fix", file.fixLine},           {"sync", file.motionSync},        {"pad", file.mousepadCalibration}};
    for (const auto& list : lists) {
        if (!list.second.isEmpty())
            parts << QStringLiteral("%1=%2").arg(QLatin1String(list.first), list.second);
    }
    for (int i = 0; i < file.defineNames.size(); ++i)
        parts << QStringLiteral("%1:%2").arg(file.defineNames.at(i)).arg(file.defineValues.at(i));
    return parts.join(QLatin1Char(' '));
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(content);
    return path;
}

} // namespace

class TestSensorPageRules : public QObject {
    Q_OBJECT
private slots:
    void featureFile_data();
    void featureFile();
    void featureFileThatCannotBeRead();
    void listedSensors();
    void shippedFeatureFile();
    void levelFile_data();
    void levelFile();
    void performanceTime();
    void rateLevelOfAFill_data();
    void rateLevelOfAFill();
    void rateSetAndResetDefaults();
    void sensorMode_data();
    void sensorMode();
};

void TestSensorPageRules::featureFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("summary");

    QTest::newRow("feature lists") << "#define SUPPORT_SENSOR_MODE_SEL\t3950,3395\n#define SUPPORT_LOD_CAL\tQ3311\n"
                                      "#define SUPPORT_RIPPLE\t3395\n#define SUPPORT_FIXLINE\t3950\n"
                                      "#define SUPPORT_MOTION_SYNC\t3950\n#define SUPPORT_MOUSEPAD_CAL\t3395\n"
                                   << "mode=3950,3395 lod=Q3311 ripple=3395 fix=3950 sync=3950 pad=3395";
    QTest::newRow("a later list replaces the earlier")
        << "#define SUPPORT_RIPPLE\t3395\n#define SUPPORT_RIPPLE\tQ3311\n" << "ripple=Q3311";
    QTest::newRow("the first key in test order decides")
        << "#define SUPPORT_RIPPLE\tSUPPORT_LOD_CAL\n" << "lod=SUPPORT_LOD_CAL";
    QTest::newRow("the first piece is not looked at") << "//#define SUPPORT_FIXLINE\t3950\n" << "fix=3950";
    QTest::newRow("a key without a list") << "#define SUPPORT_RIPPLE\n#define SUPPORT_FIXLINE\t\n" << "";
    QTest::newRow("hexadecimal value") << "#define SENSOR_X_DPI_800\t0x1A\n" << "SENSOR_X_DPI_800:26";
    QTest::newRow("decimal value") << "#define SENSOR_X_DPI_800\t26\n" << "SENSOR_X_DPI_800:26";
    QTest::newRow("value that is no number") << "#define A\tabc\n" << "A:0";
    QTest::newRow("commented decimal") << "#define A\t26 //dpi\n" << "A:26";
    QTest::newRow("commented hexadecimal reads decimal only") << "#define A\t0x1A //dpi\n" << "A:0";
    QTest::newRow("blank inside the value") << "#define A\t2 6\n" << "";
    QTest::newRow("more than a value after the name") << "#define A\t5\t6\n#define B\t5\t6" << "";
    QTest::newRow("tabs do not cut pieces") << "#define\tA\t5\n" << "";
    QTest::newRow("no tab after the name") << "#define A\n" << "";
    QTest::newRow("other lines") << "#ifndef X\n#define X\n/* two words */\n#endif\n" << "";
    QTest::newRow("duplicates kept in file order") << "#define A\t1\n#define B\t2\n#define A\t3\n" << "A:1 B:2 A:3";
    QTest::newRow("last line without a line break") << "#define A\t1\n#define B\t0x20" << "A:1 B:32";
    QTest::newRow("last commented line without a line break") << "#define A\t1\n#define B\t7 //x" << "A:1 B:7";
    QTest::newRow("Windows line ends") << "#define A\t1\r\n#define SUPPORT_RIPPLE\tQ3311\r\n"
                                       << "ripple=Q3311 A:1";
    QTest::newRow("CR line ends") << "#define A\t1\r#define SUPPORT_RIPPLE\tQ3311\r#define B\t2 //x\r"
                                  << "ripple=Q3311 A:1 B:2";
    QTest::newRow("tab or blank after the value")
        << "#define A\t5\t\n#define SUPPORT_RIPPLE\t3395\t\n#define B\t0x20 \n#define C\t7\t" << "ripple=3395 A:5 B:32 C:7";
}

void TestSensorPageRules::featureFile()
{
    QFETCH(QString, text);
    QFETCH(QString, summary);
    SensorFeatureFile file;
    file.Parse(text);
    QCOMPARE(Summary(file), summary);

    // The same text read from disk as UTF-8.
    QTemporaryDir dir;
    SensorFeatureFile read;
    QVERIFY(read.Read(WriteFile(dir, QStringLiteral("driver_sensor.h"), text.toUtf8())));
    QCOMPARE(Summary(read), summary);
}

void TestSensorPageRules::featureFileThatCannotBeRead()
{
    QTemporaryDir dir;
    SensorFeatureFile file;
    QVERIFY(!file.Read(dir.filePath(QStringLiteral("missing.h"))));
    QVERIFY(!file.Read(WriteFile(dir, QStringLiteral("empty.h"), QByteArray())));
    QCOMPARE(Summary(file), QString());
}

void TestSensorPageRules::listedSensors()
{
    QVERIFY(IsSensorListed(QStringLiteral("3950,3395"), QStringLiteral("3395")));
    QVERIFY(!IsSensorListed(QStringLiteral("3950,3395"), QStringLiteral("Q3311")));
    QVERIFY(!IsSensorListed(QStringLiteral("q3311"), QStringLiteral("Q3311")));
    // A model without a sensor name counts as listed everywhere.
    QVERIFY(IsSensorListed(QString(), QString()));
    QVERIFY(IsSensorListed(QStringLiteral("3950"), QString()));
}

// The sample beside the program: every option frame is shown for one
// catalogue model and hidden for another, and the table sensor has a code
// for every DPI its model can set.
void TestSensorPageRules::shippedFeatureFile()
{
    const QString path = AppFolder() + QStringLiteral("/driver_sensor.h");
    QFile raw(path);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    QVERIFY(raw.readAll().endsWith('\n'));

    SensorFeatureFile file;
    QVERIFY(file.Read(path));
    const ConfigStore* config = ConfigStore::Instance();
    QStringList sensors;
    for (int model = 1; model <= 4; ++model)
        sensors << config->Value(QStringLiteral("Drive%1").arg(model), QStringLiteral("Sensor"));
    QCOMPARE(sensors, QStringList({"3950", "3395", "Q3311", "3395"}));

    for (const QString& list : {file.sensorModeSelect, file.liftOffCalibration, file.ripple, file.fixLine,
                                file.motionSync}) {
        int listed = 0;
        for (const QString& sensor : sensors)
            listed += IsSensorListed(list, sensor) ? 1 : 0;
        QVERIFY2(listed > 0 && listed < sensors.size(), qPrintable(list));
    }
    // The one model whose switches differ most: ripple control only.
    QVERIFY(IsSensorListed(file.ripple, QStringLiteral("Q3311")));
    QVERIFY(!IsSensorListed(file.fixLine, QStringLiteral("Q3311")));
    QVERIFY(!IsSensorListed(file.motionSync, QStringLiteral("Q3311")));

    g_sensorDefineNames = file.defineNames;
    g_sensorDefineValues = file.defineValues;
    g_sensorModel = QStringLiteral("Q3311");
    QVERIFY(LoadDpiRangeModel(config->ValueList(QStringLiteral("Drive3"), QStringLiteral("DPIRange"))));
    for (int k = 0; k < g_dpiRangeModel.count; ++k) {
        const int step = g_dpiRangeModel.step[k].toInt();
        for (int dpi = g_dpiRangeModel.minima.at(k); dpi <= g_dpiRangeModel.maxima.at(k); dpi += step) {
            const DpiStageCode code = EncodeDpiStage(dpi, 0);
            DPIStage stage;
            stage.x = uint8_t(code.code);
            stage.flags = uint8_t(code.flags);
            QCOMPARE(ReadDpiStage(stage), dpi);
        }
    }
    // The other sensors use the arithmetic form.
    for (const QString& name : file.defineNames)
        QVERIFY2(!name.contains(QLatin1String("SENSOR_3950_DPI")) && !name.contains(QLatin1String("SENSOR_3395_DPI")),
                 qPrintable(name));
}

void TestSensorPageRules::levelFile_data()
{
    QTest::addColumn<QByteArray>("content"); // "-" for no file
    QTest::addColumn<int>("count");

    QTest::newRow("missing") << QByteArray("-") << 1;
    QTest::newRow("empty") << QByteArray() << 1;
    QTest::newRow("empty first line") << QByteArray("\n5\n") << 1;
    QTest::newRow("number") << QByteArray("5\n") << 5;
    QTest::newRow("number without a line break") << QByteArray("3") << 3;
    QTest::newRow("Windows line end") << QByteArray("7\r\n") << 7;
    QTest::newRow("only the first line counts") << QByteArray("2\n9\n") << 2;
    QTest::newRow("no number") << QByteArray("abc\n") << 0;
}

void TestSensorPageRules::levelFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, count);
    QTemporaryDir dir;
    const QString path = content == "-" ? dir.filePath(QStringLiteral("Level.ini"))
                                        : WriteFile(dir, QStringLiteral("Level.ini"), content);
    QCOMPARE(ReadLevelFile(path), count);
}

void TestSensorPageRules::performanceTime()
{
    const int bytes[6] = {3, 6, 12, 30, 60, 90};
    for (int index = 0; index < 6; ++index) {
        QCOMPARE(SensorPageRules::PerformanceTimeOfIndex(index), bytes[index]);
        QCOMPARE(SensorPageRules::PerformanceIndexOfTime(bytes[index]), index);
    }
    for (int other : {-1, 6})
        QCOMPARE(SensorPageRules::PerformanceTimeOfIndex(other), -1);
    for (int other : {0, 1, 120, 255})
        QCOMPARE(SensorPageRules::PerformanceIndexOfTime(other), -1);
}

void TestSensorPageRules::rateLevelOfAFill_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("receiverLevel");
    QTest::addColumn<int>("cableLevel");

    QTest::newRow("125 Hz") << 8 << 0 << 0;
    QTest::newRow("250 Hz") << 4 << 1 << 1;
    QTest::newRow("500 Hz") << 2 << 2 << 2;
    QTest::newRow("1000 Hz") << 1 << 3 << 3;
    QTest::newRow("2000 Hz") << 16 << 4 << 3;
    QTest::newRow("4000 Hz") << 32 << 5 << 3;
    QTest::newRow("8000 Hz") << 64 << 6 << 6;
    QTest::newRow("unknown code") << 3 << -1 << -1;
}

void TestSensorPageRules::rateLevelOfAFill()
{
    QFETCH(int, code);
    QFETCH(int, receiverLevel);
    QFETCH(int, cableLevel);
    QCOMPARE(SensorPageRules::FillRateLevel(code, false), receiverLevel);
    QCOMPARE(SensorPageRules::FillRateLevel(code, true), cableLevel);
}

void TestSensorPageRules::rateSetAndResetDefaults()
{
    // connection type: rate set; reset: rate set, level, sensor mode
    struct Row {
        int type;
        int rateSet;
        bool reset;
        int resetSet;
        int resetLevel;
        int resetMode;
    };
    const Row rows[] = {{0, 0, true, 0, 3, 0}, {2, 0, true, 0, 3, 0},  {1, 1, true, 1, 3, 2},
                        {3, 1, true, 1, 3, 2}, {4, 2, false, 0, 0, 0}, {5, 3, true, 3, 6, 2},
                        {6, -1, false, 0, 0, 0}};
    for (const Row& row : rows) {
        QCOMPARE(SensorPageRules::RateSetOfConnection(row.type), row.rateSet);
        const SensorPageRules::ResetDefaults defaults = SensorPageRules::ResetDefaultsOf(row.type);
        QCOMPARE(defaults.apply, row.reset);
        if (row.reset) {
            QCOMPARE(defaults.rateSet, row.resetSet);
            QCOMPARE(defaults.rateLevel, row.resetLevel);
            QCOMPARE(defaults.sensorModeIndex, row.resetMode);
        }
    }
}

void TestSensorPageRules::sensorMode_data()
{
    QTest::addColumn<bool>("listed");
    QTest::addColumn<bool>("wired");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("code");
    QTest::addColumn<SensorMode>("fill");
    QTest::addColumn<SensorMode>("report");

    QTest::newRow("not listed") << false << false << 1 << 1 << SensorMode::LowPower << SensorMode::Keep;
    QTest::newRow("not listed, cable") << false << true << 2 << 32 << SensorMode::LowPower << SensorMode::Keep;
    QTest::newRow("cable at 1000 Hz") << true << true << 2 << 1 << SensorMode::Corded << SensorMode::Keep;
    QTest::newRow("cable at 8000 Hz") << true << true << 2 << 64 << SensorMode::Corded << SensorMode::Keep;
    QTest::newRow("4K receiver at 1000 Hz") << true << false << 1 << 1 << SensorMode::Stored << SensorMode::Stored;
    QTest::newRow("4K receiver at 2000 Hz") << true << false << 1 << 16 << SensorMode::Corded
                                            << SensorMode::RevealCorded;
    QTest::newRow("2K receiver at 2000 Hz") << true << false << 4 << 16 << SensorMode::Corded
                                            << SensorMode::RevealCorded;
    QTest::newRow("8K receiver at 4000 Hz") << true << false << 5 << 32 << SensorMode::Corded
                                            << SensorMode::RevealCorded;
    // A fill counts 8000 Hz as a rate report does: reopening shows what
    // choosing the rate showed.
    QTest::newRow("8K receiver at 8000 Hz") << true << false << 5 << 64 << SensorMode::Corded
                                            << SensorMode::RevealCorded;
    QTest::newRow("1K receiver at 2000 Hz") << true << false << 0 << 16 << SensorMode::Stored
                                            << SensorMode::RevealCorded;
    QTest::newRow("unknown rate code") << true << false << 1 << 3 << SensorMode::Stored << SensorMode::Keep;
}

void TestSensorPageRules::sensorMode()
{
    QFETCH(bool, listed);
    QFETCH(bool, wired);
    QFETCH(int, type);
    QFETCH(int, code);
    QFETCH(SensorMode, fill);
    QFETCH(SensorMode, report);
    QCOMPARE(SensorPageRules::SensorModeOnFill(listed, wired, type, code), fill);
    QCOMPARE(SensorPageRules::SensorModeOnRateReport(listed, wired, code), report);

    // The rate selector's news: at most 1000 Hz gives the choice back to a
    // receiver; more forces "Corded" on the receivers that can go faster.
    const bool fast = type == 1 || type == 4 || type == 5;
    QCOMPARE(SensorPageRules::SensorModeOnRateChoice(listed, wired, type, 0),
             listed && !wired ? SensorMode::Stored : SensorMode::Keep);
    QCOMPARE(SensorPageRules::SensorModeOnRateChoice(listed, wired, type, 1),
             listed && fast ? SensorMode::RevealCorded : SensorMode::Keep);
    QCOMPARE(SensorPageRules::SensorModeOnRateChoice(listed, wired, type, 2), SensorMode::Keep);
}

QTEST_MAIN(TestSensorPageRules)
#include "test_sensorpage_rules.moc"
