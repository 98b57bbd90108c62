// Folder Buttoninterface, the button page: the mouse picture behind the six
// numbered markers, the markers, the key rows, the menu items, the page
// buttons, the profile combo and the debounce combo on the resting page.
#include "kit.h"

#include <QPainter>
#include <QPainterPath>

using namespace kit;

namespace {

// The mouse seen from above, on the right of the 432 x 356 picture area;
// thin leader lines run from the markers on the left (38 x 38 buttons at
// the form's positions) to the buttons they stand for.
QImage MousePicture(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);

    const QRectF body(225, 28, 150, 300);
    QPainterPath shell;
    shell.moveTo(body.center().x(), body.top());
    shell.cubicTo(body.right() + 4, body.top(), body.right() + 6, body.top() + 120, body.right() - 4, body.top() + 190);
    shell.cubicTo(body.right() - 12, body.bottom() - 20, body.center().x() + 40, body.bottom(), body.center().x(), body.bottom());
    shell.cubicTo(body.center().x() - 40, body.bottom(), body.left() + 12, body.bottom() - 20, body.left() + 4, body.top() + 190);
    shell.cubicTo(body.left() - 6, body.top() + 120, body.left() - 4, body.top(), body.center().x(), body.top());

    // Soft accent glow under the shell.
    QRadialGradient glow(body.center(), 190);
    glow.setColorAt(0, WithAlpha(theme::accent, 40));
    glow.setColorAt(1, Qt::transparent);
    painter.fillRect(QRectF(QPointF(0, 0), size), glow);

    painter.setPen(QPen(theme::border, 1.5));
    painter.setBrush(VerticalGradient(body, theme::fieldHover, theme::panelBottom));
    painter.drawPath(shell);

    // Button split and the wheel.
    const qreal split = body.top() + 125;
    painter.setPen(QPen(Mix(theme::border, theme::window, 0.3), 2));
    painter.drawLine(QPointF(body.center().x(), body.top() + 2), QPointF(body.center().x(), split));
    QPainterPath seam;
    seam.moveTo(body.left() + 2, split + 10);
    seam.quadTo(body.center().x(), split - 12, body.right() - 2, split + 10);
    painter.drawPath(seam);
    const QRectF wheel(body.center().x() - 8, body.top() + 40, 16, 42);
    painter.setPen(QPen(theme::accentPressed, 1));
    painter.setBrush(VerticalGradient(wheel, theme::accentHover, theme::accentPressed));
    painter.drawRoundedRect(wheel, 7, 7);
    for (int i = 1; i < 6; ++i) {
        const qreal y = wheel.top() + i * wheel.height() / 6;
        painter.setPen(QPen(WithAlpha(Qt::black, 60), 1));
        painter.drawLine(QPointF(wheel.left() + 3, y), QPointF(wheel.right() - 3, y));
    }

    // The two side buttons on the left flank.
    const QRectF forward(body.left() - 3, split + 28, 10, 30);
    const QRectF back(body.left() - 1, split + 66, 10, 30);
    painter.setPen(QPen(theme::border, 1));
    painter.setBrush(theme::field);
    painter.drawRoundedRect(forward, 4, 4);
    painter.drawRoundedRect(back, 4, 4);

    // A light strip along the tail.
    QPainterPath strip;
    strip.moveTo(body.center().x() - 38, body.bottom() - 26);
    strip.quadTo(body.center().x(), body.bottom() - 10, body.center().x() + 38, body.bottom() - 26);
    painter.setPen(QPen(theme::accent, 3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(strip);

    // Leader lines: marker centre → elbow → the button it names.
    struct Leader {
        QPointF from;
        QPointF to;
    };
    const Leader leaders[] = {
        {{98, 229}, {body.left() + 38, split - 40}},          // 1 left button
        {{98, 119}, {body.right() - 38, body.top() + 60}},    // 2 right button
        {{98, 177}, {wheel.left(), wheel.center().y() + 10}}, // 3 wheel
        {{169, 290}, forward.center()},                       // 4 forward
        {{229, 290}, back.center()},                          // 5 back
    };
    QPen line(WithAlpha(theme::accent, 150), 1, Qt::DashLine);
    painter.setBrush(theme::accent);
    for (const Leader& leader : leaders) {
        painter.setPen(line);
        const QPointF elbow(leader.from.x() < leader.to.x() - 40 ? leader.to.x() - 30 : leader.from.x(), leader.from.y());
        QPainterPath path(leader.from);
        path.lineTo(elbow);
        path.lineTo(leader.to);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme::accent);
        painter.drawEllipse(leader.to, 3, 3);
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
