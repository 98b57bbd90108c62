#include "kit.h"

#include <QFont>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace kit {

namespace theme {
const QColor window(21, 23, 28);
const QColor panelTop(40, 43, 51);
const QColor panelBottom(27, 29, 35);
const QColor field(44, 47, 54);
const QColor fieldHover(54, 58, 67);
const QColor border(62, 67, 78);
const QColor highlight(255, 255, 255, 22);
const QColor text(225, 228, 235);
const QColor textStrong(240, 242, 245);
const QColor textDim(150, 157, 170);
const QColor accent(0, 168, 255);
const QColor accentHover(64, 193, 255);
const QColor accentPressed(0, 124, 196);
const QColor danger(229, 72, 77);
const QColor dangerPressed(178, 45, 50);
} // namespace theme

// --- helpers ------------------------------------------------------------------

QImage Canvas(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void Prepare(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QColor Mix(const QColor& a, const QColor& b, qreal t)
{
    auto mix = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()),
                  mix(a.alpha(), b.alpha()));
}

QColor WithAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

QLinearGradient FadingAccent(qreal x0, qreal x1, qreal edge)
{
    QLinearGradient gradient(QPointF(x0, 0), QPointF(x1, 0));
    gradient.setColorAt(0.0, WithAlpha(theme::accent, 0));
    gradient.setColorAt(edge, theme::accent);
    gradient.setColorAt(1.0 - edge, theme::accent);
    gradient.setColorAt(1.0, WithAlpha(theme::accent, 0));
    return gradient;
}

QLinearGradient VerticalGradient(const QRectF& rect, const QColor& top, const QColor& bottom)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

QPainterPath RoundedPath(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    if (radius <= 0)
        path.addRect(rect);
    else
        path.addRoundedRect(rect, radius, radius);
    return path;
}

void DrawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& color, qreal penWidth)
{
    painter.save();
    Prepare(painter);
    QPen pen(color, penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QPointF c = box.center();
    const qreal l = box.left(), r = box.right(), t = box.top(), b = box.bottom();
    const qreal w = box.width(), h = box.height();
    switch (glyph) {
    case Glyph::Close:
        painter.drawLine(QPointF(l, t), QPointF(r, b));
        painter.drawLine(QPointF(r, t), QPointF(l, b));
        break;
    case Glyph::Minimise:
        painter.drawLine(QPointF(l, c.y()), QPointF(r, c.y()));
        break;
    case Glyph::Check:
        painter.drawPolyline(QPolygonF({QPointF(l, t + h * 0.55), QPointF(l + w * 0.38, b), QPointF(r, t)}));
        break;
    case Glyph::ArrowLeft:
        painter.drawPolyline(QPolygonF({QPointF(c.x() + w * 0.25, t), QPointF(c.x() - w * 0.25, c.y()),
                                        QPointF(c.x() + w * 0.25, b)}));
        break;
    case Glyph::ArrowRight:
        painter.drawPolyline(QPolygonF({QPointF(c.x() - w * 0.25, t), QPointF(c.x() + w * 0.25, c.y()),
                                        QPointF(c.x() - w * 0.25, b)}));
        break;
    case Glyph::ArrowUp:
        painter.drawPolyline(QPolygonF({QPointF(l, c.y() + h * 0.25), QPointF(c.x(), c.y() - h * 0.25),
                                        QPointF(r, c.y() + h * 0.25)}));
        break;
    case Glyph::ArrowDown:
        painter.drawPolyline(QPolygonF({QPointF(l, c.y() - h * 0.25), QPointF(c.x(), c.y() + h * 0.25),
                                        QPointF(r, c.y() - h * 0.25)}));
        break;
    }
    painter.restore();
}

void DrawText(QPainter& painter, const QRectF& rect, const QString& text, int pixelSize, const QColor& color,
              int flags, bool bold)
{
    painter.save();
    Prepare(painter);
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(rect, flags, text);
    painter.restore();
}

void DrawLogoMark(QPainter& painter, const QRectF& box, const QColor& color, qreal pen)
{
    painter.save();
    painter.setPen(QPen(color, pen, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF ring = box.adjusted(pen, pen, -pen * 1.6, -pen * 1.6);
    painter.drawEllipse(ring);
    const QPointF c = ring.center();
    const qreal r = ring.width() / 2;
    painter.drawLine(c + QPointF(r * 0.35, r * 0.35), c + QPointF(r * 1.05, r * 1.05));
    painter.restore();
}

void DrawTitleBand(QPainter& painter, qreal width, qreal height)
{
    const QRectF band(0, 0, width, height);
    painter.fillRect(band, VerticalGradient(band, Mix(theme::panelTop, theme::window, 0.2), theme::panelBottom));
    painter.fillRect(QRectF(0, 0, width, 2), FadingAccent(0, width, 0.25));
    painter.fillRect(QRectF(0, height - 1, width, 1), theme::border);
    painter.fillRect(QRectF(0, height - 2, width, 1), QColor(0, 0, 0, 60));

    // The name is centred on the logo's ring.
    DrawLogoMark(painter, QRectF(22, 12, 26, 26), theme::accent, 3);
    DrawText(painter, QRectF(58, 8, 220, 34), QStringLiteral("Quorix One"), 19, theme::textStrong,
             Qt::AlignLeft | Qt::AlignVCenter, true);
}

// --- pieces -------------------------------------------------------------------

QImage Panel(QSize size, qreal radius)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF outer = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(theme::border, 1));
    painter.setBrush(VerticalGradient(outer, theme::panelTop, theme::panelBottom));
    painter.drawPath(RoundedPath(outer, radius));
    // A faint light line just inside the top edge lifts the panel off the page.
    painter.setPen(QPen(theme::highlight, 1));
    painter.drawLine(QPointF(outer.left() + radius + 1, outer.top() + 1), QPointF(outer.right() - radius - 1, outer.top() + 1));
    return image;
}

QImage Backdrop(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF rect(QPointF(0, 0), size);
    painter.fillRect(rect, VerticalGradient(rect, Mix(theme::window, theme::panelTop, 0.35), theme::window));
    // A soft accent glow from the top centre.
    QRadialGradient glow(QPointF(rect.center().x(), 0), std::max(rect.width(), rect.height()) * 0.6);
    glow.setColorAt(0, WithAlpha(theme::accent, 28));
    glow.setColorAt(1, Qt::transparent);
    painter.fillRect(rect, glow);
    return image;
}

QImage Button(QSize size, State state, ButtonKind kind, qreal radius)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    QRectF body = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);

    QColor top, bottom, edge;
    switch (kind) {
    case ButtonKind::Primary:
        top = theme::accentHover;
        bottom = theme::accent;
        edge = Mix(theme::accent, Qt::black, 0.25);
        break;
    case ButtonKind::Secondary:
        top = theme::fieldHover;
        bottom = theme::field;
        edge = theme::border;
        break;
    case ButtonKind::Danger:
        top = Mix(theme::danger, Qt::white, 0.15);
        bottom = theme::danger;
        edge = theme::dangerPressed;
        break;
    }

    switch (state) {
    case State::Normal:
        break;
    case State::Hover:
        top = Mix(top, Qt::white, 0.18);
        bottom = Mix(bottom, Qt::white, 0.18);
        if (kind == ButtonKind::Secondary)
            edge = theme::accent;
        break;
    case State::Pressed:
        // Darker and flatter, reversed gradient: the face sinks in.
        std::swap(top, bottom);
        top = Mix(top, Qt::black, 0.28);
        bottom = Mix(bottom, Qt::black, 0.18);
        if (kind == ButtonKind::Secondary)
            edge = theme::accentPressed;
        break;
    case State::Checked:
        if (kind == ButtonKind::Secondary) {
            top = Mix(theme::field, theme::accent, 0.30);
            bottom = Mix(theme::field, theme::accent, 0.20);
        } else {
            top = Mix(top, Qt::black, 0.12);
            bottom = Mix(bottom, Qt::black, 0.12);
        }
        edge = theme::accentHover;
        break;
    case State::Disabled:
        top = Mix(theme::field, theme::panelBottom, 0.3);
        bottom = top;
        edge = theme::border;
        break;
    }

    painter.setPen(QPen(edge, state == State::Checked ? 1.5 : 1));
    painter.setBrush(VerticalGradient(body, top, bottom));
    painter.drawPath(RoundedPath(body, radius));
    if (state != State::Pressed && state != State::Disabled) {
        painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
        painter.drawLine(QPointF(body.left() + radius, body.top() + 1), QPointF(body.right() - radius, body.top() + 1));
    }
    return image;
}

// Glyph box and stroke for an icon of the given size: about half the size,
// on whole or half pixels so small icons stay sharp.
// Strokes run through pixel centres, which keeps lines and diagonals sharp.
static QRectF GlyphBox(QSize size, qreal* pen)
{
    const qreal side = std::floor(std::min(size.width(), size.height()) * 0.42);
    *pen = std::max<qreal>(1.6, side / 6.0);
    const qreal x = std::floor((size.width() - side) / 2.0) + 0.5;
    const qreal y = std::floor((size.height() - side) / 2.0) + 0.5;
    return QRectF(x, y, side - 1, side - 1);
}

QImage IconButton(QSize size, Glyph glyph, State state)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const bool close = glyph == Glyph::Close;
    QColor plate = Qt::transparent;
    QColor ink = theme::textDim;
    switch (state) {
    case State::Normal:
        break;
    case State::Hover:
        plate = close ? theme::danger : theme::fieldHover;
        ink = theme::textStrong;
        break;
    case State::Pressed:
        plate = close ? theme::dangerPressed : theme::field;
        ink = close ? theme::textStrong : theme::accent;
        break;
    case State::Checked:
        plate = Mix(theme::field, theme::accent, 0.35);
        ink = theme::textStrong;
        break;
    case State::Disabled:
        ink = Mix(theme::textDim, theme::panelBottom, 0.5);
        break;
    }
    if (plate.alpha() > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(plate);
        painter.drawEllipse(QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    qreal pen = 0;
    const QRectF box = GlyphBox(size, &pen);
    DrawGlyph(painter, glyph, box, ink, pen);
    return image;
}

QImage CheckBox(QSize size, bool checked)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const qreal side = std::min(size.width(), size.height()) - 1;
    const QRectF box((size.width() - side) / 2.0, (size.height() - side) / 2.0, side, side);
    if (checked) {
        painter.setPen(QPen(theme::accentPressed, 1));
        painter.setBrush(VerticalGradient(box, theme::accentHover, theme::accent));
    } else {
        painter.setPen(QPen(theme::border.lighter(130), 1));
        painter.setBrush(theme::field);
    }
    painter.drawRoundedRect(box, 3, 3);
    if (checked)
        DrawGlyph(painter, Glyph::Check, box.adjusted(side * 0.24, side * 0.28, -side * 0.22, -side * 0.28),
                  theme::textStrong, std::max<qreal>(1.5, side / 8.0));
    return image;
}

QImage ComboField(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF body = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(theme::border, 1));
    painter.setBrush(VerticalGradient(body, theme::fieldHover, theme::field));
    painter.drawPath(RoundedPath(body, 4));
    return image;
}

QImage ComboArrow(QSize size, bool open)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    const qreal side = std::floor(std::min(size.width(), size.height()) * 0.45);
    const QRectF box(std::floor((size.width() - side) / 2.0), std::floor((size.height() - side) / 2.0), side, side);
    DrawGlyph(painter, open ? Glyph::ArrowUp : Glyph::ArrowDown, box, open ? theme::accent : theme::text,
              std::max<qreal>(1.5, side / 5.0));
    return image;
}

QImage ComboList(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF body = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(theme::border, 1));
    painter.setBrush(theme::field);
    painter.drawRect(body);
    return image;
}

QImage SliderHandle(QSize size, State state)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const qreal side = std::min(size.width(), size.height());
    const QRectF outer((size.width() - side) / 2.0, (size.height() - side) / 2.0, side, side);
    // The knob leaves a margin for the hover glow, so every state has one size.
    const QRectF knob = outer.adjusted(side * 0.14, side * 0.14, -side * 0.14, -side * 0.14);
    QColor ring = theme::accent;
    QColor core = theme::textStrong;
    switch (state) {
    case State::Hover: {
        ring = theme::accentHover;
        painter.setPen(Qt::NoPen);
        painter.setBrush(WithAlpha(theme::accent, 70));
        painter.drawEllipse(outer);
        break;
    }
    case State::Pressed:
    case State::Checked:
        ring = theme::accentPressed;
        core = theme::accent;
        break;
    case State::Disabled:
        ring = theme::border;
        core = theme::textDim;
        break;
    case State::Normal:
        break;
    }
    const qreal ringWidth = std::max<qreal>(2, side / 7.0);
    painter.setPen(QPen(ring, ringWidth));
    painter.setBrush(core);
    painter.drawEllipse(knob.adjusted(ringWidth / 2, ringWidth / 2, -ringWidth / 2, -ringWidth / 2));
    return image;
}

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

QImage MinusSign(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::text);
    painter.drawRoundedRect(QRectF(1, (size.height() - 2) / 2.0, size.width() - 2, 2), 1, 1);
    return image;
}

QImage PlusSign(QSize size)
{
    QImage image = MinusSign(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::text);
    painter.drawRoundedRect(QRectF((size.width() - 2) / 2.0, 1, 2, size.height() - 2), 1, 1);
    return image;
}

// --- registration ---------------------------------------------------------------

static std::vector<RegisteredFolder>& Folders()
{
    static std::vector<RegisteredFolder> folders;
    return folders;
}

FolderRegistrar::FolderRegistrar(const char* folder, FolderPainter paint)
{
    Folders().push_back({QString::fromUtf8(folder), paint});
}

const std::vector<RegisteredFolder>& RegisteredFolders()
{
    return Folders();
}

void AddIconButton(PictureSink& out, const QString& name, QSize size, Glyph glyph)
{
    out.Add(name, IconButton(size, glyph, State::Normal));
    out.Add(name + QStringLiteral("Hover"), IconButton(size, glyph, State::Hover));
    out.Add(name + QStringLiteral("Click"), IconButton(size, glyph, State::Pressed));
}

void AddComboBox(PictureSink& out, QSize field, QSize arrow, QSize list)
{
    out.Add(QStringLiteral("ComboboxBack"), ComboField(field));
    out.Add(QStringLiteral("Menu"), ComboArrow(arrow, false));
    out.Add(QStringLiteral("MenuClicked"), ComboArrow(arrow, true));
    out.Add(QStringLiteral("ComboboxTextBack"), ComboList(list));
}

} // namespace kit
