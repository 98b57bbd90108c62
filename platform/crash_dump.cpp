#include "crash_dump.h"

#include <QDateTime>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>

#include <execinfo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Everything the signal handler reads is fixed before it can run.
char s_dumpFolder[4096] = {};
std::atomic<long> s_utcOffsetSeconds{0};
std::atomic<bool> s_writing{false};

const int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGSYS};
const int kMaxFrames = 64;
const char kCoreDumpFolder[] = "/tmp/";

// Room for the handler when the crash is a stack overflow.
alignas(16) char s_alternateStack[64 * 1024];

// --- async-signal-safe text output ---------------------------------------------

// Writes value in decimal into text (at least `width` digits, zero-padded;
// 31 digits at most) and returns text.
char* FormatDecimal(char (&text)[32], unsigned long long value, int width)
{
    char digits[32];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value && n < 31);
    while (n < width && n < 31)
        digits[n++] = '0';
    for (int i = 0; i < n; ++i)
        text[i] = digits[n - 1 - i];
    text[n] = 0;
    return text;
}

class Out {
public:
    explicit Out(int fd) : m_fd(fd) {}

    Out& text(const char* s)
    {
        size_t length = 0;
        while (s[length])
            ++length;
        while (length > 0) {
            const ssize_t written = ::write(m_fd, s, length);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return *this;
            s += written;
            length -= size_t(written);
        }
        return *this;
    }

    Out& decimal(unsigned long long value, int width = 0)
    {
        char digits[32];
        return text(FormatDecimal(digits, value, width));
    }

    Out& hex(uintptr_t value)
    {
        char digits[2 + 2 * sizeof(uintptr_t) + 1];
        digits[0] = '0';
        digits[1] = 'x';
        const int count = int(2 * sizeof(uintptr_t));
        for (int i = 0; i < count; ++i)
            digits[2 + i] = "0123456789abcdef"[(value >> (4 * (count - 1 - i))) & 0xF];
        digits[2 + count] = 0;
        return text(digits);
    }

private:
    int m_fd;
};

// Appends src to dst (capacity bytes, always terminated).
void Append(char* dst, size_t capacity, const char* src)
{
    size_t length = 0;
    while (length < capacity && dst[length])
        ++length;
    while (*src && length + 1 < capacity)
        dst[length++] = *src++;
    dst[length < capacity ? length : capacity - 1] = 0;
}

void AppendNumber(char* dst, size_t capacity, unsigned long long value, int width)
{
    char digits[32];
    Append(dst, capacity, FormatDecimal(digits, value, width));
}

struct CivilTime {
    long long year;
    unsigned month, day, hour, minute, second;
};

// Local civil time without localtime(), which may take locks.
CivilTime LocalTimeNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    long long seconds = static_cast<long long>(now.tv_sec) + s_utcOffsetSeconds.load();
    long long days = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Days since 1970-01-01 to a calendar date (proleptic Gregorian).
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = unsigned(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    CivilTime t;
    t.day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    t.month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    t.year = static_cast<long long>(yearOfEra) + era * 400 + (t.month <= 2 ? 1 : 0);
    t.hour = unsigned(rest / 3600);
    t.minute = unsigned(rest % 3600 / 60);
    t.second = unsigned(rest % 60);
    return t;
}

// "yyyy_MM_dd_hh_mm_ss"
void AppendTimeName(char* dst, size_t capacity, const CivilTime& t)
{
    AppendNumber(dst, capacity, static_cast<unsigned long long>(t.year), 4);
    const unsigned parts[] = {t.month, t.day, t.hour, t.minute, t.second};
    for (unsigned part : parts) {
        Append(dst, capacity, "_");
        AppendNumber(dst, capacity, part, 2);
    }
}

const char* SignalName(int signal)
{
    switch (signal) {
    case SIGSEGV: return "SIGSEGV (segmentation fault)";
    case SIGBUS: return "SIGBUS (bus error)";
    case SIGILL: return "SIGILL (illegal instruction)";
    case SIGFPE: return "SIGFPE (arithmetic error)";
    case SIGABRT: return "SIGABRT (abort)";
    case SIGSYS: return "SIGSYS (bad system call)";
    default: return "signal";
    }
}

void WriteReport(int fd, int signal, const siginfo_t* info)
{
    Out out(fd);
    out.text("Quorix One crash dump\n");
    out.text("signal: ").decimal(unsigned(signal)).text(" ").text(SignalName(signal)).text("\n");
    if (info) {
        out.text("code: ");
        if (info->si_code < 0)
            out.text("-");
        out.decimal(static_cast<unsigned long long>(info->si_code < 0 ? -static_cast<long long>(info->si_code)
                                                                       : info->si_code))
            .text("\n");
        out.text("fault address: ").hex(reinterpret_cast<uintptr_t>(info->si_addr)).text("\n");
    } else {
        out.text("code: none\nfault address: none\n");
    }
    out.text("process id: ").decimal(unsigned(getpid())).text("\n");
    out.text("thread id: ").decimal(static_cast<unsigned long long>(syscall(SYS_gettid))).text("\n");
    out.text("backtrace:\n");
    void* frames[kMaxFrames];
    const int count = backtrace(frames, kMaxFrames);
    backtrace_symbols_fd(frames, count, fd);
}

using DumpPath = char[sizeof(s_dumpFolder) + 64];

// Creates (or replaces) "<dump folder>/<local time><suffix>" and leaves its
// name in path; -1 when it cannot be created.
int CreateDumpFile(DumpPath& path, const char* suffix)
{
    path[0] = 0;
    Append(path, sizeof(path), s_dumpFolder);
    Append(path, sizeof(path), "/");
    AppendTimeName(path, sizeof(path), LocalTimeNow());
    Append(path, sizeof(path), suffix);
    return ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
}

void OnFatalSignal(int signal, siginfo_t* info, void*)
{
    // One dump per process: a second crashing thread does not write over it.
    if (!s_writing.exchange(true))
        CrashHandler::WriteDump(signal, info);
    // The handler was reset to the default on entry and the signal is not
    // blocked (SA_RESETHAND | SA_NODEFER): raising it again ends the process
    // the way the signal would have without us. A fault re-raises anyway when
    // the faulting instruction runs again.
    raise(signal);
}

} // namespace

CrashHandler::CrashHandler(const QString& dataFolder)
{
    const QByteArray folder = QFile::encodeName(dataFolder + QStringLiteral("/Exception"));
    s_dumpFolder[0] = 0;
    if (size_t(folder.size()) < sizeof(s_dumpFolder) - 32)
        Append(s_dumpFolder, sizeof(s_dumpFolder), folder.constData());
    s_utcOffsetSeconds = QDateTime::currentDateTime().offsetFromUtc();
    // The first backtrace() loads the unwinder, which allocates: do it now.
    void* frame[1];
    backtrace(frame, 1);
}

void CrashHandler::Install()
{
    stack_t stack{};
    stack.ss_sp = s_alternateStack;
    stack.ss_size = sizeof(s_alternateStack);
    sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    for (int signal : kFatalSignals)
        sigaction(signal, &action, nullptr);
}

long CrashHandler::WriteDump(int signal, const siginfo_t* info)
{
    if (!s_dumpFolder[0])
        return 1;
    ::mkdir(s_dumpFolder, 0700); // one level, as the data folder exists

    DumpPath path;
    const int fd = CreateDumpFile(path, ".dmp");
    if (fd >= 0) {
        WriteReport(fd, signal, info);
        ::close(fd);
    }
    // The same on the diagnostic stream, for whoever watches the process.
    Out(STDERR_FILENO).text("crash dump: ").text(path).text("\n");
    WriteReport(STDERR_FILENO, signal, info);
    return 1;
}

long TestDumpFilter(int signal, const siginfo_t* info)
{
    DumpPath path;
    const int fd = CreateDumpFile(path, "Test.dmp");
    WriteReport(fd, signal, info);
    if (fd >= 0)
        ::close(fd);
    Out(STDERR_FILENO).text("*** Unhandled Exception ***\n");
    _exit(EXIT_FAILURE);
    return 1;
}

long CoreDumpFilter(int signal, const siginfo_t* info)
{
    char path[256] = {};
    Append(path, sizeof(path), kCoreDumpFolder);
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    AppendNumber(path, sizeof(path), static_cast<unsigned long long>(now.tv_sec), 0);
    Append(path, sizeof(path), "_core.dmp");

    const int fd = ::open(path, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return 1;
    WriteReport(fd, signal, info);

    // The modules: every executable mapping of the process, no data.
    Out(fd).text("code mappings:\n");
    const int maps = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (maps >= 0) {
        char line[512];
        size_t used = 0;
        char chunk[1024];
        ssize_t got;
        while ((got = ::read(maps, chunk, sizeof(chunk))) > 0) {
            for (ssize_t i = 0; i < got; ++i) {
                if (used + 1 < sizeof(line))
                    line[used++] = chunk[i];
                if (chunk[i] != '\n')
                    continue;
                line[used] = 0;
                const char* perms = std::strchr(line, ' ');
                if (perms && perms[1] && perms[2] && perms[3] == 'x')
                    Out(fd).text(line);
                used = 0;
            }
        }
        ::close(maps);
    }
    ::close(fd);
    return 1;
}
