// The simulated device library as tests watch it: its call log, and waiting
// until it and the connection worker have settled (link devicelib_control).
#ifndef LIBRARY_CALLS_H
#define LIBRARY_CALLS_H

#include "app_state.h"
#include "worker.h"

#include <devicelib_control.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QThread>

#include <algorithm>

// The logged calls whose function starts with one of the prefixes (all calls
// when none is given), in order, as "function argument".
inline QStringList LibraryCalls(const QStringList& prefixes = QStringList())
{
    QStringList calls;
    for (const SimControl::Call& call : SimControl::callLog()) {
        const bool wanted = prefixes.isEmpty()
                            || std::any_of(prefixes.begin(), prefixes.end(),
                                           [&](const QString& prefix) { return call.function.startsWith(prefix); });
        if (wanted)
            calls << (call.argument.isEmpty() ? call.function : call.function + QLatin1Char(' ') + call.argument);
    }
    return calls;
}

// The arguments of one function's logged calls, in order.
inline QStringList CallArguments(const QString& function)
{
    QStringList arguments;
    for (const SimControl::Call& call : SimControl::callLog()) {
        if (call.function == function)
            arguments << call.argument;
    }
    return arguments;
}

// Waits until the library has delivered everything, no connection pass runs
// and the calls queued to this thread have run (modal dialogs opened meanwhile
// run their own loops). False after timeoutMs.
inline bool Settle(int timeoutMs = 20000)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const bool passBefore = g_worker && g_worker->isRunning();
        const bool idle = SimControl::waitIdle(qMax(1, timeoutMs - int(clock.elapsed())));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const bool passAfter = g_worker && g_worker->isRunning();
        if (idle && !passBefore && !passAfter)
            return true;
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(1);
    }
}

#endif // LIBRARY_CALLS_H
