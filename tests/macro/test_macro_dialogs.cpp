// The macro page's name, delay and single-key dialogs: their results per
// button and per Escape, the name rules on the field, keys captured through
// the single-key hook, and the removal of that hook on every way out.
#include "add_delay_time.h"
#include "add_key.h"
#include "keyboard_hook.h"
#include "modal_run.h"
#include "question_dialog.h"

#include "find_child.h"

#include <QtTest>

#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

namespace {

void ShowActive(QDialog& dialog)
{
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

void Close(QDialog& dialog, const QString& how)
{
    if (how == "Escape")
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else if (how == "window system")
        dialog.close();
    else
        Child<QToolButton>(&dialog, how)->click();
}

bool SingleKeyHookInstalled()
{
    return KeyboardHook(KeyboardHook::SingleKey).IsInstalled();
}

// What the macro page does with the single-key dialog: the name, or nothing.
QString AskForKey()
{
    addKey dialog;
    const int result = ModalRun::Exec(&dialog);
    return result == QDialog::Accepted && dialog.accepted ? dialog.keyName : QString();
}

} // namespace

class TestMacroDialogs : public QObject {
    Q_OBJECT

private slots:
    void nameFieldKeepsTheRules_data();
    void nameFieldKeepsTheRules();
    void nameResults_data();
    void nameResults();
    void delayResults_data();
    void delayResults();
    void keyFollowsTheLatestEvent();
    void noKeyPressesAButton();
    void keyResults_data();
    void keyResults();
    void keyHookGoesWithTheDialog();
    void keyDialogRunsWithoutALoop();
};

void TestMacroDialogs::nameFieldKeepsTheRules_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("blankAt"); // then a blank typed there; -1: none
    QTest::addColumn<QString>("shown");

    QTest::newRow("typed blank at the end goes") << "ab c " << -1 << "abc";
    QTest::newRow("blank typed inside stays") << "abc" << 1 << "a bc";
    QTest::newRow("blank typed at the start stays") << "abc" << 0 << " abc";
    QTest::newRow("longer than 30 bytes") << QString(35, QLatin1Char('n')) << -1 << QString(30, QLatin1Char('n'));
}

void TestMacroDialogs::nameFieldKeepsTheRules()
{
    QFETCH(QString, typed);
    QFETCH(int, blankAt);
    QFETCH(QString, shown);
    QuestionDialog dialog;
    ShowActive(dialog);
    auto* field = Child<QLineEdit>(&dialog, QStringLiteral("lineEdit"));
    QTest::keyClicks(field, typed);
    if (blankAt >= 0) {
        field->setCursorPosition(blankAt);
        QTest::keyClick(field, Qt::Key_Space);
    }
    QCOMPARE(field->text(), shown);
    // The rule writes the text back: the cursor ends at its end.
    QCOMPARE(field->cursorPosition(), shown.size());
}

void TestMacroDialogs::nameResults_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("entered");

    QTest::newRow("OK") << "Macro1" << "NewHong" << "Macro1";
    QTest::newRow("OK, empty") << "" << "NewHong" << "";
    // The page refuses such names itself and says why.
    QTest::newRow("OK, path separator") << "a/b" << "NewHong" << "a/b";
    QTest::newRow("OK, only dots") << ".." << "NewHong" << "..";
    QTest::newRow("Cancel") << "Macro 1" << "NewHong_2" << "";
    QTest::newRow("Close") << "Macro 1" << "CloseButton" << "";
    QTest::newRow("Escape") << "Macro 1" << "Escape" << "";
}

void TestMacroDialogs::nameResults()
{
    QFETCH(QString, name);
    QFETCH(QString, how);
    QFETCH(QString, entered);
    QuestionDialog dialog;
    ShowActive(dialog);
    QTest::keyClicks(Child<QLineEdit>(&dialog, QStringLiteral("lineEdit")), name);
    Close(dialog, how);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.enteredName, entered);
}

void TestMacroDialogs::delayResults_data()
{
    QTest::addColumn<QString>("typed"); // empty: the value is left at 10
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("delay");

    QTest::newRow("OK, untouched") << "" << "NewHong" << true << 10;
    QTest::newRow("OK, typed") << "250" << "NewHong" << true << 250;
    QTest::newRow("OK, above the range") << "99999" << "NewHong" << true << 9999;
    QTest::newRow("OK, below the range") << "5" << "NewHong" << true << 10;
    QTest::newRow("Cancel") << "250" << "NewHong_2" << false << 0;
    QTest::newRow("Close") << "250" << "CloseButton" << false << 0;
    QTest::newRow("Escape") << "250" << "Escape" << false << 0;
}

void TestMacroDialogs::delayResults()
{
    QFETCH(QString, typed);
    QFETCH(QString, how);
    QFETCH(bool, accepted);
    QFETCH(int, delay);
    AddDelayTime dialog;
    ShowActive(dialog);
    auto* spin = Child<QSpinBox>(&dialog, QStringLiteral("spinBox"));
    QCOMPARE(spin->value(), 10);
    if (!typed.isEmpty()) {
        spin->selectAll();
        QTest::keyClicks(spin, typed);
    }
    Close(dialog, how);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.accepted, accepted);
    QCOMPARE(dialog.delayTime, delay);
    QVERIFY(dialog.delayTime == 0 || (dialog.delayTime >= 10 && dialog.delayTime <= 65535));
}

void TestMacroDialogs::keyFollowsTheLatestEvent()
{
    addKey dialog;
    ShowActive(dialog);
    QWindow* window = dialog.windowHandle();
    auto* field = Child<QLineEdit>(&dialog, QStringLiteral("lineEdit"));

    // The field shows the name again once the typed character is released.
    QTest::keyClick(window, Qt::Key_A, Qt::NoModifier);
    QCOMPARE(field->text(), QStringLiteral("A"));
    QCOMPARE(dialog.keyName, QStringLiteral("A"));

    // Shift held over A: the release of Shift comes last.
    QTest::keyPress(window, Qt::Key_Shift);
    QTest::keyClick(window, Qt::Key_A, Qt::ShiftModifier);
    QTest::keyRelease(window, Qt::Key_Shift);
    QCOMPARE(dialog.keyName, QStringLiteral("LShift"));

    QTest::keyClick(window, Qt::Key_Alt, Qt::AltModifier);
    QCOMPARE(dialog.keyName, QStringLiteral("LAlt"));
    QTest::keyClick(window, Qt::Key_Space);
    QCOMPARE(dialog.keyName, QString());
    QCOMPARE(field->text(), QString());

    // Esc and Enter are captured; neither closes the dialog.
    QTest::keyClick(window, Qt::Key_Escape);
    QCOMPARE(dialog.keyName, QStringLiteral("Esc"));
    QTest::keyClick(window, Qt::Key_Return);
    QCOMPARE(dialog.keyName, QStringLiteral("Enter"));
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.accepted);
}

// Tab finds no button to move to, so Space (which names no key here)
// presses none and the dialog stays.
void TestMacroDialogs::noKeyPressesAButton()
{
    addKey dialog;
    ShowActive(dialog);
    auto* field = Child<QLineEdit>(&dialog, QStringLiteral("lineEdit"));
    for (Qt::Key key : {Qt::Key_F5, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space}) {
        QTest::keyClick(dialog.windowHandle(), key);
        QVERIFY2(dialog.isVisible(), qPrintable(QKeySequence(key).toString()));
    }
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(field));
    QVERIFY(!dialog.accepted);
    QVERIFY(SingleKeyHookInstalled());
}

void TestMacroDialogs::keyResults_data()
{
    QTest::addColumn<bool>("captured");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("result");

    QTest::newRow("OK") << true << "NewHong" << true << int(QDialog::Accepted);
    QTest::newRow("OK without a key") << false << "NewHong" << false << int(QDialog::Rejected);
    QTest::newRow("Cancel") << true << "NewHong_2" << false << int(QDialog::Rejected);
    QTest::newRow("Close") << true << "CloseButton" << false << int(QDialog::Rejected);
    QTest::newRow("window system") << true << "window system" << false << int(QDialog::Rejected);
}

void TestMacroDialogs::keyResults()
{
    QFETCH(bool, captured);
    QFETCH(QString, how);
    QFETCH(bool, accepted);
    QFETCH(int, result);
    addKey dialog;
    ShowActive(dialog);
    QVERIFY(SingleKeyHookInstalled());
    if (captured)
        QTest::keyClick(dialog.windowHandle(), Qt::Key_F5);
    Close(dialog, how);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.accepted, accepted);
    QCOMPARE(dialog.result(), result);
    QVERIFY(!SingleKeyHookInstalled());
    if (accepted)
        QCOMPARE(dialog.keyName, QStringLiteral("F5"));
}

void TestMacroDialogs::keyHookGoesWithTheDialog()
{
    {
        addKey dialog;
        QVERIFY(SingleKeyHookInstalled());
    }
    QVERIFY(!SingleKeyHookInstalled());
    // The next user of the instance reaches no callback of the dialog.
    KeyboardHook next(KeyboardHook::SingleKey);
    next.SetHook();
    next.KeyboardProc(0x41, KeyMessage::KeyDown);
    next.KeyboardProc(0x41, KeyMessage::KeyUp);
}

void TestMacroDialogs::keyDialogRunsWithoutALoop()
{
    {
        ModalAnswer<addKey> answer([](addKey& dialog) {
            KeyboardHook(KeyboardHook::SingleKey).KeyboardProc(0x76, KeyMessage::KeyDown);
            Child<QToolButton>(&dialog, QStringLiteral("NewHong"))->click();
        });
        QCOMPARE(AskForKey(), QStringLiteral("F7"));
        QCOMPARE(answer.count, 1);
    }
    ModalAnswer<addKey> cancel([](addKey& dialog) {
        KeyboardHook(KeyboardHook::SingleKey).KeyboardProc(0x76, KeyMessage::KeyDown);
        Child<QToolButton>(&dialog, QStringLiteral("NewHong_2"))->click();
    });
    QCOMPARE(AskForKey(), QString());
    QVERIFY(!SingleKeyHookInstalled());
}

QTEST_MAIN(TestMacroDialogs)
#include "test_macro_dialogs.moc"
