// Preloaded into a child process by the crash tests: counts the child's file
// events under the folders of QUORIX_KILL_WATCH (":"-separated) and kills the
// child with SIGKILL just before event number QUORIX_KILL_AT, as a crash or a
// power cut would stop it there. An event is an open for writing, a write, a
// truncation, a sync or a close of such a file, and a rename, link or unlink
// of a path under a watched folder. Reads are not counted.
// The wrappers below must be the functions themselves, not inline checks.
#undef _FORTIFY_SOURCE

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

constexpr int kMaxFd = 4096;
bool g_written[kMaxFd]; // descriptors opened for writing under a watched folder
long g_events = 0;

bool Watched(const char* path)
{
    static const char* folders = getenv("QUORIX_KILL_WATCH");
    if (!folders || !path)
        return false;
    for (const char* start = folders; *start;) {
        const char* end = strchr(start, ':');
        const size_t size = end ? size_t(end - start) : strlen(start);
        if (size > 0 && strncmp(path, start, size) == 0 && (path[size] == '/' || path[size] == '\0'))
            return true;
        if (!end)
            break;
        start = end + 1;
    }
    return false;
}

void Event()
{
    static const long killAt = getenv("QUORIX_KILL_AT") ? atol(getenv("QUORIX_KILL_AT")) : 0;
    if (++g_events == killAt)
        kill(getpid(), SIGKILL);
}

bool WrittenFd(int fd)
{
    return fd >= 0 && fd < kMaxFd && g_written[fd];
}

bool Writes(int flags)
{
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0;
}

template <typename Function>
Function Real(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

int Open(const char* name, const char* path, int flags, mode_t mode)
{
    using OpenFunction = int (*)(const char*, int, ...);
    const bool watched = Watched(path) && Writes(flags);
    if (watched)
        Event();
    const int fd = Real<OpenFunction>(name)(path, flags, mode);
    if (watched && fd >= 0 && fd < kMaxFd)
        g_written[fd] = true;
    return fd;
}

mode_t ModeArgument(int flags, va_list args)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? mode_t(va_arg(args, int)) : 0;
}

} // namespace

extern "C" {

int open(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeArgument(flags, args);
    va_end(args);
    return Open("open", path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeArgument(flags, args);
    va_end(args);
    return Open("open64", path, flags, mode);
}

ssize_t write(int fd, const void* data, size_t size)
{
    if (WrittenFd(fd))
        Event();
    return Real<ssize_t (*)(int, const void*, size_t)>("write")(fd, data, size);
}

int close(int fd)
{
    if (WrittenFd(fd)) {
        Event();
        g_written[fd] = false;
    }
    return Real<int (*)(int)>("close")(fd);
}

int ftruncate(int fd, off_t size)
{
    if (WrittenFd(fd))
        Event();
    return Real<int (*)(int, off_t)>("ftruncate")(fd, size);
}

int ftruncate64(int fd, off64_t size)
{
    if (WrittenFd(fd))
        Event();
    return Real<int (*)(int, off64_t)>("ftruncate64")(fd, size);
}

int fsync(int fd)
{
    if (WrittenFd(fd))
        Event();
    return Real<int (*)(int)>("fsync")(fd);
}

int fdatasync(int fd)
{
    if (WrittenFd(fd))
        Event();
    return Real<int (*)(int)>("fdatasync")(fd);
}

int rename(const char* from, const char* to)
{
    if (Watched(from) || Watched(to))
        Event();
    return Real<int (*)(const char*, const char*)>("rename")(from, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags)
{
    if (Watched(from) || Watched(to))
        Event();
    return Real<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2")(fromDir, from, toDir, to, flags);
}

int link(const char* from, const char* to)
{
    if (Watched(from) || Watched(to))
        Event();
    return Real<int (*)(const char*, const char*)>("link")(from, to);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags)
{
    if (Watched(from) || Watched(to))
        Event();
    return Real<int (*)(int, const char*, int, const char*, int)>("linkat")(fromDir, from, toDir, to, flags);
}

int unlink(const char* path)
{
    if (Watched(path))
        Event();
    return Real<int (*)(const char*)>("unlink")(path);
}

} // extern "C"
