#include "debouncetime_b.h"
#include "ui_debouncetime_b.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"

DebouncetimeB::DebouncetimeB(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::DebouncetimeB)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    ui->spinBoxA->setStyleSheet(FrameStyle::NumberStyle());
    ui->Debunce->setStyleSheet(FrameStyle::ThinSliderStyle(m_pictureFolder));
}

DebouncetimeB::~DebouncetimeB() = default;

void DebouncetimeB::SetLevel(int value)
{
    const bool wasBlocked = ui->Debunce->blockSignals(true);
    ui->Debunce->setValue(value);
    ui->Debunce->blockSignals(wasBlocked);
    ui->spinBoxA->setValue(value);
}

void DebouncetimeB::SetSuffix(const QString& suffix)
{
    ui->spinBoxA->setSuffix(suffix);
}

void DebouncetimeB::on_Debunce_sliderMoved(int position)
{
    ui->spinBoxA->setValue(position);
}

void DebouncetimeB::on_Debunce_valueChanged(int value)
{
    ui->spinBoxA->setValue(value);
    if (g_sendEnabled)
        SetDebounceTime(value);
}
