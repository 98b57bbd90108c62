// The nine notice dialogs: form, texts by language and mode, answers,
// shortcuts and closing routes. They read the shipped language files.
#include "language_rows.h"

#include "app_state.h"
#include "contain_reset.h"
#include "exe_is_run.h"
#include "find_new_ver.h"
#include "inport_fail.h"
#include "label_file.h"
#include "less_three.h"
#include "mouse_off_line.h"
#include "post_msg.h"
#include "question_dialog_b.h"
#include "re_pair.h"
#include "up_date_warning.h"
#include "user_setting_store.h"

#include <QtTest>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QTextLayout>
#include <QToolButton>

#include <functional>
#include <memory>

using Factory = std::function<QDialog*()>;
Q_DECLARE_METATYPE(Factory)

namespace {

template <typename T>
Factory Make()
{
    return [] { return new T; };
}

QString LabelText(QDialog* dialog)
{
    return dialog->findChild<QLabel*>(QStringLiteral("label"))->text();
}

QString ButtonText(QDialog* dialog, const QString& name)
{
    return dialog->findChild<QToolButton*>(name)->text();
}

void SetStoredLanguage(int index)
{
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QString::number(index));
}

void ShowActive(QDialog* dialog)
{
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
}

// The widest line of a word-wrapped label's text, laid out as the label
// lays it out.
qreal WidestLine(const QLabel* label)
{
    QTextLayout layout(label->text(), label->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    qreal widest = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->contentsRect().width());
        widest = qMax(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return widest;
}

} // namespace

class TestWindowsNotices : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void form_data();
    void form();
    void answers_data();
    void answers();
    void oneButtonNoticesClose_data();
    void oneButtonNoticesClose();
    void returnShortcut_data();
    void returnShortcut();
    void returnShortcutSurvivesLanguageChange();
    void offlineTextFollowsMode_data();
    void offlineTextFollowsMode();
    void offlineNoticeClosesWhenMouseIsBack();
    void offlineNoticeReportsWhileOpen();
    void importTextFollowsResult_data();
    void importTextFollowsResult();
    void exeIsRunKeepsMacroTexts();
    void warningKeepsOpenersText();
    void longWarningShownWhole_data();
    void longWarningShownWhole();
    void languageIndexFour_data();
    void languageIndexFour();
    void languageChangeReachesOpenNotices();
};

void TestWindowsNotices::init()
{
    SetStoredLanguage(0);
    g_offlineNoticeMode = 0;
    g_importResult = 1;
}

void TestWindowsNotices::cleanup()
{
    SetStoredLanguage(0);
}

// Object names, size, window flags and English texts of every notice.
void TestWindowsNotices::form_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("buttons"); // name=text

    QTest::newRow("QuestiondialogB") << Make<QuestiondialogB>() << "QuestiondialogB" << "QuestionB"
                                     << "Please do not connect several identical devices at the same time." << QStringList();
    QTest::newRow("MouseOffLine") << Make<MouseOffLine>() << "MouseOffLine" << "MouseOffLineA"
                                  << "The mouse is offline. Please move the mouse to wake it up." << QStringList{"NewHong=OK"};
    QTest::newRow("ContainReset") << Make<ContainReset>() << "ContainReset" << "ContainResetA"
                                  << "Restore the default settings?" << QStringList{"OK=OK", "Cancel=Cancel"};
    QTest::newRow("RePair") << Make<RePair>() << "RePair" << "RePairA" << "Do you want to pair the mouse again?"
                            << QStringList{"OK=OK", "Cancel=Cancel"};
    QTest::newRow("ExeIsRun") << Make<ExeIsRun>() << "ExeIsRun" << "DeleteConfirmA" << "The program is already running."
                              << QStringList{"NewHong=OK"};
    QTest::newRow("InportFail") << Make<InportFail>() << "InportFail" << "InportFailA"
                                << "The file cannot be read or is not a configuration file." << QStringList{"NewHong=OK"};
    QTest::newRow("FindNewVer") << Make<FindNewVer>() << "FindNewVer" << "SameMacroA" << "New firmware found. Please update!"
                                << QStringList{"NewHong=OK"};
    QTest::newRow("UpDateWarning") << Make<UpDateWarning>() << "UpDateWarning" << "WarningFrame" << "Confirm Delete"
                                   << QStringList{"NewHong=OK"};
    QTest::newRow("LessThree") << Make<LessThree>() << "LessThree" << "LessThreeframe"
                               << "A debounce time below 4 ms may cause unintended double clicks." << QStringList{"NewHong=OK"};
}

void TestWindowsNotices::form()
{
    QFETCH(Factory, make);
    QFETCH(QString, name);
    QFETCH(QString, frame);
    QFETCH(QString, label);
    QFETCH(QStringList, buttons);

    std::unique_ptr<QDialog> dialog(make());
    QCOMPARE(dialog->objectName(), name);
    QCOMPARE(dialog->size(), QSize(300, 140));
    // Qt adds the Window bit itself to a window without parent.
    QCOMPARE(int(dialog->windowFlags() | Qt::Window), 0x6C12 | int(Qt::Window));
    QVERIFY(dialog->findChild<QFrame*>(frame));
    QVERIFY(dialog->findChild<QToolButton*>(QStringLiteral("CloseButton")));
    QCOMPARE(LabelText(dialog.get()), label);
    for (const QString& button : buttons) {
        const QStringList parts = button.split('=');
        QCOMPARE(ButtonText(dialog.get(), parts[0]), parts[1]);
    }
    if (name == "QuestiondialogB") {
        QCOMPARE(dialog->minimumSize(), QSize(300, 140));
        QCOMPARE(dialog->maximumSize(), QSize(300, 140));
    }
    if (name == "FindNewVer") {
        auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("NoApear"));
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Do not show again"));
        QCOMPARE(box->focusPolicy(), Qt::NoFocus);
    }
}

// The two questions answer yes only through OK (or Return for ContainReset).
void TestWindowsNotices::answers_data()
{
    QTest::addColumn<bool>("containReset"); // false: RePair
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("closed");

    for (bool reset : {true, false}) {
        const char* cls = reset ? "ContainReset" : "RePair";
        QTest::addRow("%s OK", cls) << reset << "OK" << true << true;
        QTest::addRow("%s Cancel", cls) << reset << "Cancel" << false << true;
        QTest::addRow("%s close button", cls) << reset << "CloseButton" << false << true;
        QTest::addRow("%s Escape", cls) << reset << "Escape" << false << true;
        QTest::addRow("%s keypad Enter", cls) << reset << "Enter" << false << false;
    }
    QTest::newRow("ContainReset Return") << true << "Return" << true << true;
    QTest::newRow("RePair Return") << false << "Return" << false << false;
}

void TestWindowsNotices::answers()
{
    QFETCH(bool, containReset);
    QFETCH(QString, action);
    QFETCH(bool, result);
    QFETCH(bool, closed);

    std::unique_ptr<QDialog> dialog(containReset ? static_cast<QDialog*>(new ContainReset) : new RePair);
    bool* answer = containReset ? &static_cast<ContainReset*>(dialog.get())->result
                                : &static_cast<RePair*>(dialog.get())->result;
    QCOMPARE(*answer, false);
    ShowActive(dialog.get());

    QToolButton* ok = dialog->findChild<QToolButton*>(QStringLiteral("OK"));
    if (action == "Escape") {
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
    } else if (action == "Return") {
        QTest::keyClick(dialog.get(), Qt::Key_Return);
    } else if (action == "Enter") {
        QTest::keyClick(dialog.get(), Qt::Key_Enter, Qt::KeypadModifier);
        // A shortcut would have pushed the button down at once.
        QVERIFY(!ok->isDown());
    } else {
        QTest::mouseClick(dialog->findChild<QToolButton*>(action), Qt::LeftButton);
    }

    if (closed)
        QTRY_VERIFY(!dialog->isVisible());
    else
        QVERIFY(dialog->isVisible());
    QCOMPARE(*answer, result);
}

void TestWindowsNotices::oneButtonNoticesClose_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QString>("action");

    const QList<QPair<const char*, Factory>> notices = {
        {"MouseOffLine", Make<MouseOffLine>()}, {"ExeIsRun", Make<ExeIsRun>()},
        {"InportFail", Make<InportFail>()},     {"FindNewVer", Make<FindNewVer>()},
        {"UpDateWarning", Make<UpDateWarning>()}, {"LessThree", Make<LessThree>()},
        {"QuestiondialogB", Make<QuestiondialogB>()},
    };
    for (const auto& notice : notices) {
        for (const char* action : {"NewHong", "CloseButton", "Escape"}) {
            if (QByteArray(notice.first) == "QuestiondialogB" && QByteArray(action) == "NewHong")
                continue; // it has no confirm button
            QTest::addRow("%s %s", notice.first, action) << notice.second << action;
        }
    }
}

void TestWindowsNotices::oneButtonNoticesClose()
{
    QFETCH(Factory, make);
    QFETCH(QString, action);

    std::unique_ptr<QDialog> dialog(make());
    dialog->show();
    if (action == "Escape")
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
    else
        QTest::mouseClick(dialog->findChild<QToolButton*>(action), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
}

// Only UpDateWarning among the one-button notices confirms with Return.
void TestWindowsNotices::returnShortcut_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<bool>("closes");

    QTest::newRow("UpDateWarning") << Make<UpDateWarning>() << true;
    QTest::newRow("MouseOffLine") << Make<MouseOffLine>() << false;
    QTest::newRow("ExeIsRun") << Make<ExeIsRun>() << false;
    QTest::newRow("InportFail") << Make<InportFail>() << false;
    QTest::newRow("LessThree") << Make<LessThree>() << false;
}

void TestWindowsNotices::returnShortcut()
{
    QFETCH(Factory, make);
    QFETCH(bool, closes);

    std::unique_ptr<QDialog> dialog(make());
    ShowActive(dialog.get());
    QToolButton* confirm = dialog->findChild<QToolButton*>(QStringLiteral("NewHong"));

    QTest::keyClick(dialog.get(), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(!confirm->isDown());
    QVERIFY(dialog->isVisible());

    QTest::keyClick(dialog.get(), Qt::Key_Return);
    QCOMPARE(confirm->isDown(), closes);
    if (closes)
        QTRY_VERIFY(!dialog->isVisible());
    else
        QVERIFY(dialog->isVisible());
}

// The settings page keeps one UpDateWarning for the whole run; a language
// change while it is hidden must not cost it its Return key. The same for
// ContainReset, whose texts can be reloaded while it is open.
void TestWindowsNotices::returnShortcutSurvivesLanguageChange()
{
    UpDateWarning warning;
    emit PostMsg::GetInstance()->SigChangeLanguage(1);
    QCOMPARE(ButtonText(&warning, "NewHong"), QString::fromUtf8("ОК"));
    ShowActive(&warning);
    QTest::keyClick(&warning, Qt::Key_Return);
    QTRY_VERIFY(!warning.isVisible());

    ContainReset reset;
    emit PostMsg::GetInstance()->SigChangeLanguage(3);
    QCOMPARE(ButtonText(&reset, "OK"), QString::fromUtf8("확인"));
    ShowActive(&reset);
    QTest::keyClick(&reset, Qt::Key_Return);
    QTRY_VERIFY(!reset.isVisible());
    QVERIFY(reset.result);
}

void TestWindowsNotices::offlineTextFollowsMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("label");
    QTest::newRow("0 offline") << 0 << "The mouse is offline. Please move the mouse to wake it up.";
    QTest::newRow("1 time-out") << 1 << "The mouse did not respond in time. Please try again.";
    QTest::newRow("other: form default") << 2 << "   The mouse is offline. Please move first";
}

void TestWindowsNotices::offlineTextFollowsMode()
{
    QFETCH(int, mode);
    QFETCH(QString, label);
    g_offlineNoticeMode = mode;
    MouseOffLine notice;
    QCOMPARE(LabelText(&notice), label);
}

void TestWindowsNotices::offlineNoticeClosesWhenMouseIsBack()
{
    MouseOffLine notice;
    notice.show();
    emit PostMsg::GetInstance()->SigCloseOffOnline();
    QVERIFY(!notice.isVisible());
}

// The opener asks IsOpen() so that repeated offline signals stack no notices.
void TestWindowsNotices::offlineNoticeReportsWhileOpen()
{
    QVERIFY(!MouseOffLine::IsOpen());
    {
        MouseOffLine notice;
        QVERIFY(MouseOffLine::IsOpen());
        notice.show();
        QTest::mouseClick(notice.findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
        QVERIFY(MouseOffLine::IsOpen()); // until the opener's scope ends
    }
    QVERIFY(!MouseOffLine::IsOpen());
}

void TestWindowsNotices::importTextFollowsResult_data()
{
    QTest::addColumn<int>("importResult");
    QTest::addColumn<QString>("label");
    QTest::newRow("1 unreadable") << 1 << "The file cannot be read or is not a configuration file.";
    QTest::newRow("2 other model") << 2 << "This configuration does not match the device.";
    QTest::newRow("other: form default") << 0 << "Config does not match the device";
}

void TestWindowsNotices::importTextFollowsResult()
{
    QFETCH(int, importResult);
    QFETCH(QString, label);
    g_importResult = importResult;
    InportFail notice;
    QCOMPARE(LabelText(&notice), label);
    // An export failure shows its own text, whatever the last import gave.
    notice.ShowExportFailedText();
    QCOMPARE(LabelText(&notice), QStringLiteral("The configuration file could not be saved."));
}

void TestWindowsNotices::exeIsRunKeepsMacroTexts()
{
    ExeIsRun notice;
    notice.ShowLabel2Text();
    QCOMPARE(LabelText(&notice), QStringLiteral("Please select a macro first."));
    notice.ShowPleaseStopText();
    QCOMPARE(LabelText(&notice), QStringLiteral("Please stop the recording first."));
    emit PostMsg::GetInstance()->SigChangeLanguage(1);
    notice.ShowPleaseStopText();
    QCOMPARE(LabelText(&notice), QString::fromUtf8("Сначала остановите запись."));
}

void TestWindowsNotices::warningKeepsOpenersText()
{
    UpDateWarning warning;
    warning.SetLabelText(QStringLiteral("Use the cable"));
    emit PostMsg::GetInstance()->SigChangeLanguage(2);
    QCOMPARE(LabelText(&warning), QStringLiteral("Use the cable"));
    QCOMPARE(ButtonText(&warning, "NewHong"), QString::fromUtf8("確定"));

    ContainReset reset;
    reset.SetLabelText(QStringLiteral("Upgrade now?"));
    QCOMPARE(LabelText(&reset), QStringLiteral("Upgrade now?"));
}

// The notice of an unusable world file carries the file's path: the notice
// grows until the whole message shows, and a part of the path wider than a
// line breaks instead of running past the edge. A short message gives the form's size
// back to the kept instance.
void TestWindowsNotices::longWarningShownWhole_data()
{
    AddLanguageRows();
}

void TestWindowsNotices::longWarningShownWhole()
{
    QFETCH(int, index);
    QString text;
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("DialogMain"),
                    {{QStringLiteral("WorldFileError"), [&text](const QString& value) { text = value; }}});
    QVERIFY(text.contains(QLatin1String("%1")));
    // One folder name is wider than the label and offers no place to break.
    const QString message = text.arg(QStringLiteral("/home/someone/QuorixOneSimulatedDevicesKeptForTestingTheirFirmware/"
                                                     "SimWorld.ini, line 12: bad value for flashanswer"));
    UpDateWarning warning;
    const QSize formSize = warning.size();
    warning.SetLabelText(message);

    auto* label = warning.findChild<QLabel*>(QStringLiteral("label"));
    QCOMPARE(label->text().remove(QChar(0x200B)), message);
    QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
             qPrintable(QStringLiteral("%1 px of text in %2").arg(label->heightForWidth(label->width())).arg(label->height())));
    QVERIFY2(WidestLine(label) <= label->contentsRect().width(), qPrintable(QString::number(WidestLine(label))));
    auto* ok = warning.findChild<QToolButton*>(QStringLiteral("NewHong"));
    QVERIFY(ok->geometry().top() > label->geometry().bottom());
    QVERIFY(warning.rect().contains(ok->geometry()));
    QVERIFY(warning.findChild<QFrame*>(QStringLiteral("WarningFrame"))->geometry() == warning.rect());
    QCOMPARE(warning.width(), formSize.width());

    warning.SetLabelText(QStringLiteral("Use the cable"));
    QCOMPARE(warning.size(), formSize);
    QCOMPARE(label->height(), 62);
    QVERIFY(ok->geometry().top() > label->geometry().bottom());
}

// Index 4 has no file of its own: English, except for LessThree (Russian).
void TestWindowsNotices::languageIndexFour_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QString>("label");
    QTest::newRow("LessThree") << Make<LessThree>()
                               << QString::fromUtf8("Время подавления дребезга меньше 4 мс может вызывать ложные двойные щелчки.");
    QTest::newRow("RePair") << Make<RePair>() << "Do you want to pair the mouse again?";
    QTest::newRow("QuestiondialogB") << Make<QuestiondialogB>()
                                     << "Please do not connect several identical devices at the same time.";
}

void TestWindowsNotices::languageIndexFour()
{
    QFETCH(Factory, make);
    QFETCH(QString, label);
    SetStoredLanguage(4);
    std::unique_ptr<QDialog> dialog(make());
    QCOMPARE(LabelText(dialog.get()), label);
}

void TestWindowsNotices::languageChangeReachesOpenNotices()
{
    SetStoredLanguage(3);
    RePair pair;
    FindNewVer found;
    QCOMPARE(ButtonText(&pair, "Cancel"), QString::fromUtf8("취소"));

    emit PostMsg::GetInstance()->SigChangeLanguage(5);
    QCOMPARE(LabelText(&pair), QString::fromUtf8("もう一度ペアリングしますか？"));
    QCOMPARE(ButtonText(&pair, "Cancel"), QString::fromUtf8("キャンセル"));
    QCOMPARE(found.findChild<QCheckBox*>(QStringLiteral("NoApear"))->text(), QString::fromUtf8("次回から表示しない"));
}

QTEST_MAIN(TestWindowsNotices)
#include "test_windows_notices.moc"
