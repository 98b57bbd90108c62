// Folder Light: the lighting page (backdrop, mode combo, sliders, switch,
// colour board, colour steps, preview and the 14 preset swatches). The page's
// idle light-off selector reads its combo pictures from this folder too.
#include "kit.h"

#include <QPainter>

#include <array>

using namespace kit;

namespace {

// The slider handle: a slim upright bar, light with an accent edge.
QImage Handle(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF bar = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(theme::accentPressed, 1));
    painter.setBrush(VerticalGradient(bar, theme::textStrong, theme::text));
    painter.drawRoundedRect(bar, bar.width() / 2, bar.width() / 2);
    return image;
}

// The colour board the picker reads: every hue from left to right, lighter
// towards the top and darker towards the bottom.
QImage ColourBoard(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF rect = QRectF(QPointF(0, 0), size);
    const QPainterPath shape = RoundedPath(rect.adjusted(0.5, 0.5, -0.5, -0.5), 4);
    painter.setClipPath(shape);

    QLinearGradient hues(rect.topLeft(), rect.topRight());
    for (int step = 0; step <= 12; ++step)
        hues.setColorAt(step / 12.0, QColor::fromHsv((step * 30) % 360, 255, 255));
    painter.fillRect(rect, hues);

    QLinearGradient shade(rect.topLeft(), rect.bottomLeft());
    shade.setColorAt(0.0, QColor(255, 255, 255, 170));
    shade.setColorAt(0.45, QColor(255, 255, 255, 0));
    shade.setColorAt(0.55, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, 170));
    painter.fillRect(rect, shade);

    painter.setClipping(false);
    painter.setPen(QPen(theme::border, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    return image;
}

// Shown before any colour: a checkerboard, the usual sign of "no colour".
QImage EmptyPreview(QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    const int cell = 6;
    for (int y = 0; y < size.height(); y += cell) {
        for (int x = 0; x < size.width(); x += cell)
            painter.fillRect(x, y, cell, cell, ((x + y) / cell) % 2 ? theme::field : theme::fieldHover);
    }
    painter.setPen(QPen(QColor(220, 220, 220), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1, 1, size.width() - 2, size.height() - 2));
    return image;
}

// One preset colour: a rounded swatch with a thin edge and a soft gloss.
QImage Swatch(QSize size, const QColor& colour)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF body = QRectF(QPointF(0, 0), size).adjusted(2.5, 2.5, -2.5, -2.5);
    painter.setPen(QPen(Mix(colour, theme::window, 0.45), 1));
    painter.setBrush(VerticalGradient(body, Mix(colour, Qt::white, 0.12), colour));
    painter.drawRoundedRect(body, 5, 5);
    painter.setPen(QPen(QColor(255, 255, 255, 60), 1));
    painter.drawLine(QPointF(body.left() + 4, body.top() + 1.5), QPointF(body.right() - 4, body.top() + 1.5));
    return image;
}

struct PresetSwatch {
    char letter;
    QColor colour;
};

// The page's preset colours, button A to N.
const std::array<PresetSwatch, 14> kPresets = {{
    {'A', QColor(255, 0, 0)},
    {'B', QColor(0, 255, 255)},
    {'C', QColor(0, 255, 0)},
    {'D', QColor(255, 0, 255)},
    {'E', QColor(255, 255, 0)},
    {'F', QColor(255, 80, 0)},
    {'G', QColor(0, 0, 255)},
    {'H', QColor(227, 0, 127)},
    {'I', QColor(46, 166, 223)},
    {'J', QColor(96, 25, 133)},
    {'K', QColor(255, 255, 255)},
    {'L', QColor(139, 178, 36)},
    {'M', QColor(255, 155, 51)},
    {'N', QColor(208, 113, 173)},
}};

void Paint(PictureSink& out)
{
    // Behind the page when it stands alone.
    out.Add(QStringLiteral("BackGround"), Backdrop({883, 630}));

    // Combo pieces; border images stretch, so one size serves both combos.
    AddComboBox(out, {160, 34}, {16, 16}, {160, 160});

    out.Add(QStringLiteral("HuaKuai"), Handle({5, 18}));
    out.Add(QStringLiteral("Close"), Switch({36, 18}, false));
    out.Add(QStringLiteral("Open"), Switch({36, 18}, true));

    out.Add(QStringLiteral("ColorBoard"), ColourBoard({308, 34}));
    out.Add(QStringLiteral("Reduce"), MinusSign({14, 4}));
    out.Add(QStringLiteral("Add"), PlusSign({14, 14}));
    out.Add(QStringLiteral("PreviewColor"), EmptyPreview({60, 60}));
    for (const PresetSwatch& preset : kPresets)
        out.Add(QStringLiteral("Color") + QLatin1Char(preset.letter), Swatch({28, 28}, preset.colour));
}

const FolderRegistrar registrar("Light", Paint);

} // namespace
