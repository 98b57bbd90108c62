// Plays the report thread rewriting the cache name of the dump: it holds
// g_deviceImageMutex, writes an interim name and only after a while the
// final one. A reader that takes the lock sees the final name; one that does
// not sees the interim one.
//
//     CacheNameRewrite rewrite("Device_CID17_MID05.bin", "Device_CID17_MID01.bin");
//     ... the code under test saves the cache ...
#ifndef CACHE_NAME_REWRITE_H
#define CACHE_NAME_REWRITE_H

#include "app_state.h"

#include <QMutexLocker>
#include <QSemaphore>
#include <QString>

#include <chrono>
#include <thread>

class CacheNameRewrite {
public:
    CacheNameRewrite(const QString& interim, const QString& final, int holdMs = 300)
    {
        m_thread = std::thread([this, interim, final, holdMs] {
            QMutexLocker locker(&g_deviceImageMutex);
            g_cacheNameOnDump = interim;
            m_locked.release();
            std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            g_cacheNameOnDump = final;
        });
        m_locked.acquire();
    }
    ~CacheNameRewrite() { m_thread.join(); }

    CacheNameRewrite(const CacheNameRewrite&) = delete;
    CacheNameRewrite& operator=(const CacheNameRewrite&) = delete;

private:
    QSemaphore m_locked;
    std::thread m_thread;
};

#endif // CACHE_NAME_REWRITE_H
