// The developer traces of opening a device (connection pass, waiting dialog):
// silent unless their category is switched on, and then all under it.
#include "gui_fixture.h"

#include <QLoggingCategory>
#include <QMutex>
#include <QTest>

namespace {

struct Message {
    QtMsgType type;
    QString category;
    QString text;
};

// Collects every message of the process, from any thread.
QMutex s_lock;
QList<Message> s_messages;

void Collect(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    QMutexLocker locker(&s_lock);
    s_messages.append({type, QString::fromLatin1(context.category), text});
}

} // namespace

class TestShellTrace : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void openingADeviceTracesOnlyWhenAsked_data();
    void openingADeviceTracesOnlyWhenAsked();

private:
    GuiFixture gui;
};

void TestShellTrace::cleanup()
{
    gui.Stop();
    QLoggingCategory::setFilterRules(QString());
}

void TestShellTrace::openingADeviceTracesOnlyWhenAsked_data()
{
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QStringList>("traces");
    QTest::newRow("default") << QString() << QStringList();
    QTest::newRow("switched on") << QStringLiteral("quorix.trace.debug=true")
                                 << QStringList{QStringLiteral("OnlinA"), QStringLiteral("OnlinB"), QStringLiteral("q"),
                                                QStringLiteral("w"), QStringLiteral("t1"), QStringLiteral("v"),
                                                QStringLiteral("vvv"), QStringLiteral("vv")};
}

void TestShellTrace::openingADeviceTracesOnlyWhenAsked()
{
    QFETCH(QString, rules);
    QFETCH(QStringList, traces);
    QLoggingCategory::setFilterRules(rules);
    QVERIFY(gui.Start());
    {
        QMutexLocker locker(&s_lock);
        s_messages.clear();
    }
    const QtMessageHandler previous = qInstallMessageHandler(Collect);
    const bool opened = gui.OpenDevice(QStringLiteral("aero-r4"));
    qInstallMessageHandler(previous);
    QVERIFY(opened);

    QMutexLocker locker(&s_lock);
    QStringList debugTexts;
    for (const Message& message : qAsConst(s_messages)) {
        if (message.type != QtDebugMsg)
            continue;
        QCOMPARE(message.category, QStringLiteral("quorix.trace"));
        debugTexts << message.text;
    }
    for (const QString& trace : qAsConst(traces))
        QVERIFY2(debugTexts.contains(trace), qPrintable(debugTexts.join(QLatin1Char(' '))));
    if (traces.isEmpty())
        QVERIFY2(debugTexts.isEmpty(), qPrintable(debugTexts.join(QLatin1Char(' '))));
}

QTEST_MAIN(TestShellTrace)
#include "test_shell_trace.moc"
