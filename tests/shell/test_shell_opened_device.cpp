// The image the program holds belongs to the device the user opened, in the
// whole program with the devices' own timing. A device opened while its
// mouse sleeps, after another device was open: an export writes its cache (or
// is refused without one), never the other device's image; a change made as
// its mouse wakes reaches it only once its own dump has been read, and a read
// lost to a drop-out is asked for again. A mouse paired with the open
// receiver from the device window is never sent the first mouse's image, and
// the pages come to show it. No profile of any mouse changes but the one the
// user changed.
#include "offline_fixture.h"

#include "config_export_file.h"
#include "config_store.h"
#include "device_cache.h"
#include "form_setting.h"
#include "hub_recorder.h"
#include "match.h"
#include "window_closer.h"

#include <QComboBox>
#include <QMap>
#include <QPushButton>

using Offline::NoticeOpen;
using Offline::WaitDialogOpen;

namespace {

// The shipped world: the device opened first, and the one opened asleep.
const QString kFirstMouse = QStringLiteral("lynx");
const QString kFirstReceiver = QStringLiteral("lynx-r8");
const QString kAsleep = QStringLiteral("aero");
const QString kAsleepReceiver = QStringLiteral("aero-r4");

const int kChangedDebounce = 14; // ms; no mouse or cache below holds it
const int kSettleMs = 40000;
// A lost read is asked for again within the answer time-out and one online
// check after the mouse is back.
const int kAskedAgainMs = 8000;

// Settings that tell every mouse, profile and cache apart.
FlashDataMap Memory(const QString& mouse, int seed)
{
    FlashDataMap image = ImageFromBytes(SimControl::factoryImage(mouse));
    image.debounceTime = uint8_t(seed);
    image.lightOffTime = uint8_t(seed + 1);
    image.ledBar[1] = uint8_t(0x10 * seed);
    image.ledBar[2] = uint8_t(0x11 * seed);
    return image;
}

// Profile p of the mouse holds Memory(seed + p).
bool FillProfiles(const QString& mouse, int seed)
{
    for (int profile = 0; profile < SimControl::ProfileCount; ++profile) {
        if (!SimControl::setMouseImage(mouse, ImageBytes(Memory(mouse, seed + profile)), profile))
            return false;
    }
    return true;
}

QByteArray WithChange(const QByteArray& image)
{
    FlashDataMap changed = ImageFromBytes(image);
    changed.debounceTime = uint8_t(kChangedDebounce);
    return ImageBytes(changed);
}

// The whole program over a world at the devices' own pace; the user's change
// is a pick in the button page's debounce list.
class Program {
public:
    bool Start(const QString& world = QString())
    {
        if (!gui.Start(world))
            return false;
        SimControl::setReportIntervalUs(-1);
        hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
        return true;
    }

    Buttoninterface* ButtonPage() const { return gui.DeviceWindow()->ButtonPage(); }
    QComboBox* DebounceList() const { return ButtonPage()->findChild<QComboBox*>(QStringLiteral("Debunce")); }

    // Every mouse's profiles now; `mouse` is the one the user changes, on the
    // profile it uses now.
    void NoteMemory(const QString& mouse)
    {
        m_mouse = mouse;
        m_profile = SimControl::currentProfile(mouse);
        m_before.clear();
        for (const QString& id : SimControl::deviceIds()) {
            for (int profile = 0; profile < SimControl::ProfileCount; ++profile) {
                const QByteArray image = SimControl::mouseImage(id, profile);
                if (!image.isEmpty())
                    m_before[id] << image;
            }
        }
    }

    // Nothing more to come: no pass, no report or write under way, and what
    // they queued has run (a notice or the waiting dialog they raised has
    // come up and gone in its own loop).
    static bool Settled()
    {
        return Settle(kSettleMs) && !NoticeOpen() && !WaitDialogOpen() && SimControl::waitWrites(0);
    }

    // The pages show what `mouse` holds in the profile it uses.
    bool PagesShow(const QString& mouse) const
    {
        const QByteArray image = SimControl::mouseImage(mouse);
        return ImageBytes(DeviceImageCopy()) == image
               && DebounceList()->currentIndex() == quint8(image.at(ImageOffset::DebounceTime));
    }

    // The user picks the debounce time, maybe again after the notice asked
    // to try again, until the mouse has it (the first pick must do when
    // `atOnce`). Every time, the mouse's profile holds its own settings, with
    // the change or, with the notice, without; no other profile of any
    // mouse changes; in the end the pages show the mouse with the change.
    void ChangeUntilTaken(bool atOnce)
    {
        for (int attempt = 1; attempt <= 2; ++attempt) {
            const QByteArray where = "try " + QByteArray::number(attempt);
            hub.Clear();
            DebounceList()->setCurrentIndex(kChangedDebounce);
            // The mouse took something, or the notice came; then all is done.
            QTRY_VERIFY2_WITH_TIMEOUT(Current() != Own() || !hub.events.isEmpty(), where.constData(), kSettleMs);
            QTRY_VERIFY2_WITH_TIMEOUT(Settled(), where.constData(), kSettleMs);

            const bool taken = Current() == WithChange(Own());
            QVERIFY2(taken || Current() == Own(), where + ": the profile took settings of another device");
            CheckOtherProfiles(where);
            if (QTest::currentTestFailed())
                return;
            const QStringList expected = taken ? QStringList() : QStringList{QStringLiteral("SigMouseOffLineo(1)")};
            QVERIFY2(hub.events == expected, where + ": notices " + hub.events.join(QLatin1Char(' ')).toUtf8());
            if (taken) {
                QVERIFY2(ImageBytes(DeviceImageCopy()) == Current(), where.constData());
                QVERIFY2(DebounceList()->currentIndex() == kChangedDebounce, where.constData());
                return;
            }
            QVERIFY2(!atOnce && attempt == 1, where + ": refused although the mouse's own settings were shown");
            // The user tries again once the pages show the mouse.
            QTRY_VERIFY2_WITH_TIMEOUT(Settled() && PagesShow(m_mouse), where.constData(), kSettleMs);
        }
    }

    GuiFixture gui;
    HubRecorder hub;

private:
    QByteArray Own() const { return m_before[m_mouse][m_profile]; }
    QByteArray Current() const { return SimControl::mouseImage(m_mouse, m_profile); }

    void CheckOtherProfiles(const QByteArray& where) const
    {
        for (auto it = m_before.cbegin(); it != m_before.cend(); ++it) {
            for (int profile = 0; profile < it.value().size(); ++profile) {
                if (it.key() == m_mouse && profile == m_profile)
                    continue;
                const QByteArray what = where + ": " + it.key().toUtf8() + " profile " + QByteArray::number(profile);
                QVERIFY2(SimControl::mouseImage(it.key(), profile) == it.value()[profile], what.constData());
            }
        }
    }

    QString m_mouse;
    int m_profile = 0;
    QMap<QString, QList<QByteArray>> m_before;
};

// Clicks through the pairing dialog: puts `mouse` into pairing mode, starts
// the pairing and closes the dialog once it is paired.
class PairingUser : public QObject {
public:
    explicit PairingUser(const QString& mouse) : m_mouse(mouse)
    {
        connect(&m_timer, &QTimer::timeout, this, &PairingUser::Look);
        m_timer.start(5);
    }

    bool paired = false;

private:
    void Look()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* match = qobject_cast<Match*>(widget);
            if (!match || !match->isVisible())
                continue;
            auto* start = match->findChild<QPushButton*>(QStringLiteral("MatchButton"));
            if (g_pairState == PairIdle && match->CanPair() && start->isEnabled()) {
                SimControl::setPairingMode(m_mouse, true);
                start->click();
            } else if (!paired && g_pairState == PairDone && !g_pairingActive) {
                paired = true;
                QTimer::singleShot(0, match->findChild<QToolButton*>(QStringLiteral("CloseButton")),
                                   &QToolButton::click);
            }
        }
    }

    QString m_mouse;
    QTimer m_timer;
};

} // namespace

class TestShellOpenedDevice : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void changeAsTheSleepingDeviceWakes_data();
    void changeAsTheSleepingDeviceWakes();
    void readLostAfterWakingIsAskedAgain_data();
    void readLostAfterWakingIsAskedAgain();
    void newlyPairedMouseGetsNothingOfTheFirst_data();
    void newlyPairedMouseGetsNothingOfTheFirst();

private:
    void OpenAsleepAfterAnotherAndExport(Program& program, int receiverClass, bool cached);

    QString m_exportFile;
};

void TestShellOpenedDevice::init()
{
    QDir(UserDataFolder() + QStringLiteral("/Device_Info")).removeRecursively();
    m_exportFile = QDir::temp().filePath(QStringLiteral("exported.bin"));
    QFile::remove(m_exportFile);
    ConfigFileDialog::SetAsk([this](QWidget*, ConfigFileDialog::Mode) { return m_exportFile; });
    SimControl::setPairTimeoutMs(60000);
}

void TestShellOpenedDevice::cleanup()
{
    ConfigFileDialog::SetAsk(nullptr);
}

// The first device opened and shown, back home, then the sleeping one opened
// (its pages from its cache when it has one) and exported: the file holds
// that cache under its model's sensor name, or without a cache the export is
// refused with the offline notice.
void TestShellOpenedDevice::OpenAsleepAfterAnotherAndExport(Program& program, int receiverClass, bool cached)
{
    QVERIFY(program.Start(receiverClass == 4 ? QString() : SimWorld::ShippedWithReceiverClass(receiverClass)));
    QVERIFY(FillProfiles(kFirstMouse, 1));
    QVERIFY(FillProfiles(kAsleep, 5));
    program.NoteMemory(kAsleep);
    const FlashDataMap cache = Memory(kAsleep, 3);
    if (cached)
        QVERIFY(WriteDeviceCache(DeviceCacheName(23, 1), cache));
    QVERIFY(SimControl::setMouseOnline(kAsleep, false));

    QVERIFY(program.gui.OpenDevice(kFirstReceiver, kSettleMs));
    QVERIFY(program.PagesShow(kFirstMouse));
    program.gui.FindInDeviceWindow<QToolButton>(QStringLiteral("UpArrow"))->click();
    QTRY_COMPARE(program.gui.MainPageIndex(), 0);
    QVERIFY(program.gui.OpenDevice(kAsleepReceiver, kSettleMs));

    program.hub.Clear();
    WindowCloser<MouseOffLine> notices;
    QVERIFY(QMetaObject::invokeMethod(program.ButtonPage(), "on_OutputData_clicked"));
    if (cached) {
        QFile file(m_exportFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const ConfigExportFile::Contents contents = ConfigExportFile::Decode(file.readAll());
        QVERIFY2(contents.image == ImageBytes(cache), "the export is not the opened device's cache");
        const QString sensor = ConfigStore::Instance()->Value(ConfigStore::ModelGroup(0), QStringLiteral("Sensor"));
        QCOMPARE(contents.sensorName, ConfigExportFile::StoredSensorName(sensor));
        QVERIFY(program.hub.events.isEmpty());
    } else {
        QVERIFY2(!QFile::exists(m_exportFile), "exported without an image of the opened device");
        QCOMPARE(program.hub.events, QStringList{QStringLiteral("SigMouseOffLineo(0)")});
        QCOMPARE(notices.count, 1);
    }
}

void TestShellOpenedDevice::changeAsTheSleepingDeviceWakes_data()
{
    QTest::addColumn<bool>("cached");
    QTest::addColumn<int>("afterMs");
    // Behind its 4K receiver the woken mouse's dump comes about 30 ms after it wakes.
    for (bool cached : {true, false}) {
        for (int afterMs : {0, 20, 60, 150}) {
            const QByteArray name = (cached ? "cache-" : "nocache-") + QByteArray::number(afterMs) + "ms";
            QTest::newRow(name.constData()) << cached << afterMs;
        }
    }
}

// The mouse wakes and the user changes a setting at once or a moment later:
// before the mouse's dump has come the change is refused with the notice
// (and goes when tried again); after it, it goes to the mouse's own settings.
void TestShellOpenedDevice::changeAsTheSleepingDeviceWakes()
{
    QFETCH(bool, cached);
    QFETCH(int, afterMs);
    Program program;
    OpenAsleepAfterAnotherAndExport(program, 4, cached);
    if (QTest::currentTestFailed())
        return;

    QVERIFY(SimControl::setMouseOnline(kAsleep, true));
    if (afterMs > 0)
        QTest::qWait(afterMs);
    program.ChangeUntilTaken(false);
}

void TestShellOpenedDevice::readLostAfterWakingIsAskedAgain_data()
{
    QTest::addColumn<int>("receiverClass");
    QTest::newRow("dropout-1K") << 1;
    QTest::newRow("dropout-4K") << 4;
}

// The mouse wakes and drops out again while its dump is on the way: the
// program asks for the dump again once the mouse is back and shows it, and
// the change then goes to the mouse's own settings at the first try.
void TestShellOpenedDevice::readLostAfterWakingIsAskedAgain()
{
    QFETCH(int, receiverClass);
    Program program;
    OpenAsleepAfterAnotherAndExport(program, receiverClass, true);
    if (QTest::currentTestFailed())
        return;

    const int reads = SimControl::callCount(QStringLiteral("UsbServer_ReadAllFlashData"));
    // The read it held starts as it wakes and lasts longer than it stays.
    QVERIFY(SimControl::setMouseOnline(kAsleep, true));
    QThread::msleep(2);
    QVERIFY(SimControl::setMouseOnline(kAsleep, false));
    QThread::msleep(50);
    QVERIFY(SimControl::setMouseOnline(kAsleep, true));

    QTRY_VERIFY_WITH_TIMEOUT(program.PagesShow(kAsleep), kAskedAgainMs);
    QVERIFY(SimControl::callCount(QStringLiteral("UsbServer_ReadAllFlashData")) > reads);
    QTRY_VERIFY_WITH_TIMEOUT(Program::Settled(), kSettleMs);
    program.ChangeUntilTaken(true);
}

void TestShellOpenedDevice::newlyPairedMouseGetsNothingOfTheFirst_data()
{
    QTest::addColumn<int>("afterMs");
    QTest::newRow("pair-0ms") << 0;
    QTest::newRow("pair-150ms") << 150;
}

// A receiver open with its mouse; a second mouse of the same model paired
// with it from the settings page. A change right after the pairing dialog
// closed, or a moment later, never writes the first mouse's settings into the
// second; the pages come to show the second mouse.
void TestShellOpenedDevice::newlyPairedMouseGetsNothingOfTheFirst()
{
    QFETCH(int, afterMs);
    const QString receiver = QStringLiteral("rx");
    const QString first = QStringLiteral("m1");
    const QString second = QStringLiteral("m2");
    Program program;
    QVERIFY(program.Start(QStringLiteral("[World]\nVid = 0x2FE5\n") + SimWorld::Receiver(receiver, 4, 1)
                          + SimWorld::Mouse(first, 1, receiver) + QStringLiteral("[Mouse m2]\nCid = 23\nMid = 1\n")));
    QVERIFY(FillProfiles(first, 1));
    QVERIFY(FillProfiles(second, 5));
    program.NoteMemory(second);
    QVERIFY(program.gui.OpenDevice(receiver, kSettleMs));
    QVERIFY(program.PagesShow(first));

    {
        PairingUser user(second);
        QVERIFY(QMetaObject::invokeMethod(program.gui.DeviceWindow()->SettingsPage(), "on_pushButton_2_clicked"));
        QVERIFY(user.paired);
    }
    QCOMPARE(SimControl::pairedReceiver(second), receiver);
    if (afterMs > 0)
        QTest::qWait(afterMs);
    program.ChangeUntilTaken(false);
}

QTEST_MAIN(TestShellOpenedDevice)
#include "test_shell_opened_device.moc"
