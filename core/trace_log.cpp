#include "trace_log.h"

// Info and above stay on; the traces themselves are debug messages.
Q_LOGGING_CATEGORY(lcTrace, "quorix.trace", QtInfoMsg)
