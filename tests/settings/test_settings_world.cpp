// The settings page in the running program over the shipped simulated world:
// the 4K receiver's light and long-range groups, what a change sends, a
// configuration file imported into the mouse, and the wait for the pages
// after the mouse asked to be connected again.
#include "find_child.h"
#include "gui_fixture.h"
#include "hub_recorder.h"
#include "test_image.h"

#include "config_export_file.h"
#include "device_image_setters.h"
#include "form_setting.h"
#include "up_data_param.h"

#include <QCheckBox>
#include <QTemporaryDir>
#include <QTimer>

class TestSettingsWorld : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void receiverGroupsShowTheReceiver();
    void importedConfigurationReachesTheMouse();
    void reconnectionWaitsForThePages();

private:
    GuiFixture gui;
    FormSetting* Page() const { return gui.DeviceWindow()->findChild<FormSetting*>(); }
};

void TestSettingsWorld::init()
{
    QVERIFY(gui.Start());
    QVERIFY(gui.OpenDevice(QStringLiteral("aero-r4")));
    QVERIFY(Page());
}

void TestSettingsWorld::cleanup()
{
    gui.Stop();
}

void TestSettingsWorld::receiverGroupsShowTheReceiver()
{
    FormSetting* page = Page();
    QVERIFY(page->LightGroupShown());
    QVERIFY(page->LongRangeGroupShown());
    QVERIFY(Child<QCheckBox>(page, QStringLiteral("ReUntil"))->isChecked()); // the world's light mode 1
    QVERIFY(!Child<QCheckBox>(page, QStringLiteral("checkBox_2"))->isChecked());

    g_sendEnabled = true;
    SimControl::clearCallLog();
    Child<QCheckBox>(page, QStringLiteral("ReUntil_2"))->click();
    QVERIFY(Settle());
    QCOMPARE(SimControl::receiverLightMode(QStringLiteral("aero-r4")), 2);
    // The receiver's report of its new light is shown, not sent back.
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbFinderC_Set4KDongleRGB")), 1);
    QVERIFY(Child<QCheckBox>(page, QStringLiteral("ReUntil_2"))->isChecked());

    Child<QCheckBox>(page, QStringLiteral("checkBox_2"))->click();
    QVERIFY(Settle());
    QCOMPARE(SimControl::receiverLongRange(QStringLiteral("aero-r4")), 1);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbFinderC_SetLongRangeMode")), 1);

    // Connected again, the page shows what the receiver has.
    QVERIFY(SimControl::requestRestart(QStringLiteral("aero")));
    QTRY_VERIFY_WITH_TIMEOUT(SimControl::callCount(QStringLiteral("UsbServer_ReadAllFlashData")) > 0, 10000);
    QVERIFY(Settle());
    QVERIFY(Child<QCheckBox>(page, QStringLiteral("checkBox_2"))->isChecked());
    QVERIFY(Child<QCheckBox>(page, QStringLiteral("ReUntil_2"))->isChecked());
}

void TestSettingsWorld::importedConfigurationReachesTheMouse()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FlashDataMap image = DeviceImageCopy();
    image.lightOffTime = 30;
    image.debounceTime = 6;
    const QString path = dir.filePath(QStringLiteral("aero.bin"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ConfigExportFile::Encode(ConfigStore::Instance()->Value(QStringLiteral("Drive1"), QStringLiteral("Sensor")), image));
    file.close();

    UpDataParam dialog;
    dialog.importMode = true;
    dialog.importFile = path;
    dialog.importTarget = DeviceImageTarget();
    QMetaObject::invokeMethod(&dialog, "onTimeupDestroy");
    QCOMPARE(g_importResult.load(), 0);
    QCOMPARE(SimControl::mouseImage(QStringLiteral("aero")), ImageBytes(image));
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(image));
}

void TestSettingsWorld::reconnectionWaitsForThePages()
{
    UpDataParam* waiting = gui.DeviceWindow()->ImportDialog();
    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
    bool shown = false;
    QTimer::singleShot(2000, waiting, [&] { shown = waiting->isVisible() && waiting->waitForPages; });
    QVERIFY(SimControl::requestRestart(QStringLiteral("aero")));
    QTRY_VERIFY_WITH_TIMEOUT(shown, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!waiting->isVisible(), 20000);
    // The pages took the new image: no offline or time-out notice.
    QVERIFY(hub.events.isEmpty());
    QVERIFY(!waiting->waitForPages);
}

QTEST_MAIN(TestSettingsWorld)
#include "test_settings_world.moc"
