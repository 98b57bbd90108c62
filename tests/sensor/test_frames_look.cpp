// The frames' looks: every picture their style sheets name in the folder
// Picture/Sensor exists, and the style sheets take the colours of
// Config.ini (a sheet the style engine cannot parse leaves the default
// colours, which would be unreadable on the dark pages).
#include "style_pictures.h"
#include "test_frames_fixture.h"

#include "debouncetime_b.h"
#include "debouncetime_c.h"
#include "motion_sync.h"
#include "notice_style.h"
#include "paths.h"
#include "rippe_control_b.h"
#include "sensor_effect.h"
#include "sensor_effect_b.h"
#include "sensor_lod.h"
#include "sensor_lod_b.h"
#include "sensor_rate.h"
#include "sensor_rate_b.h"
#include "stop_close_time_b.h"
#include "straight_line.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QToolButton>

#include <memory>

using namespace frames;

using Factory = std::function<QFrame*()>;
Q_DECLARE_METATYPE(Factory)

namespace {

template <typename T>
Factory Make()
{
    return [] { return new T; };
}

} // namespace

class TestFramesLook : public QObject {
    Q_OBJECT
private slots:
    void picturesExist_data();
    void picturesExist();
    void captionsTakeLabelColor_data();
    void captionsTakeLabelColor();
    void rateButtonsTakeButtonColor();
    void comboTextTakesComboxTextColor();
};

void TestFramesLook::picturesExist_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<int>("pictures");
    QTest::newRow("MotionSync") << Make<MotionSync>() << 2;
    QTest::newRow("RippeControlB") << Make<RippeControlB>() << 2;
    QTest::newRow("SensorLOD") << Make<SensorLOD>() << 4;
    QTest::newRow("SensorLODB") << Make<SensorLODB>() << 2;
    QTest::newRow("SensorEffect") << Make<SensorEffect>() << 5;
    QTest::newRow("SensorEffectB") << Make<SensorEffectB>() << 3;
    QTest::newRow("DebouncetimeB") << Make<DebouncetimeB>() << 1;
    QTest::newRow("DebouncetimeC") << Make<DebouncetimeC>() << 2;
    QTest::newRow("StopCloseTimeB") << Make<StopCloseTimeB>() << 1;
    QTest::newRow("SensorRate") << Make<SensorRate>() << 2;
    QTest::newRow("SensorRateB") << Make<SensorRateB>() << 2;
}

void TestFramesLook::picturesExist()
{
    QFETCH(Factory, make);
    QFETCH(int, pictures);
    std::unique_ptr<QFrame> frame(make());
    QStringList named = PicturesNamed(frame.get());
    named.removeDuplicates();
    QCOMPARE(named.size(), pictures);
    for (const QString& path : named) {
        QVERIFY2(path.startsWith(PictureFolder(QStringLiteral("Sensor"))), qPrintable(path));
        QVERIFY2(QFile::exists(path), qPrintable(path));
    }
}

void TestFramesLook::captionsTakeLabelColor_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("StraightLine") << Make<StraightLine>() << QStringList({"label"});
    QTest::newRow("SensorLOD") << Make<SensorLOD>() << QStringList({"label"});
    QTest::newRow("SensorEffect") << Make<SensorEffect>() << QStringList({"label", "label_14", "label_15"});
    QTest::newRow("SensorRate") << Make<SensorRate>() << QStringList({"label"});
}

void TestFramesLook::captionsTakeLabelColor()
{
    QFETCH(Factory, make);
    QFETCH(QStringList, labels);
    const QColor expected = NoticeStyle::ConfigColor(QStringLiteral("LabelColor"));
    QVERIFY(expected.isValid());
    QVERIFY(expected != QColor(255, 255, 255)); // tells the sheet from the form's white
    std::unique_ptr<QFrame> frame(make());
    frame->ensurePolished();
    for (const QString& name : labels) {
        auto* label = frame->findChild<QLabel*>(name);
        label->ensurePolished();
        QCOMPARE(label->palette().color(QPalette::WindowText), expected);
    }
}

void TestFramesLook::rateButtonsTakeButtonColor()
{
    const QColor expected = NoticeStyle::ConfigColor(QStringLiteral("ButtonColor"));
    SensorRate frame;
    frame.ensurePolished();
    auto* button = frame.findChild<QToolButton*>(QStringLiteral("Button1000HZ"));
    button->ensurePolished();
    QCOMPARE(button->palette().color(QPalette::ButtonText), expected);
}

void TestFramesLook::comboTextTakesComboxTextColor()
{
    SensorLOD frame;
    frame.SetLevelEnabled(true);
    auto* combo = frame.findChild<QComboBox*>(QStringLiteral("LOD"));
    combo->ensurePolished();
    QCOMPARE(combo->palette().color(QPalette::Text), NoticeStyle::ConfigColor(QStringLiteral("ComboxTextColor")));
}

QTEST_MAIN(TestFramesLook)
#include "test_frames_look.moc"
