// Folder Buttoninterface, the button page: the mouse picture behind the six
// numbered markers, the markers, the key rows, the menu items, the page
// buttons, the profile combo and the debounce combo on the resting page.
#include "kit.h"

#include <QPainter>
#include <QLineF>
#include <QPainterPath>

using namespace kit;

namespace {

// The mouse seen from above, on the right of the 432 x 356 picture area;
// thin leader lines run from the markers on the left (38 x 38 buttons at
// the form's positions) to the buttons they stand for, without crossing.
QImage MousePicture(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);

    const QRectF body(230, 24, 140, 312);
    const qreal cx = body.center().x();
    QPainterPath shell;
    shell.moveTo(cx, body.top());
    shell.cubicTo(body.right() + 4, body.top(), body.right() + 6, body.top() + 120, body.right() - 4, body.top() + 200);
    shell.cubicTo(body.right() - 12, body.bottom() - 20, cx + 38, body.bottom(), cx, body.bottom());
    shell.cubicTo(cx - 38, body.bottom(), body.left() + 12, body.bottom() - 20, body.left() + 4, body.top() + 200);
    shell.cubicTo(body.left() - 6, body.top() + 120, body.left() - 4, body.top(), cx, body.top());

    // Soft accent glow under the shell, fading out inside the picture.
    QRadialGradient glow(body.center(), 128);
    glow.setColorAt(0, WithAlpha(theme::accent, 46));
    glow.setColorAt(1, Qt::transparent);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(body.center(), 128, 128);

    painter.setPen(QPen(theme::border, 1.5));
    painter.setBrush(VerticalGradient(body, theme::fieldHover, theme::panelBottom));
    painter.drawPath(shell);

    // Button split and the wheel.
    const qreal split = body.top() + 126;
    painter.setPen(QPen(Mix(theme::border, theme::window, 0.3), 2));
    painter.drawLine(QPointF(cx, body.top() + 2), QPointF(cx, split));
    QPainterPath seam;
    seam.moveTo(body.left() + 2, split + 10);
    seam.quadTo(cx, split - 12, body.right() - 2, split + 10);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(seam);
    const QRectF wheel(cx - 8, body.top() + 28, 16, 44);
    painter.setPen(QPen(theme::accentPressed, 1));
    painter.setBrush(VerticalGradient(wheel, theme::accentHover, theme::accentPressed));
    painter.drawRoundedRect(wheel, 7, 7);
    for (int i = 1; i < 6; ++i) {
        const qreal y = wheel.top() + i * wheel.height() / 6;
        painter.setPen(QPen(WithAlpha(Qt::black, 60), 1));
        painter.drawLine(QPointF(wheel.left() + 3, y), QPointF(wheel.right() - 3, y));
    }

    // The two side buttons on the left flank.
    const QRectF front(body.left() - 4, 178, 9, 28);
    const QRectF rear(body.left() - 4, 214, 9, 28);
    painter.setPen(QPen(theme::border, 1));
    painter.setBrush(theme::field);
    painter.drawRoundedRect(front, 4, 4);
    painter.drawRoundedRect(rear, 4, 4);

    // A light strip along the tail.
    QPainterPath strip;
    strip.moveTo(cx - 36, body.bottom() - 26);
    strip.quadTo(cx, body.bottom() - 10, cx + 36, body.bottom() - 26);
    painter.setPen(QPen(theme::accent, 3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(strip);

    // Leader lines from the edge of each marker to a dot on its button.
    struct Leader {
        QPointF marker; // centre of the marker button
        QPointF target;
    };
    const Leader leaders[] = {
        {{79, 229}, {262, 120}},                   // 1 left button
        {{79, 119}, {345, 60}},                    // 2 right button
        {{79, 177}, {cx, wheel.bottom()}},         // 3 wheel
        {{169, 309}, front.center()},              // 4 front side button
        {{229, 309}, rear.center() + QPointF(0, 6)}, // 5 rear side button
    };
    for (const Leader& leader : leaders) {
        const QLineF full(leader.marker, leader.target);
        const QPointF start = full.pointAt(21.0 / full.length());
        painter.setPen(QPen(WithAlpha(theme::accent, 160), 1, Qt::DashLine));
        painter.drawLine(start, leader.target);
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme::accent);
        painter.drawEllipse(leader.target, 3, 3);
        painter.setBrush(Qt::NoBrush);
    }
    return image;
}

// A numbered marker's round plate; the number is the button's text.
QImage MarkerPlate(QSize size, State state)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF outer = QRectF(QPointF(0, 0), size).adjusted(5, 5, -5, -5);
    QColor fill = theme::field;
    QColor edge = theme::accent;
    if (state == State::Hover)
        fill = Mix(theme::field, theme::accent, 0.35);
    if (state == State::Pressed) {
        fill = theme::accentPressed;
        edge = theme::accentHover;
    }
    painter.setPen(QPen(edge, 2));
    painter.setBrush(fill);
    painter.drawEllipse(outer);
    return image;
}

// A key row's plate (the key's function is the button's text) or a menu
// item: a dark rounded bar, accent-edged when checked.
QImage Row(QSize size, bool checked, qreal radius = 4)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF body = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    if (checked) {
        painter.setPen(QPen(theme::accent, 1));
        painter.setBrush(VerticalGradient(body, Mix(theme::field, theme::accent, 0.45), Mix(theme::field, theme::accent, 0.30)));
    } else {
        painter.setPen(QPen(theme::border, 1));
        painter.setBrush(VerticalGradient(body, theme::fieldHover, theme::field));
    }
    painter.drawPath(RoundedPath(body, radius));
    return image;
}

// A top-menu item that opens a sub-menu: a row with an arrow at its right end.
QImage OpenerRow(QSize size, bool checked)
{
    QImage image = Row(size, checked);
    QPainter painter(&image);
    Prepare(painter);
    DrawGlyph(painter, Glyph::ArrowRight, QRectF(size.width() - 16, (size.height() - 10) / 2.0, 10, 10),
              checked ? theme::textStrong : theme::textDim, 1.6);
    return image;
}

// The round number plate of a key row.
QImage NumberPlate(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    painter.setPen(QPen(theme::accentPressed, 1));
    painter.setBrush(VerticalGradient(QRectF(QPointF(0, 0), size), theme::accentHover, theme::accentPressed));
    painter.drawEllipse(QRectF(QPointF(0, 0), size).adjusted(1, 1, -1, -1));
    return image;
}

// The profile mark in front of the profile combo: three stacked layers.
QImage ProfileMark(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        painter.setBrush(i == 0 ? theme::accent : Mix(theme::accent, theme::window, 0.3 * i));
        painter.drawRoundedRect(QRectF(0, 1 + i * 4.5, size.width(), 3), 1.5, 1.5);
    }
    return image;
}

// The lower band behind the key list and the menus.
QImage Band(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF body = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(theme::border, 1));
    painter.setBrush(VerticalGradient(body, theme::panelTop, theme::panelBottom));
    painter.drawPath(RoundedPath(body, 8));
    painter.setPen(QPen(theme::highlight, 1));
    painter.drawLine(QPointF(body.left() + 9, body.top() + 1), QPointF(body.right() - 9, body.top() + 1));
    return image;
}

void Paint(PictureSink& out)
{
    out.Add(QStringLiteral("mouse0"), MousePicture({432, 356}));

    out.Add(QStringLiteral("NumberOrigin"), MarkerPlate({38, 38}, State::Normal));
    out.Add(QStringLiteral("NumberHover"), MarkerPlate({38, 38}, State::Hover));
    out.Add(QStringLiteral("NumberClick"), MarkerPlate({38, 38}, State::Pressed));

    // Key rows are drawn at their size (background-image, not stretched).
    out.Add(QStringLiteral("AMenuTitle"), Row({262, 26}, false));
    out.Add(QStringLiteral("AMenuTitleChecked"), Row({262, 26}, true));
    out.Add(QStringLiteral("LabelNumber"), NumberPlate({22, 22}));

    // Top-menu items: plain functions, and B for the items opening a sub-menu.
    out.Add(QStringLiteral("BMenuTitle"), Row({164, 22}, false));
    out.Add(QStringLiteral("BMenuTitleChecked"), Row({164, 22}, true));
    out.Add(QStringLiteral("BMenuTitleB"), OpenerRow({164, 22}, false));
    out.Add(QStringLiteral("BMenuTitleCheckedB"), OpenerRow({164, 22}, true));

    // Sub-menu items (border-image, stretched over 174 x 22).
    out.Add(QStringLiteral("CMenuTitle"), Row({174, 22}, false));
    out.Add(QStringLiteral("CMenuTitleChecked"), Row({174, 22}, true));

    // Reset, import and export (border-image over 110 x 26).
    out.Add(QStringLiteral("Reset"), Button({110, 26}, State::Normal, ButtonKind::Secondary));
    out.Add(QStringLiteral("ResetHover"), Button({110, 26}, State::Hover, ButtonKind::Secondary));
    out.Add(QStringLiteral("ResetClick"), Button({110, 26}, State::Pressed, ButtonKind::Secondary));

    out.Add(QStringLiteral("Config"), ProfileMark({20, 14}));
    out.Add(QStringLiteral("TiltleBack"), Band({862, 216}));

    // The profile combo and the debounce combo share these.
    AddComboBox(out, {128, 24}, {16, 16}, {128, 150});
}

const FolderRegistrar registrar("Buttoninterface", Paint);

} // namespace
