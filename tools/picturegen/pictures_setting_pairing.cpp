// Folder Setting, the pairing dialog's share: its background (458 x 242,
// the dialog is translucent), close button, hint icon and the pair button
// in its idle, success and failure looks.
#include "kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace kit;

namespace {

const QSize kDialog(458, 242);

// A receiver seen from the side, sending: the left margin's illustration.
void DrawReceiver(QPainter& painter, const QPointF& base)
{
    painter.save();
    painter.translate(base);
    // Plug.
    painter.setPen(QPen(theme::border.lighter(130), 1));
    painter.setBrush(VerticalGradient(QRectF(-7, 30, 14, 18), QColor(170, 176, 186), QColor(110, 116, 126)));
    painter.drawRect(QRectF(-7, 30, 14, 18));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 43, 51));
    painter.drawRect(QRectF(-4, 36, 3, 4));
    painter.drawRect(QRectF(1, 36, 3, 4));
    // Body.
    const QRectF body(-10, 0, 20, 31);
    painter.setPen(QPen(Mix(theme::accent, theme::border, 0.5), 1));
    painter.setBrush(VerticalGradient(body, theme::fieldHover, theme::window));
    painter.drawRoundedRect(body, 5, 5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::accent);
    painter.drawEllipse(QPointF(0, 8), 2.2, 2.2);
    // Waves.
    painter.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 7.0 * i;
        painter.setPen(QPen(WithAlpha(theme::accent, 220 - i * 50), 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRectF(-r, -6 - r, r * 2, r * 2), 50 * 16, 80 * 16);
    }
    painter.restore();
}

QImage Background()
{
    QImage image = Panel(kDialog, 12);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Accent line along the top, as on the notices.
    painter.fillRect(QRectF(14, 1, kDialog.width() - 28, 2), FadingAccent(0, kDialog.width(), 0.2));
    // A glow behind the pair button.
    QRadialGradient glow(QPointF(kDialog.width() / 2.0, 212), 170);
    glow.setColorAt(0, WithAlpha(theme::accent, 26));
    glow.setColorAt(1, Qt::transparent);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawPath(RoundedPath(QRectF(QPointF(0.5, 0.5), kDialog).adjusted(0, 0, -1, -1), 12));
    DrawReceiver(painter, QPointF(44, 82));
    return image;
}

QImage HintIcon()
{
    QImage image = Canvas({14, 14});
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(theme::accent, 1.2));
    painter.setBrush(WithAlpha(theme::accent, 40));
    painter.drawEllipse(QRectF(0.6, 0.6, 12.8, 12.8));
    painter.setPen(QPen(theme::accentHover, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(7, 6.2), QPointF(7, 10.2));
    painter.drawPoint(QPointF(7, 3.8));
    return image;
}

QImage CloseGlyph(const QColor& color)
{
    QImage image = Canvas({10, 10});
    QPainter painter(&image);
    DrawGlyph(painter, Glyph::Close, QRectF(1.5, 1.5, 7, 7), color, 1.6);
    return image;
}

// The pair button; the dialog stretches it over 234 x 32.
QImage PairButton(ButtonKind kind, State state, bool withCheck)
{
    QImage image = Button({234, 32}, state, kind, 7);
    if (withCheck) {
        QPainter painter(&image);
        DrawGlyph(painter, Glyph::Check, QRectF(14, 11, 12, 10), theme::accentHover, 2);
    }
    return image;
}

void Paint(PictureSink& out)
{
    out.Add(QStringLiteral("BackSecondPage"), Background());
    out.Add(QStringLiteral("Picture"), HintIcon());
    out.Add(QStringLiteral("CloseSecondPage"), CloseGlyph(theme::textDim));
    out.Add(QStringLiteral("CloseSecondPageHover"), CloseGlyph(theme::danger));
    out.Add(QStringLiteral("CloseSecondPageClick"), CloseGlyph(theme::dangerPressed));
    out.Add(QStringLiteral("Pair"), PairButton(ButtonKind::Primary, State::Normal, false));
    out.Add(QStringLiteral("PairSuccess"), PairButton(ButtonKind::Secondary, State::Checked, true));
    out.Add(QStringLiteral("PairFail"), PairButton(ButtonKind::Danger, State::Normal, false));
}

const FolderRegistrar registrar("Setting", Paint);

} // namespace
