// The three switch frames and their mirrored variants: each click sends the
// switch's new state, programmatic states send nothing, and a refused click
// (offline mouse, sending not allowed) still moves the switch.
#include "test_frames_fixture.h"

#include "motion_sync.h"
#include "motion_sync_b.h"
#include "rippe_control.h"
#include "rippe_control_b.h"
#include "straight_line.h"
#include "straight_line_b.h"

#include <QLabel>
#include <QToolButton>

#include <memory>

using namespace frames;

namespace {

std::unique_ptr<OnOffFrame> MakeByName(const QString& cls)
{
    if (cls == QLatin1String("RippeControl"))
        return std::make_unique<RippeControl>();
    if (cls == QLatin1String("StraightLine"))
        return std::make_unique<StraightLine>();
    if (cls == QLatin1String("MotionSync"))
        return std::make_unique<MotionSync>();
    if (cls == QLatin1String("RippeControlB"))
        return std::make_unique<RippeControlB>();
    if (cls == QLatin1String("StraightLineB"))
        return std::make_unique<StraightLineB>();
    return std::make_unique<MotionSyncB>();
}

QToolButton* Switch(const OnOffFrame& frame, const QString& name)
{
    return frame.findChild<QToolButton*>(name);
}

void Click(QToolButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

} // namespace

class TestFramesSwitches : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void clicksSendTheNewState_data();
    void clicksSendTheNewState();
    void setCheckedOnlyShowsTheState_data();
    void setCheckedOnlyShowsTheState();
    void refusedClickStillMovesTheSwitch_data();
    void refusedClickStillMovesTheSwitch();
};

void TestFramesSwitches::initTestCase()
{
    QVERIFY(SimMouse::Start());
}

void TestFramesSwitches::init()
{
    ResetDevice();
}

void TestFramesSwitches::clicksSendTheNewState_data()
{
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("switchName");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QSize>("size");
    for (const char* suffix : {"", "B"}) {
        const QSize size = *suffix ? QSize(204, 31) : QSize(275, 31);
        QTest::addRow("RippeControl%s", suffix)
            << QStringLiteral("RippeControl%1").arg(suffix) << "RippeControl_2" << 0x0A << size;
        QTest::addRow("StraightLine%s", suffix)
            << QStringLiteral("StraightLine%1").arg(suffix) << "StraightLine_2" << 0x09 << size;
        QTest::addRow("MotionSync%s", suffix)
            << QStringLiteral("MotionSync%1").arg(suffix) << "MotionSync_2" << 0x07 << size;
    }
}

void TestFramesSwitches::clicksSendTheNewState()
{
    QFETCH(QString, cls);
    QFETCH(QString, switchName);
    QFETCH(int, offset);
    QFETCH(QSize, size);
    std::unique_ptr<OnOffFrame> frame = MakeByName(cls);
    QCOMPARE(frame->objectName(), cls);
    QCOMPARE(frame->size(), size);
    QToolButton* button = Switch(*frame, switchName);
    QVERIFY(button);
    QVERIFY(!button->isChecked());
    ShowFrame(frame.get());

    Click(button);
    QVERIFY(button->isChecked());
    ExpectImage({{offset, 1}}, 1);

    Click(button);
    QVERIFY(!button->isChecked());
    ExpectImage({{offset, 0}}, 2);
}

void TestFramesSwitches::setCheckedOnlyShowsTheState_data()
{
    clicksSendTheNewState_data();
}

void TestFramesSwitches::setCheckedOnlyShowsTheState()
{
    QFETCH(QString, cls);
    QFETCH(QString, switchName);
    std::unique_ptr<OnOffFrame> frame = MakeByName(cls);
    QToolButton* button = Switch(*frame, switchName);

    frame->SetChecked(true);
    QVERIFY(button->isChecked());
    frame->SetChecked(true);
    QVERIFY(button->isChecked());
    frame->SetChecked(false);
    QVERIFY(!button->isChecked());

    frame->SetLabelText(QStringLiteral("Ripple"));
    frame->SetLabelToolTip(QStringLiteral("Smooths the pointer"));
    auto* label = frame->findChild<QLabel*>(QStringLiteral("label"));
    QCOMPARE(label->text(), QStringLiteral("Ripple"));
    QCOMPARE(label->toolTip(), QStringLiteral("Smooths the pointer"));
    ExpectImage({}, 0);
}

void TestFramesSwitches::refusedClickStillMovesTheSwitch_data()
{
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("switchName");
    QTest::addColumn<bool>("offline");
    QTest::newRow("MotionSync offline") << "MotionSync" << "MotionSync_2" << true;
    QTest::newRow("MotionSync sending not allowed") << "MotionSync" << "MotionSync_2" << false;
    QTest::newRow("StraightLineB offline") << "StraightLineB" << "StraightLine_2" << true;
}

void TestFramesSwitches::refusedClickStillMovesTheSwitch()
{
    QFETCH(QString, cls);
    QFETCH(QString, switchName);
    QFETCH(bool, offline);
    std::unique_ptr<OnOffFrame> frame = MakeByName(cls);
    frame->SetChecked(true);
    ShowFrame(frame.get());
    if (offline)
        QVERIFY(SimMouse::SetOnline(false));
    else
        g_sendEnabled = false;

    Click(Switch(*frame, switchName));

    QVERIFY(!Switch(*frame, switchName)->isChecked());
    ExpectImage({}, 0);
}

QTEST_MAIN(TestFramesSwitches)
#include "test_frames_switches.moc"
