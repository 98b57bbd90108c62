#include "motion_sync_b.h"
#include "ui_motion_sync_b.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"

MotionSyncB::MotionSyncB(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::MotionSyncB)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    ui->label->setStyleSheet(FrameStyle::CaptionStyle());
    ui->MotionSync_2->setStyleSheet(FrameStyle::SwitchStyle(ui->MotionSync_2->objectName(), m_pictureFolder));
}

MotionSyncB::~MotionSyncB() = default;

void MotionSyncB::SetChecked(bool on)
{
    ui->MotionSync_2->setChecked(on);
}

void MotionSyncB::SetLabelText(const QString& text)
{
    ui->label->setText(text);
}

void MotionSyncB::SetLabelToolTip(const QString& text)
{
    ui->label->setToolTip(text);
}

void MotionSyncB::on_MotionSync_2_clicked(bool checked)
{
    // Before sending is allowed a click only moves the switch; an offline
    // mouse is reported by the setter, and the next fill puts the switch back.
    if (!g_sendEnabled)
        return;
    SetMotionSync(checked ? 1 : 0);
}
