// The factory reset behind the button page's Reset, in the whole program
// against the shipped world: the question, the image and the clear command
// sent in that order, the wait dialog, and the flags and online check
// restored afterwards.
#include "buttoninterface.h"

#include "gui_fixture.h"
#include "hub_recorder.h"
#include "test_image.h"

#include "contain_reset.h"
#include "device_image_setters.h"
#include "up_data_param.h"

#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

class TestButtonsReset : public QObject {
    Q_OBJECT
private slots:
    void resetRestoresTheFactorySettings();
};

void TestButtonsReset::resetRestoresTheFactorySettings()
{
    GuiFixture gui;
    QVERIFY(gui.Start());
    QVERIFY(gui.OpenDevice(QStringLiteral("aero-r4")));
    auto* page = gui.DeviceWindow()->findChild<Buttoninterface*>();
    QVERIFY(page);
    const QString mouse = QStringLiteral("aero");
    QVERIFY(SetDebounceTime(17));
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

QTEST_MAIN(TestButtonsReset)
#include "test_buttons_reset.moc"
