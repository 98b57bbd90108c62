// Keys typed while the macro page of the real device window records: they go
// to the recording and to no widget of the program, whatever had the focus,
// and the page takes the keyboard back as it was after Stop.
#include "macro.h"

#include "find_child.h"
#include "gui_fixture.h"
#include "macro_file.h"
#include "macro_key_rules.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kDevice = QStringLiteral("aero-r4");

// One key typed on the keyboard; QTest presses the modifiers' own keys
// before it and releases them after it.
struct Stroke {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
using Strokes = QVector<Stroke>;

// Closes every window other than the main one that comes up while it lives
// (the notices run modally: a timer reaches them in their own loop) and
// names it.
class WindowWatch : public QObject {
public:
    explicit WindowWatch(QWidget* main)
        : m_main(main)
    {
        connect(&m_timer, &QTimer::timeout, this, &WindowWatch::Look);
        m_timer.start(5);
    }
    ~WindowWatch() override { Look(); }

    QStringList seen;

private:
    void Look()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget != m_main && widget->isVisible() && !widget->inherits("QMenu")) {
                seen << QString::fromLatin1(widget->metaObject()->className());
                widget->close();
            }
        }
    }

    QWidget* m_main;
    QTimer m_timer;
};

} // namespace

Q_DECLARE_METATYPE(Strokes)

class TestMacroRecordingKeys : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typedKeysGoToTheRecordingOnly_data();
    void typedKeysGoToTheRecordingOnly();

private:
    Macro* MacroPage() const { return m_gui.DeviceWindow()->findChild<Macro*>(); }
    template <class T>
    T* OnMacroPage(const char* name) const { return Child<T>(MacroPage(), QString::fromLatin1(name)); }
    QStringList EventTexts() const;
    // Every window of the program gets the key the way the window system
    // hands it over: to the active window.
    void Type(const Strokes& strokes) const;

    GuiFixture m_gui;
};

void TestMacroRecordingKeys::init()
{
    SetMacroSaveWait([](int) {});
    QDir(MacroFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(MacroFolder()));
}

void TestMacroRecordingKeys::cleanup()
{
    m_gui.Stop();
    SetMacroSaveWait(nullptr);
}

QStringList TestMacroRecordingKeys::EventTexts() const
{
    const auto* list = OnMacroPage<QListWidget>("listWidgetKey");
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text() + (list->item(row)->type() == 1 ? QStringLiteral("^") : QString());
    return texts;
}

void TestMacroRecordingKeys::Type(const Strokes& strokes) const
{
    QWindow* window = m_gui.Main()->windowHandle();
    for (const Stroke& stroke : strokes)
        QTest::keyClick(window, stroke.key, stroke.modifiers);
}

void TestMacroRecordingKeys::typedKeysGoToTheRecordingOnly_data()
{
    QTest::addColumn<Strokes>("strokes");
    QTest::addColumn<QStringList>("recorded");

    // With fixed waits of 50 ms between the events.
    const auto withWaits = [](const QStringList& events) {
        QStringList items;
        for (const QString& event : events)
            items << (items.isEmpty() ? QStringList{event} : QStringList{QStringLiteral("50ms"), event});
        return items;
    };
    QTest::newRow("space, enter, tab, space")
        << Strokes{{Qt::Key_Space}, {Qt::Key_Return}, {Qt::Key_Tab}, {Qt::Key_Space}}
        << withWaits({"Space", "Space^", "Enter", "Enter^", "Tab", "Tab^", "Space", "Space^"});
    // Tab first: on a button, arrows move the focus, and in the repeat boxes
    // they tick the next box.
    QTest::newRow("tabs, arrows, shift-tab, escape")
        << Strokes{{Qt::Key_Tab}, {Qt::Key_Tab}, {Qt::Key_Down}, {Qt::Key_Right}, {Qt::Key_Backtab, Qt::ShiftModifier},
                   {Qt::Key_Up}, {Qt::Key_Escape}, {Qt::Key_Space}}
        << withWaits({"Tab", "Tab^", "Tab", "Tab^", "\u2193", "\u2193^", "\u2192", "\u2192^", "LShift", "Tab", "Tab^",
                      "LShift^", "\u2191", "\u2191^", "Esc", "Esc^", "Space", "Space^"});
}

void TestMacroRecordingKeys::typedKeysGoToTheRecordingOnly()
{
    QFETCH(Strokes, strokes);
    QFETCH(QStringList, recorded);

    {
        QFile file(MacroFilePath(MacroFolder(), QStringLiteral("Jump")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1\n0x04 1 0\n10ms\n0x04 1 1\n");
    }
    QVERIFY(m_gui.Start());
    QVERIFY(m_gui.OpenDevice(kDevice));
    DialogMain* main = m_gui.Main();
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    QTest::mouseClick(Child<QToolButton>(m_gui.DeviceWindow(), QStringLiteral("MacroButton")), Qt::LeftButton);
    QCOMPARE(m_gui.FindInDeviceWindow<QStackedWidget>(QStringLiteral("stackedWidgetDialog"))->currentWidget(),
             static_cast<QWidget*>(MacroPage()));

    auto* defaultDelay = OnMacroPage<QCheckBox>("DefaultDelay");
    QTest::mouseClick(defaultDelay, Qt::LeftButton, {}, QPoint(5, defaultDelay->height() / 2));
    QVERIFY(defaultDelay->isChecked());
    OnMacroPage<QSpinBox>("DelayTime")->setValue(50);

    // The list takes the focus with the click.
    auto* macros = OnMacroPage<QListWidget>("listWidgetHong");
    QTest::mouseClick(macros->viewport(), Qt::LeftButton, {}, macros->visualItemRect(macros->item(0)).center());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(macros));
    QCOMPARE(EventTexts(), (QStringList{"A", "10ms", "A^"}));

    auto* stop = OnMacroPage<QPushButton>("StopRecord");
    const QList<QAbstractButton*> boxes = MacroPage()->findChildren<QAbstractButton*>();
    QList<bool> ticked;
    for (const QAbstractButton* box : boxes)
        ticked << box->isChecked();
    {
        WindowWatch windows(main);
        QTest::mouseClick(OnMacroPage<QPushButton>("StartRecord"), Qt::LeftButton);
        QVERIFY(stop->isVisible());
        // No widget that acts on keys holds the focus meanwhile.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(MacroPage()));

        Type(strokes);
        QCoreApplication::processEvents();
        QCOMPARE(windows.seen, QStringList());
    }
    QVERIFY(g_macroRecording);
    QVERIFY(stop->isVisible());
    QCOMPARE(EventTexts(), recorded);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(MacroPage()));
    for (int i = 0; i < boxes.size(); ++i)
        QVERIFY2(boxes[i]->isChecked() == ticked[i], qPrintable(boxes[i]->objectName()));
    QCOMPARE(macros->currentRow(), 0);

    // Stop ends it with a click and gives the list its focus back.
    QTest::mouseClick(stop, Qt::LeftButton);
    QVERIFY(!g_macroRecording);
    QVERIFY(!stop->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(macros));
    QCOMPARE(EventTexts(), recorded);

    auto* save = OnMacroPage<QToolButton>("Save");
    QVERIFY(save->isEnabled());
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY(Settle());
    // The file holds the recording and nothing else: read back with a click.
    QTest::mouseClick(macros->viewport(), Qt::LeftButton, {}, macros->visualItemRect(macros->item(0)).center());
    QCOMPARE(EventTexts(), recorded);
}

QTEST_MAIN(TestMacroRecordingKeys)
#include "test_macro_recording_keys.moc"
