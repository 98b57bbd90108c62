#include "screen_grab.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QRect>
#include <QScreen>

#include <cmath>

namespace {

class ToolkitScreenGrab : public ScreenGrab {
public:
    QPoint CursorPos() const override { return QCursor::pos(); }

    qreal PixelRatio() const override
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->devicePixelRatio() : 1.0;
    }

    QImage Grab(const QPoint& physicalPos, const QSize& size) const override
    {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen || size.isEmpty())
            return QImage();
        // The toolkit's grab takes device-independent coordinates and returns
        // physical pixels: grab the covering area, then cut the wanted pixels.
        const qreal ratio = screen->devicePixelRatio() > 0 ? screen->devicePixelRatio() : 1.0;
        const QPoint origin(int(std::floor(physicalPos.x() / ratio)), int(std::floor(physicalPos.y() / ratio)));
        const int width = int(std::ceil(size.width() / ratio)) + 1;
        const int height = int(std::ceil(size.height() / ratio)) + 1;
        const QImage image = screen->grabWindow(0, origin.x(), origin.y(), width, height).toImage();
        if (image.isNull())
            return QImage();
        const QPoint offset(physicalPos.x() - int(std::lround(origin.x() * ratio)),
                            physicalPos.y() - int(std::lround(origin.y() * ratio)));
        const QRect wanted = QRect(offset, size) & image.rect();
        if (wanted.isEmpty())
            return QImage();
        return image.copy(wanted);
    }
};

ScreenGrab* g_installedGrab = nullptr;

} // namespace

ScreenGrab::~ScreenGrab() = default;

ScreenGrab& ScreenGrab::Current()
{
    static ToolkitScreenGrab toolkit;
    return g_installedGrab ? *g_installedGrab : toolkit;
}

void ScreenGrab::SetCurrent(ScreenGrab* grab)
{
    g_installedGrab = grab;
}

QColor PixelUnderCursor(const ScreenGrab& grab)
{
    const QPoint cursor = grab.CursorPos();
    const qreal ratio = grab.PixelRatio();
    // Truncated toward zero; one ratio serves both axes.
    const QPoint physical(int(cursor.x() * ratio), int(cursor.y() * ratio));
    const QImage image = grab.Grab(physical, QSize(2, 2));
    if (image.isNull() || !image.valid(0, 0))
        return QColor();
    return QColor(image.pixel(0, 0));
}
