// The macro page: listing and loading macros, New, Rename, Delete and Save
// with their files and hub emitted, the editing commands, keyboard
// navigation, a language switch, and the refusals while recording.
#include "macro_page_fixture.h"

#include "hub_recorder.h"
#include "keyboard_hook.h"
#include "label_file.h"
#include "post_msg.h"

#include "add_delay_time.h"
#include "add_key.h"
#include "exe_is_run.h"
#include "key_notices.h"
#include "question_dialog.h"
#include "up_date_warning.h"

#include <QLabel>
#include <QtTest>

namespace {

const QByteArray kFire("3\n0x04 1 0\n10ms\n0x04 1 1\n");
const QByteArray kShiftClick("254\n0x02 0 0\n15ms\n0x01 4 0\n30ms\n0x01 4 1\n");

// The name as the dialog hands it over (its own rules are its business).
void EnterName(QuestionDialog& dialog, const QString& name)
{
    dialog.enteredName = name;
}

template <class Notice>
struct Seen : ModalAnswer<Notice> {
    Seen() : ModalAnswer<Notice>([](Notice&) {}) {}
};

// A fixture with the three macros Fire, "Shift click" and an empty one.
void BuildThree(MacroPageFixture& f)
{
    f.WriteMacro(QStringLiteral("Fire"), kFire);
    f.WriteMacro(QStringLiteral("Shift click"), kShiftClick);
    f.WriteMacro(QStringLiteral("empty"), QByteArray());
    f.Build();
}

struct Hub : HubRecorder {
    Hub()
    {
        Record(&PostMsg::SigUpDataMacro, QStringLiteral("SigUpDataMacro"));
        Record(&PostMsg::SigMacroRename, QStringLiteral("SigMacroRename"));
        Record(&PostMsg::SigDeleteMacroButton, QStringLiteral("SigDeleteMacroButton"));
    }
};

} // namespace

class TestMacroPage : public QObject {
    Q_OBJECT
private slots:
    void listsAndLoadsMacros();
    void keyboardNavigationLoadsTheRow();
    void tooLargeMacroFileIsNotRead();
    void saveWritesAndReports_data();
    void saveWritesAndReports();
    void newMacro_data();
    void newMacro();
    void renameMacro_data();
    void renameMacro();
    void refusedNamesAreExplained_data();
    void refusedNamesAreExplained();
    void newNeverOverwritesAnUnlistedFile();
    void deleteMacro_data();
    void deleteMacro();
    void editingCommands();
    void languageSwitchKeepsMouseEvents();
    void refusedWhileRecording();
    void everyLanguageHoldsThePageTexts_data();
    void everyLanguageHoldsThePageTexts();
};

void TestMacroPage::tooLargeMacroFileIsNotRead()
{
    MacroPageFixture f;
    f.WriteMacro(QStringLiteral("Huge"), "3\n" + QByteArray("0x04 1 0\n10ms\n").repeated(80000));
    BuildThree(f);
    QStringList told;
    ModalAnswer<UpDateWarning> notice(
        [&told](UpDateWarning& d) { told << Child<QLabel>(&d, QStringLiteral("label"))->text(); });
    QString tooLarge;
    LabelFile::Load(LabelFile::PathFor(0), QStringLiteral("Macro"),
                    {{QStringLiteral("TooLarge"), [&tooLarge](const QString& text) { tooLarge = text; }}});

    f.Select(2); // the row changes, then the click loads it again: one notice
    QCOMPARE(f.Macros()->currentItem()->text(), QStringLiteral("Huge"));
    QCOMPARE(told, QStringList{tooLarge});
    QVERIFY(f.EventTexts().isEmpty());
    QVERIFY(!f.SaveActive());
    // It stays selected, so it can be deleted; the other macros load.
    f.Select(1);
    QCOMPARE(f.EventTexts(), (QStringList{"A", "10ms", "A^"}));
    f.Select(2);
    QCOMPARE(told.size(), 2);
}

void TestMacroPage::listsAndLoadsMacros()
{
    MacroPageFixture f;
    QFile other(MacroFolder() + QStringLiteral("/notes.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    BuildThree(f);
    QCOMPARE(f.MacroNames(), (QStringList{"empty", "Fire", "Shift click"}));
    QCOMPARE(f.Macros()->currentRow(), -1);
    QVERIFY(f.EventTexts().isEmpty());
    QVERIFY(!f.SaveActive());

    f.Select(1);
    QCOMPARE(f.EventTexts(), (QStringList{"A", "10ms", "A^"}));
    QVERIFY(f.W<QCheckBox>("ReNumber")->isChecked());
    QCOMPARE(f.W<QSpinBox>("NumberEdit")->value(), 3);
    QVERIFY(!f.SaveActive());

    f.Select(2);
    QCOMPARE(f.EventTexts(), (QStringList{"LShift", "15ms", "Left button", "30ms", "Left button^"}));
    QVERIFY(f.W<QCheckBox>("ReUntilLoose")->isChecked());
    QCOMPARE(f.W<QSpinBox>("NumberEdit")->value(), 3);
    QVERIFY(!f.SaveActive());

    // An empty file: no events, the repeat controls as they were.
    f.Select(0);
    QVERIFY(f.EventTexts().isEmpty());
    QVERIFY(f.W<QCheckBox>("ReUntilLoose")->isChecked());
    f.W<QCheckBox>("ReUntil")->click();
    QVERIFY(f.SaveActive());
}

void TestMacroPage::keyboardNavigationLoadsTheRow()
{
    MacroPageFixture f;
    BuildThree(f);
    f.Select(1);
    f.Macros()->setFocus();
    QTest::keyClick(f.Macros(), Qt::Key_Down);
    QCOMPARE(f.Macros()->currentRow(), 2);
    QCOMPARE(f.EventTexts(), (QStringList{"LShift", "15ms", "Left button", "30ms", "Left button^"}));

    f.Choose(8); // back button, after the events
    f.Click("Save");
    QCOMPARE(f.ReadMacro(QStringLiteral("Shift click")),
             kShiftClick + "10ms\n0x08 4 0\n10ms\n0x08 4 1\n");
    QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), kFire);
}

void TestMacroPage::saveWritesAndReports_data()
{
    QTest::addColumn<bool>("editEvents");
    QTest::addColumn<bool>("editRepeat");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("emitted");

    QTest::newRow("events") << true << false << QByteArray("3\n0x04 1 0\n10ms\n0x04 1 1\n10ms\n0x01 4 0\n10ms\n0x01 4 1\n")
                            << QStringList{"SigUpDataMacro(Fire,0)"};
    QTest::newRow("repeat mode") << false << true << QByteArray("253\n0x04 1 0\n10ms\n0x04 1 1\n")
                                 << QStringList{"SigUpDataMacro(Fire,1)"};
    QTest::newRow("both") << true << true
                          << QByteArray("253\n0x04 1 0\n10ms\n0x04 1 1\n10ms\n0x01 4 0\n10ms\n0x01 4 1\n")
                          << QStringList{"SigUpDataMacro(Fire,0)", "SigUpDataMacro(Fire,1)"};
}

void TestMacroPage::saveWritesAndReports()
{
    QFETCH(bool, editEvents);
    QFETCH(bool, editRepeat);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, emitted);

    MacroPageFixture f;
    BuildThree(f);
    Hub hub;
    f.Select(1);
    if (editEvents)
        f.Choose(4);
    if (editRepeat)
        f.W<QCheckBox>("ReUntil")->click();
    QVERIFY(f.SaveActive());
    f.Click("Save");
    QVERIFY(!f.SaveActive());
    QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), file);
    QCOMPARE(hub.events, emitted);

    // Saved: a second Save reports nothing new.
    hub.Clear();
    QVERIFY(QMetaObject::invokeMethod(f.page.get(), "on_Save_clicked"));
    QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), file);
    QVERIFY(hub.events.isEmpty());

    // Without a selected macro nothing is written.
    f.Macros()->setCurrentRow(-1);
    QVERIFY(QMetaObject::invokeMethod(f.page.get(), "on_Save_clicked"));
    QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), file);
    QVERIFY(hub.events.isEmpty());
}

void TestMacroPage::newMacro_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("sameNameNotices");
    QTest::addColumn<int>("failureNotices");

    const QStringList three = {"empty", "Fire", "Shift click"};
    QTest::newRow("new name") << "Combo" << three + QStringList{"Combo"} << 0 << 0;
    QTest::newRow("other letter case") << "fire" << three + QStringList{"fire"} << 0 << 0;
    QTest::newRow("listed name") << "Fire" << three << 1 << 0;
    QTest::newRow("cancelled") << "" << three << 0 << 0;
    QTest::newRow("path in the name") << "../escape" << three << 0 << 1;
}

void TestMacroPage::newMacro()
{
    QFETCH(QString, name);
    QFETCH(QStringList, names);
    QFETCH(int, sameNameNotices);
    QFETCH(int, failureNotices);

    MacroPageFixture f;
    BuildThree(f);
    f.Select(1);
    ModalAnswer<QuestionDialog> question([&](QuestionDialog& d) { EnterName(d, name); });
    Seen<SameMacro> same;
    Seen<UpDateWarning> failure;
    f.Click("NewHong");

    QCOMPARE(question.count, 1);
    QCOMPARE(same.count, sameNameNotices);
    QCOMPARE(failure.count, failureNotices);
    QCOMPARE(f.MacroNames(), names);
    QCOMPARE(ReadMacroList(MacroFolder()).size(), names.size());
    QVERIFY(!QFile::exists(MacroFolder() + QStringLiteral("/../escape.ini")));
    if (names.size() > 3) {
        QCOMPARE(f.Macros()->currentItem()->text(), name);
        QCOMPARE(f.ReadMacro(name), QByteArray());
        QVERIFY(f.EventTexts().isEmpty());
        QVERIFY(f.W<QCheckBox>("ReNumber")->isChecked());
        QCOMPARE(f.W<QSpinBox>("NumberEdit")->value(), 1);
    } else {
        QCOMPARE(f.Macros()->currentRow(), 1);
        QCOMPARE(f.EventTexts(), (QStringList{"A", "10ms", "A^"}));
    }
}

void TestMacroPage::renameMacro_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fileGone");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("emitted");
    QTest::addColumn<int>("sameNameNotices");
    QTest::addColumn<int>("failureNotices");

    QTest::newRow("new name") << "Blast" << false << QStringList{"empty", "Blast", "Shift click"}
                              << QStringList{"SigMacroRename(Fire,Blast)"} << 0 << 0;
    QTest::newRow("own name") << "Fire" << false << QStringList{"empty", "Fire", "Shift click"} << QStringList() << 1 << 0;
    QTest::newRow("listed name") << "empty" << false << QStringList{"empty", "Fire", "Shift click"} << QStringList() << 1
                                 << 0;
    QTest::newRow("cancelled") << "" << false << QStringList{"empty", "Fire", "Shift click"} << QStringList() << 0 << 0;
    QTest::newRow("unusable name") << "a\\b" << false << QStringList{"empty", "Fire", "Shift click"} << QStringList() << 0
                                   << 1;
    QTest::newRow("file gone") << "Blast" << true << QStringList{"empty", "Fire", "Shift click"} << QStringList() << 0 << 1;
}

void TestMacroPage::renameMacro()
{
    QFETCH(QString, name);
    QFETCH(bool, fileGone);
    QFETCH(QStringList, names);
    QFETCH(QStringList, emitted);
    QFETCH(int, sameNameNotices);
    QFETCH(int, failureNotices);

    MacroPageFixture f;
    BuildThree(f);
    f.Select(1);
    if (fileGone)
        QFile::remove(MacroFilePath(MacroFolder(), QStringLiteral("Fire")));
    Hub hub;
    ModalAnswer<QuestionDialog> question([&](QuestionDialog& d) { EnterName(d, name); });
    Seen<SameMacro> same;
    Seen<UpDateWarning> failure;
    QVERIFY(QMetaObject::invokeMethod(f.page.get(), "RenameMacro"));

    QCOMPARE(f.MacroNames(), names);
    QCOMPARE(hub.events, emitted);
    QCOMPARE(same.count, sameNameNotices);
    QCOMPARE(failure.count, failureNotices);
    if (!emitted.isEmpty()) {
        QVERIFY(!f.MacroExists(QStringLiteral("Fire")));
        QCOMPARE(f.ReadMacro(name), kFire);
        // The shown events now belong to the new name.
        f.Choose(4);
        f.Click("Save");
        QVERIFY(f.ReadMacro(name).startsWith(kFire));
        QVERIFY(!f.MacroExists(QStringLiteral("Fire")));
    } else if (!fileGone) {
        QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), kFire);
    }
}

void TestMacroPage::refusedNamesAreExplained_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("language");

    for (const char* name : {"../x", "..", ".Fire", "a/b"}) {
        QTest::addRow("New %s", name) << "on_NewHong_clicked" << name << 0;
        QTest::addRow("Rename %s", name) << "RenameMacro" << name << 0;
    }
    QTest::newRow("New ../x, Russian") << "on_NewHong_clicked" << "../x" << 1;
    QTest::newRow("Rename .Fire, Japanese") << "RenameMacro" << ".Fire" << 5;
}

// Names typed into the real name dialog that cannot name a macro file: the
// page says so in the page's language and changes nothing.
void TestMacroPage::refusedNamesAreExplained()
{
    QFETCH(QString, command);
    QFETCH(QString, typed);
    QFETCH(int, language);

    MacroPageFixture f;
    BuildThree(f);
    emit PostMsg::GetInstance()->SigChangeLanguage(language);
    f.Select(1);
    Hub hub;
    ModalAnswer<QuestionDialog> question([&](QuestionDialog& dialog) {
        dialog.show();
        QTest::keyClicks(Child<QLineEdit>(&dialog, QStringLiteral("lineEdit")), typed);
        ClickChild(dialog, "NewHong");
    });
    QString told;
    ModalAnswer<UpDateWarning> notice(
        [&told](UpDateWarning& dialog) { told = Child<QLabel>(&dialog, QStringLiteral("label"))->text(); });
    Seen<SameMacro> same;
    QVERIFY(QMetaObject::invokeMethod(f.page.get(), qPrintable(command)));
    emit PostMsg::GetInstance()->SigChangeLanguage(0);

    QString expected;
    LabelFile::Load(LabelFile::PathFor(language), QStringLiteral("Macro"),
                    {{QStringLiteral("NameFail"), [&expected](const QString& text) { expected = text; }}});
    QCOMPARE(question.count, 1);
    QCOMPARE(notice.count, 1);
    QCOMPARE(same.count, 0);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(told, expected);
    QCOMPARE(f.MacroNames(), (QStringList{"empty", "Fire", "Shift click"}));
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{"Fire.ini", "Shift click.ini", "empty.ini"}));
    QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), kFire);
    QVERIFY(!QFile::exists(MacroFolder() + QStringLiteral("/../x.ini")));
    QVERIFY(hub.events.isEmpty());
}

// A file the list does not show (here a link to a file elsewhere) keeps its
// content: New with its name is refused as a name in use.
void TestMacroPage::newNeverOverwritesAnUnlistedFile()
{
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("notes.txt"));
    {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me\n");
    }
    MacroPageFixture f;
    BuildThree(f);
    QVERIFY(QFile::link(target, MacroFilePath(MacroFolder(), QStringLiteral("Linked"))));
    ModalAnswer<QuestionDialog> question([](QuestionDialog& d) { EnterName(d, QStringLiteral("Linked")); });
    Seen<SameMacro> same;
    f.Click("NewHong");

    QCOMPARE(same.count, 1);
    QCOMPARE(f.MacroNames(), (QStringList{"empty", "Fire", "Shift click"}));
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("keep me\n"));
}

void TestMacroPage::deleteMacro_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("fileStuck");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("emitted");

    QTest::newRow("confirmed") << true << false << QStringList{"empty", "Shift click"}
                               << QStringList{"SigDeleteMacroButton(Macro-Fire)"};
    QTest::newRow("closed") << false << false << QStringList{"empty", "Fire", "Shift click"} << QStringList();
    QTest::newRow("file cannot go") << true << true << QStringList{"empty", "Fire", "Shift click"} << QStringList();
}

void TestMacroPage::deleteMacro()
{
    QFETCH(bool, confirm);
    QFETCH(bool, fileStuck);
    QFETCH(QStringList, names);
    QFETCH(QStringList, emitted);

    MacroPageFixture f;
    BuildThree(f);
    Hub hub;
    ModalAnswer<DeleteConfirm> question([&](DeleteConfirm& d) { ClickChild(d, confirm ? "NewHong" : "CloseButton"); });
    Seen<UpDateWarning> failure;

    f.Click("DeleteHong");
    QCOMPARE(question.count, 0); // nothing selected

    f.Select(1);
    if (fileStuck) {
        // A folder in the file's place cannot be removed as a file.
        const QString path = MacroFilePath(MacroFolder(), QStringLiteral("Fire"));
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    }
    f.Click("DeleteHong");
    QCOMPARE(question.count, 1);
    QCOMPARE(failure.count, fileStuck ? 1 : 0);
    QCOMPARE(f.MacroNames(), names);
    QCOMPARE(hub.events, emitted);
    if (!emitted.isEmpty()) {
        QVERIFY(!f.MacroExists(QStringLiteral("Fire")));
        QCOMPARE(f.Macros()->currentRow(), -1);
        QVERIFY(f.EventTexts().isEmpty());
    } else {
        QCOMPARE(f.Macros()->currentRow(), 1);
        QCOMPARE(f.EventTexts(), (QStringList{"A", "10ms", "A^"}));
    }
}

void TestMacroPage::editingCommands()
{
    MacroPageFixture f;
    BuildThree(f);
    f.Select(1);
    KeyboardHook keys(KeyboardHook::SingleKey);

    // A key release after the last key.
    f.EventsList()->setCurrentRow(2);
    {
        ModalAnswer<addKey> key([&](addKey& d) {
            keys.KeyboardProc(0x42, KeyMessage::KeyDown);
            ClickChild(d, "NewHong");
        });
        f.Choose(2);
        QCOMPARE(key.count, 1);
    }
    QCOMPARE(f.EventTexts(), (QStringList{"A", "10ms", "A^", "10ms", "B^"}));
    QVERIFY(f.SaveActive());

    // A delay changed, then a key changed keeping its release.
    f.EventsList()->setCurrentRow(1);
    {
        ModalAnswer<AddDelayTime> delay([](AddDelayTime& d) {
            Child<QSpinBox>(&d, QStringLiteral("spinBox"))->setValue(65535);
            ClickChild(d, "NewHong");
        });
        f.Click("Amend");
        QCOMPARE(delay.count, 1);
    }
    f.EventsList()->setCurrentRow(2);
    {
        ModalAnswer<addKey> key([&](addKey& d) {
            keys.KeyboardProc(0x43, KeyMessage::KeyDown);
            ClickChild(d, "NewHong");
        });
        f.Click("Amend");
    }
    QCOMPARE(f.EventTexts(), (QStringList{"A", "65535ms", "C^", "10ms", "B^"}));

    // A cancelled dialog changes nothing.
    {
        ModalAnswer<addKey> key([](addKey& d) { ClickChild(d, "NewHong_2"); });
        f.Choose(1);
        QCOMPARE(key.count, 1);
    }
    QCOMPARE(f.EventTexts().size(), 5);

    // Delete a key with its delay; fewer than four events go all at once.
    f.EventsList()->setCurrentRow(0);
    f.Click("DeleteKey");
    QCOMPARE(f.EventTexts(), (QStringList{"C^", "10ms", "B^"}));
    f.EventsList()->setCurrentRow(-1);
    f.Click("DeleteKey");
    QVERIFY(f.EventTexts().isEmpty());

    f.Click("Save");
    QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), QByteArray("3\n"));
}

void TestMacroPage::languageSwitchKeepsMouseEvents()
{
    MacroPageFixture f;
    BuildThree(f);
    f.Select(2);
    emit PostMsg::GetInstance()->SigChangeLanguage(3);
    QCOMPARE(f.EventTexts().at(2), QStringLiteral("왼쪽 버튼"));
    f.W<QCheckBox>("ReUntilClick")->click();
    f.Click("Save");
    QCOMPARE(f.ReadMacro(QStringLiteral("Shift click")), "255" + kShiftClick.mid(3));
    emit PostMsg::GetInstance()->SigChangeLanguage(0);
    QCOMPARE(f.EventTexts().at(2), QStringLiteral("Left button"));
}

void TestMacroPage::refusedWhileRecording()
{
    MacroPageFixture f;
    BuildThree(f);
    f.Select(1);
    f.Choose(4);
    g_macroRecording = true;
    Seen<ExeIsRun> pleaseStop;
    Seen<QuestionDialog> question;
    Seen<DeleteConfirm> confirm;
    for (const char* slot : {"on_NewHong_clicked", "on_DeleteHong_clicked", "on_Save_clicked", "on_Amend_clicked",
                             "on_DeleteKey_clicked"})
        QVERIFY(QMetaObject::invokeMethod(f.page.get(), slot));
    g_macroRecording = false;
    QCOMPARE(pleaseStop.count, 5);
    QCOMPARE(question.count + confirm.count, 0);
    QCOMPARE(f.MacroNames(), (QStringList{"empty", "Fire", "Shift click"}));
    QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), kFire);
    QCOMPARE(f.EventTexts().size(), 7);
}

void TestMacroPage::everyLanguageHoldsThePageTexts_data()
{
    QTest::addColumn<int>("language");
    for (int language : {0, 1, 2, 3, 5})
        QTest::newRow(qPrintable(LabelFile::FileName(language))) << language;
}

void TestMacroPage::everyLanguageHoldsThePageTexts()
{
    QFETCH(int, language);
    QStringList keys = {"label", "label_2", "label_3", "NewHong", "DeleteHong", "Amend", "DeleteKey", "Save",
                        "StartRecord", "StopRecord", "DefaultDelay", "ReNumber", "AutoInsertDelay", "ReUntilLoose",
                        "ReUntilClick", "ReUntil", "MacroReal", "FileFail", "NameFail", "ImportFail", "ExportFail", "TooLarge"};
    for (int i = 1; i <= 8; ++i)
        keys << QStringLiteral("ChooseEvent%1").arg(i);
    for (int i = 1; i <= 5; ++i)
        keys << QStringLiteral("Key%1").arg(i);
    QMap<QString, QString> texts;
    LabelFile::Keys sinks;
    for (const QString& key : keys)
        sinks.insert(key, [&texts, key](const QString& text) { texts.insert(key, text.trimmed()); });
    LabelFile::Load(LabelFile::PathFor(language), QStringLiteral("Macro"), sinks);
    for (const QString& key : keys)
        QVERIFY2(!texts.value(key).isEmpty(), qPrintable(key));

    // A deleted macro's name must read as the button page shows it.
    QString buttonPrefix;
    LabelFile::Load(LabelFile::PathFor(language), QStringLiteral("Buttoninterface"),
                    {{QStringLiteral("Macro_"), [&buttonPrefix](const QString& text) { buttonPrefix = text; }}});
    QVERIFY(!buttonPrefix.isEmpty());
    QString macroReal;
    LabelFile::Load(LabelFile::PathFor(language), QStringLiteral("Macro"),
                    {{QStringLiteral("MacroReal"), [&macroReal](const QString& text) { macroReal = text; }}});
    QCOMPARE(macroReal, buttonPrefix);
}

QTEST_MAIN(TestMacroPage)
#include "test_macro_page.moc"
