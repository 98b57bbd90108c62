#include "rippe_control_b.h"
#include "ui_rippe_control_b.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"

RippeControlB::RippeControlB(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::RippeControlB)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    ui->label->setStyleSheet(FrameStyle::CaptionStyle());
    ui->RippeControl_2->setStyleSheet(FrameStyle::SwitchStyle(ui->RippeControl_2->objectName(), m_pictureFolder));
}

RippeControlB::~RippeControlB() = default;

void RippeControlB::SetChecked(bool on)
{
    ui->RippeControl_2->setChecked(on);
}

void RippeControlB::SetLabelText(const QString& text)
{
    ui->label->setText(text);
}

void RippeControlB::SetLabelToolTip(const QString& text)
{
    ui->label->setToolTip(text);
}

void RippeControlB::on_RippeControl_2_clicked(bool checked)
{
    // Before sending is allowed a click only moves the switch; an offline
    // mouse is reported by the setter, and the next fill puts the switch back.
    if (!g_sendEnabled)
        return;
    SetRippleControl(checked ? 1 : 0);
}
