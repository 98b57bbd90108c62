// Keeps the program to one instance per user: a 1-byte shared-memory segment
// named by a key (the application name) marks the running instance.
//
// A segment outlives a process that crashed, so on its own it would refuse
// every later start. A lock file beside it (flock, released by the system
// when its holder ends in any way) tells a live holder from a dead one: a
// segment found while the lock is free is an orphan and is released. So is
// a left segment that a new key file meets (keys come from inode numbers,
// which the file system hands out again).
//
// A lock file that cannot be taken at all (a folder or another user's file
// in its place) is reported with its path on the standard error; the
// segment's attachments decide then: a live instance stays attached to it,
// a killed one is not.
#ifndef SINGLE_INSTANCE_H
#define SINGLE_INSTANCE_H

#include <QSharedMemory>
#include <QString>

class SingleInstance {
public:
    explicit SingleInstance(const QString& key);
    ~SingleInstance();

    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another live instance holds the guard. True otherwise: this
    // process now holds it until it ends (or this object is destroyed). A
    // segment that cannot be created does not stop the start.
    bool Claim();

    // The lock file of the key (in the temporary folder).
    static QString LockFilePath(const QString& key);

private:
    bool LockHeldElsewhere();
    // True when a process other than this one is attached to the segment;
    // releases the segment when nobody is.
    bool SegmentInUseElsewhere();

    QString m_key;
    QSharedMemory m_memory;
    int m_lockFd = -1;
};

#endif // SINGLE_INSTANCE_H
