// Shared pieces of the device library's contract tests: a small world and a
// recorder for the reports the library delivers.
#ifndef SIM_FIXTURE_H
#define SIM_FIXTURE_H

#include "devicelib_control.h"
#include "world_text.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QString>
#include <QThread>

#include <vector>

// A 4K receiver with an awake mouse, an 8K receiver with a sleeping one, and
// a mouse on its cable that is paired with an unplugged 1K receiver.
inline QString TestWorld()
{
    using SimWorld::Mouse;
    using SimWorld::Receiver;
    return QStringLiteral("[World]\nVid = 0x2FE5\n")
           + Receiver("r4", 4, 1, "Name = QX-AERO-R4\nVersion = 1.1\nAddress = 0A 0B 0C")
           + Mouse("m4", 1, "r4", "Name = QX-AERO-M\nVersion = 1.2")
           + Receiver("r8", 8, 2, "Name = QX-LYNX-R8\nVersion = 1.1\nAddress = 1A 1B 1C")
           + Mouse("m8", 2, "r8", "Name = QX-LYNX-M\nVersion = 1.2\nAwake = false")
           + Receiver("spare", 1, 3, "Name = QX-ORCA-R1\nAddress = 2A 2B 2C\nPlugged = false")
           + Mouse("cable", 3, "spare", "Name = QX-ORCA-M\nVersion = 1.2\nOnCable = true");
}

const int MacroBase = 0x3BC;
const int MacroBlock = 592;

// An image with every plain byte random and macro blocks holding `events[i]`
// random events each (the count byte says how many; bytes past them are 0).
inline QByteArray randomImage(const QVector<int>& events, quint32 seed)
{
    QRandomGenerator random(seed);
    std::vector<char> image(DEVICELIB_IMAGE_SIZE, '\0');
    for (int i = 0; i < MacroBase; ++i)
        image[std::size_t(i)] = char(random.bounded(256));
    for (int block = 0; block < 16; ++block) {
        char* b = image.data() + MacroBase + block * MacroBlock;
        const int count = events.value(block);
        b[0] = char(random.bounded(31));
        for (int i = 1; i <= 30; ++i)
            b[i] = char(random.bounded(256));
        b[31] = char(count);
        for (int i = 0; i < qMin(count, 70) * 8; ++i)
            b[32 + i] = char(random.bounded(256));
    }
    return QByteArray(image.data(), int(image.size()));
}

struct RecordedReport {
    QByteArray header;
    QByteArray payload;
    Qt::HANDLE thread = nullptr;
    int type() const { return header.size() > 1 ? quint8(header[1]) : -1; }
    int subCode() const { return header.size() > 4 ? quint8(header[4]) : -1; }
};

// Reports arrive through a plain function, so the recorder is program-wide.
class ReportRecorder {
public:
    static ReportRecorder& instance()
    {
        static ReportRecorder recorder;
        return recorder;
    }
    static void callback(const unsigned char* header, int headerLength, const unsigned char* payload,
                         int payloadLength)
    {
        RecordedReport r;
        r.header = QByteArray(reinterpret_cast<const char*>(header), headerLength);
        r.payload = QByteArray(reinterpret_cast<const char*>(payload), payloadLength);
        r.thread = QThread::currentThreadId();
        QMutexLocker lock(&instance().m_mutex);
        instance().m_reports.append(r);
    }
    QList<RecordedReport> take()
    {
        QMutexLocker lock(&m_mutex);
        QList<RecordedReport> reports = m_reports;
        m_reports.clear();
        return reports;
    }

private:
    QMutex m_mutex;
    QList<RecordedReport> m_reports;
};

inline void loadTestWorld()
{
    SimControl::resetWorld();
    SimControl::loadWorldText(TestWorld());
    SimControl::setLatencyMs(1);
    ReportRecorder::instance().take();
}

// Opens the connection to a device of the test world with the recorder.
inline bool connectTo(const QString& id)
{
    const QByteArray path = SimControl::devicePath(id);
    return UsbServerC_Start(path.constData(), path.constData(), &ReportRecorder::callback);
}

// Delivers everything queued and returns what arrived.
inline QList<RecordedReport> deliveredReports()
{
    SimControl::waitIdle();
    return ReportRecorder::instance().take();
}

#endif // SIM_FIXTURE_H
