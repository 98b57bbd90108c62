// The row-per-stage DPI editor on a simulated mouse: its host operations and
// what its stage boxes, sliders, colour choice and stage count write.
#define QTEST_QPA_MOUSE_HANDLING
#include "app_state.h"
#include "dpi_code.h"
#include "post_msg.h"
#include "sensor_dpi_b.h"
#include "sim_mouse.h"
#include "test_image.h"

#include <QtTest>

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

namespace {

const char* const kSwatches[8] = {"BlueButtonA",  "BrightRedButtonA", "RedButtonA",       "YellowButtonA",
                                  "GreenButtonA", "PurpleButtonA",    "LightBlueButtonA", "LightYellowButtonA"};

FlashDataMap TestImage()
{
    FlashDataMap image = PatternImage();
    image.dpiStageCount = 8;
    image.currentDpiStage = 5;
    return image;
}

} // namespace

class TestSensorDpiB : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void freshEditor();
    void hostOperations();
    void firstSliderChangeIsAbsorbed();
    void sliderWritesItsOwnRow();
    void nothingWrittenWhileApplyingOrFilling();
    void userChangeAfterSelectStageIsSent();
    void offlineSelectStage();
    void stageBoxes();
    void colourGoesToLastClickedRow();
    void stageCountExchangesRows();
    void stageCountWithoutExchange();
    void stageCountWhileFillingOrEmptied();

private:
    QCheckBox* Box(int row) const { return m_editor->findChild<QCheckBox*>(QStringLiteral("M") + QChar('A' + row)); }
    QToolButton* Swatch(int row) const { return m_editor->findChild<QToolButton*>(kSwatches[row]); }
    QSlider* Slider(int row) const
    {
        return m_editor->findChild<QSlider*>(QStringLiteral("horizontalSlider") + QChar('A' + row));
    }
    QSpinBox* Value(int row) const { return m_editor->findChild<QSpinBox*>(QStringLiteral("spinBox") + QChar('A' + row)); }
    QComboBox* Count() const { return m_editor->findChild<QComboBox*>("ChooseEvent"); }

    // The user drags a slider's handle and lets it go at value.
    void Drag(int row, int value)
    {
        Slider(row)->setSliderDown(true);
        Slider(row)->setSliderPosition(value);
        Slider(row)->setSliderDown(false);
    }
    // Rows of 8 stages, filled with the sliders' signals blocked.
    void FillRows()
    {
        m_editor->BlockSliderSignals(true);
        for (int row = 0; row < 8; ++row)
            m_editor->SetStageText(row, QString::number(400 * (row + 1)));
        m_editor->BlockSliderSignals(false);
        m_editor->BlockStageCountSignals(true);
        for (int row = 0; row < 8; ++row)
            m_editor->InsertStageCountItem(row, QString::number(row + 1));
        m_editor->SetStageCountIndex(7);
        m_editor->BlockStageCountSignals(false);
    }

    std::unique_ptr<SensorDPIB> m_editor;
    int m_notices = 0;
};

void TestSensorDpiB::initTestCase()
{
    QVERIFY(SimMouse::Start());
    connect(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo, this, [this](int) { ++m_notices; });
    g_sensorModel = QStringLiteral("3395");
    g_sensorDefineNames.clear();
    g_sensorDefineValues.clear();
}

void TestSensorDpiB::init()
{
    LoadDpiRangeModel({"50", "10000", "50", "10100", "26000", "100", "0x22"});
    QVERIFY(SimMouse::Reset(TestImage()));
    m_notices = 0;
    m_editor.reset(new SensorDPIB);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
    SimControl::clearCallLog();
}

void TestSensorDpiB::cleanup()
{
    m_editor.reset();
}

void TestSensorDpiB::freshEditor()
{
    QCOMPARE(m_editor->size(), QSize(725, 444));
    QCOMPARE(Count()->count(), 0);
    QCOMPARE(Count()->maxVisibleItems(), 5);
    QCOMPARE(m_editor->CurrentStage(), 1);
    QCOMPARE(m_editor->StageColorText(0), QStringLiteral("#ff0000"));
    QCOMPARE(m_editor->StageColorText(7), QStringLiteral("#00d4d4"));
    for (int row = 0; row < 8; ++row) {
        const int y = 60 + 50 * row;
        QVERIFY(Box(row)->isVisible() && Swatch(row)->isVisible());
        QVERIFY(!Box(row)->isChecked());
        QCOMPARE(Box(row)->text(), QStringLiteral("DPI%1").arg(row + 1));
        QCOMPARE(Box(row)->geometry(), QRect(10, y, 61, 20));
        QCOMPARE(Swatch(row)->geometry(), QRect(80, y - 3, 25, 25));
        QCOMPARE(Slider(row)->geometry(), QRect(120, y, 510, 20));
        QCOMPARE(Value(row)->geometry(), QRect(643, y, 66, 21));
        QCOMPARE(Slider(row)->value(), 50);
        QCOMPARE(Slider(row)->maximum(), 10000);
        QCOMPARE(Value(row)->value(), 50);
        QVERIFY(Swatch(row)->styleSheet().contains("background-color: rgb(255, 0, 0)"));
    }
}

void TestSensorDpiB::hostOperations()
{
    SensorDPIB& editor = *m_editor;
    editor.ShowStages(2);
    for (int row = 0; row < 8; ++row) {
        QCOMPARE(Box(row)->isVisible(), row <= 2);
        QCOMPARE(Slider(row)->isVisible(), row <= 2);
        QCOMPARE(Value(row)->isVisible(), row <= 2);
        QCOMPARE(Swatch(row)->isVisible(), row <= 2);
    }
    editor.ShowStages(8);
    editor.ShowStages(-1);
    QVERIFY(!Box(3)->isVisible());
    editor.ShowStages(7);
    QVERIFY(Box(7)->isVisible());

    // The text is read as a number; no number gives 0, which the widgets
    // bring up to their minimum.
    editor.SetStageText(3, "abc");
    QCOMPARE(Slider(3)->value(), 50);
    QCOMPARE(Value(3)->value(), 50);
    // A new minimum moves every slider; the host blocks their signals.
    editor.BlockSliderSignals(true);
    editor.SetSliderMaximum(26000);
    editor.SetSliderMinimum(100);
    editor.BlockSliderSignals(false);
    QCOMPARE(Slider(7)->maximum(), 26000);
    QCOMPARE(Slider(0)->minimum(), 100);
    editor.SetSpinValue(1234, 4);
    QCOMPARE(Value(4)->value(), 1234);
    editor.SetSpinValue(1234, 8);

    editor.SetStageColor(2, "#0a10ff");
    QCOMPARE(editor.StageColorText(2), QStringLiteral("#0a10ff"));
    QVERIFY(Swatch(2)->styleSheet().contains("rgb(255, 0, 0)"));
    editor.UpdateAllSwatchStyles();
    QCOMPARE(Swatch(2)->styleSheet(),
             QStringLiteral("QToolButton{border:0px;border-radius:3px;background-position:center;background-repeat:no-repeat;background-color:#0a10ff;}"));
    editor.ApplyFixedSwatchColors();
    QVERIFY(Swatch(3)->styleSheet().contains("background-color:#ffffff;"));
    QCOMPARE(editor.StageColorText(2), QStringLiteral("#0a10ff"));
    editor.SetStageColor(8, "#000000");

    // Inserting into the empty combo runs the stage-count slot with index 0.
    editor.SetCurrentStage(0);
    editor.InsertStageCountItem(0, "1");
    QCOMPARE(int(g_deviceImage.dpiStageCount), 1);
    QCOMPARE(SimMouse::Sends(), 1);
}

void TestSensorDpiB::firstSliderChangeIsAbsorbed()
{
    const FlashDataMap image = g_deviceImage;
    Drag(1, 1234);
    QCOMPARE(Value(1)->value(), 1200);
    QCOMPARE(Slider(1)->value(), 1234);
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(image));
    QCOMPARE(SimMouse::Sends(), 0);

    Drag(1, 2345);
    QCOMPARE(Value(1)->value(), 2300);
    QCOMPARE(int(g_deviceImage.dpiStages[1].x), 2300 / 50 - 1);
    QCOMPARE(SimMouse::Sends(), 1);
}

void TestSensorDpiB::sliderWritesItsOwnRow()
{
    m_editor->SetSliderMaximum(26000);
    Drag(0, 400); // absorbed
    m_editor->CheckStageBox(6);
    SimControl::clearCallLog();

    // Slider C writes stage 2 whichever box is checked; a press makes the
    // slider jump at once.
    QTest::mouseClick(Slider(2), Qt::LeftButton, Qt::NoModifier, QPoint(Slider(2)->width() / 2, 10));
    const int value = Slider(2)->value();
    QVERIFY(value > 10100);
    QCOMPARE(Value(2)->value(), value - value % 100);
    QCOMPARE(ReadDpiStage(g_deviceImage.dpiStages[2]), value - value % 100);
    QCOMPARE(int(g_deviceImage.dpiStages[2].flags & 0x22), 0x22);
    QCOMPARE(int(g_deviceImage.currentDpiStage), 6);

    // Between the segments: the next segment's start; the slider stays.
    Drag(2, 10050);
    QCOMPARE(Value(2)->value(), 10100);
    QCOMPARE(Slider(2)->value(), 10050);
    QCOMPARE(Slider(2)->pageStep(), 100);
    QCOMPARE(ReadDpiStage(g_deviceImage.dpiStages[2]), 10100);
}

void TestSensorDpiB::nothingWrittenWhileApplyingOrFilling()
{
    Drag(0, 400); // absorbed
    const FlashDataMap image = g_deviceImage;
    SimControl::clearCallLog();

    g_applyingParameters = true;
    Drag(3, 3000);
    QCOMPARE(Value(3)->value(), 3000);
    g_applyingParameters = false;

    g_sensorPageUpdating = true;
    m_editor->SetStageText(4, "4000");
    m_editor->SetSliderValue(5000, 5);
    QCOMPARE(Value(5)->value(), 5000);
    g_sensorPageUpdating = false;

    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(image));
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestSensorDpiB::userChangeAfterSelectStageIsSent()
{
    FillRows();
    Drag(0, 450); // the first change after construction is absorbed
    QVERIFY(m_editor->SelectStage(4));
    QCOMPARE(m_editor->CurrentStage(), 4);
    QCOMPARE(int(g_deviceImage.currentDpiStage), 4);
    SimControl::clearCallLog();

    // Selecting loads no slider, so the very next change is the user's.
    Drag(4, 2500);
    QCOMPARE(ReadDpiStage(g_deviceImage.dpiStages[4]), 2500);
    QCOMPARE(SimMouse::Sends(), 1);
}

void TestSensorDpiB::offlineSelectStage()
{
    QVERIFY(SimMouse::SetOnline(false));
    QVERIFY(!m_editor->SelectStage(3));
    QCOMPARE(m_notices, 1);
    QVERIFY(!Box(3)->isChecked());

    // Sending disabled: no online test, the box is checked, nothing sent.
    g_sendEnabled = false;
    QVERIFY(m_editor->SelectStage(3));
    QVERIFY(Box(3)->isChecked());
    QCOMPARE(m_notices, 1);
    QCOMPARE(SimMouse::Sends(), 0);
    m_editor->SelectStage(9);
}

void TestSensorDpiB::stageBoxes()
{
    g_sendEnabled = false;
    QTest::mouseClick(Box(3), Qt::LeftButton);
    QVERIFY(Box(3)->isChecked());
    QCOMPARE(m_editor->CurrentStage(), 1);
    QCOMPARE(SimMouse::Sends(), 0);

    g_sendEnabled = true;
    QTest::mouseClick(Box(6), Qt::LeftButton);
    QVERIFY(!Box(3)->isChecked());
    QCOMPARE(m_editor->CurrentStage(), 6);
    QCOMPARE(int(g_deviceImage.currentDpiStage), 6);
    QCOMPARE(SimMouse::Sends(), 1);
}

void TestSensorDpiB::colourGoesToLastClickedRow()
{
    const QColor before(m_editor->StageColorText(4));
    QVERIFY(before.isValid());
    QTest::mouseClick(Swatch(4), Qt::LeftButton);
    auto* dialog = m_editor->findChild<QColorDialog*>();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->currentColor(), before); // opens at the row's colour
    // Another row's box being checked does not matter.
    m_editor->CheckStageBox(1);
    SimControl::clearCallLog();
    emit dialog->colorSelected(QColor(5, 160, 255));
    dialog->hide();

    QCOMPARE(m_editor->StageColorText(4), QStringLiteral("#05a0ff"));
    QVERIFY(Swatch(4)->styleSheet().contains("background-color:#05a0ff;"));
    const DPIStage& stage = g_deviceImage.dpiStages[4];
    QCOMPARE(QColor(stage.red, stage.green, stage.blue), QColor(5, 160, 255));
    QCOMPARE(SimMouse::Sends(), 1);

    g_sensorPageUpdating = true;
    emit dialog->colorSelected(QColor(1, 2, 3));
    g_sensorPageUpdating = false;
    QCOMPARE(m_editor->StageColorText(4), QStringLiteral("#010203"));
    QVERIFY(Swatch(4)->styleSheet().contains("#010203"));
    QCOMPARE(SimMouse::Sends(), 1);
}

void TestSensorDpiB::stageCountExchangesRows()
{
    FillRows();
    m_editor->SetStageColor(2, "#222222");
    m_editor->SetStageColor(5, "#555555");
    m_editor->SetCurrentStage(5);
    FlashDataMap expected = g_deviceImage;
    SimControl::clearCallLog();

    m_editor->SetStageCountIndex(2);

    QCOMPARE(m_editor->StageColorText(2), QStringLiteral("#555555"));
    QCOMPARE(m_editor->StageColorText(5), QStringLiteral("#222222"));
    QVERIFY(Swatch(2)->styleSheet().contains("#555555"));
    QCOMPARE(Value(2)->value(), 2400);
    QCOMPARE(Slider(2)->value(), 2400);
    QCOMPARE(Value(5)->value(), 1200);
    QVERIFY(Box(2)->isChecked());
    QCOMPARE(m_editor->CurrentStage(), 2);
    QCOMPARE(m_editor->StageCountValue(), 3);
    for (int row = 0; row < 8; ++row)
        QCOMPARE(Box(row)->isVisible(), row <= 2);

    std::swap(expected.dpiStages[2], expected.dpiStages[5]);
    expected.currentDpiStage = 2;
    expected.dpiStageCount = 3;
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(expected));
    // Stage from the box, then the exchanged pair with the count in one
    // send; the exchanged values themselves are not written again.
    QCOMPARE(SimMouse::Sends(), 2);
}

void TestSensorDpiB::stageCountWithoutExchange()
{
    FillRows();
    m_editor->SetCurrentStage(1);
    FlashDataMap expected = g_deviceImage;
    SimControl::clearCallLog();

    m_editor->SetStageCountIndex(3);
    expected.dpiStageCount = 4;
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(expected));
    QCOMPARE(SimMouse::Sends(), 1);
    QCOMPARE(Value(1)->value(), 800);
    QVERIFY(!Box(4)->isVisible());

    // A current stage outside 0..7 has nothing to exchange.
    m_editor->SetCurrentStage(9);
    m_editor->SetStageCountIndex(1);
    expected.dpiStageCount = 2;
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(expected));
    QCOMPARE(SimMouse::Sends(), 2);
}

void TestSensorDpiB::stageCountWhileFillingOrEmptied()
{
    FillRows();
    m_editor->SetCurrentStage(5);
    const FlashDataMap image = g_deviceImage;
    SimControl::clearCallLog();

    g_sensorPageUpdating = true;
    m_editor->SetStageCountIndex(2);
    g_sensorPageUpdating = false;
    QCOMPARE(m_editor->CurrentStage(), 5);
    QVERIFY(Box(7)->isVisible());

    // An emptied combo reports -1: no exchange, no stage count 0.
    Count()->clear();
    QCOMPARE(m_editor->CurrentStage(), 5);
    QVERIFY(Box(7)->isVisible());
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(image));
    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(m_notices, 0);
}

QTEST_MAIN(TestSensorDpiB)
#include "test_sensordpi_b.moc"
