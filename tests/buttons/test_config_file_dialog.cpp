// The export's save dialog gives a name typed without suffix the suffix
// ".bin": the import lists "*.bin" files only and would not find it.
#include "config_file_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestConfigFileDialog : public QObject {
    Q_OBJECT
private slots:
    void exportAddsTheSuffix_data();
    void exportAddsTheSuffix();
};

void TestConfigFileDialog::exportAddsTheSuffix_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no suffix") << "profile" << "profile.bin";
    QTest::newRow("with the suffix") << "profile.bin" << "profile.bin";
    QTest::newRow("with a space") << "my profile" << "my profile.bin";
}

void TestConfigFileDialog::exportAddsTheSuffix()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    bool answered = false;
    // The dialog runs modally: a timer types the name inside its loop.
    QTimer typist;
    connect(&typist, &QTimer::timeout, this, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            if (!dialog || !dialog->isVisible() || answered)
                continue;
            answered = true;
            dialog->setDirectory(folder.path());
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    typist.start(5);

    const QString path = ConfigFileDialog::AskPath(nullptr, ConfigFileDialog::Mode::Save);
    QVERIFY(answered);
    QCOMPARE(path, QDir(folder.path()).filePath(saved));
}

QTEST_MAIN(TestConfigFileDialog)
#include "test_config_file_dialog.moc"
