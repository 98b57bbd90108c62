// The debounce selectors: the LessThree notice for 0 to 3 ms and where it
// stands, the button page's blocked and unblocked fills, values without an
// item (the combo must never send 255 or show the notice for index -1),
// the item texts, and the slider and step variants.
#include "test_frames_fixture.h"

#include "debounce_time.h"
#include "debouncetime_b.h"
#include "debouncetime_c.h"
#include "post_msg.h"

#include <QSpinBox>
#include <QToolButton>

using namespace frames;

namespace {

QComboBox* Combo(DebounceTime& frame)
{
    return frame.findChild<QComboBox*>(QStringLiteral("Debunce"));
}

// The button page's fill: the item of the image byte, signals blocked.
void BlockedFill(DebounceTime& frame, int ms)
{
    frame.BlockLevelSignals(true);
    frame.SetLevel(ms);
    frame.BlockLevelSignals(false);
}

} // namespace

class TestFramesDebounce : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void construction();
    void choiceSendsAndShortTimesShowTheNotice_data();
    void choiceSendsAndShortTimesShowTheNotice();
    void noticeStandsOffsetFromTheSelector();
    void offlineChoiceStillShowsTheNotice();
    void choosingTheCurrentItemSendsNothing();
    void blockedFillNeverSends_data();
    void blockedFillNeverSends();
    void importFillSendsAChangedItem_data();
    void importFillSendsAChangedItem();
    void valueWithoutItemIsIgnored_data();
    void valueWithoutItemIsIgnored();
    void noCurrentItemSendsNothing();
    void levelTexts();
    void sliderVariant();
    void stepVariantStopsAtItsEnds_data();
    void stepVariantStopsAtItsEnds();
};

void TestFramesDebounce::initTestCase()
{
    QVERIFY(SimMouse::Start());
}

void TestFramesDebounce::init()
{
    ResetDevice();
}

void TestFramesDebounce::construction()
{
    DebounceTime frame;
    QCOMPARE(frame.objectName(), QStringLiteral("DebounceTime"));
    QCOMPARE(Combo(frame)->count(), 21);
    QCOMPARE(Combo(frame)->currentIndex(), 0);
    QCOMPARE(Combo(frame)->itemText(0), QStringLiteral("1ms"));
    QCOMPARE(Combo(frame)->itemText(20), QStringLiteral("20"));
    QCOMPARE(Combo(frame)->maxVisibleItems(), 5);
    ExpectImage({}, 0);
}

void TestFramesDebounce::choiceSendsAndShortTimesShowTheNotice_data()
{
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("notices");
    for (int ms : {0, 1, 2, 3})
        QTest::addRow("%d ms", ms) << ms << 1;
    for (int ms : {4, 5, 12, 20})
        QTest::addRow("%d ms", ms) << ms << 0;
}

void TestFramesDebounce::choiceSendsAndShortTimesShowTheNotice()
{
    QFETCH(int, ms);
    QFETCH(int, notices);
    DebounceTime frame;
    BlockedFill(frame, 10);
    ShowFrame(&frame);
    NoticeCloser closer;

    ChooseItem(Combo(frame), ms);

    ExpectImage({{0x06, ms}}, 1);
    QCOMPARE(closer.count, notices);
}

void TestFramesDebounce::noticeStandsOffsetFromTheSelector()
{
    QWidget page;
    page.resize(900, 600);
    auto* frame = new DebounceTime(&page);
    frame->move(500, 300);
    page.move(40, 30);
    ShowFrame(&page);
    NoticeCloser closer;

    ChooseItem(Combo(*frame), 3);

    QCOMPARE(closer.count, 1);
    const QPoint corner = frame->mapToGlobal(QPoint(0, 0));
    LessThree reference;
    const QPoint expected(corner.x() + (frame->width() - reference.width()) / 2 - 409,
                          corner.y() + (frame->height() - reference.height()) / 2 - 202);
    QCOMPARE(closer.lastPosition, expected);
}

void TestFramesDebounce::offlineChoiceStillShowsTheNotice()
{
    DebounceTime frame;
    BlockedFill(frame, 10);
    ShowFrame(&frame);
    QVERIFY(SimMouse::SetOnline(false));
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    NoticeCloser closer;

    ChooseItem(Combo(frame), 1);

    ExpectImage({}, 0);
    QCOMPARE(offline.count(), 1);
    QCOMPARE(closer.count, 1);
    QCOMPARE(Combo(frame)->currentIndex(), 1);
}

void TestFramesDebounce::choosingTheCurrentItemSendsNothing()
{
    DebounceTime frame;
    BlockedFill(frame, 2);
    ShowFrame(&frame);
    NoticeCloser closer;

    ChooseItem(Combo(frame), 2);

    ExpectImage({}, 0);
    QCOMPARE(closer.count, 0);
}

void TestFramesDebounce::blockedFillNeverSends_data()
{
    QTest::addColumn<int>("ms");
    QTest::newRow("reset 4 ms") << 4;
    QTest::newRow("2 ms") << 2;
    QTest::newRow("0 ms") << 0;
    QTest::newRow("20 ms") << 20;
}

void TestFramesDebounce::blockedFillNeverSends()
{
    QFETCH(int, ms);
    DebounceTime frame;
    BlockedFill(frame, 7);
    NoticeCloser closer;
    g_buttonPageUpdating = true;

    BlockedFill(frame, ms);

    QCOMPARE(Combo(frame)->currentIndex(), ms);
    ExpectImage({}, 0);
    QCOMPARE(closer.count, 0);
}

void TestFramesDebounce::importFillSendsAChangedItem_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("imported");
    QTest::addColumn<int>("sends");
    QTest::addColumn<int>("notices");
    QTest::newRow("changed to 2 ms") << 8 << 2 << 1 << 1;
    QTest::newRow("changed to 15 ms") << 8 << 15 << 1 << 0;
    QTest::newRow("unchanged") << 8 << 8 << 0 << 0;
}

// The fill after an import leaves the signals open while the button page
// is being filled: a changed item is sent again, as a choice would be.
void TestFramesDebounce::importFillSendsAChangedItem()
{
    QFETCH(int, before);
    QFETCH(int, imported);
    QFETCH(int, sends);
    QFETCH(int, notices);
    DebounceTime frame;
    BlockedFill(frame, before);
    NoticeCloser closer;
    g_buttonPageUpdating = true;

    frame.SetLevel(imported);

    QCOMPARE(Combo(frame)->currentIndex(), imported);
    if (sends)
        ExpectImage({{0x06, imported}}, 1);
    else
        ExpectImage({}, 0);
    QCOMPARE(closer.count, notices);
}

void TestFramesDebounce::valueWithoutItemIsIgnored_data()
{
    QTest::addColumn<int>("value");
    QTest::newRow("21") << 21;
    QTest::newRow("255") << 255;
    QTest::newRow("-1") << -1;
}

// An imported image may hold a debounce above 20. Selecting it used to
// clear the combo, whose change report (index -1) then sent 255 and opened
// the notice.
void TestFramesDebounce::valueWithoutItemIsIgnored()
{
    QFETCH(int, value);
    DebounceTime frame;
    BlockedFill(frame, 6);
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    NoticeCloser closer;

    frame.SetLevel(value);
    BlockedFill(frame, value);

    QCOMPARE(Combo(frame)->currentIndex(), 6);
    ExpectImage({}, 0);
    QCOMPARE(closer.count, 0);
    QCOMPARE(offline.count(), 0);
}

void TestFramesDebounce::noCurrentItemSendsNothing()
{
    DebounceTime frame;
    BlockedFill(frame, 6);
    NoticeCloser closer;

    Combo(frame)->setCurrentIndex(-1);

    QCOMPARE(Combo(frame)->currentIndex(), -1);
    ExpectImage({}, 0);
    QCOMPARE(closer.count, 0);
}

// The button page's labels: item i reads the number i followed by its text.
void TestFramesDebounce::levelTexts()
{
    DebounceTime frame;
    for (int i = 0; i <= 20; ++i)
        frame.SetLevelText(i, QStringLiteral(" ms"));
    for (int i = 0; i <= 20; ++i)
        QCOMPARE(Combo(frame)->itemText(i), QStringLiteral("%1 ms").arg(i));
    ExpectImage({}, 0);
}

void TestFramesDebounce::sliderVariant()
{
    DebouncetimeB frame;
    auto* slider = frame.findChild<QSlider*>(QStringLiteral("Debunce"));
    auto* number = frame.findChild<QSpinBox*>(QStringLiteral("spinBoxA"));
    frame.SetSuffix(QStringLiteral(" ms"));
    frame.SetLevel(9);
    QCOMPARE(slider->value(), 9);
    QCOMPARE(number->text(), QStringLiteral("9 ms"));
    ExpectImage({}, 0);

    ShowFrame(&frame);
    slider->setSliderDown(true);
    slider->setSliderPosition(3);
    QCOMPARE(number->value(), 3);
    ExpectImage({}, 0);
    slider->setSliderDown(false);
    ExpectImage({{0x06, 3}}, 1);
}

void TestFramesDebounce::stepVariantStopsAtItsEnds_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("sends");
    QTest::newRow("add at 20") << 20 << "AddLevelA" << 20 << 0;
    QTest::newRow("add at 19") << 19 << "AddLevelA" << 20 << 1;
    QTest::newRow("reduce at 1") << 1 << "ReduceLevelA" << 1 << 0;
    QTest::newRow("reduce at 2") << 2 << "ReduceLevelA" << 1 << 1;
}

void TestFramesDebounce::stepVariantStopsAtItsEnds()
{
    QFETCH(int, start);
    QFETCH(QString, button);
    QFETCH(int, shown);
    QFETCH(int, sends);
    DebouncetimeC frame;
    frame.SetLevel(start);
    ShowFrame(&frame);
    NoticeCloser closer;

    auto* step = frame.findChild<QToolButton*>(button);
    QTest::mouseClick(step, Qt::LeftButton, Qt::NoModifier, step->rect().center());

    QCOMPARE(frame.findChild<QSpinBox*>(QStringLiteral("spinBoxA"))->value(), shown);
    if (sends)
        ExpectImage({{0x06, shown}}, 1);
    else
        ExpectImage({}, 0);
    QCOMPARE(closer.count, 0);
}

QTEST_MAIN(TestFramesDebounce)
#include "test_frames_debounce.moc"
