#include "straight_line.h"
#include "ui_straight_line.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"

StraightLine::StraightLine(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::StraightLine)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    ui->label->setStyleSheet(FrameStyle::CaptionStyle());
    ui->StraightLine_2->setStyleSheet(FrameStyle::SwitchStyle(ui->StraightLine_2->objectName(), m_pictureFolder));
}

StraightLine::~StraightLine() = default;

void StraightLine::SetChecked(bool on)
{
    ui->StraightLine_2->setChecked(on);
}

void StraightLine::SetLabelText(const QString& text)
{
    ui->label->setText(text);
}

void StraightLine::SetLabelToolTip(const QString& text)
{
    ui->label->setToolTip(text);
}

void StraightLine::on_StraightLine_2_clicked(bool checked)
{
    // Before sending is allowed a click only moves the switch; an offline
    // mouse is reported by the setter, and the next fill puts the switch back.
    if (!g_sendEnabled)
        return;
    SetStraightLine(checked ? 1 : 0);
}
