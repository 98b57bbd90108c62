#include "sensor_rate.h"
#include "ui_sensor_rate.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"
#include "post_msg.h"

#include <QButtonGroup>

namespace {

const int kCodes[SensorRate::kLevelCount] = {0x08, 0x04, 0x02, 0x01, 0x10, 0x20, 0x40};

} // namespace

int SensorRate::CodeOfLevel(int level)
{
    if (level < 0 || level >= kLevelCount)
        return -1;
    return kCodes[level];
}

int SensorRate::LevelOfCode(int code)
{
    for (int level = 0; level < kLevelCount; ++level) {
        if (kCodes[level] == code)
            return level;
    }
    return -1;
}

void SensorRate::SendClickedLevel(bool checked, int level)
{
    if (!checked || !g_sendEnabled)
        return;
    // An offline mouse: the setter raises the notice, and the page learns
    // nothing new about the rate.
    if (SetReportRate(CodeOfLevel(level)))
        emit PostMsg::GetInstance()->SigHideModel(level >= 4 ? 1 : 0);
}

bool SensorRate::UpperLevelsShown(int set, bool shown[3])
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

SensorRate::SensorRate(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::SensorRate)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    for (int level = 0; level < kLevelCount; ++level)
        m_group->addButton(ButtonOfLevel(level));

    ui->label->setStyleSheet(FrameStyle::CaptionStyle());
    const QString buttonStyle =
        QStringLiteral("QToolButton{border:0px;color: rgb(%1);background-position:center;"
                       "background-repeat:no-repeat;background-image: %2;}"
                       "QToolButton:checked{background-image: %3;}")
            .arg(FrameStyle::Colour(QStringLiteral("ButtonColor")),
                 FrameStyle::Url(m_pictureFolder, QStringLiteral("ReportRate.png")),
                 FrameStyle::Url(m_pictureFolder, QStringLiteral("ReportRateClick.png")));
    for (int level = 0; level < kLevelCount; ++level)
        ButtonOfLevel(level)->setStyleSheet(buttonStyle);
}

SensorRate::~SensorRate() = default;

QAbstractButton* SensorRate::ButtonOfLevel(int level) const
{
    QAbstractButton* const buttons[kLevelCount] = {ui->Button125HZ,  ui->Button250HZ,  ui->Button500HZ,
                                                   ui->Button1000HZ, ui->Button2000HZ, ui->Button4000HZ,
                                                   ui->Button8000HZ};
    return level >= 0 && level < kLevelCount ? buttons[level] : nullptr;
}

void SensorRate::SetLevel(int level)
{
    if (QAbstractButton* button = ButtonOfLevel(level))
        button->setChecked(true);
}

void SensorRate::SetVisibleLevels(int set)
{
    bool shown[3];
    if (!UpperLevelsShown(set, shown))
        return;
    for (int i = 0; i < 3; ++i)
        ButtonOfLevel(4 + i)->setVisible(shown[i]);
}

void SensorRate::SetTitleText(const QString& text)
{
    ui->label->setText(text);
}

void SensorRate::on_Button125HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 0);
}

void SensorRate::on_Button250HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 1);
}

void SensorRate::on_Button500HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 2);
}

void SensorRate::on_Button1000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 3);
}

void SensorRate::on_Button2000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 4);
}

void SensorRate::on_Button4000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 5);
}

void SensorRate::on_Button8000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 6);
}
