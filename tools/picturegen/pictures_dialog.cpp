// Folder Dialog: the device window (background, page buttons, battery, window
// buttons, back button) and the program's tray logo.
#include "kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

using namespace kit;

namespace {

const QSize kWindow(1020, 700);
const int kBandHeight = 98;   // top band: logo, page buttons, battery
const int kColumnWidth = 134; // left column: back button
const QRectF kPageArea(144, 100, 866, 590);

QImage Background()
{
    QImage image = Backdrop(kWindow);
    QPainter painter(&image);
    Prepare(painter);

    // Top band: logo, name, page buttons, battery.
    DrawTitleBand(painter, kWindow.width(), kBandHeight);

    // Left column.
    const QRectF column(0, kBandHeight, kColumnWidth, kWindow.height() - kBandHeight);
    painter.fillRect(column, VerticalGradient(column, Mix(theme::panelBottom, theme::window, 0.3), theme::window));
    painter.fillRect(QRectF(kColumnWidth - 1, kBandHeight, 1, column.height()), theme::border);

    // The page area: a panel the pages sit on.
    painter.setPen(QPen(theme::border, 1));
    painter.setBrush(VerticalGradient(kPageArea, Mix(theme::panelTop, theme::window, 0.45), theme::window));
    painter.drawPath(RoundedPath(kPageArea.adjusted(0.5, 0.5, -0.5, -0.5), 10));
    painter.setPen(QPen(theme::highlight, 1));
    painter.drawLine(QPointF(kPageArea.left() + 11, kPageArea.top() + 1.5),
                     QPointF(kPageArea.right() - 11, kPageArea.top() + 1.5));
    return image;
}

// --- page button icons (30 x 30) ---------------------------------------------

enum class PageIcon { Buttons, Sensor, Macro, Settings, Light };

void DrawPageGlyph(QPainter& painter, PageIcon icon, const QColor& ink)
{
    QPen pen(ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QPointF c(15, 14);
    switch (icon) {
    case PageIcon::Buttons: {
        // A mouse: body, button split, wheel.
        const QRectF body(9.5, 5.5, 11, 17);
        painter.drawRoundedRect(body, 5.5, 5.5);
        painter.drawLine(QPointF(9.5, 12), QPointF(20.5, 12));
        painter.drawLine(QPointF(15, 5.5), QPointF(15, 12));
        painter.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(15, 8), QPointF(15, 9.5));
        break;
    }
    case PageIcon::Sensor: {
        // A crosshair.
        painter.drawEllipse(c, 6.5, 6.5);
        painter.drawLine(QPointF(c.x(), c.y() - 10), QPointF(c.x(), c.y() - 4));
        painter.drawLine(QPointF(c.x(), c.y() + 4), QPointF(c.x(), c.y() + 10));
        painter.drawLine(QPointF(c.x() - 10, c.y()), QPointF(c.x() - 4, c.y()));
        painter.drawLine(QPointF(c.x() + 4, c.y()), QPointF(c.x() + 10, c.y()));
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(c, 1.6, 1.6);
        break;
    }
    case PageIcon::Macro: {
        // A keyboard with a record dot.
        painter.drawRoundedRect(QRectF(4.5, 8.5, 21, 13), 2.5, 2.5);
        painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 4; ++i)
            painter.drawPoint(QPointF(8.5 + i * 4.3, 12.5));
        painter.drawLine(QPointF(10, 17.5), QPointF(20, 17.5));
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(23, 6.5), 2.4, 2.4);
        break;
    }
    case PageIcon::Settings: {
        // A gear: eight teeth around a ring.
        QPainterPath gear;
        const int teeth = 8;
        for (int i = 0; i < teeth * 2; ++i) {
            const qreal angle = M_PI * i / teeth;
            const qreal r = (i % 2 == 0) ? 9.5 : 7.2;
            const qreal a0 = angle - M_PI / (teeth * 2) * 0.8;
            const qreal a1 = angle + M_PI / (teeth * 2) * 0.8;
            const QPointF p0 = c + QPointF(std::cos(a0) * r, std::sin(a0) * r);
            const QPointF p1 = c + QPointF(std::cos(a1) * r, std::sin(a1) * r);
            if (i == 0)
                gear.moveTo(p0);
            else
                gear.lineTo(p0);
            gear.lineTo(p1);
        }
        gear.closeSubpath();
        painter.drawPath(gear);
        painter.drawEllipse(c, 3, 3);
        break;
    }
    case PageIcon::Light: {
        // A sun.
        painter.drawEllipse(c, 4.5, 4.5);
        for (int i = 0; i < 8; ++i) {
            const qreal angle = M_PI * i / 4;
            painter.drawLine(c + QPointF(std::cos(angle) * 7.5, std::sin(angle) * 7.5),
                             c + QPointF(std::cos(angle) * 10, std::sin(angle) * 10));
        }
        break;
    }
    }
}

QImage PageButton(PageIcon icon, State state)
{
    QImage image = Canvas({30, 30});
    QPainter painter(&image);
    Prepare(painter);
    QColor ink = theme::textDim;
    if (state == State::Hover) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(WithAlpha(theme::fieldHover, 170));
        painter.drawRoundedRect(QRectF(0.5, 0.5, 29, 29), 7, 7);
        ink = theme::textStrong;
    } else if (state == State::Checked) {
        QRadialGradient glow(QPointF(15, 14), 16);
        glow.setColorAt(0, WithAlpha(theme::accent, 70));
        glow.setColorAt(1, Qt::transparent);
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawRoundedRect(QRectF(0.5, 0.5, 29, 29), 7, 7);
        painter.setBrush(theme::accent);
        painter.drawRoundedRect(QRectF(7, 27, 16, 2.5), 1.2, 1.2);
        ink = theme::accentHover;
    }
    DrawPageGlyph(painter, icon, ink);
    return image;
}

// --- battery ---------------------------------------------------------------------

QImage Battery()
{
    // The level bar (38 x 18) sits one pixel inside the body's outline.
    QImage image = Canvas({43, 20});
    QPainter painter(&image);
    Prepare(painter);
    painter.setPen(QPen(theme::textDim, 1));
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 39, 19), 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::textDim);
    painter.drawRoundedRect(QRectF(40, 6, 3, 8), 1, 1);
    return image;
}

QImage ChargingSign()
{
    QImage image = Canvas({17, 7});
    QPainter painter(&image);
    Prepare(painter);
    const QPolygonF bolt({QPointF(1, 3.6), QPointF(8.2, 0.4), QPointF(7.4, 3.1), QPointF(16, 3.4),
                          QPointF(8.8, 6.6), QPointF(9.6, 3.9)});
    painter.setPen(QPen(QColor(20, 22, 26), 0.8));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawPolygon(bolt);
    return image;
}

// --- back button (34 x 30) -------------------------------------------------------

QImage BackButton(State state)
{
    QImage image = Canvas({34, 30});
    QPainter painter(&image);
    Prepare(painter);
    QColor ink = theme::textDim;
    QColor plate = Qt::transparent;
    QColor edge = theme::border;
    switch (state) {
    case State::Hover:
        plate = theme::fieldHover;
        edge = theme::accent;
        ink = theme::textStrong;
        break;
    case State::Pressed:
        plate = theme::field;
        edge = theme::accentPressed;
        ink = theme::accent;
        break;
    default:
        break;
    }
    painter.setPen(QPen(edge, 1));
    painter.setBrush(plate);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 33, 29), 8, 8);
    DrawGlyph(painter, Glyph::ArrowLeft, QRectF(11.5, 9.5, 11, 11), ink, 2);
    return image;
}

// --- tray logo -------------------------------------------------------------------

QImage Logo()
{
    QImage image = Canvas({64, 64});
    QPainter painter(&image);
    Prepare(painter);
    const QRectF body(2, 2, 60, 60);
    painter.setPen(QPen(Mix(theme::accent, Qt::black, 0.35), 1.5));
    painter.setBrush(VerticalGradient(body, theme::panelTop, theme::window));
    painter.drawRoundedRect(body, 14, 14);
    DrawLogoMark(painter, QRectF(14, 14, 38, 38), theme::accent, 5.5);
    return image;
}

void Paint(PictureSink& out)
{
    out.Add(QStringLiteral("BackGround"), Background());
    out.Add(QStringLiteral("Battery"), Battery());
    out.Add(QStringLiteral("Charg"), ChargingSign());
    out.Add(QStringLiteral("Logo"), Logo());

    struct PagePictures {
        PageIcon icon;
        const char* normal;
        const char* hover;
        const char* checked;
    };
    const PagePictures pages[] = {
        {PageIcon::Buttons, "Home", "HomeHover", "HomeChecked"},
        {PageIcon::Sensor, "Sensor", "SensorHover", "SensorChecked"},
        {PageIcon::Macro, "Macro", "MacroHover", "MacroChecked"},
        {PageIcon::Settings, "Setting", "SettingHover", "SettingClick"},
        {PageIcon::Light, "Light", "LightHover", "LightChecked"},
    };
    for (const PagePictures& page : pages) {
        out.Add(QLatin1String(page.normal), PageButton(page.icon, State::Normal));
        out.Add(QLatin1String(page.hover), PageButton(page.icon, State::Hover));
        out.Add(QLatin1String(page.checked), PageButton(page.icon, State::Checked));
    }

    AddIconButton(out, QStringLiteral("Close"), {20, 20}, Glyph::Close);
    AddIconButton(out, QStringLiteral("Min"), {20, 20}, Glyph::Minimise);

    out.Add(QStringLiteral("PageChange"), BackButton(State::Normal));
    out.Add(QStringLiteral("PageChangeHover"), BackButton(State::Hover));
    out.Add(QStringLiteral("PageChangeClick"), BackButton(State::Pressed));
}

const FolderRegistrar registrar("Dialog", Paint);

} // namespace
