// The key-combination dialog: keys captured through its hook from real
// window events, the result of OK, the three-item notice, and the removal of
// the hook on every way the dialog closes or goes.
#include "group_key.h"
#include "key_notices.h"
#include "keyboard_hook.h"
#include "modal_run.h"

#include "find_child.h"

#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QToolButton>

#include <memory>

namespace {

bool CombinationHookInstalled()
{
    return KeyboardHook(KeyboardHook::Combination).IsInstalled();
}

QString Field(const GroupKey& dialog)
{
    return Child<QLineEdit>(&dialog, QStringLiteral("lineEdit"))->text();
}

void Click(const GroupKey& dialog, const char* button)
{
    Child<QToolButton>(&dialog, QString::fromLatin1(button))->click();
}

void Tick(const GroupKey& dialog, const char* box)
{
    Child<QCheckBox>(&dialog, QString::fromLatin1(box))->setChecked(true);
}

} // namespace

class TestGroupKey : public QObject {
    Q_OBJECT

private slots:
    void init();
    void capturesKeysOfItsWindow();
    void noKeyPressesAButton();
    void okReturnsTheCombination();
    void moreThanThreeItemsAsksAgain();
    void pastedTextIsUpperCased();
    void everyCloseRemovesTheHook_data();
    void everyCloseRemovesTheHook();

private:
    std::unique_ptr<GroupKey> m_dialog;
    QWindow* Window() const { return m_dialog->windowHandle(); }
};

void TestGroupKey::init()
{
    m_dialog.reset(new GroupKey);
    m_dialog->show();
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    QVERIFY(CombinationHookInstalled());
}

void TestGroupKey::capturesKeysOfItsWindow()
{
    // Alt on its own comes as a system key after a release: nothing.
    QTest::keyClick(Window(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(Window(), Qt::Key_Shift, Qt::ShiftModifier);
    QCOMPARE(Field(*m_dialog), QString());

    // F10 while a key is held is taken (its down flag is the held key's).
    QTest::keyPress(Window(), Qt::Key_A);
    QTest::keyPress(Window(), Qt::Key_F10);
    QTest::keyRelease(Window(), Qt::Key_F10);
    QTest::keyRelease(Window(), Qt::Key_A);
    QCOMPARE(Field(*m_dialog), QStringLiteral("A+F10"));

    // Esc is a key like any other here and does not close the dialog.
    QTest::keyClick(Window(), Qt::Key_Escape);
    QCOMPARE(Field(*m_dialog), QStringLiteral("A+F10+Esc"));
    QVERIFY(m_dialog->isVisible());
}

// The keys the capture takes reach no button: not after a box was ticked
// with the mouse, nor after Tab. Space, Shift and Ctrl add nothing.
void TestGroupKey::noKeyPressesAButton()
{
    auto* field = Child<QLineEdit>(m_dialog.get(), QStringLiteral("lineEdit"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(field));

    auto* ctrl = Child<QCheckBox>(m_dialog.get(), QStringLiteral("Ctrl"));
    QTest::mouseClick(ctrl, Qt::LeftButton);
    QVERIFY(ctrl->isChecked());
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Shift, Qt::Key_Control, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Tab,
                        Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return}) {
        QTest::keyClick(Window(), key);
        QVERIFY2(m_dialog->isVisible(), qPrintable(QKeySequence(key).toString()));
    }
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(field));
    QVERIFY(ctrl->isChecked());
    for (const char* box : {"Shift", "Alt", "Win"})
        QVERIFY2(!Child<QCheckBox>(m_dialog.get(), QString::fromLatin1(box))->isChecked(), box);
    // Tab and Enter are keys with names; the slow machine's 2000 ms may
    // have started the combination again between them.
    for (const QString& item : Field(*m_dialog).split(QLatin1Char('+')))
        QVERIFY2(item == QLatin1String("Tab") || item == QLatin1String("Enter"), qPrintable(Field(*m_dialog)));
    QVERIFY(!m_dialog->accepted);
    QVERIFY(CombinationHookInstalled());
}

void TestGroupKey::okReturnsTheCombination()
{
    Tick(*m_dialog, "Ctrl");
    Tick(*m_dialog, "Alt");
    QTest::keyClick(Window(), Qt::Key_Delete);
    Click(*m_dialog, "NewHong");
    QVERIFY(m_dialog->accepted);
    QCOMPARE(m_dialog->keyText, QStringLiteral("Ctrl+Alt+Del"));
    QVERIFY(!m_dialog->isVisible());
    QVERIFY(!CombinationHookInstalled());
}

void TestGroupKey::moreThanThreeItemsAsksAgain()
{
    QPoint noticeAt;
    ModalAnswer<GroupMaxThree> notice([&noticeAt](GroupMaxThree& shown) {
        noticeAt = shown.pos();
        shown.OkButton()->click();
    });
    Tick(*m_dialog, "Shift");
    for (Qt::Key key : {Qt::Key_A, Qt::Key_B, Qt::Key_C})
        QTest::keyClick(Window(), key);
    QCOMPARE(Field(*m_dialog), QStringLiteral("A+B+C"));

    Click(*m_dialog, "NewHong");
    QCOMPARE(notice.count, 1);
    QCOMPARE(noticeAt, m_dialog->mapToGlobal(QPoint(0, 0)));
    QCOMPARE(Field(*m_dialog), QString());
    QVERIFY(m_dialog->isVisible());
    QVERIFY(!m_dialog->accepted);
    QVERIFY(CombinationHookInstalled());

    // The capture starts again; even the key pressed last is taken.
    QTest::keyClick(Window(), Qt::Key_C);
    Click(*m_dialog, "NewHong");
    QVERIFY(m_dialog->accepted);
    QCOMPARE(m_dialog->keyText, QStringLiteral("Shift+C"));
}

void TestGroupKey::pastedTextIsUpperCased()
{
    auto* field = Child<QLineEdit>(m_dialog.get(), QStringLiteral("lineEdit"));
    field->setText(QStringLiteral("ctrl+x"));
    emit field->textEdited(field->text());
    QCOMPARE(field->text(), QStringLiteral("CTRL+X"));
    Click(*m_dialog, "NewHong");
    QCOMPARE(m_dialog->keyText, QStringLiteral("CTRL+X"));
}

void TestGroupKey::everyCloseRemovesTheHook_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how : {"NewHong_2", "CloseButton", "window system", "destroyed"})
        QTest::newRow(how) << how;
}

void TestGroupKey::everyCloseRemovesTheHook()
{
    QFETCH(QString, how);
    QTest::keyClick(Window(), Qt::Key_A);
    if (how == "window system")
        m_dialog->close();
    else if (how == "destroyed")
        m_dialog.reset();
    else
        Click(*m_dialog, how.toLatin1().constData());

    QVERIFY(!CombinationHookInstalled());
    if (m_dialog) {
        QVERIFY(!m_dialog->accepted);
        QVERIFY(!m_dialog->isVisible());
        return;
    }
    // The next user of the instance reaches no callback of the dialog that went.
    KeyboardHook next(KeyboardHook::Combination);
    next.SetHook();
    next.KeyboardProc(0x42, KeyMessage::KeyDown);
    next.KeyboardProc(0x42, KeyMessage::KeyUp);
}

QTEST_MAIN(TestGroupKey)
#include "test_group_key.moc"
