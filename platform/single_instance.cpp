#include "single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDebug>
#include <QFile>

#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

const int kCreateAttempts = 3;

#ifdef Q_OS_UNIX
void ReportUnusableLock(const QString& path, int error)
{
    qWarning().noquote() << QStringLiteral("The single-instance lock file %1 cannot be used (%2); remove what stands "
                                           "in its place. Meanwhile only the shared memory's users tell whether the "
                                           "program runs already.")
                                .arg(path, QString::fromLocal8Bit(std::strerror(error)));
}
#endif

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
// Without a usable lock file it says why on the standard error and answers
// false: the segment's attachments decide then.
bool SingleInstance::LockHeldElsewhere()
{
#ifdef Q_OS_UNIX
    if (m_lockFd >= 0)
        return false;
    const QString path = LockFilePath(m_key);
    const QByteArray encoded = QFile::encodeName(path);
    const int fd = ::open(encoded.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        ReportUnusableLock(path, errno);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return true;
        ReportUnusableLock(path, error);
        return false;
    }
    m_lockFd = fd;
#endif
    return false;
}

bool SingleInstance::SegmentInUseElsewhere()
{
    if (!m_memory.attach(QSharedMemory::ReadWrite))
        return false;
    // Detaching removes a segment that nobody else is attached to, such as
    // one left by a killed instance; one that is still there has a holder.
    m_memory.detach();
    if (!m_memory.attach(QSharedMemory::ReadWrite))
        return false;
    m_memory.detach();
    return true;
}

bool SingleInstance::Claim()
{
    if (LockHeldElsewhere())
        return false;

    if (m_lockFd >= 0) {
        // The lock was free, so the creator of a segment found now is gone:
        // release it.
        if (m_memory.attach(QSharedMemory::ReadWrite))
            m_memory.detach();
    } else if (SegmentInUseElsewhere()) {
        return false;
    }
    // The segment's key comes from the key file's inode number (its low 16
    // bits). A new key file often gets the inode of a file deleted a moment
    // ago, so its key can be that of a segment someone left behind. A
    // segment nobody is attached to is released like our own leftover (the
    // detach removes it) and the creation tried again; one in use is left
    // alone, and the program starts anyway.
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        if (m_memory.create(1, QSharedMemory::ReadWrite) || m_memory.error() != QSharedMemory::AlreadyExists
            || !m_memory.attach(QSharedMemory::ReadWrite))
            break;
        m_memory.detach();
    }
    return true;
}
