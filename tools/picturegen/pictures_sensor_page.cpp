// Folder Sensor, the sensor page itself: the title marks in front of its
// sections and the performance check box. The option frames and the DPI
// editor draw their pictures of this folder in their own files.
#include "kit.h"

#include <QPainter>

using namespace kit;

namespace {

// The 16 x 10 mark in front of a section title: an accent bar with a
// fading tail, so the titles read as headings on the dark page.
QImage TitleMark(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    const QRectF bar(0, 1, 4, size.height() - 2);
    painter.setBrush(VerticalGradient(bar, theme::accentHover, theme::accentPressed));
    painter.drawRoundedRect(bar, 1.5, 1.5);
    QLinearGradient tail(QPointF(6, 0), QPointF(size.width(), 0));
    tail.setColorAt(0, Mix(theme::accent, theme::window, 0.35));
    tail.setColorAt(1, Qt::transparent);
    painter.setBrush(tail);
    painter.drawRoundedRect(QRectF(6, (size.height() - 3) / 2.0, size.width() - 6, 3), 1.5, 1.5);
    return image;
}

void Paint(PictureSink& out)
{
    out.Add(QStringLiteral("Title"), TitleMark({16, 10}));
    // The "full performance" check box indicator.
    out.Add(QStringLiteral("CheckBox"), CheckBox({16, 16}, false));
    out.Add(QStringLiteral("CheckBoxChecked"), CheckBox({16, 16}, true));
}

const FolderRegistrar registrar("Sensor", Paint);

} // namespace
