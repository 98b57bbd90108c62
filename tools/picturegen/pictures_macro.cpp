// Folder Macro: the macro page (buttons, record buttons, check boxes, the
// insert menu, the list arrows and the three event icons).
#include "kit.h"

#include <QPainter>

using namespace kit;

namespace {

// The record button: a round mark (red dot to record, square to stop) and
// room for the text on a secondary button.
QImage RecordButton(QSize size, bool stop, State state)
{
    QImage image = Button(size, state, ButtonKind::Secondary);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF mark(12, (size.height() - 14) / 2.0, 14, 14);
    painter.setPen(Qt::NoPen);
    painter.setBrush(stop ? theme::textStrong : theme::danger);
    if (stop)
        painter.drawRoundedRect(mark.adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
    else
        painter.drawEllipse(mark);
    return image;
}

// An event icon: an arrow down (press) or up (release), or a clock (delay).
QImage EventIcon(QSize size, int which)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    const QRectF box = QRectF(QPointF(0, 0), size).adjusted(2, 2, -2, -2);
    if (which == 2) {
        painter.setPen(QPen(theme::textDim, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box);
        const QPointF centre = box.center();
        painter.drawLine(centre, centre + QPointF(0, -box.height() * 0.32));
        painter.drawLine(centre, centre + QPointF(box.width() * 0.25, 0));
        return image;
    }
    DrawGlyph(painter, which == 0 ? Glyph::ArrowDown : Glyph::ArrowUp, box,
              which == 0 ? theme::accent : theme::textStrong, 2);
    return image;
}

QImage Arrow(QSize size, Glyph glyph)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    Prepare(painter);
    DrawGlyph(painter, glyph, QRectF(QPointF(0, 0), size).adjusted(3, 4, -3, -4), theme::text, 1.5);
    return image;
}

void Paint(PictureSink& out)
{
    out.Add(QStringLiteral("Button"), Button({116, 30}, State::Normal, ButtonKind::Secondary));
    out.Add(QStringLiteral("ButtonHover"), Button({116, 30}, State::Hover, ButtonKind::Secondary));
    out.Add(QStringLiteral("ButtonClick"), Button({116, 30}, State::Pressed, ButtonKind::Secondary));
    out.Add(QStringLiteral("Record"), RecordButton({190, 32}, false, State::Normal));
    out.Add(QStringLiteral("RecordHover"), RecordButton({190, 32}, false, State::Hover));
    out.Add(QStringLiteral("Stop"), RecordButton({190, 32}, true, State::Checked));
    out.Add(QStringLiteral("StopHover"), RecordButton({190, 32}, true, State::Hover));
    out.Add(QStringLiteral("CheckBox"), CheckBox({16, 16}, false));
    out.Add(QStringLiteral("CheckBoxCheck"), CheckBox({16, 16}, true));
    AddComboBox(out, {181, 30}, {16, 16}, {181, 150});
    out.Add(QStringLiteral("Up"), Arrow({15, 15}, Glyph::ArrowUp));
    out.Add(QStringLiteral("Down"), Arrow({15, 15}, Glyph::ArrowDown));
    out.Add(QStringLiteral("MacroDown"), EventIcon({16, 16}, 0));
    out.Add(QStringLiteral("MacroUp"), EventIcon({16, 16}, 1));
    out.Add(QStringLiteral("MacroTime"), EventIcon({16, 16}, 2));
}

const FolderRegistrar registrar("Macro", Paint);

} // namespace
