// The import and reset dialog: the configuration export file codec, the
// reader's verdicts, and what the dialog does when its timer fires (import,
// wait for the pages, reconnect, offline).
#include "cache_name_rewrite.h"
#include "test_image.h"
#include "window_signals.h"

#include "app_state.h"
#include "config_export_file.h"
#include "config_store.h"
#include "device_cache.h"
#include "device_report.h"
#include "inport_fail.h"
#include "paths.h"
#include "startup.h"
#include "dpi_code.h"
#include "key_code_table.h"
#include "key_function.h"
#include "macro_block.h"
#include "sensor_feature_file.h"
#include "setting_ranges.h"
#include "up_data_param.h"
#include "window_closer.h"

#include <devicelib_control.h>

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>

namespace {

// An export file with the three arrays as given (null: the array is left out).
QByteArray ExportFile(const QByteArray& tag, const QByteArray& sensor, const QByteArray& image)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    for (const QByteArray* array : {&tag, &sensor, &image}) {
        if (!array->isNull())
            stream << *array;
    }
    return bytes;
}

QByteArray Field(const char* text)
{
    QByteArray field(text);
    field.append(QByteArray(ConfigExportFile::TextFieldSize - field.size(), '\0'));
    return field;
}

// An image whose settings all hold values the pages offer to every model
// of the catalogue (its stage count aside).
FlashDataMap OfferedImage(int stages = 4)
{
    FlashDataMap image;
    image.reportRate = 0x01; // 1000 Hz
    image.dpiStageCount = uint8_t(stages);
    image.liftOffDistance = 1;
    image.debounceTime = 4;
    image.lightOffTime = 6; // 1 min
    for (DPIStage& stage : image.dpiStages)
        stage.x = stage.y = 8;
    const uint8_t dpiLight[4] = {1, 128, 3, 1}; // steady, level 5, speed 3, on
    std::memcpy(image.dpiLed, dpiLight, sizeof dpiLight);
    return image;
}

QByteArray ImageWithStages(int stages)
{
    return ImageBytes(OfferedImage(stages));
}

// The image with bytes replaced: "offset:bytes" pieces in hexadecimal,
// "4A:060001 3DB:47" writes 06 00 01 at 0x4A and 47 at 0x3DB.
FlashDataMap Patched(FlashDataMap image, const QString& patches)
{
    for (const QString& patch : patches.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int colon = patch.indexOf(QLatin1Char(':'));
        const int offset = patch.left(colon).toInt(nullptr, 16);
        const QByteArray bytes = QByteArray::fromHex(patch.mid(colon + 1).toLatin1());
        for (int i = 0; i < bytes.size(); ++i)
            image.at(std::size_t(offset + i)) = uint8_t(bytes.at(i));
    }
    return image;
}

void SetModel(int modelIndex)
{
    DeviceAllInfo device;
    device.modelIndex = modelIndex;
    SetCurrentDevice(device);
}

void NoReport(const unsigned char*, int, const unsigned char*, int) {}

// A mouse's image with every setting the pages show moved to an end of what
// they offer for the model, written the way the pages write it, and with
// everything the pages do not show filled with 0xFF.
FlashDataMap EditedToTheLimits(FlashDataMap image, int modelIndex)
{
    using namespace SettingRanges;
    const ModelRanges model = ModelRangesOf(modelIndex);
    const ConfigStore* config = ConfigStore::Instance();
    g_sensorModel = model.sensor;
    LoadDpiRangeModel(config->ValueList(ConfigStore::ModelGroup(modelIndex), QStringLiteral("DPIRange")));

    image.byte3 = image.byte4 = image.reserved7A[0] = image.reserved7A[1] = 0xFF;
    image.dpiStageCount = uint8_t(model.maxStages);
    image.currentDpiStage = uint8_t(model.maxStages - 1);
    for (int stage = 0; stage < FlashDataMap::StageCount; ++stage) {
        DPIStage& record = image.dpiStages[stage];
        if (stage >= model.maxStages) {
            record = DPIStage{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
            continue;
        }
        const DpiStageCode code = EncodeDpiStage(stage == 0 ? model.dpiMinimum : model.dpiMaximum, record.flags);
        record.x = record.y = uint8_t(code.code);
        record.flags = uint8_t(code.flags);
    }
    image.liftOffDistance = OffersSmallLiftOff(model.sensor) ? 3 : 2;
    image.debounceTime = kDebounceMaxMs;
    image.lightOffTime = 240;
    image.sensorMode = HighPerformanceMode;
    image.performanceMode = 1;
    image.performanceTime = 90;
    image.rippleControl = image.straightLine = image.motionSync = 1;
    const uint8_t dpiLight[4] = {2, 255, kDpiLedSpeedMaximum, 1};
    std::memcpy(image.dpiLed, dpiLight, sizeof dpiLight);
    std::memset(image.ledBar, 0xFF, sizeof image.ledBar);

    // One function of each kind with parameters, on as many buttons as the
    // model has; the records of the others are not the model's.
    const uint8_t lockCode = uint8_t(DpiLockCode(1200, model.sensor, g_sensorDefineNames.toVector(), g_sensorDefineValues));
    const uint8_t functions[6][3] = {{4, 255, 3}, {6, 1, 255}, {10, lockCode, 0}, {5, 0, 0}, {11, 2, 0}, {8, 4, 0}};
    for (int button = 0; button < FlashDataMap::ButtonCount; ++button) {
        if (button < model.buttons && button < 6)
            std::memcpy(image.keyFunctions[button], functions[button], 3);
        else
            std::memset(image.keyFunctions[button], 0xFF, 3);
    }
    // The macro fills its block; the fire key's block is no macro's.
    MacroItems items;
    for (int key = 0; key < MacroBlockLayout::MaxEvents / 2; ++key)
        items << MacroItem::Press(KindKeyboard, 0x04) << MacroItem::Release(KindKeyboard, 0x04);
    MacroBlockBytes block = {};
    BuildMacroBlock(QString(MacroBlockLayout::NameBytes, QLatin1Char('M')), items, block);
    std::memcpy(image.macroBlocks[1], block, sizeof block);
    std::memset(image.macroBlocks[0], 0xFF, sizeof image.macroBlocks[0]);
    // The last multimedia item.
    KeyEventRecord media;
    media.bytes[0] = 2;
    media.SetEvent(0, {0, KindConsumer, kMediaUsages[std::size(kMediaUsages) - 1], 10});
    media.SetEvent(1, {1, KindConsumer, kMediaUsages[std::size(kMediaUsages) - 1], 10});
    std::memcpy(image.keyEvents[3], media.bytes, sizeof media.bytes);
    return image;
}

} // namespace

class TestShellImportDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void encodesTheExportLayout();
    void decodesWhatItEncodes();
    void cutsTheSensorNameAtACharacterBoundary_data();
    void cutsTheSensorNameAtACharacterBoundary();
    void writesTheWholeFileOrNothing();
    void readsAConfigurationFile_data();
    void readsAConfigurationFile();

    void acceptedImportReplacesAndSendsTheImage();
    void unsentImportKeepsTheImage_data();
    void unsentImportKeepsTheImage();
    void refusedImportShowsTheNotice();
    void importTakesOnlyOfferedValues_data();
    void importTakesOnlyOfferedValues();
    void everyModelsExportImports_data();
    void everyModelsExportImports();
    void waitPathKeepsTheFlags();
    void pageWaitRequestClearsTheFlags();
    void reconnectionClearsTheFlags();
    void reconnectionSavesUnderTheNameOfTheLastDump();
    void reconnectionTimeOutShowsTheTimeOutNotice();
    void offlineRefreshesThePagesFromTheCache_data();
    void offlineRefreshesThePagesFromTheCache();

private:
    QTemporaryDir m_dir;
    QString WriteFile(const QByteArray& bytes);
    static void Fire(UpDataParam& dialog);
};

void TestShellImportDialog::initTestCase()
{
    QVERIFY(m_dir.isValid());
    PrepareUserData();
    SimControl::loadWorldFile(SimControl::defaultWorldPath());
    // The catalogue's fourth model, on its cable, as the factory makes it.
    SimControl::MouseSetup pico(QStringLiteral("pico"), 23, 4);
    pico.onCable = true;
    QVERIFY(SimControl::addMouse(pico));
    SimControl::setLatencyMs(0);
    // The sensor page reads the DPI codes of the sensors when it is made.
    SensorFeatureFile features;
    QVERIFY(features.Read(AppFolder() + QStringLiteral("/driver_sensor.h")));
    g_sensorDefineNames = features.defineNames;
    g_sensorDefineValues = features.defineValues;
}

void TestShellImportDialog::init()
{
    SetModel(0);
    std::memset(g_deviceImage.bytes(), 0, FlashDataMap::Size);
    g_deviceReady = false;
    g_deviceOnline = false;
    g_sensorPageApplied = false;
    g_buttonPageApplied = false;
    g_importRequested = 0;
    g_importResult = -1;
    g_cacheNameOnSelect = QStringLiteral("Device_CID17_MID01.bin");
    g_cacheNameOnDump = QStringLiteral("Device_CID17_MID01.bin");
    QFile::remove(DeviceCachePath(g_cacheNameOnSelect));
    SimControl::clearCallLog();
}

QString TestShellImportDialog::WriteFile(const QByteArray& bytes)
{
    static int count = 0;
    const QString path = m_dir.filePath(QStringLiteral("config%1.bin").arg(++count));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// Runs the dialog's work as its timer would.
void TestShellImportDialog::Fire(UpDataParam& dialog)
{
    QMetaObject::invokeMethod(&dialog, "onTimeupDestroy");
}

void TestShellImportDialog::encodesTheExportLayout()
{
    FlashDataMap image;
    image.dpiStageCount = 6;
    image.macroBlocks[15][591] = 0xAB;
    const QByteArray file = ConfigExportFile::Encode(QStringLiteral("3950"), image);

    QCOMPARE(file.size(), int(ConfigExportFile::FileSize));
    QCOMPARE(file.mid(0, 4), QByteArray::fromHex("0000000c"));
    QCOMPARE(file.mid(4, 12), Field("Pelvo"));
    QCOMPARE(file.mid(16, 4), QByteArray::fromHex("0000000c"));
    QCOMPARE(file.mid(20, 12), Field("3950"));
    QCOMPARE(file.mid(32, 4), QByteArray::fromHex("000028bc"));
    QCOMPARE(file.mid(36), ImageBytes(image));

    // A sensor name longer than the field keeps its first 12 bytes.
    const QByteArray longName = ConfigExportFile::Encode(QStringLiteral("ABCDEFGHIJKLMNOP"), image);
    QCOMPARE(longName.size(), int(ConfigExportFile::FileSize));
    QCOMPARE(longName.mid(20, 12), QByteArray("ABCDEFGHIJKL"));
}

void TestShellImportDialog::decodesWhatItEncodes()
{
    FlashDataMap image;
    image.reportRate = 3;
    const ConfigExportFile::Contents contents = ConfigExportFile::Decode(ConfigExportFile::Encode(QStringLiteral("Q3311"), image));
    QCOMPARE(contents.tag, QStringLiteral("Pelvo"));
    QCOMPARE(contents.sensorName, QStringLiteral("Q3311"));
    QCOMPARE(contents.image, ImageBytes(image));
    QVERIFY(contents.complete);

    // Cut inside the image: the arrays read before stay, the image is empty.
    const ConfigExportFile::Contents cut =
        ConfigExportFile::Decode(ConfigExportFile::Encode(QStringLiteral("Q3311"), image).left(5000));
    QCOMPARE(cut.tag, QStringLiteral("Pelvo"));
    QCOMPARE(cut.sensorName, QStringLiteral("Q3311"));
    QVERIFY(cut.image.isEmpty());
    QVERIFY(!cut.complete);
}

void TestShellImportDialog::cutsTheSensorNameAtACharacterBoundary_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("field");

    QTest::newRow("short") << QStringLiteral("3395") << Field("3395");
    QTest::newRow("exactly 12 bytes") << QStringLiteral("ABCDEFGHIJKL") << QByteArray("ABCDEFGHIJKL");
    QTest::newRow("longer, ASCII") << QStringLiteral("ABCDEFGHIJKLMNOP") << QByteArray("ABCDEFGHIJKL");
    QTest::newRow("two-byte character across the end")
        << QString::fromUtf8("ABCDEFGHIJK\xC3\xA9") << Field("ABCDEFGHIJK");
    QTest::newRow("three-byte characters") << QString::fromUtf8("\xE4\xBC\xA0\xE6\x84\x9F\xE5\x99\xA8\xE5\x9E\x8B\xE5\x8F\xB7")
                                           << QByteArray("\xE4\xBC\xA0\xE6\x84\x9F\xE5\x99\xA8\xE5\x9E\x8B");
    QTest::newRow("four-byte character across the end")
        << QString::fromUtf8("ABCDEFGHIJ\xF0\x9F\x98\x80") << Field("ABCDEFGHIJ");
}

// The field never ends inside a character, and a reader comparing the model's
// name in its stored form matches the file the program wrote.
void TestShellImportDialog::cutsTheSensorNameAtACharacterBoundary()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, field);
    const QByteArray file = ConfigExportFile::Encode(name, FlashDataMap());
    QCOMPARE(file.size(), int(ConfigExportFile::FileSize));
    QCOMPARE(file.mid(20, 12), field);
    const QString stored = ConfigExportFile::StoredSensorName(name);
    QCOMPARE(stored.toUtf8(), field.left(field.indexOf('\0') < 0 ? field.size() : field.indexOf('\0')));
    QCOMPARE(ConfigExportFile::Decode(file).sensorName, stored);
}

void TestShellImportDialog::writesTheWholeFileOrNothing()
{
    FlashDataMap image;
    image.dpiStageCount = 5;
    image.macroBlocks[15][591] = 0x5A;

    // An older, longer file at the path is replaced as a whole.
    const QString path = WriteFile(QByteArray(20000, 'x'));
    QVERIFY(ConfigExportFile::Write(path, QStringLiteral("3950"), image));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), ConfigExportFile::Encode(QStringLiteral("3950"), image));

    // A folder that does not exist, or a folder in the file's place.
    const QString missing = m_dir.filePath(QStringLiteral("no-such-folder/config.bin"));
    QVERIFY(!ConfigExportFile::Write(missing, QStringLiteral("3950"), image));
    QVERIFY(!QFile::exists(missing));
    const QString folder = m_dir.filePath(QStringLiteral("a-folder"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(!ConfigExportFile::Write(folder, QStringLiteral("3950"), image));
    QVERIFY(QFileInfo(folder).isDir());
}

void TestShellImportDialog::readsAConfigurationFile_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("result");

    const QByteArray pelvo = Field("Pelvo");
    const QByteArray sensor = Field("3950"); // Drive1, at most 8 stages
    QTest::newRow("as exported") << 0 << ExportFile(pelvo, sensor, ImageWithStages(4)) << 0;
    QTest::newRow("stages at the maximum") << 0 << ExportFile(pelvo, sensor, ImageWithStages(8)) << 0;
    QTest::newRow("one stage more") << 0 << ExportFile(pelvo, sensor, ImageWithStages(9)) << 2;
    QTest::newRow("another model's limit") << 3 << ExportFile(pelvo, Field("3395"), ImageWithStages(5)) << 2;
    QTest::newRow("another sensor") << 0 << ExportFile(pelvo, Field("3395"), ImageWithStages(4)) << 2;
    QTest::newRow("sensor differs in case") << 2 << ExportFile(pelvo, Field("q3311"), ImageWithStages(4)) << 2;
    QTest::newRow("sensor matches exactly") << 2 << ExportFile(pelvo, Field("Q3311"), ImageWithStages(4)) << 0;
    QTest::newRow("short text fields") << 0 << ExportFile("Pelvo", "3950", ImageWithStages(2)) << 0;
    QTest::newRow("tag with trailing bytes after NUL") << 0
                                                       << ExportFile(QByteArray("Pelvo\0xyz", 9), sensor, ImageWithStages(2))
                                                       << 0;
    QTest::newRow("tag with another byte before NUL") << 0 << ExportFile(Field("Pelvox"), sensor, ImageWithStages(2)) << 1;
    QTest::newRow("tag in other case") << 0 << ExportFile(Field("pelvo"), sensor, ImageWithStages(2)) << 1;
    QTest::newRow("empty file") << 0 << QByteArray() << 1;
    QTest::newRow("ends inside the tag") << 0 << ExportFile(pelvo, sensor, ImageWithStages(2)).left(10) << 1;
    QTest::newRow("ends inside the sensor name") << 0 << ExportFile(pelvo, sensor, ImageWithStages(2)).left(22) << 1;
    QTest::newRow("ends after the sensor name") << 0 << ExportFile(pelvo, sensor, QByteArray()) << 1;
    QTest::newRow("ends inside the image") << 0 << ExportFile(pelvo, sensor, ImageWithStages(2)).left(5000) << 1;
    QTest::newRow("image too long") << 0 << ExportFile(pelvo, sensor, ImageWithStages(2) + QByteArray(8, '\0')) << 1;
    QTest::newRow("model without a stage limit") << 20 << ExportFile(pelvo, QByteArray(""), ImageWithStages(1)) << 2;
    // Without stages no page has anything to show: the mouse may not get it.
    QTest::newRow("model without a stage limit, no stages") << 20 << ExportFile(pelvo, QByteArray(""), ImageWithStages(0))
                                                            << 2;
}

void TestShellImportDialog::readsAConfigurationFile()
{
    QFETCH(int, model);
    QFETCH(QByteArray, file);
    QFETCH(int, result);
    SetModel(model);
    FlashDataMap image;
    image.reportRate = 0x77;
    QCOMPARE(UpDataParam::ReadConfigFile(WriteFile(file), &image), result);
    if (result == 0)
        QCOMPARE(ImageBytes(image), file.right(FlashDataMap::Size));
    QCOMPARE(UpDataParam::ReadConfigFile(m_dir.filePath(QStringLiteral("missing.bin")), &image), 1);
}

void TestShellImportDialog::acceptedImportReplacesAndSendsTheImage()
{
    FlashDataMap imported = OfferedImage(3);
    imported.lightOffTime = 30;
    const QByteArray path = SimControl::devicePath(QStringLiteral("aero-r4"));
    g_devicePath.set(path);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), NoReport));

    UpDataParam dialog;
    dialog.importMode = true;
    dialog.importFile = WriteFile(ConfigExportFile::Encode(QStringLiteral("3950"), imported));
    WindowSignals hub;
    Fire(dialog);

    QCOMPARE(g_importResult.load(), 0);
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(imported));
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(SimControl::lastImageSent(), ImageBytes(imported));
    QCOMPARE(hub.events, QStringList({QStringLiteral("SigSetver(4)"), QStringLiteral("SigUpDataLightUIA"),
                                       QStringLiteral("SigUpDataSensorUIB"), QStringLiteral("SigUpDataButtonUIC"),
                                       QStringLiteral("SigFormB")}));
    for (const FlashDataMap& image : hub.images)
        QCOMPARE(ImageBytes(image), ImageBytes(imported));
    QVERIFY(!dialog.importMode);
    UsbServer_Exit();
}

void TestShellImportDialog::unsentImportKeepsTheImage_data()
{
    QTest::addColumn<bool>("mouseOnline");
    QTest::newRow("mouse offline") << false;
    QTest::newRow("send refused") << true; // no connection takes the image
}

void TestShellImportDialog::unsentImportKeepsTheImage()
{
    QFETCH(bool, mouseOnline);
    g_devicePath.set(SimControl::devicePath(QStringLiteral("aero-r4")));
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("aero"), mouseOnline));
    g_deviceImage.lightOffTime = 5;
    const QByteArray before = ImageBytes(g_deviceImage);
    FlashDataMap imported = OfferedImage();
    imported.lightOffTime = 60;

    UpDataParam dialog;
    dialog.importMode = true;
    dialog.importFile = WriteFile(ConfigExportFile::Encode(QStringLiteral("3950"), imported));
    WindowSignals hub;
    Fire(dialog);

    // One offline notice; the pages keep showing what the mouse has.
    QCOMPARE(hub.events, QStringList({QStringLiteral("SigSetver(4)"), QStringLiteral("SigMouseOffLineo(0)")}));
    QCOMPARE(ImageBytes(g_deviceImage), before);
    QCOMPARE(SimControl::callCount(QStringLiteral("ProtocolDataUpdate")), mouseOnline ? 1 : 0);
    QVERIFY(!dialog.importMode);
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("aero"), true));
}

void TestShellImportDialog::refusedImportShowsTheNotice()
{
    g_deviceImage.lightOffTime = 5;
    const QByteArray before = ImageBytes(g_deviceImage);
    UpDataParam dialog;
    dialog.importMode = true;
    dialog.importFile = WriteFile(ExportFile(Field("Pelvo"), Field("3950"), ImageWithStages(9)));
    WindowSignals hub;

    QString noticeText;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* notice = qobject_cast<InportFail*>(widget)) {
                noticeText = notice->findChild<QLabel*>(QStringLiteral("label"))->text();
                notice->close();
            }
        }
    });
    Fire(dialog);

    QCOMPARE(g_importResult.load(), 2);
    QCOMPARE(noticeText, QStringLiteral("This configuration does not match the device."));
    QCOMPARE(ImageBytes(g_deviceImage), before);
    QCOMPARE(SimControl::callCount(QStringLiteral("ProtocolDataUpdate")), 0);
    QCOMPARE(hub.events, QStringList{QStringLiteral("SigSetver(4)")});
    QVERIFY(!dialog.importMode);
}

void TestShellImportDialog::importTakesOnlyOfferedValues_data()
{
    QTest::addColumn<QString>("patches");
    // The aero's factory image: 4 stages of 400 to 3200 DPI, the sensor 3950
    // (0.7, 1 and 2 mm), DPI 50 to 30000, six buttons.
    QTest::newRow("no DPI stages") << "01:00";
    QTest::newRow("more stages than the model has") << "01:09";
    QTest::newRow("current stage 7 of 4") << "02:07";
    QTest::newRow("current stage at the count") << "02:04";
    QTest::newRow("first stage above the DPI range") << "0F:FFFFFF";
    QTest::newRow("last used stage above the DPI range") << "21:FFFFFF";
    QTest::newRow("polling-rate code 3") << "00:03";
    QTest::newRow("polling-rate code 0") << "00:00";
    QTest::newRow("lift-off code 6") << "05:06";
    QTest::newRow("lift-off code 0") << "05:00";
    QTest::newRow("debounce 200 ms") << "06:C8";
    QTest::newRow("debounce 21 ms") << "06:15";
    QTest::newRow("sensor mode 9") << "0E:09";
    QTest::newRow("sensor mode Corded") << "0E:02";
    QTest::newRow("performance mode 2") << "0C:02";
    QTest::newRow("performance time 7") << "0D:07";
    QTest::newRow("motion sync 255") << "07:FF";
    QTest::newRow("angle snapping 2") << "09:02";
    QTest::newRow("ripple control 2") << "0A:02";
    QTest::newRow("idle light-off 0") << "08:00";
    QTest::newRow("idle light-off 7") << "08:07";
    QTest::newRow("DPI light mode 3 while on") << "3F:03";
    QTest::newRow("DPI light on 2") << "42:02";
    QTest::newRow("DPI light speed 0") << "41:00";
    QTest::newRow("DPI light speed 6") << "41:06";
    QTest::newRow("DPI light brightness 100") << "40:64";
    QTest::newRow("DPI light brightness 0") << "40:00";
    QTest::newRow("function type 12") << "4A:0C0000";
    QTest::newRow("mouse button 3") << "4A:010300";
    QTest::newRow("DPI switch 4") << "4A:020400";
    QTest::newRow("tilt 3") << "4D:030300";
    QTest::newRow("lights 2") << "4A:080200";
    QTest::newRow("wheel 0") << "4A:0B0000";
    QTest::newRow("fire interval 9") << "4A:040900";
    QTest::newRow("fire count 4") << "4A:040A04";
    QTest::newRow("DPI lock at 150") << "4A:0A0200";
    QTest::newRow("unknown multimedia key") << "4A:050000 7C:02000000 80:00029900 88:01029900";
    QTest::newRow("macro playing another button's block") << "4A:060101";
    QTest::newRow("macro repeat code 0") << "4A:060000";
    QTest::newRow("macro repeat code 251") << "4A:0600FB";
    QTest::newRow("macro block of 71 events") << "4A:060001 3DB:47";
    QTest::newRow("macro name longer than its field") << "4A:060001 3BC:1F";
    QTest::newRow("last button of the model") << "59:0C0000";
}

// What no page offers never reaches the mouse: the file is refused as one
// of another model is, and mouse and image stay as they were.
void TestShellImportDialog::importTakesOnlyOfferedValues()
{
    QFETCH(QString, patches);
    QVERIFY(SimControl::setMouseImage(QStringLiteral("aero"), SimControl::factoryImage(QStringLiteral("aero"))));
    const QByteArray mouseBefore = SimControl::mouseImage(QStringLiteral("aero"));
    g_deviceImage = ImageFromBytes(mouseBefore);
    const QByteArray path = SimControl::devicePath(QStringLiteral("aero-r4"));
    g_devicePath.set(path);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), NoReport));
    SimControl::clearCallLog();

    UpDataParam dialog;
    dialog.importMode = true;
    dialog.importFile = WriteFile(ConfigExportFile::Encode(QStringLiteral("3950"), Patched(g_deviceImage, patches)));
    WindowSignals hub;
    WindowCloser<InportFail> notices;
    Fire(dialog);
    UsbServer_Exit();

    QCOMPARE(g_importResult.load(), 2);
    QCOMPARE(notices.count, 1);
    QCOMPARE(notices.lastLabel, QStringLiteral("This configuration does not match the device."));
    QCOMPARE(hub.events, QStringList{QStringLiteral("SigSetver(4)")});
    QCOMPARE(SimControl::callCount(QStringLiteral("ProtocolDataUpdate")), 0);
    QCOMPARE(ImageBytes(g_deviceImage), mouseBefore);
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(SimControl::mouseImage(QStringLiteral("aero")), mouseBefore);
}

void TestShellImportDialog::everyModelsExportImports_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("mouse");
    QTest::addColumn<bool>("edited");
    const QStringList mice{QStringLiteral("aero"), QStringLiteral("lynx"), QStringLiteral("orca"), QStringLiteral("pico")};
    for (int model = 0; model < mice.size(); ++model) {
        QTest::addRow("%s as it leaves the factory", qPrintable(mice[model])) << model << mice[model] << false;
        QTest::addRow("%s edited to the pages' limits", qPrintable(mice[model])) << model << mice[model] << true;
    }
}

// A configuration the program exported from a mouse of the model imports
// into it: the factory's values, and whatever the pages let the user set.
void TestShellImportDialog::everyModelsExportImports()
{
    QFETCH(int, model);
    QFETCH(QString, mouse);
    QFETCH(bool, edited);
    SetModel(model);
    FlashDataMap image = ImageFromBytes(SimControl::factoryImage(mouse));
    if (edited)
        image = EditedToTheLimits(image, model);
    const QString sensor = ConfigStore::Instance()->Value(ConfigStore::ModelGroup(model), QStringLiteral("Sensor"));

    FlashDataMap read;
    QCOMPARE(UpDataParam::ReadConfigFile(WriteFile(ConfigExportFile::Encode(sensor, image)), &read), 0);
    QCOMPARE(ImageBytes(read), ImageBytes(image));
}

void TestShellImportDialog::waitPathKeepsTheFlags()
{
    UpDataParam dialog;
    dialog.waitForPages = true;
    g_deviceReady = true;
    g_sensorPageApplied = true;
    g_buttonPageApplied = true;
    WindowSignals hub;
    Fire(dialog);
    QCOMPARE(hub.events, QStringList{QStringLiteral("SigSetver(4)")});
    QVERIFY(g_sensorPageApplied && g_buttonPageApplied);
    // The next opening does not wait unless asked again.
    QVERIFY(!dialog.waitForPages);
}

// Acknowledgements given before a reset or a forced reconnection do not end
// the wait for the image that follows it.
void TestShellImportDialog::pageWaitRequestClearsTheFlags()
{
    UpDataParam dialog;
    g_sensorPageApplied = true;
    g_buttonPageApplied = true;
    dialog.RequestPageWait();
    QVERIFY(dialog.waitForPages);
    QVERIFY(!g_sensorPageApplied && !g_buttonPageApplied);

    // The pages take the new image while the dialog waits.
    QTimer::singleShot(1200, [] {
        g_sensorPageApplied = true;
        g_buttonPageApplied = true;
    });
    WindowSignals hub;
    QElapsedTimer clock;
    clock.start();
    Fire(dialog);
    QVERIFY(clock.elapsed() >= 1200 + 2000);
    QVERIFY(clock.elapsed() < 6000 + 2000);
    QCOMPARE(hub.events, QStringList{QStringLiteral("SigSetver(4)")});

    // Without acknowledgement the wait ends with the offline notice.
    dialog.RequestPageWait();
    Fire(dialog);
    QCOMPARE(hub.events, QStringList({QStringLiteral("SigSetver(4)"), QStringLiteral("SigSetver(4)"),
                                       QStringLiteral("SigMouseOffLineo(0)")}));
}

void TestShellImportDialog::reconnectionClearsTheFlags()
{
    UpDataParam dialog;
    g_deviceReady = true;
    g_deviceOnline = true;
    g_sensorPageApplied = true;
    g_buttonPageApplied = true;
    g_deviceImage.debounceTime = 12;
    WindowSignals hub;
    Fire(dialog);

    QCOMPARE(hub.events, QStringList{QStringLiteral("SigSetver(4)")});
    QVERIFY(!g_sensorPageApplied && !g_buttonPageApplied);
    // No cache yet for the selected device: the current image becomes it.
    FlashDataMap cached;
    QVERIFY(ReadDeviceCache(g_cacheNameOnDump, cached));
    QCOMPARE(cached.debounceTime, uint8_t(12));

    // An existing cache file is left as it is.
    g_deviceImage.debounceTime = 13;
    g_sensorPageApplied = true;
    g_buttonPageApplied = true;
    Fire(dialog);
    QVERIFY(ReadDeviceCache(g_cacheNameOnDump, cached));
    QCOMPARE(cached.debounceTime, uint8_t(12));
}

// The report thread rewrites the name under its lock; the save waits for it.
void TestShellImportDialog::reconnectionSavesUnderTheNameOfTheLastDump()
{
    UpDataParam dialog;
    g_deviceReady = true;
    g_deviceOnline = true;
    g_sensorPageApplied = true;
    g_buttonPageApplied = true;
    const QString interim = QStringLiteral("Device_CID17_MID05.bin");
    QFile::remove(DeviceCachePath(interim));
    {
        CacheNameRewrite rewrite(interim, g_cacheNameOnSelect, 1000);
        Fire(dialog);
    }
    QVERIFY(QFile::exists(DeviceCachePath(g_cacheNameOnSelect)));
    QVERIFY(!QFile::exists(DeviceCachePath(interim)));
}

void TestShellImportDialog::reconnectionTimeOutShowsTheTimeOutNotice()
{
    UpDataParam dialog;
    g_deviceReady = true;
    g_sensorPageApplied = true; // the button page never answers
    WindowSignals hub;
    Fire(dialog);
    QCOMPARE(hub.events, QStringList({QStringLiteral("SigSetver(4)"), QStringLiteral("SigMouseOffLineo(1)")}));
    QVERIFY(g_sensorPageApplied);
}

void TestShellImportDialog::offlineRefreshesThePagesFromTheCache_data()
{
    QTest::addColumn<bool>("cached");
    QTest::newRow("with a cache file") << true;
    QTest::newRow("without one") << false;
}

void TestShellImportDialog::offlineRefreshesThePagesFromTheCache()
{
    QFETCH(bool, cached);
    FlashDataMap stored;
    stored.performanceTime = 3;
    if (cached)
        QVERIFY(WriteDeviceCache(g_cacheNameOnSelect, stored));
    g_deviceImage.performanceTime = 9;

    UpDataParam dialog;
    WindowSignals hub;
    Fire(dialog);

    QStringList expected{QStringLiteral("SigSetver(4)")};
    if (cached)
        expected << QStringLiteral("SigUpDataLightUIA") << QStringLiteral("SigUpDataSensorUIB")
                 << QStringLiteral("SigUpDataButtonUIC") << QStringLiteral("SigFormB");
    expected << QStringLiteral("SigMouseOffLineo(0)");
    QCOMPARE(hub.events, expected);
    for (const FlashDataMap& image : hub.images)
        QCOMPARE(ImageBytes(image), ImageBytes(stored));
    QCOMPARE(g_deviceImage.performanceTime, uint8_t(9));
}

QTEST_MAIN(TestShellImportDialog)
#include "test_shell_import_dialog.moc"
