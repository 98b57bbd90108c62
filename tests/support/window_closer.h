// Closes the notices of one class that come up while it lives. They run
// modally, so it polls: a timer reaches them inside their own event loop.
//
//     WindowCloser<LessThree> notices;
//     ... the action that may open one ...
//     QCOMPARE(notices.count, 1);
#ifndef WINDOW_CLOSER_H
#define WINDOW_CLOSER_H

#include <QApplication>
#include <QLabel>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>

template <class Notice>
class WindowCloser : public QObject {
public:
    WindowCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, &WindowCloser::CloseOpenNotices);
        m_timer.start(5);
    }

    int count = 0;        // notices closed
    QPoint lastPosition;  // where the last one stood
    QString lastLabel;    // the text of its QLabel "label", when it has one

private:
    void CloseOpenNotices()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* notice = qobject_cast<Notice*>(widget);
            if (notice && notice->isVisible()) {
                ++count;
                lastPosition = notice->pos();
                if (const auto* label = notice->template findChild<QLabel*>(QStringLiteral("label")))
                    lastLabel = label->text();
                notice->close();
            }
        }
    }

    QTimer m_timer;
};

#endif // WINDOW_CLOSER_H
