// The lighting page without user actions: construction, the controls each
// mode shows, filling from an image, reset, texts and styles.
#include "app_state.h"
#include "config_store.h"
#include "find_child.h"
#include "lamp_light.h"
#include "post_msg.h"
#include "sim_mouse.h"
#include "style_pictures.h"
#include "user_setting_store.h"

#include <QtTest>

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

namespace {

QStringList PresetNames()
{
    QStringList names;
    for (const QChar letter : QStringLiteral("ABCDEFGHIJKLMN"))
        names << QStringLiteral("toolButtonColor") + letter;
    return names;
}

QStringList ColourGroup()
{
    return QStringList{"label_6", "label_7", "label_8", "labelPreView", "label_10", "label_11", "label_12",
                       "label_13", "RSpinBox", "GSpinBox", "BSpinBox", "AddR", "AddG", "AddB",
                       "ReduceR", "ReduceG", "ReduceB"}
        + PresetNames();
}

// An image whose light-bar block and the two switches are set by the caller.
FlashDataMap Image(int mode, int enabled)
{
    FlashDataMap image;
    image.ledBar[0] = uint8_t(mode);
    image.ledBar[1] = 12;
    image.ledBar[2] = 34;
    image.ledBar[3] = 56;
    image.ledBar[4] = 3;
    image.ledBar[5] = 6;
    image.ledBar[6] = uint8_t(enabled);
    image.lightOffTime = 30;
    return image;
}

void Fill(LampLight* page, const FlashDataMap& image, const char* slot = "SlotUpDataLightUILight")
{
    QVERIFY(QMetaObject::invokeMethod(page, slot, Qt::DirectConnection, Q_ARG(FlashDataMap, image)));
}

QColor TextColour(QWidget* widget)
{
    widget->ensurePolished();
    return widget->palette().color(QPalette::WindowText);
}

} // namespace

class TestLampLightPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void constructionSendsNothing_data();
    void constructionSendsNothing();
    void startsWithTheControlsOfModeOff();
    void modeShowsItsControls_data();
    void modeShowsItsControls();
    void fillSelectsModeOnlyWhenEnabled_data();
    void fillSelectsModeOnlyWhenEnabled();
    void fillWithModeAboveFiveKeepsVisibility();
    void fillShowsValuesAndClampsSliders_data();
    void fillShowsValuesAndClampsSliders();
    void fillSelectsIdleTime_data();
    void fillSelectsIdleTime();
    void fillsSendNothingAndLeaveFlagsDown();
    void importLocksSlidersUntilDeviceFill();
    void resetRestoresDefaultsWithoutSending();
    void textsFollowLanguage_data();
    void textsFollowLanguage();
    void captionColours();
    void stylePicturesExist();

private:
    LampLight* MakePage();

    std::unique_ptr<LampLight> m_page;
};

void TestLampLightPage::initTestCase()
{
    QVERIFY(SimMouse::Start());
}

void TestLampLightPage::init()
{
    UserSettingStore::Instance()->SetValue("Language", "Language", "0");
    QVERIFY(SimMouse::Reset(FlashDataMap(), false)); // sending not allowed yet
}

void TestLampLightPage::cleanup()
{
    m_page.reset();
    g_sendEnabled = false;
}

LampLight* TestLampLightPage::MakePage()
{
    m_page.reset(new LampLight);
    return m_page.get();
}

// Building the page runs the handler of mode item 0; with sending already
// allowed that used to switch the mouse's light bar off.
void TestLampLightPage::constructionSendsNothing_data()
{
    QTest::addColumn<bool>("online");
    QTest::newRow("mouse online") << true;
    QTest::newRow("mouse offline") << false;
}

void TestLampLightPage::constructionSendsNothing()
{
    QFETCH(bool, online);
    QVERIFY(SimMouse::SetOnline(online));
    g_deviceImage.ledBar[0] = 3;
    g_deviceImage.ledBar[6] = 1;
    g_sendEnabled = true;
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

    MakePage();

    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(int(g_deviceImage.ledBar[6]), 1);
    QCOMPARE(offline.count(), 0);
}

void TestLampLightPage::startsWithTheControlsOfModeOff()
{
    LampLight* page = MakePage();
    QCOMPARE(Child<QComboBox>(page, "LightMod")->currentIndex(), 0);
    QCOMPARE(Child<QComboBox>(page, "LightMod")->count(), 6);
    QVERIFY(!Child<QWidget>(page, "line")->isHidden());
    QVERIFY(!Child<QWidget>(page, "line_2")->isHidden());
    QVERIFY(Child<QWidget>(page, "horizontalLight")->isHidden());
    QVERIFY(Child<QWidget>(page, "label_7")->isHidden());
}

void TestLampLightPage::modeShowsItsControls_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("colour");
    QTest::addColumn<bool>("brightness");
    QTest::addColumn<bool>("speed");
    QTest::addColumn<bool>("line");
    QTest::addColumn<bool>("line_2");
    QTest::newRow("0 off") << 0 << false << false << false << true << true;
    QTest::newRow("1 colour flow") << 1 << false << true << true << false << false;
    QTest::newRow("2 breathing") << 2 << true << true << true << false << false;
    QTest::newRow("3 steady") << 3 << true << true << false << false << true;
    QTest::newRow("4 neon") << 4 << false << true << true << false << false;
    QTest::newRow("5 mixed breathing") << 5 << false << true << true << false << false;
}

void TestLampLightPage::modeShowsItsControls()
{
    QFETCH(int, item);
    QFETCH(bool, colour);
    QFETCH(bool, brightness);
    QFETCH(bool, speed);
    QFETCH(bool, line);
    QFETCH(bool, line_2);
    LampLight* page = MakePage();
    // Start from the opposite of every expectation where possible.
    Child<QComboBox>(page, "LightMod")->setCurrentIndex(item == 2 ? 0 : 2);

    Child<QComboBox>(page, "LightMod")->setCurrentIndex(item);

    for (const QString& name : ColourGroup())
        QVERIFY2(Child<QWidget>(page, name)->isHidden() != colour, qPrintable(name));
    QCOMPARE(!Child<QWidget>(page, "horizontalLight")->isHidden(), brightness);
    QCOMPARE(!Child<QWidget>(page, "LightSpinBox_2")->isHidden(), brightness);
    QCOMPARE(!Child<QWidget>(page, "horizontalSpeed")->isHidden(), speed);
    QCOMPARE(!Child<QWidget>(page, "SpeedSpinBox_2")->isHidden(), speed);
    QCOMPARE(!Child<QWidget>(page, "line")->isHidden(), line);
    QCOMPARE(!Child<QWidget>(page, "line_2")->isHidden(), line_2);
    // Captions and the switches stay in every mode.
    for (const char* name : {"label", "label_2", "label_3", "label_4", "label_5", "RippeControl", "frameClose"})
        QVERIFY2(!Child<QWidget>(page, name)->isHidden(), name);
}

// Byte 0x49 switches the bar on; switched off the page shows item 0 and the
// mode byte only remembers the last effect.
void TestLampLightPage::fillSelectsModeOnlyWhenEnabled_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("enabled");
    QTest::addColumn<int>("item");
    QTest::newRow("steady, on") << 3 << 1 << 3;
    QTest::newRow("steady, off") << 3 << 0 << 0;
    QTest::newRow("neon, enable byte 2") << 4 << 2 << 4;
    QTest::newRow("mode 0, on") << 0 << 1 << 0;
    QTest::newRow("mode 5, on") << 5 << 1 << 5;
}

void TestLampLightPage::fillSelectsModeOnlyWhenEnabled()
{
    QFETCH(int, mode);
    QFETCH(int, enabled);
    QFETCH(int, item);
    LampLight* page = MakePage();
    Fill(page, Image(1, 1));

    Fill(page, Image(mode, enabled));

    QCOMPARE(Child<QComboBox>(page, "LightMod")->currentIndex(), item);
    // The visibility follows the shown item.
    QCOMPARE(!Child<QWidget>(page, "horizontalSpeed")->isHidden(), item != 0 && item != 3);
    QCOMPARE(!Child<QWidget>(page, "RSpinBox")->isHidden(), item == 2 || item == 3);
}

void TestLampLightPage::fillWithModeAboveFiveKeepsVisibility()
{
    LampLight* page = MakePage();
    Fill(page, Image(3, 1));
    g_sendEnabled = true;

    Fill(page, Image(7, 1));

    // No item names mode 7: the combo shows none, the controls stay as they were.
    QCOMPARE(Child<QComboBox>(page, "LightMod")->currentIndex(), -1);
    QVERIFY(!Child<QWidget>(page, "RSpinBox")->isHidden());
    QVERIFY(!Child<QWidget>(page, "line_2")->isHidden());
    QVERIFY(Child<QWidget>(page, "horizontalSpeed")->isHidden());
    QCOMPARE(SimMouse::Sends(), 0);
    // The other controls are filled all the same.
    QCOMPARE(Child<QSpinBox>(page, "GSpinBox")->value(), 34);
    QCOMPARE(Child<QSlider>(page, "horizontalLight")->value(), 7);
}

void TestLampLightPage::fillShowsValuesAndClampsSliders_data()
{
    QTest::addColumn<int>("brightness");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("shownBrightness");
    QTest::addColumn<int>("shownSpeed");
    QTest::newRow("lowest") << 0 << 0 << 1 << 1;
    QTest::newRow("middle") << 4 << 7 << 5 << 8;
    QTest::newRow("highest") << 9 << 9 << 10 << 10;
    QTest::newRow("above range") << 10 << 200 << 10 << 10;
}

void TestLampLightPage::fillShowsValuesAndClampsSliders()
{
    QFETCH(int, brightness);
    QFETCH(int, speed);
    QFETCH(int, shownBrightness);
    QFETCH(int, shownSpeed);
    LampLight* page = MakePage();
    FlashDataMap image = Image(2, 1);
    image.ledBar[4] = uint8_t(speed);
    image.ledBar[5] = uint8_t(brightness);
    image.lightOffWhileMoving = uint8_t(brightness); // any non-zero byte switches it on

    Fill(page, image);

    QCOMPARE(Child<QSlider>(page, "horizontalLight")->value(), shownBrightness);
    QCOMPARE(Child<QSpinBox>(page, "LightSpinBox_2")->value(), shownBrightness);
    QCOMPARE(Child<QSlider>(page, "horizontalSpeed")->value(), shownSpeed);
    QCOMPARE(Child<QSpinBox>(page, "SpeedSpinBox_2")->value(), shownSpeed);
    QCOMPARE(Child<QSpinBox>(page, "RSpinBox")->value(), 12);
    QCOMPARE(Child<QSpinBox>(page, "GSpinBox")->value(), 34);
    QCOMPARE(Child<QSpinBox>(page, "BSpinBox")->value(), 56);
    QVERIFY(Child<QLabel>(page, "labelPreView")->styleSheet().contains("background-color: rgb(12,34,56)"));
    QCOMPARE(Child<QToolButton>(page, "RippeControl")->isChecked(), brightness != 0);
}

// Byte 0x08 in units of 10 s selects the idle light-off item; a time the
// selector does not offer keeps the item it had.
void TestLampLightPage::fillSelectsIdleTime_data()
{
    QTest::addColumn<int>("tenSeconds");
    QTest::addColumn<int>("item");
    const int listed[] = {1, 3, 6, 30, 60, 90, 120, 150, 180, 210, 240};
    for (int item = 0; item < 11; ++item)
        QTest::addRow("%d0 s", listed[item]) << listed[item] << item;
    QTest::newRow("20 s kept") << 2 << 5;
    QTest::newRow("0 kept") << 0 << 5;
    QTest::newRow("2550 s kept") << 255 << 5;
}

void TestLampLightPage::fillSelectsIdleTime()
{
    QFETCH(int, tenSeconds);
    QFETCH(int, item);
    LampLight* page = MakePage();
    FlashDataMap image = Image(1, 1);
    image.lightOffTime = 90; // item 5
    Fill(page, image);
    g_sendEnabled = true;

    image.lightOffTime = uint8_t(tenSeconds);
    Fill(page, image);

    QCOMPARE(Child<QComboBox>(page, "StopClose")->currentIndex(), item);
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestLampLightPage::fillsSendNothingAndLeaveFlagsDown()
{
    LampLight* page = MakePage();
    g_sendEnabled = true;
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    FlashDataMap image = Image(2, 1);
    image.lightOffWhileMoving = 1;

    Fill(page, image);
    QVERIFY(g_lightPageApplied);
    Fill(page, Image(4, 1), "SlotUpDataLightUIA");
    QVERIFY(QMetaObject::invokeMethod(page, "SlotFormResetLight", Qt::DirectConnection));

    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(offline.count(), 0);
    QVERIFY(!g_lightPageUpdating);
}

void TestLampLightPage::importLocksSlidersUntilDeviceFill()
{
    LampLight* page = MakePage();
    Fill(page, Image(2, 1), "SlotUpDataLightUIA");
    QVERIFY(!Child<QSlider>(page, "horizontalLight")->isEnabled());
    QVERIFY(!Child<QSlider>(page, "horizontalSpeed")->isEnabled());
    QCOMPARE(Child<QSlider>(page, "horizontalLight")->value(), 7);

    QVERIFY(QMetaObject::invokeMethod(page, "SlotFormResetLight", Qt::DirectConnection));
    QVERIFY(!Child<QSlider>(page, "horizontalLight")->isEnabled());

    Fill(page, Image(2, 1));
    QVERIFY(Child<QSlider>(page, "horizontalLight")->isEnabled());
    QVERIFY(Child<QSlider>(page, "horizontalSpeed")->isEnabled());
}

void TestLampLightPage::resetRestoresDefaultsWithoutSending()
{
    LampLight* page = MakePage();
    FlashDataMap image = Image(3, 1);
    image.lightOffTime = 240;
    Fill(page, image);
    g_sendEnabled = true;

    QVERIFY(QMetaObject::invokeMethod(page, "SlotFormResetLight", Qt::DirectConnection));

    QCOMPARE(Child<QComboBox>(page, "LightMod")->currentIndex(), 1);
    QCOMPARE(Child<QSlider>(page, "horizontalLight")->value(), 10);
    QCOMPARE(Child<QSpinBox>(page, "LightSpinBox_2")->value(), 10);
    QCOMPARE(Child<QSlider>(page, "horizontalSpeed")->value(), 8);
    QCOMPARE(Child<QSpinBox>(page, "SpeedSpinBox_2")->value(), 8);
    QVERIFY(Child<QToolButton>(page, "RippeControl")->isChecked());
    QCOMPARE(Child<QComboBox>(page, "StopClose")->currentIndex(), 2);
    QVERIFY(Child<QWidget>(page, "RSpinBox")->isHidden());
    // The colour is not part of the reset.
    QCOMPARE(Child<QSpinBox>(page, "RSpinBox")->value(), 12);
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestLampLightPage::textsFollowLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("mode3");
    QTest::addColumn<QString>("idle2");
    QTest::newRow("English") << 0 << "Lighting mode" << "Steady" << "1 min";
    QTest::newRow("Russian") << 1 << QString::fromUtf8("Режим подсветки") << QString::fromUtf8("Постоянный свет")
                             << QString::fromUtf8("1 мин");
    QTest::newRow("Traditional Chinese") << 2 << QString::fromUtf8("燈光模式") << QString::fromUtf8("混色常亮")
                                         << QString::fromUtf8("1分鐘");
    QTest::newRow("Korean") << 3 << QString::fromUtf8("조명 모드") << QString::fromUtf8("고정 점등")
                            << QString::fromUtf8("1분");
    QTest::newRow("4 is English") << 4 << "Lighting mode" << "Steady" << "1 min";
    QTest::newRow("Japanese") << 5 << QString::fromUtf8("ライティングモード") << QString::fromUtf8("常時点灯")
                              << QString::fromUtf8("1分");
}

void TestLampLightPage::textsFollowLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, caption);
    QFETCH(QString, mode3);
    QFETCH(QString, idle2);
    UserSettingStore::Instance()->SetValue("Language", "Language", QString::number(language));

    LampLight* page = MakePage();

    QCOMPARE(Child<QLabel>(page, "label")->text(), caption);
    QCOMPARE(Child<QComboBox>(page, "LightMod")->itemText(3), mode3);
    QCOMPARE(Child<QComboBox>(page, "StopClose")->itemText(2), idle2);
    QCOMPARE(Child<QLabel>(page, "label_11")->text(), QStringLiteral("R:"));
    QCOMPARE(Child<QLabel>(page, "label_10")->text(), QStringLiteral("G:"));

    // Every text of the section is there: none keeps its form default.
    QVERIFY(QMetaObject::invokeMethod(page, "SlotChangeLanguage", Qt::DirectConnection, Q_ARG(int, 2)));
    QCOMPARE(Child<QLabel>(page, "label")->text(), QString::fromUtf8("燈光模式"));
    QCOMPARE(Child<QComboBox>(page, "LightMod")->itemText(0), QString::fromUtf8("關閉"));
    QCOMPARE(Child<QLabel>(page, "label_13")->text(), QString::fromUtf8("預設顏色"));
    QCOMPARE(Child<QComboBox>(page, "StopClose")->itemText(10), QString::fromUtf8("40分鐘"));
}

// Captions take LabelColor; the R, G and B captions keep the form's white.
void TestLampLightPage::captionColours()
{
    LampLight* page = MakePage();
    const QStringList rgb = ConfigStore::Instance()->ColorText("LabelColor").split(',');
    QCOMPARE(rgb.size(), 3);
    const QColor labelColour(rgb[0].toInt(), rgb[1].toInt(), rgb[2].toInt());
    QVERIFY(labelColour != QColor(Qt::white));

    for (const char* name : {"label", "label_2", "label_3", "label_4", "label_5", "label_6", "label_8", "label_13"})
        QCOMPARE(TextColour(Child<QLabel>(page, name)), labelColour);
    for (const char* name : {"label_10", "label_11", "label_12"})
        QCOMPARE(TextColour(Child<QLabel>(page, name)), QColor(Qt::white));
}

// Every picture a style sheet of the page names is drawn into the program's
// Picture folder.
void TestLampLightPage::stylePicturesExist()
{
    const QStringList pictures = PicturesNamed(MakePage());
    for (const QString& path : pictures)
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    QVERIFY(pictures.size() >= 25);
}

QTEST_MAIN(TestLampLightPage)
#include "test_lamplight_page.moc"
