// The widget subclasses the forms use in place of stock widgets.
#include "mybutton.h"
#include "myconmbobox.h"
#include "mylineedit.h"
#include "myprogressbar.h"
#include "myslider.h"
#include "mytoolbutton.h"
#include "mytoolbuttonenter.h"

#include <QtTest>

#include <QAbstractItemView>
#include <QVector>

namespace {

// A container that counts the slider's press notifications and key events.
class Container : public QWidget {
public:
    int pressNotices = 0;
    int keyEvents = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::Type(MySlider::kPressedEventType))
            ++pressNotices;
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            ++keyEvents;
        return QWidget::event(event);
    }
};

void Press(QWidget* widget, int x, Qt::MouseButton button = Qt::LeftButton,
           QEvent::Type type = QEvent::MouseButtonPress)
{
    const QPointF pos(x, widget->height() / 2);
    QMouseEvent event(type, pos, widget->mapToGlobal(pos.toPoint()), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void Release(QWidget* widget, int x, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF pos(x, widget->height() / 2);
    QMouseEvent event(QEvent::MouseButtonRelease, pos, widget->mapToGlobal(pos.toPoint()), button, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

class TestWindowsWidgets : public QObject {
    Q_OBJECT
private slots:
    void sliderJumps_data();
    void sliderJumps();
    void sliderRunsBaseHandlerFirst();
    void sliderWithoutParentOrWidth();
    void toolButtonActsOnPress_data();
    void toolButtonActsOnPress();
    void toolButtonDoubleClick();
    void comboRemembersIndexAtPress();
    void lineEditSwallowsKeys();
    void deviceButtonRefreshesItsEntry_data();
    void deviceButtonRefreshesItsEntry();
    void buttonCursor();
    void progressStages_data();
    void progressStages();
    void progressText();
    void progressRunsThroughStages();
};

void TestWindowsWidgets::sliderJumps_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("expected");

    // Width 200.
    QTest::newRow("quarter") << 0 << 100 << 50 << 25;
    QTest::newRow("left edge") << 0 << 100 << 0 << 0;
    QTest::newRow("right edge") << 0 << 100 << 200 << 100;
    QTest::newRow("truncated") << 0 << 100 << 199 << 99;
    QTest::newRow("offset range") << 100 << 12000 << 100 << 6050;
    QTest::newRow("negative range truncates toward zero") << -10 << 10 << 33 << -6;
    QTest::newRow("beyond the edge is clamped") << 0 << 100 << 260 << 100;
}

void TestWindowsWidgets::sliderJumps()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, x);
    QFETCH(int, expected);

    Container container;
    MySlider* slider = new MySlider(&container);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(minimum, maximum);
    slider->setValue(minimum);
    slider->setGeometry(0, 0, 200, 20);

    Press(slider, x);
    QCOMPARE(slider->value(), expected);
    QCOMPARE(container.pressNotices, 1);
}

// A press on the handle still starts a drag: the base handler has pressed the
// slider down before the jump changes the value.
void TestWindowsWidgets::sliderRunsBaseHandlerFirst()
{
    Container container;
    MySlider* slider = new MySlider(&container);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(0, 100);
    slider->setGeometry(0, 0, 200, 20);
    container.show();
    QVERIFY(QTest::qWaitForWindowExposed(&container));

    QStringList order;
    connect(slider, &QSlider::sliderPressed, [&] { order << "pressed"; });
    connect(slider, &QSlider::valueChanged, [&](int) { order << "value"; });
    Press(slider, 4); // on the handle
    QVERIFY(slider->isSliderDown());
    QCOMPARE(order.first(), QStringLiteral("pressed"));
    QCOMPARE(order.last(), QStringLiteral("value"));
    QCOMPARE(slider->value(), 2);
}

void TestWindowsWidgets::sliderWithoutParentOrWidth()
{
    MySlider alone;
    alone.setOrientation(Qt::Horizontal);
    alone.setRange(0, 100);
    alone.resize(100, 20);
    Press(&alone, 50);
    QCOMPARE(alone.value(), 50);

    // Not laid out yet: no width, so no position to jump to.
    Container container;
    MySlider* slider = new MySlider(&container);
    slider->setRange(0, 100);
    slider->setValue(40);
    slider->setGeometry(0, 0, 0, 20);
    QSignalSpy changed(slider, &QSlider::valueChanged);
    Press(slider, 0);
    Press(slider, 10);
    QCOMPARE(slider->value(), 40);
    QVERIFY(changed.isEmpty());
    QCOMPARE(container.pressNotices, 0);
}

void TestWindowsWidgets::toolButtonActsOnPress_data()
{
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("checkedAfter");
    QTest::addColumn<bool>("emits");

    QTest::newRow("left press checks") << true << false << int(Qt::LeftButton) << true << true;
    QTest::newRow("left press on a checked button") << true << true << int(Qt::LeftButton) << true << true;
    QTest::newRow("left press, not checkable") << false << false << int(Qt::LeftButton) << false << true;
    QTest::newRow("right press does nothing") << true << false << int(Qt::RightButton) << false << false;
    QTest::newRow("middle press does nothing") << true << true << int(Qt::MiddleButton) << true << false;
}

void TestWindowsWidgets::toolButtonActsOnPress()
{
    QFETCH(bool, checkable);
    QFETCH(bool, checkedBefore);
    QFETCH(int, button);
    QFETCH(bool, checkedAfter);
    QFETCH(bool, emits);

    MyToolButton tool;
    tool.resize(40, 40);
    tool.setCheckable(checkable);
    tool.setChecked(checkedBefore);
    QSignalSpy clicked(&tool, &QAbstractButton::clicked);

    Press(&tool, 20, Qt::MouseButton(button));
    QCOMPARE(tool.isChecked(), checkedAfter);
    QCOMPARE(clicked.count(), emits ? 1 : 0);
    if (emits)
        QCOMPARE(clicked.first().at(0).toBool(), false);
    QVERIFY(!tool.isDown());

    // The release emits nothing more: the press was the click.
    Release(&tool, 20, Qt::MouseButton(button));
    QCOMPARE(clicked.count(), emits ? 1 : 0);
    QCOMPARE(tool.isChecked(), checkedAfter);
}

void TestWindowsWidgets::toolButtonDoubleClick()
{
    MyToolButton tool;
    tool.resize(40, 40);
    tool.setCheckable(true);
    QSignalSpy clicked(&tool, &QAbstractButton::clicked);
    QSignalSpy doubled(&tool, &MyToolButton::doubleClicked);

    Press(&tool, 20);
    Release(&tool, 20);
    Press(&tool, 20, Qt::LeftButton, QEvent::MouseButtonDblClick);
    Release(&tool, 20);
    Press(&tool, 20, Qt::RightButton, QEvent::MouseButtonDblClick);

    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.at(0).at(0).toBool(), false);
    QCOMPARE(clicked.at(1).at(0).toBool(), true);
    QVERIFY(tool.isChecked());
    QVERIFY(doubled.isEmpty());
}

void TestWindowsWidgets::comboRemembersIndexAtPress()
{
    MyConmboBox combo;
    for (int i = 0; i < 6; ++i)
        combo.addItem(QString::number(i));
    combo.resize(140, 25);
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    QCOMPARE(combo.pressedIndex, 0); // never pressed

    combo.setCurrentIndex(2);
    QTest::mouseClick(&combo, Qt::LeftButton);
    QCOMPARE(combo.pressedIndex, 2);
    combo.setCurrentIndex(4); // the user's choice from the list
    combo.hidePopup();
    QCOMPARE(combo.pressedIndex, 2);

    QTest::mouseClick(&combo, Qt::LeftButton);
    QCOMPARE(combo.pressedIndex, 4);
    combo.hidePopup();

    // Painting the centred label must not disturb anything.
    QVERIFY(!combo.grab().isNull());
}

void TestWindowsWidgets::lineEditSwallowsKeys()
{
    Container container;
    MyLineEdit* edit = new MyLineEdit(&container);
    container.show();
    QVERIFY(QTest::qWaitForWindowExposed(&container));
    edit->setFocus();
    edit->setText(QStringLiteral("Ctrl + A"));

    QTest::keyClicks(edit, QStringLiteral("xyz"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), QStringLiteral("Ctrl + A"));
    QCOMPARE(container.keyEvents, 0);

    edit->setText(QStringLiteral("Shift + F"));
    QCOMPARE(edit->text(), QStringLiteral("Shift + F"));
}

void TestWindowsWidgets::deviceButtonRefreshesItsEntry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::newRow("btn4") << "btn4" << 4;
    QTest::newRow("btn12") << "btn12" << 12;
    QTest::newRow("every btn is removed") << "btnbtn3" << 3;
    QTest::newRow("case-sensitive") << "Btn2" << 0;
    QTest::newRow("no number") << "device" << 0;
}

void TestWindowsWidgets::deviceButtonRefreshesItsEntry()
{
    QFETCH(QString, name);
    QFETCH(int, index);

    QList<int> refreshed;
    mytoolButtonEnter::SetRefreshDeviceButton([&refreshed](int i) { refreshed << i; return true; });
    mytoolButtonEnter button;
    button.setObjectName(name);

    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(&button, &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    QCOMPARE(refreshed, QList<int>{index});

    mytoolButtonEnter::SetRefreshDeviceButton(nullptr);
    QCoreApplication::sendEvent(&button, &enter); // no home page: nothing to call
    QCOMPARE(refreshed.size(), 1);
}

void TestWindowsWidgets::buttonCursor()
{
    MyButton button;
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(&button, &enter);
    QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    QCOMPARE(button.cursor().shape(), Qt::ArrowCursor);
}

void TestWindowsWidgets::progressStages_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QVector<int>>("boundaries");
    QTest::newRow("0") << 0 << QVector<int>{0, 100};
    QTest::newRow("1") << 1 << QVector<int>{0, 100};
    QTest::newRow("3") << 3 << QVector<int>{0, 33, 66, 100};
    QTest::newRow("6") << 6 << QVector<int>{0, 16, 32, 48, 64, 80, 100};
}

void TestWindowsWidgets::progressStages()
{
    QFETCH(int, count);
    QFETCH(QVector<int>, boundaries);
    MyProgressBar bar;
    bar.StartStages(count, 100000);
    QCOMPARE(bar.Boundaries(), boundaries);
    QCOMPARE(bar.value(), 0);
}

void TestWindowsWidgets::progressText()
{
    MyProgressBar bar;
    QCOMPARE(bar.text(), QStringLiteral("0.0%"));
    QCOMPARE(bar.alignment(), Qt::AlignRight | Qt::AlignVCenter);
    bar.SetProgressValue(37);
    QCOMPARE(bar.text(), QStringLiteral("37.0%"));
    bar.setRange(0, 200);
    bar.SetProgressValue(75);
    QCOMPARE(bar.text(), QStringLiteral("37.5%"));
}

// Creeps to one below each stage's end, fills to the end on mUpdate().
void TestWindowsWidgets::progressRunsThroughStages()
{
    MyProgressBar bar;
    bar.StartStages(3, 1);
    QTRY_COMPARE(bar.value(), 32);
    QTest::qWait(30);
    QCOMPARE(bar.value(), 32);

    bar.mUpdate();
    QTRY_COMPARE(bar.value(), 65);
    bar.mUpdate();
    QTRY_COMPARE(bar.value(), 99);
    bar.mUpdate();
    QTRY_COMPARE(bar.value(), 100);
    QCOMPARE(bar.CurrentStage(), 3);
    bar.mUpdate();
    QCOMPARE(bar.CurrentStage(), 3);
    QTest::qWait(30);
    QCOMPARE(bar.value(), 100);
    QCOMPARE(bar.text(), QStringLiteral("100.0%"));

    bar.StartStages(2, 100000); // restarts from 0
    QCOMPARE(bar.value(), 0);
    QCOMPARE(bar.Boundaries(), (QVector<int>{0, 50, 100}));
}

QTEST_MAIN(TestWindowsWidgets)
#include "test_windows_widgets.moc"
