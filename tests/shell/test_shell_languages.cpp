// Every text a window reads from the language files is there, and not empty,
// in every language. The windows say themselves what they read: the test
// builds the top-level window (with its pages) and every notice, records the
// section and keys of each load, and holds them against each file. A window
// or key added later is covered by the same test.
#include "gui_fixture.h"
#include "language_rows.h"

#include "add_delay_time.h"
#include "add_key.h"
#include "contain_reset.h"
#include "exe_is_run.h"
#include "find_new_ver.h"
#include "inport_fail.h"
#include "key_notices.h"
#include "label_file.h"
#include "lamp_light.h"
#include "less_three.h"
#include "match.h"
#include "mouse_off_line.h"
#include "question_dialog.h"
#include "question_dialog_b.h"
#include "re_pair.h"
#include "up_date_repair.h"
#include "up_date_warning.h"

#include <QLabel>
#include <QMap>
#include <QSet>
#include <QTest>

namespace {

using Asked = QMap<QString, QSet<QString>>; // section -> keys

template <class Window>
void Build()
{
    Window window;
}

} // namespace

class TestShellLanguages : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyTextReadIsThere_data();
    void everyTextReadIsThere();
    void cableUpdateWarningHasItsText_data();
    void cableUpdateWarningHasItsText();

private:
    GuiFixture gui;
    Asked m_asked;
};

void TestShellLanguages::initTestCase()
{
    LabelFile::SetLoadWatcher([this](const QString& section, const QStringList& keys) {
        for (const QString& key : keys)
            m_asked[section].insert(key);
    });
    QVERIFY(gui.Start());
    Build<ContainReset>();
    Build<ExeIsRun>();
    Build<FindNewVer>();
    Build<InportFail>();
    Build<LampLight>();
    Build<LessThree>();
    Build<Match>();
    Build<MouseOffLine>();
    Build<QuestiondialogB>();
    Build<RePair>();
    Build<UpDateRepair>();
    Build<UpDateWarning>();
    // The key and macro pages' notices and the macro page's dialogs.
    Build<LeftButtonOnly>();
    Build<MakeMacro>();
    Build<GroupMaxThree>();
    Build<SameMacro>();
    KeyNumberLimit().ShowNotSentText();
    Build<DeleteConfirm>();
    Build<QuestionDialog>();
    Build<addKey>();
    Build<AddDelayTime>();
    LabelFile::SetLoadWatcher(nullptr);
    for (const char* section : {"DialogMain", "FormSetting", "Macro", "Limit", "SameMacro", "DeleteConfirm", "Question", "AddKey", "AddDelayTime"})
        QVERIFY2(m_asked.contains(QString::fromLatin1(section)), section);
}

void TestShellLanguages::cleanupTestCase()
{
    gui.Stop();
}

void TestShellLanguages::everyTextReadIsThere_data()
{
    AddLanguageRows();
}

void TestShellLanguages::everyTextReadIsThere()
{
    QFETCH(int, index);
    QStringList missing;
    for (auto section = m_asked.cbegin(); section != m_asked.cend(); ++section) {
        QMap<QString, QString> texts;
        LabelFile::Keys sinks;
        for (const QString& key : section.value())
            sinks.insert(key, [&texts, key](const QString& text) { texts.insert(key, text); });
        LabelFile::Load(LabelFile::PathFor(index), section.key(), sinks);
        for (const QString& key : section.value()) {
            if (texts.value(key).trimmed().isEmpty())
                missing << section.key() + QLatin1Char('/') + key;
        }
    }
    missing.sort();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
}

// The home page and the Space route show this notice with a text of the
// settings page's section.
void TestShellLanguages::cableUpdateWarningHasItsText_data()
{
    everyTextReadIsThere_data();
}

void TestShellLanguages::cableUpdateWarningHasItsText()
{
    QFETCH(int, index);
    emit PostMsg::GetInstance()->SigChangeLanguage(index);
    QVERIFY(!g_wiredModeText.trimmed().isEmpty());
    UpDateWarning warning;
    warning.SetLabelText(g_wiredModeText);
    bool shown = false;
    for (QLabel* label : warning.findChildren<QLabel*>())
        shown = shown || label->text() == g_wiredModeText;
    QVERIFY(shown);
}

QTEST_MAIN(TestShellLanguages)
#include "test_shell_languages.moc"
