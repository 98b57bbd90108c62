#include "sensor_rate_base.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"
#include "post_msg.h"
#include "setting_ranges.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>

#include <iterator>

static_assert(std::size(SettingRanges::kRateCodes) == SensorRateBase::kLevelCount, "one code per rate level");

int SensorRateBase::CodeOfLevel(int level)
{
    return SettingRanges::EntryAt(SettingRanges::kRateCodes, level);
}

int SensorRateBase::LevelOfCode(int code)
{
    return SettingRanges::IndexIn(SettingRanges::kRateCodes, code);
}

void SensorRateBase::SendClickedLevel(bool checked, int level)
{
    if (!checked || !g_sendEnabled)
        return;
    // An offline mouse: the setter raises the notice, and the page learns
    // nothing new about the rate.
    if (SetReportRate(CodeOfLevel(level)))
        emit PostMsg::GetInstance()->SigHideModel(level >= 4 ? 1 : 0);
}

bool SensorRateBase::UpperLevelsShown(int set, bool shown[3])
{
    static const bool kSets[4][3] = {
        {false, false, false}, // 125 - 1000 Hz
        {true, true, false},   // up to 4000 Hz
        {true, false, false},  // up to 2000 Hz
        {true, true, true},    // up to 8000 Hz
    };
    if (set < 0 || set > 3)
        return false;
    for (int i = 0; i < 3; ++i)
        shown[i] = kSets[set][i];
    return true;
}

SensorRateBase::SensorRateBase(QWidget* parent)
    : QFrame(parent)
    , m_pictureFolder(PictureFolder(QStringLiteral("Sensor")))
{
}

void SensorRateBase::AttachLevels(QLabel* title, const LevelButtons& levels)
{
    m_title = title;
    m_levels = levels;
    m_title->setStyleSheet(FrameStyle::CaptionStyle());
    for (int level = 0; level < kLevelCount; ++level) {
        m_shownAsMade[level] = !m_levels[level]->isHidden();
        m_checkedAsMade[level] = m_levels[level]->isChecked();
    }
}

QAbstractButton* SensorRateBase::ButtonOfLevel(int level) const
{
    return level >= 0 && level < kLevelCount ? m_levels[level] : nullptr;
}

void SensorRateBase::SetLevel(int level)
{
    if (QAbstractButton* button = ButtonOfLevel(level))
        button->setChecked(true);
}

void SensorRateBase::SetVisibleLevels(int set)
{
    bool shown[3];
    if (!UpperLevelsShown(set, shown))
        return;
    for (int i = 0; i < 3; ++i)
        ButtonOfLevel(4 + i)->setVisible(shown[i]);
}

void SensorRateBase::ShowAsMade()
{
    for (int level = 0; level < kLevelCount; ++level) {
        QAbstractButton* button = m_levels[level];
        button->setVisible(m_shownAsMade[level]);
        // An exclusive group keeps its checked button checked.
        QButtonGroup* group = button->group();
        const bool exclusive = group && group->exclusive();
        if (exclusive)
            group->setExclusive(false);
        button->setChecked(m_checkedAsMade[level]);
        if (exclusive)
            group->setExclusive(true);
    }
}

void SensorRateBase::SetTitleText(const QString& text)
{
    m_title->setText(text);
}
