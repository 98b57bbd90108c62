// The factory reset behind the button page's Reset, in the whole program
// against the shipped world: the question, the image and the clear command
// sent in that order, the wait dialog, and the flags and online check
// restored afterwards; with devices that answer at once and with their own
// timing, on a cable and through receivers of each speed.
#include "buttoninterface.h"

#include "gui_fixture.h"
#include "hub_recorder.h"
#include "test_image.h"
#include "world_text.h"

#include "contain_reset.h"
#include "device_image_setters.h"
#include "key_function.h"
#include "mouse_off_line.h"
#include "window_closer.h"
#include "up_data_param.h"

#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

class TestButtonsReset : public QObject {
    Q_OBJECT
private slots:
    void resetRestoresTheFactorySettings_data();
    void resetRestoresTheFactorySettings();
    void mouseAsleepDuringReset_data();
    void mouseAsleepDuringReset();
};

void TestButtonsReset::resetRestoresTheFactorySettings_data()
{
    QTest::addColumn<QString>("world");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("mouse");
    QTest::addColumn<bool>("ownTiming");
    QTest::newRow("instant") << QString() << "aero-r4" << "aero" << false;
    QTest::newRow("1K") << SimWorld::ShippedWithReceiverClass(1) << "aero-r4" << "aero" << true;
    QTest::newRow("4K") << QString() << "aero-r4" << "aero" << true;
    QTest::newRow("8K") << QString() << "lynx-r8" << "lynx" << true;
    QTest::newRow("cable") << QString() << "orca" << "orca" << true;
}

// Key data bound before the reset is gone afterwards: the image sent first
// must not land after the clear command.
void TestButtonsReset::resetRestoresTheFactorySettings()
{
    QFETCH(QString, world);
    QFETCH(QString, device);
    QFETCH(QString, mouse);
    QFETCH(bool, ownTiming);
    GuiFixture gui;
    QVERIFY(gui.Start(world));
    if (ownTiming)
        SimControl::setReportIntervalUs(-1);
    QVERIFY(gui.OpenDevice(device));
    auto* page = gui.DeviceWindow()->findChild<Buttoninterface*>();
    QVERIFY(page);
    QVERIFY(SetDebounceTime(17));
    const uint8_t keys[KeyEventRecord::Size] = {2, 0, 0, 0, 0, 2, 0xCD, 0, 10};
    const uint8_t function[3] = {5, 0, 0};
    QVERIFY(SetButtonKeys(1, function, keys));
    QVERIFY(Settle());
    QVERIFY(SimControl::mouseImage(mouse) != SimControl::factoryImage(mouse));
    SimControl::clearCallLog();

    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
    int questions = 0;
    QString waitText;
    bool applyingWhileWaiting = false;
    bool checkStoppedWhileWaiting = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* question = qobject_cast<ContainReset*>(widget); question && question->isVisible() && !questions) {
                ++questions;
                QTimer::singleShot(0, question->findChild<QToolButton*>(QStringLiteral("OK")), &QToolButton::click);
            }
            if (auto* wait = qobject_cast<UpDataParam*>(widget); wait && wait->isVisible() && waitText.isEmpty()) {
                waitText = wait->findChild<QLabel*>(QStringLiteral("label"))->text();
                applyingWhileWaiting = g_applyingParameters;
                checkStoppedWhileWaiting = !g_onlineCheckTimer->isActive();
            }
        }
    });
    watch.start(5);
    QVERIFY(QMetaObject::invokeMethod(page, "on_Reset_clicked"));
    watch.stop();

    QCOMPARE(questions, 1);
    QCOMPARE(waitText, QStringLiteral("Please wait, the settings are being updated."));
    QVERIFY(applyingWhileWaiting);
    QVERIFY(checkStoppedWhileWaiting);
    QVERIFY(!g_applyingParameters);
    QVERIFY(g_onlineCheckTimer->isActive());
    QVERIFY(hub.events.isEmpty());

    // The image in memory first, then the clear command.
    const QStringList calls = LibraryCalls({QStringLiteral("ProtocolDataUpdate"), QStringLiteral("UsbServer_SetClearSetting")});
    QVERIFY(calls.size() >= 2);
    QCOMPARE(calls.mid(0, 2), (QStringList{QStringLiteral("ProtocolDataUpdate"), QStringLiteral("UsbServer_SetClearSetting")}));
    QVERIFY(Settle());
    QCOMPARE(SimControl::mouseImage(mouse), SimControl::factoryImage(mouse));
    QCOMPARE(ImageBytes(DeviceImageCopy()), SimControl::factoryImage(mouse));
}

void TestButtonsReset::mouseAsleepDuringReset_data()
{
    QTest::addColumn<int>("asleepAfterMs");
    // While the image is written, while the clear command and the dump it
    // brings are under way, and while the cleaned image goes back.
    for (int ms : {20, 40, 60})
        QTest::newRow(qPrintable(QStringLiteral("asleep%1ms").arg(ms))) << ms;
}

// The mouse falls asleep at some moment of the reset: the pages show what it
// holds, or the offline notice says they may not; once it is back the pages
// show what it holds.
void TestButtonsReset::mouseAsleepDuringReset()
{
    QFETCH(int, asleepAfterMs);
    const QString mouse = QStringLiteral("aero");
    GuiFixture gui;
    QVERIFY(gui.Start());
    SimControl::setReportIntervalUs(-1);
    QVERIFY(gui.OpenDevice(QStringLiteral("aero-r4")));
    auto* page = gui.DeviceWindow()->findChild<Buttoninterface*>();
    QVERIFY(page);
    QVERIFY(SetDebounceTime(17));
    QVERIFY(Settle());

    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
    WindowCloser<MouseOffLine> notices;
    bool asked = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* question = qobject_cast<ContainReset*>(widget); question && question->isVisible() && !asked) {
                asked = true;
                QTimer::singleShot(0, question->findChild<QToolButton*>(QStringLiteral("OK")), &QToolButton::click);
                QTimer::singleShot(asleepAfterMs, [mouse] { SimControl::setMouseOnline(mouse, false); });
            }
        }
    });
    watch.start(2);
    QVERIFY(QMetaObject::invokeMethod(page, "on_Reset_clicked"));
    watch.stop();
    const bool noticed = !hub.events.isEmpty() || notices.count > 0;
    const bool pagesTrue = ImageBytes(DeviceImageCopy()) == SimControl::mouseImage(mouse);
    QVERIFY2(noticed || pagesTrue, "the pages show settings the mouse does not hold, without a notice");

    QVERIFY(SimControl::setMouseOnline(mouse, true));
    QTRY_VERIFY_WITH_TIMEOUT(ImageBytes(DeviceImageCopy()) == SimControl::mouseImage(mouse), 20000);
}

QTEST_MAIN(TestButtonsReset)
#include "test_buttons_reset.moc"
