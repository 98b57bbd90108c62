// A macro Save while the mouse or the device changes under it, in the whole
// program over the shipped world with the devices' own timing. The button
// page waits before it sends the saved events; meanwhile the user picks
// another profile in the list, the mouse switches with its own button, or
// the user opens another device or binds another macro to the key. The save
// reaches the profile shown when Save was clicked or nothing, and then the
// user is told and Save sends it again later; it never lands in another
// profile or mouse, nor on a key that no longer carries the macro, and the
// file just saved is not rewritten from the mouse before its events are sent.
#include "macro_block_events.h"
#include "macro_file.h"
#include "macro_key_rules.h"
#include "macro_world_pages.h"
#include "mouse_off_line.h"
#include "profile_outcome.h"
#include "myconmbobox.h"
#include "test_image.h"
#include "window_closer.h"

#include "device_image_setters.h"

#include <QListWidget>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include <cstring>
#include <functional>

namespace {

const QString kMouse = QStringLiteral("aero");
const QString kDevice = QStringLiteral("aero-r4");
const QString kOtherMouse = QStringLiteral("lynx");
const QString kOtherDevice = QStringLiteral("lynx-r8");

const int kRightKey = 1;
const int kBackKey = 2;
const int kMacroType = 6;

// Fire as the first profile holds it on the back key (repeated twice), and
// an older Fire of the second profile on the right key.
const QList<QByteArray> kFirstFire{Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 10), Event(0, 1, 0x05, 0)};
const QList<QByteArray> kSecondFire{Event(0, 1, 0x06, 20), Event(1, 1, 0x06, 0)};
const QByteArray kFirstFireFile = "2\n0x04 1 0\n10ms\n0x04 1 1\n10ms\n0x05 1 0\n";
// The user deletes the last event, and may set five plays.
const QList<QByteArray> kSavedFire{Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 0)};
const QByteArray kSavedLines = "0x04 1 0\n10ms\n0x04 1 1\n";
const int kSavedRepeat = 5;

void PutMacro(FlashDataMap& image, int key, int repeat, const QList<QByteArray>& events)
{
    const uint8_t function[3] = {uint8_t(kMacroType), uint8_t(key), uint8_t(repeat)};
    std::memcpy(image.keyFunctions[key], function, sizeof function);
    const QByteArray block = Block("Fire", events);
    std::memcpy(image.macroBlocks[key], block.constData(), FlashDataMap::MacroBlockSize);
}

// The factory image with Fire where the profile holds it; every profile's
// image differs from the others.
QByteArray ProfileImage(int profile)
{
    FlashDataMap image = ImageFromBytes(SimControl::factoryImage(kMouse));
    image.debounceTime = uint8_t(6 + profile);
    if (profile == 0)
        PutMacro(image, kBackKey, 2, kFirstFire);
    else if (profile == 1)
        PutMacro(image, kRightKey, 1, kSecondFire);
    return ImageBytes(image);
}

// The first profile with the saved Fire.
QByteArray SavedImage(bool repeatToo)
{
    FlashDataMap image = ImageFromBytes(ProfileImage(0));
    PutMacro(image, kBackKey, repeatToo ? kSavedRepeat : 2, kSavedFire);
    return ImageBytes(image);
}



} // namespace

class TestMacroSaveSwitch : public QObject, private MacroWorldPages {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void saveWhileTheProfileChanges_data();
    void saveWhileTheProfileChanges();
    void saveWhileAnotherDeviceIsOpened_data();
    void saveWhileAnotherDeviceIsOpened();
    void keyGivenAnotherMacroDuringTheSaveKeepsIt();

private:
    // The shipped mouse opened behind its receiver, with its own timing.
    bool Open();
    // Every profile stored in the mouse, the mouse on the first and the
    // program showing it, Fire's file rebuilt from it.
    bool StartOnFirst();
    // As the user picks the entry in the button page's list.
    void Choose(int profile);
    // On the macro page: Fire without its last event, five plays if
    // `repeatToo`, and Save. `during` runs `afterMs` into the button page's
    // wait, which otherwise takes its full time.
    void SaveFire(bool repeatToo, int afterMs, const std::function<void()>& during);

    void SaveAgainOnFirst(bool repeatToo, const QByteArray& saved, const QByteArray& where);
    // The device window's back arrow, as the user leaves for the home page.
    void GoHome();

    // Fire's file when the wait ended and the sends read it.
    QByteArray m_fireAfterWait;
};

void TestMacroSaveSwitch::init()
{
    QDir(MacroFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(MacroFolder()));
}

void TestMacroSaveSwitch::cleanup()
{
    m_gui.Stop();
    SetMacroSaveWait(nullptr);
}

bool TestMacroSaveSwitch::Open()
{
    if (!m_gui.Start())
        return false;
    SimControl::setReportIntervalUs(-1);
    return m_gui.OpenDevice(kDevice);
}

bool TestMacroSaveSwitch::StartOnFirst()
{
    for (int profile = 0; profile < SimControl::ProfileCount; ++profile) {
        if (!SimControl::setMouseImage(kMouse, ProfileImage(profile), profile))
            return false;
    }
    return SimControl::switchProfile(kMouse, 0) && Settle() && SimControl::waitWrites()
           && ImageBytes(DeviceImageCopy()) == ProfileImage(0) && MacroFileBytes(QStringLiteral("Fire")) == kFirstFireFile;
}

void TestMacroSaveSwitch::GoHome()
{
    QTest::mouseClick(m_gui.FindInDeviceWindow<QToolButton>(QStringLiteral("UpArrow")), Qt::LeftButton);
}

void TestMacroSaveSwitch::Choose(int profile)
{
    auto* list = OnButtonPage<MyConmboBox>("ProjectChoose");
    list->setCurrentIndex(profile);
    QMetaObject::invokeMethod(ButtonPage(), "on_ProjectChoose_activated", Q_ARG(int, profile));
}

void TestMacroSaveSwitch::SaveFire(bool repeatToo, int afterMs, const std::function<void()>& during)
{
    ShowPage("MacroButton");
    auto* macros = OnMacroPage<QListWidget>("listWidgetHong");
    const QList<QListWidgetItem*> fire = macros->findItems(QStringLiteral("Fire"), Qt::MatchExactly);
    QCOMPARE(fire.size(), 1);
    macros->setCurrentItem(fire.first());
    auto* events = OnMacroPage<QListWidget>("listWidgetKey");
    events->setCurrentRow(events->count() - 1);
    OnMacroPage<QToolButton>("DeleteKey")->click();
    if (repeatToo)
        OnMacroPage<QSpinBox>("NumberEdit")->setValue(kSavedRepeat);

    int waits = 0;
    SetMacroSaveWait([&](int ms) {
        ++waits;
        QTest::qWait(afterMs);
        during();
        QTest::qWait(ms - afterMs);
        m_fireAfterWait = MacroFileBytes(QStringLiteral("Fire"));
    });
    OnMacroPage<QToolButton>("Save")->click();
    SetMacroSaveWait(nullptr);
    QCOMPARE(waits, 1);
    QVERIFY(Settle());
    QVERIFY(SimControl::waitWrites());
}

void TestMacroSaveSwitch::saveWhileTheProfileChanges_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("repeatToo");
    QTest::addColumn<bool>("reachesFirst"); // else refused, with the notice
    QTest::addColumn<int>("endProfile");

    // Picked in the list: the switch follows the save.
    QTest::newRow("list") << "list" << false << true << 1;
    QTest::newRow("list-repeat") << "list" << true << true << 1;
    QTest::newRow("list-twice") << "list-twice" << false << true << 2;
    // The mouse's own button: the save was decided for the profile left.
    QTest::newRow("button") << "button" << false << false << 1;
    QTest::newRow("button-repeat") << "button" << true << false << 1;
    // There and back: the mouse is on the profile of the save again.
    QTest::newRow("button-back") << "button-back" << true << true << 0;
}

void TestMacroSaveSwitch::saveWhileTheProfileChanges()
{
    QFETCH(QString, change);
    QFETCH(bool, repeatToo);
    QFETCH(bool, reachesFirst);
    QFETCH(int, endProfile);
    QVERIFY(Open());
    const std::function<void()> during = [this, change] {
        if (change.startsWith(QLatin1String("list"))) {
            ShowPage("ButtonMain");
            Choose(1);
            if (change == QLatin1String("list-twice")) {
                QTest::qWait(30);
                Choose(2);
            }
        } else {
            SimControl::switchProfile(kMouse, 1);
            if (change == QLatin1String("button-back"))
                SimControl::switchProfile(kMouse, 0);
        }
    };

    for (int afterMs : {0, 30, 100, 300, 700}) {
        const QByteArray where = change.toLatin1() + ", " + QByteArray::number(afterMs) + " ms into the wait";
        QVERIFY2(StartOnFirst(), where.constData());
        WindowCloser<MouseOffLine> closer;
        QSignalSpy raised(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        SaveFire(repeatToo, afterMs, during);
        if (QTest::currentTestFailed())
            return;

        QVERIFY2(SimControl::mouseImage(kMouse, 0) == (reachesFirst ? SavedImage(repeatToo) : ProfileImage(0)),
                 where.constData());
        for (int profile = 1; profile < SimControl::ProfileCount; ++profile)
            QVERIFY2(SimControl::mouseImage(kMouse, profile) == ProfileImage(profile), where.constData());
        QVERIFY2(SimControl::currentProfile(kMouse) == endProfile, where.constData());
        QVERIFY2(OnButtonPage<MyConmboBox>("ProjectChoose")->currentIndex() == endProfile,
                 where.constData());
        QVERIFY2(ImageBytes(DeviceImageCopy()) == SimControl::mouseImage(kMouse, endProfile), where.constData());
        const QList<int> notices = NoticesRaised(raised);
        if (reachesFirst)
            QVERIFY2(notices.isEmpty(), where.constData());
        else
            QVERIFY2(!notices.isEmpty() && notices.count(1) == notices.size(), where.constData());
        // Another profile's older Fire, shown meanwhile, did not replace
        // what was saved before it was sent.
        const QByteArray saved = QByteArray::number(repeatToo ? kSavedRepeat : 2) + '\n' + kSavedLines;
        QVERIFY2(m_fireAfterWait == saved, where.constData());
        if (!reachesFirst)
            SaveAgainOnFirst(repeatToo, saved, where);
    }
}

// Told to try again: back on the first profile the file still holds what was
// saved (the mouse's older Fire did not replace it), Save is offered again
// and sends it there.
void TestMacroSaveSwitch::SaveAgainOnFirst(bool repeatToo, const QByteArray& saved, const QByteArray& where)
{
    QVERIFY2(SimControl::switchProfile(kMouse, 0) && Settle() && SimControl::waitWrites(), where.constData());
    QVERIFY2(MacroFileBytes(QStringLiteral("Fire")) == saved, where.constData());
    ShowPage("MacroButton");
    auto* save = OnMacroPage<QToolButton>("Save");
    QVERIFY2(save->isEnabled(), where.constData());
    save->click();
    QVERIFY2(Settle() && SimControl::waitWrites(), where.constData());
    QVERIFY2(SimControl::mouseImage(kMouse, 0) == SavedImage(repeatToo), where.constData());
    for (int profile = 1; profile < SimControl::ProfileCount; ++profile)
        QVERIFY2(SimControl::mouseImage(kMouse, profile) == ProfileImage(profile), where.constData());
    QVERIFY2(!save->isEnabled(), where.constData());
}

// The user goes home and opens another device while the button page waits:
// neither mouse takes the save, and the user is told.
void TestMacroSaveSwitch::saveWhileAnotherDeviceIsOpened_data()
{
    QTest::addColumn<int>("afterMs");
    for (int afterMs : {0, 100, 400})
        QTest::newRow(qPrintable(QStringLiteral("device-%1ms").arg(afterMs))) << afterMs;
}

void TestMacroSaveSwitch::saveWhileAnotherDeviceIsOpened()
{
    QFETCH(int, afterMs);
    QVERIFY(m_gui.Start());
    SimControl::setReportIntervalUs(-1);
    const QByteArray otherMouse = SimControl::mouseImage(kOtherMouse);
    {
        const QByteArray where = QByteArray::number(afterMs) + " ms into the wait";
        emit PostMsg::GetInstance()->SigChangeMainDialog(0);
        QVERIFY2(m_gui.OpenDevice(kDevice), where.constData());
        QVERIFY2(StartOnFirst(), where.constData());
        WindowCloser<MouseOffLine> closer;
        QSignalSpy raised(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        bool opened = false;
        SaveFire(true, afterMs, [&] {
            GoHome();
            opened = m_gui.OpenDevice(kOtherDevice);
        });
        if (QTest::currentTestFailed())
            return;

        QVERIFY2(opened, where.constData());
        for (int profile = 0; profile < SimControl::ProfileCount; ++profile)
            QVERIFY2(SimControl::mouseImage(kMouse, profile) == ProfileImage(profile), where.constData());
        QVERIFY2(SimControl::mouseImage(kOtherMouse) == otherMouse, where.constData());
        QVERIFY2(ImageBytes(DeviceImageCopy()) == otherMouse, where.constData());
        const QList<int> notices = NoticesRaised(raised);
        QVERIFY2(!notices.isEmpty() && notices.count(1) == notices.size(), where.constData());
        const QByteArray saved = QByteArray::number(kSavedRepeat) + '\n' + kSavedLines;
        QVERIFY2(m_fireAfterWait == saved, where.constData());

        // Back on the first device, the save can be sent again.
        GoHome();
        QVERIFY2(m_gui.OpenDevice(kDevice), where.constData());
        SaveAgainOnFirst(true, saved, where);
    }
}

// The user binds another macro to the key that carried Fire while the button
// page waits: the key keeps the macro it shows, Fire's events do not
// overwrite it.
void TestMacroSaveSwitch::keyGivenAnotherMacroDuringTheSaveKeepsIt()
{
    {
        QFile other(MacroFilePath(MacroFolder(), QStringLiteral("Other")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("1\n0x07 1 0\n");
    }
    QVERIFY(Open());
    FlashDataMap bound = ImageFromBytes(ProfileImage(0));
    const uint8_t function[3] = {uint8_t(kMacroType), uint8_t(kBackKey), 1};
    std::memcpy(bound.keyFunctions[kBackKey], function, sizeof function);
    const QByteArray block = Block("Other", {Event(0, 1, 0x07, 0)});
    std::memcpy(bound.macroBlocks[kBackKey], block.constData(), FlashDataMap::MacroBlockSize);

    for (int afterMs : {0, 300, 700}) {
        const QByteArray where = QByteArray::number(afterMs) + " ms into the wait";
        QVERIFY2(StartOnFirst(), where.constData());
        WindowCloser<MouseOffLine> closer;
        QSignalSpy raised(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        SaveFire(false, afterMs, [this] {
            ShowPage("ButtonMain");
            QVERIFY(ChooseMacro("BackKey", QStringLiteral("Other")));
        });
        if (QTest::currentTestFailed())
            return;

        QVERIFY2(SimControl::mouseImage(kMouse, 0).toHex() == ImageBytes(bound).toHex(), where.constData());
        QVERIFY2(ImageBytes(DeviceImageCopy()) == ImageBytes(bound), where.constData());
        QVERIFY2(OnButtonPage<QToolButton>("BackKey")->text().endsWith(QStringLiteral("Other")),
                 where.constData());
        QVERIFY2(raised.isEmpty(), where.constData());
    }
}

QTEST_MAIN(TestMacroSaveSwitch)
#include "test_macro_save_switch.moc"
