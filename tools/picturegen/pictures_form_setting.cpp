// Folder FormSetting, the settings page: the pair button, the title marks in
// front of the group headings, the mouse icon of the system-settings link,
// the language combo, the check boxes, the round light-mode choices, the
// new-version mark and the update button's two looks.
#include "kit.h"

#include <QPainter>

using namespace kit;

namespace {

QImage TitleMark()
{
    QImage image = Canvas({16, 10});
    QPainter painter(&image);
    Prepare(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::accent);
    painter.drawRoundedRect(QRectF(0.5, 2, 4, 6), 1.5, 1.5);
    painter.setBrush(WithAlpha(theme::accent, 120));
    painter.drawRoundedRect(QRectF(6.5, 2, 4, 6), 1.5, 1.5);
    painter.setBrush(WithAlpha(theme::accent, 50));
    painter.drawRoundedRect(QRectF(12.5, 2, 3, 6), 1.5, 1.5);
    return image;
}

QImage MouseIcon()
{
    QImage image = Canvas({14, 20});
    QPainter painter(&image);
    Prepare(painter);
    painter.setPen(QPen(theme::text, 1.3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 11, 17), 5.5, 5.5);
    painter.drawLine(QPointF(7, 2), QPointF(7, 7.5));
    painter.setPen(QPen(theme::accent, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(7, 4), QPointF(7, 6));
    return image;
}

// The round choice of the receiver's light modes.
QImage Choice(bool checked)
{
    QImage image = Canvas({16, 16});
    QPainter painter(&image);
    Prepare(painter);
    painter.setPen(QPen(checked ? theme::accent : theme::border.lighter(150), 1.4));
    painter.setBrush(theme::field);
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    if (checked) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme::accent);
        painter.drawEllipse(QRectF(4.5, 4.5, 7, 7));
    }
    return image;
}

QImage NewVersionMark()
{
    QImage image = Canvas({14, 14});
    QPainter painter(&image);
    Prepare(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 106, 0));
    painter.drawEllipse(QRectF(3, 3, 8, 8));
    return image;
}

void Paint(PictureSink& out)
{
    out.Add(QStringLiteral("PariButton"), Button({132, 26}, State::Normal, ButtonKind::Primary));
    out.Add(QStringLiteral("Title"), TitleMark());
    out.Add(QStringLiteral("Mouse"), MouseIcon());
    AddComboBox(out, {142, 30}, {16, 16}, {142, 60});
    out.Add(QStringLiteral("CheckBox"), CheckBox({16, 16}, false));
    out.Add(QStringLiteral("CheckBoxChecked"), CheckBox({16, 16}, true));
    out.Add(QStringLiteral("CheckBox2"), Choice(false));
    out.Add(QStringLiteral("CheckBoxCheck"), Choice(true));
    out.Add(QStringLiteral("Picture"), NewVersionMark());
    out.Add(QStringLiteral("Confirm"), Button({128, 26}, State::Normal, ButtonKind::Secondary));
    out.Add(QStringLiteral("WaitUpdate"), Button({128, 26}, State::Normal, ButtonKind::Primary));
    out.Add(QStringLiteral("WaitUpdateHover"), Button({128, 26}, State::Hover, ButtonKind::Primary));
}

const FolderRegistrar registrar("FormSetting", Paint);

} // namespace
