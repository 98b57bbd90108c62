#include "device_image_setters.h"

#include "app_state.h"
#include "mouse_profile.h"
#include "post_msg.h"

#include <devicelib.h>

#include <QMutex>
#include <QMutexLocker>

#include <cstring>
#include <utility>

namespace {

QMutex s_listenerMutex;
std::function<void()> s_changeSentListener;

uint8_t LowByte(int value)
{
    return static_cast<uint8_t>(value & 0xFF);
}

bool ValidStage(int stage)
{
    return stage >= 0 && stage < FlashDataMap::StageCount;
}

bool ValidButton(int button)
{
    return button >= 0 && button < FlashDataMap::ButtonCount;
}

bool PageFilling()
{
    return g_buttonPageUpdating || g_sensorPageUpdating;
}

// Under g_deviceImageMutex: hands the image to the library.
bool SendLocked()
{
    if (!ProtocolDataUpdate(g_deviceImage.bytes()))
        return false;
    MouseProfile::ImageSent();
    return true;
}

// Under g_deviceImageMutex: the image may be sent, and a change decided
// earlier still belongs to it.
bool ImageTakesChange(const MouseProfile::Target* decidedFor)
{
    return MouseProfile::ImageFitsMouse() && (!decidedFor || MouseProfile::TargetHolds(*decidedFor));
}

// The image was read from another profile than the one the mouse is on or
// moving to: sent now, it would land in that profile. The change is refused,
// with the notice that asks to try again (the pages show the new profile
// once its dump has come). The notice waits until the caller has returned:
// its own event loop would let the dump in while the caller still holds
// values of the old profile, and every other part of the same change must be
// refused as well.
void RefuseForOtherProfile()
{
    if (PageFilling())
        return;
    PostMsg* hub = PostMsg::GetInstance();
    QMetaObject::invokeMethod(hub, [hub] { emit hub->SigMouseOffLineo(1); }, Qt::QueuedConnection);
}

// The common body of every setter. The lock covers the write and the send, so
// the report thread can never send (or overwrite) a half-written image.
// decidedFor: a change decided earlier goes only to the image it was decided
// on (mouse_profile.h).
template <class Write>
bool WriteAndSend(Write write, const MouseProfile::Target* decidedFor = nullptr)
{
    if (!CheckDeviceOnline())
        return false;
    {
        QMutexLocker locker(&g_deviceImageMutex);
        if (!ImageTakesChange(decidedFor)) {
            locker.unlock();
            RefuseForOtherProfile();
            return false;
        }
        const FlashDataMap before = g_deviceImage;
        write(g_deviceImage);
        if (SendLocked()) {
            locker.unlock();
            ChangeSent();
            return true;
        }
        // The mouse kept its old settings; so does the image, otherwise every
        // later send would carry the refused change again.
        g_deviceImage = before;
    }
    // Refused because the mouse stopped answering after the online test (and
    // not because the image does not fit): the control the user changed shows
    // what the mouse does not hold, so the notice comes up.
    CheckDeviceOnline();
    return false;
}

bool SetByte(std::size_t offset, int value)
{
    return WriteAndSend([&](FlashDataMap& image) { image.at(offset) = LowByte(value); });
}

// A light block's mode: 0 only switches the block off (the old mode stays);
// any other mode is stored and switches it on.
bool SetBlockMode(std::size_t modeOffset, std::size_t enabledOffset, int mode)
{
    return WriteAndSend([&](FlashDataMap& image) {
        if (mode != 0)
            image.at(modeOffset) = LowByte(mode);
        image.at(enabledOffset) = mode != 0 ? 1 : 0;
    });
}

} // namespace

bool SetReportRate(int code) { return SetByte(ImageOffset::ReportRate, code); }
bool SetDpiStageCount(int count) { return SetByte(ImageOffset::DpiStageCount, count); }
bool SetCurrentDpiStage(int stage) { return SetByte(ImageOffset::CurrentDpiStage, stage); }
bool SetImageByte3(int value) { return SetByte(0x03, value); }
bool SetImageByte4(int value) { return SetByte(0x04, value); }
bool SetLiftOffDistance(int code) { return SetByte(ImageOffset::LiftOffDistance, code); }
bool SetDebounceTime(int ms) { return SetByte(ImageOffset::DebounceTime, ms); }
bool SetMotionSync(int on) { return SetByte(ImageOffset::MotionSync, on); }
bool SetLightOffTime(int tenSeconds) { return SetByte(ImageOffset::LightOffTime, tenSeconds); }
bool SetStraightLine(int on) { return SetByte(ImageOffset::StraightLine, on); }
bool SetRippleControl(int on) { return SetByte(ImageOffset::RippleControl, on); }
bool SetLightOffWhileMoving(int on) { return SetByte(ImageOffset::LightOffWhileMoving, on); }
bool SetPerformanceMode(int on) { return SetByte(ImageOffset::PerformanceMode, on); }
bool SetPerformanceTime(int code) { return SetByte(ImageOffset::PerformanceTime, code); }
bool SetSensorMode(int index) { return SetByte(ImageOffset::SensorMode, index); }

bool SetDpiStageValue(int stage, int x, int y, int flags)
{
    if (!ValidStage(stage))
        return false;
    return WriteAndSend([&](FlashDataMap& image) {
        DPIStage& record = image.dpiStages[stage];
        record.x = LowByte(x);
        record.y = LowByte(y);
        record.flags = LowByte(flags);
    });
}

bool SetDpiStageColor(int stage, int red, int green, int blue)
{
    if (!ValidStage(stage))
        return false;
    return WriteAndSend([&](FlashDataMap& image) {
        DPIStage& record = image.dpiStages[stage];
        record.red = LowByte(red);
        record.green = LowByte(green);
        record.blue = LowByte(blue);
    });
}

bool SetDpiStagePair(DPIStage a, DPIStage b, int i, int j, int current)
{
    if (!ValidStage(i) || !ValidStage(j))
        return false;
    return WriteAndSend([&](FlashDataMap& image) {
        image.dpiStages[j] = a;
        image.dpiStages[i] = b;
        image.currentDpiStage = LowByte(current);
        image.dpiStageCount = LowByte(current + 1);
    });
}

bool SetDpiLedMode(int mode) { return SetBlockMode(ImageOffset::DpiLed, ImageOffset::DpiLedEnabled, mode); }

bool SetDpiLedBrightness(int value) { return SetByte(ImageOffset::DpiLed + 1, value); }
bool SetDpiLedSpeed(int value) { return SetByte(ImageOffset::DpiLed + 2, value); }

bool SetLedBarMode(int mode) { return SetBlockMode(ImageOffset::LedBar, ImageOffset::LedBarEnabled, mode); }

bool SetLedBarColor(int red, int green, int blue)
{
    return WriteAndSend([&](FlashDataMap& image) {
        image.ledBar[1] = LowByte(red);
        image.ledBar[2] = LowByte(green);
        image.ledBar[3] = LowByte(blue);
    });
}

bool SetLedBarSpeed(int value) { return SetByte(ImageOffset::LedBar + 4, value); }
bool SetLedBarBrightness(int value) { return SetByte(ImageOffset::LedBar + 5, value); }

bool SetButtonFunction(int button, int type, int param1, int param2, const MouseProfile::Target* decidedFor)
{
    if (!ValidButton(button))
        return false;
    return WriteAndSend([&](FlashDataMap& image) {
        uint8_t* function = image.keyFunctions[button];
        function[0] = LowByte(type);
        function[1] = LowByte(param1);
        function[2] = LowByte(param2);
    }, decidedFor);
}

bool SetButtonKeys(int button, const uint8_t* function, const uint8_t* keyRecord,
                   const MouseProfile::Target* decidedFor)
{
    if (!ValidButton(button) || !function || !keyRecord)
        return false;
    return WriteAndSend([&](FlashDataMap& image) {
        std::memcpy(image.keyFunctions[button], function, FlashDataMap::KeyFunctionSize);
        std::memcpy(image.keyEvents[button], keyRecord, FlashDataMap::KeyEventRecordSize);
    }, decidedFor);
}

bool SetButtonMacro(int button, const uint8_t* function, const uint8_t* macroBlock)
{
    if (!ValidButton(button) || !function || !macroBlock)
        return false;
    return WriteAndSend([&](FlashDataMap& image) {
        std::memcpy(image.keyFunctions[button], function, FlashDataMap::KeyFunctionSize);
        std::memcpy(image.macroBlocks[button], macroBlock, FlashDataMap::MacroBlockSize);
    });
}

bool EditDeviceImage(const std::function<void(FlashDataMap&)>& write, const MouseProfile::Target* decidedFor)
{
    return WriteAndSend([&](FlashDataMap& image) {
        if (write)
            write(image);
    }, decidedFor);
}

bool CheckDeviceOnline()
{
    // A copy of the path: the user-interface thread may replace it meanwhile.
    const QByteArray path = g_devicePath.bytes();
    if (UsbFinderC_GetDeviceOnLine(path.constData()))
        return true;
    // A page filling its controls from an image may reach a setter through a
    // change signal; that must not raise the notice.
    if (!PageFilling())
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
    return false;
}

bool SendDeviceImage()
{
    QMutexLocker locker(&g_deviceImageMutex);
    return MouseProfile::ImageFitsMouse() && SendLocked();
}

bool EditAndSendDeviceImage(const std::function<void(FlashDataMap&)>& edit)
{
    QMutexLocker locker(&g_deviceImageMutex);
    if (!ImageTakesChange(nullptr)) {
        locker.unlock();
        RefuseForOtherProfile();
        return false;
    }
    if (edit)
        edit(g_deviceImage);
    if (!SendLocked())
        return false;
    locker.unlock();
    ChangeSent();
    return true;
}

bool ReplaceDeviceImage(const FlashDataMap& image, const MouseProfile::Target* decidedFor)
{
    QMutexLocker locker(&g_deviceImageMutex);
    if (!ImageTakesChange(decidedFor))
        return false;
    const FlashDataMap before = g_deviceImage;
    g_deviceImage = image;
    if (SendLocked()) {
        locker.unlock();
        ChangeSent();
        return true;
    }
    g_deviceImage = before;
    return false;
}

void RequestDeviceDump(bool mouseAnswers)
{
    QMutexLocker locker(&g_deviceImageMutex);
    MouseProfile::DumpAsked(mouseAnswers);
    UsbServer_ReadAllFlashData();
}

FlashDataMap DeviceImageCopy()
{
    QMutexLocker locker(&g_deviceImageMutex);
    return g_deviceImage;
}

MouseProfile::Target DeviceImageTarget()
{
    QMutexLocker locker(&g_deviceImageMutex);
    return MouseProfile::CurrentTarget();
}

bool DeviceImageTargetHolds(const MouseProfile::Target& target)
{
    QMutexLocker locker(&g_deviceImageMutex);
    return ImageTakesChange(&target);
}

bool OpenedDeviceImage(FlashDataMap* image)
{
    QMutexLocker locker(&g_deviceImageMutex);
    if (!MouseProfile::ImageOfOpenedDevice())
        return false;
    *image = g_deviceImage;
    return true;
}

void ChangeSent()
{
    QMutexLocker locker(&s_listenerMutex);
    if (s_changeSentListener)
        s_changeSentListener();
}

void SetChangeSentListener(std::function<void()> listener)
{
    QMutexLocker locker(&s_listenerMutex);
    s_changeSentListener = std::move(listener);
}
