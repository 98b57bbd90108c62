#include "sensor_effect_base.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"
#include "sensor_effect.h"
#include "setting_ranges.h"

#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace {

bool MaySend()
{
    return g_sendEnabled && !g_sensorPageUpdating;
}

} // namespace

SensorEffectBase::SensorEffectBase(QWidget* parent)
    : QFrame(parent)
    , m_pictureFolder(PictureFolder(QStringLiteral("Sensor")))
{
}

void SensorEffectBase::AttachRows(const Rows& rows, FrameStyle::SliderLook look)
{
    m_rows = rows;
    m_rows.speed->setRange(SettingRanges::kDpiLedSpeedMinimum, SettingRanges::kDpiLedSpeedMaximum);
    m_rows.brightness->setRange(SettingRanges::kDpiLedLevelMinimum, SettingRanges::kDpiLedLevelMaximum);

    const QString caption = FrameStyle::CaptionStyle();
    m_rows.title->setStyleSheet(caption);
    m_rows.speedCaption->setStyleSheet(caption);
    m_rows.brightnessCaption->setStyleSheet(caption);

    const QString slider = FrameStyle::SliderStyle(m_pictureFolder, look) + FrameStyle::DisabledSliderRules();
    m_rows.speed->setStyleSheet(slider);
    m_rows.brightness->setStyleSheet(slider);

    // A hidden slider's row shows the groove of a disabled slider.
    m_rows.speedLine->setStyleSheet(FrameStyle::IdleGrooveStyle());
    m_rows.brightnessLine->setStyleSheet(FrameStyle::IdleGrooveStyle());

    const QString number = QStringLiteral("QSpinBox{color: rgb(%1);background-color: transparent;border: 0px;}")
                               .arg(FrameStyle::Colour(QStringLiteral("LabelColor")));
    m_rows.speedNumber->setStyleSheet(number);
    m_rows.brightnessNumber->setStyleSheet(number);
}

void SensorEffectBase::SetSpeed(int value)
{
    m_rows.speed->setValue(value);
}

void SensorEffectBase::SetBrightnessLevel(int level)
{
    m_rows.brightness->setValue(level);
}

void SensorEffectBase::SetSlidersEnabled(bool enabled)
{
    m_rows.speed->setEnabled(enabled);
    m_rows.brightness->setEnabled(enabled);
}

void SensorEffectBase::SetTitleText(const QString& text)
{
    m_rows.title->setText(text);
}

void SensorEffectBase::SetSpeedText(const QString& text)
{
    m_rows.speedCaption->setText(text);
}

void SensorEffectBase::SetBrightnessText(const QString& text)
{
    m_rows.brightnessCaption->setText(text);
}

void SensorEffectBase::ShowRowsOf(int mode)
{
    // A line stands in the row whose slider is hidden.
    const bool speed = mode == 2;
    const bool brightness = mode == 1;
    m_rows.speed->setVisible(speed);
    m_rows.speedNumber->setVisible(speed);
    m_rows.speedLine->setVisible(!speed);
    m_rows.brightness->setVisible(brightness);
    m_rows.brightnessNumber->setVisible(brightness);
    m_rows.brightnessLine->setVisible(!brightness);
}

void SensorEffectBase::ModeChosen(int mode)
{
    ShowRowsOf(mode);
    if (MaySend())
        SetDpiLedMode(mode);
}

void SensorEffectBase::SpeedChanged(int value)
{
    m_rows.speedNumber->setValue(value);
    if (MaySend())
        SetDpiLedSpeed(value);
}

void SensorEffectBase::SpeedMoved(int position)
{
    // Tracking is off: a drag only shows the number until the release.
    m_rows.speedNumber->setValue(position);
}

void SensorEffectBase::BrightnessChanged(int level)
{
    m_rows.brightnessNumber->setValue(level);
    if (MaySend())
        SetDpiLedBrightness(SensorEffect::BrightnessByte(level));
}

void SensorEffectBase::BrightnessMoved(int position)
{
    m_rows.brightnessNumber->setValue(position);
}
