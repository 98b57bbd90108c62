#include "single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

const int kCreateAttempts = 3;

} // namespace

SingleInstance::SingleInstance(const QString& key)
    : m_key(key)
    , m_memory(key)
{
}

SingleInstance::~SingleInstance()
{
#ifdef Q_OS_UNIX
    if (m_lockFd >= 0)
        ::close(m_lockFd);
#endif
}

QString SingleInstance::LockFilePath(const QString& key)
{
    QString readable;
    for (const QChar c : key) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            readable += c;
    }
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QDir::tempPath() + QLatin1Char('/') + readable + QLatin1Char('-') + QString::fromLatin1(hash)
        + QStringLiteral(".lock");
}

// True when a live process holds the lock; takes it (for good) otherwise.
// Without a usable lock file it answers false and the segment alone decides.
bool SingleInstance::LockHeldElsewhere()
{
#ifdef Q_OS_UNIX
    if (m_lockFd >= 0)
        return false;
    const QByteArray path = QFile::encodeName(LockFilePath(m_key));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy;
    }
    m_lockFd = fd;
#endif
    return false;
}

bool SingleInstance::Claim()
{
    if (LockHeldElsewhere())
        return false;

    if (m_memory.attach(QSharedMemory::ReadWrite)) {
        if (m_lockFd < 0)
            return false; // no lock to tell a live holder from a dead one
        // The lock was free, so the segment's creator is gone: release it.
        m_memory.detach();
    }
    // The segment's key comes from the key file's inode number (its low 16
    // bits). A new key file often gets the inode of a file deleted a moment
    // ago, so its key can be that of a segment someone left behind. A
    // segment nobody is attached to is released like our own leftover (the
    // detach removes it) and the creation tried again; one in use is left
    // alone, and the program starts anyway.
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        if (m_memory.create(1, QSharedMemory::ReadWrite) || m_memory.error() != QSharedMemory::AlreadyExists
            || m_lockFd < 0 || !m_memory.attach(QSharedMemory::ReadWrite))
            break;
        m_memory.detach();
    }
    return true;
}
