// Which mouse, and which of its on-board profiles, the device image was read
// from, and whether the mouse is still on that profile.
//
// The mouse stores a whole image into the profile it uses when the image
// arrives, and it answers a profile switch (asked by the program or made with
// its own button) with its profile report and then the new profile's dump.
// Between a switch and that dump the image still holds the profile that was
// left: sent then, it would overwrite the profile the mouse moved on to. In
// the same way, a device just opened (or a mouse just paired with the
// receiver) must not be sent the image of the device before it: nothing is
// sent until its own dump has been read. The report handler tells this module
// what the mouse reports, the profile list what the program asks for, the
// connection which device it opens, and every sender of the image asks
// ImageFitsMouse first.
//
// A change decided at one moment and sent later (after a wait, a dialog)
// takes a Target when it is decided and is sent only while TargetHolds.
//
// Thread-safe. A sender checks ImageFitsMouse (and TargetHolds) under
// g_deviceImageMutex, and the report handler records a dump under the same
// lock, so a check never sees the new profile with the old image.
#ifndef MOUSE_PROFILE_H
#define MOUSE_PROFILE_H

#include <QtGlobal>

#include <functional>

namespace MouseProfile {

// The state at program start: no device opened, nothing known.
void StartOver();

// The user opened a device, or paired another mouse with the receiver of the
// open one: the image is not that mouse's until its own dump has been read,
// and nothing may be sent before. Any Target taken earlier no longer holds.
void DeviceOpened();
// Counts the openings; a report handler that began before another opening
// hands its dump to DumpRead with the count it saw, and the dump is dropped.
quint64 Opening();

// The program asked for the whole flash content of the opened device (ask
// and request under g_deviceImageMutex, RequestDeviceDump): until the dump
// comes, kAnswerMs at most, no change is sent, since the dump would not hold
// it. A mouse that did not answer when asked holds the read until it wakes;
// one that answered and then dropped out loses it.
void DumpAsked(bool mouseAnswers);
// The mouse answers again after a while: a read it held goes out now, and
// the wait for its dump starts again. A lost read stays overdue.
void MouseAnswersAgain();
// A change was sent (under g_deviceImageMutex). Sent while a dump is awaited
// (after kAnswerMs), it is not in that dump, which DumpRead then marks to be
// read again.
void ImageSent();
// The opened device's own dump has not come although it was asked for more
// than kAnswerMs ago: the read was lost (the mouse dropped out meanwhile) and
// must be asked for again once the mouse answers.
bool OwnDumpOverdue();

// The opened device's mouse does not answer and the pages show its cached
// image: true when the image may take the cache, i.e. the device's own dump
// has not been read yet. Call it under g_deviceImageMutex.
bool TakeCache();
// The image belongs to the opened device: its own dump, or the cache shown
// while its mouse sleeps. What an export may write, and the cache keep.
bool ImageOfOpenedDevice();
// The image is the opened device's own dump (not its cache).
bool ImageIsOwnDump();

// A new connection to the mouse: nothing is known of its profile.
void Reset();

// The program asks the mouse to switch to `profile`. Call it before the
// request leaves, so that the answer can never come first; when the request
// is refused, SwitchNotSent takes it back.
void SwitchRequested(int profile);
void SwitchNotSent();

// The mouse reports the profile it uses now.
void Reported(int profile);
// The profile the mouse last reported on this connection; -1 when unknown.
int ReportedProfile();

// The mouse applied a configuration (factory reset) and uses a profile it has
// not named; the image is outdated until the next dump.
void ConfigurationApplied();

// A whole dump of the device opened as `opening` became the device image.
// Call it under g_deviceImageMutex, right after the image was replaced.
// Dropped (nothing recorded): another device was opened since, and the
// caller puts the image back. TakenReadAgain: a change was sent after the
// read it answers, so the caller asks for the dump again; sends wait for it.
enum class DumpUse { Dropped, Taken, TakenReadAgain };
DumpUse DumpRead(quint64 opening);
// The same for the device open now (tests, and callers that hold no count).
void DumpRead();

// True when the image may be sent: it is the opened device's own dump, no
// dump that was asked for is on its way, no switch is under way, no applied
// configuration waits for its dump and, as far as the mouse has said, it is
// on the profile the image was read from. A dump, switch or configuration
// whose dump never comes holds back sends for kAnswerMs at most.
bool ImageFitsMouse();
const int kAnswerMs = 3000;

// What a change was decided for: the opening of the device, the dump the
// image held and the profile it was read from (-1 while not named).
struct Target {
    quint64 opening = 0;
    quint64 dump = 0;
    int profile = -1;
};
// The image as it is now. Take it under g_deviceImageMutex (or through
// DeviceImageTarget) when the change is decided.
Target CurrentTarget();
// The image is still of the device and the profile `target` was taken of:
// the same opening, its own dump, and the same dump or a later dump of the
// same named profile.
bool TargetHolds(const Target& target);

// Tests may give the answer time-out another monotonic clock (milliseconds);
// an empty function restores the steady clock.
void SetClock(std::function<long long()> nowMs);

} // namespace MouseProfile

#endif // MOUSE_PROFILE_H
