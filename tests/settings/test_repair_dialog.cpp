// The update and repair dialog: its display states, the result codes it
// shows, what its buttons do after a run, closing while flashing, and its
// texts in every language.
#include "app_state.h"
#include "find_child.h"
#include "firmware_repair.h"
#include "hub_recorder.h"
#include "label_file.h"
#include "post_msg.h"
#include "program_state.h"
#include "up_date_repair.h"

#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QtTest>

namespace {

// The English texts of the dialog's language section.
const QString kUpgrade = QStringLiteral("Update");
const QString kCancel = QStringLiteral("Cancel");
const QString kConfirm = QStringLiteral("OK");
const QString kReady = QStringLiteral("Ready. Click Update to start.");
const QString kNotMove = QStringLiteral("Updating. Do not unplug or move the devices.");
const QString kSuccess = QStringLiteral("Update complete.");
const QString kFail = QStringLiteral("Update failed. Reconnect the devices and try again.");

const QStringList kKeys{"ToolText",   "NewHong_2", "Cancel",   "Confirm",   "ReadyUpdate",
                        "UpdateNotMove", "UpdateSuccess", "UpdateFail", "NoDevice", "SameDevice",
                        "NoRecieve",  "NoUSB",     "FileError", "MultiDongle", "MultiMouse"};

struct Look {
    QLabel* message;
    QToolButton* action;
    QToolButton* cancel;
    QToolButton* close;
    QProgressBar* progress;
    explicit Look(const UpDateRepair& d)
        : message(Child<QLabel>(&d, "ToolText_2"))
        , action(Child<QToolButton>(&d, "NewHong_2"))
        , cancel(Child<QToolButton>(&d, "NewHong"))
        , close(Child<QToolButton>(&d, "CloseButton"))
        , progress(Child<QProgressBar>(&d, "progressBar_2"))
    {
    }
    // "message: shown, colour, text|action: shown, text|cancel: shown, enabled|close: shown, enabled|
    //  progress: shown, value"
    QString Text() const
    {
        const auto shown = [](QWidget* w) { return w->isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown"); };
        const auto on = [](QWidget* w) { return w->isEnabled() ? QStringLiteral("on") : QStringLiteral("off"); };
        message->ensurePolished();
        const QColor color = message->palette().color(QPalette::WindowText);
        const QString colorName = color == QColor(255, 0, 0) ? QStringLiteral("red")
            : color == QColor(80, 240, 0)                    ? QStringLiteral("green")
                                                             : color.name();
        return QStringLiteral("%1 %2 %3|%4 %5|%6 %7|%8 %9|%10 ")
                   .arg(shown(message), colorName, message->text(), shown(action), action->text(), shown(cancel),
                        on(cancel), shown(close), on(close))
                   .arg(shown(progress))
            + QString::number(progress->value());
    }
    // Return on the action button; Escape on Cancel, or on the close button
    // when that alone closes.
    bool ShortcutsSet() const
    {
        const bool escapeOnClose = cancel->isHidden() && close->isEnabled();
        const QKeySequence escape(Qt::Key_Escape);
        return action->shortcut() == QKeySequence(Qt::Key_Return)
            && cancel->shortcut() == (escapeOnClose ? QKeySequence() : escape)
            && close->shortcut() == (escapeOnClose ? escape : QKeySequence());
    }
};

} // namespace

class TestRepairDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void states_data();
    void states();
    void resultCodes_data();
    void resultCodes();
    void buttonsAfterRun_data();
    void buttonsAfterRun();
    void noClosingWhileFlashing_data();
    void noClosingWhileFlashing();
    void textsInEveryLanguage_data();
    void textsInEveryLanguage();
};

void TestRepairDialog::init()
{
    ResetProgramState();
    g_repairProgressSeen = false;
}

void TestRepairDialog::states_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("look");
    // Each state is entered from a successful run with the bar at 40 and a message.
    QTest::newRow("reset") << 0 << "shown red |shown " + kUpgrade + "|shown off|shown off|hidden 0";
    QTest::newRow("ready") << 1 << "shown red " + kReady + "|shown " + kUpgrade + "|shown on|shown on|hidden 40";
    QTest::newRow("confirm") << 2 << "shown red earlier|shown " + kConfirm + "|shown on|shown on|hidden 40";
    QTest::newRow("updating") << 3 << "shown red " + kNotMove + "|hidden " + kConfirm + "|hidden off|shown off|shown 40";
}

void TestRepairDialog::states()
{
    QFETCH(int, state);
    QFETCH(QString, look);
    UpDateRepair dialog;
    Look parts(dialog);
    dialog.ResetState();
    dialog.SetUpdatingState();
    dialog.SlotAutoRepairProgress(40);
    dialog.SlotAutoRepair(0);
    dialog.SetToolText(QStringLiteral("earlier"));
    parts.action->setShortcut(QKeySequence());
    parts.cancel->setShortcut(QKeySequence());

    switch (state) {
    case 0: dialog.ResetState(); break;
    case 1: dialog.SetReadyState(); break;
    case 2: dialog.SetConfirmState(); break;
    case 3: dialog.SetUpdatingState(); break;
    }
    QCOMPARE(parts.Text(), look);
    QVERIFY(parts.ShortcutsSet());
    QCOMPARE(parts.cancel->text(), kCancel);
}

void TestRepairDialog::resultCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("look");
    // From the updating state at 37 %.
    const QString updating = "shown red " + kNotMove + "|hidden " + kUpgrade + "|hidden off|shown off|shown ";
    QTest::newRow("0 progress") << 0 << updating + "64";
    QTest::newRow("1 failed") << 1 << "shown red " + kFail + "|shown " + kConfirm + "|shown on|shown on|shown 37";
    // A success in green, with nothing left to cancel.
    QTest::newRow("2 succeeded") << 2 << "shown green " + kSuccess + "|shown " + kConfirm + "|hidden on|shown on|shown 100";
    QTest::newRow("3 hide cancel") << 3 << updating + "37";
    QTest::newRow("4 hide cancel, clear") << 4 << updating + "0";
    QTest::newRow("5 second stage not run") << 5 << "shown red " + kFail + "|shown " + kConfirm + "|shown on|shown on|shown 50";
    QTest::newRow("6 repair failed") << 6 << "shown red " + kFail + "|hidden " + kUpgrade + "|shown on|shown on|shown 37";
    QTest::newRow("7 unknown") << 7 << updating + "37";
    QTest::newRow("-1 unknown") << -1 << updating + "37";
}

// The codes arrive through the hub, as the engines send them.
void TestRepairDialog::resultCodes()
{
    QFETCH(int, code);
    QFETCH(QString, look);
    UpDateRepair dialog;
    Look parts(dialog);
    dialog.ResetState();
    dialog.SetUpdatingState();
    dialog.SlotAutoRepairProgress(37);
    parts.action->setShortcut(QKeySequence());

    emit PostMsg::GetInstance()->SigProgress(64, code);
    QCOMPARE(parts.Text(), look);
    QVERIFY(parts.ShortcutsSet());
}

void TestRepairDialog::buttonsAfterRun_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("code");          // result shown; -1 ready state, -2 confirm state
    QTest::addColumn<bool>("deviceSelected");
    QTest::addColumn<bool>("progressSeen"); // a repair stage runs
    QTest::addColumn<QStringList>("emitted");
    QTest::addColumn<bool>("closed");
    const QStringList none;
    const QStringList newVersion{"SigSetNewVer"};
    const QStringList home{"SigChangeMainDialog(0)"};
    for (const char* button : {"CloseButton", "NewHong", "NewHong_2"}) {
        const QString b = QLatin1String(button);
        QTest::newRow(qPrintable(b + ", done")) << b << 2 << true << false << newVersion << true;
        QTest::newRow(qPrintable(b + ", done, nothing selected")) << b << 2 << false << false << newVersion << true;
        QTest::newRow(qPrintable(b + ", half done")) << b << 5 << true << false << home << true;
        QTest::newRow(qPrintable(b + ", failed, nothing selected")) << b << 1 << false << false << none << true;
    }
    QTest::newRow("close while a stage runs") << "CloseButton" << 6 << true << true << none << false;
    QTest::newRow("cancel while a stage runs") << "NewHong" << 6 << true << true << none << false;
    QTest::newRow("confirm a message") << "NewHong_2" << -2 << true << false << none << true;
    QTest::newRow("update, a device selected") << "NewHong_2" << -1 << true << false << QStringList{"SigUpdateStart"}
                                               << false;
    QTest::newRow("cancel when ready") << "NewHong" << -1 << true << false << none << true;
    // Escape closes as Cancel or, after a success, as the close button.
    QTest::newRow("Escape, done") << "Escape" << 2 << true << false << newVersion << true;
    QTest::newRow("Escape, half done") << "Escape" << 5 << true << false << home << true;
    QTest::newRow("Escape when ready") << "Escape" << -1 << true << false << none << true;
}

void TestRepairDialog::buttonsAfterRun()
{
    QFETCH(QString, button);
    QFETCH(int, code);
    QFETCH(bool, deviceSelected);
    QFETCH(bool, progressSeen);
    QFETCH(QStringList, emitted);
    QFETCH(bool, closed);
    UpDateRepair dialog;
    dialog.ResetState();
    if (code == -1) {
        dialog.SetReadyState();
    } else if (code == -2) {
        dialog.SetToolText(QStringLiteral("message"));
        dialog.SetConfirmState();
    } else {
        dialog.SetUpdatingState();
        dialog.SlotAutoRepairProgress(30);
        dialog.SlotProgress(0, code);
    }
    dialog.show();
    g_deviceSelected = deviceSelected ? 1 : 0;
    g_repairProgressSeen = progressSeen;
    HubRecorder hub;
    hub.Record(&PostMsg::SigSetNewVer, "SigSetNewVer");
    hub.Record(&PostMsg::SigChangeMainDialog, "SigChangeMainDialog");
    hub.Record(&PostMsg::SigUpdateStart, "SigUpdateStart");

    if (button == QLatin1String("Escape")) {
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTRY_VERIFY(dialog.isHidden()); // a shortcut clicks a moment later
    } else {
        Child<QToolButton>(&dialog, button)->click();
    }
    QCOMPARE(hub.events, emitted);
    QCOMPARE(dialog.isHidden(), closed);
}

void TestRepairDialog::noClosingWhileFlashing_data()
{
    QTest::addColumn<int>("run"); // 0 none, 1 repair, 2 settings-page update
    QTest::newRow("repair runs") << 1;
    QTest::newRow("update runs") << 2;
    QTest::newRow("nothing runs") << 0;
}

void TestRepairDialog::noClosingWhileFlashing()
{
    QFETCH(int, run);
    UpDateRepair dialog;
    dialog.ResetState();
    dialog.SetUpdatingState();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    g_repairRunning = run == 1;
    g_firmwareUpdating = run == 2;

    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.isVisible(), run != 0);
    dialog.show();
    QCloseEvent event; // as the window system sends it
    QApplication::sendEvent(&dialog, &event);
    QCOMPARE(event.isAccepted(), run == 0);
    g_repairRunning = false;
    g_firmwareUpdating = false;
}

void TestRepairDialog::textsInEveryLanguage_data()
{
    QTest::addColumn<int>("language");
    for (int index : {0, 1, 2, 3, 5})
        QTest::newRow(qPrintable(LabelFile::FileName(index))) << index;
}

void TestRepairDialog::textsInEveryLanguage()
{
    QFETCH(int, language);
    QMap<QString, QString> texts;
    LabelFile::Keys keys;
    for (const QString& key : kKeys)
        keys.insert(key, [&texts, key](const QString& text) { texts.insert(key, text.trimmed()); });
    const LabelFile::Result result = LabelFile::Load(LabelFile::PathFor(language), QStringLiteral("AutoRepair"), keys);
    QVERIFY(result.opened);
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    for (const QString& key : kKeys)
        QVERIFY2(!texts.value(key).isEmpty(), qPrintable(key));

    // The dialog shows them.
    UpDateRepair dialog;
    dialog.SlotChangeLanguage(language);
    dialog.ResetState();
    Look parts(dialog);
    QCOMPARE(Child<QLabel>(&dialog, "ToolText")->text(), texts.value("ToolText"));
    QCOMPARE(parts.action->text(), texts.value("NewHong_2"));
    QCOMPARE(parts.cancel->text(), texts.value("Cancel"));
    dialog.SetConfirmState();
    QCOMPARE(parts.action->text(), texts.value("Confirm"));
}

QTEST_MAIN(TestRepairDialog)
#include "test_repair_dialog.moc"
