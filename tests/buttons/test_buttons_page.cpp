// The button page's frame: the form as built, the define table it reads, the
// factory mirror, the order in which a click reaches the page's slots, the
// click-outside rule and closing the page while the worker waits for it.
#include "button_page_fixture.h"

#include "debounce_time.h"
#include "find_child.h"
#include "hub_recorder.h"
#include "myconmbobox.h"
#include "mytoolbutton.h"
#include "paths.h"
#include "program_state.h"
#include "sensor_feature_file.h"
#include "world_text.h"
#include "worker.h"

#include <devicelib_control.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

// Qt's hook for watching slot invocations (what -vs of the test runner
// uses); it lets a test see the order in which one click reaches slots.
struct QSignalSpyCallbackSet {
    typedef void (*BeginCallback)(QObject* caller, int signal_or_method_index, void** argv);
    typedef void (*EndCallback)(QObject* caller, int signal_or_method_index);
    BeginCallback signal_begin_callback, slot_begin_callback;
    EndCallback signal_end_callback, slot_end_callback;
};
void Q_CORE_EXPORT qt_register_signal_spy_callbacks(QSignalSpyCallbackSet* callback_set);

namespace {

QStringList g_connectionWarnings;
QtMessageHandler g_previousHandler = nullptr;

void CollectConnectionWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("connectSlotsByName")) || message.contains(QLatin1String("No such slot")) ||
        message.contains(QLatin1String("No such signal")))
        g_connectionWarnings << message;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

// Slots of one object reached while the spy is installed, with the flag of
// the slots that take one.
Buttoninterface* g_watched = nullptr;
QStringList g_slotCalls;

void NoteSlot(QObject* receiver, int index, void** argv)
{
    if (receiver != g_watched)
        return;
    const QMetaMethod method = receiver->metaObject()->method(index);
    // Only the item's own slots; the stacks report their page changes too.
    if (!method.methodSignature().startsWith("on_DPI_"))
        return;
    QString call = QString::fromLatin1(method.methodSignature());
    if (method.parameterCount() == 1 && method.parameterType(0) == QMetaType::Bool)
        call += *static_cast<bool*>(argv[1]) ? QStringLiteral("=true") : QStringLiteral("=false");
    g_slotCalls << call;
}

class SlotWatch {
public:
    explicit SlotWatch(Buttoninterface* page)
    {
        g_watched = page;
        g_slotCalls.clear();
        static QSignalSpyCallbackSet set = {nullptr, &NoteSlot, nullptr, nullptr};
        qt_register_signal_spy_callbacks(&set);
    }
    ~SlotWatch()
    {
        qt_register_signal_spy_callbacks(nullptr);
        g_watched = nullptr;
    }
};

QStringList ItemOrder(QLayout* layout)
{
    QStringList names;
    for (int i = 0; i < layout->count(); ++i) {
        if (QWidget* widget = layout->itemAt(i)->widget())
            names << widget->objectName();
    }
    return names;
}

QStringList GroupOrder(QButtonGroup* group)
{
    QStringList names;
    for (QAbstractButton* button : group->buttons())
        names << button->objectName();
    return names;
}

} // namespace

class TestButtonsPage : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void formObjects_data();
    void formObjects();
    void groupsAndLists();
    void defineTable_data();
    void defineTable();
    void factoryMirror();
    void slotOrderOfOneClick();
    void clickOutside_data();
    void clickOutside();
    void languageChangeKeepsProfile();
    void closingWhileWorkerWaitsForThePage();

private:
    std::unique_ptr<Buttoninterface> m_page;
    Ui::Buttoninterface* ui = nullptr;
};

void TestButtonsPage::init()
{
    ResetProgramState();
    SimControl::resetWorld();
    g_connectionWarnings.clear();
    g_previousHandler = qInstallMessageHandler(CollectConnectionWarnings);
    m_page.reset(new Buttoninterface);
    qInstallMessageHandler(g_previousHandler);
    ui = ButtoninterfaceProbe::Form(m_page.get());
}

void TestButtonsPage::cleanup()
{
    m_page.reset();
    ui = nullptr;
}

void TestButtonsPage::formObjects_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<QString>("stack");
    QTest::addColumn<int>("stackIndex");

    QTest::newRow("first key") << "FireKey" << "QToolButton" << false << "" << -1;
    QTest::newRow("sixth key") << "BackMusic" << "QToolButton" << true << "" << -1;
    QTest::newRow("sixth row number") << "label_13" << "QLabel" << true << "" << -1;
    QTest::newRow("sixth marker") << "Number6" << "QToolButton" << true << "" << -1;
    QTest::newRow("fifth marker") << "Number5" << "QToolButton" << false << "" << -1;
    QTest::newRow("profile switch") << "DPI_3" << "QToolButton" << true << "" << -1;
    QTest::newRow("lights opener") << "DPI_9" << "QToolButton" << true << "" << -1;
    QTest::newRow("fire key item") << "DPI_6" << "MyToolButton" << false << "" << -1;
    QTest::newRow("combination item") << "DPI_8" << "MyToolButton" << false << "" << -1;
    QTest::newRow("profiles") << "ProjectChoose" << "MyConmboBox" << false << "" << -1;
    QTest::newRow("debounce") << "DebunceButton" << "DebounceTime" << false << "" << -1;
    QTest::newRow("blank page") << "page" << "QWidget" << false << "stackedWidget" << 0;
    QTest::newRow("top menu") << "page_2" << "QWidget" << false << "stackedWidget" << 1;
    QTest::newRow("multimedia") << "page_3" << "QWidget" << false << "stackedWidget_2" << 0;
    QTest::newRow("macros") << "page_5" << "QWidget" << false << "stackedWidget_2" << 1;
    QTest::newRow("lights") << "page_6" << "QWidget" << false << "stackedWidget_2" << 2;
    QTest::newRow("DPI lock") << "page_8" << "QWidget" << false << "stackedWidget_2" << 3;
    QTest::newRow("resting page") << "page_9" << "QWidget" << false << "stackedWidget_2" << 4;
    QTest::newRow("tilt") << "page_4" << "QWidget" << false << "stackedWidget_2" << 5;
    QTest::newRow("DPI switch") << "page_7" << "QWidget" << false << "stackedWidget_2" << 6;
    QTest::newRow("wheel") << "page_10" << "QWidget" << false << "stackedWidget_2" << 7;
}

void TestButtonsPage::formObjects()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(bool, hidden);
    QFETCH(QString, stack);
    QFETCH(int, stackIndex);

    QVERIFY2(g_connectionWarnings.isEmpty(), qPrintable(g_connectionWarnings.join(QLatin1Char('\n'))));
    QWidget* widget = Child<QWidget>(m_page.get(), name);
    // The combo has no meta-object of its own.
    const bool isClass = className == QLatin1String("MyConmboBox") ? dynamic_cast<MyConmboBox*>(widget) != nullptr
                                                                   : QString::fromLatin1(widget->metaObject()->className()) == className;
    QVERIFY2(isClass, widget->metaObject()->className());
    if (stack.isEmpty())
        QCOMPARE(widget->isHidden(), hidden);
    else
        QCOMPARE(Child<QStackedWidget>(m_page.get(), stack)->indexOf(widget), stackIndex);

    // The idle state: no menu open, the debounce selector showing.
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
    QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_9);
    QCOMPARE(m_page->objectName(), QStringLiteral("Buttoninterface"));
}

void TestButtonsPage::groupsAndLists()
{
    QCOMPARE(GroupOrder(ButtoninterfaceProbe::Group(m_page.get(), "KeyButtonGroup")),
             (QStringList{"FireKey", "RightKey", "BackKey", "StartPause", "TopMusic", "BackMusic"}));
    QCOMPARE(ButtoninterfaceProbe::Group(m_page.get(), "TopItemGroup")->buttons().size(), 17);
    QCOMPARE(ButtoninterfaceProbe::Group(m_page.get(), "SubItemGroup")->buttons().size(), 41);
    QCOMPARE(ButtoninterfaceProbe::Group(m_page.get(), "MarkerGroup")->buttons().size(), 6);
    for (const char* name : {"KeyButtonGroup", "TopItemGroup", "SubItemGroup", "MarkerGroup"})
        QVERIFY(ButtoninterfaceProbe::Group(m_page.get(), name)->exclusive());

    // Lists shown top to bottom: the top menu starts with the mouse buttons and
    // ends with the macro opener; the DPI-lock list rises in hundreds.
    const QStringList top = ItemOrder(ui->verticalLayout_9);
    QCOMPARE(top.size(), 17);
    QCOMPARE(top.mid(0, 5), (QStringList{"LeftKey_3", "RightKey_3", "MidKey", "BackKey_2", "ForWardKey"}));
    QCOMPARE(top.last(), QStringLiteral("DPI_10"));
    QStringList lockTexts;
    for (const QString& name : ItemOrder(ui->verticalLayout_12))
        lockTexts << Child<QToolButton>(m_page.get(), name)->text();
    QCOMPARE(lockTexts, (QStringList{"100", "200", "300", "400", "500", "600", "700", "800", "900", "1000", "1100", "1200"}));
    QCOMPARE(ItemOrder(ui->verticalLayout_4).size(), 18);
    QCOMPARE(ItemOrder(ui->verticalLayout_4).first(), QStringLiteral("Player"));

    // The key rows: the sixth overlaps the fifth; the rows end inside the view.
    QCOMPARE(ui->BackMusic->geometry().top() - ui->TopMusic->geometry().top(), 6);
    QVERIFY(ui->FireKey->geometry().right() < ui->scrollArea_11->width());

    QVERIFY(QDir(ButtoninterfaceProbe::MainPageDir(m_page.get())).exists());
    QVERIFY(ButtoninterfaceProbe::MainPageDir(m_page.get()).endsWith(QStringLiteral("Quorix One//usersetting/MainPage")));
    QVERIFY(ButtoninterfaceProbe::Store(m_page.get()).Size() == 0);
}

void TestButtonsPage::defineTable_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("values");

    QTest::newRow("hex value") << QByteArray("#define SENSOR_3395_DPI_800\t0x1F\n") << QStringList{"SENSOR_3395_DPI_800"}
                               << QList<int>{31};
    QTest::newRow("decimal value") << QByteArray("#define SENSOR_3395_DPI_900\t37\n") << QStringList{"SENSOR_3395_DPI_900"}
                                   << QList<int>{37};
    QTest::newRow("last line without line feed") << QByteArray("#define A\t1\n#define B\t0x20")
                                                 << QStringList{"A", "B"} << QList<int>{1, 32};
    QTest::newRow("commented hex reads decimal only") << QByteArray("#define SENSOR_X_DPI_100\t0x1F //code\n")
                                                      << QStringList{"SENSOR_X_DPI_100"} << QList<int>{0};
    QTest::newRow("commented decimal") << QByteArray("#define SENSOR_X_DPI_100\t31 //code\n")
                                       << QStringList{"SENSOR_X_DPI_100"} << QList<int>{31};
    QTest::newRow("commented line, any first word") << QByteArray("#undef N\t5 //x\n") << QStringList{"N"}
                                                    << QList<int>{5};
    QTest::newRow("three words without comment") << QByteArray("#define N\t5 x\n") << QStringList{} << QList<int>{};
    QTest::newRow("no tab") << QByteArray("#define NAME\n") << QStringList{} << QList<int>{};
    QTest::newRow("not a define") << QByteArray("#undef N\t5\n") << QStringList{} << QList<int>{};
    QTest::newRow("feature switch skipped") << QByteArray("#define SUPPORT_RIPPLE_ON\t1\n#define K\t2\n")
                                            << QStringList{"K"} << QList<int>{2};
    QTest::newRow("feature switch anywhere") << QByteArray("#define XSUPPORT_LOD_CALY\t1\n") << QStringList{}
                                             << QList<int>{};
    QTest::newRow("unreadable value") << QByteArray("#define N\tzz\n") << QStringList{"N"} << QList<int>{0};
    QTest::newRow("duplicates kept") << QByteArray("#define N\t1\n#define N\t2\n") << QStringList{"N", "N"}
                                     << QList<int>{1, 2};
    QTest::newRow("four words ignored") << QByteArray("#define N\t1 // a b\n") << QStringList{} << QList<int>{};
    QTest::newRow("tab after the value") << QByteArray("#define A\t5\t\n#define B\t0x20\t") << QStringList{"A", "B"}
                                         << QList<int>{5, 32};
    QTest::newRow("blank after the value") << QByteArray("#define A\t5 \n") << QStringList{"A"} << QList<int>{5};
    QTest::newRow("second value ignored") << QByteArray("#define A\t5\t6\n") << QStringList{} << QList<int>{};
    QTest::newRow("CR line ends") << QByteArray("#define A\t1\r#define SUPPORT_RIPPLE\t1\r#define B\t0x20\r")
                                  << QStringList{"A", "B"} << QList<int>{1, 32};
    QTest::newRow("CR LF line ends") << QByteArray("#define A\t1 //x\r\n#define B\t2\r\n") << QStringList{"A", "B"}
                                     << QList<int>{1, 2};
}

void TestButtonsPage::defineTable()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, values);

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("driver_sensor.h")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    QVector<QString> readNames{"kept"};
    QVector<int> readValues{7};
    Buttoninterface::ReadDefineTable(file.fileName(), &readNames, &readValues);
    QCOMPARE(readNames.size(), readValues.size());
    QCOMPARE(QStringList(readNames.toList()), QStringList{"kept"} + names);
    QCOMPARE(readValues.toList(), QList<int>{7} + values);

    // The sensor page takes the same definitions from the same file.
    SensorFeatureFile sensorPage;
    QVERIFY(sensorPage.Read(file.fileName()));
    QCOMPARE(sensorPage.defineNames, names);
    QCOMPARE(sensorPage.defineValues.toList(), values);
}

void TestButtonsPage::factoryMirror()
{
    // The page reads the define file beside the program.
    QVector<QString> shippedNames;
    QVector<int> shippedValues;
    Buttoninterface::ReadDefineTable(AppFolder() + QStringLiteral("/driver_sensor.h"), &shippedNames, &shippedValues);
    QVERIFY(!shippedNames.isEmpty());
    QCOMPARE(ButtoninterfaceProbe::DefineNames(m_page.get()), shippedNames);
    QCOMPARE(ButtoninterfaceProbe::DefineValues(m_page.get()), shippedValues);

    auto* debounce = Child<QComboBox>(ui->DebunceButton, QStringLiteral("Debunce"));
    debounce->setCurrentIndex(9);
    ui->stackedWidget->setCurrentIndex(1);
    ui->stackedWidget_2->setCurrentIndex(3);
    ui->FireKey->setText(QStringLiteral("kept"));
    g_sendEnabled = true;
    g_buttonPageApplied = false;
    const QByteArray imageBefore(reinterpret_cast<const char*>(g_deviceImage.bytes()), FlashDataMap::Size);

    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseIndex, QStringLiteral("SigMouseIndex"));
    hub.Record(&PostMsg::SigLightToFrom, QStringLiteral("SigLightToFrom"));
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
    QList<bool> updatingAtSignal;
    hub.onEvent = [&](const QString&) { updatingAtSignal << g_buttonPageUpdating; };

    // From the worker's thread, as the connection emits it: the thread waits
    // until the page has run the mirror.
    QThread* emitter = QThread::create([] { emit PostMsg::GetInstance()->SigFormReset(); });
    emitter->start();
    QTRY_VERIFY(emitter->isFinished());
    delete emitter;

    const KeyFunctionStore& store = ButtoninterfaceProbe::Store(m_page.get());
    QCOMPARE(store.types, (QVector<int>{1, 1, 1, 1, 1, 2}));
    QCOMPARE(store.param1, (QVector<int>{1, 2, 4, 8, 16, 1}));
    QCOMPARE(store.param2, (QVector<int>{0, 0, 0, 0, 0, 0}));
    QCOMPARE(hub.events, (QStringList{"SigMouseIndex(0)", "SigLightToFrom(60)"}));
    QCOMPARE(updatingAtSignal, (QList<bool>{true, true}));
    QVERIFY(!g_buttonPageUpdating);
    QCOMPARE(debounce->currentIndex(), 4);
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
    QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_9);
    // Set silently: nothing was written, no notice came up.
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(g_deviceImage.bytes()), FlashDataMap::Size), imageBefore);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(ui->FireKey->text(), QStringLiteral("kept"));
    QVERIFY(!g_buttonPageApplied);

    // The picture names picture 0 whatever model is announced.
    const QString picture = ui->widget->styleSheet();
    QVERIFY(picture.contains(QStringLiteral("/Picture/Buttoninterface/mouse0.png")));
    emit PostMsg::GetInstance()->SigMouseIndex(3);
    QCOMPARE(ui->widget->styleSheet(), picture);
}

void TestButtonsPage::slotOrderOfOneClick()
{
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    ui->stackedWidget->setCurrentIndex(1);

    {
        SlotWatch watch(m_page.get());
        ui->DPI_4->click();
        QCOMPARE(g_slotCalls, (QStringList{"on_DPI_4_clicked()", "on_DPI_4_clicked(bool)=true"}));
    }
    {
        // A press acts at once; releasing emits nothing.
        SlotWatch watch(m_page.get());
        QTest::mousePress(ui->DPI_6, Qt::LeftButton);
        QTest::mouseRelease(ui->DPI_6, Qt::LeftButton);
        QCOMPARE(g_slotCalls, (QStringList{"on_DPI_6_clicked(bool)=false", "on_DPI_6_clicked()"}));
    }
    {
        SlotWatch watch(m_page.get());
        const QPoint centre = ui->DPI_6->rect().center();
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, centre, ui->DPI_6->mapToGlobal(centre), Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ui->DPI_6, &doubleClick);
        QCOMPARE(g_slotCalls, (QStringList{"on_DPI_6_clicked(bool)=true", "on_DPI_6_clicked()"}));
    }
}

void TestButtonsPage::clickOutside_data()
{
    QTest::addColumn<int>("topIndex");
    QTest::addColumn<int>("subIndex");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("expectedTop");
    QTest::addColumn<int>("expectedSub");
    QTest::addColumn<bool>("keyStaysChecked");

    const int left = Qt::LeftButton;
    QTest::newRow("right button changes nothing") << 1 << 0 << QPoint(300, 100) << int(Qt::RightButton) << 1 << 0 << true;
    QTest::newRow("both open, band outside lists") << 1 << 0 << QPoint(500, 500) << left << 0 << 4 << false;
    QTest::newRow("both open, outside band") << 1 << 0 << QPoint(870, 20) << left << 0 << 4 << false;
    QTest::newRow("mouse picture releases keys") << 0 << 4 << QPoint(300, 100) << left << 0 << 4 << false;
    QTest::newRow("closed, inside key area") << 0 << 4 << QPoint(200, 100) << left << 0 << 4 << true;
    QTest::newRow("closed, outside key area") << 0 << 4 << QPoint(100, 500) << left << 0 << 4 << false;
    QTest::newRow("top open, inside menu row") << 1 << 4 << QPoint(500, 400) << left << 1 << 4 << true;
    QTest::newRow("top open, above band") << 1 << 4 << QPoint(700, 100) << left << 0 << 4 << false;
}

void TestButtonsPage::clickOutside()
{
    QFETCH(int, topIndex);
    QFETCH(int, subIndex);
    QFETCH(QPoint, point);
    QFETCH(int, button);
    QFETCH(int, expectedTop);
    QFETCH(int, expectedSub);
    QFETCH(bool, keyStaysChecked);

    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    ui->RightKey->setChecked(true);
    ui->stackedWidget->setCurrentIndex(topIndex);
    ui->stackedWidget_2->setCurrentIndex(subIndex);

    QTest::mousePress(m_page.get(), Qt::MouseButton(button), Qt::NoModifier, point);

    QCOMPARE(ui->stackedWidget->currentIndex(), expectedTop);
    QCOMPARE(ui->stackedWidget_2->currentIndex(), expectedSub);
    QCOMPARE(ui->RightKey->isChecked(), keyStaysChecked);
    if (expectedTop == 0 && topIndex != 0)
        QCOMPARE(ui->scrollArea_11->verticalScrollBar()->styleSheet(), QStringLiteral("QScrollBar {width:10px;}"));
}

void TestButtonsPage::languageChangeKeepsProfile()
{
    ui->ProjectChoose->addItems({"a", "b", "c"});
    ui->ProjectChoose->setCurrentIndex(2);
    ui->FireKey->setText(QStringLiteral("from the mouse"));
    QSignalSpy changes(ui->ProjectChoose, SIGNAL(currentIndexChanged(int)));

    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(m_page.get(), &change);

    QCOMPARE(ui->ProjectChoose->currentIndex(), 2);
    QCOMPARE(ui->ProjectChoose->count(), 3);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(ui->FireKey->text(), QString::fromUtf8("左键")); // the form's own text again
}

void TestButtonsPage::closingWhileWorkerWaitsForThePage()
{
    m_page.reset();
    QVERIFY(SimWorld::Load(SimWorld::Receiver("r4", 4, 1, "Address = A1 4B 04") + SimWorld::Mouse("m4", 1, "r4")));
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("m4"), false));
    m_page.reset(new Buttoninterface);
    ButtonPageFixture::SelectAndStart(QStringLiteral("r4"));
    QVERIFY(ButtonPageFixture::PassWaitsForThePage());

    QElapsedTimer clock;
    clock.start();
    m_page.reset();
    QVERIFY2(clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!g_worker);
    QVERIFY(!g_workerRun);
    StopUsbChanged();
}

QTEST_MAIN(TestButtonsPage)
#include "test_buttons_page.moc"
