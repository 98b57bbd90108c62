// Shared set-up of the option-frame tests: the simulated mouse (sim_mouse.h)
// with the recognisable image, what a frame's writes leave in it, and the
// user's actions on combos, sliders and the debounce notice.
#ifndef TEST_FRAMES_FIXTURE_H
#define TEST_FRAMES_FIXTURE_H

#include "app_state.h"
#include "less_three.h"
#include "sim_mouse.h"
#include "test_image.h"
#include "window_closer.h"

#include <QtTest>

#include <QAbstractItemView>
#include <QComboBox>
#include <QSlider>

#include <functional>

namespace frames {

// One image byte a frame writes.
struct Write {
    int offset;
    int value;
};

// The baseline is PatternImage(): its bytes differ from what the frames write.
inline QByteArray BaselineWith(const QList<Write>& writes)
{
    QByteArray bytes = ImageBytes(PatternImage());
    for (const Write& write : writes)
        bytes[write.offset] = char(write.value);
    return bytes;
}

// Before every case: mouse online, baseline image, sending allowed, no page
// filling, empty call log.
inline void ResetDevice()
{
    QVERIFY(SimMouse::Reset(PatternImage()));
}

// The image holds exactly the baseline with these writes, and the mouse was
// sent and took it that many times.
inline void ExpectImage(const QList<Write>& writes, int sends)
{
    const QByteArray expected = BaselineWith(writes);
    QCOMPARE(ImageBytes(g_deviceImage), expected);
    QCOMPARE(SimMouse::Sends(), sends);
    QCOMPARE(SimControl::imagesSent().size(), sends);
    if (sends > 0)
        QCOMPARE(SimControl::lastImageSent(), expected);
}

inline void ShowFrame(QWidget* frame)
{
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
}

// The offscreen platform cannot raise the combo's list or grab the
// keyboard for it, and says so on every opening; the list works all the same.
inline QtMessageHandler& PreviousHandler()
{
    static QtMessageHandler previous = nullptr;
    return previous;
}

inline void QuietPopupNotices(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    PreviousHandler()(type, context, message);
}

// The user opens the combo's list and clicks the item.
inline void ChooseItem(QComboBox* combo, int index)
{
    PreviousHandler() = qInstallMessageHandler(QuietPopupNotices);
    struct Restore {
        ~Restore() { qInstallMessageHandler(PreviousHandler()); }
    } restore;
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex item = view->model()->index(index, combo->modelColumn(), combo->rootModelIndex());
    view->scrollTo(item);
    const QPoint at = view->visualRect(item).center();
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(combo->currentIndex(), index);
}

// The user drags the handle across the positions and lets it go at the last.
inline void DragAndRelease(QSlider* slider, const QList<int>& positions)
{
    slider->setSliderDown(true);
    for (int position : positions)
        slider->setSliderPosition(position);
    slider->setSliderDown(false);
}

// Closes every LessThree notice that comes up and notes where it stood.
using NoticeCloser = WindowCloser<LessThree>;

} // namespace frames

#endif // TEST_FRAMES_FIXTURE_H
