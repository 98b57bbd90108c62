// The settings page's firmware update over the simulated library, from a
// program folder of its own whose "bin" the test fills: the version labels,
// the routes of the update check, and the update run ticked step by step
// (the one-second timers never fire here).
#include "find_child.h"
#include "hub_recorder.h"
#include "library_calls.h"
#include "own_program_folder.h"
#include "program_state.h"
#include "world_text.h"

#include "app_state.h"
#include "firmware_images.h"
#include "firmware_update.h"
#include "form_setting.h"
#include "label_file.h"
#include "native_settings.h"
#include "paths.h"
#include "registry_values.h"
#include "startup.h"
#include "up_date_repair.h"
#include "user_setting_store.h"

#include <devicelib_control.h>

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

const QString kReceiverModel = QStringLiteral("QX-AERO-R4");
const QString kMouseModel = QStringLiteral("QX-AERO-M");

QString Bin()
{
    return AppFolder() + QStringLiteral("/bin");
}

bool PutImage(const QString& name, int kind, const QString& model, quint32 version, int cid = 23, int mid = 1)
{
    QFile file(Bin() + QLatin1Char('/') + name);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(SimControl::makeFirmwareImage(kind, quint8(cid), quint8(mid), model, version, 256)) > 0;
}

// The record the device page makes of a listed device.
DeviceAllInfo Receiver(const QString& id, const QString& version = QStringLiteral("v1.1"), int mid = 1, int type = 1)
{
    DeviceAllInfo entry;
    entry.path = QString::fromUtf8(SimControl::devicePath(id));
    entry.cid = 23;
    entry.mid = uint8_t(mid);
    entry.connectionType = uint8_t(type);
    entry.wired = (type & 0xFA) != 0;
    entry.receiverAddress = {0xA1, 0x4B, 0x04};
    entry.version = version;
    entry.mouseVersion = QStringLiteral("v1.2");
    entry.online = true;
    return entry;
}

DeviceAllInfo Cable(const QString& id, int mid = 1, int cid = 23)
{
    DeviceAllInfo entry;
    entry.path = QString::fromUtf8(SimControl::devicePath(id));
    entry.cid = uint8_t(cid);
    entry.mid = uint8_t(mid);
    entry.connectionType = 2;
    entry.wired = true;
    entry.version = QStringLiteral("v1.2");
    entry.mouseVersion = QStringLiteral("v1.2");
    entry.online = true;
    return entry;
}

QString Text(const QString& key)
{
    QString text;
    LabelFile::Load(LabelFile::PathFor(0), QStringLiteral("FormSetting"),
                    {{key, [&text](const QString& t) { text = t; }}});
    return text;
}

} // namespace

class TestSettingsUpdate : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void progressMapping_data();
    void progressMapping();
    void versionLabels_data();
    void versionLabels();
    void checkRoutes_data();
    void checkRoutes();
    void twoStageRun();
    void receiverFailureThenResume();
    void mousePendingResume();
    void nothingToFlash();
    void targetsToExplain_data();
    void targetsToExplain();
    void earlyResult();
    void refusedStart();
    void silentFlashingFails();
    void recordOfTheOtherKindStays();

private:
    std::unique_ptr<FormSetting> page;
    HubRecorder* hub = nullptr;

    void Select(const DeviceAllInfo& current, const QList<DeviceAllInfo>& list);
    // The receiver r4 chosen while its mouse is also on the cable.
    void SelectReceiverWithCable();
    // A newer receiver image in bin/ and a check that found it.
    bool ReadyForReceiverUpdate();
    bool Check();
    // Ticks the running timer's step until no timer runs; false when the
    // run did not end within `ticks`.
    bool RunToEnd(int ticks = 60);
    QString DialogText() const { return Child<QLabel>(g_upDateRepair, QStringLiteral("ToolText_2"))->text(); }
    bool DialogClosable() const;
};

void TestSettingsUpdate::initTestCase()
{
    QVERIFY(OwnProgramFolder::IsOwn());
    QVERIFY(OwnProgramFolder::CopyShipped(QStringLiteral("usersetting")));
    QVERIFY(OwnProgramFolder::CopyShipped(QStringLiteral("Language")));
    QVERIFY(OwnProgramFolder::CopyShipped(QStringLiteral("Picture/FormSetting")));
    QVERIFY(OwnProgramFolder::CopyShipped(QStringLiteral("Picture/WarningDialog")));
    PrepareUserData();
    SimControl::setFlashStepMs(2);
}

void TestSettingsUpdate::init()
{
    ResetProgramState();
    QDir(Bin()).removeRecursively();
    QVERIFY(QDir().mkpath(Bin()));
    RemoveUpdateFailInfo();
    g_receiverUpdateState = UpdateIdle;
    g_mouseUpdateState = UpdateIdle;
    g_upgradeStageCount = 1;
    QVERIFY(SimWorld::Load(SimWorld::Receiver(QStringLiteral("r4"), 4, 1,
                                              QStringLiteral("Name = QX-AERO-R4\nVersion = 1.1"))
                           + SimWorld::Mouse(QStringLiteral("m"), 1, QStringLiteral("r4"),
                                             QStringLiteral("Name = QX-AERO-M\nVersion = 1.2\nOnCable = true"))));
    SimControl::setFlashStepMs(2);
    page.reset(new FormSetting);
    g_receiverUpdateTimer->setInterval(3600 * 1000); // ticked by hand
    g_mouseUpdateTimer->setInterval(3600 * 1000);
    hub = new HubRecorder;
    hub->Record(&PostMsg::SigProgress, QStringLiteral("Progress"));
    hub->Record(&PostMsg::SigLabelText, QStringLiteral("LabelText"));
}

void TestSettingsUpdate::cleanup()
{
    delete hub;
    hub = nullptr;
    page.reset();
    SimControl::waitIdle(5000);
    RemoveUpdateFailInfo();
}

void TestSettingsUpdate::Select(const DeviceAllInfo& current, const QList<DeviceAllInfo>& list)
{
    SetCurrentDevice(current);
    g_devicePath.set(current.path.toUtf8());
    g_deviceOnline = true;
    g_devicePageList = list;
    emit PostMsg::GetInstance()->SigSetver(0);
}

void TestSettingsUpdate::SelectReceiverWithCable()
{
    Select(Receiver(QStringLiteral("r4")), {Receiver(QStringLiteral("r4")), Cable(QStringLiteral("m"))});
}

bool TestSettingsUpdate::ReadyForReceiverUpdate()
{
    if (!PutImage(QStringLiteral("r.bin"), FirmwareKindReceiver, kReceiverModel, 0x0102))
        return false;
    SelectReceiverWithCable();
    return Check();
}

bool TestSettingsUpdate::Check()
{
    bool ready = false;
    g_upDateRepair->ResetState();
    QMetaObject::invokeMethod(page.get(), "ChechIsUpDate", Q_RETURN_ARG(bool, ready));
    return ready;
}

bool TestSettingsUpdate::RunToEnd(int ticks)
{
    for (int tick = 0; tick < ticks; ++tick) {
        if (g_receiverUpdateTimer->isActive())
            QMetaObject::invokeMethod(page.get(), "onDongleCheckTimer");
        else if (g_mouseUpdateTimer->isActive())
            QMetaObject::invokeMethod(page.get(), "onMouseCheckTimer");
        else
            break;
        SimControl::waitIdle(5000);
    }
    SimControl::waitIdle(5000);
    // The callback's hub signals cross to this thread as queued calls.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return !g_receiverUpdateTimer->isActive() && !g_mouseUpdateTimer->isActive();
}

bool TestSettingsUpdate::DialogClosable() const
{
    auto* confirm = Child<QWidget>(g_upDateRepair, QStringLiteral("NewHong_2"));
    auto* cancel = Child<QWidget>(g_upDateRepair, QStringLiteral("NewHong"));
    return (!confirm->isHidden() && confirm->isEnabled()) || (!cancel->isHidden() && cancel->isEnabled());
}

void TestSettingsUpdate::progressMapping_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("stages");
    QTest::addColumn<bool>("mouse");
    QTest::addColumn<int>("value");
    QTest::newRow("one stage") << 40 << 1 << false << 40;
    QTest::newRow("one stage, mouse") << 73 << 1 << true << 73;
    QTest::newRow("receiver of two") << 40 << 2 << false << 20;
    QTest::newRow("receiver of two, odd") << 41 << 2 << false << 20;
    QTest::newRow("mouse of two") << 40 << 2 << true << 70;
    QTest::newRow("mouse of two, done") << 100 << 2 << true << 100;
}

void TestSettingsUpdate::progressMapping()
{
    QFETCH(int, percent);
    QFETCH(int, stages);
    QFETCH(bool, mouse);
    QFETCH(int, value);
    QCOMPARE(UpdateProgress(percent, stages, mouse), value);
}

void TestSettingsUpdate::versionLabels_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("receiverLabel");
    QTest::addColumn<QString>("mouseLabel");
    QTest::addColumn<bool>("markersHidden");
    QTest::addColumn<QString>("buttonKey"); // "" unchanged
    QTest::newRow("0 fills the labels") << 0 << "v1.1" << "v1.2" << false << "";
    QTest::newRow("1 hides the receiver marker") << 1 << "old" << "old" << false << "";
    QTest::newRow("3 Receive text") << 3 << "old" << "old" << false << "Receive";
    QTest::newRow("4 resets the run") << 4 << "old" << "old" << true << "Receive";
    QTest::newRow("5 resets and fills") << 5 << "v1.1" << "v1.2" << true << "Receive";
    QTest::newRow("6 empties the labels") << 6 << "" << "" << false << "";
    QTest::newRow("7 does nothing") << 7 << "old" << "old" << false << "";
}

void TestSettingsUpdate::versionLabels()
{
    QFETCH(int, index);
    QFETCH(QString, receiverLabel);
    QFETCH(QString, mouseLabel);
    QFETCH(bool, markersHidden);
    QFETCH(QString, buttonKey);
    SetCurrentDevice(Receiver(QStringLiteral("r4")));
    g_deviceOnline = true;
    Child<QLabel>(page.get(), QStringLiteral("label_5"))->setText(QStringLiteral("old"));
    Child<QLabel>(page.get(), QStringLiteral("label_7"))->setText(QStringLiteral("old"));
    auto* button = Child<QToolButton>(page.get(), QStringLiteral("Receive_2"));
    button->setText(QStringLiteral("before"));
    auto* marker2 = Child<QToolButton>(page.get(), QStringLiteral("toolButton_2"));
    auto* marker3 = Child<QToolButton>(page.get(), QStringLiteral("toolButton_3"));
    marker2->show();
    marker3->show();

    emit PostMsg::GetInstance()->SigSetver(index);
    QCOMPARE(Child<QLabel>(page.get(), QStringLiteral("label_5"))->text(), receiverLabel);
    QCOMPARE(Child<QLabel>(page.get(), QStringLiteral("label_7"))->text(), mouseLabel);
    QCOMPARE(marker2->isHidden(), markersHidden || index == 1);
    QCOMPARE(marker3->isHidden(), markersHidden);
    QCOMPARE(button->text(), buttonKey.isEmpty() ? QStringLiteral("before") : Text(buttonKey));

    // An offline device shows only its own version.
    g_deviceOnline = false;
    emit PostMsg::GetInstance()->SigSetver(0);
    QCOMPARE(Child<QLabel>(page.get(), QStringLiteral("label_7"))->text(), QString());
}

void TestSettingsUpdate::checkRoutes_data()
{
    QTest::addColumn<QString>("devices");  // r: 4K receiver, c: cable mouse, R: receiver of mid 2, t: type-2 "receiver"
    QTest::addColumn<QString>("current");  // index into devices
    QTest::addColumn<QString>("record");   // UpdateFailInfo
    QTest::addColumn<QString>("images");   // R: receiver v1.2, M: mouse v1.3, m: mouse v1.2
    QTest::addColumn<QString>("boot");     // ids put in boot mode
    QTest::addColumn<bool>("ready");
    QTest::addColumn<QString>("message");  // label key ("" no message)
    QTest::addColumn<int>("stages");
    QTest::addColumn<int>("receiverClass");

    QTest::newRow("no device") << "" << "" << "" << "RM" << "" << false << "Error" << 1 << 0;
    QTest::newRow("two receivers") << "rr" << "0" << "" << "RM" << "" << false << "NoUSB" << 1 << 0;
    QTest::newRow("models differ") << "cR" << "0" << "" << "RM" << "" << false << "NoRecieve" << 1 << 0;
    QTest::newRow("receiver without class") << "ct" << "0" << "" << "RM" << "" << false << "NoRecieve" << 1 << 0;
    QTest::newRow("two: receiver newer only") << "rc" << "0" << "" << "Rm" << "" << true << "" << 1 << 4;
    QTest::newRow("two: both newer") << "rc" << "0" << "" << "RM" << "" << true << "" << 2 << 4;
    QTest::newRow("two: mouse newer only") << "cr" << "0" << "" << "M" << "" << true << "" << 1 << 4;
    QTest::newRow("two: nothing newer") << "rc" << "0" << "" << "m" << "" << false << "VerNew" << 1 << 4;
    QTest::newRow("one receiver, no record") << "r" << "0" << "" << "RM" << "" << false << "NoUSB" << 1 << 0;
    QTest::newRow("one cable, no record") << "c" << "0" << "" << "RM" << "" << false << "NoRecieve" << 1 << 0;
    QTest::newRow("three parts are no record") << "c" << "0" << "211,4,23" << "RM" << "r4" << false << "NoRecieve"
                                               << 1 << 0;
    QTest::newRow("receiver record, resume") << "c" << "0" << "211,4,23,1" << "RM" << "r4" << true << "" << 2 << 4;
    QTest::newRow("receiver record, mouse not newer") << "c" << "0" << "211,4,23,1" << "Rm" << "r4" << true << ""
                                                      << 1 << 4;
    QTest::newRow("receiver record on a receiver") << "r" << "0" << "211,4,23,1" << "RM" << "r4" << false << "NoUSB"
                                                   << 1 << 0;
    QTest::newRow("mouse record, resume") << "r" << "0" << "210,4,23,1" << "M" << "m" << true << "" << 1 << 4;
    QTest::newRow("mouse record on a cable") << "c" << "0" << "210,4,23,1" << "M" << "m" << false << "NoRecieve" << 1
                                             << 0;
    QTest::newRow("other record kind") << "c" << "0" << "212,4,23,1" << "RM" << "" << false << "Error" << 1 << 0;
    QTest::newRow("class 3 keeps no class") << "c" << "0" << "211,3,23,1" << "RM" << "r4" << false << "Error" << 1
                                            << 0;
    QTest::newRow("customer differs") << "c" << "0" << "211,4,24,1" << "RM" << "r4" << false << "Error" << 1 << 4;
    QTest::newRow("no image to resume with") << "c" << "0" << "211,4,23,1" << "M" << "r4" << false << "Error" << 1
                                             << 4;
    QTest::newRow("nothing in boot mode") << "c" << "0" << "211,4,23,1" << "RM" << "" << false << "NoDevice" << 1
                                          << 4;
    QTest::newRow("two receivers in boot mode") << "c" << "0" << "211,4,23,1" << "RM" << "r4 r4b" << false
                                                << "SameDevice" << 1 << 4;
    QTest::newRow("three: two receivers") << "rRc" << "0" << "" << "RM" << "" << false << "MultiDongle" << 1 << 0;
    QTest::newRow("three: two cables") << "rcc" << "0" << "" << "RM" << "" << false << "MultiMouse" << 1 << 0;
    QTest::newRow("three cables") << "ccc" << "0" << "" << "RM" << "" << false << "MultiMouse" << 1 << 0;
}

void TestSettingsUpdate::checkRoutes()
{
    QFETCH(QString, devices);
    QFETCH(QString, current);
    QFETCH(QString, record);
    QFETCH(QString, images);
    QFETCH(QString, boot);
    QFETCH(bool, ready);
    QFETCH(QString, message);
    QFETCH(int, stages);
    QFETCH(int, receiverClass);

    SimControl::ReceiverSetup second(QStringLiteral("r4b"), SimControl::Receiver4K);
    second.name = kReceiverModel;
    QVERIFY(SimControl::addReceiver(second));
    if (images.contains(QLatin1Char('R')))
        QVERIFY(PutImage(QStringLiteral("r.bin"), FirmwareKindReceiver, kReceiverModel, 0x0102));
    if (images.contains(QLatin1Char('M')))
        QVERIFY(PutImage(QStringLiteral("m.bin"), FirmwareKindMouse, kMouseModel, 0x0103));
    if (images.contains(QLatin1Char('m')))
        QVERIFY(PutImage(QStringLiteral("m.bin"), FirmwareKindMouse, kMouseModel, 0x0102));
    for (const QString& id : boot.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        QVERIFY(SimControl::setBootMode(id, true));
    if (!record.isEmpty())
        NativeSettings(FirmwareStateKeyPath()).SetValue(QStringLiteral("UpdateFailInfo"), record);

    QList<DeviceAllInfo> list;
    for (const QChar c : devices) {
        switch (c.toLatin1()) {
        case 'r': list << Receiver(QStringLiteral("r4")); break;
        case 'R': list << Receiver(QStringLiteral("r4"), QStringLiteral("v1.1"), 2); break;
        case 't': list << Receiver(QStringLiteral("r4"), QStringLiteral("v1.1"), 1, 3); break;
        default: list << Cable(QStringLiteral("m")); break;
        }
    }
    // A stale choice of an earlier check must not carry over.
    g_receiverClass = 8;
    Select(list.isEmpty() ? Receiver(QStringLiteral("r4")) : list.at(current.toInt()), list);
    SimControl::clearCallLog();

    QCOMPARE(Check(), ready);
    QCOMPARE(DialogText(), message.isEmpty() ? QString() : Text(message));
    if (ready)
        QCOMPARE(g_upgradeStageCount.load(), stages);
    QCOMPARE(g_receiverClass.load(), receiverClass);
    if (message == QLatin1String("Error") && !record.isEmpty())
        QCOMPARE(SimControl::callCount(QStringLiteral("UsbUpgradeC_FindBootDevices")), 0);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbUpgrade_Start")), 0);
}

void TestSettingsUpdate::twoStageRun()
{
    QVERIFY(PutImage(QStringLiteral("r.bin"), FirmwareKindReceiver, kReceiverModel, 0x0102));
    QVERIFY(PutImage(QStringLiteral("m.bin"), FirmwareKindMouse, kMouseModel, 0x0103));
    SelectReceiverWithCable();
    QVERIFY(Check());
    QCOMPARE(g_upgradeStageCount.load(), 2);

    emit PostMsg::GetInstance()->SigUpdateStart();
    QVERIFY(g_firmwareUpdating);
    QVERIFY(!g_deviceAccessAllowed);
    QVERIFY(RunToEnd());

    QCOMPARE(SimControl::firmwareVersion(QStringLiteral("r4")), 0x0102);
    QCOMPARE(SimControl::firmwareVersion(QStringLiteral("m")), 0x0103);
    QCOMPARE(hub->Only({QStringLiteral("LabelText")}),
             (QStringList{QStringLiteral("LabelText(0,v1.2)"), QStringLiteral("LabelText(1,v1.3)")}));
    // The receiver fills the first half of the bar, the mouse the second.
    int last = -1;
    bool halfway = false;
    bool secondHalf = false;
    for (const QString& event : hub->Only({QStringLiteral("Progress(")})) {
        const QStringList args = event.mid(9, event.size() - 10).split(QLatin1Char(','));
        if (args.at(1) != QLatin1String("0"))
            continue;
        const int value = args.at(0).toInt();
        QVERIFY2(value >= last, qPrintable(event));
        halfway = halfway || value == 50;
        secondHalf = secondHalf || (value > 50 && value < 100);
        last = value;
    }
    QVERIFY(halfway);
    QVERIFY(secondHalf);
    QCOMPARE(hub->events.last(), QStringLiteral("LabelText(1,v1.3)"));
    QVERIFY(hub->events.contains(QStringLiteral("Progress(0,2)")));
    QCOMPARE(Child<QLabel>(page.get(), QStringLiteral("label_5"))->text(), QStringLiteral("v1.2"));
    QCOMPARE(Child<QLabel>(page.get(), QStringLiteral("label_7"))->text(), QStringLiteral("v1.3"));
    QCOMPARE(StoredMouseVersion(0), QStringLiteral("v1.3"));
    QVERIFY(!g_firmwareUpdating);
    QVERIFY(g_deviceAccessAllowed);
    QVERIFY(DialogClosable());
}

void TestSettingsUpdate::receiverFailureThenResume()
{
    QVERIFY(PutImage(QStringLiteral("r.bin"), FirmwareKindReceiver, kReceiverModel, 0x0102));
    QVERIFY(PutImage(QStringLiteral("m.bin"), FirmwareKindMouse, kMouseModel, 0x0103));
    SelectReceiverWithCable();
    QVERIFY(Check());
    QVERIFY(SimControl::failNextFlash(QStringLiteral("r4"), 40));
    emit PostMsg::GetInstance()->SigUpdateStart();
    QVERIFY(RunToEnd());

    QVERIFY(hub->events.contains(QStringLiteral("Progress(0,1)")));
    QCOMPARE(UpdateFailInfo(), QStringLiteral("211,4,23,1"));
    QVERIFY(!g_mouseUpdateAvailable && !g_receiverUpdateAvailable);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbUpgrade_Start")), 1); // the mouse stage did not start
    QVERIFY(SimControl::inBootMode(QStringLiteral("r4")));
    QVERIFY(g_deviceAccessAllowed);
    QVERIFY(DialogClosable());

    // The receiver waits in boot mode; the mouse on its cable is all the page
    // lists. The check resumes the receiver and takes the mouse along.
    hub->events.clear();
    emit PostMsg::GetInstance()->SigSetver(4);
    Select(Cable(QStringLiteral("m")), {Cable(QStringLiteral("m"))});
    QVERIFY(Check());
    QCOMPARE(g_upgradeStageCount.load(), 2);
    emit PostMsg::GetInstance()->SigUpdateStart();
    QVERIFY(RunToEnd());
    QCOMPARE(SimControl::firmwareVersion(QStringLiteral("r4")), 0x0102);
    QVERIFY(!SimControl::inBootMode(QStringLiteral("r4")));
    QCOMPARE(SimControl::firmwareVersion(QStringLiteral("m")), 0x0103);
    QCOMPARE(UpdateFailInfo(), QString());
    QVERIFY(hub->events.contains(QStringLiteral("Progress(0,2)")));
}

void TestSettingsUpdate::mousePendingResume()
{
    QVERIFY(PutImage(QStringLiteral("m.bin"), FirmwareKindMouse, kMouseModel, 0x0103));
    QVERIFY(SimControl::setBootMode(QStringLiteral("m"), true));
    NativeSettings(FirmwareStateKeyPath()).SetValue(QStringLiteral("UpdateFailInfo"), QStringLiteral("210,4,23,1"));
    Select(Receiver(QStringLiteral("r4")), {Receiver(QStringLiteral("r4"))});
    QVERIFY(Check());
    emit PostMsg::GetInstance()->SigUpdateStart();
    QVERIFY(RunToEnd());
    QCOMPARE(SimControl::firmwareVersion(QStringLiteral("m")), 0x0103);
    QVERIFY(!SimControl::inBootMode(QStringLiteral("m")));
    QCOMPARE(UpdateFailInfo(), QString());
    QCOMPARE(hub->Only({QStringLiteral("LabelText")}), QStringList{QStringLiteral("LabelText(1,v1.3)")});
    QVERIFY(DialogClosable());
}

void TestSettingsUpdate::nothingToFlash()
{
    QVERIFY(PutImage(QStringLiteral("r.bin"), FirmwareKindReceiver, kReceiverModel, 0x0101));
    SelectReceiverWithCable();
    emit PostMsg::GetInstance()->SigUpdateStart();
    QVERIFY(RunToEnd());
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbUpgrade_Start")), 0);
    QCOMPARE(g_receiverUpdateState.load(), int(NothingToFlash));
    QCOMPARE(DialogText(), Text(QStringLiteral("VerNew")));
    QVERIFY(DialogClosable());
    QVERIFY(!g_firmwareUpdating);
    QVERIFY(g_deviceAccessAllowed);
}

void TestSettingsUpdate::targetsToExplain_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("marker");
    QTest::newRow("no receiver") << "none" << "NoDevice" << "toolButton_2";
    QTest::newRow("receiver and one in boot mode") << "two" << "SameDevice" << "toolButton_2";
}

void TestSettingsUpdate::targetsToExplain()
{
    QFETCH(QString, setup);
    QFETCH(QString, message);
    QFETCH(QString, marker);
    QVERIFY(PutImage(QStringLiteral("r.bin"), FirmwareKindReceiver, kReceiverModel, 0x0102));
    if (setup == QLatin1String("two")) {
        SimControl::ReceiverSetup second(QStringLiteral("r4b"), SimControl::Receiver4K);
    second.name = kReceiverModel;
    QVERIFY(SimControl::addReceiver(second));
        QVERIFY(SimControl::setBootMode(QStringLiteral("r4b"), true));
        SelectReceiverWithCable();
    } else {
        Select(Cable(QStringLiteral("m")), {Cable(QStringLiteral("m"))});
    }
    emit PostMsg::GetInstance()->SigUpdateStart();
    QVERIFY(RunToEnd());
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbUpgrade_Start")), 0);
    QVERIFY(!Child<QToolButton>(page.get(), marker)->isHidden());
    QCOMPARE(DialogText(), Text(message));
    QVERIFY(DialogClosable());
    QVERIFY(g_deviceAccessAllowed);
}

void TestSettingsUpdate::earlyResult()
{
    QVERIFY(ReadyForReceiverUpdate());
    emit PostMsg::GetInstance()->SigUpdateStart();
    QMetaObject::invokeMethod(page.get(), "onDongleCheckTimer"); // Check
    QMetaObject::invokeMethod(page.get(), "onDongleCheckTimer"); // Start: flashing begins
    // The whole flashing ends before the step machine looks again.
    QVERIFY(SimControl::waitIdle(5000));
    QCOMPARE(g_receiverUpdateState.load(), int(UpdateSucceeded));
    QVERIFY(RunToEnd());
    QCOMPARE(SimControl::firmwareVersion(QStringLiteral("r4")), 0x0102);
    QVERIFY(hub->events.contains(QStringLiteral("Progress(0,2)")));
}

void TestSettingsUpdate::refusedStart()
{
    QVERIFY(ReadyForReceiverUpdate());
    emit PostMsg::GetInstance()->SigUpdateStart();
    QMetaObject::invokeMethod(page.get(), "onDongleCheckTimer"); // Check
    // The receiver goes before flashing starts: nothing takes the image.
    QVERIFY(SimControl::setPlugged(QStringLiteral("r4"), false));
    QVERIFY(RunToEnd());
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbUpgrade_Start")), 1);
    QCOMPARE(g_receiverUpdateState.load(), int(UpdateIdle));
    QCOMPARE(UpdateFailInfo(), QString());
    QCOMPARE(DialogText(), Text(QStringLiteral("Error")));
    QVERIFY(DialogClosable());
    QVERIFY(g_deviceAccessAllowed);
    QVERIFY(!g_firmwareUpdating);
}

void TestSettingsUpdate::silentFlashingFails()
{
    QVERIFY(ReadyForReceiverUpdate());
    // The flashing starts and then not even its first progress message comes.
    QVERIFY(SimControl::setFlashAnswer(QStringLiteral("r4"), SimControl::NeverAnswerFlash));
    emit PostMsg::GetInstance()->SigUpdateStart();
    // Check, Start and MarkRunning take a tick each before the waiting counts.
    QVERIFY(!RunToEnd(3 + FormSetting::kWaitLimitTicks - 1));
    QCOMPARE(g_receiverUpdateState.load(), int(Upgrading));
    QVERIFY(!g_deviceAccessAllowed);
    QVERIFY(RunToEnd(2));
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbUpgrade_Start")), 1);
    QCOMPARE(g_receiverUpdateState.load(), int(UpdateFailed));
    QCOMPARE(UpdateFailInfo(), QStringLiteral("211,4,23,1"));
    QVERIFY(hub->events.contains(QStringLiteral("Progress(0,1)")));
    QVERIFY(g_deviceAccessAllowed);
    QVERIFY(!g_firmwareUpdating);
    QVERIFY(DialogClosable());
}

void TestSettingsUpdate::recordOfTheOtherKindStays()
{
    QVERIFY(ReadyForReceiverUpdate());
    NativeSettings(FirmwareStateKeyPath()).SetValue(QStringLiteral("UpdateFailInfo"), QStringLiteral("210,4,23,1"));
    emit PostMsg::GetInstance()->SigUpdateStart();
    QVERIFY(RunToEnd());
    QCOMPARE(SimControl::firmwareVersion(QStringLiteral("r4")), 0x0102);
    QCOMPARE(UpdateFailInfo(), QStringLiteral("210,4,23,1"));
}

QTEST_MAIN(TestSettingsUpdate)
#include "test_settings_update.moc"
