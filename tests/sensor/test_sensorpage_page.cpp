// The sensor page on a simulated mouse: filling from an image (with the
// report thread's handshake), the status reports, the reset, the layout by
// model, the page's own settings and its language texts.
//
// The test runs from a program folder of its own (see CMakeLists.txt): its
// catalogue adds a model with more DPI stages than a mouse has.
#define QTEST_QPA_MOUSE_HANDLING
#include "app_state.h"
#include "config_store.h"
#include "device_image_setters.h"
#include "dpi_code.h"
#include "own_program_folder.h"
#include "paths.h"
#include "post_msg.h"
#include "report_thread.h"
#include "sensor_page.h"
#include "sim_mouse.h"
#include "test_frames_fixture.h"
#include "test_sensorpage_fixture.h"
#include "user_setting_store.h"

#include <devicelib_control.h>

#include <QtTest>
#include <QWheelEvent>

#include <QDir>
#include <QFile>
#include <QToolButton>

#include <memory>

using namespace sensorpage;

namespace {

// Catalogue models: 0 Aero (3950), 1 Lynx (3395), 2 Orca (Q3311, table),
// 3 Pico (3395, compact layout), 4 the test model with 12 grades, 5 none.
enum Model { Aero = 0, Lynx = 1, Orca = 2, Pico = 3, TwelveGrades = 4, NoGroup = 5 };

// The shipped catalogue, sensor file, label files and pictures, and one
// extra model.
bool PrepareProgramFolder()
{
    using namespace OwnProgramFolder;
    const QString catalogue = QStringLiteral("usersetting/Config.ini");
    if (!IsOwn() || !CopyShipped(catalogue) || !CopyShipped(QStringLiteral("driver_sensor.h"))
        || !CopyShipped(QStringLiteral("Language")) || !CopyShipped(QStringLiteral("Picture/Sensor")))
        return false;
    QFile file(AppFolder() + QLatin1Char('/') + catalogue);
    if (!file.open(QIODevice::Append))
        return false;
    file.write("\n[Drive5]\nMID=5\nSensor=\"Mzk1MA==\"\nDPIMaxGrade=12\nXIn1=0\n"
               "DPIRange=50, 10000, 50, 10100, 30000, 100, 0x22\n");
    return true;
}

void SetDevice(int model, int connectionType)
{
    DeviceAllInfo device;
    device.modelIndex = model;
    device.connectionType = uint8_t(connectionType);
    device.wired = IsWiredConnection(connectionType);
    SetCurrentDevice(device);
}

} // namespace

class TestSensorPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void construction();
    void fillShowsTheImage();
    void fillRunsWhileTheReportThreadWaits();
    void importedImageFillsWithoutHandshake();
    void sensorModeOfAFill_data();
    void sensorModeOfAFill();
    void hiddenCordedOutOfReach_data();
    void hiddenCordedOutOfReach();
    void disabledModeTextIsReadable();
    void disabledCombosLookDisabled();
    void rateReportsSwitchCorded();
    void rateSelectorSwitchesCorded();
    void reopeningShowsTheModeTheRateChoiceShowed();
    void layoutByModel_data();
    void layoutByModel();
    void compactLayoutAndBack();
    void stageCountAndMarker();
    void performanceTimeFromTheImage();
    void moreGradesThanStages();
    void modelWithoutCatalogueGroup();
    void currentStageReport();
    void dpiLightReport();
    void reset_data();
    void reset();
    void sensorModeAndPerformanceWrites();
    void nothingWrittenBeforeFirstPageSwitch();
    void offlineChoiceRaisesNotice();
    void switchesSendOnce();
    void languageTexts_data();
    void languageTexts();
    void levelFileSetsInitialStageCount();

private:
    void Fill(const FlashDataMap& image);

    std::unique_ptr<Sensor> m_page;
    std::unique_ptr<PageView> m_view;
    int m_notices = 0;
};

void TestSensorPage::initTestCase()
{
    QVERIFY(PrepareProgramFolder());
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("0"));

    QVERIFY(SimMouse::Start());
    connect(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo, this, [this](int) { ++m_notices; });

    SetDevice(Aero, 1);
    m_page.reset(new Sensor);
    m_view.reset(new PageView(m_page.get()));
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
}

void TestSensorPage::init()
{
    SetDevice(Aero, 1);
    QVERIFY(SimMouse::Reset(PageImage()));
    m_notices = 0;
}

void TestSensorPage::cleanupTestCase()
{
    m_view.reset();
    m_page.reset();
}

// The import path: the same fill on the user-interface thread.
void TestSensorPage::Fill(const FlashDataMap& image)
{
    emit PostMsg::GetInstance()->SigUpDataSensorUIB(image);
}

void TestSensorPage::construction()
{
    QCOMPARE(m_page->objectName(), QStringLiteral("Sensor"));
    QCOMPARE(m_page->size(), QSize(883, 630));
    const QList<QPair<const char*, QRect>> places = {
        {"frameDpi", {65, 26, 728, 194}},      {"frameRate", {80, 208, 725, 82}},
        {"ModelChoose", {80, 390, 130, 30}},   {"frameLOD", {255, 360, 131, 61}},
        {"Performance", {430, 360, 201, 17}},  {"PerformanceOpen", {430, 390, 130, 30}},
        {"frame", {600, 340, 275, 31}},        {"frame_4", {600, 370, 275, 31}},
        {"frame_3", {600, 400, 275, 31}},      {"TitleButton", {40, 33, 16, 10}}};
    for (const auto& place : places) {
        QWidget* widget = m_view->Get<QWidget>(place.first);
        QVERIFY2(widget, place.first);
        QCOMPARE(widget->parentWidget()->objectName(), QStringLiteral("SenSorPage"));
        QCOMPARE(widget->geometry(), place.second);
    }
    QCOMPARE(m_view->Mode()->count(), 3);
    QCOMPARE(m_view->PerformanceTime()->count(), 6);
    QCOMPARE(m_view->PerformanceTime()->maxVisibleItems(), 5);

    // The shipped sensor file's definitions serve the DPI code.
    QVERIFY(g_sensorDefineNames.contains(QStringLiteral("SENSOR_Q3311_DPI_800")));
    QCOMPARE(g_sensorDefineNames.size(), g_sensorDefineValues.size());
    QVERIFY(QDir(UserDataFolder() + QStringLiteral("/usersetting/SensorPage")).exists());

    // Every picture the page's own styles name is drawn in the shared folder.
    const QString sheets = m_view->Mode()->styleSheet() + m_view->PerformanceTime()->styleSheet()
                           + m_view->Performance()->styleSheet() + m_view->Get<QWidget>("TitleButton_3")->styleSheet();
    for (const char* name : {"Title", "CheckBox", "CheckBoxChecked", "ComboboxBack", "Menu", "MenuClicked",
                             "ComboboxTextBack"}) {
        QVERIFY2(sheets.contains(PictureFolder(QStringLiteral("Sensor")) + name + ".png"), name);
        QVERIFY2(QFile::exists(PictureFolder(QStringLiteral("Sensor")) + name + ".png"), name);
    }
}

void TestSensorPage::fillShowsTheImage()
{
    FlashDataMap image = PageImage();
    image.dpiStageCount = 5;
    image.currentDpiStage = 3;
    image.dpiStages[4].x = 119; // 12000 at step 100
    image.dpiStages[4].flags = 0x22;
    Fill(image);

    // DPI stages: colours, texts, count, the current one on the slider.
    QCOMPARE(m_view->StageCount()->count(), 8);
    QCOMPARE(m_view->StageCount()->currentIndex(), 4);
    const int dpis[5] = {400, 800, 1200, 1600, 12000};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(m_view->StageButton(i)->text(), QString::number(dpis[i]));
        QCOMPARE(m_view->Dpi()->StageColorText(i), QStringLiteral("%1,%2,%3").arg(10 + i).arg(0xA0 + i).arg(0xF0 + i));
        QVERIFY(!m_view->StageButton(i)->isHidden());
    }
    QVERIFY(m_view->StageButton(5)->isHidden());
    QVERIFY(m_view->StageButton(3)->isChecked());
    QCOMPARE(m_view->Dpi()->CurrentStage(), 3);
    QCOMPARE(m_view->Marker()->pos(), m_view->Dpi()->MarkerPoint(3));
    QCOMPARE(m_view->DpiSlider()->value(), 1600);
    QCOMPARE(m_view->DpiSpin()->value(), 1600);
    QCOMPARE(m_view->DpiSlider()->minimum(), 50);
    QCOMPARE(m_view->DpiSlider()->maximum(), 30000);
    QVERIFY(m_view->DpiSlider()->isEnabled());

    // Rate, lift-off (with 0.7 mm for the 3950), mode, performance.
    QCOMPARE(m_view->RateLevel(), 3);
    QVERIFY(m_view->RateOffered("Button4000HZ"));
    QVERIFY(!m_view->RateOffered("Button8000HZ"));
    QCOMPARE(m_view->LodCombo()->count(), 3);
    QCOMPARE(m_view->LodCombo()->currentIndex(), 2);
    QVERIFY(m_view->LodCombo()->isEnabled());
    QCOMPARE(m_view->Mode()->currentIndex(), 1);
    QVERIFY(m_view->Mode()->isEnabled());
    QVERIFY(!m_view->CordedOffered());
    QVERIFY(m_view->Performance()->isChecked());
    QVERIFY(m_view->PerformanceTime()->isEnabled());
    QCOMPARE(m_view->PerformanceTime()->currentIndex(), 3);

    // Switches and DPI light.
    QVERIFY(m_view->RippleOn());
    QVERIFY(!m_view->FixLineOn());
    QVERIFY(m_view->SyncOn());
    QCOMPARE(m_view->EffectMode(), 2);
    QCOMPARE(m_view->EffectSpeed(), 4);
    QCOMPARE(m_view->EffectBrightness(), 5);

    QCOMPARE(g_sensorModel, QStringLiteral("3950"));
    QVERIFY(!g_sensorPageUpdating);
    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(m_notices, 0);
}

void TestSensorPage::fillRunsWhileTheReportThreadWaits()
{
    Fill(PageImage());
    FlashDataMap image = PageImage();
    image.performanceTime = 60;
    g_sensorPageApplied = true; // the report handling clears it before its emit; so does the fill

    // Observed from inside the fill: the handshake flag is down and the
    // page is marked as updating while the controls change.
    bool sawFill = false;
    bool appliedDuringFill = true;
    bool updatingDuringFill = false;
    const QMetaObject::Connection probe =
        connect(m_view->PerformanceTime(), QOverload<int>::of(&QComboBox::currentIndexChanged), this, [&](int) {
            sawFill = true;
            appliedDuringFill = g_sensorPageApplied;
            updatingDuringFill = g_sensorPageUpdating;
        });
    bool appliedWhenReturned = false;
    QVERIFY(EmitFromReportThread([&] {
        emit PostMsg::GetInstance()->SigUpDataLightSensor(image);
        // The emitter goes on only after the page has applied the image.
        appliedWhenReturned = g_sensorPageApplied;
    }));
    disconnect(probe);

    QVERIFY(sawFill);
    QVERIFY(!appliedDuringFill);
    QVERIFY(updatingDuringFill);
    QVERIFY(appliedWhenReturned);
    QCOMPARE(m_view->PerformanceTime()->currentIndex(), 4);
    QVERIFY(!g_sensorPageUpdating);
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestSensorPage::importedImageFillsWithoutHandshake()
{
    g_sensorPageApplied = false;
    FlashDataMap image = PageImage();
    image.currentDpiStage = 1;
    Fill(image);
    QCOMPARE(m_view->Dpi()->CurrentStage(), 1);
    QVERIFY(!g_sensorPageApplied);
    g_sensorPageApplied = true;
    Fill(PageImage());
    QVERIFY(g_sensorPageApplied);
}

void TestSensorPage::sensorModeOfAFill_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("rateCode");
    QTest::addColumn<int>("rateLevel");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("enabled");

    // The image's mode is 1 ("HP").
    QTest::newRow("cable at 4000 Hz shows 1000 Hz") << int(Aero) << 2 << 32 << 3 << 2 << false;
    QTest::newRow("cable at 8000 Hz") << int(Aero) << 2 << 64 << 6 << 2 << false;
    QTest::newRow("8K receiver at 8000 Hz") << int(Lynx) << 5 << 64 << 6 << 2 << false;
    QTest::newRow("8K receiver at 1000 Hz") << int(Lynx) << 5 << 1 << 3 << 1 << true;
    QTest::newRow("4K receiver at 2000 Hz") << int(Aero) << 1 << 16 << 4 << 2 << false;
    QTest::newRow("4K receiver at 1000 Hz") << int(Aero) << 1 << 1 << 3 << 1 << true;
    QTest::newRow("not listed, 4K receiver") << int(Orca) << 1 << 1 << 3 << 0 << false;
    QTest::newRow("not listed, cable") << int(Orca) << 2 << 32 << 3 << 0 << false;
}

void TestSensorPage::sensorModeOfAFill()
{
    QFETCH(int, model);
    QFETCH(int, type);
    QFETCH(int, rateCode);
    QFETCH(int, rateLevel);
    QFETCH(int, mode);
    QFETCH(bool, enabled);

    SetDevice(model, type);
    FlashDataMap image = PageImage();
    image.reportRate = uint8_t(rateCode);
    Fill(image);
    QCOMPARE(m_view->RateLevel(), rateLevel);
    QCOMPARE(m_view->Mode()->currentIndex(), mode);
    QCOMPARE(m_view->Mode()->isEnabled(), enabled);
    if (enabled)
        QVERIFY(!m_view->CordedOffered());
    QCOMPARE(SimMouse::Sends(), 0);
}

// "Corded" is never chosen by the user: neither the wheel nor the keys over
// the closed combo reach the hidden row.
void TestSensorPage::hiddenCordedOutOfReach_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("input"); // a key, or 0 for the wheel turned down
    QTest::addColumn<int>("expected");
    QTest::newRow("wheel down from HP") << 1 << 0 << 1;
    QTest::newRow("wheel down from LP") << 0 << 0 << 1;
    QTest::newRow("down from HP") << 1 << int(Qt::Key_Down) << 1;
    QTest::newRow("page down from HP") << 1 << int(Qt::Key_PageDown) << 1;
    QTest::newRow("end from LP") << 0 << int(Qt::Key_End) << 1;
    QTest::newRow("typing its initial") << 1 << int(Qt::Key_C) << 1;
}

void TestSensorPage::hiddenCordedOutOfReach()
{
    QFETCH(int, stored);
    QFETCH(int, input);
    QFETCH(int, expected);
    FlashDataMap image = PageImage();
    image.sensorMode = uint8_t(stored);
    g_deviceImage = image;
    Fill(image);
    QComboBox* combo = m_view->Mode();
    QVERIFY(combo->isEnabled());
    QVERIFY(!m_view->CordedOffered());
    QCOMPARE(combo->currentIndex(), stored);

    for (int i = 0; i < 3; ++i) {
        if (input == 0) {
            QWheelEvent wheel(QPointF(10, 10), combo->mapToGlobal(QPoint(10, 10)), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &wheel);
        } else {
            QTest::keyClick(combo, Qt::Key(input));
        }
    }
    QCOMPARE(combo->currentIndex(), expected);
    QCOMPARE(int(g_deviceImage.sensorMode), expected);
}

namespace {

double Luminance(QRgb pixel)
{
    return (0.2126 * qRed(pixel) + 0.7152 * qGreen(pixel) + 0.0722 * qBlue(pixel)) / 255.0;
}

// The contrast between the combo's most frequent colour (its background) and
// the pixel that differs most from it inside the text area.
double TextContrast(QWidget* combo)
{
    const QImage shot = combo->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect text(4, 4, shot.width() * 2 / 3 - 4, shot.height() - 8); // clear of border and arrow
    QHash<QRgb, int> counts;
    for (int y = text.top(); y <= text.bottom(); ++y) {
        for (int x = text.left(); x <= text.right(); ++x)
            ++counts[shot.pixel(x, y)];
    }
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(background))
            background = it.key();
    }
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double a = Luminance(it.key()) + 0.05;
        const double b = Luminance(background) + 0.05;
        best = qMax(best, qMax(a, b) / qMin(a, b));
    }
    return best;
}

double Brightest(QWidget* widget)
{
    const QImage shot = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    double brightest = 0.0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            brightest = qMax(brightest, Luminance(shot.pixel(x, y)));
    }
    return brightest;
}

} // namespace

// The page's combos that can be disabled do not look openable then: nothing
// on them (text, arrow) is as bright as on an enabled combo, and the text
// stays readable.
void TestSensorPage::disabledCombosLookDisabled()
{
    for (QWidget* combo : {static_cast<QWidget*>(m_view->Mode()), static_cast<QWidget*>(m_view->LodCombo()),
                           static_cast<QWidget*>(m_view->PerformanceTime())}) {
        const bool wasEnabled = combo->isEnabled();
        combo->setEnabled(true);
        const double enabled = Brightest(combo);
        combo->setEnabled(false);
        const double disabled = Brightest(combo);
        const double contrast = TextContrast(combo);
        combo->setEnabled(wasEnabled);
        QVERIFY2(disabled < 0.7 * enabled, qPrintable(QStringLiteral("%1: %2 disabled, %3 enabled")
                                                          .arg(combo->objectName()).arg(disabled).arg(enabled)));
        QVERIFY2(contrast >= 3.0, qPrintable(QStringLiteral("%1: contrast %2").arg(combo->objectName()).arg(contrast)));
    }
}

// A disabled sensor-mode combo still shows its text readably on the dark
// theme (black on the combo's grey does not).
void TestSensorPage::disabledModeTextIsReadable()
{
    SetDevice(Orca, 1); // not listed: "LP", disabled
    Fill(PageImage());
    QVERIFY(!m_view->Mode()->isEnabled());
    QVERIFY(!m_view->Mode()->currentText().isEmpty());
    QVERIFY2(TextContrast(m_view->Mode()) >= 3.0, qPrintable(QString::number(TextContrast(m_view->Mode()))));
}

void TestSensorPage::rateReportsSwitchCorded()
{
    SetDevice(Lynx, 5);
    FlashDataMap image = PageImage();
    image.reportRate = 1;
    g_deviceImage = image;
    Fill(image);
    QCOMPARE(m_view->Mode()->currentIndex(), 1);
    QVERIFY(m_view->Mode()->isEnabled());

    // 8000 Hz reported: "Corded", forced and not written.
    QVERIFY(EmitFromReportThread([] { emit PostMsg::GetInstance()->SigUpDataReportRate(64); }));
    QCOMPARE(m_view->RateLevel(), 6);
    QCOMPARE(m_view->Mode()->currentIndex(), 2);
    QVERIFY(!m_view->Mode()->isEnabled());
    QVERIFY(m_view->CordedOffered());
    QCOMPARE(SimMouse::Sends(), 0);

    // Back to 1000 Hz: the stored mode comes back and is written again.
    QVERIFY(EmitFromReportThread([] { emit PostMsg::GetInstance()->SigUpDataReportRate(1); }));
    QCOMPARE(m_view->RateLevel(), 3);
    QCOMPARE(m_view->Mode()->currentIndex(), 1);
    QVERIFY(m_view->Mode()->isEnabled());
    QVERIFY(!m_view->CordedOffered());
    QCOMPARE(SimMouse::Sends(), 1);
    QCOMPARE(SimControl::lastImageSent().at(0x0E), char(1));

    // An unknown code changes nothing.
    QVERIFY(EmitFromReportThread([] { emit PostMsg::GetInstance()->SigUpDataReportRate(3); }));
    QCOMPARE(m_view->RateLevel(), 3);
    QCOMPARE(SimMouse::Sends(), 1);
}

void TestSensorPage::rateSelectorSwitchesCorded()
{
    SetDevice(Aero, 1);
    Fill(PageImage());
    QVERIFY(m_view->Mode()->isEnabled());

    // The user picks 2000 Hz: the selector sends it and tells the page.
    QTest::mouseClick(m_view->Rate()->findChild<QAbstractButton*>(QStringLiteral("Button2000HZ")), Qt::LeftButton);
    QCOMPARE(int(g_deviceImage.reportRate), 16);
    QCOMPARE(m_view->Mode()->currentIndex(), 2);
    QVERIFY(!m_view->Mode()->isEnabled());
    QVERIFY(m_view->CordedOffered());
    QCOMPARE(SimMouse::Sends(), 1);

    QTest::mouseClick(m_view->Rate()->findChild<QAbstractButton*>(QStringLiteral("Button1000HZ")), Qt::LeftButton);
    QCOMPARE(int(g_deviceImage.reportRate), 1);
    QCOMPARE(m_view->Mode()->currentIndex(), 1);
    QVERIFY(m_view->Mode()->isEnabled());
    QVERIFY(!m_view->CordedOffered());
    QCOMPARE(int(g_deviceImage.sensorMode), 1);
}

// The user picks a rate on the 8K receiver's mouse, then opens the mouse
// again: the sensor mode looks the same both times.
void TestSensorPage::reopeningShowsTheModeTheRateChoiceShowed()
{
    SetDevice(Lynx, 5);
    Fill(PageImage());
    for (const char* button : {"Button8000HZ", "Button1000HZ", "Button4000HZ", "Button2000HZ", "Button125HZ"}) {
        QTest::mouseClick(m_view->Rate()->findChild<QAbstractButton*>(QLatin1String(button)), Qt::LeftButton);
        const int chosenMode = m_view->Mode()->currentIndex();
        const bool chosenEnabled = m_view->Mode()->isEnabled();

        Fill(DeviceImageCopy());
        QVERIFY2(m_view->Mode()->currentIndex() == chosenMode, button);
        QVERIFY2(m_view->Mode()->isEnabled() == chosenEnabled, button);
        QVERIFY2((chosenMode == 2) == !chosenEnabled, button);
    }
}

void TestSensorPage::layoutByModel_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("sensorSection");
    QTest::addColumn<bool>("ripple");
    QTest::addColumn<bool>("fixLine");
    QTest::addColumn<bool>("sync");
    QTest::addColumn<bool>("lodEnabled");
    QTest::addColumn<int>("lodItems");
    QTest::addColumn<QPoint>("effectAt");

    QTest::newRow("Aero") << int(Aero) << true << false << true << true << true << 3 << QPoint(80, 456);
    QTest::newRow("Lynx") << int(Lynx) << true << true << true << true << false << 2 << QPoint(80, 456);
    QTest::newRow("Orca: ripple control only") << int(Orca) << true << true << false << false << true << 2
                                               << QPoint(80, 456);
    QTest::newRow("Pico: compact") << int(Pico) << false << false << false << false << false << 2 << QPoint(80, 316);
}

void TestSensorPage::layoutByModel()
{
    QFETCH(int, model);
    QFETCH(bool, sensorSection);
    QFETCH(bool, ripple);
    QFETCH(bool, fixLine);
    QFETCH(bool, sync);
    QFETCH(bool, lodEnabled);
    QFETCH(int, lodItems);
    QFETCH(QPoint, effectAt);

    SetDevice(model, 1);
    Fill(PageImage());
    for (const char* name : {"TitleButton_4", "label_5", "label_11", "ModelChoose", "frameLOD", "Performance",
                             "PerformanceOpen"})
        QCOMPARE(m_view->Get<QWidget>(name)->isVisible(), sensorSection);
    QCOMPARE(m_view->Ripple()->isVisible(), ripple);
    QCOMPARE(m_view->FixLine()->isVisible(), fixLine);
    QCOMPARE(m_view->Sync()->isVisible(), sync);
    QCOMPARE(m_view->LodCombo()->isEnabled(), lodEnabled);
    QCOMPARE(m_view->LodCombo()->count(), lodItems);
    QCOMPARE(m_view->Effect()->pos(), effectAt);
    QCOMPARE(m_view->Get<QWidget>("TitleButton_3")->pos(), QPoint(40, effectAt.y() + 7));
    QVERIFY(m_view->Effect()->isVisible());
}

void TestSensorPage::compactLayoutAndBack()
{
    SetDevice(Pico, 1);
    Fill(PageImage());
    QVERIFY(!m_view->Mode()->isVisible());
    QCOMPARE(m_view->Effect()->pos(), QPoint(80, 316));

    SetDevice(Lynx, 5);
    Fill(PageImage());
    QVERIFY(m_view->Mode()->isVisible());
    QVERIFY(m_view->Ripple()->isVisible());
    QCOMPARE(m_view->Effect()->pos(), QPoint(80, 456));
    QCOMPARE(m_view->Get<QWidget>("TitleButton_3")->pos(), QPoint(40, 463));
}

void TestSensorPage::stageCountAndMarker()
{
    FlashDataMap image = PageImage();
    image.dpiStageCount = 3;
    image.currentDpiStage = 0;
    Fill(image);
    QCOMPARE(m_view->StageCount()->currentIndex(), 2);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(m_view->StageButton(i)->isHidden(), i >= 3);
    QCOMPARE(m_view->Marker()->pos(), m_view->Dpi()->MarkerPoint(0));
    QVERIFY(m_view->StageButton(0)->isChecked());
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestSensorPage::performanceTimeFromTheImage()
{
    FlashDataMap image = PageImage();
    image.performanceTime = 12;
    Fill(image);
    QCOMPARE(m_view->PerformanceTime()->currentIndex(), 2);
    QCOMPARE(m_view->PerformanceTime()->currentText(), QStringLiteral("2 min"));

    // A byte outside the table leaves the choice; performance off disables it.
    image.performanceTime = 120;
    image.performanceMode = 0;
    Fill(image);
    QCOMPARE(m_view->PerformanceTime()->currentIndex(), 2);
    QVERIFY(!m_view->Performance()->isChecked());
    QVERIFY(!m_view->PerformanceTime()->isEnabled());
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestSensorPage::moreGradesThanStages()
{
    // A catalogue model with 12 grades: the mouse has eight stage records,
    // and the fill offers no more than those.
    SetDevice(TwelveGrades, 1);
    Fill(PageImage());
    QCOMPARE(m_view->StageCount()->count(), 8);
    QCOMPARE(m_view->StageButton(7)->text(), QStringLiteral("3200"));
    QCOMPARE(m_view->Dpi()->StageColorText(7), QStringLiteral("17,167,247"));
}

void TestSensorPage::modelWithoutCatalogueGroup()
{
    SetDevice(Aero, 1);
    Fill(PageImage());
    const QString stageText = m_view->StageButton(0)->text();

    // No grades, no range, no sensor name: no stage items, the slider keeps
    // its range, and the empty sensor name counts as listed everywhere.
    SetDevice(NoGroup, 1);
    Fill(PageImage());
    QCOMPARE(g_sensorModel, QString());
    QCOMPARE(m_view->StageCount()->count(), 0);
    QCOMPARE(m_view->StageButton(0)->text(), stageText);
    QCOMPARE(m_view->DpiSlider()->minimum(), 50);
    QCOMPARE(m_view->DpiSlider()->maximum(), 30000);
    QCOMPARE(g_dpiRangeModel.count, 0);
    QVERIFY(m_view->Ripple()->isVisible());
    QVERIFY(m_view->Mode()->isEnabled());
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestSensorPage::currentStageReport()
{
    Fill(PageImage());
    g_sendEnabled = false;
    QVERIFY(EmitFromReportThread([] { emit PostMsg::GetInstance()->SigUpDataDPI(5); }));
    QVERIFY(m_view->StageButton(5)->isChecked());
    QCOMPARE(m_view->Dpi()->CurrentStage(), 5);
    QCOMPARE(m_view->Marker()->pos(), m_view->Dpi()->MarkerPoint(5));
    // Sending is on afterwards, whatever it was before; the mouse's own
    // stage is not sent back.
    QVERIFY(g_sendEnabled);
    QCOMPARE(SimMouse::Sends(), 0);

    // A stage the editor does not have moves nothing.
    QVERIFY(EmitFromReportThread([] { emit PostMsg::GetInstance()->SigUpDataDPI(9); }));
    QCOMPARE(m_view->Dpi()->CurrentStage(), 5);
    QCOMPARE(m_view->Marker()->pos(), m_view->Dpi()->MarkerPoint(5));
}

void TestSensorPage::dpiLightReport()
{
    Fill(PageImage());
    FlashDataMap image = PageImage();
    image.dpiLed[0] = 1;
    image.dpiLed[1] = 230;
    image.dpiLed[2] = 2;
    QVERIFY(EmitFromReportThread([image] { emit PostMsg::GetInstance()->SigUpDataDPILed(image); }));
    QCOMPARE(m_view->EffectMode(), 1);
    QCOMPARE(m_view->EffectSpeed(), 2);
    QCOMPARE(m_view->EffectBrightness(), 9);

    // Light off: mode 0; an unknown mode keeps the shown one.
    image.dpiLed[3] = 0;
    QVERIFY(EmitFromReportThread([image] { emit PostMsg::GetInstance()->SigUpDataDPILed(image); }));
    QCOMPARE(m_view->EffectMode(), 0);
    image.dpiLed[3] = 1;
    image.dpiLed[0] = 7;
    QVERIFY(EmitFromReportThread([image] { emit PostMsg::GetInstance()->SigUpDataDPILed(image); }));
    QCOMPARE(m_view->EffectMode(), 0);
}

void TestSensorPage::reset_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("rateLevel"); // -1: as before the reset
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("offers8000");

    QTest::newRow("1K receiver") << 0 << 3 << 0 << false;
    QTest::newRow("cable") << 2 << 3 << 2 << false;
    QTest::newRow("4K receiver") << 1 << 3 << 2 << false;
    QTest::newRow("8K receiver") << 5 << 6 << 2 << true;
    QTest::newRow("2K receiver keeps rate and mode") << 4 << -1 << -1 << false;
    QTest::newRow("other cable type") << 6 << -1 << 2 << false;
}

void TestSensorPage::reset()
{
    QFETCH(int, type);
    QFETCH(int, rateLevel);
    QFETCH(int, mode);
    QFETCH(bool, offers8000);

    // Before: a 2K receiver's page at 500 Hz in "HP".
    SetDevice(Aero, 4);
    FlashDataMap image = PageImage();
    image.reportRate = 2;
    Fill(image);
    QCOMPARE(m_view->RateLevel(), 2);

    SetDevice(Aero, type);
    QVERIFY(EmitFromReportThread([] { emit PostMsg::GetInstance()->SigFormReset(); }));

    QCOMPARE(m_view->RateLevel(), rateLevel < 0 ? 2 : rateLevel);
    QCOMPARE(m_view->Mode()->currentIndex(), mode < 0 ? 1 : mode);
    if (mode == 2)
        QVERIFY(!m_view->Mode()->isEnabled()); // "Corded" is never a choice
    QCOMPARE(m_view->RateOffered("Button8000HZ"), offers8000);

    QCOMPARE(m_view->StageCount()->count(), 6);
    QCOMPARE(m_view->StageCount()->currentIndex(), 5);
    QVERIFY(m_view->StageButton(1)->isChecked());
    QCOMPARE(m_view->Marker()->pos(), m_view->Dpi()->MarkerPoint(1));
    QCOMPARE(m_view->DpiSlider()->minimum(), 100);
    QCOMPARE(m_view->DpiSlider()->maximum(), 26000);
    QCOMPARE(m_view->DpiSpin()->value(), 800);
    QCOMPARE(m_view->StageButton(0)->text(), QStringLiteral("400")); // DPIGrade of the model
    QCOMPARE(m_view->LodCombo()->currentText().left(1), QStringLiteral("1")); // 1 mm
    QVERIFY(!m_view->Performance()->isChecked());
    QVERIFY(m_view->Performance()->isEnabled());
    QVERIFY(!m_view->PerformanceTime()->isEnabled());
    QCOMPARE(m_view->PerformanceTime()->currentIndex(), 1);
    QCOMPARE(m_view->EffectMode(), 0);
    QCOMPARE(m_view->EffectSpeed(), 3);
    QCOMPARE(m_view->EffectBrightness(), 5);
    QVERIFY(m_view->SyncOn());
    QVERIFY(!m_view->FixLineOn());
    QVERIFY(!m_view->RippleOn());
    QVERIFY(!g_sensorPageUpdating);
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestSensorPage::sensorModeAndPerformanceWrites()
{
    Fill(PageImage());
    FlashDataMap expected = g_deviceImage;

    frames::ChooseItem(m_view->Mode(), 0);
    expected.sensorMode = 0;
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(expected));
    QCOMPARE(SimControl::lastImageSent(), ImageBytes(expected));

    frames::ChooseItem(m_view->PerformanceTime(), 2);
    expected.performanceTime = 12;
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(expected));

    QTest::mouseClick(m_view->Performance(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    expected.performanceMode = 0;
    QVERIFY(!m_view->PerformanceTime()->isEnabled());
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(expected));
    QTest::mouseClick(m_view->Performance(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    expected.performanceMode = 1;
    QVERIFY(m_view->PerformanceTime()->isEnabled());
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(expected));
    QCOMPARE(SimMouse::Sends(), 4);
    QCOMPARE(SimControl::lastImageSent(), ImageBytes(expected));

    // The next fill with that byte shows the same choice.
    Fill(g_deviceImage);
    QCOMPARE(m_view->PerformanceTime()->currentIndex(), 2);
    QCOMPARE(m_view->Mode()->currentIndex(), 0);
    QCOMPARE(SimMouse::Sends(), 4);
}

void TestSensorPage::nothingWrittenBeforeFirstPageSwitch()
{
    Fill(PageImage());
    g_sendEnabled = false;
    QTest::mouseClick(m_view->Performance(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    QVERIFY(!m_view->PerformanceTime()->isEnabled());
    frames::ChooseItem(m_view->Mode(), 0);
    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(PageImage()));
}

void TestSensorPage::offlineChoiceRaisesNotice()
{
    Fill(PageImage());
    QVERIFY(SimMouse::SetOnline(false));
    frames::ChooseItem(m_view->Mode(), 0);
    QCOMPARE(m_view->Mode()->currentIndex(), 0);
    QCOMPARE(m_notices, 1);
    QCOMPARE(int(g_deviceImage.sensorMode), 1);
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestSensorPage::switchesSendOnce()
{
    // The page's own switch handlers are not connected: the frame alone
    // writes a click.
    SetDevice(Lynx, 5);
    Fill(PageImage());
    QTest::mouseClick(m_view->Ripple()->findChild<QAbstractButton*>(QStringLiteral("RippeControl_2")), Qt::LeftButton);
    QCOMPARE(int(g_deviceImage.rippleControl), 0);
    QCOMPARE(SimMouse::Sends(), 1);
    QTest::mouseClick(m_view->Sync()->findChild<QAbstractButton*>(QStringLiteral("MotionSync_2")), Qt::LeftButton);
    QCOMPARE(int(g_deviceImage.motionSync), 0);
    QCOMPARE(SimMouse::Sends(), 2);
}

void TestSensorPage::languageTexts_data()
{
    QTest::addColumn<QList<int>>("indexes"); // applied in this order
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("firstTime");
    QTest::addColumn<QString>("unit");

    QTest::newRow("English") << QList<int>{0} << "Sensor settings" << "30 s" << "1 mm";
    QTest::newRow("Russian") << QList<int>{1} << "Настройки сенсора" << "30 с" << "1 мм";
    QTest::newRow("Korean after Russian keeps the unit") << QList<int>{1, 3} << "센서 설정" << "30초" << "1 мм";
    QTest::newRow("Japanese after English") << QList<int>{0, 5} << "センサー設定" << "30秒" << "1 mm";
    QTest::newRow("Traditional Chinese") << QList<int>{0, 2} << "感應器設定" << "30秒" << "1 mm";
    QTest::newRow("index without a file: English") << QList<int>{1, 4} << "Sensor settings" << "30 s" << "1 mm";
}

void TestSensorPage::languageTexts()
{
    QFETCH(QList<int>, indexes);
    QFETCH(QString, title);
    QFETCH(QString, firstTime);
    QFETCH(QString, unit);

    SetDevice(Lynx, 5); // two lift-off items, unit on both
    Fill(PageImage());
    for (int index : indexes)
        emit PostMsg::GetInstance()->SigChangeLanguage(index);
    QCOMPARE(m_view->Get<QLabel>("label_5")->text(), title);
    QCOMPARE(m_view->PerformanceTime()->itemText(0), firstTime);
    QCOMPARE(m_view->LodCombo()->itemText(0), unit);
    QVERIFY(!m_view->Get<QLabel>("label_11")->toolTip().isEmpty());
    QVERIFY(!m_view->Get<QLabel>("label_11")->toolTip().contains(QStringLiteral("普通模式")));
    emit PostMsg::GetInstance()->SigChangeLanguage(0);
}

void TestSensorPage::levelFileSetsInitialStageCount()
{
    const QString path = UserDataFolder() + QStringLiteral("/usersetting/SensorPage/Level.ini");
    QFile level(path);
    QVERIFY(level.open(QIODevice::WriteOnly));
    level.write("5\n");
    level.close();
    {
        Sensor page;
        QCOMPARE(page.findChild<SensorDPI*>(QStringLiteral("frameDpi"))->StageCountValue(), 5);
    }
    QFile::remove(path);
    Sensor page;
    QCOMPARE(page.findChild<SensorDPI*>(QStringLiteral("frameDpi"))->StageCountValue(), 1);

    // Every change event makes the time follow the check box.
    QCheckBox* performance = page.findChild<QCheckBox*>(QStringLiteral("Performance"));
    QComboBox* time = page.findChild<QComboBox*>(QStringLiteral("PerformanceOpen"));
    performance->blockSignals(true);
    performance->setChecked(true);
    performance->blockSignals(false);
    QVERIFY(!time->isEnabled());
    page.setWindowTitle(QStringLiteral("changed"));
    QVERIFY(time->isEnabled());
}

QTEST_MAIN(TestSensorPage)
#include "test_sensorpage_page.moc"
