// Folder Sensor, DPI stage editor: the stage cards (plain and checked), the
// gloss laid over each stage's colour swatch, and the current-stage marker.
// The swatch colour itself comes from the style sheet's background colour,
// so the swatch pictures are mostly transparent.
#include "kit.h"

#include <QPainter>
#include <QPainterPath>

using namespace kit;

namespace {

// A stage card. The bottom band (`bandHeight`) is where the colour swatch
// sits; the card shows a slightly darker floor there so the swatch reads as
// set into it.
QImage StageCard(QSize size, bool checked, int bandHeight)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body = QRectF(QPointF(0, 0), size).adjusted(1, 1, -1, -1);
    const qreal radius = checked ? 7 : 6;

    if (checked) {
        // Soft accent glow behind the raised card.
        for (int i = 3; i >= 1; --i) {
            painter.setPen(QPen(WithAlpha(theme::accent, 18 * i), i * 1.2));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(RoundedPath(body.adjusted(i * 0.3, i * 0.3, -i * 0.3, -i * 0.3), radius));
        }
    }

    const QColor top = checked ? Mix(theme::fieldHover, theme::accent, 0.22) : theme::fieldHover;
    const QColor bottom = checked ? Mix(theme::field, theme::accent, 0.10) : theme::field;
    painter.setPen(QPen(checked ? theme::accentHover : theme::border, checked ? 1.5 : 1));
    painter.setBrush(VerticalGradient(body, top, bottom));
    painter.drawPath(RoundedPath(body, radius));

    // Highlight along the top edge.
    painter.setPen(QPen(theme::highlight, 1));
    painter.drawLine(QPointF(body.left() + radius, body.top() + 1.5), QPointF(body.right() - radius, body.top() + 1.5));

    // The swatch floor.
    const QRectF band(body.left() + 1.5, body.bottom() - bandHeight - 1, body.width() - 3, bandHeight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Mix(theme::window, bottom, 0.35));
    painter.drawPath(RoundedPath(band, 3));

    // A short accent bar above the band marks the checked stage.
    if (checked) {
        painter.setBrush(theme::accent);
        const qreal barWidth = body.width() * 0.36;
        painter.drawRoundedRect(QRectF(body.center().x() - barWidth / 2, band.top() - 5, barWidth, 2.5), 1.2, 1.2);
    }
    return image;
}

// Gloss over a swatch colour: a light upper half, a darker rim; the checked
// swatch gets a light outline.
QImage SwatchGloss(QSize size, bool checked)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);

    QLinearGradient gloss(body.topLeft(), body.bottomLeft());
    gloss.setColorAt(0.0, QColor(255, 255, 255, 90));
    gloss.setColorAt(0.45, QColor(255, 255, 255, 25));
    gloss.setColorAt(0.55, QColor(0, 0, 0, 0));
    gloss.setColorAt(1.0, QColor(0, 0, 0, 60));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    painter.drawPath(RoundedPath(body, 3));

    painter.setBrush(Qt::NoBrush);
    if (checked) {
        painter.setPen(QPen(QColor(255, 255, 255, 220), 1.5));
        painter.drawPath(RoundedPath(body.adjusted(0.75, 0.75, -0.75, -0.75), 3));
    } else {
        painter.setPen(QPen(QColor(0, 0, 0, 90), 1));
        painter.drawPath(RoundedPath(body, 3));
    }
    return image;
}

// The current-stage marker: an upward pointer under the stage row.
QImage Marker(QSize size, bool hover)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal w = size.width();
    const qreal cx = w / 2;

    if (hover) {
        QRadialGradient halo(QPointF(cx, size.height() * 0.45), w * 0.5);
        halo.setColorAt(0, WithAlpha(theme::accent, 90));
        halo.setColorAt(1, WithAlpha(theme::accent, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(halo);
        painter.drawEllipse(QRectF(0, 0, w, size.height()));
    }

    QPainterPath pointer;
    pointer.moveTo(cx, 4);
    pointer.lineTo(cx + 9, 16);
    pointer.quadTo(cx + 10.5, 19, cx + 7, 19);
    pointer.lineTo(cx - 7, 19);
    pointer.quadTo(cx - 10.5, 19, cx - 9, 16);
    pointer.closeSubpath();
    const QColor top = hover ? Mix(theme::accentHover, Qt::white, 0.25) : theme::accentHover;
    const QColor bottom = hover ? theme::accentHover : theme::accent;
    painter.setPen(QPen(Mix(theme::accent, Qt::black, 0.3), 1));
    painter.setBrush(VerticalGradient(QRectF(0, 4, w, 15), top, bottom));
    painter.drawPath(pointer);

    // A short base line under the pointer, like a tick on a scale.
    painter.setPen(QPen(hover ? theme::textStrong : theme::textDim, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(cx - 6, 24), QPointF(cx + 6, 24));
    return image;
}

void Paint(PictureSink& out)
{
    // Stage buttons rest at 54 x 56 and grow to 68 x 70 while checked; their
    // swatches cover the bottom 12 (14 when checked) pixels.
    out.Add(QStringLiteral("MinA"), StageCard({54, 56}, false, 13));
    out.Add(QStringLiteral("MaxA"), StageCard({68, 70}, true, 15));
    out.Add(QStringLiteral("MinB"), SwatchGloss({50, 12}, false));
    out.Add(QStringLiteral("MaxB"), SwatchGloss({66, 14}, true));
    out.Add(QStringLiteral("Level"), Marker({30, 30}, false));
    out.Add(QStringLiteral("LevelHover"), Marker({30, 30}, true));
}

const FolderRegistrar registrar("Sensor", Paint);

} // namespace
