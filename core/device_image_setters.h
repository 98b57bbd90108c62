// Field setters of the device image. Each one asks the library whether the
// selected mouse answers; if it does, it writes its field(s) of g_deviceImage
// and sends the whole image, both under g_deviceImageMutex. An offline mouse
// leaves the image untouched and raises the offline notice (SigMouseOffLineo
// with 0) unless a page is filling its controls from an image.
//
// Integer arguments are stored as their low 8 bits. Every setter returns true
// only when the image was written and the mouse accepted it; a refused send
// restores the image as it was (and raises the same notice when the mouse
// stopped answering meanwhile), and an index out of range (stage 0-7,
// button 0-15) writes nothing. Call them on the user-interface thread.
//
// No writer sends an image read from another device or profile than the one
// the mouse is on (mouse_profile.h): until an opened device's own dump has
// been read, and while a profile switch or an applied configuration waits for
// its dump, every writer refuses and leaves the image as it was; the setters,
// EditDeviceImage and EditAndSendDeviceImage then raise the notice with 1
// (try again) once their caller has returned, again not while a page is
// filling. A change decided earlier passes the MouseProfile::Target it was
// decided for, and is refused the same way once that no longer holds.
#ifndef DEVICE_IMAGE_SETTERS_H
#define DEVICE_IMAGE_SETTERS_H

#include "flash_data_map.h"
#include "mouse_profile.h"

#include <cstdint>
#include <functional>

bool SetReportRate(int code);
bool SetDpiStageCount(int count);
bool SetCurrentDpiStage(int stage);
bool SetImageByte3(int value);
bool SetImageByte4(int value);
bool SetLiftOffDistance(int code);
bool SetDebounceTime(int ms);
bool SetMotionSync(int on);
bool SetLightOffTime(int tenSeconds);
bool SetStraightLine(int on);
bool SetRippleControl(int on);
bool SetLightOffWhileMoving(int on);
bool SetPerformanceMode(int on);
bool SetPerformanceTime(int code);
bool SetSensorMode(int index);

bool SetDpiStageValue(int stage, int x, int y, int flags);
bool SetDpiStageColor(int stage, int red, int green, int blue);
// Stage j := a, then stage i := b (so i == j ends with b), 0x02 := current,
// 0x01 := current + 1; one send. The records are taken by value, so callers
// may pass stages of g_deviceImage itself.
bool SetDpiStagePair(DPIStage a, DPIStage b, int i, int j, int current);

// Mode 0 only switches the block off (the old mode stays); any other mode is
// stored and switches it on.
bool SetDpiLedMode(int mode);
bool SetDpiLedBrightness(int value);
bool SetDpiLedSpeed(int value);
bool SetLedBarMode(int mode);
bool SetLedBarColor(int red, int green, int blue);
bool SetLedBarSpeed(int value);
bool SetLedBarBrightness(int value);

// decidedFor: the target of a function chosen earlier (in a dialog).
bool SetButtonFunction(int button, int type, int param1, int param2,
                       const MouseProfile::Target* decidedFor = nullptr);
// function: the 3-byte key function; keyRecord: the 52-byte key-event record;
// macroBlock: the 592-byte macro block. Null pointers write nothing.
bool SetButtonKeys(int button, const uint8_t* function, const uint8_t* keyRecord,
                   const MouseProfile::Target* decidedFor = nullptr);
bool SetButtonMacro(int button, const uint8_t* function, const uint8_t* macroBlock);

// A change computed from the image itself (fields kept as they are, several
// fields at once), with the setters' rules: online gate, write and send in
// one step under the lock, a refused send undone. Never hand it values read
// from the image earlier: read them inside `write`.
bool EditDeviceImage(const std::function<void(FlashDataMap&)>& write,
                     const MouseProfile::Target* decidedFor = nullptr);

// The online gate alone: true when the mouse answers, else the offline notice
// as above and false.
bool CheckDeviceOnline();
// Sends g_deviceImage as it is, without the online gate and without a
// notice (false) when the image is not of the mouse's device and profile.
bool SendDeviceImage();

// For the other writers of the image (report handler, stage editor, factory
// reset, import): runs edit on g_deviceImage and sends it, both under the
// image lock, without the online gate and without undoing a refused send.
// Never call it from a slot that the report thread is blocked on while it
// holds the lock (it never does: the lock is not held across an emit).
bool EditAndSendDeviceImage(const std::function<void(FlashDataMap&)>& edit);
// Replaces g_deviceImage with `image` and sends it, without the online gate;
// a refused send puts the previous image back and returns false. No notice:
// the caller tells the user.
bool ReplaceDeviceImage(const FlashDataMap& image, const MouseProfile::Target* decidedFor = nullptr);
// Asks the mouse for its whole flash content, under the image lock: every
// change sent before is in the dump that answers, and none is sent after it
// until that dump has come (MouseProfile::DumpAsked). mouseAnswers: false
// when asked of a sleeping mouse, which holds the read until it wakes.
void RequestDeviceDump(bool mouseAnswers = true);
// A consistent copy of g_deviceImage, e.g. for a hub signal.
FlashDataMap DeviceImageCopy();
// What a change decided now is decided for (mouse_profile.h).
MouseProfile::Target DeviceImageTarget();
// A change decided for `target` may be sent now: the image may be sent and
// still belongs to it. For a command that is no image (the factory reset).
bool DeviceImageTargetHolds(const MouseProfile::Target& target);
// The image when it is the opened device's (its own dump, or its cache while
// its mouse sleeps): what an export writes. False, image untouched, when the
// program holds no image of it.
bool OpenedDeviceImage(FlashDataMap* image);

// A change went to the mouse: an image the library accepted from a setter or
// the edit and replace helpers (they tell it themselves), a factory reset or
// a profile switch (their callers tell it). The library returns before the
// mouse has it, and a mouse that stops answering meanwhile drops it; the
// listener (the connection worker) watches for that. Thread-safe; the
// listener runs on the caller's thread.
void ChangeSent();
void SetChangeSentListener(std::function<void()> listener);

#endif // DEVICE_IMAGE_SETTERS_H
