// One simulated mouse ("aero") behind a 4K receiver ("r4"), connected the way
// the pages find it: the device path set and the library's connection open,
// with its reports dropped. For tests of what the pages, frames and setters
// write and send (link devicelib_control):
//
//     initTestCase:  QVERIFY(SimMouse::Start());
//     init:          QVERIFY(SimMouse::Reset(PatternImage()));
//     a case:        QVERIFY(SimMouse::SetOnline(false));  ...  QCOMPARE(SimMouse::Sends(), 0);
#ifndef SIM_MOUSE_H
#define SIM_MOUSE_H

#include "app_state.h"
#include "mouse_profile.h"
#include "program_state.h"

#include <devicelib_control.h>

namespace SimMouse {

inline const char* const kMouse = "aero";
inline const char* const kReceiver = "r4";

inline void DropReports(const unsigned char*, int, const unsigned char*, int) {}

// Opens the connection to the receiver again (a test may have closed it).
inline bool Connect()
{
    const QByteArray path = SimControl::devicePath(QString::fromLatin1(kReceiver));
    g_devicePath.set(path);
    return !path.isEmpty() && UsbServerC_Start(path.constData(), path.constData(), &DropReports);
}

// A world of just this mouse, answering at once; once per test program.
inline bool Start()
{
    SimControl::resetWorld();
    SimControl::setLatencyMs(0);
    SimControl::MouseSetup mouse(QString::fromLatin1(kMouse));
    mouse.receiver = QString::fromLatin1(kReceiver);
    return SimControl::addReceiver(SimControl::ReceiverSetup(QString::fromLatin1(kReceiver)))
           && SimControl::addMouse(mouse) && Connect();
}

// Awake and in range, or asleep.
inline bool SetOnline(bool online)
{
    return SimControl::setMouseOnline(QString::fromLatin1(kMouse), online);
}

// Before every case: the mouse online, `image` in memory, the page flags
// down, sending as asked, and an empty call log.
inline bool Reset(const FlashDataMap& image, bool sendEnabled = true)
{
    const bool online = SetOnline(true);
    g_deviceImage = image;
    ResetPageFlags(sendEnabled);
    MouseProfile::Reset();
    SimControl::clearCallLog();
    return online;
}

// Sends of the image (taken or refused) since the call log was cleared.
inline int Sends()
{
    return SimControl::callCount(QStringLiteral("ProtocolDataUpdate"));
}

} // namespace SimMouse

#endif // SIM_MOUSE_H
