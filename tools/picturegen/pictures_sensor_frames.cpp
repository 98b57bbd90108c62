// Folder Sensor, the option frames of the sensor page: the on/off switch,
// the combo pieces, the slider handle, the check-box indicators, the
// polling-rate buttons and the debounce steps. The sensor page and the DPI
// editor add their own pictures to this folder from their own files.
#include "kit.h"

#include <QPainter>

using namespace kit;

namespace {

// The on/off switch (36 x 18, drawn centred on the switch button): a
// rounded track with a round knob, left and grey when off, right on the
// accent when on.
QImage Switch(QSize size, bool on)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF track = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = track.height() / 2;
    painter.setPen(QPen(on ? theme::accentPressed : theme::border.lighter(130), 1));
    painter.setBrush(on ? VerticalGradient(track, theme::accentHover, theme::accent)
                        : VerticalGradient(track, theme::field, theme::fieldHover));
    painter.drawRoundedRect(track, radius, radius);
    const qreal knob = track.height() - 4;
    const qreal x = on ? track.right() - 2 - knob : track.left() + 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(on ? theme::textStrong : theme::textDim);
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
    return image;
}

// The debounce steps: a bar across the whole 4-pixel-high minus picture,
// and a plus of the same stroke.
QImage Minus(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::text);
    painter.drawRoundedRect(QRectF(1, (size.height() - 2) / 2.0, size.width() - 2, 2), 1, 1);
    return image;
}

QImage Plus(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::text);
    painter.drawRoundedRect(QRectF(1, (size.height() - 2) / 2.0, size.width() - 2, 2), 1, 1);
    painter.drawRoundedRect(QRectF((size.width() - 2) / 2.0, 1, 2, size.height() - 2), 1, 1);
    return image;
}

void Paint(PictureSink& out)
{
    out.Add(QStringLiteral("Close"), Switch({36, 18}, false));
    out.Add(QStringLiteral("Open"), Switch({36, 18}, true));

    // Combo pieces: the field and the open list are stretched over the
    // widget (border-image), the arrow is drawn at its own size.
    out.Add(QStringLiteral("ComboboxBack"), ComboField({130, 30}));
    out.Add(QStringLiteral("Menu"), ComboArrow({16, 16}, false));
    out.Add(QStringLiteral("MenuClicked"), ComboArrow({16, 16}, true));
    out.Add(QStringLiteral("ComboboxTextBack"), ComboList({130, 150}));

    // The handle of the frames' sliders: 18 x 16 on a 2-pixel groove.
    out.Add(QStringLiteral("HuaKuai"), SliderHandle({18, 16}, State::Normal));

    out.Add(QStringLiteral("LOD"), CheckBox({16, 16}, false));
    out.Add(QStringLiteral("LODCheck"), CheckBox({16, 16}, true));

    // Polling-rate buttons, 74 x 26, centred and not stretched.
    out.Add(QStringLiteral("ReportRate"), Button({74, 26}, State::Normal, ButtonKind::Secondary));
    out.Add(QStringLiteral("ReportRateClick"), Button({74, 26}, State::Normal, ButtonKind::Primary));

    out.Add(QStringLiteral("Reduce"), Minus({14, 4}));
    out.Add(QStringLiteral("Add"), Plus({14, 14}));
}

const FolderRegistrar registrar("Sensor", Paint);

} // namespace
