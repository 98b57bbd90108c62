// Which of the mouse's on-board profiles the device image was read from, and
// whether the mouse is still on it.
//
// The mouse stores a whole image into the profile it uses when the image
// arrives, and it answers a profile switch (asked by the program or made with
// its own button) with its profile report and then the new profile's dump.
// Between a switch and that dump the image still holds the profile that was
// left: sent then, it would overwrite the profile the mouse moved on to. The
// report handler tells this module what the mouse reports, the profile list
// what the program asks for, and every sender of the image asks
// ImageFitsMouse first.
//
// Thread-safe. A sender checks ImageFitsMouse under g_deviceImageMutex, and
// the report handler records a dump under the same lock, so a check never
// sees the new profile with the old image.
#ifndef MOUSE_PROFILE_H
#define MOUSE_PROFILE_H

#include <functional>

namespace MouseProfile {

// A new connection to the mouse: nothing is known of its profile.
void Reset();

// The program asks the mouse to switch to `profile`. Call it before the
// request leaves, so that the answer can never come first; when the request
// is refused, SwitchNotSent takes it back.
void SwitchRequested(int profile);
void SwitchNotSent();

// The mouse reports the profile it uses now.
void Reported(int profile);

// The mouse applied a configuration (factory reset) and uses a profile it has
// not named; the image is outdated until the next dump.
void ConfigurationApplied();

// A whole dump became the device image. Call it under g_deviceImageMutex,
// right after the image was replaced.
void DumpRead();

// True when the image may be sent: no switch is under way, no applied
// configuration waits for its dump and, as far as the mouse has said, it is
// on the profile the image was read from. A switch or configuration whose
// dump never comes holds back sends for kAnswerMs at most.
bool ImageFitsMouse();
const int kAnswerMs = 3000;

// Tests may give the answer time-out another monotonic clock (milliseconds);
// an empty function restores the steady clock.
void SetClock(std::function<long long()> nowMs);

} // namespace MouseProfile

#endif // MOUSE_PROFILE_H
