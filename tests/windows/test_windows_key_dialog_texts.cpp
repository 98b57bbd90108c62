// Texts of the key dialogs and notices: every shipped language fills every
// text (translated, apart from "OK"), and a label file that lacks elements
// leaves the form's defaults in place.
#include "add_delay_time.h"
#include "add_key.h"
#include "fire_key.h"
#include "group_key.h"
#include "key_notices.h"
#include "question_dialog.h"
#include "user_setting_store.h"

#include "find_child.h"
#include "language_rows.h"
#include "own_program_folder.h"

#include <QtTest>

#include <QLabel>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

// The texts a dialog shows, by widget name; "prompt" and "renamePrompt" are
// the two prompts of the name dialog.
using Texts = QMap<QString, QString>;
using Reader = std::function<Texts()>;

template <typename Dialog>
Texts WidgetTexts(const QStringList& names)
{
    Dialog dialog;
    Texts texts;
    for (const QString& name : names) {
        if (auto* label = dialog.template findChild<QLabel*>(name))
            texts[name] = label->text();
        else
            texts[name] = Child<QToolButton>(&dialog, name)->text();
    }
    return texts;
}

Texts NameDialogTexts()
{
    QuestionDialog dialog;
    Texts texts;
    dialog.SetPromptText(false);
    texts[QStringLiteral("prompt")] = Child<QLabel>(&dialog, QStringLiteral("label"))->text();
    dialog.SetPromptText(true);
    texts[QStringLiteral("renamePrompt")] = Child<QLabel>(&dialog, QStringLiteral("label"))->text();
    texts[QStringLiteral("NewHong")] = Child<QToolButton>(&dialog, QStringLiteral("NewHong"))->text();
    texts[QStringLiteral("NewHong_2")] = Child<QToolButton>(&dialog, QStringLiteral("NewHong_2"))->text();
    return texts;
}

const QStringList TwoButtons = {QStringLiteral("label"), QStringLiteral("NewHong"), QStringLiteral("NewHong_2")};
const QStringList OneButton = {QStringLiteral("label"), QStringLiteral("NewHong")};

QVector<QPair<QString, Reader>> Dialogs()
{
    return {
        {"LeftButtonOnly", [] { return WidgetTexts<LeftButtonOnly>({"label"}); }},
        {"MakeMacro", [] { return WidgetTexts<MakeMacro>(OneButton); }},
        {"GroupMaxThree", [] { return WidgetTexts<GroupMaxThree>(OneButton); }},
        {"SameMacro", [] { return WidgetTexts<SameMacro>(OneButton); }},
        {"KeyNumberLimit", [] { return WidgetTexts<KeyNumberLimit>(OneButton); }},
        {"DeleteConfirm", [] { return WidgetTexts<DeleteConfirm>(OneButton); }},
        {"QuestionDialog", NameDialogTexts},
        {"AddDelayTime", [] { return WidgetTexts<AddDelayTime>(TwoButtons); }},
        {"addKey", [] { return WidgetTexts<addKey>(TwoButtons); }},
        {"GroupKey", [] { return WidgetTexts<GroupKey>(TwoButtons); }},
        {"FireKey", [] { return WidgetTexts<FireKey>(TwoButtons + QStringList{"label_2", "label_3"}); }},
    };
}

void SetStoredLanguage(int index)
{
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"),
                                           QString::number(index));
}

// Sections with elements left out: what is missing keeps the form's text.
const char FixtureFile[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<Total>
    <ButtonOnly><label>Fixture left</label></ButtonOnly>
    <MakeMacro><NewHong>Fixture OK</NewHong></MakeMacro>
    <MaxThree><label>Fixture three</label><Other><NewHong>nested</NewHong></Other></MaxThree>
    <Limit><label>Fixture limit</label></Limit>
    <Question><label>Fixture new</label><NewHong_2>Fixture cancel</NewHong_2></Question>
    <AddDelayTime><NewHong>Fixture OK</NewHong></AddDelayTime>
    <AddKey><label>Fixture key</label></AddKey>
    <groupKey><NewHong_2>Fixture cancel</NewHong_2></groupKey>
    <FireKey><label_3>Fixture zero</label_3></FireKey>
</Total>
)";

} // namespace

class TestWindowsKeyDialogTexts : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { SetStoredLanguage(0); }
    void shippedLanguagesFillEveryText_data();
    void shippedLanguagesFillEveryText();
    void missingElementsKeepTheDefaults_data();
    void missingElementsKeepTheDefaults();
};

void TestWindowsKeyDialogTexts::init()
{
    QVERIFY(OwnProgramFolder::CopyShipped(QStringLiteral("Language"), QStringLiteral("*.xml")));
    QVERIFY(OwnProgramFolder::CopyShipped(QStringLiteral("usersetting/Config.ini")));
}

void TestWindowsKeyDialogTexts::shippedLanguagesFillEveryText_data()
{
    AddLanguageRows({1, 2, 3, 5});
}

void TestWindowsKeyDialogTexts::shippedLanguagesFillEveryText()
{
    QFETCH(int, index);
    for (const auto& dialog : Dialogs()) {
        SetStoredLanguage(0);
        const Texts english = dialog.second();
        SetStoredLanguage(index);
        const Texts translated = dialog.second();
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            const QString where = dialog.first + "/" + it.key();
            QVERIFY2(!it.value().isEmpty(), qPrintable("English lacks " + where));
            QVERIFY2(!translated.value(it.key()).isEmpty(), qPrintable("missing " + where));
            if (it.key() != "NewHong")
                QVERIFY2(translated.value(it.key()) != it.value(), qPrintable("untranslated " + where));
        }
    }
}

void TestWindowsKeyDialogTexts::missingElementsKeepTheDefaults_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("text");

    const QString ok = QStringLiteral("确定");
    const QString cancel = QStringLiteral("取消");
    QTest::newRow("left: message") << "LeftButtonOnly" << "label" << "Fixture left";
    QTest::newRow("make: default message") << "MakeMacro" << "label" << "Please create a macro first";
    QTest::newRow("make: OK") << "MakeMacro" << "NewHong" << "Fixture OK";
    QTest::newRow("three: blanks kept") << "GroupMaxThree" << "label" << "Fixture three";
    QTest::newRow("three: nested element skipped") << "GroupMaxThree" << "NewHong" << ok;
    QTest::newRow("same: no section") << "SameMacro" << "label" << "Already have a same name macro";
    QTest::newRow("limit: OK stays") << "KeyNumberLimit" << "NewHong" << ok;
    QTest::newRow("delete: no section") << "DeleteConfirm" << "label" << "Confirm Delete";
    QTest::newRow("name: new prompt") << "QuestionDialog" << "prompt" << "Fixture new";
    QTest::newRow("name: rename prompt empty") << "QuestionDialog" << "renamePrompt" << "";
    QTest::newRow("name: OK stays") << "QuestionDialog" << "NewHong" << ok;
    QTest::newRow("name: cancel") << "QuestionDialog" << "NewHong_2" << "Fixture cancel";
    QTest::newRow("delay: default message") << "AddDelayTime" << "label" << "Please enter the delay time";
    QTest::newRow("key: message") << "addKey" << "label" << "Fixture key";
    QTest::newRow("key: cancel stays") << "addKey" << "NewHong_2" << cancel;
    QTest::newRow("group: default message") << "GroupKey" << "label" << "Please enter keystroke";
    QTest::newRow("fire: count caption stays") << "FireKey" << "label" << QStringLiteral("次数 (0-3)");
    QTest::newRow("fire: explanation") << "FireKey" << "label_3" << "Fixture zero";
    QTest::newRow("fire: OK stays") << "FireKey" << "NewHong" << QStringLiteral("确认");
}

void TestWindowsKeyDialogTexts::missingElementsKeepTheDefaults()
{
    QFETCH(QString, dialog);
    QFETCH(QString, widget);
    QFETCH(QString, text);

    QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/Language/3-Korea.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(FixtureFile);
    file.close();
    SetStoredLanguage(3);

    for (const auto& entry : Dialogs()) {
        if (entry.first == dialog) {
            QCOMPARE(entry.second().value(widget), text);
            return;
        }
    }
    QFAIL("no such dialog");
}

QTEST_MAIN(TestWindowsKeyDialogTexts)
#include "test_windows_key_dialog_texts.moc"
