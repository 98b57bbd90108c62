// The DPI-light frames: which row each mode shows, the brightness table, a
// fill that shows the device's values without sending, the numbers beside
// the sliders while dragging, and the mode texts.
#include "find_child.h"
#include "test_frames_fixture.h"

#include "sensor_effect.h"
#include "sensor_effect_b.h"

#include <QCheckBox>
#include <QFrame>
#include <QSpinBox>

#include <functional>
#include <memory>

using namespace frames;

namespace {

// Shown state of SpeedH, SpeedSpinBox, line, LightH, LightSpinBox, line_2.
QList<bool> Rows(QWidget* frame)
{
    QList<bool> rows;
    for (const char* name : {"SpeedH", "SpeedSpinBox", "line", "LightH", "LightSpinBox", "line_2"})
        rows << !Child<QWidget>(frame, name)->isHidden();
    return rows;
}

} // namespace

class TestFramesEffect : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void constructionShowsEveryRow();
    void modeShowsItsRow_data();
    void modeShowsItsRow();
    void brightnessTable_data();
    void brightnessTable();
    void fillShowsTheImageWithoutSending();
    void dragShowsTheNumberAndSendsOnRelease();
    void modeTexts_data();
    void modeTexts();
};

void TestFramesEffect::initTestCase()
{
    QVERIFY(SimMouse::Start());
}

void TestFramesEffect::init()
{
    ResetDevice();
}

void TestFramesEffect::constructionShowsEveryRow()
{
    SensorEffect frame;
    QCOMPARE(frame.objectName(), QStringLiteral("SensorEffect"));
    QCOMPARE(Child<QComboBox>(&frame, "Model")->currentText(), QStringLiteral("关闭"));
    QCOMPARE(Child<QSlider>(&frame, "SpeedH")->value(), 1);
    QCOMPARE(Child<QSlider>(&frame, "LightH")->value(), 1);
    QCOMPARE(Child<QSpinBox>(&frame, "SpeedSpinBox")->value(), 1);
    QCOMPARE(Child<QSpinBox>(&frame, "LightSpinBox")->value(), 1);
    QCOMPARE(Rows(&frame), QList<bool>({true, true, true, true, true, true}));
}

void TestFramesEffect::modeShowsItsRow_data()
{
    QTest::addColumn<bool>("variantB");
    QTest::addColumn<bool>("byUser");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<bool>>("rows");
    const QList<bool> off = {false, false, true, false, false, true};
    const QList<bool> steady = {false, false, true, true, true, false};
    const QList<bool> breathing = {true, true, false, false, false, true};
    for (bool variantB : {false, true}) {
        for (bool byUser : {false, true}) {
            const char* how = byUser ? "chosen" : "set";
            const char* cls = variantB ? "SensorEffectB" : "SensorEffect";
            QTest::addRow("%s off %s", cls, how) << variantB << byUser << 0 << off;
            QTest::addRow("%s steady %s", cls, how) << variantB << byUser << 1 << steady;
            QTest::addRow("%s breathing %s", cls, how) << variantB << byUser << 2 << breathing;
        }
    }
}

void TestFramesEffect::modeShowsItsRow()
{
    QFETCH(bool, variantB);
    QFETCH(bool, byUser);
    QFETCH(int, mode);
    QFETCH(QList<bool>, rows);
    g_sendEnabled = false;
    // Each variant has a mode setter of its own.
    std::unique_ptr<SensorEffectBase> frame;
    std::function<void(int)> setMode;
    if (variantB) {
        auto* b = new SensorEffectB;
        frame.reset(b);
        setMode = [b](int m) { b->SetMode(m); };
    } else {
        auto* a = new SensorEffect;
        frame.reset(a);
        setMode = [a](int m) { a->SetMode(m); };
    }
    // Start from another mode, so the choice is a change.
    setMode((mode + 1) % 3);

    if (!byUser) {
        setMode(mode);
    } else {
        ShowFrame(frame.get());
        if (variantB) {
            const char* boxes[] = {"MM3", "MM1", "MM2"};
            QCheckBox* box = Child<QCheckBox>(frame.get(), boxes[mode]);
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
            QVERIFY(box->isChecked());
        } else {
            ChooseItem(Child<QComboBox>(frame.get(), "Model"), mode);
        }
    }
    QCOMPARE(Rows(frame.get()), rows);
}

void TestFramesEffect::brightnessTable_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("byte");
    const int bytes[] = {16, 30, 60, 90, 128, 150, 180, 210, 230, 255};
    for (int level = 1; level <= 10; ++level)
        QTest::addRow("level %d", level) << level << bytes[level - 1];
}

// The byte a release writes and the level a fill shows for it agree.
void TestFramesEffect::brightnessTable()
{
    QFETCH(int, level);
    QFETCH(int, byte);
    QCOMPARE(SensorEffect::BrightnessByte(level), byte);
    QCOMPARE(SensorEffect::BrightnessLevel(byte), level);

    SensorEffect frame;
    frame.SetMode(1);
    g_sensorPageUpdating = true;
    frame.SetBrightnessLevel(level == 1 ? 2 : 1);
    g_sensorPageUpdating = false;
    ShowFrame(&frame);
    DragAndRelease(Child<QSlider>(&frame, "LightH"), {level});
    QCOMPARE(int(g_deviceImage.at(0x40)), byte);

    g_sensorPageUpdating = true;
    frame.SetBrightnessLevel(1);
    frame.SetBrightnessLevel(SensorEffect::BrightnessLevel(int(g_deviceImage.at(0x40))));
    QCOMPARE(Child<QSlider>(&frame, "LightH")->value(), level);
    QCOMPARE(Child<QSpinBox>(&frame, "LightSpinBox")->value(), level);
}

void TestFramesEffect::fillShowsTheImageWithoutSending()
{
    SensorEffect frame;
    g_sensorPageUpdating = true;
    frame.SetSlidersEnabled(true);
    frame.SetMode(1);
    frame.SetSpeed(4);
    frame.SetBrightnessLevel(SensorEffect::BrightnessLevel(128));
    g_sensorPageUpdating = false;

    QCOMPARE(Child<QComboBox>(&frame, "Model")->currentIndex(), 1);
    QCOMPARE(Child<QSpinBox>(&frame, "SpeedSpinBox")->value(), 4);
    QCOMPARE(Child<QSpinBox>(&frame, "LightSpinBox")->value(), 5);
    ExpectImage({}, 0);

    // Bytes outside the table: the slider keeps the level within 1 to 10.
    g_sensorPageUpdating = true;
    frame.SetBrightnessLevel(SensorEffect::BrightnessLevel(100));
    QCOMPARE(Child<QSlider>(&frame, "LightH")->value(), 10);
    frame.SetBrightnessLevel(SensorEffect::BrightnessLevel(0));
    QCOMPARE(Child<QSlider>(&frame, "LightH")->value(), 1);
    ExpectImage({}, 0);
}

void TestFramesEffect::dragShowsTheNumberAndSendsOnRelease()
{
    SensorEffect frame;
    g_sensorPageUpdating = true;
    frame.SetMode(2);
    g_sensorPageUpdating = false;
    ShowFrame(&frame);
    QSlider* speed = Child<QSlider>(&frame, "SpeedH");
    QSpinBox* number = Child<QSpinBox>(&frame, "SpeedSpinBox");

    speed->setSliderDown(true);
    speed->setSliderPosition(3);
    QCOMPARE(number->value(), 3);
    speed->setSliderPosition(5);
    QCOMPARE(number->value(), 5);
    ExpectImage({}, 0);
    speed->setSliderDown(false);

    QCOMPARE(number->value(), 5);
    ExpectImage({{0x41, 5}}, 1);
}

void TestFramesEffect::modeTexts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("box");
    QTest::newRow("off") << 0 << "MM3";
    QTest::newRow("steady") << 1 << "MM1";
    QTest::newRow("breathing") << 2 << "MM2";
}

void TestFramesEffect::modeTexts()
{
    QFETCH(int, index);
    QFETCH(QString, box);
    SensorEffect frame;
    frame.SetModeText(index, QStringLiteral("text %1").arg(index));
    QCOMPARE(Child<QComboBox>(&frame, "Model")->itemText(index), QStringLiteral("text %1").arg(index));

    SensorEffectB variant;
    variant.SetModeText(index, QStringLiteral("text %1").arg(index));
    variant.SetModeText(3, QStringLiteral("ignored"));
    QCOMPARE(variant.findChild<QCheckBox*>(box)->text(), QStringLiteral("text %1").arg(index));
}

QTEST_MAIN(TestFramesEffect)
#include "test_frames_effect.moc"
