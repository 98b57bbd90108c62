// The program's developer traces (the connection pass, the pairing report,
// the waiting and import dialog, quitting). They are off unless switched on,
// for example with QT_LOGGING_RULES="quorix.trace.debug=true".
#ifndef TRACE_LOG_H
#define TRACE_LOG_H

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcTrace)

#endif // TRACE_LOG_H
