// The DPI stage editor on a simulated mouse: the host operations the sensor
// page drives, and what the user's clicks, drags and choices write to the
// device image.
#define QTEST_QPA_MOUSE_HANDLING
#include "app_state.h"
#include "device_image_setters.h"
#include "dpi_code.h"
#include "paths.h"
#include "post_msg.h"
#include "sensor_dpi.h"
#include "sim_mouse.h"
#include "style_pictures.h"
#include "test_image.h"

#include <QtTest>

#include <QAbstractItemView>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

namespace {

const char* const kButtons[8] = {"BlueButton",  "BrightRedButton", "RedButton",       "YellowButton",
                                 "GreenButton", "PurpleButton",    "LightBlueButton", "LightYellowButton"};
const int kStageDpi[8] = {400, 800, 1600, 3200, 6400, 8000, 9000, 10000};

// The recognisable image with the stages at the DPI values above (codes of a
// sensor without definitions), each in a colour of its own.
FlashDataMap TestImage(int count, int current)
{
    FlashDataMap image = PatternImage();
    image.dpiStageCount = uint8_t(count);
    image.currentDpiStage = uint8_t(current);
    for (int i = 0; i < 8; ++i) {
        DPIStage& stage = image.dpiStages[i];
        stage.x = stage.y = uint8_t(kStageDpi[i] / 50 - 1);
        stage.flags = 0;
        stage.red = uint8_t(10 + i);
        stage.green = uint8_t(100 + i);
        stage.blue = uint8_t(200 + i);
    }
    return image;
}

QString ColourText(const DPIStage& stage)
{
    return QStringLiteral("%1,%2,%3").arg(stage.red).arg(stage.green).arg(stage.blue);
}

// What the sensor page does when it fills the editor from an image.
void Fill(SensorDPI& editor, const FlashDataMap& image, int maxGrade = 8)
{
    editor.ClearStageCountItems();
    editor.BlockSliderSignals(true);
    editor.SetSliderEnabled(true);
    g_sensorPageUpdating = true;
    editor.SetStageCount(image.dpiStageCount);
    editor.SetCurrentStage(image.currentDpiStage);
    editor.BlockStageCountSignals(true);
    for (int i = 0; i < maxGrade; ++i) {
        const DPIStage& stage = image.dpiStages[i];
        editor.SetStageColor(i, QStringLiteral("#%1%2%3")
                                    .arg(stage.red, 2, 16, QLatin1Char('0'))
                                    .arg(stage.green, 2, 16, QLatin1Char('0'))
                                    .arg(stage.blue, 2, 16, QLatin1Char('0')));
        editor.InsertStageCountItem(i, QString::number(i + 1));
    }
    editor.BlockStageCountSignals(false);
    editor.HighlightSwatch(image.currentDpiStage);
    editor.SetSliderMaximum(30000);
    editor.SetSliderMinimum(50);
    for (int i = 0; i < maxGrade; ++i) {
        const int dpi = ReadDpiStage(image.dpiStages[i]);
        editor.SetStageText(i, QString::number(dpi));
        if (i == image.currentDpiStage) {
            editor.SetSliderValue(dpi);
            editor.SetSpinValue(dpi);
        }
    }
    editor.ShowStages(image.dpiStageCount - 1);
    editor.SetStageCountIndex(image.dpiStageCount - 1);
    editor.MoveMarker(image.currentDpiStage + 1);
    editor.CheckStageButton(image.currentDpiStage);
    editor.BlockSliderSignals(false);
    g_sensorPageUpdating = false;
}

} // namespace

class TestSensorDpiEditor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void freshEditor();
    void looksUseThePicturesAndColours();
    void hostOperations();
    void highlightSwatch_data();
    void highlightSwatch();
    void defaultStagesOfTheModel();
    void fillWritesNothing();
    void resetWritesNothing();
    void clickSelectsStage();
    void dragSelectsStage_data();
    void dragSelectsStage();
    void releaseWithoutDragReturnsMarker();
    void offlineDragGivesOneNotice();
    void sliderWritesCheckedStage();
    void nothingWrittenWhileApplyingOrFilling_data();
    void nothingWrittenWhileApplyingOrFilling();
    void userChangeAfterUnchangedSelectionIsSent();
    void stepButtons_data();
    void stepButtons();
    void colourPick();
    void colourWithoutCheckedSwatchIsDropped();
    void stageCountExchangesCurrentStage();
    void stageCountWithoutExchange();
    void stageCountWhileFilling();
    void stageCountIgnoresBadIndexes();
    void currentStageFromBadImageByte();

private:
    QToolButton* Button(int stage) const { return m_editor->findChild<QToolButton*>(kButtons[stage]); }
    QToolButton* Swatch(int stage) const
    {
        return m_editor->findChild<QToolButton*>(QLatin1String(kButtons[stage]) + QLatin1Char('A'));
    }
    QLabel* Marker() const { return m_editor->findChild<QLabel*>("label_8"); }
    QSlider* Slider() const { return m_editor->findChild<QSlider*>("horizontalSliderC"); }
    QSpinBox* Spin() const { return m_editor->findChild<QSpinBox*>("spinBoxA"); }
    QComboBox* Count() const { return m_editor->findChild<QComboBox*>("ChooseEvent"); }

    void ShowEditor();
    void Drag(int fromStage, int x);
    void ChooseCount(int index);
    void ExpectImage(const FlashDataMap& expected, int sends);

    std::unique_ptr<SensorDPI> m_editor;
    int m_notices = 0;
};

void TestSensorDpiEditor::initTestCase()
{
    QVERIFY(SimMouse::Start());

    connect(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo, this, [this](int) { ++m_notices; });

    // Model 1 of the catalogue: sensor without definitions, two segments.
    g_currentDevice.modelIndex = 0;
    g_sensorModel = QStringLiteral("3950");
    g_sensorDefineNames.clear();
    g_sensorDefineValues.clear();
}

void TestSensorDpiEditor::init()
{
    LoadDpiRangeModel({"50", "10000", "50", "10100", "30000", "100", "0x22"});
    QVERIFY(SimMouse::Reset(TestImage(8, 2)));
    m_notices = 0;
    m_editor.reset(new SensorDPI);
    SimControl::clearCallLog();
}

void TestSensorDpiEditor::cleanup()
{
    m_editor.reset();
}

void TestSensorDpiEditor::ShowEditor()
{
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
}

// Presses the marker at the current stage's point, drags it and lets go at x.
void TestSensorDpiEditor::Drag(int fromStage, int x)
{
    const QPoint grab = m_editor->MarkerPoint(fromStage) + QPoint(15, 15);
    QCOMPARE(Marker()->pos(), m_editor->MarkerPoint(fromStage));
    QTest::mousePress(m_editor.get(), Qt::LeftButton, Qt::NoModifier, grab);
    const QPoint drop(x, grab.y());
    QTest::mouseMove(m_editor.get(), (grab + drop) / 2);
    QTest::mouseMove(m_editor.get(), drop);
    QTest::mouseRelease(m_editor.get(), Qt::LeftButton, Qt::NoModifier, drop);
}

// The user opens the stage-count list and clicks an item.
void TestSensorDpiEditor::ChooseCount(int index)
{
    QComboBox* combo = Count();
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    const QPoint at = view->visualRect(item).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(combo->currentIndex(), index);
}

void TestSensorDpiEditor::ExpectImage(const FlashDataMap& expected, int sends)
{
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(expected));
    QCOMPARE(SimMouse::Sends(), sends);
    if (sends > 0)
        QCOMPARE(SimControl::lastImageSent(), ImageBytes(expected));
}

void TestSensorDpiEditor::freshEditor()
{
    SensorDPI& editor = *m_editor;
    QCOMPARE(editor.size(), QSize(728, 194));
    QCOMPARE(editor.CurrentStage(), 1);
    QCOMPARE(editor.StageCountValue(), 1);
    QCOMPARE(Count()->count(), 0);
    QCOMPARE(Slider()->value(), 50);
    QCOMPARE(Slider()->maximum(), 32000);
    QVERIFY(!Slider()->hasTracking());
    QVERIFY(Spin()->isReadOnly());
    QCOMPARE(Spin()->maximum(), 100000);
    QCOMPARE(Marker()->pos(), QPoint(103, 154));

    for (int i = 0; i < 8; ++i) {
        QCOMPARE(Button(i)->geometry(), QRect(15 + 91 * i, 99, 54, 56));
        QCOMPARE(Swatch(i)->geometry(), QRect(17 + 91 * i, 141, 50, 12));
        QVERIFY(!Button(i)->isChecked());
        QVERIFY(!Swatch(i)->isChecked());
        // Every swatch red until the first fill, whatever the stage colour.
        QVERIFY(Swatch(i)->styleSheet().contains("background-color: rgb(255, 0, 0)"));
        QVERIFY(Swatch(i)->styleSheet().startsWith(QLatin1Char('#') + Swatch(i)->objectName()));
    }
    QCOMPARE(editor.StageColorText(0), QStringLiteral("255,0,0"));
    QCOMPARE(editor.StageColorText(7), QStringLiteral("0,212,252"));

    // 91 px apart, except 92 between stages 4 and 5 (and 90 after).
    QCOMPARE(editor.MarkerPoint(0), QPoint(27, 154));
    for (int i = 1; i < 8; ++i) {
        const int step = editor.MarkerPoint(i).x() - editor.MarkerPoint(i - 1).x();
        QCOMPARE(step, i == 5 ? 92 : i == 6 ? 90 : 91);
    }
}

void TestSensorDpiEditor::looksUseThePicturesAndColours()
{
    ShowEditor();
    // Every picture the style sheets name is drawn.
    const QStringList pictures = PicturesNamed(m_editor.get());
    for (const QString& path : pictures) {
        QVERIFY2(path.startsWith(PictureFolder("Sensor")), qPrintable(path));
        QVERIFY2(QFile::exists(path), qPrintable(path));
    }
    QVERIFY(pictures.size() >= 20);
    for (const char* name : {"MinA", "MaxA", "MinB", "MaxB"})
        QVERIFY(QFile::exists(PictureFolder("Sensor") + name + ".png"));

    // The colour texts of Config.ini reach the widgets.
    Fill(*m_editor, g_deviceImage);
    const QColor text = Button(0)->palette().color(QPalette::ButtonText);
    QVERIFY2(text.lightness() > 200, qPrintable(text.name()));
}

void TestSensorDpiEditor::hostOperations()
{
    SensorDPI& editor = *m_editor;
    ShowEditor();

    editor.ShowStages(0);
    QVERIFY(Button(0)->isVisible() && Swatch(0)->isVisible());
    QVERIFY(!Button(1)->isVisible() && !Swatch(7)->isVisible());
    editor.ShowStages(7);
    for (int i = 0; i < 8; ++i)
        QVERIFY(Button(i)->isVisible() && Swatch(i)->isVisible());
    editor.ShowStages(3);
    editor.ShowStages(-1);
    editor.ShowStages(8);
    QVERIFY(Button(3)->isVisible() && !Button(4)->isVisible());
    // Hidden stages keep their place in the row.
    QCOMPARE(Button(3)->geometry(), QRect(288, 99, 54, 56));

    editor.MoveMarker(1);
    QCOMPARE(Marker()->pos(), QPoint(27, 154));
    editor.MoveMarker(6);
    QCOMPARE(Marker()->pos(), QPoint(483, 154));
    editor.MoveMarker(0);
    editor.MoveMarker(9);
    QCOMPARE(Marker()->pos(), QPoint(483, 154));

    const QString swatchStyle = Swatch(3)->styleSheet();
    editor.SetStageColor(3, "#0a10ff");
    QCOMPARE(editor.StageColorText(3), QStringLiteral("10,16,255"));
    QCOMPARE(Swatch(3)->styleSheet(), swatchStyle);
    editor.SetStageColor(4, "#zz10ff");
    QCOMPARE(editor.StageColorText(4), QStringLiteral("0,16,255"));
    editor.SetStageColor(8, "#ffffff");
    editor.SetStageColor(-1, "#ffffff");

    editor.SetStageText(2, "1234");
    editor.SetStageText(8, "999");
    QCOMPARE(Button(2)->text(), QStringLiteral("1234"));
    editor.CheckStageButton(8);
    editor.CheckStageButton(-1);
    for (int i = 0; i < 8; ++i)
        QVERIFY(!Button(i)->isChecked());

    editor.SetTitleText("DPI stages");
    QCOMPARE(m_editor->findChild<QLabel*>("label")->text(), QStringLiteral("DPI stages"));
    editor.SetSliderMaximum(26000);
    editor.SetSliderMinimum(100);
    QCOMPARE(Slider()->maximum(), 26000);
    QCOMPARE(Slider()->minimum(), 100);
    QVERIFY(!editor.BlockSliderSignals(true));
    QVERIFY(editor.BlockSliderSignals(false));
    QVERIFY(!editor.BlockStageCountSignals(true));
    QVERIFY(editor.BlockStageCountSignals(false));
    editor.SetSpinValue(777);
    QCOMPARE(Spin()->value(), 777);
    editor.SetStageCount(5);
    editor.SetCurrentStage(4);
    QCOMPARE(editor.StageCountValue(), 5);
    QCOMPARE(editor.CurrentStage(), 4);
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestSensorDpiEditor::highlightSwatch_data()
{
    QTest::addColumn<int>("stage");
    QTest::newRow("stage 2") << 2;
    QTest::newRow("stage 7") << 7;
    QTest::newRow("stage 9 from a bad image byte") << 9;
    QTest::newRow("stage -1") << -1;
}

void TestSensorDpiEditor::highlightSwatch()
{
    QFETCH(int, stage);
    SensorDPI& editor = *m_editor;
    editor.SetStageColor(2, "#102030");
    // A swatch somewhere else than at rest shows that only the others move back.
    Swatch(1)->setGeometry(0, 0, 66, 14);
    const QList<QString> before = [this] {
        QList<QString> styles;
        for (int i = 0; i < 8; ++i)
            styles << Swatch(i)->styleSheet();
        return styles;
    }();
    Swatch(2)->setGeometry(9, 147, 66, 14);
    editor.HighlightSwatch(stage);

    if (stage < 0 || stage > 7) {
        for (int i = 0; i < 8; ++i)
            QCOMPARE(Swatch(i)->styleSheet(), before[i]);
        QCOMPARE(Swatch(1)->geometry(), QRect(0, 0, 66, 14));
        return;
    }
    for (int i = 0; i < 8; ++i) {
        const QString style = Swatch(i)->styleSheet();
        QVERIFY(style.startsWith("QToolButton{"));
        QVERIFY(style.contains("background-color:rgb(" + editor.StageColorText(i) + ")"));
        if (i == stage) {
            QVERIFY(style.contains("MaxB.png"));
            QCOMPARE(Swatch(i)->geometry(), i == 2 ? QRect(9, 147, 66, 14) : QRect(17 + 91 * i, 141, 50, 12));
        } else {
            QVERIFY(style.contains("MinB.png"));
            QCOMPARE(Swatch(i)->geometry(), QRect(17 + 91 * i, 141, 50, 12));
        }
    }
}

void TestSensorDpiEditor::defaultStagesOfTheModel()
{
    // Model 1 of the catalogue lists 8 grades and 24 colour numbers.
    SensorDPI& editor = *m_editor;
    Swatch(4)->setGeometry(0, 0, 66, 14);
    editor.LoadDefaultStages();
    const QStringList grades = {"400", "800", "1600", "3200", "6400", "12000", "20000", "30000"};
    const QStringList colours = {"255,0,0",   "0,0,255",   "0,255,0",   "255,255,0",
                                 "0,255,255", "255,0,255", "255,128,0", "255,255,255"};
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(Button(i)->text(), grades[i]);
        QCOMPARE(editor.StageColorText(i), colours[i]);
        QCOMPARE(Swatch(i)->geometry(), QRect(17 + 91 * i, 141, 50, 12));
        QVERIFY(Swatch(i)->styleSheet().contains("rgb(" + colours[i] + ");background-image: url(" +
                                                 PictureFolder("Sensor") + "MinB.png"));
    }
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestSensorDpiEditor::fillWritesNothing()
{
    ShowEditor();
    g_deviceImage = TestImage(6, 2);
    const FlashDataMap image = g_deviceImage;
    Fill(*m_editor, image, 8);

    ExpectImage(image, 0);
    QCOMPARE(m_notices, 0);
    QCOMPARE(Count()->currentIndex(), 5);
    QCOMPARE(m_editor->StageCountValue(), 6);
    QCOMPARE(m_editor->CurrentStage(), 2);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(Button(i)->isVisible(), i < 6);
        QCOMPARE(Button(i)->text(), QString::number(kStageDpi[i]));
        QCOMPARE(m_editor->StageColorText(i), ColourText(image.dpiStages[i]));
    }
    QVERIFY(Button(2)->isChecked() && Swatch(2)->isChecked());
    QCOMPARE(Button(2)->geometry(), QRect(190, 92, 68, 70));
    QCOMPARE(Swatch(2)->geometry(), QRect(191, 147, 66, 14));
    QVERIFY(Button(2)->styleSheet().contains("MaxA.png"));
    QVERIFY(Swatch(2)->styleSheet().contains("MaxB.png"));
    QCOMPARE(Marker()->pos(), QPoint(209, 154));
    QCOMPARE(Slider()->value(), 1600);
    QCOMPARE(Spin()->value(), 1600);
}

void TestSensorDpiEditor::resetWritesNothing()
{
    // The sensor page's reset, with the slider's signals open.
    SensorDPI& editor = *m_editor;
    ShowEditor();
    Fill(editor, g_deviceImage);
    const FlashDataMap image = g_deviceImage;
    SimControl::clearCallLog();

    g_sensorPageUpdating = true;
    editor.SetSliderMaximum(26000);
    editor.SetSliderMinimum(100);
    editor.LoadDefaultStages();
    editor.ClearStageCountItems();
    for (int i = 0; i < 6; ++i)
        editor.InsertStageCountItem(i, QString::number(i + 1));
    editor.BlockStageCountSignals(false);
    editor.ShowStages(5);
    editor.SetStageCountIndex(5);
    editor.MoveMarker(2);
    editor.CheckStageButton(1);
    editor.SetSliderValue(800);
    editor.SetSpinValue(800);
    g_sensorPageUpdating = false;

    ExpectImage(image, 0);
    QCOMPARE(m_notices, 0);
    QVERIFY(Button(1)->isChecked());
    QCOMPARE(Button(1)->text(), QStringLiteral("800"));
    QCOMPARE(Marker()->pos(), QPoint(118, 154));
    QVERIFY(!Button(6)->isVisible());
}

void TestSensorDpiEditor::clickSelectsStage()
{
    ShowEditor();
    Fill(*m_editor, g_deviceImage);
    FlashDataMap expected = g_deviceImage;
    SimControl::clearCallLog();

    QTest::mouseClick(Button(4), Qt::LeftButton);
    expected.currentDpiStage = 4;
    // The stage's DPI loaded into the slider is not sent back.
    ExpectImage(expected, 1);
    QCOMPARE(m_editor->CurrentStage(), 4);
    QCOMPARE(Marker()->pos(), QPoint(391, 154));
    QVERIFY(Button(4)->isChecked() && Swatch(4)->isChecked());
    QVERIFY(!Button(2)->isChecked() && !Swatch(2)->isChecked());
    QCOMPARE(Button(2)->geometry(), QRect(197, 99, 54, 56));
    QCOMPARE(Swatch(2)->geometry(), QRect(199, 141, 50, 12));
    QVERIFY(Button(2)->styleSheet().contains("MinA.png"));
    QCOMPARE(Button(4)->geometry(), QRect(372, 92, 68, 70));
    QCOMPARE(Slider()->value(), 6400);
    QCOMPARE(Spin()->value(), 6400);

    // A click on a swatch selects its stage as well.
    QTest::mouseClick(Swatch(6), Qt::LeftButton);
    m_editor->findChild<QColorDialog*>()->hide();
    expected.currentDpiStage = 6;
    ExpectImage(expected, 2);
    QVERIFY(Button(6)->isChecked());
    QCOMPARE(Spin()->value(), 9000);
}

void TestSensorDpiEditor::dragSelectsStage_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("sendEnabled");
    QTest::addColumn<int>("dropX");
    QTest::addColumn<int>("stage");   // current stage afterwards
    QTest::addColumn<int>("markerX");
    QTest::addColumn<int>("sends");

    QTest::newRow("one stage right") << 8 << 2 << true << 309 << 3 << 300 << 2;
    QTest::newRow("dead zone returns") << 8 << 2 << true << 340 << 2 << 209 << 0;
    QTest::newRow("beyond the stage count resends") << 3 << 0 << true << 252 << 0 << 27 << 1;
    QTest::newRow("two stages right") << 3 << 0 << true << 200 << 2 << 209 << 2;
    QTest::newRow("three stages left") << 8 << 5 << true << 210 << 2 << 209 << 2;
    QTest::newRow("left of the row returns") << 8 << 1 << true << 10 << 1 << 118 << 0;
    QTest::newRow("sending disabled: marker stays where dropped") << 8 << 0 << false << 497 << 5 << 482 << 0;
    QTest::newRow("sending disabled, beyond the count") << 3 << 0 << false << 252 << 0 << 27 << 0;
}

void TestSensorDpiEditor::dragSelectsStage()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(bool, sendEnabled);
    QFETCH(int, dropX);
    QFETCH(int, stage);
    QFETCH(int, markerX);
    QFETCH(int, sends);

    ShowEditor();
    g_deviceImage = TestImage(count, current);
    Fill(*m_editor, g_deviceImage);
    FlashDataMap expected = g_deviceImage;
    SimControl::clearCallLog();
    g_sendEnabled = sendEnabled;

    Drag(current, dropX);

    QCOMPARE(m_editor->CurrentStage(), stage);
    QCOMPARE(Marker()->pos(), QPoint(markerX, 154));
    QVERIFY(Button(stage)->isChecked());
    QCOMPARE(Spin()->value(), kStageDpi[stage]);
    if (sends > 0)
        expected.currentDpiStage = uint8_t(stage);
    ExpectImage(expected, sends);
    QCOMPARE(m_notices, 0);
}

void TestSensorDpiEditor::releaseWithoutDragReturnsMarker()
{
    ShowEditor();
    Fill(*m_editor, g_deviceImage);
    Marker()->move(400, 20);
    SimControl::clearCallLog();
    QTest::mouseClick(m_editor.get(), Qt::LeftButton, Qt::NoModifier, QPoint(700, 10));
    QCOMPARE(Marker()->pos(), QPoint(209, 154));
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestSensorDpiEditor::offlineDragGivesOneNotice()
{
    ShowEditor();
    Fill(*m_editor, g_deviceImage);
    const FlashDataMap image = g_deviceImage;
    QVERIFY(SimMouse::SetOnline(false));
    SimControl::clearCallLog();

    Drag(2, 309);

    QCOMPARE(m_notices, 1);
    QCOMPARE(m_editor->CurrentStage(), 2);
    QCOMPARE(Marker()->pos(), QPoint(209, 154));
    QVERIFY(Button(2)->isChecked());
    ExpectImage(image, 0);

    // The next drop, back online, starts from the unchanged stage.
    QVERIFY(SimMouse::SetOnline(true));
    Drag(2, 309);
    QCOMPARE(m_editor->CurrentStage(), 3);
    QCOMPARE(int(g_deviceImage.currentDpiStage), 3);
}

void TestSensorDpiEditor::sliderWritesCheckedStage()
{
    ShowEditor();
    Fill(*m_editor, g_deviceImage);
    SimControl::clearCallLog();

    // A press on the groove makes the slider jump there.
    const int x = Slider()->width() * 3 / 4;
    QTest::mouseClick(Slider(), Qt::LeftButton, Qt::NoModifier, QPoint(x, Slider()->height() / 2));
    const int jumped = Slider()->value();
    QVERIFY(jumped > 10100);
    const int snapped = jumped - jumped % 100;

    QCOMPARE(Button(2)->text(), QString::number(snapped));
    QCOMPARE(Spin()->value(), snapped);
    const DPIStage& written = g_deviceImage.dpiStages[2];
    QCOMPARE(int(written.flags & 0x22), 0x22);
    QCOMPARE(ReadDpiStage(written), snapped);
    QCOMPARE(SimControl::lastImageSent(), ImageBytes(g_deviceImage));

    // A drag released in the gap between the segments lands on the next
    // segment's start; the handle stays where it was let go.
    Slider()->setSliderDown(true);
    Slider()->setSliderPosition(10060);
    QCOMPARE(Spin()->value(), 10100);
    Slider()->setSliderDown(false);
    QCOMPARE(Slider()->value(), 10060);
    QCOMPARE(Slider()->pageStep(), 100);
    QCOMPARE(Button(2)->text(), QStringLiteral("10100"));
    QCOMPARE(ReadDpiStage(g_deviceImage.dpiStages[2]), 10100);

    // The first segment: code dpi / 50 - 1, no flags.
    Slider()->setSliderDown(true);
    Slider()->setSliderPosition(1234);
    Slider()->setSliderDown(false);
    QCOMPARE(Slider()->pageStep(), 50);
    QCOMPARE(int(g_deviceImage.dpiStages[2].x), 1200 / 50 - 1);
    QCOMPARE(int(g_deviceImage.dpiStages[2].flags), 0);
    QCOMPARE(m_notices, 0);
}

void TestSensorDpiEditor::nothingWrittenWhileApplyingOrFilling_data()
{
    QTest::addColumn<bool>("applying");
    QTest::addColumn<bool>("filling");
    QTest::newRow("applying parameters") << true << false;
    QTest::newRow("page filling") << false << true;
}

void TestSensorDpiEditor::nothingWrittenWhileApplyingOrFilling()
{
    QFETCH(bool, applying);
    QFETCH(bool, filling);
    ShowEditor();
    Fill(*m_editor, g_deviceImage);
    const FlashDataMap image = g_deviceImage;
    SimControl::clearCallLog();

    g_applyingParameters = applying;
    g_sensorPageUpdating = filling;
    m_editor->SetSliderValue(4321);
    QTest::mouseClick(m_editor->findChild<QToolButton*>("AddLevelA"), Qt::LeftButton);
    g_applyingParameters = false;
    g_sensorPageUpdating = false;

    // Texts and the number follow; the mouse hears nothing.
    QCOMPARE(Button(2)->text(), QStringLiteral("4350"));
    QCOMPARE(Spin()->value(), 4350);
    ExpectImage(image, 0);
}

void TestSensorDpiEditor::userChangeAfterUnchangedSelectionIsSent()
{
    ShowEditor();
    // Stages 3 and 4 with the same DPI: selecting 4 leaves the slider as it
    // is, so there is no echo to absorb.
    g_deviceImage.dpiStages[4] = g_deviceImage.dpiStages[3];
    Fill(*m_editor, g_deviceImage);
    QTest::mouseClick(Button(3), Qt::LeftButton);
    QTest::mouseClick(Button(4), Qt::LeftButton);
    QCOMPARE(Slider()->value(), 3200);
    SimControl::clearCallLog();

    m_editor->findChild<QToolButton*>("AddLevelA")->click();
    QCOMPARE(ReadDpiStage(g_deviceImage.dpiStages[4]), 3250);
    QCOMPARE(SimMouse::Sends(), 1);

    // The same after a fill, which loads the stage with the slider blocked.
    g_deviceImage = TestImage(8, 5);
    Fill(*m_editor, g_deviceImage);
    SimControl::clearCallLog();
    m_editor->findChild<QToolButton*>("ReduceLevelA")->click();
    QCOMPARE(ReadDpiStage(g_deviceImage.dpiStages[5]), 7950);
    QCOMPARE(SimMouse::Sends(), 1);
}

void TestSensorDpiEditor::stepButtons_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("result");

    QTest::newRow("up across the gap") << 10000 << true << 10100;
    QTest::newRow("down across the gap") << 10100 << false << 10000;
    QTest::newRow("up in the first segment") << 800 << true << 850;
    QTest::newRow("down in the second segment") << 20000 << false << 19900;
    QTest::newRow("up at the top stays at the slider's maximum") << 30000 << true << 30000;
}

void TestSensorDpiEditor::stepButtons()
{
    QFETCH(int, start);
    QFETCH(bool, up);
    QFETCH(int, result);
    ShowEditor();
    Fill(*m_editor, g_deviceImage);
    m_editor->SetSliderValue(start);
    SimControl::clearCallLog();

    QToolButton* button = m_editor->findChild<QToolButton*>(up ? "AddLevelA" : "ReduceLevelA");
    QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(Spin()->value(), result);
    QCOMPARE(Button(2)->text(), QString::number(result));
    QCOMPARE(ReadDpiStage(g_deviceImage.dpiStages[2]), result);
    QCOMPARE(SimMouse::Sends(), result == start ? 0 : 1);

    // Offline: only the notice.
    QVERIFY(SimMouse::SetOnline(false));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(Spin()->value(), result);
    QCOMPARE(m_notices, 1);
}

void TestSensorDpiEditor::colourPick()
{
    ShowEditor();
    Fill(*m_editor, g_deviceImage);
    FlashDataMap expected = g_deviceImage;
    SimControl::clearCallLog();

    // The dialog opens at the clicked stage's colour.
    const QStringList before = m_editor->StageColorText(3).split(QLatin1Char(','));
    QCOMPARE(before.size(), 3);
    QTest::mouseClick(Swatch(3), Qt::LeftButton);
    auto* dialog = m_editor->findChild<QColorDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->currentColor(), QColor(before[0].toInt(), before[1].toInt(), before[2].toInt()));
    emit dialog->colorSelected(QColor(5, 160, 255));
    dialog->hide();

    expected.currentDpiStage = 3;
    expected.dpiStages[3].red = 5;
    expected.dpiStages[3].green = 160;
    expected.dpiStages[3].blue = 255;
    ExpectImage(expected, 2);
    QCOMPARE(m_editor->StageColorText(3), QStringLiteral("5,160,255"));
    QVERIFY(Swatch(3)->styleSheet().contains("background-color:rgb(5,160,255);background-image: url(" +
                                             PictureFolder("Sensor") + "MaxB.png"));

    // Sending disabled: the editor keeps the colour, the mouse does not hear it.
    g_sendEnabled = false;
    emit dialog->colorSelected(QColor(1, 2, 3));
    QCOMPARE(m_editor->StageColorText(3), QStringLiteral("1,2,3"));
    ExpectImage(expected, 2);

    // Another stage's swatch opens the dialog at that stage's colour.
    const QStringList other = m_editor->StageColorText(5).split(QLatin1Char(','));
    QCOMPARE(other.size(), 3);
    QTest::mouseClick(Swatch(5), Qt::LeftButton);
    QCOMPARE(dialog->currentColor(), QColor(other[0].toInt(), other[1].toInt(), other[2].toInt()));
    dialog->hide();
}

void TestSensorDpiEditor::colourWithoutCheckedSwatchIsDropped()
{
    auto* dialog = m_editor->findChild<QColorDialog*>();
    emit dialog->colorSelected(QColor(5, 160, 255));
    for (int i = 0; i < 8; ++i)
        QVERIFY(!m_editor->StageColorText(i).startsWith("5,160"));
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestSensorDpiEditor::stageCountExchangesCurrentStage()
{
    ShowEditor();
    g_deviceImage = TestImage(8, 6);
    Fill(*m_editor, g_deviceImage);
    FlashDataMap expected = g_deviceImage;
    SimControl::clearCallLog();

    ChooseCount(3);

    std::swap(expected.dpiStages[3], expected.dpiStages[6]);
    expected.currentDpiStage = 3;
    expected.dpiStageCount = 4;
    // The current stage from the stage button, then the exchanged pair with
    // the count in one send.
    ExpectImage(expected, 2);
    QCOMPARE(m_editor->CurrentStage(), 3);
    QCOMPARE(m_editor->StageCountValue(), 4);
    QCOMPARE(Button(3)->text(), QString::number(kStageDpi[6]));
    QCOMPARE(Button(6)->text(), QString::number(kStageDpi[3]));
    QCOMPARE(m_editor->StageColorText(3), ColourText(g_deviceImage.dpiStages[3]));
    QCOMPARE(m_editor->StageColorText(6), ColourText(g_deviceImage.dpiStages[6]));
    QVERIFY(Button(3)->isChecked() && Swatch(3)->isChecked());
    QCOMPARE(Marker()->pos(), QPoint(300, 154));
    QCOMPARE(Spin()->value(), kStageDpi[6]);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(Button(i)->isVisible(), i <= 3);
    QVERIFY(Swatch(3)->styleSheet().contains("rgb(" + ColourText(g_deviceImage.dpiStages[3]) + ")"));
}

void TestSensorDpiEditor::stageCountWithoutExchange()
{
    ShowEditor();
    g_deviceImage = TestImage(4, 2);
    Fill(*m_editor, g_deviceImage);
    FlashDataMap expected = g_deviceImage;
    SimControl::clearCallLog();

    ChooseCount(7);
    expected.dpiStageCount = 8;
    ExpectImage(expected, 1);
    for (int i = 0; i < 8; ++i)
        QVERIFY(Button(i)->isVisible());

    ChooseCount(2);
    expected.dpiStageCount = 3;
    ExpectImage(expected, 2);
    QCOMPARE(m_editor->CurrentStage(), 2);
    QVERIFY(!Button(3)->isVisible());

    // Offline: the rows follow, the notice comes, nothing is written.
    QVERIFY(SimMouse::SetOnline(false));
    ChooseCount(4);
    QVERIFY(Button(4)->isVisible());
    QCOMPARE(m_notices, 1);
    ExpectImage(expected, 2);
}

void TestSensorDpiEditor::stageCountWhileFilling()
{
    ShowEditor();
    g_deviceImage = TestImage(8, 6);
    Fill(*m_editor, g_deviceImage);
    const FlashDataMap image = g_deviceImage;
    SimControl::clearCallLog();

    g_sensorPageUpdating = true;
    m_editor->SetStageCountIndex(2);
    g_sensorPageUpdating = false;

    ExpectImage(image, 0);
    QCOMPARE(m_editor->CurrentStage(), 6);
    QVERIFY(Button(6)->isChecked());
    QVERIFY(Button(7)->isVisible());
    QCOMPARE(m_notices, 0);
}

void TestSensorDpiEditor::stageCountIgnoresBadIndexes()
{
    ShowEditor();
    g_deviceImage = TestImage(8, 6);
    Fill(*m_editor, g_deviceImage);
    const FlashDataMap image = g_deviceImage;
    SimControl::clearCallLog();

    // An emptied combo reports -1: no exchange, no stage count 0.
    Count()->clear();
    ExpectImage(image, 0);
    QCOMPARE(m_editor->CurrentStage(), 6);
    QVERIFY(Button(7)->isVisible());

    // Inserting into the empty combo selects item 0 at once: one stage.
    m_editor->InsertStageCountItem(0, "1");
    FlashDataMap expected = image;
    std::swap(expected.dpiStages[0], expected.dpiStages[6]);
    expected.currentDpiStage = 0;
    expected.dpiStageCount = 1;
    ExpectImage(expected, 2);
}

void TestSensorDpiEditor::currentStageFromBadImageByte()
{
    ShowEditor();
    g_deviceImage = TestImage(8, 9);
    const FlashDataMap image = g_deviceImage;
    Fill(*m_editor, image);
    for (int i = 0; i < 8; ++i) {
        QVERIFY(!Button(i)->isChecked());
        QVERIFY(Swatch(i)->styleSheet().startsWith('#'));
    }
    QCOMPARE(Marker()->pos(), QPoint(103, 154));
    SimControl::clearCallLog();

    // No stage 9 to exchange with; the count is written all the same.
    ChooseCount(2);
    FlashDataMap expected = image;
    expected.dpiStageCount = 3;
    ExpectImage(expected, 1);
    QCOMPARE(m_editor->CurrentStage(), 9);

    // A drop has no stage to measure from: nothing moves, nothing is sent.
    QTest::mousePress(m_editor.get(), Qt::LeftButton, Qt::NoModifier, QPoint(118, 169));
    QTest::mouseRelease(m_editor.get(), Qt::LeftButton, Qt::NoModifier, QPoint(118, 169));
    QCOMPARE(m_editor->CurrentStage(), 9);
    ExpectImage(expected, 1);
}

QTEST_MAIN(TestSensorDpiEditor)
#include "test_sensordpi_editor.moc"
