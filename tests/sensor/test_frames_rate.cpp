// The polling-rate selectors: the rate table, the visible sets of the
// connection types, selections from code, and SigHideModel, which follows
// only a rate change the mouse accepted.
#include "test_frames_fixture.h"

#include "post_msg.h"
#include "sensor_rate.h"
#include "sensor_rate_b.h"

#include <QAbstractButton>

#include <memory>

using namespace frames;

namespace {

const char* const kButtons[] = {"Button125HZ",  "Button250HZ",  "Button500HZ", "Button1000HZ",
                                "Button2000HZ", "Button4000HZ", "Button8000HZ"};

QAbstractButton* Button(QWidget* frame, int level)
{
    return frame->findChild<QAbstractButton*>(QString::fromLatin1(kButtons[level]));
}

QList<bool> Shown(QWidget* frame)
{
    QList<bool> shown;
    for (int level = 0; level < 7; ++level)
        shown << !Button(frame, level)->isHidden();
    return shown;
}

QList<bool> Checked(QWidget* frame)
{
    QList<bool> checked;
    for (int level = 0; level < 7; ++level)
        checked << Button(frame, level)->isChecked();
    return checked;
}

QList<bool> Only(int level)
{
    QList<bool> flags;
    for (int i = 0; i < 7; ++i)
        flags << (i == level);
    return flags;
}

void Click(QWidget* frame, int level)
{
    QAbstractButton* button = Button(frame, level);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

std::unique_ptr<SensorRateBase> MakeRate(bool variantB)
{
    if (variantB)
        return std::unique_ptr<SensorRateBase>(new SensorRateB);
    return std::unique_ptr<SensorRateBase>(new SensorRate);
}

} // namespace

class TestFramesRate : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rateTable_data();
    void rateTable();
    void visibleSets_data();
    void visibleSets();
    void levelOutsideTheTableKeepsTheSelection_data();
    void levelOutsideTheTableKeepsTheSelection();
    void hidingTheCheckedButtonKeepsItChecked();
    void hideModelFollowsOnlyAnAcceptedChange_data();
    void hideModelFollowsOnlyAnAcceptedChange();
    void clickingTheCheckedButtonSendsAgain();
    void variantKeeps8000ApartFromTheGroup();
};

void TestFramesRate::initTestCase()
{
    QVERIFY(SimMouse::Start());
}

void TestFramesRate::init()
{
    ResetDevice();
}

void TestFramesRate::cleanup()
{
    if (SimControl::connectionPath().isEmpty())
        QVERIFY(SimMouse::Connect());
}

void TestFramesRate::rateTable_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("125 Hz") << 0 << 0x08 << "125Hz";
    QTest::newRow("250 Hz") << 1 << 0x04 << "250Hz";
    QTest::newRow("500 Hz") << 2 << 0x02 << "500Hz";
    QTest::newRow("1000 Hz") << 3 << 0x01 << "1000Hz";
    QTest::newRow("2000 Hz") << 4 << 0x10 << "2000Hz";
    QTest::newRow("4000 Hz") << 5 << 0x20 << "4000Hz";
    QTest::newRow("8000 Hz") << 6 << 0x40 << "8000Hz";
}

// A polling-rate report selects the level whose click writes that code.
void TestFramesRate::rateTable()
{
    QFETCH(int, level);
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(SensorRate::CodeOfLevel(level), code);
    QCOMPARE(SensorRate::LevelOfCode(code), level);

    SensorRate frame;
    QCOMPARE(Button(&frame, level)->text(), text);
    frame.SetLevel(SensorRate::LevelOfCode(code));
    QCOMPARE(Checked(&frame), Only(level));
    ExpectImage({}, 0);
}

void TestFramesRate::visibleSets_data()
{
    QTest::addColumn<bool>("variantB");
    QTest::addColumn<int>("set");
    QTest::addColumn<QList<bool>>("shown");
    const QList<bool> upTo1000 = {true, true, true, true, false, false, false};
    const QList<bool> upTo4000 = {true, true, true, true, true, true, false};
    const QList<bool> upTo2000 = {true, true, true, true, true, false, false};
    const QList<bool> upTo8000 = {true, true, true, true, true, true, true};
    for (bool variantB : {false, true}) {
        const char* cls = variantB ? "SensorRateB" : "SensorRate";
        QTest::addRow("%s set 0", cls) << variantB << 0 << upTo1000;
        QTest::addRow("%s set 1", cls) << variantB << 1 << upTo4000;
        QTest::addRow("%s set 2", cls) << variantB << 2 << upTo2000;
        QTest::addRow("%s set 3", cls) << variantB << 3 << upTo8000;
        // Other values change nothing: the set 2 applied first stays.
        QTest::addRow("%s set 4", cls) << variantB << 4 << upTo2000;
        QTest::addRow("%s set -1", cls) << variantB << -1 << upTo2000;
    }
}

void TestFramesRate::visibleSets()
{
    QFETCH(bool, variantB);
    QFETCH(int, set);
    QFETCH(QList<bool>, shown);
    std::unique_ptr<SensorRateBase> frame = MakeRate(variantB);
    frame->SetVisibleLevels(2);
    frame->SetVisibleLevels(set);
    QCOMPARE(Shown(frame.get()), shown);
    ExpectImage({}, 0);
}

void TestFramesRate::levelOutsideTheTableKeepsTheSelection_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("-1") << -1;
    QTest::newRow("7") << 7;
}

void TestFramesRate::levelOutsideTheTableKeepsTheSelection()
{
    QFETCH(int, level);
    SensorRate frame;
    QCOMPARE(Checked(&frame), Only(-1));
    frame.SetLevel(2);
    frame.SetLevel(level);
    QCOMPARE(Checked(&frame), Only(2));
    QCOMPARE(SensorRate::CodeOfLevel(level), -1);
    QCOMPARE(SensorRate::LevelOfCode(0x80), -1);
}

void TestFramesRate::hidingTheCheckedButtonKeepsItChecked()
{
    SensorRate frame;
    frame.SetVisibleLevels(3);
    frame.SetLevel(6);
    frame.SetVisibleLevels(0);
    QVERIFY(Button(&frame, 6)->isHidden());
    QCOMPARE(Checked(&frame), Only(6));
}

void TestFramesRate::hideModelFollowsOnlyAnAcceptedChange_data()
{
    QTest::addColumn<bool>("variantB");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("mouse"); // "online", "offline", "refusing"
    QTest::addColumn<int>("announced");  // SigHideModel argument, -1 none
    for (bool variantB : {false, true}) {
        const char* cls = variantB ? "SensorRateB" : "SensorRate";
        for (int level = 0; level < 7; ++level)
            QTest::addRow("%s level %d", cls, level) << variantB << level << "online" << (level >= 4 ? 1 : 0);
        QTest::addRow("%s offline", cls) << variantB << 5 << "offline" << -1;
        QTest::addRow("%s refused send", cls) << variantB << 5 << "refusing" << -1;
    }
}

void TestFramesRate::hideModelFollowsOnlyAnAcceptedChange()
{
    QFETCH(bool, variantB);
    QFETCH(int, level);
    QFETCH(QString, mouse);
    QFETCH(int, announced);
    std::unique_ptr<SensorRateBase> frame = MakeRate(variantB);
    frame->SetVisibleLevels(3);
    frame->SetLevel(level == 3 ? 2 : 3);
    ShowFrame(frame.get());
    if (mouse == QLatin1String("offline"))
        QVERIFY(SimMouse::SetOnline(false));
    if (mouse == QLatin1String("refusing"))
        UsbServer_Exit(); // the mouse answers, but the image cannot be sent
    QSignalSpy hideModel(PostMsg::GetInstance(), SIGNAL(SigHideModel(int)));

    Click(frame.get(), level);

    QVERIFY(Button(frame.get(), level)->isChecked());
    if (announced < 0) {
        QCOMPARE(hideModel.count(), 0);
        QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(PatternImage()));
        QVERIFY(SimControl::imagesSent().isEmpty());
        QCOMPARE(SimMouse::Sends(), mouse == QLatin1String("refusing") ? 1 : 0);
    } else {
        QCOMPARE(hideModel.count(), 1);
        QCOMPARE(hideModel.at(0).at(0).toInt(), announced);
        ExpectImage({{0x00, SensorRate::CodeOfLevel(level)}}, 1);
    }
}

void TestFramesRate::clickingTheCheckedButtonSendsAgain()
{
    SensorRate frame;
    frame.SetVisibleLevels(3);
    ShowFrame(&frame);
    QSignalSpy hideModel(PostMsg::GetInstance(), SIGNAL(SigHideModel(int)));

    Click(&frame, 4);
    Click(&frame, 4);

    QCOMPARE(Checked(&frame), Only(4));
    QCOMPARE(hideModel.count(), 2);
    ExpectImage({{0x00, 0x10}}, 2);
}

// The variant's exclusive group holds 125 to 4000 Hz only: the 8000 Hz box
// stays checked beside another and unchecks by a click, which sends nothing.
void TestFramesRate::variantKeeps8000ApartFromTheGroup()
{
    SensorRateB frame;
    frame.SetVisibleLevels(3);
    frame.SetLevel(6);
    frame.SetLevel(1);
    QCOMPARE(Checked(&frame), QList<bool>({false, true, false, false, false, false, true}));
    frame.SetLevel(2);
    QCOMPARE(Checked(&frame), QList<bool>({false, false, true, false, false, false, true}));

    ShowFrame(&frame);
    QSignalSpy hideModel(PostMsg::GetInstance(), SIGNAL(SigHideModel(int)));
    Click(&frame, 6);
    QVERIFY(!Button(&frame, 6)->isChecked());
    QCOMPARE(hideModel.count(), 0);
    ExpectImage({}, 0);
}

QTEST_MAIN(TestFramesRate)
#include "test_frames_rate.moc"
