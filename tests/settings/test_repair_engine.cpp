// The repair engine: the check that decides whether a repair can start, the
// upgrade callback's stages and records, and whole repairs in the running
// program after updates interrupted at every tenth of their progress.
#include "app_state.h"
#include "config_store.h"
#include "find_child.h"
#include "firmware_images.h"
#include "firmware_repair.h"
#include "gui_fixture.h"
#include "../home/home_fixture.h"
#include "hub_recorder.h"
#include "label_file.h"
#include "library_calls.h"
#include "own_program_folder.h"
#include "program_state.h"
#include "registry_values.h"
#include "up_date_repair.h"
#include "native_settings.h"
#include "world_text.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

QString English(const QString& key)
{
    QString text;
    LabelFile::Load(LabelFile::PathFor(0), QStringLiteral("AutoRepair"),
                    {{key, [&text](const QString& t) { text = t; }}});
    return text;
}

// A 4K receiver of model 1 with its mouse, and an 8K receiver of model 2.
QString EngineWorld()
{
    using SimWorld::Mouse;
    using SimWorld::Receiver;
    return Receiver("r4", 4, 1, "Name = QX-AERO-R4\nVersion = 1.1") + Mouse("m4", 1, "r4", "Name = QX-AERO-M\nVersion = 1.2")
           + Receiver("r8", 8, 2, "Name = QX-LYNX-R8\nVersion = 1.1");
}

// A listed device as the home page records it: "w<mid>" a mouse on its
// cable, "r<mid>" a 4K receiver, "r8:<mid>" an 8K receiver.
DeviceAllInfo Entry(const QString& shortName)
{
    DeviceAllInfo entry;
    entry.wired = shortName.startsWith(QLatin1Char('w'));
    const bool eightK = shortName.startsWith(QLatin1String("r8:"));
    entry.mid = uint8_t(shortName.mid(eightK ? 3 : 1).toInt());
    entry.cid = 23;
    entry.modelIndex = entry.mid - 1;
    entry.connectionType = entry.wired ? 2 : eightK ? 5 : 1;
    entry.pid = entry.wired ? QStringLiteral("0x7A01") : eightK ? QStringLiteral("0x7B08") : QStringLiteral("0x7B04");
    return entry;
}

void SetLists(const QStringList& home, const QStringList& alsoFound)
{
    g_homeDeviceList.clear();
    for (const QString& shortName : home)
        g_homeDeviceList.append(Entry(shortName));
    g_foundDeviceList = g_homeDeviceList;
    for (const QString& shortName : alsoFound)
        g_foundDeviceList.append(Entry(shortName));
    g_wirelessPidList = QStringList{"0x7B01"};
    g_wireless2PidList = QStringList{"0x7B02"};
    g_wireless4PidList = QStringList{"0x7B04"};
    g_wireless8PidList = QStringList{"0x7B08"};
}

void SetRecord(const QString& record)
{
    RemoveUpdateFailInfo();
    const QStringList parts = record.split(QLatin1Char(','));
    if (parts.size() == 4)
        SetUpdateFailInfo(parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt());
    else if (!record.isEmpty())
        NativeSettings(FirmwareStateKeyPath()).SetValue(QStringLiteral("UpdateFailInfo"), record);
}

QByteArray ShippedImage(const QString& name)
{
    QFile file(FirmwareFolder() + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const unsigned char* Bytes(const QByteArray& data)
{
    return reinterpret_cast<const unsigned char*>(data.constData());
}

QByteArray Message(int type, int value)
{
    return QByteArray(1, char(DEVICELIB_UPGRADE_MESSAGE)) + char(type) + char(value);
}

class EngineEvents : public HubRecorder {
public:
    EngineEvents()
    {
        Record(&PostMsg::SigAutoRepairProgress, "Bar");
        Record(&PostMsg::SigAutoRepair, "Text");
        Record(&PostMsg::SigUpDateButton, "Hide");
        Record(&PostMsg::SigProgress, "Code");
    }
};

} // namespace

Q_DECLARE_METATYPE(QList<QByteArray>)

class TestRepairEngine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void check_data();
    void check();
    void staleCheckStartsNothing();
    void refusedStart();
    void silentFlashingEnds();
    void silenceCountsFromTheLastMessage();
    void callback_data();
    void callback();
    void interruptedUpdatesAreRepaired_data();
    void interruptedUpdatesAreRepaired();
    void forcedRouteChecksFirst_data();
    void forcedRouteChecksFirst();

private:
    GuiFixture gui;
};

void TestRepairEngine::initTestCase()
{
    using namespace OwnProgramFolder;
    QVERIFY(CopyShipped(QStringLiteral("usersetting/Config.ini")));
    QVERIFY(CopyShipped(QStringLiteral("bin"), QStringLiteral("*.bin")));
    QVERIFY(CopyShipped(QStringLiteral("Language"), QStringLiteral("*.xml")));
}

void TestRepairEngine::init()
{
    ResetProgramState();
    RemoveUpdateFailInfo();
    QVERIFY(SimWorld::Load(EngineWorld()));
    SimControl::setFlashStepMs(1);
    g_repairProgressSeen = false;
}

void TestRepairEngine::cleanup()
{
    gui.Stop();
    SimControl::waitIdle(5000);
    g_repairRunning = false;
    RemoveUpdateFailInfo();
}

void TestRepairEngine::check_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QStringList>("home");
    QTest::addColumn<QStringList>("alsoFound"); // found devices the grid left out
    QTest::addColumn<QStringList>("boot");      // devices waiting in boot mode
    QTest::addColumn<QString>("result");        // "ready", "silent" or the message key

    const QString receiver = QStringLiteral("211,4,23,1");
    const QString mouse = QStringLiteral("210,4,23,1");
    const QStringList none;
    QTest::newRow("no record") << "" << QStringList{"w1"} << none << QStringList{"r4"} << "silent";
    QTest::newRow("record of three parts") << "211,4,23" << QStringList{"w1"} << none << QStringList{"r4"} << "silent";
    QTest::newRow("record of five parts") << "211,4,23,1,0" << QStringList{"w1"} << none << QStringList{"r4"} << "silent";
    QTest::newRow("nothing listed") << receiver << none << none << QStringList{"r4"} << "NoDevice";
    QTest::newRow("two cable mice") << receiver << QStringList{"w1", "w1"} << none << none << "MultiMouse";
    QTest::newRow("two receivers") << mouse << QStringList{"r1", "r8:2"} << none << none << "MultiDongle";
    QTest::newRow("mouse record, cable mouse of another model") << mouse << QStringList{"r1", "w2"} << none << none
                                                                << "MultiMouse";
    QTest::newRow("receiver record, receiver of another model") << receiver << QStringList{"w1", "r8:2"} << none
                                                                << none << "MultiDongle";
    QTest::newRow("receiver record, no cable mouse first") << receiver << QStringList{"r1"} << none
                                                           << QStringList{"r4"} << "NoUSB";
    QTest::newRow("receiver record, cable mouse of another model") << receiver << QStringList{"w2"} << none
                                                                   << QStringList{"r4"} << "NoUSB";
    QTest::newRow("mouse record, cable mouse first") << mouse << QStringList{"w1"} << none << QStringList{"m4"}
                                                     << "NoRecieve";
    QTest::newRow("receiver waits") << receiver << QStringList{"w1"} << none << QStringList{"r4"} << "ready";
    QTest::newRow("receiver waits beside its mouse's receiver")
        << receiver << QStringList{"w1", "r1"} << none << QStringList{"r4"} << "SameDevice";
    QTest::newRow("receiver waits, a receiver of another class found")
        << receiver << QStringList{"w1"} << QStringList{"r8:2"} << QStringList{"r4"} << "ready";
    QTest::newRow("receiver waits, two other receivers found")
        << receiver << QStringList{"w1"} << QStringList{"r8:2", "r1"} << QStringList{"r4"} << "SameDevice";
    QTest::newRow("no receiver waits") << receiver << QStringList{"w1"} << none << none << "NoDevice";
    QTest::newRow("mouse waits") << mouse << QStringList{"r1"} << none << QStringList{"m4"} << "ready";
    QTest::newRow("no mouse waits") << mouse << QStringList{"r1"} << none << none << "NoDevice";
    QTest::newRow("model without images") << "210,4,23,4" << QStringList{"r4"} << none << QStringList{"m4"}
                                          << "FileError";
    QTest::newRow("receiver class 3 names no receiver image")
        << "211,3,23,1" << QStringList{"w1"} << none << QStringList{"r4"} << "FileError";
    QTest::newRow("other customer") << "211,4,24,1" << QStringList{"w1"} << none << QStringList{"r4"} << "FileError";
}

void TestRepairEngine::check()
{
    QFETCH(QString, record);
    QFETCH(QStringList, home);
    QFETCH(QStringList, alsoFound);
    QFETCH(QStringList, boot);
    QFETCH(QString, result);
    SetRecord(record);
    SetLists(home, alsoFound);
    for (const QString& id : boot)
        QVERIFY(SimControl::setBootMode(id, true));
    UpDateRepair dialog;
    dialog.ResetState();
    auto* message = Child<QLabel>(&dialog, "ToolText_2");
    auto* action = Child<QToolButton>(&dialog, "NewHong_2");

    emit PostMsg::GetInstance()->SigRepairCheckUpdate();
    if (result == QLatin1String("silent")) {
        QCOMPARE(message->text(), QString());
        QCOMPARE(action->text(), English("NewHong_2"));
    } else if (result == QLatin1String("ready")) {
        QCOMPARE(message->text(), English("ReadyUpdate"));
        QCOMPARE(action->text(), English("NewHong_2"));
    } else {
        QCOMPARE(message->text(), English(result));
        QCOMPARE(action->text(), English("Confirm"));
    }
    QCOMPARE(UpdateFailInfo(), record); // a check never changes the record
}

// A check that fails forgets what an earlier one found: the repair button
// then starts nothing.
void TestRepairEngine::staleCheckStartsNothing()
{
    SetRecord(QStringLiteral("210,4,23,1"));
    SetLists({"r1"}, {});
    QVERIFY(SimControl::setBootMode("m4", true));
    UpDateRepair dialog;
    QVERIFY(dialog.CheckRepair());

    SetRecord(QStringLiteral("210,4,23,4")); // a model without images
    SetLists({"r4"}, {});
    QVERIFY(!dialog.CheckRepair());
    QCOMPARE(Child<QLabel>(&dialog, "ToolText_2")->text(), English("FileError"));
    SimControl::clearCallLog();
    dialog.StartUpgrade();
    QCOMPARE(SimControl::callCount("UsbUpgrade_Start"), 0);
    QVERIFY(!g_repairRunning);
    QVERIFY(g_deviceAccessAllowed);
}

// A start the device refuses ends the run at once: failure shown, the Repair
// button kept, device access given back, the record kept.
void TestRepairEngine::refusedStart()
{
    SetRecord(QStringLiteral("211,4,23,1"));
    SetLists({"w1"}, {});
    QVERIFY(SimControl::setBootMode("r4", true));
    QVERIFY(SimControl::setFlashAnswer("r4", SimControl::RefuseFlash));
    UpDateRepair dialog;
    QVERIFY(dialog.CheckRepair());
    EngineEvents events;
    dialog.StartUpgrade();
    QCOMPARE(events.events, (QStringList{"Text(1)", "Hide(0)", "Code(0,6)"}));
    QVERIFY(!g_repairRunning);
    QVERIFY(g_deviceAccessAllowed);
    QCOMPARE(UpdateFailInfo(), QStringLiteral("211,4,23,1"));
    QVERIFY(Child<QToolButton>(&dialog, "CloseButton")->isEnabled());
}

namespace {

// A receiver waiting in boot mode whose flashing starts and then never
// answers (the world file's own setting), checked and started in `dialog`.
bool StartSilentRepair(UpDateRepair& dialog)
{
    SetRecord(QStringLiteral("211,4,23,1"));
    SetLists({"w1"}, {});
    if (!SimWorld::Load(SimWorld::Receiver("r4", 4, 1, "Name = QX-AERO-R4\nVersion = 1.1\nBoot = true\nFlashAnswer = never")
                        + SimWorld::Mouse("m4", 1, "r4", "Name = QX-AERO-M\nVersion = 1.2")))
        return false;
    if (!dialog.CheckRepair())
        return false;
    dialog.StartUpgrade();
    return g_repairRunning && !Child<QToolButton>(&dialog, "CloseButton")->isEnabled();
}

} // namespace

// The flashing never answers: once the silent ticks are counted (here a
// millisecond each) the run ends as failed, the record still names the
// receiver, and the dialog closes again.
void TestRepairEngine::silentFlashingEnds()
{
    UpDateRepair dialog;
    auto* timer = dialog.findChild<QTimer*>(QStringLiteral("silenceTimer"));
    QVERIFY(timer);
    timer->setInterval(1);
    QSignalSpy ticks(timer, &QTimer::timeout);
    dialog.show();
    EngineEvents events;
    QVERIFY(StartSilentRepair(dialog));
    Child<QToolButton>(&dialog, "CloseButton")->click();
    QVERIFY(dialog.isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(!g_repairRunning, 60000);
    QVERIFY(ticks.count() >= kSilentFlashTicks);
    QVERIFY(!timer->isActive());
    QCOMPARE(UpdateFailInfo(), QStringLiteral("211,4,23,1"));
    QCoreApplication::processEvents();
    QCOMPARE(events.events, (QStringList{"Text(1)", "Hide(0)", "Code(0,6)"}));
    QCOMPARE(Child<QLabel>(&dialog, "ToolText_2")->text(), English("UpdateFail"));
    QVERIFY(g_deviceAccessAllowed);
    QVERIFY(Child<QToolButton>(&dialog, "CloseButton")->isEnabled());
    Child<QToolButton>(&dialog, "CloseButton")->click();
    QVERIFY(!dialog.isVisible());
}

// Every upgrade message starts the count again; a message that comes after
// the run was given up changes nothing.
void TestRepairEngine::silenceCountsFromTheLastMessage()
{
    UpDateRepair dialog;
    dialog.findChild<QTimer*>(QStringLiteral("silenceTimer"))->setInterval(3600 * 1000); // ticked by hand
    QVERIFY(StartSilentRepair(dialog));
    EngineEvents events;
    const auto tick = [&dialog](int n) {
        for (int i = 0; i < n; ++i)
            QMetaObject::invokeMethod(&dialog, "OnSilenceTick");
    };
    tick(kSilentFlashTicks - 1);
    QVERIFY(g_repairRunning);
    RepairUpgradeCallback(Bytes(Message(1, 10)));
    tick(1 + kSilentFlashTicks - 1); // the tick that sees the message counts nothing
    QVERIFY(g_repairRunning);
    tick(1);
    QVERIFY(!g_repairRunning);

    RepairUpgradeCallback(Bytes(Message(2, 1))); // too late
    QCoreApplication::processEvents();
    QCOMPARE(events.events, (QStringList{"Bar(5)", "Text(1)", "Hide(0)", "Code(0,6)"}));
    QCOMPARE(UpdateFailInfo(), QStringLiteral("211,4,23,1"));
}

void TestRepairEngine::callback_data()
{
    QTest::addColumn<int>("failedStage");
    QTest::addColumn<int>("stageCount");
    QTest::addColumn<QString>("mouseModel");
    QTest::addColumn<bool>("mouseListed");
    QTest::addColumn<int>("receiverClass");
    QTest::addColumn<QList<QByteArray>>("messages");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("records");  // the record after each message
    QTest::addColumn<QStringList>("mouseStarts"); // UsbUpgrade_Start of stage 1

    const QByteArray ok = Message(2, 1), failed = Message(2, 0);
    const auto progress = [](int p) { return Message(1, p); };
    const QString rec = QStringLiteral("211,4,23,1"), none;
    const QString m = QStringLiteral("QX-AERO-M");
    const QStringList done{"Text(0)", "Hide(1)", "Code(0,2)"};
    QTest::newRow("two stages, receiver record")
        << 0 << 2 << m << true << 4 << QList<QByteArray>{progress(40), ok, progress(40), ok}
        << QStringList{"Bar(20)", "Bar(70)"} + done << QStringList{rec, none, none, none} << QStringList{m};
    QTest::newRow("receiver record, no mouse image")
        << 0 << 1 << "QX-NONE-M" << true << 4 << QList<QByteArray>{progress(40), ok}
        << QStringList{"Bar(40)"} + done << QStringList{rec, none} << QStringList();
    QTest::newRow("receiver record, mouse not on its cable")
        << 0 << 2 << m << false << 4 << QList<QByteArray>{progress(100), ok} << QStringList{"Bar(50)"} + done
        << QStringList{rec, none} << QStringList();
    QTest::newRow("mouse record, receiver first")
        << 1 << 2 << m << false << 4 << QList<QByteArray>{progress(100), ok, progress(0), ok}
        << QStringList{"Bar(50)", "Bar(50)"} + done << QStringList{rec, rec, rec, none} << QStringList{m};
    QTest::newRow("mouse record, no mouse image")
        << 1 << 1 << "QX-NONE-M" << false << 4 << QList<QByteArray>{ok}
        << QStringList{"Text(1)", "Hide(0)", "Code(0,5)"} << QStringList{rec} << QStringList();
    QTest::newRow("mouse stage fails after the receiver")
        << 0 << 2 << m << true << 4 << QList<QByteArray>{ok, progress(20), failed}
        << QStringList{"Bar(60)", "Text(1)", "Hide(0)", "Code(0,6)"}
        << QStringList{none, none, QStringLiteral("210,4,23,1")} << QStringList{m};
    QTest::newRow("receiver stage fails") << 0 << 2 << m << true << 4 << QList<QByteArray>{progress(30), Message(2, 2)}
                                          << QStringList{"Bar(15)", "Text(1)", "Hide(0)", "Code(0,6)"}
                                          << QStringList{rec, rec} << QStringList();
    QTest::newRow("no receiver class writes class 0")
        << 0 << 1 << m << true << 0 << QList<QByteArray>{failed} << QStringList{"Text(1)", "Hide(0)", "Code(0,6)"}
        << QStringList{QStringLiteral("211,0,23,1")} << QStringList();
    QTest::newRow("other messages change nothing")
        << 0 << 1 << m << true << 4 << QList<QByteArray>{QByteArray("\x08\x01\x10", 3), Message(3, 1)} << QStringList()
        << QStringList{rec, rec} << QStringList();
}

// The callback as the library calls it, one message after another; a mouse
// stage starts for real in the simulated world, where the mouse never
// answers, so the test plays its messages.
void TestRepairEngine::callback()
{
    QFETCH(int, failedStage);
    QFETCH(int, stageCount);
    QFETCH(QString, mouseModel);
    QFETCH(bool, mouseListed);
    QFETCH(int, receiverClass);
    QFETCH(QList<QByteArray>, messages);
    QFETCH(QStringList, events);
    QFETCH(QStringList, records);
    QFETCH(QStringList, mouseStarts);
    QVERIFY(SimControl::setFlashAnswer("m4", SimControl::NeverAnswerFlash));
    SetRecord(QStringLiteral("211,4,23,1"));
    g_repairStage = 0;
    g_repairFailedStage = failedStage;
    g_repairStageCount = stageCount;
    g_repairMouseModel = mouseModel;
    g_repairMouseListed = mouseListed;
    g_repairClass = receiverClass;
    g_repairCid = 23;
    g_repairMid = 1;
    g_repairRunning = true;
    g_deviceAccessAllowed = false;
    EngineEvents recorder;
    SimControl::clearCallLog();

    for (int i = 0; i < messages.size(); ++i) {
        RepairUpgradeCallback(Bytes(messages[i]));
        QCOMPARE(UpdateFailInfo(), records.value(i));
        // Device access stays off until the run's last result.
        QCOMPARE(bool(g_deviceAccessAllowed), !g_repairRunning);
    }
    QCoreApplication::processEvents();
    QCOMPARE(recorder.events, events);
    QCOMPARE(CallArguments(QStringLiteral("UsbUpgrade_Start")), mouseStarts);
    QVERIFY(!g_repairProgressSeen);
}

void TestRepairEngine::interruptedUpdatesAreRepaired_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("percent");
    for (int percent = 0; percent <= 90; percent += 10) {
        QTest::newRow(qPrintable(QStringLiteral("receiver at %1%").arg(percent))) << "r4" << percent;
        QTest::newRow(qPrintable(QStringLiteral("mouse at %1%").arg(percent))) << "m4" << percent;
    }
}

// An update of the receiver (its mouse on the cable) or of the mouse (behind
// its receiver) breaks off; the home page offers the repair, and the repair
// brings the device back with the shipped version.
void TestRepairEngine::interruptedUpdatesAreRepaired()
{
    QFETCH(QString, device);
    QFETCH(int, percent);
    const bool receiver = device == QLatin1String("r4");
    const QString world = SimWorld::Receiver("r4", 4, 1, "Name = QX-AERO-R4\nVersion = 1.1")
                          + SimWorld::Mouse("m4", 1, "r4",
                                            QStringLiteral("Name = QX-AERO-M\nVersion = 1.2\nOnCable = %1")
                                                .arg(receiver ? "true" : "false"));
    QVERIFY(gui.Start(world));
    SimControl::setFlashStepMs(1);
    const QByteArray image = ShippedImage(receiver ? "QX-AERO-R4_v1.2.bin" : "QX-AERO-M_v1.3.bin");
    QVERIFY(!image.isEmpty());

    // The update breaks off and leaves the record its engine writes; the
    // device dropping out is the hot-plug event the home page follows.
    SetUpdateFailInfo(receiver ? FirmwareKindReceiver : FirmwareKindMouse, 4, 23, 1);
    QVERIFY(SimControl::failNextFlash(device, percent));
    QCOMPARE(UsbUpgrade_Start(Bytes(image), [](const unsigned char*) { return 0; }, 10000), 1);
    QVERIFY(Settle());
    QVERIFY(SimControl::inBootMode(device));
    // The update dialog sends the user home, which looks at the devices again.
    emit PostMsg::GetInstance()->SigChangeMainDialog(0);
    QVERIFY(Settle());

    auto* repair = gui.Main()->findChild<QPushButton*>(QStringLiteral("Repair"));
    QVERIFY(repair && repair->isVisible());
    repair->click();
    QVERIFY(g_upDateRepair && g_upDateRepair->isVisible());
    QCOMPARE(Child<QLabel>(g_upDateRepair, "ToolText_2")->text(), English("ReadyUpdate"));

    Child<QToolButton>(g_upDateRepair, "NewHong_2")->click();
    QVERIFY(Settle());
    QVERIFY(!g_repairRunning);
    QCOMPARE(Child<QLabel>(g_upDateRepair, "ToolText_2")->text(), English("UpdateSuccess"));
    QVERIFY(Child<QToolButton>(g_upDateRepair, "NewHong")->isHidden()); // nothing left to cancel
    QVERIFY(!SimControl::inBootMode(device));
    QCOMPARE(SimControl::firmwareVersion("r4"), 0x0102);
    QCOMPARE(SimControl::firmwareVersion("m4"), 0x0103);
    QCOMPARE(UpdateFailInfo(), QString());
    QVERIFY(!repair->isVisible());
    QVERIFY(g_deviceAccessAllowed);
    Child<QToolButton>(g_upDateRepair, "NewHong_2")->click();
    QVERIFY(!g_upDateRepair->isVisible());
}

void TestRepairEngine::forcedRouteChecksFirst_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("mouseWaits");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("starts");
    QTest::newRow("no repair pending") << "" << false << "NoDevice" << 0;
    QTest::newRow("receiver record without its cable mouse") << "211,4,23,1" << false << "NoUSB" << 0;
    QTest::newRow("mouse record, mouse waits") << "210,4,23,1" << true << "UpdateSuccess" << 2;
}

// Space on the home page with one receiver whose mouse has the newest image,
// then OK in the question: the repair dialog checks before it flashes, and
// starts at once when the check finds everything ready.
void TestRepairEngine::forcedRouteChecksFirst()
{
    QFETCH(QString, record);
    QFETCH(bool, mouseWaits);
    QFETCH(QString, message);
    QFETCH(int, starts);
    StoreMouseVersion(0, QStringLiteral("v1.3"));
    SetRecord(record);
    QVERIFY(gui.Start(SimWorld::Receiver("r4", 4, 1, "Name = QX-AERO-R4\nVersion = 1.1")
                      + SimWorld::Mouse("m4", 1, "r4", "Name = QX-AERO-M\nVersion = 1.2")));
    SimControl::setFlashStepMs(1);
    if (mouseWaits)
        QVERIFY(SimControl::setBootMode("m4", true));
    QVERIFY(Settle());
    QCOMPARE(g_homeDeviceList.size(), 1);
    SimControl::clearCallLog();

    QString shown;
    {
        home::DialogWatcher watcher;
        watcher.On(QStringLiteral("ContainReset"),
                   [](QDialog* dialog) { Child<QToolButton>(dialog, QStringLiteral("OK"))->click(); });
        watcher.On(QStringLiteral("UpDateRepair"), [&shown](QDialog* dialog) {
            Settle();
            shown = Child<QLabel>(dialog, QStringLiteral("ToolText_2"))->text();
            Child<QToolButton>(dialog, QStringLiteral("NewHong"))->click();
        });
        QTest::keyClick(gui.Main(), Qt::Key_Space);
        QCOMPARE(watcher.seen, (QStringList{"ContainReset", "UpDateRepair"}));
    }
    QCOMPARE(shown, English(message));
    QCOMPARE(CallArguments(QStringLiteral("UsbUpgrade_Start")).size(), starts);
    QCOMPARE(SimControl::inBootMode("m4"), false);
    QVERIFY(!g_repairRunning);
    RemoveUpdateFailInfo();
    StoreMouseVersion(0, QString());
}

QTEST_MAIN(TestRepairEngine)
#include "test_repair_engine.moc"
