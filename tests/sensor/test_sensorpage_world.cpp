// The sensor page in the running program over the simulated world: opening
// each catalogue model's mouse fills the page from the mouse's memory, an
// offline mouse without a cached image leaves the page at its defaults, and
// the page's own settings reach the mouse.
#define QTEST_QPA_MOUSE_HANDLING
#include "gui_fixture.h"
#include "config_store.h"
#include "device_image_setters.h"
#include "dpi_code.h"
#include "mouse_off_line.h"
#include "sensor_page.h"
#include "test_frames_fixture.h"
#include "test_sensorpage_fixture.h"
#include "window_closer.h"

#include <devicelib_control.h>

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QToolButton>

using namespace sensorpage;

namespace {

// The shipped world plus a Pico behind a 2K receiver.
QString WorldWithPico()
{
    QFile shipped(SimControl::defaultWorldPath());
    if (!shipped.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(shipped.readAll())
           + QStringLiteral("\n[Receiver pico-r2]\nClass = 2\nCid = 23\nMid = 4\nName = QX-PICO-R2\nVersion = 1.1\n"
                            "\n[Mouse pico]\nCid = 23\nMid = 4\nName = QX-PICO-M\nVersion = 1.2\nReceiver = pico-r2\n");
}

} // namespace

class TestSensorPageWorld : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openingFillsThePage_data();
    void openingFillsThePage();
    void shippedMiceShowTheirCatalogueGrades_data();
    void shippedMiceShowTheirCatalogueGrades();
    void offlineWithoutCacheResets();
    void settingsReachTheMouse();

private:
    PageView View() const { return PageView(m_gui.DeviceWindow()->SensorPage()); }
    void ShowSensorPage();

    GuiFixture m_gui;
};

void TestSensorPageWorld::init()
{
    QVERIFY(m_gui.Start(WorldWithPico()));
    // No cached images from an earlier case.
    QDir(UserDataFolder() + QStringLiteral("/Device_Info")).removeRecursively();
    QDir().mkpath(UserDataFolder() + QStringLiteral("/Device_Info"));
}

void TestSensorPageWorld::cleanup()
{
    m_gui.Stop();
}

void TestSensorPageWorld::ShowSensorPage()
{
    QTest::mouseClick(m_gui.Find<QToolButton>(QStringLiteral("SensorButton")), Qt::LeftButton);
    QVERIFY(View().page->isVisible());
}

void TestSensorPageWorld::openingFillsThePage_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("mouse");
    QTest::addColumn<int>("rateCode");
    QTest::addColumn<QList<int>>("codes"); // code and flags of stages 0-3
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("grades");
    QTest::addColumn<int>("rateLevel");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("modeEnabled");
    QTest::addColumn<QString>("switches"); // visible frames: r ripple, f angle snapping, s motion sync
    QTest::addColumn<bool>("compact");
    QTest::addColumn<int>("lodItems");
    QTest::addColumn<bool>("lodEnabled");

    QTest::newRow("Aero, 4K receiver") << "aero-r4" << "aero" << 1 << QList<int>{7, 0, 31, 0, 119, 0x22, 43, 0x66}
                                       << QStringList{"400", "1600", "12000", "30000"} << 8 << 3 << 1 << true << "fs"
                                       << false << 3 << true;
    QTest::newRow("Lynx, 8K receiver at 8000 Hz")
        << "lynx-r8" << "lynx" << 64 << QList<int>{15, 0, 63, 0, 7, 0x88, 1, 0}
        << QStringList{"800", "3200", "26000", "100"} << 6 << 6 << 2 << false << "rfs" << false << 2 << false;
    QTest::newRow("Orca on its cable, DPI table")
        << "orca" << "orca" << 1 << QList<int>{0x04, 0, 0x10, 0, 0x80, 0x11, 0x08, 0}
        << QStringList{"400", "1600", "25600", "800"} << 5 << 3 << 0 << false << "r" << false << 2 << true;
    QTest::newRow("Pico, 2K receiver, compact")
        << "pico-r2" << "pico" << 16 << QList<int>{7, 0, 159, 0, 149, 0x22, 3, 0x55}
        << QStringList{"400", "8000", "15000", "26000"} << 4 << 4 << 2 << false << "" << true << 2 << false;
}

void TestSensorPageWorld::openingFillsThePage()
{
    QFETCH(QString, device);
    QFETCH(QString, mouse);
    QFETCH(int, rateCode);
    QFETCH(QList<int>, codes);
    QFETCH(QStringList, shown);
    QFETCH(int, grades);
    QFETCH(int, rateLevel);
    QFETCH(int, mode);
    QFETCH(bool, modeEnabled);
    QFETCH(QString, switches);
    QFETCH(bool, compact);
    QFETCH(int, lodItems);
    QFETCH(bool, lodEnabled);

    // What the mouse holds.
    QByteArray memory = SimControl::factoryImage(mouse);
    QCOMPARE(memory.size(), int(FlashDataMap::Size));
    FlashDataMap image = ImageFromBytes(memory);
    image.reportRate = uint8_t(rateCode);
    image.dpiStageCount = 4;
    image.currentDpiStage = 2;
    image.liftOffDistance = 2;
    image.sensorMode = 1;
    image.performanceMode = 1;
    image.performanceTime = 6;
    image.rippleControl = 1;
    image.straightLine = 0;
    image.motionSync = 1;
    for (int i = 0; i < 4; ++i) {
        image.dpiStages[i].x = image.dpiStages[i].y = uint8_t(codes.at(2 * i));
        image.dpiStages[i].flags = uint8_t(codes.at(2 * i + 1));
        image.dpiStages[i].red = uint8_t(0x20 * i);
        image.dpiStages[i].green = 0x80;
        image.dpiStages[i].blue = 0xFF;
    }
    QVERIFY(SimControl::setMouseImage(mouse, ImageBytes(image)));

    QVERIFY(m_gui.OpenDevice(device));
    const PageView view = View();

    for (int i = 0; i < 4; ++i) {
        QCOMPARE(view.StageButton(i)->text(), shown.at(i));
        QCOMPARE(view.Dpi()->StageColorText(i), QStringLiteral("%1,128,255").arg(0x20 * i));
    }
    QCOMPARE(view.StageCount()->count(), grades);
    QCOMPARE(view.StageCount()->currentIndex(), 3);
    QVERIFY(view.StageButton(2)->isChecked());
    QCOMPARE(view.DpiSpin()->value(), shown.at(2).toInt());
    QCOMPARE(view.RateLevel(), rateLevel);
    QCOMPARE(view.Mode()->currentIndex(), mode);
    QCOMPARE(view.Mode()->isEnabled(), modeEnabled);
    QCOMPARE(view.LodCombo()->count(), lodItems);
    QCOMPARE(view.LodCombo()->isEnabled(), lodEnabled);
    QCOMPARE(view.LodCombo()->currentText().left(1), QStringLiteral("2"));
    QVERIFY(view.Performance()->isChecked());
    QCOMPARE(view.PerformanceTime()->currentIndex(), 1);
    QVERIFY(view.RippleOn());
    QVERIFY(!view.FixLineOn());
    QVERIFY(view.SyncOn());
    // The factory DPI light: steady, brightness byte 3 shown as it is, speed 2.
    QCOMPARE(view.EffectMode(), 1);
    QCOMPARE(view.EffectSpeed(), 2);

    ShowSensorPage();
    QCOMPARE(view.Ripple()->isVisible(), switches.contains(QLatin1Char('r')));
    QCOMPARE(view.FixLine()->isVisible(), switches.contains(QLatin1Char('f')));
    QCOMPARE(view.Sync()->isVisible(), switches.contains(QLatin1Char('s')));
    QCOMPARE(view.Mode()->isVisible(), !compact);
    QCOMPARE(view.Effect()->pos(), compact ? QPoint(80, 316) : QPoint(80, 456));
}

// The shipped world's mice leave the factory with their model's catalogue
// grades, read back exactly as the program decodes them.
void TestSensorPageWorld::shippedMiceShowTheirCatalogueGrades_data()
{
    QTest::addColumn<QString>("device");
    QTest::newRow("Aero, 3950 with a step-100 range") << "aero-r4";
    QTest::newRow("Lynx, 3395 with ten-bit codes") << "lynx-r8";
    QTest::newRow("Orca, Q3311 with its DPI table") << "orca";
}

void TestSensorPageWorld::shippedMiceShowTheirCatalogueGrades()
{
    QFETCH(QString, device);
    QVERIFY(m_gui.OpenDevice(device));
    const QString group = ConfigStore::ModelGroup(CurrentDeviceCopy().modelIndex);
    QStringList grades = ConfigStore::Instance()->ValueList(group, QStringLiteral("DPIGrade"));
    for (QString& grade : grades)
        grade = grade.trimmed();
    QCOMPARE(grades.size(), int(FlashDataMap::StageCount));

    const FlashDataMap image = DeviceImageCopy();
    QStringList read;
    for (const DPIStage& stage : image.dpiStages)
        read << QString::number(ReadDpiStage(stage));
    QCOMPARE(read, grades);
    const PageView view = View();
    for (int i = 0; i < image.dpiStageCount; ++i)
        QCOMPARE(view.StageButton(i)->text(), grades.at(i));
}

void TestSensorPageWorld::offlineWithoutCacheResets()
{
    WindowCloser<MouseOffLine> offlineNotices; // the top-level window runs them modally
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("aero"), false));
    QVERIFY(m_gui.OpenDevice(QStringLiteral("aero-r4")));
    const PageView view = View();

    // The 4K receiver's defaults.
    QCOMPARE(view.StageCount()->count(), 6);
    QCOMPARE(view.StageCount()->currentIndex(), 5);
    QVERIFY(view.StageButton(1)->isChecked());
    QCOMPARE(view.StageButton(0)->text(), QStringLiteral("400"));
    QCOMPARE(view.DpiSpin()->value(), 800);
    QCOMPARE(view.RateLevel(), 3);
    QVERIFY(view.RateOffered("Button4000HZ"));
    QCOMPARE(view.Mode()->currentIndex(), 2);
    QVERIFY(!view.Performance()->isChecked());
    QCOMPARE(view.EffectMode(), 0);
    QVERIFY(view.SyncOn());
    QVERIFY(!view.RippleOn());
    // Nothing was written to the mouse.
    QCOMPARE(SimControl::mouseImage(QStringLiteral("aero")), SimControl::factoryImage(QStringLiteral("aero")));
}

void TestSensorPageWorld::settingsReachTheMouse()
{
    QVERIFY(m_gui.OpenDevice(QStringLiteral("aero-r4")));
    ShowSensorPage();
    const PageView view = View();
    QVERIFY(view.Mode()->isEnabled());
    const QString mouse = QStringLiteral("aero");

    frames::ChooseItem(view.Mode(), 1);
    QVERIFY(Settle());
    QCOMPARE(int(SimControl::mouseImage(mouse).at(0x0E)), 1);

    QTest::mouseClick(view.Performance(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    QVERIFY(view.PerformanceTime()->isEnabled());
    frames::ChooseItem(view.PerformanceTime(), 4);
    QVERIFY(Settle());
    QByteArray memory = SimControl::mouseImage(mouse);
    QCOMPARE(int(memory.at(0x0C)), 1);
    QCOMPARE(int(memory.at(0x0D)), 60);

    frames::ChooseItem(view.Mode(), 0);
    QTest::mouseClick(view.Performance(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    QVERIFY(Settle());
    memory = SimControl::mouseImage(mouse);
    QCOMPARE(int(memory.at(0x0E)), 0);
    QCOMPARE(int(memory.at(0x0C)), 0);
    QCOMPARE(int(memory.at(0x0D)), 60);
}

QTEST_MAIN(TestSensorPageWorld)
#include "test_sensorpage_world.moc"
