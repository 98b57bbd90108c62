// The lighting page's user actions against the simulated mouse: the bytes
// each one writes and sends, the offline checks, and the screen colour picker
// with a fake screen.
#include "app_state.h"
#include "find_child.h"
#include "lamp_light.h"
#include "post_msg.h"
#include "screen_grab.h"
#include "sim_mouse.h"
#include "test_image.h"
#include "user_setting_store.h"

#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

// The recognisable image (a stray write shows) with the light bar in the
// given colour.
FlashDataMap Baseline(int red, int green, int blue)
{
    FlashDataMap image = PatternImage();
    image.ledBar[0] = 2; // single-colour breathing, switched on: the colour group shows
    image.ledBar[1] = uint8_t(red);
    image.ledBar[2] = uint8_t(green);
    image.ledBar[3] = uint8_t(blue);
    image.ledBar[4] = 4;
    image.ledBar[5] = 5;
    image.ledBar[6] = 1;
    image.lightOffTime = 30;
    image.lightOffWhileMoving = 0;
    return image;
}

QByteArray WithBytes(QByteArray image, std::size_t offset, std::initializer_list<int> values)
{
    int at = int(offset);
    for (int value : values)
        image[at++] = char(value);
    return image;
}

QByteArray LedColour(const QByteArray& image)
{
    return image.mid(int(ImageOffset::LedBar) + 1, 3);
}

QByteArray Rgb(int red, int green, int blue)
{
    QByteArray bytes;
    bytes.append(char(red)).append(char(green)).append(char(blue));
    return bytes;
}

QPoint CentreOf(QWidget* page, QWidget* child)
{
    return child->mapTo(page, child->rect().center());
}

// A screen that reports a fixed cursor, ratio and picture, and remembers
// what was asked of it.
class FakeScreen : public ScreenGrab {
public:
    QPoint CursorPos() const override { return cursor; }
    qreal PixelRatio() const override { return ratio; }
    QImage Grab(const QPoint& physicalPos, const QSize& size) const override
    {
        requests << QRect(physicalPos, size);
        return picture;
    }

    QPoint cursor{100, 50};
    qreal ratio = 1.0;
    QImage picture;
    mutable QList<QRect> requests;
};

QImage Picture(const QColor& topLeft)
{
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(QColor(1, 1, 1));
    picture.setPixelColor(0, 0, topLeft);
    return picture;
}

// A user action on the page, and what it writes when the mouse takes it.
struct Action {
    const char* name;
    std::function<void(LampLight*)> run;
    bool directColour;   // Add, Reduce, presets, colour board: the page's own offline check
    std::size_t offset;  // first byte written
    QByteArray bytes;    // written from the baseline (colour 10, 20, 30)
};

void Click(LampLight* page, const char* name)
{
    QTest::mouseClick(Child<QWidget>(page, name), Qt::LeftButton);
}

const QList<Action>& Actions()
{
    static const QList<Action> actions = {
        {"AddR", [](LampLight* p) { Click(p, "AddR"); }, true, 0x44, Rgb(11, 20, 30)},
        {"ReduceB", [](LampLight* p) { Click(p, "ReduceB"); }, true, 0x44, Rgb(10, 20, 29)},
        {"preset C", [](LampLight* p) { Click(p, "toolButtonColorC"); }, true, 0x44, Rgb(0, 255, 0)},
        {"colour board", [](LampLight* p) { QTest::mouseClick(Child<QWidget>(p, "label_7"), Qt::LeftButton); },
         true, 0x44, Rgb(200, 100, 50)},
        {"typed red", [](LampLight* p) { Child<QSpinBox>(p, "RSpinBox")->setValue(77); }, false, 0x44,
         Rgb(77, 20, 30)},
        {"mode neon", [](LampLight* p) { Child<QComboBox>(p, "LightMod")->setCurrentIndex(4); }, false, 0x43,
         QByteArray("\x04", 1)},
        {"brightness", [](LampLight* p) { Child<QSlider>(p, "horizontalLight")->setValue(10); }, false, 0x48,
         QByteArray("\x09", 1)},
        {"speed", [](LampLight* p) { Child<QSlider>(p, "horizontalSpeed")->setValue(1); }, false, 0x47,
         QByteArray("\x00", 1)},
        {"light off while moving", [](LampLight* p) { Click(p, "RippeControl"); }, false, 0x0B,
         QByteArray("\x01", 1)},
        {"idle time 40 min", [](LampLight* p) { emit Child<QComboBox>(p, "StopClose")->activated(10); }, false,
         0x08, QByteArray("\xF0", 1)},
    };
    return actions;
}

} // namespace

class TestLampLightActions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void actionWritesItsBytes_data();
    void actionWritesItsBytes();
    void actionOnOfflineMouseNotifiesOnce_data();
    void actionOnOfflineMouseNotifiesOnce();
    void actionWithoutSendingStaysLocal_data();
    void actionWithoutSendingStaysLocal();
    void presetWritesItsColour_data();
    void presetWritesItsColour();
    void presetSendsChannelByChannel();
    void stepAtRangeEnd_data();
    void stepAtRangeEnd();
    void modeOffKeepsModeByte();
    void sliderDragSendsOnRelease();
    void pickerReadsPixelAtScaledCursor_data();
    void pickerReadsPixelAtScaledCursor();
    void emptyGrabKeepsColour_data();
    void emptyGrabKeepsColour();
    void pickerOnlyOnVisibleBoard_data();
    void pickerOnlyOnVisibleBoard();
    void doubleClickPicksOnce();
    void pressElsewhereTakesFocusFromNumbers();

private:
    LampLight* ShowPage(int red = 10, int green = 20, int blue = 30);

    std::unique_ptr<LampLight> m_page;
    FakeScreen m_screen;
};

void TestLampLightActions::initTestCase()
{
    QVERIFY(SimMouse::Start());
    UserSettingStore::Instance()->SetValue("Language", "Language", "0");
    ScreenGrab::SetCurrent(&m_screen);
}

void TestLampLightActions::init()
{
    QVERIFY(SimMouse::Reset(Baseline(10, 20, 30), false)); // ShowPage allows sending
    m_screen = FakeScreen();
    m_screen.picture = Picture(QColor(200, 100, 50));
}

void TestLampLightActions::cleanup()
{
    m_page.reset();
    g_sendEnabled = false;
}

// The page shown, filled from the baseline with the given colour, which is
// also the device image; the call log starts empty and sending is allowed.
LampLight* TestLampLightActions::ShowPage(int red, int green, int blue)
{
    m_page.reset(new LampLight);
    m_page->show();
    if (!QTest::qWaitForWindowExposed(m_page.get()))
        qFatal("page not shown");
    const FlashDataMap image = Baseline(red, green, blue);
    g_deviceImage = image;
    if (!QMetaObject::invokeMethod(m_page.get(), "SlotUpDataLightUILight", Qt::DirectConnection,
                                   Q_ARG(FlashDataMap, image)))
        qFatal("no fill slot");
    SimControl::clearCallLog();
    g_sendEnabled = true;
    return m_page.get();
}

void TestLampLightActions::actionWritesItsBytes_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < Actions().size(); ++i)
        QTest::newRow(Actions()[i].name) << i;
}

void TestLampLightActions::actionWritesItsBytes()
{
    QFETCH(int, index);
    const Action& action = Actions()[index];
    LampLight* page = ShowPage();
    QByteArray expected = ImageBytes(Baseline(10, 20, 30));
    for (int i = 0; i < action.bytes.size(); ++i)
        expected[int(action.offset) + i] = action.bytes[i];
    if (action.name == QByteArray("mode neon"))
        expected[int(ImageOffset::LedBarEnabled)] = 1;
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

    action.run(page);

    QCOMPARE(ImageBytes(g_deviceImage), expected);
    QCOMPARE(SimControl::lastImageSent(), expected);
    QVERIFY(SimMouse::Sends() >= 1);
    QCOMPARE(offline.count(), 0);
}

void TestLampLightActions::actionOnOfflineMouseNotifiesOnce_data()
{
    actionWritesItsBytes_data();
}

// Direct colour actions stop at the page's own check and change nothing;
// the others change their control and their setter reports the mouse.
void TestLampLightActions::actionOnOfflineMouseNotifiesOnce()
{
    QFETCH(int, index);
    const Action& action = Actions()[index];
    LampLight* page = ShowPage();
    QVERIFY(SimMouse::SetOnline(false));
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

    action.run(page);

    QCOMPARE(offline.count(), 1);
    QCOMPARE(offline.at(0).at(0).toInt(), 0);
    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(Baseline(10, 20, 30)));
    if (action.directColour) {
        QCOMPARE(Child<QSpinBox>(page, "RSpinBox")->value(), 10);
        QCOMPARE(Child<QSpinBox>(page, "GSpinBox")->value(), 20);
        QCOMPARE(Child<QSpinBox>(page, "BSpinBox")->value(), 30);
        QVERIFY(m_screen.requests.isEmpty());
    }
}

void TestLampLightActions::actionWithoutSendingStaysLocal_data()
{
    actionWritesItsBytes_data();
}

void TestLampLightActions::actionWithoutSendingStaysLocal()
{
    QFETCH(int, index);
    LampLight* page = ShowPage();
    g_sendEnabled = false;
    QVERIFY(SimMouse::SetOnline(false));
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

    Actions()[index].run(page);

    QCOMPARE(offline.count(), 0);
    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(SimControl::callCount("UsbFinderC_GetDeviceOnLine"), 0);
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(Baseline(10, 20, 30)));
}

void TestLampLightActions::presetWritesItsColour_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("colour");
    QTest::newRow("A") << "toolButtonColorA" << Rgb(255, 0, 0);
    QTest::newRow("B") << "toolButtonColorB" << Rgb(0, 255, 255);
    QTest::newRow("C") << "toolButtonColorC" << Rgb(0, 255, 0);
    QTest::newRow("D") << "toolButtonColorD" << Rgb(255, 0, 255);
    QTest::newRow("E") << "toolButtonColorE" << Rgb(255, 255, 0);
    QTest::newRow("F") << "toolButtonColorF" << Rgb(255, 80, 0);
    QTest::newRow("G") << "toolButtonColorG" << Rgb(0, 0, 255);
    QTest::newRow("H") << "toolButtonColorH" << Rgb(227, 0, 127);
    QTest::newRow("I") << "toolButtonColorI" << Rgb(46, 166, 223);
    QTest::newRow("J") << "toolButtonColorJ" << Rgb(96, 25, 133);
    QTest::newRow("K") << "toolButtonColorK" << Rgb(255, 255, 255);
    QTest::newRow("L") << "toolButtonColorL" << Rgb(139, 178, 36);
    QTest::newRow("M") << "toolButtonColorM" << Rgb(255, 155, 51);
    QTest::newRow("N") << "toolButtonColorN" << Rgb(208, 113, 173);
}

// From a colour no preset shares a channel with, every channel changes: three
// sends, the last one carrying the preset, and only bytes 0x44-0x46 differ.
void TestLampLightActions::presetWritesItsColour()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, colour);
    LampLight* page = ShowPage(1, 2, 3);

    QTest::mouseClick(Child<QWidget>(page, button), Qt::LeftButton);

    const QByteArray expected = WithBytes(ImageBytes(Baseline(1, 2, 3)), ImageOffset::LedBar + 1,
                                          {uchar(colour[0]), uchar(colour[1]), uchar(colour[2])});
    QCOMPARE(ImageBytes(g_deviceImage), expected);
    QCOMPARE(SimControl::lastImageSent(), expected);
    QCOMPARE(SimControl::imagesSent().size(), 3);
    QVERIFY(Child<QLabel>(page, "labelPreView")->styleSheet().contains(
        QStringLiteral("rgb(%1,%2,%3)").arg(uchar(colour[0])).arg(uchar(colour[1])).arg(uchar(colour[2]))));
}

// A channel that already has the preset's value sends nothing.
void TestLampLightActions::presetSendsChannelByChannel()
{
    LampLight* page = ShowPage(255, 255, 255);
    QTest::mouseClick(Child<QWidget>(page, "toolButtonColorK"), Qt::LeftButton);
    QVERIFY(SimControl::imagesSent().isEmpty());

    QTest::mouseClick(Child<QWidget>(page, "toolButtonColorA"), Qt::LeftButton);
    const QList<QByteArray> sent = SimControl::imagesSent();
    QCOMPARE(sent.size(), 2);
    QCOMPARE(LedColour(sent[0]), Rgb(255, 0, 255));
    QCOMPARE(LedColour(sent[1]), Rgb(255, 0, 0));
}

void TestLampLightActions::stepAtRangeEnd_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("end");
    QTest::newRow("AddR at 254") << "AddR" << Rgb(254, 0, 0) << Rgb(255, 0, 0);
    QTest::newRow("AddR at 255") << "AddR" << Rgb(255, 0, 0) << Rgb(255, 0, 0);
    QTest::newRow("AddG at 255") << "AddG" << Rgb(0, 255, 0) << Rgb(0, 255, 0);
    QTest::newRow("AddB at 254") << "AddB" << Rgb(0, 0, 254) << Rgb(0, 0, 255);
    QTest::newRow("AddB at 255") << "AddB" << Rgb(0, 0, 255) << Rgb(0, 0, 255);
    QTest::newRow("ReduceR at 0") << "ReduceR" << Rgb(0, 255, 255) << Rgb(0, 255, 255);
    QTest::newRow("ReduceG at 1") << "ReduceG" << Rgb(255, 1, 255) << Rgb(255, 0, 255);
    QTest::newRow("ReduceG at 0") << "ReduceG" << Rgb(255, 0, 255) << Rgb(255, 0, 255);
    QTest::newRow("ReduceB at 0") << "ReduceB" << Rgb(255, 255, 0) << Rgb(255, 255, 0);
}

void TestLampLightActions::stepAtRangeEnd()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, end);
    LampLight* page = ShowPage(uchar(start[0]), uchar(start[1]), uchar(start[2]));

    QTest::mouseClick(Child<QWidget>(page, button), Qt::LeftButton);

    const QByteArray expected = WithBytes(ImageBytes(Baseline(uchar(start[0]), uchar(start[1]), uchar(start[2]))),
                                          ImageOffset::LedBar + 1, {uchar(end[0]), uchar(end[1]), uchar(end[2])});
    QCOMPARE(ImageBytes(g_deviceImage), expected);
    if (start == end) {
        QVERIFY(SimControl::imagesSent().isEmpty());
    } else {
        QCOMPARE(SimControl::imagesSent().size(), 1);
        QCOMPARE(SimControl::lastImageSent(), expected);
    }
}

// Item 0 switches the bar off and keeps the effect; a later fill of that
// image shows item 0.
void TestLampLightActions::modeOffKeepsModeByte()
{
    LampLight* page = ShowPage();
    auto* mode = Child<QComboBox>(page, "LightMod");

    mode->setCurrentIndex(0);

    const QByteArray expected = WithBytes(ImageBytes(Baseline(10, 20, 30)), ImageOffset::LedBarEnabled, {0});
    QCOMPARE(SimControl::lastImageSent(), expected);
    QCOMPARE(int(g_deviceImage.ledBar[0]), 2);
    mode->setCurrentIndex(3);
    QVERIFY(QMetaObject::invokeMethod(page, "SlotUpDataLightUILight", Qt::DirectConnection,
                                      Q_ARG(FlashDataMap, Baseline(10, 20, 30))));
    QCOMPARE(mode->currentIndex(), 2);
    FlashDataMap off = Baseline(10, 20, 30);
    off.ledBar[6] = 0;
    QVERIFY(QMetaObject::invokeMethod(page, "SlotUpDataLightUILight", Qt::DirectConnection, Q_ARG(FlashDataMap, off)));
    QCOMPARE(mode->currentIndex(), 0);
}

// Tracking is off: while dragging only the number follows; the release sends once.
void TestLampLightActions::sliderDragSendsOnRelease()
{
    LampLight* page = ShowPage();
    auto* slider = Child<QSlider>(page, "horizontalSpeed");

    slider->setSliderDown(true);
    slider->setSliderPosition(9);
    slider->setSliderPosition(2);
    QCOMPARE(Child<QSpinBox>(page, "SpeedSpinBox_2")->value(), 2);
    QCOMPARE(SimMouse::Sends(), 0);
    slider->setSliderDown(false);

    QCOMPARE(SimMouse::Sends(), 1);
    QCOMPARE(int(g_deviceImage.ledBar[4]), 1);
}

void TestLampLightActions::pickerReadsPixelAtScaledCursor_data()
{
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QPoint>("physical");
    QTest::newRow("unscaled") << QPoint(100, 50) << 1.0 << QPoint(100, 50);
    QTest::newRow("150 %") << QPoint(100, 50) << 1.5 << QPoint(150, 75);
    QTest::newRow("125 % truncates") << QPoint(101, 51) << 1.25 << QPoint(126, 63);
    QTest::newRow("200 %") << QPoint(7, 640) << 2.0 << QPoint(14, 1280);
}

void TestLampLightActions::pickerReadsPixelAtScaledCursor()
{
    QFETCH(QPoint, cursor);
    QFETCH(qreal, ratio);
    QFETCH(QPoint, physical);
    LampLight* page = ShowPage();
    m_screen.cursor = cursor;
    m_screen.ratio = ratio;
    m_screen.picture = Picture(QColor(12, 34, 56));

    QTest::mouseClick(Child<QWidget>(page, "label_7"), Qt::RightButton);

    QCOMPARE(m_screen.requests, QList<QRect>{QRect(physical, QSize(2, 2))});
    QCOMPARE(Child<QSpinBox>(page, "RSpinBox")->value(), 12);
    QCOMPARE(Child<QSpinBox>(page, "GSpinBox")->value(), 34);
    QCOMPARE(Child<QSpinBox>(page, "BSpinBox")->value(), 56);
    QCOMPARE(LedColour(SimControl::lastImageSent()), Rgb(12, 34, 56));
    QVERIFY(Child<QLabel>(page, "labelPreView")->styleSheet().contains("rgb(12,34,56)"));
}

void TestLampLightActions::emptyGrabKeepsColour_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::newRow("no picture") << QImage();
    QTest::newRow("no pixel") << QImage(0, 0, QImage::Format_RGB32);
}

void TestLampLightActions::emptyGrabKeepsColour()
{
    QFETCH(QImage, picture);
    LampLight* page = ShowPage();
    m_screen.picture = picture;

    QTest::mouseClick(Child<QWidget>(page, "label_7"), Qt::LeftButton);

    QCOMPARE(m_screen.requests.size(), 1);
    QCOMPARE(Child<QSpinBox>(page, "RSpinBox")->value(), 10);
    QCOMPARE(Child<QSpinBox>(page, "GSpinBox")->value(), 20);
    QCOMPARE(Child<QSpinBox>(page, "BSpinBox")->value(), 30);
    QVERIFY(SimControl::imagesSent().isEmpty());
    QVERIFY(Child<QLabel>(page, "labelPreView")->styleSheet().contains("rgb(10,20,30)"));
}

// Presses that pick nothing: beside the board, and on the place of a board
// that the mode hides.
void TestLampLightActions::pickerOnlyOnVisibleBoard_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QPoint>("offset"); // from the board's top left
    QTest::addColumn<int>("grabs");
    QTest::newRow("inside, shown") << 2 << QPoint(1, 1) << 1;
    QTest::newRow("last pixel, shown") << 3 << QPoint(307, 33) << 1;
    QTest::newRow("just below") << 2 << QPoint(10, 34) << 0;
    QTest::newRow("just left") << 2 << QPoint(-1, 10) << 0;
    QTest::newRow("inside, hidden by mode 1") << 1 << QPoint(10, 10) << 0;
    QTest::newRow("inside, hidden by mode 0") << 0 << QPoint(10, 10) << 0;
}

void TestLampLightActions::pickerOnlyOnVisibleBoard()
{
    QFETCH(int, mode);
    QFETCH(QPoint, offset);
    QFETCH(int, grabs);
    LampLight* page = ShowPage();
    g_sendEnabled = false;
    Child<QComboBox>(page, "LightMod")->setCurrentIndex(mode);
    QWidget* board = Child<QWidget>(page, "label_7");
    QCOMPARE(board->geometry(), QRect(448, 112, 308, 34));

    QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, board->mapTo(page, QPoint(0, 0)) + offset);

    QCOMPARE(m_screen.requests.size(), grabs);
}

void TestLampLightActions::doubleClickPicksOnce()
{
    LampLight* page = ShowPage();
    QWidget* board = Child<QWidget>(page, "label_7");
    // The events of a double click: press, release, double click, release.
    QTest::mousePress(board, Qt::LeftButton);
    QTest::mouseRelease(board, Qt::LeftButton);
    QTest::mouseDClick(board, Qt::LeftButton);
    QTest::mouseRelease(board, Qt::LeftButton);
    QCOMPARE(m_screen.requests.size(), 1);
    QCOMPARE(Child<QSpinBox>(page, "RSpinBox")->value(), 200);
}

void TestLampLightActions::pressElsewhereTakesFocusFromNumbers()
{
    LampLight* page = ShowPage();
    page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page));
    auto* green = Child<QSpinBox>(page, "GSpinBox");
    green->setFocus();
    QVERIFY(green->hasFocus());

    QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, CentreOf(page, Child<QWidget>(page, "label_8")));

    QVERIFY(!green->hasFocus());
    QVERIFY(page->hasFocus());
}

QTEST_MAIN(TestLampLightActions)
#include "test_lamplight_actions.moc"
