// Function menus and items against the simulated mouse: what each item writes,
// the multimedia and keyboard keys, rapid fire, a write refused offline, and
// what opening a key's menu shows.
#include "button_page_fixture.h"

#include "find_child.h"
#include "fire_key.h"
#include "group_key.h"
#include "hub_recorder.h"
#include "key_notices.h"
#include "modal_run.h"
#include "sim_mouse.h"
#include "test_image.h"

#include <QScrollArea>
#include <QSpinBox>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {

// What the mouse holds once the writes sent so far are through.
QByteArray MouseImage()
{
    SimControl::waitWrites();
    return SimControl::mouseImage(QString::fromLatin1(SimMouse::kMouse));
}

QByteArray FunctionOf(int key)
{
    return MouseImage().mid(ImageOffset::KeyFunctions + 3 * key, 3);
}

} // namespace

class TestButtonsMenus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void itemWritesItsFunction_data();
    void itemWritesItsFunction();
    void uncheckedItemDoesNothing();
    void mediaItemRecord();
    void mediaAndKeyboardKeysByCall();
    void rapidFireByDoubleClick();
    void rapidFireDialog();
    void combination_data();
    void combination();
    void macroItemWithoutMacros();
    void offlineWriteChangesNothing();
    void opener_data();
    void opener();
    void leftButtonRule_data();
    void leftButtonRule();
    void markersSelectWithoutOpening();

private:
    QToolButton* Item(const QString& name) { return Child<QToolButton>(m_page.get(), name); }

    std::unique_ptr<Buttoninterface> m_page;
    Ui::Buttoninterface* ui = nullptr;
};

void TestButtonsMenus::initTestCase()
{
    QVERIFY(SimMouse::Start());
}

void TestButtonsMenus::init()
{
    QVERIFY(SimMouse::Reset(FlashDataMap()));
    QVERIFY(SimControl::setMouseImage(QString::fromLatin1(SimMouse::kMouse), ImageBytes(FlashDataMap())));
    m_page.reset(new Buttoninterface);
    ui = ButtoninterfaceProbe::Form(m_page.get());
    // The page's worker points the device path at no device.
    QVERIFY(SimMouse::Connect());
    // The factory functions: six entries in the page's copy.
    QVERIFY(QMetaObject::invokeMethod(m_page.get(), "SlotFormResetButton"));
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
}

void TestButtonsMenus::cleanup()
{
    m_page.reset();
    ui = nullptr;
}

void TestButtonsMenus::itemWritesItsFunction_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QByteArray>("function");
    QTest::addColumn<QString>("text");

    auto bytes = [](int type, int p1) { return Bytes({type, p1, 0}); };
    QTest::newRow("left") << "LeftKey_3" << bytes(1, 1) << "Left button";
    QTest::newRow("right") << "RightKey_3" << bytes(1, 2) << "Right button";
    QTest::newRow("middle") << "MidKey" << bytes(1, 4) << "Middle button";
    QTest::newRow("back") << "BackKey_2" << bytes(1, 8) << "Back";
    QTest::newRow("forward") << "ForWardKey" << bytes(1, 16) << "Forward";
    QTest::newRow("polling rate") << "DPI_2" << bytes(7, 0) << "Polling rate switch";
    QTest::newRow("profile") << "DPI_3" << bytes(9, 0) << "Profile switch";
    QTest::newRow("disabled") << "DPI_5" << bytes(0, 0) << "Disabled";
    QTest::newRow("DPI cycle") << "VolumeUp_8" << bytes(2, 1) << "DPI cycle";
    QTest::newRow("DPI up") << "VolumeUp_9" << bytes(2, 2) << "DPI+";
    QTest::newRow("DPI down") << "VolumeUp_10" << bytes(2, 3) << "DPI-";
    QTest::newRow("tilt left") << "VolumeUp_2" << bytes(3, 1) << "Tilt left";
    QTest::newRow("tilt right") << "VolumeDown_2" << bytes(3, 2) << "Tilt right";
    QTest::newRow("wheel up") << "VolumeUp_14" << bytes(11, 1) << "Wheel up";
    QTest::newRow("wheel down") << "VolumeDown_14" << bytes(11, 2) << "Wheel down";
    QTest::newRow("all lights") << "VolumeUp_4" << bytes(8, 0) << "All lights on/off";
    QTest::newRow("DPI light") << "VolumeUp_5" << bytes(8, 1) << "DPI light on/off";
    QTest::newRow("light strip is 3") << "VolumeUp_6" << bytes(8, 3) << "Light strip on/off";
    QTest::newRow("strip effect is 4") << "VolumeUp_7" << bytes(8, 4) << "Next light effect";
    // Without defines for the sensor, a DPI locks as DPI / 50 - 1.
    const QList<QPair<QString, int>> locks{{"VolumeUp_11", 100}, {"VolumeUp_12", 200}, {"VolumeUp_13", 300},
                                           {"VolumeUp_16", 400}, {"VolumeUp_15", 500}, {"VolumeUp_19", 600},
                                           {"VolumeUp_20", 700}, {"VolumeUp_22", 800}, {"VolumeUp_18", 900},
                                           {"VolumeUp_24", 1000}, {"VolumeUp_23", 1100}, {"VolumeUp_21", 1200}};
    for (const auto& lock : locks)
        QTest::newRow(qPrintable(QStringLiteral("lock %1").arg(lock.second)))
            << lock.first << bytes(10, lock.second / 50 - 1) << QStringLiteral("DPI lock-%1").arg(lock.second);
}

void TestButtonsMenus::itemWritesItsFunction()
{
    QFETCH(QString, item);
    QFETCH(QByteArray, function);
    QFETCH(QString, text);

    ui->StartPause->setChecked(true);
    ui->stackedWidget->setCurrentIndex(1);
    ui->stackedWidget_2->setCurrentIndex(2);
    ui->Player->setChecked(true);
    Item(item)->click();

    QCOMPARE(FunctionOf(4), function);
    QCOMPARE(ui->StartPause->text(), text);
    const KeyFunctionStore& store = ButtoninterfaceProbe::Store(m_page.get());
    QCOMPARE(store.Type(4), int(function[0]));
    QCOMPARE(store.Param1(4), int(uint8_t(function[1])));
    QCOMPARE(store.Param2(4), 0);
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
    QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_9);
    QCOMPARE(ui->scrollArea_11->verticalScrollBar()->styleSheet(), QStringLiteral("QScrollBar {width:10px;}"));
    QVERIFY(ui->StartPause->isChecked());
    // Top items clear the sub-menu checks; sub items keep their own.
    const bool top = ButtoninterfaceProbe::Group(m_page.get(), "TopItemGroup")->buttons().contains(Item(item));
    QCOMPARE(ui->Player->isChecked(), !top && item == QLatin1String("Player"));
}

void TestButtonsMenus::uncheckedItemDoesNothing()
{
    ui->RightKey->setChecked(true);
    ui->stackedWidget->setCurrentIndex(1);
    ui->stackedWidget_2->setCurrentIndex(0);
    const QByteArray before = MouseImage();
    QVERIFY(QMetaObject::invokeMethod(m_page.get(), "on_MidKey_clicked", Q_ARG(bool, false)));
    QVERIFY(QMetaObject::invokeMethod(m_page.get(), "on_Player_clicked", Q_ARG(bool, false)));
    QCOMPARE(ui->stackedWidget_2->currentIndex(), 0);
    // The left click item shows the resting page even so.
    QVERIFY(QMetaObject::invokeMethod(m_page.get(), "on_LeftKey_3_clicked", Q_ARG(bool, false)));
    QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_9);
    QCOMPARE(ui->stackedWidget->currentIndex(), 1);
    QCOMPARE(MouseImage(), before);
}

void TestButtonsMenus::mediaItemRecord()
{
    ui->BackKey->setChecked(true);
    ui->stackedWidget->setCurrentIndex(1);
    ui->stackedWidget_2->setCurrentWidget(ui->page_3);
    ui->Player->click();

    const QByteArray image = MouseImage();
    QCOMPARE(image.mid(ImageOffset::KeyFunctions + 6, 3), Bytes({5, 0, 0}));
    QCOMPARE(image.mid(ImageOffset::KeyEvents + 104, 52),
             Bytes({0x02, 0, 0, 0, 0x00, 0x02, 0x83, 0x01, 0x0A, 0, 0, 0, 0x01, 0x02, 0x83, 0x01, 0x0A, 0, 0, 0})
                 + QByteArray(32, '\0'));
    QCOMPARE(ui->BackKey->text(), QStringLiteral("Media player"));
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
    QVERIFY(ui->Player->isChecked());
}

void TestButtonsMenus::mediaAndKeyboardKeysByCall()
{
    Buttoninterface* page = m_page.get();
    ui->stackedWidget->setCurrentIndex(1);
    ui->stackedWidget_2->setCurrentWidget(ui->page_4);

    // A whole low byte names a multimedia item; no menu changes.
    ButtoninterfaceProbe::AssignMediaKey(page, 1, 0x83);
    QCOMPARE(MouseImage().mid(ImageOffset::KeyEvents + 52, 8), Bytes({2, 0, 0, 0, 0, 2, 0x83, 0x01}));
    QCOMPARE(ui->RightKey->text(), QStringLiteral("Media player"));
    QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_4);
    const QByteArray before = MouseImage();
    ButtoninterfaceProbe::AssignMediaKey(page, 2, 0x183);
    ButtoninterfaceProbe::AssignMediaKey(page, 2, 0x30);
    ButtoninterfaceProbe::AssignMediaKey(page, 6, 0x83);
    QCOMPARE(MouseImage(), before);

    ui->VolumeUp_9->setChecked(true);
    ButtoninterfaceProbe::AssignKeyboardKey(page, 2, QStringLiteral("Ctrl+C"));
    QCOMPARE(FunctionOf(2), Bytes({5, 0, 0}));
    QCOMPARE(MouseImage().mid(ImageOffset::KeyEvents + 104, 4), Bytes({4, 0, 0, 0}));
    QCOMPARE(ui->BackKey->text(), QStringLiteral("Ctrl+C"));
    QVERIFY(!ui->VolumeUp_9->isChecked());
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page_2);
    QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_9);
}

void TestButtonsMenus::rapidFireByDoubleClick()
{
    QList<QPair<int, int>> presets;
    ModalAnswer<FireKey> dialogs([&](FireKey& dialog) {
        presets << qMakePair(Child<QSpinBox>(&dialog, QStringLiteral("Time"))->value(),
                             Child<QSpinBox>(&dialog, QStringLiteral("Count"))->value());
    });
    ui->TopMusic->setChecked(true);
    ui->stackedWidget->setCurrentIndex(1);
    const QPoint centre = ui->DPI_6->rect().center();
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, centre, ui->DPI_6->mapToGlobal(centre), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ui->DPI_6, &doubleClick);

    // Written at once with the remembered values, then the dialog, cancelled.
    QCOMPARE(FunctionOf(3), Bytes({4, 10, 3}));
    QCOMPARE(ui->TopMusic->text(), QStringLiteral("Fire key"));
    QCOMPARE(ButtoninterfaceProbe::Store(m_page.get()).Param1(3), 10);
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
    QCOMPARE(dialogs.count, 1);
}

void TestButtonsMenus::rapidFireDialog()
{
    // A key that already fires: the dialog starts from its values.
    ButtoninterfaceProbe::SetStoreEntry(m_page.get(), 1, 4, 40, 0);
    ui->RightKey->setText(ui->DPI_6->text());
    ui->RightKey->setChecked(true);
    ui->stackedWidget->setCurrentIndex(1);
    QList<QPair<int, int>> presets;
    {
        ModalAnswer<FireKey> dialogs([&](FireKey& dialog) {
            presets << qMakePair(Child<QSpinBox>(&dialog, QStringLiteral("Time"))->value(),
                                 Child<QSpinBox>(&dialog, QStringLiteral("Count"))->value());
        });
        QTest::mousePress(ui->DPI_6, Qt::LeftButton);
        // Cancelled: nothing written, the menus stay.
        QCOMPARE(FunctionOf(1), Bytes({0, 0, 0}));
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->page_2);
    }
    // Another function: 10 and 3; confirming writes the dialog's values.
    ui->RightKey->setText(QStringLiteral("other"));
    {
        ModalAnswer<FireKey> dialogs([&](FireKey& dialog) {
            presets << qMakePair(Child<QSpinBox>(&dialog, QStringLiteral("Time"))->value(),
                                 Child<QSpinBox>(&dialog, QStringLiteral("Count"))->value());
            dialog.accepted = true;
            dialog.fireInterval = 100;
            dialog.fireCount = 2;
        });
        QTest::mousePress(ui->DPI_6, Qt::LeftButton);
    }
    QCOMPARE(presets, (QList<QPair<int, int>>{{40, 0}, {10, 3}}));
    QCOMPARE(FunctionOf(1), Bytes({4, 100, 2}));
    QCOMPARE(ui->RightKey->text(), ui->DPI_6->text());
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);

    // Offline: the menus close, no dialog, no notice.
    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("Offline"));
    QVERIFY(SimMouse::SetOnline(false));
    ui->stackedWidget->setCurrentIndex(1);
    ui->stackedWidget_2->setCurrentIndex(3);
    ModalAnswer<FireKey> none([](FireKey&) {});
    QTest::mousePress(ui->DPI_6, Qt::LeftButton);
    QCOMPARE(none.count, 0);
    QCOMPARE(hub.events, QStringList());
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
    QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_9);
}

void TestButtonsMenus::combination_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QByteArray>("record"); // the first 20 bytes; empty: nothing written

    QTest::newRow("ctrl and C") << true << "Ctrl+C"
                                << Bytes({4, 0, 0, 0, 0, 0, 1, 0, 10, 0, 0, 0, 0, 1, 6, 0, 10, 0, 0, 0});
    QTest::newRow("empty result is a cancel") << true << "" << QByteArray();
    QTest::newRow("cancelled") << false << "Ctrl+C" << QByteArray();
}

void TestButtonsMenus::combination()
{
    QFETCH(bool, accepted);
    QFETCH(QString, result);
    QFETCH(QByteArray, record);

    ModalAnswer<GroupKey> dialogs([&](GroupKey& dialog) {
        dialog.accepted = accepted;
        dialog.keyText = result;
    });
    ui->BackKey->setChecked(true);
    ui->BackKey->setText(QStringLiteral("before"));
    ui->stackedWidget->setCurrentIndex(1);
    ui->stackedWidget_2->setCurrentIndex(2);
    const QByteArray before = MouseImage();

    QTest::mousePress(ui->DPI_8, Qt::LeftButton);

    QCOMPARE(dialogs.count, 1);
    if (record.isEmpty()) {
        QCOMPARE(MouseImage(), before);
        QCOMPARE(ui->BackKey->text(), QStringLiteral("before"));
        QCOMPARE(ui->stackedWidget_2->currentIndex(), 2);
    } else {
        QCOMPARE(FunctionOf(2), Bytes({5, 0, 0}));
        QCOMPARE(MouseImage().mid(ImageOffset::KeyEvents + 104, 20), record);
        QCOMPARE(ui->BackKey->text(), result);
        QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_9);
    }
    // The top menu stays on screen.
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page_2);
}

void TestButtonsMenus::macroItemWithoutMacros()
{
    ModalAnswer<MakeMacro> notices([](MakeMacro&) {});
    ui->FireKey->setText(QStringLiteral("other"));
    ui->FireKey->click();
    ui->stackedWidget_2->setCurrentIndex(3);
    ui->DPI_10->click();
    QCOMPARE(notices.count, 1);
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page_2);
    QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_9);
}

void TestButtonsMenus::offlineWriteChangesNothing()
{
    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("Offline"));
    ui->RightKey->setChecked(true);
    ui->RightKey->setText(QStringLiteral("before"));
    ui->stackedWidget->setCurrentIndex(1);
    ui->stackedWidget_2->setCurrentWidget(ui->page_3);
    ui->VolumeDown->setChecked(true);
    QVERIFY(SimMouse::SetOnline(false));
    const QByteArray before = MouseImage();

    ui->MidKey->click();

    QCOMPARE(hub.events, QStringList{"Offline(0)"});
    QCOMPARE(ui->RightKey->text(), QStringLiteral("before"));
    QCOMPARE(ButtoninterfaceProbe::Store(m_page.get()).Param1(1), 2);
    QCOMPARE(MouseImage(), before);
    QVERIFY(!ui->VolumeDown->isChecked());
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
    QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_9);

    // Multimedia: the same.
    hub.Clear();
    ui->stackedWidget->setCurrentIndex(1);
    ui->Player->click();
    QCOMPARE(hub.events, QStringList{"Offline(0)"});
    QCOMPARE(ui->RightKey->text(), QStringLiteral("before"));
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
}

void TestButtonsMenus::opener_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("p1");
    QTest::addColumn<int>("firstKind");
    QTest::addColumn<int>("firstCode");
    QTest::addColumn<QString>("subPage"); // "" keeps both stacks
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<int>("topScroll");
    QTest::addColumn<int>("listScroll"); // the multimedia list for type 5, else the DPI-lock list

    QTest::newRow("disabled") << 0 << 0 << 0 << 0 << "page_9" << QStringList{"DPI_5"} << 135 << 0;
    QTest::newRow("middle click") << 1 << 4 << 0 << 0 << "page_9" << QStringList{"MidKey"} << 30 << 0;
    QTest::newRow("unknown button") << 1 << 32 << 0 << 0 << "page_9" << QStringList{} << 0 << 0;
    QTest::newRow("DPI down") << 2 << 3 << 0 << 0 << "page_7" << QStringList{"DPI_7", "VolumeUp_10"} << 195 << 0;
    QTest::newRow("tilt right") << 3 << 2 << 0 << 0 << "page_4" << QStringList{"DPI_11", "VolumeDown_2"} << 150 << 0;
    QTest::newRow("fire key") << 4 << 40 << 0 << 0 << "page_9" << QStringList{"DPI_6"} << 105 << 0;
    QTest::newRow("consumer player") << 5 << 0 << 2 << 0x183 << "page_3" << QStringList{"DPI_12", "Player"} << 240 << 0;
    QTest::newRow("consumer refresh") << 5 << 0 << 2 << 0x227 << "page_3" << QStringList{"DPI_12", "VolumeDown_13"} << 240
                                      << 240;
    QTest::newRow("combination with modifier") << 5 << 0 << 0 << 0x01 << "page_9" << QStringList{"DPI_8"} << 120 << 0;
    // A keyboard usage sharing a low byte with a media key is a combination.
    QTest::newRow("keyboard usage 0x21") << 5 << 0 << 1 << 0x21 << "page_9" << QStringList{"DPI_8"} << 120 << 0;
    QTest::newRow("keyboard usage 0x2A") << 5 << 0 << 1 << 0x2A << "page_9" << QStringList{"DPI_8"} << 120 << 0;
    QTest::newRow("polling rate") << 7 << 0 << 0 << 0 << "page_9" << QStringList{"DPI_2"} << 75 << 0;
    QTest::newRow("lights 2") << 8 << 2 << 0 << 0 << "page_6" << QStringList{"DPI_9"} << 180 << 0;
    QTest::newRow("lights 4") << 8 << 4 << 0 << 0 << "page_6" << QStringList{"DPI_9", "VolumeUp_7"} << 180 << 0;
    QTest::newRow("profile") << 9 << 0 << 0 << 0 << "page_9" << QStringList{"DPI_3"} << 90 << 0;
    QTest::newRow("lock 800") << 10 << 15 << 0 << 0 << "page_8" << QStringList{"DPI_4", "VolumeUp_22"} << 225 << 105;
    QTest::newRow("lock 1600") << 10 << 31 << 0 << 0 << "page_8" << QStringList{"DPI_4"} << 225 << 0;
    QTest::newRow("wheel up") << 11 << 1 << 0 << 0 << "page_10" << QStringList{"DPI_13", "VolumeUp_14"} << 150 << 0;
    QTest::newRow("unlisted type") << 12 << 0 << 0 << 0 << "" << QStringList{} << 0 << 0;
}

void TestButtonsMenus::opener()
{
    QFETCH(int, type);
    QFETCH(int, p1);
    QFETCH(int, firstKind);
    QFETCH(int, firstCode);
    QFETCH(QString, subPage);
    QFETCH(QStringList, checked);
    QFETCH(int, topScroll);
    QFETCH(int, listScroll);

    FlashDataMap image;
    KeyEventRecord record;
    record.bytes[0] = 2;
    record.SetEvent(0, KeyEvent{0, firstKind, firstCode, 10});
    std::memcpy(image.keyEvents[2], record.bytes, KeyEventRecord::Size);
    g_deviceImage = image;
    ButtoninterfaceProbe::SetStoreEntry(m_page.get(), 2, type, p1, 0);
    ui->FireKey->setText(ui->LeftKey_3->text());
    ui->RightKey->setText(ui->LeftKey_3->text());

    ui->BackKey->click();

    QVERIFY(ui->BackKey->isChecked());
    if (subPage.isEmpty()) {
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
        QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_9);
    } else {
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->page_2);
        QCOMPARE(ui->stackedWidget_2->currentWidget()->objectName(), subPage);
    }
    QStringList checkedItems;
    for (const char* group : {"TopItemGroup", "SubItemGroup"}) {
        for (QAbstractButton* item : ButtoninterfaceProbe::Group(m_page.get(), group)->buttons()) {
            if (item->isChecked())
                checkedItems << item->objectName();
        }
    }
    QCOMPARE(checkedItems, checked);
    QScrollBar* top = ui->scrollArea_4->verticalScrollBar();
    QCOMPARE(top->value(), std::min(topScroll, top->maximum()));
    QScrollBar* list = (type == 5 ? ui->scrollArea_3 : ui->scrollArea_10)->verticalScrollBar();
    QCOMPARE(list->value(), std::min(listScroll, list->maximum()));
    QCOMPARE(ui->scrollArea_11->verticalScrollBar()->styleSheet(), QStringLiteral("QScrollBar {width:0px;}"));
}

void TestButtonsMenus::leftButtonRule_data()
{
    QTest::addColumn<QStringList>("leftClickKeys");
    QTest::addColumn<bool>("refused");

    QTest::newRow("only key") << QStringList{"FireKey"} << true;
    QTest::newRow("hidden sixth key counts") << QStringList{"FireKey", "BackMusic"} << false;
    QTest::newRow("two visible keys") << QStringList{"FireKey", "StartPause"} << false;
}

void TestButtonsMenus::leftButtonRule()
{
    QFETCH(QStringList, leftClickKeys);
    QFETCH(bool, refused);

    for (int key = 0; key < 6; ++key)
        m_page->KeyButton(key)->setText(QStringLiteral("other"));
    for (const QString& name : leftClickKeys)
        Item(name)->setText(ui->LeftKey_3->text());
    ui->stackedWidget_2->setCurrentIndex(3);
    ModalAnswer<LeftButtonOnly> notices([](LeftButtonOnly&) {});

    ui->FireKey->click();

    QCOMPARE(notices.count, refused ? 1 : 0);
    QCOMPARE(m_page->SelectedKey(), refused ? -1 : 0);
    if (refused) {
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
        QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_9);
    } else {
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->page_2);
        QVERIFY(ui->LeftKey_3->isChecked());
        QCOMPARE(ui->scrollArea_11->verticalScrollBar()->styleSheet(), QStringLiteral("QScrollBar {width:10px;}"));
    }
}

void TestButtonsMenus::markersSelectWithoutOpening()
{
    ui->Number4->click();
    QCOMPARE(m_page->SelectedKey(), 4);
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
    ui->Number5->click();
    QCOMPARE(m_page->SelectedKey(), 3);
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page);
}

QTEST_MAIN(TestButtonsMenus)
#include "test_buttons_menus.moc"
