// The report callback of the device connection. The device library calls it
// on a thread of its own for every report of the selected device: the flash
// dump becomes the device image, the small reports update their part of it,
// and everything else is relayed to the pages through the hub.
//
// Image signals are emitted with copies taken under g_deviceImageMutex; the
// lock is never held across an emit (the pages' receivers are blocking
// queued and may call the setters).
#ifndef DEVICE_REPORT_H
#define DEVICE_REPORT_H

#include <QtGlobal>

#include <functional>

void OnDeviceReport(const unsigned char* header, int headerLength, const unsigned char* payload,
                    int payloadLength);

// Asks the library again for every value g_statusChangedFlags marks as
// changed. A restart request is taken at most once per 3000 ms: it sets
// g_restartNeeded and g_forceReconnect for the next online check.
void ReadChangedStatus();

// The restart debounce counts on g_statusTimer, which the worker starts.
// Tests may give it another monotonic clock (milliseconds); the 3000 ms then
// count from this call. An empty function restores g_statusTimer.
void SetStatusClock(std::function<qint64()> nowMs);

#endif // DEVICE_REPORT_H
