// Reading the colour of the screen pixel under the mouse cursor (the lighting
// page's colour picker). The toolkit reports the cursor in device-independent
// pixels; the pixel is read at that position scaled by the screen's device
// pixel ratio, so the picker hits the pixel the user sees on scaled screens.
//
// The program uses the toolkit's screen; tests install a fake:
//     FakeGrab fake;                 // derives from ScreenGrab
//     ScreenGrab::SetCurrent(&fake);
//     ...
//     ScreenGrab::SetCurrent(nullptr); // the toolkit's again
#ifndef SCREEN_GRAB_H
#define SCREEN_GRAB_H

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>

class ScreenGrab {
public:
    virtual ~ScreenGrab();

    // The cursor position in device-independent pixels.
    virtual QPoint CursorPos() const = 0;
    // Physical pixels per device-independent pixel of the screen.
    virtual qreal PixelRatio() const = 0;
    // The desktop area with its top left at `physicalPos`, `size` physical
    // pixels large; a null image when the screen cannot be read.
    virtual QImage Grab(const QPoint& physicalPos, const QSize& size) const = 0;

    // The grabber in use: the one installed last, else the toolkit's.
    static ScreenGrab& Current();
    // Installs `grab` (not owned); nullptr restores the toolkit's.
    static void SetCurrent(ScreenGrab* grab);
};

// The colour of the pixel under the cursor: the top-left pixel of a 2 x 2
// grab at the cursor position times the pixel ratio, truncated toward zero.
// An invalid colour when the grab yields no pixel.
QColor PixelUnderCursor(const ScreenGrab& grab = ScreenGrab::Current());

#endif // SCREEN_GRAB_H
