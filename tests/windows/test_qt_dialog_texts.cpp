// Qt's own dialogs (file dialogs, colour dialog) speak the chosen language,
// read from the system's Qt catalogues (package qttranslations5-l10n). A
// change reaches dialogs that already exist, sends the program's own windows
// no language-change event (they would put their forms' default texts back)
// and, without a catalogue, leaves the dialogs English.
#include "language_rows.h"

#include "qt_dialog_texts.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList Texts(const QWidget* dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        texts << button->text();
    return texts;
}

// Texts that Qt's dialogs show in English.
const QStringList kColourTexts = {QStringLiteral("&Basic colors"), QStringLiteral("&Custom colors")};
const QStringList kFileTexts = {QStringLiteral("Look in:"), QStringLiteral("File &name:")};

class LanguageChangeCounter : public QWidget {
public:
    int changes = 0;

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange)
            ++changes;
        QWidget::changeEvent(event);
    }
};

} // namespace

class TestQtDialogTexts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void dialogsFollowTheLanguage_data();
    void dialogsFollowTheLanguage();
    void missingCatalogueLeavesEnglish();
};

void TestQtDialogTexts::initTestCase()
{
    QtDialogTexts::SetLanguage(0);
    QCoreApplication::sendPostedEvents();
}

void TestQtDialogTexts::cleanup()
{
    QtDialogTexts::SetLanguage(0);
}

void TestQtDialogTexts::dialogsFollowTheLanguage_data()
{
    AddLanguageRows({0, 1, 2, 3, 4, 5});
}

void TestQtDialogTexts::dialogsFollowTheLanguage()
{
    QFETCH(int, index);
    const bool english = QtDialogTexts::LocaleName(index).isEmpty();
    QtDialogTexts::SetLanguage(english ? 1 : 0);
    QColorDialog kept; // made before the change, as the DPI editors keep theirs
    QColorDialog titled;
    titled.setWindowTitle(QStringLiteral("Stage colour"));
    LanguageChangeCounter window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(QtDialogTexts::SetLanguage(index), !english);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(window.changes, 0);

    QColorDialog made;
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    const QList<QPair<const QWidget*, QStringList>> dialogs = {{&kept, kColourTexts}, {&made, kColourTexts},
                                                               {&files, kFileTexts}};
    for (const auto& dialog : dialogs) {
        const QStringList shown = Texts(dialog.first);
        for (const QString& text : dialog.second)
            QVERIFY2(shown.contains(text) == english, qPrintable(dialog.first->metaObject()->className() + (": " + text)));
    }

    // The title as well, which Qt gives a colour dialog only when it builds
    // it; a title of the program's own stays.
    QCOMPARE(kept.windowTitle(), made.windowTitle());
    QCOMPARE(kept.windowTitle() == QStringLiteral("Select Color"), english);
    QCOMPARE(titled.windowTitle(), QStringLiteral("Stage colour"));
}

void TestQtDialogTexts::missingCatalogueLeavesEnglish()
{
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    QVERIFY(!QtDialogTexts::SetLanguage(1, empty.path()));
    QColorDialog dialog;
    for (const QString& text : kColourTexts)
        QVERIFY(Texts(&dialog).contains(text));
}

QTEST_MAIN(TestQtDialogTexts)
#include "test_qt_dialog_texts.moc"
