// Emitting on a thread of its own, as the device library's report thread
// does, while this (the user-interface) thread keeps serving the blocking
// queued connections the emit waits for.
//
//     QVERIFY(EmitFromReportThread([] { emit PostMsg::GetInstance()->SigFormReset(); }));
#ifndef REPORT_THREAD_H
#define REPORT_THREAD_H

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>
#include <memory>

// Runs emitter on a new thread and returns once it has returned; false when
// it has not after timeoutMs.
inline bool EmitFromReportThread(const std::function<void()>& emitter, int timeoutMs = 10000)
{
    std::unique_ptr<QThread> thread(QThread::create(emitter));
    thread->start();
    QElapsedTimer clock;
    clock.start();
    while (!thread->isFinished() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const bool finished = thread->wait(1000);
    QCoreApplication::processEvents();
    return finished;
}

#endif // REPORT_THREAD_H
