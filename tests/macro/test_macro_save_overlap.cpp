// What the user does while a macro Save waits to send its events, in the
// whole program over the shipped world with the devices' own timing: a
// further change and Save again, maybe followed by a switch to another
// profile; or another profile picked in the list and a setting changed. One
// save runs at a time, every save reaches the profile it was made on or the
// user is told and Save is offered again, and Save is offered exactly while
// the page holds something the mouse does not. While a picked profile waits
// for the save, a change lands in the profile the list shows.
//
// The user's actions are timed from the Save click, and the button page's
// wait runs its own time.
#include "macro_block_events.h"
#include "macro_file.h"
#include "macro_world_pages.h"
#include "mouse_off_line.h"
#include "profile_outcome.h"
#include "myconmbobox.h"
#include "setting_ranges.h"
#include "test_image.h"
#include "window_closer.h"

#include "device_image_setters.h"

#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <cstring>
#include <functional>

namespace {

const int kFireKey = 2;  // BackKey
const int kOtherKey = 1; // RightKey
const int kMacroType = 6;
// The button page waits this long after Save before it sends the events.
const int kSaveWaitMs = 1500;
// The switch after a second Save comes this long after the first.
const int kSwitchAtMs = 1000;

// Fire as the mouse holds it, and as the user leaves it on the page: the
// last event deleted, five plays.
const QList<QByteArray> kOldEvents{Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 10), Event(0, 1, 0x05, 0)};
const QList<QByteArray> kNewEvents{Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 0)};
const int kOldRepeat = 2;
const int kNewRepeat = 5;
const QByteArray kOldFireFile = "2\n0x04 1 0\n10ms\n0x04 1 1\n10ms\n0x05 1 0\n";

struct Connection {
    const char* label;
    const char* device;
    const char* mouse;
};
const Connection kConnections[] = {{"4K", "aero-r4", "aero"}, {"cable", "orca", "orca"}};

QByteArray WithFire(const QByteArray& image, const QList<QByteArray>& events, int repeat)
{
    FlashDataMap changed = ImageFromBytes(image);
    const uint8_t function[3] = {uint8_t(kMacroType), uint8_t(kFireKey), uint8_t(repeat)};
    std::memcpy(changed.keyFunctions[kFireKey], function, sizeof function);
    const QByteArray block = Block("Fire", events);
    std::memcpy(changed.macroBlocks[kFireKey], block.constData(), FlashDataMap::MacroBlockSize);
    return ImageBytes(changed);
}

// The factory image, every profile a debounce time of its own and a rate of
// 1000 Hz; Fire on the back key of `fireProfile` only.
QByteArray ProfileImage(const QString& mouse, int profile, int fireProfile)
{
    FlashDataMap image = ImageFromBytes(SimControl::factoryImage(mouse));
    image.debounceTime = uint8_t(6 + profile);
    image.reportRate = uint8_t(SettingRanges::kRateCodes[3]);
    const QByteArray bytes = ImageBytes(image);
    return profile == fireProfile ? WithFire(bytes, kOldEvents, kOldRepeat) : bytes;
}

} // namespace

class TestMacroSaveOverlap : public QObject, private MacroWorldPages {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void secondSaveDuringTheWait_data();
    void secondSaveDuringTheWait();
    void changeWhilePickedProfileWaits_data();
    void changeWhilePickedProfileWaits();

private:
    bool Open(const QString& device);
    // Every profile stored, the mouse on `profile` and the program showing
    // it, Fire's file rebuilt from the mouse.
    bool StartOn(const QString& mouse, int profile, int fireProfile);
    // As the user picks the entry in the button page's list.
    void Choose(int profile);
    MyConmboBox* ProfileList() const { return OnButtonPage<MyConmboBox>("ProjectChoose"); }
    QToolButton* SaveButton() const { return OnMacroPage<QToolButton>("Save"); }

    // On the macro page, Fire selected (loaded when it was not).
    void SelectFire();
    QStringList ShownEvents() const;
    // The count of plays shown; -1 when another repeat mode is checked.
    int ShownRepeat() const;

    // What the page shows of Fire, as the mouse holds it on the back key.
    QByteArray ShownFire(const QByteArray& image, const QStringList& oldShown, const QStringList& newShown) const;
};

void TestMacroSaveOverlap::init()
{
    QDir(MacroFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(MacroFolder()));
}

void TestMacroSaveOverlap::cleanup()
{
    m_gui.Stop();
}

bool TestMacroSaveOverlap::Open(const QString& device)
{
    if (!m_gui.Start())
        return false;
    SimControl::setReportIntervalUs(-1);
    return m_gui.OpenDevice(device);
}

bool TestMacroSaveOverlap::StartOn(const QString& mouse, int profile, int fireProfile)
{
    for (int p = 0; p < SimControl::ProfileCount; ++p) {
        if (!SimControl::setMouseImage(mouse, ProfileImage(mouse, p, fireProfile), p))
            return false;
    }
    return SimControl::switchProfile(mouse, profile) && Settle() && SimControl::waitWrites()
           && ImageBytes(DeviceImageCopy()) == ProfileImage(mouse, profile, fireProfile)
           && ProfileList()->currentIndex() == profile && MacroFileBytes(QStringLiteral("Fire")) == kOldFireFile;
}

void TestMacroSaveOverlap::Choose(int profile)
{
    // The press that opens the list notes the entry shown.
    ProfileList()->pressedIndex = ProfileList()->currentIndex();
    ProfileList()->setCurrentIndex(profile);
    QMetaObject::invokeMethod(ButtonPage(), "on_ProjectChoose_activated", Q_ARG(int, profile));
}

void TestMacroSaveOverlap::SelectFire()
{
    ShowPage("MacroButton");
    auto* macros = OnMacroPage<QListWidget>("listWidgetHong");
    const QList<QListWidgetItem*> fire = macros->findItems(QStringLiteral("Fire"), Qt::MatchExactly);
    QCOMPARE(fire.size(), 1);
    if (macros->currentItem() != fire.first())
        macros->setCurrentItem(fire.first());
}

QStringList TestMacroSaveOverlap::ShownEvents() const
{
    QStringList texts;
    const auto* events = OnMacroPage<QListWidget>("listWidgetKey");
    for (int row = 0; row < events->count(); ++row)
        texts << events->item(row)->text();
    return texts;
}

int TestMacroSaveOverlap::ShownRepeat() const
{
    return OnMacroPage<QAbstractButton>("ReNumber")->isChecked() ? OnMacroPage<QSpinBox>("NumberEdit")->value() : -1;
}

QByteArray TestMacroSaveOverlap::ShownFire(const QByteArray& image, const QStringList& oldShown,
                                           const QStringList& newShown) const
{
    const QStringList shown = ShownEvents();
    if (shown != oldShown && shown != newShown)
        return QByteArray("<the page shows events it never had>");
    return WithFire(image, shown == newShown ? kNewEvents : kOldEvents, ShownRepeat());
}

void TestMacroSaveOverlap::secondSaveDuringTheWait_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("mouse");
    QTest::addColumn<QString>("switchBy"); // then to the first profile: "", "list" or "button"
    for (const Connection& connection : kConnections) {
        for (const char* switchBy : {"", "list", "button"}) {
            const QByteArray row = QByteArray(connection.label) + (*switchBy ? "-" : "") + switchBy;
            QTest::newRow(row.constData()) << connection.device << connection.mouse << switchBy;
        }
    }
}

// On the second profile the user deletes an event of Fire and saves; 0.3 to
// 0.7 s later, while the button page waits, sets five plays and saves again;
// maybe 0.3 to 0.7 s after that moves to the first profile. Each save reaches
// the second profile or is refused with the notice, the page keeps what the
// user made, and Save is offered exactly while the profile does not hold it;
// back on the second profile a Save while offered puts it there.
void TestMacroSaveOverlap::secondSaveDuringTheWait()
{
    QFETCH(QString, device);
    QFETCH(QString, mouse);
    QFETCH(QString, switchBy);
    QVERIFY(Open(device));
    const int saved = 1;
    const int endProfile = switchBy.isEmpty() ? saved : 0;

    for (int gapMs : {300, 500, 700}) {
        QByteArray where = "second Save " + QByteArray::number(gapMs) + " ms after the first";
        if (!switchBy.isEmpty())
            where += ", switch by " + switchBy.toLatin1() + " " + QByteArray::number(kSwitchAtMs - gapMs) + " ms later";
        QVERIFY2(StartOn(mouse, saved, saved), where.constData());
        const QList<QByteArray> before = MouseProfiles(mouse);

        SelectFire();
        if (QTest::currentTestFailed())
            return;
        const QStringList oldShown = ShownEvents();
        QCOMPARE(ShownRepeat(), kOldRepeat);
        auto* events = OnMacroPage<QListWidget>("listWidgetKey");
        events->setCurrentRow(events->count() - 1);
        OnMacroPage<QToolButton>("DeleteKey")->click();
        const QStringList newShown = ShownEvents();
        QVERIFY2(newShown != oldShown, where.constData());

        WindowCloser<MouseOffLine> closer;
        QSignalSpy raised(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        bool savedAgain = false;
        bool switched = switchBy.isEmpty();
        QObject user; // the user's actions die with the iteration
        QTimer::singleShot(gapMs, &user, [&] {
            OnMacroPage<QSpinBox>("NumberEdit")->setValue(kNewRepeat);
            SaveButton()->click(); // nothing when Save is not offered
            savedAgain = true;
        });
        if (!switchBy.isEmpty()) {
            // 0.3 to 0.7 s after the second click, and long enough before the
            // wait ends that the mouse has told its switch when the events
            // go: a send under way as it switches lands in the new profile.
            QTimer::singleShot(kSwitchAtMs, &user, [&] {
                if (switchBy == QLatin1String("list")) {
                    ShowPage("ButtonMain");
                    Choose(0);
                    ShowPage("MacroButton");
                } else {
                    SimControl::switchProfile(mouse, 0);
                }
                switched = true;
            });
        }
        SaveButton()->click();
        QTRY_VERIFY2_WITH_TIMEOUT(savedAgain && switched, where.constData(), 2 * kSaveWaitMs);
        // A save that waits for the first one has a wait of its own.
        QTest::qWait(kSaveWaitMs + 200);
        QVERIFY2(Settle() && SimControl::waitWrites(), where.constData());
        QVERIFY2(Settle() && SimControl::waitWrites(), where.constData());

        const QList<QByteArray> after = MouseProfiles(mouse);
        const int changed = ChangedProfile(before, after, saved);
        QVERIFY2(changed < 0, (where + ": profile " + QByteArray::number(changed + 1) + " changed").constData());
        // Each part of Fire is as it was or as the user made it, and nothing
        // else of the profile changed.
        const FlashDataMap held = ImageFromBytes(after[saved]);
        const QByteArray oldBlock = Block("Fire", kOldEvents);
        const QByteArray newBlock = Block("Fire", kNewEvents);
        const QByteArray heldBlock(reinterpret_cast<const char*>(held.macroBlocks[kFireKey]),
                                   FlashDataMap::MacroBlockSize);
        QVERIFY2(heldBlock == oldBlock || heldBlock == newBlock,
                 Text(where, "Fire on the profile is neither the old one nor the one saved").constData());
        const bool newEvents = heldBlock == newBlock;
        const int heldRepeat = held.keyFunctions[kFireKey][2];
        QVERIFY2(heldRepeat == kOldRepeat || heldRepeat == kNewRepeat,
                 Text(where, "Fire's plays on the profile are neither the old nor the saved").constData());
        QVERIFY2(after[saved] == WithFire(before[saved], newEvents ? kNewEvents : kOldEvents, heldRepeat),
                 Text(where, "the profile changed beyond Fire").constData());

        const QList<int> notices = NoticesRaised(raised);
        QVERIFY2(notices.count(1) == notices.size(), Text(where, "a notice other than try again").constData());
        QVERIFY2(newEvents || !notices.isEmpty(),
                 Text(where, "the first Save did not reach the profile and the user was not told").constData());

        QVERIFY2(SimControl::currentProfile(mouse) == endProfile,
                 Text(where, "the mouse is not on the profile chosen").constData());
        QVERIFY2(ProfileList()->currentIndex() == endProfile,
                 Text(where, "the list does not show the mouse's profile").constData());
        QVERIFY2(ImageBytes(DeviceImageCopy()) == after[endProfile],
                 Text(where, "the pages do not show the mouse").constData());

        // The page keeps what the user made; Save is offered exactly while
        // the profile does not hold it.
        ShowPage("MacroButton");
        QVERIFY2(ShownEvents() == newShown && ShownRepeat() == kNewRepeat,
                 Text(where, "the page lost what the user made").constData());
        const bool holdsPage = newEvents && heldRepeat == kNewRepeat;
        if (holdsPage)
            QVERIFY2(!SaveButton()->isEnabled(),
                     Text(where, "Save is offered although the profile holds what the page shows").constData());
        else
            QVERIFY2(SaveButton()->isEnabled(),
                     Text(where, "Save is not offered although the profile does not hold what the page shows")
                         .constData());

        // Back on the profile of the saves, Save while offered puts there
        // what the page shows.
        if (endProfile != saved) {
            if (switchBy == QLatin1String("list")) {
                ShowPage("ButtonMain");
                Choose(saved);
            } else {
                QVERIFY2(SimControl::switchProfile(mouse, saved), where.constData());
            }
            QVERIFY2(Settle() && SimControl::waitWrites(), where.constData());
            QVERIFY2(SimControl::currentProfile(mouse) == saved, where.constData());
        }
        SelectFire();
        if (SaveButton()->isEnabled()) {
            SaveButton()->click();
            QVERIFY2(Settle() && SimControl::waitWrites(), where.constData());
        }
        QVERIFY2(SimControl::mouseImage(mouse, saved) == ShownFire(before[saved], oldShown, newShown),
                 Text(where, "after the last Save the profile does not hold what the page shows").constData());
        QVERIFY2(!SaveButton()->isEnabled(), Text(where, "Save is still offered after it was sent").constData());
        QVERIFY2(ChangedProfile(before, MouseProfiles(mouse), saved) < 0,
                 Text(where, "another profile changed").constData());
    }
}

void TestMacroSaveOverlap::changeWhilePickedProfileWaits_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("mouse");
    QTest::addColumn<QString>("change");
    for (const char* change : {"debounce", "rate", "key"})
        QTest::newRow((QByteArray(change) + "-4K").constData()) << "aero-r4" << "aero" << change;
    QTest::newRow("debounce-cable") << "orca" << "orca" << "debounce";
}

// On the first profile the user saves Fire; 0.3 s later, while the button
// page waits, picks the second profile in the list, and a moment later
// changes a setting: the debounce time on the button page, the rate on the
// sensor page or a key's function. The change lands in the profile the list
// showed when it was made, or nowhere and the user is told; in the end the
// mouse and the list are on the second profile, and no profile holds
// anything the user did not do there.
void TestMacroSaveOverlap::changeWhilePickedProfileWaits()
{
    QFETCH(QString, device);
    QFETCH(QString, mouse);
    QFETCH(QString, change);
    QVERIFY(Open(device));
    const int pickMs = 300;
    const int picked = 1;

    const std::function<void(FlashDataMap&)> changed = [change](FlashDataMap& image) {
        if (change == QLatin1String("debounce"))
            image.debounceTime = 14;
        else if (change == QLatin1String("rate"))
            image.reportRate = uint8_t(SettingRanges::kRateCodes[2]); // 500 Hz
        else {
            // The middle button.
            const uint8_t function[3] = {1, uint8_t(SettingRanges::kMouseButtonCodes[2]), 0};
            std::memcpy(image.keyFunctions[kOtherKey], function, sizeof function);
        }
    };
    const auto withChange = [&changed](const QByteArray& image) {
        FlashDataMap result = ImageFromBytes(image);
        changed(result);
        return ImageBytes(result);
    };
    const auto makeChange = [this, change] {
        if (change == QLatin1String("debounce")) {
            ShowPage("ButtonMain");
            ButtonPage()->findChild<QComboBox*>(QStringLiteral("Debunce"))->setCurrentIndex(14);
        } else if (change == QLatin1String("rate")) {
            ShowPage("SensorButton");
            Child<QAbstractButton>(m_gui.DeviceWindow()->findChild<QWidget*>(QStringLiteral("frameRate")),
                                   QStringLiteral("Button500HZ"))
                ->click();
        } else {
            ShowPage("ButtonMain");
            OnButtonPage<QToolButton>("RightKey")->click();
            OnButtonPage<QToolButton>("MidKey")->click();
        }
    };

    for (int changeMs : {200, 700}) {
        const QByteArray where = change.toLatin1() + " changed " + QByteArray::number(changeMs)
                                 + " ms after the second profile was picked";
        QVERIFY2(StartOn(mouse, 0, 0), where.constData());
        const QList<QByteArray> before = MouseProfiles(mouse);
        for (const QByteArray& image : before)
            QVERIFY2(withChange(image) != image, Text(where, "the change is no change").constData());

        SelectFire();
        auto* events = OnMacroPage<QListWidget>("listWidgetKey");
        events->setCurrentRow(events->count() - 1);
        OnMacroPage<QToolButton>("DeleteKey")->click();

        WindowCloser<MouseOffLine> closer;
        QSignalSpy raised(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        int shownWhenChanged = -1;
        QObject user;
        QTimer::singleShot(pickMs, &user, [this, picked] {
            ShowPage("ButtonMain");
            Choose(picked);
        });
        QTimer::singleShot(pickMs + changeMs, &user, [&] {
            shownWhenChanged = ProfileList()->currentIndex();
            makeChange();
        });
        SaveButton()->click();
        QTRY_VERIFY2_WITH_TIMEOUT(shownWhenChanged >= 0, where.constData(), 2 * kSaveWaitMs);
        QVERIFY2(Settle() && SimControl::waitWrites(), where.constData());
        QTRY_VERIFY2_WITH_TIMEOUT(SimControl::currentProfile(mouse) == picked && Settle()
                                      && ImageBytes(DeviceImageCopy()) == SimControl::mouseImage(mouse, picked),
                                  Text(where, "the mouse and the pages did not come to the profile picked").constData(),
                                  10000);
        QVERIFY2(SimControl::waitWrites(), where.constData());
        QVERIFY2(ProfileList()->currentIndex() == picked,
                 Text(where, "the list does not show the profile picked").constData());

        // Each profile holds what it held, the first one with Fire saved,
        // and the change where it landed.
        const QList<QByteArray> after = MouseProfiles(mouse);
        const QList<int> notices = NoticesRaised(raised);
        QVERIFY2(notices.count(1) == notices.size(), Text(where, "a notice other than try again").constData());
        QList<int> landed;
        for (int profile = 0; profile < SimControl::ProfileCount; ++profile) {
            QList<QByteArray> without{before[profile]};
            if (profile == 0)
                without.prepend(WithFire(before[0], kNewEvents, kOldRepeat));
            bool known = false;
            for (const QByteArray& base : without) {
                if (after[profile] == base) {
                    known = true;
                } else if (after[profile] == withChange(base)) {
                    known = true;
                    landed << profile;
                }
                if (known) {
                    if (profile == 0 && base == before[0])
                        QVERIFY2(!notices.isEmpty(),
                                 Text(where, "the save did not reach the first profile and the user was not told")
                                     .constData());
                    break;
                }
            }
            QVERIFY2(known, Text(where, "a profile holds something the user did not make there").constData());
        }
        const QByteArray shown = where + ", the list showed profile " + QByteArray::number(shownWhenChanged + 1)
                                 + " when the change was made";
        if (landed.isEmpty()) {
            QVERIFY2(!notices.isEmpty(), Text(shown, "the change went nowhere and the user was not told").constData());
        } else {
            QVERIFY2(landed.size() == 1, Text(shown, "the change landed in several profiles").constData());
            QVERIFY2(landed.first() == shownWhenChanged,
                     Text(shown, ("the change landed in profile " + QByteArray::number(landed.first() + 1)).constData())
                         .constData());
        }
    }
}

QTEST_MAIN(TestMacroSaveOverlap)
#include "test_macro_save_overlap.moc"
