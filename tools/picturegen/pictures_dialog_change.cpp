// Folder DialogChange: the home page (background, window buttons, language
// combo box, paging arrows, repair button) and its device grid (device
// cards online, offline and unrecognised, online and offline markers,
// polling-rate badges); and the check box of its new-firmware frame, which
// lives in the notices' folder WarningDialog.
#include "kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

using namespace kit;

namespace {

const QSize kWindow(1020, 700);
const int kBandHeight = 50;
const QRectF kGridArea(65, 200, 894, 360); // the page's stacked widget
const QSize kCard(284, 360);

// --- background ----------------------------------------------------------------

QImage MainBack()
{
    QImage image = Backdrop(kWindow);
    QPainter painter(&image);
    Prepare(painter);

    DrawTitleBand(painter, kWindow.width(), kBandHeight);

    // A faint dot grid fading out towards the edges: the "desk" the devices
    // stand on.
    const QPointF centre = kGridArea.center();
    for (int y = kBandHeight + 24; y < kWindow.height(); y += 24) {
        for (int x = 12; x < kWindow.width(); x += 24) {
            const qreal dx = (x - centre.x()) / (kWindow.width() * 0.55);
            const qreal dy = (y - centre.y()) / (kWindow.height() * 0.55);
            const qreal fade = std::max<qreal>(0, 1 - std::sqrt(dx * dx + dy * dy));
            if (fade <= 0)
                continue;
            painter.setPen(Qt::NoPen);
            painter.setBrush(WithAlpha(theme::textDim, int(26 * fade)));
            painter.drawEllipse(QPointF(x, y), 1.1, 1.1);
        }
    }

    // A soft pool of light under the grid.
    QRadialGradient pool(QPointF(centre.x(), kGridArea.bottom() - 40), kGridArea.width() * 0.55);
    pool.setColorAt(0, WithAlpha(theme::accent, 30));
    pool.setColorAt(1, Qt::transparent);
    painter.save();
    painter.translate(0, kGridArea.bottom() - 40);
    painter.scale(1, 0.28);
    painter.translate(0, -(kGridArea.bottom() - 40));
    painter.fillRect(QRectF(0, 0, kWindow.width(), kWindow.height() * 4), pool);
    painter.restore();
    return image;
}

// --- device cards ---------------------------------------------------------------

enum class CardState { Online, Offline, Unknown };

// The outline of a mouse seen from above, nose up, inside `box`.
QPainterPath MouseBody(const QRectF& box)
{
    const qreal l = box.left(), r = box.right(), t = box.top(), b = box.bottom();
    const qreal w = box.width(), h = box.height();
    const qreal cx = box.center().x();
    QPainterPath path;
    path.moveTo(cx, t);
    // Front right, widening to the palm, round back.
    path.cubicTo(cx + w * 0.30, t, r - w * 0.06, t + h * 0.10, r - w * 0.04, t + h * 0.34);
    path.cubicTo(r - w * 0.02, t + h * 0.52, r + w * 0.02, t + h * 0.68, r - w * 0.02, t + h * 0.82);
    path.cubicTo(r - w * 0.08, b - h * 0.02, cx + w * 0.22, b, cx, b);
    path.cubicTo(cx - w * 0.22, b, l + w * 0.08, b - h * 0.02, l + w * 0.02, t + h * 0.82);
    path.cubicTo(l - w * 0.02, t + h * 0.68, l + w * 0.02, t + h * 0.52, l + w * 0.04, t + h * 0.34);
    path.cubicTo(l + w * 0.06, t + h * 0.10, cx - w * 0.30, t, cx, t);
    path.closeSubpath();
    return path;
}

void DrawMouse(QPainter& painter, const QRectF& box, CardState state)
{
    const bool online = state == CardState::Online;
    const bool unknown = state == CardState::Unknown;
    const QPainterPath body = MouseBody(box);
    const qreal w = box.width(), h = box.height();
    const qreal cx = box.center().x();
    const qreal split = box.top() + h * 0.40; // where the buttons end

    // Shadow on the desk.
    QRadialGradient shadow(QPointF(cx, box.bottom() + 6), w * 0.75);
    shadow.setColorAt(0, QColor(0, 0, 0, 150));
    shadow.setColorAt(1, Qt::transparent);
    painter.save();
    painter.translate(cx, box.bottom() + 6);
    painter.scale(1, 0.18);
    painter.translate(-cx, -(box.bottom() + 6));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawEllipse(QPointF(cx, box.bottom() + 6), w * 0.75, w * 0.75);
    painter.restore();

    if (online) {
        // Accent glow around the body.
        for (int i = 6; i >= 1; --i) {
            painter.setPen(QPen(WithAlpha(theme::accent, 10 + (6 - i) * 4), i * 3.0));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(body);
        }
    }

    // Shell: dark satin, lit from the top left.
    QLinearGradient shell(box.topLeft(), box.bottomRight());
    if (unknown) {
        shell.setColorAt(0, Mix(theme::panelTop, theme::window, 0.3));
        shell.setColorAt(1, theme::window);
    } else if (online) {
        shell.setColorAt(0, Mix(theme::fieldHover, Qt::white, 0.10));
        shell.setColorAt(0.55, theme::field);
        shell.setColorAt(1, Mix(theme::window, Qt::black, 0.3));
    } else {
        shell.setColorAt(0, theme::field);
        shell.setColorAt(0.55, Mix(theme::field, theme::window, 0.5));
        shell.setColorAt(1, Mix(theme::window, Qt::black, 0.3));
    }
    QPen outline(unknown ? theme::textDim : (online ? Mix(theme::accent, theme::border, 0.35) : theme::border), 1.6);
    if (unknown)
        outline.setStyle(Qt::DashLine);
    painter.setPen(outline);
    painter.setBrush(shell);
    painter.drawPath(body);

    if (!unknown) {
        // Button split and the seams between buttons and palm.
        painter.save();
        painter.setClipPath(body);
        const QColor seam = online ? Mix(theme::border, theme::accent, 0.25) : theme::border;
        painter.setPen(QPen(QColor(0, 0, 0, 150), 2.4));
        painter.drawLine(QPointF(cx, box.top()), QPointF(cx, split));
        painter.setPen(QPen(seam, 1));
        painter.drawLine(QPointF(cx + 0.8, box.top()), QPointF(cx + 0.8, split));
        QPainterPath palmSeam;
        palmSeam.moveTo(box.left(), split + h * 0.04);
        palmSeam.quadTo(QPointF(cx, split - h * 0.03), QPointF(box.right(), split + h * 0.04));
        painter.setPen(QPen(QColor(0, 0, 0, 140), 2.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(palmSeam);
        painter.setPen(QPen(seam, 1));
        painter.drawPath(palmSeam.translated(0, 1));

        // Side grips.
        for (int side : {-1, 1}) {
            QPainterPath grip;
            const qreal x = cx + side * w * 0.47;
            grip.moveTo(x, box.top() + h * 0.46);
            grip.quadTo(QPointF(x + side * w * 0.05, box.top() + h * 0.62), QPointF(x, box.top() + h * 0.78));
            painter.setPen(QPen(online ? WithAlpha(theme::accent, 170) : WithAlpha(theme::textDim, 90), 3,
                                Qt::SolidLine, Qt::RoundCap));
            painter.drawPath(grip);
        }

        // Light sheen on the left button.
        QLinearGradient sheen(QPointF(box.left(), box.top()), QPointF(cx, split));
        sheen.setColorAt(0, QColor(255, 255, 255, online ? 34 : 18));
        sheen.setColorAt(1, Qt::transparent);
        QPainterPath leftButton;
        leftButton.addRect(QRectF(box.left(), box.top(), w / 2, split - box.top()));
        painter.fillPath(leftButton.intersected(body), sheen);
        painter.restore();

        // Scroll wheel.
        const QRectF wheel(cx - w * 0.055, box.top() + h * 0.10, w * 0.11, h * 0.17);
        painter.setPen(QPen(QColor(0, 0, 0, 170), 1.5));
        painter.setBrush(QColor(14, 15, 18));
        painter.drawRoundedRect(wheel.adjusted(-2, -2, 2, 2), w * 0.07, w * 0.07);
        QLinearGradient wheelFace(wheel.topLeft(), wheel.bottomLeft());
        const QColor lit = online ? theme::accentHover : theme::textDim;
        const QColor unlit = online ? theme::accentPressed : Mix(theme::textDim, theme::window, 0.55);
        wheelFace.setColorAt(0, unlit);
        wheelFace.setColorAt(0.5, lit);
        wheelFace.setColorAt(1, unlit);
        painter.setPen(Qt::NoPen);
        painter.setBrush(wheelFace);
        painter.drawRoundedRect(wheel, w * 0.05, w * 0.05);
        painter.setPen(QPen(QColor(0, 0, 0, 90), 1));
        for (int i = 1; i < 6; ++i) {
            const qreal y = wheel.top() + wheel.height() * i / 6.0;
            painter.drawLine(QPointF(wheel.left() + 2, y), QPointF(wheel.right() - 2, y));
        }

        // DPI button behind the wheel.
        const QRectF dpi(cx - w * 0.04, wheel.bottom() + h * 0.04, w * 0.08, h * 0.05);
        painter.setPen(QPen(QColor(0, 0, 0, 150), 1));
        painter.setBrush(online ? Mix(theme::field, theme::accent, 0.25) : theme::field);
        painter.drawRoundedRect(dpi, 3, 3);

        // Logo on the palm, lit when the mouse answers.
        const qreal logo = w * 0.20;
        DrawLogoMark(painter, QRectF(cx - logo / 2, box.top() + h * 0.62, logo, logo),
                     online ? theme::accent : Mix(theme::textDim, theme::window, 0.35), std::max<qreal>(2, logo / 8));
        if (online) {
            QRadialGradient logoGlow(QPointF(cx, box.top() + h * 0.62 + logo / 2), logo);
            logoGlow.setColorAt(0, WithAlpha(theme::accent, 60));
            logoGlow.setColorAt(1, Qt::transparent);
            painter.setPen(Qt::NoPen);
            painter.setBrush(logoGlow);
            painter.drawEllipse(QPointF(cx, box.top() + h * 0.62 + logo / 2), logo, logo);
        }

        // Light strip around the back.
        QPainterPath strip;
        strip.moveTo(box.left() + w * 0.16, box.bottom() - h * 0.09);
        strip.quadTo(QPointF(cx, box.bottom() + h * 0.03), QPointF(box.right() - w * 0.16, box.bottom() - h * 0.09));
        painter.setBrush(Qt::NoBrush);
        if (online) {
            painter.setPen(QPen(WithAlpha(theme::accent, 70), 7, Qt::SolidLine, Qt::RoundCap));
            painter.drawPath(strip);
            painter.setPen(QPen(theme::accentHover, 2.2, Qt::SolidLine, Qt::RoundCap));
        } else {
            painter.setPen(QPen(Mix(theme::border, theme::window, 0.2), 2.2, Qt::SolidLine, Qt::RoundCap));
        }
        painter.drawPath(strip);
    } else {
        // An unrecognised device: a question mark where the logo would be.
        DrawText(painter, QRectF(box.left(), box.top() + h * 0.22, w, h * 0.5), QStringLiteral("?"), int(h * 0.36),
                 theme::textDim, Qt::AlignCenter, true);
    }
}

QImage DeviceCard(CardState state)
{
    QImage image = Canvas(kCard);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF card = QRectF(QPointF(0, 0), kCard).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool online = state == CardState::Online;

    // The card: a panel, its edge lit in the accent when the mouse answers.
    painter.setPen(QPen(online ? Mix(theme::accent, theme::border, 0.55) : theme::border, 1));
    painter.setBrush(VerticalGradient(card, Mix(theme::panelTop, theme::window, 0.15),
                                      Mix(theme::panelBottom, theme::window, 0.55)));
    painter.drawPath(RoundedPath(card, 14));
    painter.setPen(QPen(theme::highlight, 1));
    painter.drawLine(QPointF(card.left() + 15, card.top() + 1.5), QPointF(card.right() - 15, card.top() + 1.5));
    if (online) {
        QRadialGradient glow(QPointF(card.center().x(), card.top() + 170), 150);
        glow.setColorAt(0, WithAlpha(theme::accent, 34));
        glow.setColorAt(1, Qt::transparent);
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawPath(RoundedPath(card, 14));
    }

    DrawMouse(painter, QRectF(kCard.width() / 2.0 - 62, 66, 124, 210), state);

    // A status bar along the bottom: lit accent, dim, or dashed.
    const QRectF bar(kCard.width() / 2.0 - 38, card.bottom() - 30, 76, 4);
    painter.setPen(Qt::NoPen);
    if (state == CardState::Unknown) {
        painter.setBrush(WithAlpha(theme::textDim, 110));
        for (int i = 0; i < 4; ++i)
            painter.drawRoundedRect(QRectF(bar.left() + i * 20, bar.top(), 14, bar.height()), 2, 2);
    } else {
        painter.setBrush(online ? theme::accent : theme::border);
        painter.drawRoundedRect(bar, 2, 2);
    }
    return image;
}

// --- markers (32 x 32) ------------------------------------------------------------

enum class Marker { Offline, Usb, Wireless };

QImage MarkerPicture(Marker marker)
{
    QImage image = Canvas({32, 32});
    QPainter painter(&image);
    Prepare(painter);
    const QPointF c(16, 16);
    const QColor ink = marker == Marker::Offline ? theme::danger : theme::accent;
    painter.setPen(QPen(WithAlpha(ink, 150), 1.2));
    painter.setBrush(QColor(14, 15, 18, 210));
    painter.drawEllipse(c, 14.5, 14.5);

    QPen pen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setBrush(Qt::NoBrush);
    switch (marker) {
    case Marker::Wireless:
    case Marker::Offline: {
        // Wireless arcs over a dot; struck through when offline.
        painter.setPen(pen);
        const QPointF base(16, 21);
        for (int i = 1; i <= 3; ++i) {
            const qreal r = 3.2 * i;
            painter.drawArc(QRectF(base.x() - r, base.y() - r, r * 2, r * 2), 45 * 16, 90 * 16);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(base, 1.8, 1.8);
        if (marker == Marker::Offline) {
            painter.setPen(QPen(QColor(14, 15, 18), 4.5, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(9, 8), QPointF(23, 24));
            painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(9, 8), QPointF(23, 24));
        }
        break;
    }
    case Marker::Usb: {
        // The USB trident.
        painter.setPen(pen);
        painter.drawLine(QPointF(16, 7.5), QPointF(16, 23));
        painter.drawLine(QPointF(16, 19), QPointF(10.5, 14.5));
        painter.drawLine(QPointF(10.5, 14.5), QPointF(10.5, 12.5));
        painter.drawLine(QPointF(16, 17), QPointF(21.5, 12.5));
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawPolygon(QPolygonF({QPointF(16, 5.5), QPointF(13.3, 9.5), QPointF(18.7, 9.5)}));
        painter.drawEllipse(QPointF(10.5, 11.5), 1.8, 1.8);
        painter.drawRect(QRectF(20, 9.6, 3, 3));
        painter.drawEllipse(QPointF(16, 24), 2.4, 2.4);
        break;
    }
    }
    return image;
}

// --- polling-rate badges (42 x 26) ---------------------------------------------------

QImage RateBadge(int kiloHertz)
{
    QImage image = Canvas({42, 26});
    QPainter painter(&image);
    Prepare(painter);
    const QRectF pill(0.5, 3.5, 41, 19);
    // The faster the receiver, the stronger the accent.
    const qreal strength = kiloHertz >= 8 ? 1.0 : kiloHertz >= 4 ? 0.7 : kiloHertz >= 2 ? 0.45 : 0.25;
    painter.setPen(QPen(Mix(theme::border, theme::accent, strength), 1));
    painter.setBrush(VerticalGradient(pill, Mix(theme::field, theme::accent, strength * 0.55),
                                      Mix(theme::panelBottom, theme::accent, strength * 0.40)));
    painter.drawRoundedRect(pill, 9.5, 9.5);
    DrawText(painter, pill.adjusted(0, 0, 0, -1), QString::number(kiloHertz) + QStringLiteral("K"), 12,
             theme::textStrong, Qt::AlignCenter, true);
    return image;
}

// --- window buttons and paging arrows -------------------------------------------------

QImage PagingArrow(Glyph glyph, bool hover)
{
    QImage image = Canvas({46, 46});
    QPainter painter(&image);
    Prepare(painter);
    const QRectF plate(3.5, 3.5, 39, 39);
    painter.setPen(QPen(hover ? theme::accent : theme::border, 1.2));
    painter.setBrush(hover ? QBrush(Mix(theme::field, theme::accent, 0.30)) : QBrush(WithAlpha(theme::field, 200)));
    painter.drawEllipse(plate);
    DrawGlyph(painter, glyph, QRectF(16.5, 15.5, 13, 15), hover ? theme::textStrong : theme::text, 2.6);
    return image;
}

QImage RepairButton()
{
    QImage image = Canvas({36, 33});
    QPainter painter(&image);
    Prepare(painter);
    // A wrench with a warning dot: a firmware repair is waiting.
    const QRectF plate(2.5, 1.5, 30, 30);
    painter.setPen(QPen(theme::border, 1));
    painter.setBrush(theme::field);
    painter.drawRoundedRect(plate, 8, 8);
    painter.save();
    painter.translate(plate.center() + QPointF(0.5, 0.5));
    painter.rotate(45);
    // Handle and a head whose open jaw points away from it.
    QPainterPath wrench;
    wrench.addRoundedRect(QRectF(-1.9, -2, 3.8, 13), 1.9, 1.9);
    QPainterPath head;
    head.addEllipse(QPointF(0, -5.5), 5.6, 5.6);
    QPainterPath jaw;
    jaw.addRect(QRectF(-1.8, -12, 3.6, 6.8));
    wrench = wrench.united(head).subtracted(jaw);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::text);
    painter.drawPath(wrench);
    painter.restore();
    painter.setPen(QPen(theme::panelBottom, 1.5));
    painter.setBrush(theme::danger);
    painter.drawEllipse(QPointF(29, 6), 4.5, 4.5);
    return image;
}

void Paint(PictureSink& out)
{
    out.Add(QStringLiteral("MainBack"), MainBack());

    AddIconButton(out, QStringLiteral("Close"), {20, 20}, Glyph::Close);
    AddIconButton(out, QStringLiteral("Min"), {20, 20}, Glyph::Minimise);
    out.Add(QStringLiteral("Repair"), RepairButton());
    out.Add(QStringLiteral("Right"), PagingArrow(Glyph::ArrowRight, false));
    out.Add(QStringLiteral("RightClick"), PagingArrow(Glyph::ArrowRight, true));
    out.Add(QStringLiteral("Left"), PagingArrow(Glyph::ArrowLeft, false));
    out.Add(QStringLiteral("LeftClick"), PagingArrow(Glyph::ArrowLeft, true));

    AddComboBox(out, {142, 25}, {12, 12}, {142, 60});

    // The grid shows one picture for every model ("...0"), in two states.
    out.Add(QStringLiteral("OnLine0"), DeviceCard(CardState::Online));
    out.Add(QStringLiteral("DisOnlin0"), DeviceCard(CardState::Offline));
    out.Add(QStringLiteral("Unknow"), DeviceCard(CardState::Unknown));

    out.Add(QStringLiteral("DisOnline"), MarkerPicture(Marker::Offline));
    out.Add(QStringLiteral("OnLineUsb"), MarkerPicture(Marker::Usb));
    out.Add(QStringLiteral("OnLineWifi"), MarkerPicture(Marker::Wireless));

    for (int kiloHertz : {1, 2, 4, 8})
        out.Add(QString::number(kiloHertz) + QStringLiteral("KHz"), RateBadge(kiloHertz));
}

const FolderRegistrar registrar("DialogChange", Paint);

// The home page's new-firmware frame takes its pictures from the notices'
// folder; only its check box is its own.
void PaintNewFirmwareFrame(PictureSink& out)
{
    out.Add(QStringLiteral("CheckBox"), CheckBox({16, 16}, false));
    out.Add(QStringLiteral("CheckBoxCheck"), CheckBox({16, 16}, true));
}

const FolderRegistrar newFirmwareRegistrar("WarningDialog", PaintNewFirmwareFrame);

} // namespace
