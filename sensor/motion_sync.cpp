#include "motion_sync.h"
#include "ui_motion_sync.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"

MotionSync::MotionSync(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::MotionSync)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    ui->label->setStyleSheet(FrameStyle::CaptionStyle());
    ui->MotionSync_2->setStyleSheet(FrameStyle::SwitchStyle(ui->MotionSync_2->objectName(), m_pictureFolder));
}

MotionSync::~MotionSync() = default;

void MotionSync::SetChecked(bool on)
{
    ui->MotionSync_2->setChecked(on);
}

void MotionSync::SetLabelText(const QString& text)
{
    ui->label->setText(text);
}

void MotionSync::SetLabelToolTip(const QString& text)
{
    ui->label->setToolTip(text);
}

void MotionSync::on_MotionSync_2_clicked(bool checked)
{
    // Before sending is allowed a click only moves the switch; an offline
    // mouse is reported by the setter, and the next fill puts the switch back.
    if (!g_sendEnabled)
        return;
    SetMotionSync(checked ? 1 : 0);
}
