// Crash dumps. On a fatal signal (segmentation fault, bus error, illegal
// instruction, arithmetic error, abort, bad system call) the handler writes a
// text dump into <data folder>/Exception, named by the local time as
// "yyyy_MM_dd_hh_mm_ss.dmp", then lets the signal end the process as it would
// have without the handler. A dump holds the signal, its code, the fault
// address, the process and thread ids and a backtrace of the crashing thread.
//
// The handler runs inside a signal, so it only uses async-signal-safe calls:
// everything it needs (folder, time zone offset, the backtrace machinery) is
// prepared when the CrashHandler is constructed.
#ifndef CRASH_DUMP_H
#define CRASH_DUMP_H

#include <QString>

#include <csignal>

class CrashHandler {
public:
    // dataFolder: the per-user data folder; dumps go to its "Exception".
    explicit CrashHandler(const QString& dataFolder);

    // Makes WriteDump the process-wide handler of the fatal signals. An
    // earlier handler is not chained. The folder of the last constructed
    // handler is the one used.
    void Install();

    // Writes one dump for `signal` (info may be null) and returns 1; a dump
    // that cannot be created is skipped. Two dumps within one second share
    // the name, the later replaces the earlier.
    static long WriteDump(int signal, const siginfo_t* info);
};

// Dump writers kept for diagnosis that nothing installs:
// writes "<time>Test.dmp" into the same folder and ends the process with the
// message "*** Unhandled Exception ***";
long TestDumpFilter(int signal, const siginfo_t* info);
// writes "<seconds since 1970>_core.dmp" into a fixed developer folder, with
// the program's code mappings appended.
long CoreDumpFilter(int signal, const siginfo_t* info);

#endif // CRASH_DUMP_H
