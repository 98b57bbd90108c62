// Profile switches in the whole program against the shipped world, with the
// devices' own timing: from the page's profile list and with the mouse's own
// profile button, 1 -> 2 -> 1 keeps every key function, key record and macro
// block of both profiles on the mouse and on the page, and leaves the
// receiver's long range and light alone. A quick run of switches, faster than
// the mouse answers them, changes no profile either, and the page ends on the
// profile the mouse uses.
#include "buttoninterface.h"

#include "gui_fixture.h"
#include "test_image.h"
#include "world_text.h"

#include "device_image_setters.h"
#include "key_code_table.h"
#include "key_function.h"
#include "mouse_off_line.h"
#include "myconmbobox.h"

#include <QToolButton>
#include <QtTest>

namespace {

const QString kMouse = QStringLiteral("aero");
const QString kReceiver = QStringLiteral("aero-r4");

const int kButtonFunctions = 0x4A;
const int kMacroNameLength = 0;
const int kMacroCount = 31;

void SetFunction(FlashDataMap& image, int button, int type, int p1, int p2)
{
    image.at(std::size_t(kButtonFunctions + 3 * button)) = uint8_t(type);
    image.at(std::size_t(kButtonFunctions + 3 * button + 1)) = uint8_t(p1);
    image.at(std::size_t(kButtonFunctions + 3 * button + 2)) = uint8_t(p2);
}

void SetKeys(FlashDataMap& image, int button, const QList<KeyEvent>& events)
{
    KeyEventRecord record;
    record.bytes[0] = uint8_t(events.size());
    for (int i = 0; i < events.size(); ++i)
        record.SetEvent(i, events[i]);
    SetFunction(image, button, int(KeyFunctionType::KeyRecord), 0, 0);
    std::memcpy(image.keyEvents[button], record.bytes, KeyEventRecord::Size);
}

void SetMacro(FlashDataMap& image, int button, const QByteArray& name, int events)
{
    uint8_t* block = image.macroBlocks[button];
    block[kMacroNameLength] = uint8_t(name.size());
    std::memcpy(block + 1, name.constData(), std::size_t(name.size()));
    block[kMacroCount] = uint8_t(events);
    for (int i = 0; i < events; ++i) {
        uint8_t* event = block + 32 + 8 * i;
        event[0] = uint8_t(i % 2); // press, release, ...
        event[1] = KindKeyboard;
        event[2] = 0x04;           // A
        event[4] = 5;              // 5 ms
    }
    SetFunction(image, button, int(KeyFunctionType::Macro), button, 1);
}

// The factory image with a macro, a media key and a key combination bound;
// `variant` makes the two profiles differ everywhere it touches.
QByteArray ProfileImage(int variant)
{
    FlashDataMap image = ImageFromBytes(SimControl::factoryImage(kMouse));
    image.debounceTime = uint8_t(6 + variant);
    SetMacro(image, 1 + variant, "Tap" + QByteArray::number(variant + 1), 4 + 2 * variant);
    SetKeys(image, 3, {KeyEvent{0, KindConsumer, 0xCD - variant, 10}, KeyEvent{1, KindConsumer, 0xCD - variant, 10}});
    SetKeys(image, 4, {KeyEvent{0, KindModifier, 0x01, 10}, KeyEvent{0, KindKeyboard, 0x06 + variant, 10},
                       KeyEvent{1, KindKeyboard, 0x06 + variant, 10}, KeyEvent{1, KindModifier, 0x01, 10}});
    return ImageBytes(image);
}

QStringList KeyTexts(Buttoninterface* page)
{
    QStringList texts;
    for (const char* name : {"FireKey", "RightKey", "BackKey", "TopMusic", "StartPause", "BackMusic"})
        texts << page->findChild<QToolButton*>(QLatin1String(name))->text();
    return texts;
}

// The button page of the shipped mouse behind a receiver of the given class,
// with the devices' own timing.
struct SwitchingPage {
    GuiFixture gui;
    Buttoninterface* page = nullptr;
    MyConmboBox* list = nullptr;

    bool Open(int receiverClass)
    {
        if (!gui.Start(receiverClass == 4 ? QString() : SimWorld::ShippedWithReceiverClass(receiverClass)))
            return false;
        SimControl::setReportIntervalUs(-1);
        if (!gui.OpenDevice(kReceiver))
            return false;
        page = gui.DeviceWindow()->findChild<Buttoninterface*>();
        list = page ? page->findChild<MyConmboBox*>(QStringLiteral("ProjectChoose")) : nullptr;
        return list != nullptr;
    }

    // As the user picks the entry in the list.
    bool Choose(int profile)
    {
        list->setCurrentIndex(profile);
        return QMetaObject::invokeMethod(page, "on_ProjectChoose_activated", Q_ARG(int, profile));
    }

    // The profiles stored in the mouse, the mouse on the first and the page
    // showing it.
    static bool StartOnFirst(const QList<QByteArray>& profiles)
    {
        for (int profile = 0; profile < profiles.size(); ++profile) {
            if (!SimControl::setMouseImage(kMouse, profiles[profile], profile))
                return false;
        }
        return SimControl::switchProfile(kMouse, 0) && Settle() && SimControl::waitWrites()
               && ImageBytes(DeviceImageCopy()) == profiles[0];
    }
};

} // namespace

class TestButtonsProfileSwitch : public QObject {
    Q_OBJECT
private slots:
    void switchingThereAndBackKeepsBothProfiles_data();
    void switchingThereAndBackKeepsBothProfiles();
    void quickSwitchesKeepEveryProfile_data();
    void quickSwitchesKeepEveryProfile();
    void changeDuringSwitchGoesToTheProfileShown_data();
    void changeDuringSwitchGoesToTheProfileShown();
};

void TestButtonsProfileSwitch::switchingThereAndBackKeepsBothProfiles_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("there-and-back-list") << false;
    QTest::newRow("there-and-back-button") << true;
}

void TestButtonsProfileSwitch::switchingThereAndBackKeepsBothProfiles()
{
    QFETCH(bool, byButton);
    GuiFixture gui;
    QVERIFY(gui.Start());
    SimControl::setReportIntervalUs(-1);
    const QList<QByteArray> profiles{ProfileImage(0), ProfileImage(1)};
    for (int profile = 0; profile < profiles.size(); ++profile)
        QVERIFY(SimControl::setMouseImage(kMouse, profiles[profile], profile));
    // Not the catalogue's defaults, which a reset would restore.
    QVERIFY(SimControl::changeLongRange(kReceiver, true));
    QVERIFY(SimControl::changeReceiverLight(kReceiver, 3));
    QVERIFY(gui.OpenDevice(kReceiver));
    auto* page = gui.DeviceWindow()->findChild<Buttoninterface*>();
    QVERIFY(page);
    auto* list = page->findChild<MyConmboBox*>(QStringLiteral("ProjectChoose"));
    QVERIFY(list);

    QCOMPARE(ImageBytes(DeviceImageCopy()), profiles[0]);
    const QStringList firstTexts = KeyTexts(page);
    QVERIFY2(firstTexts.contains(QStringLiteral("Macro-Tap1")), qPrintable(firstTexts.join(QLatin1Char('|'))));

    auto switchTo = [&](int profile) {
        if (byButton)
            return SimControl::switchProfile(kMouse, profile);
        list->setCurrentIndex(profile);
        return QMetaObject::invokeMethod(page, "on_ProjectChoose_activated", Q_ARG(int, profile));
    };
    QVERIFY(switchTo(1));
    QVERIFY(Settle());
    QCOMPARE(list->currentIndex(), 1);
    QCOMPARE(ImageBytes(DeviceImageCopy()), profiles[1]);
    const QStringList secondTexts = KeyTexts(page);
    QVERIFY2(secondTexts.contains(QStringLiteral("Macro-Tap2")), qPrintable(secondTexts.join(QLatin1Char('|'))));

    QVERIFY(switchTo(0));
    QVERIFY(Settle());
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(ImageBytes(DeviceImageCopy()), profiles[0]);
    QCOMPARE(KeyTexts(page), firstTexts);
    QVERIFY(SimControl::waitWrites());
    for (int profile = 0; profile < profiles.size(); ++profile)
        QCOMPARE(SimControl::mouseImage(kMouse, profile), profiles[profile]);
    QCOMPARE(SimControl::receiverLongRange(kReceiver), 1);
    QCOMPARE(SimControl::receiverLightMode(kReceiver), 3);
}

void TestButtonsProfileSwitch::quickSwitchesKeepEveryProfile_data()
{
    QTest::addColumn<int>("receiverClass");
    QTest::addColumn<bool>("byButton");
    QTest::addColumn<QList<int>>("switches");
    // Profiles counted from 0: the button goes 2 -> 1 -> 2, the list 2 -> 3 -> 4.
    const QList<int> byButton{1, 0, 1};
    const QList<int> byList{1, 2, 3};
    QTest::newRow("1K-button") << 1 << true << byButton;
    QTest::newRow("1K-list") << 1 << false << byList;
    QTest::newRow("4K-button") << 4 << true << byButton;
    QTest::newRow("4K-list") << 4 << false << byList;
}

// Each switch is answered with the new profile's dump; one that comes while
// the next switch is under way must never be written back into the profile
// the mouse has moved on to.
void TestButtonsProfileSwitch::quickSwitchesKeepEveryProfile()
{
    QFETCH(int, receiverClass);
    QFETCH(bool, byButton);
    QFETCH(QList<int>, switches);
    SwitchingPage at;
    QVERIFY(at.Open(receiverClass));
    QList<QByteArray> profiles;
    for (int profile = 0; profile < SimControl::ProfileCount; ++profile)
        profiles << ProfileImage(profile);

    for (int gapMs : {0, 20, 40, 80, 150}) {
        const QByteArray where = "gap " + QByteArray::number(gapMs) + " ms";
        QVERIFY2(at.StartOnFirst(profiles), where.constData());
        for (int i = 0; i < switches.size(); ++i) {
            if (i > 0)
                QTest::qWait(gapMs);
            const int profile = switches[i];
            QVERIFY(byButton ? SimControl::switchProfile(kMouse, profile) : at.Choose(profile));
        }
        QVERIFY(Settle());
        QVERIFY(SimControl::waitWrites());

        for (int profile = 0; profile < profiles.size(); ++profile) {
            const QByteArray what = where + ", profile " + QByteArray::number(profile + 1);
            QVERIFY2(SimControl::mouseImage(kMouse, profile) == profiles[profile], what.constData());
        }
        const int last = switches.last();
        QCOMPARE(SimControl::currentProfile(kMouse), last);
        QVERIFY2(at.list->currentIndex() == last, where.constData());
        QVERIFY2(ImageBytes(DeviceImageCopy()) == profiles[last], where.constData());
    }
}

void TestButtonsProfileSwitch::changeDuringSwitchGoesToTheProfileShown_data()
{
    QTest::addColumn<int>("receiverClass");
    QTest::newRow("change-1K") << 1;
    QTest::newRow("change-4K") << 4;
}

// A setting changed after the list asked for profile 2 and before its dump
// came: the image still holds profile 1, so the change is refused with the
// notice; once the image holds profile 2 it goes to profile 2. Profile 1
// never changes, and profile 2 never takes profile 1's settings.
void TestButtonsProfileSwitch::changeDuringSwitchGoesToTheProfileShown()
{
    QFETCH(int, receiverClass);
    SwitchingPage at;
    QVERIFY(at.Open(receiverClass));
    const QList<QByteArray> profiles{ProfileImage(0), ProfileImage(1)};
    const uint8_t changed = 20;

    int refused = 0;
    for (int afterMs : {0, 10, 30, 60, 120}) {
        const QByteArray where = "change " + QByteArray::number(afterMs) + " ms after the switch";
        QVERIFY2(at.StartOnFirst(profiles), where.constData());
        g_offlineNoticeMode = 0;

        QVERIFY(at.Choose(1));
        QTest::qWait(afterMs);
        const bool accepted = SetDebounceTime(changed);
        refused += accepted ? 0 : 1;
        QVERIFY(Settle());
        QVERIFY(SimControl::waitWrites());

        QVERIFY2(SimControl::mouseImage(kMouse, 0) == profiles[0], where.constData());
        FlashDataMap second = ImageFromBytes(profiles[1]);
        if (accepted)
            second.debounceTime = changed;
        QVERIFY2(SimControl::mouseImage(kMouse, 1) == ImageBytes(second), where.constData());
        QVERIFY2(ImageBytes(DeviceImageCopy()) == ImageBytes(second), where.constData());
        QVERIFY2(at.list->currentIndex() == 1, where.constData());
        QVERIFY2(g_offlineNoticeMode == (accepted ? 0 : 1), where.constData());
        QVERIFY2(!MouseOffLine::IsOpen(), where.constData());
    }
    // The first change at least comes long before the dump can.
    QVERIFY(refused > 0);
}

QTEST_MAIN(TestButtonsProfileSwitch)
#include "test_buttons_profile_switch.moc"
