#include "lamp_light.h"
#include "ui_lamp_light.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "label_file.h"
#include "paths.h"
#include "screen_grab.h"
#include "stop_close_time.h"
#include "user_setting_store.h"

#include <QButtonGroup>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <array>

namespace {

enum Channel { Red, Green, Blue };

// Light-bar modes as the mode combo lists them; 0 switches the bar off.
constexpr int kModeCount = 6;

// Which controls each mode shows.
struct ModeControls {
    bool colour;
    bool brightness;
    bool speed;
    bool line;   // stands in for the brightness slider
    bool line_2; // stands in for the speed slider
};

constexpr std::array<ModeControls, kModeCount> kModeControls = {{
    {false, false, false, true, true}, // off
    {false, true, true, false, false}, // colour flow
    {true, true, true, false, false},  // breathing, one colour
    {true, true, false, false, true},  // steady
    {false, true, true, false, false}, // neon
    {false, true, true, false, false}, // breathing, mixed colours
}};

struct Preset {
    int red, green, blue;
};

// toolButtonColorA to toolButtonColorN.
constexpr std::array<Preset, 14> kPresets = {{
    {255, 0, 0},
    {0, 255, 255},
    {0, 255, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 80, 0},
    {0, 0, 255},
    {227, 0, 127},
    {46, 166, 223},
    {96, 25, 133},
    {255, 255, 255},
    {139, 178, 36},
    {255, 155, 51},
    {208, 113, 173},
}};

} // namespace

LampLight::LampLight(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::LampLight)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Light"));
    m_presetGroup = new QButtonGroup(this);
    m_presetGroup->setExclusive(true);

    // Only the visibility of item 0: building the page must not switch the
    // mouse's light bar off, whatever g_sendEnabled says.
    ui->line->hide();
    ui->line_2->hide();
    ShowModeControls(ui->LightMod->currentIndex());

    ApplyStyles();
    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

LampLight::~LampLight() = default;

void LampLight::InitColorButtonGroup()
{
    const QList<QAbstractButton*> presets = {
        ui->toolButtonColorA, ui->toolButtonColorB, ui->toolButtonColorC, ui->toolButtonColorD,
        ui->toolButtonColorE, ui->toolButtonColorF, ui->toolButtonColorG, ui->toolButtonColorH,
        ui->toolButtonColorI, ui->toolButtonColorJ, ui->toolButtonColorK, ui->toolButtonColorL,
        ui->toolButtonColorM, ui->toolButtonColorN,
    };
    for (QAbstractButton* button : presets)
        m_presetGroup->addButton(button);
}

void LampLight::ApplyStyles()
{
    const QString& P = m_pictureFolder;
    const QString label = FrameStyle::Colour(QStringLiteral("LabelColor"));
    const QString edit = FrameStyle::Colour(QStringLiteral("LinEditColorSecond"));

    ui->LightMod->setStyleSheet(FrameStyle::ComboStyle(P, false));
    FrameStyle::InstallListView(ui->LightMod);
    ui->LightMod->setMaxVisibleItems(5);

    const QString captionStyle = FrameStyle::CaptionStyle();
    for (QLabel* caption : {ui->label, ui->label_2, ui->label_3, ui->label_4, ui->label_5, ui->label_6, ui->label_8,
                            ui->label_13})
        caption->setStyleSheet(captionStyle);
    const QString valueStyle = "QSpinBox{color: rgb(" + label + ";);background-color: transparent;border: 0px;}";
    ui->SpeedSpinBox_2->setStyleSheet(valueStyle);
    ui->LightSpinBox_2->setStyleSheet(valueStyle);

    const QString channelStyle = "QSpinBox{background-color: rgb(0,0,0);color: rgb(" + edit
        + ";);border: 1px  solid gray;}QSpinBox:hover{background-color: transparent;color: rgb(" + edit
        + ";);border: 1px  solid gray;}";
    for (QSpinBox* channel : {ui->RSpinBox, ui->GSpinBox, ui->BSpinBox})
        channel->setStyleSheet(channelStyle);

    const QString sliderStyle = FrameStyle::SliderStyle(P, FrameStyle::SliderLook::Bar);
    ui->horizontalLight->setStyleSheet(sliderStyle);
    ui->horizontalSpeed->setStyleSheet(sliderStyle);

    ui->RippeControl->setStyleSheet(FrameStyle::SwitchStyle(ui->RippeControl->objectName(), P));
    ui->label_7->setStyleSheet("#label_7{border:0px;background-position:center;background-repeat:no-repeat;"
                               "background-image: url(" + P + "ColorBoard.png" ");}");

    const QList<QPair<QWidget*, QString>> steps = {
        {ui->ReduceR, "ReduceR"}, {ui->ReduceG, "ReduceG"}, {ui->ReduceB, "ReduceB"}};
    for (const auto& step : steps) {
        step.first->setStyleSheet("#" + step.second + "{background-image: url(" + P + "Reduce.png"
                                  ");border:0px;background-position:center;background-repeat:no-repeat;}");
    }
    const QList<QPair<QWidget*, QString>> adds = {{ui->AddR, "AddR"}, {ui->AddG, "AddG"}, {ui->AddB, "AddB"}};
    for (const auto& add : adds) {
        add.first->setStyleSheet("#" + add.second + "{background-image: url(" + P + "Add.png"
                                 ");border:0px;background-position:center;background-repeat:no-repeat;}");
    }
    ui->labelPreView->setStyleSheet("#labelPreView{background-image: url(" + P + "PreviewColor.png"
                                    ");border:0px;background-position:center;background-repeat:no-repeat;}");

    // No window hosts this page; standing alone it brings its own backdrop,
    // or its light captions would sit on the system's light grey.
    if (!parentWidget()) {
        ui->LightPage->setStyleSheet(ui->LightPage->styleSheet() + "#LightPage{border-image: url(" + P
                                     + "BackGround.png" ");}");
    }

    const QString letters = QStringLiteral("ABCDEFGHIJKLMN");
    for (const QChar letter : letters) {
        const QString name = QStringLiteral("toolButtonColor") + letter;
        if (QWidget* preset = findChild<QWidget*>(name)) {
            preset->setStyleSheet("#" + name + "{border:0px;background-position:center;background-repeat:no-repeat;"
                                  "background-image: url(" + P + "Color" + letter + ".png" ");}");
        }
    }
}

void LampLight::ShowModeControls(int mode)
{
    if (mode < 0 || mode >= kModeCount)
        return; // no current item: leave the page as it is
    const ModeControls& shown = kModeControls[std::size_t(mode)];
    const QList<QWidget*> colourGroup = {
        ui->label_6, ui->label_7, ui->label_8, ui->labelPreView, ui->label_10, ui->label_11, ui->label_12,
        ui->label_13, ui->RSpinBox, ui->GSpinBox, ui->BSpinBox, ui->AddR, ui->AddG, ui->AddB, ui->ReduceR,
        ui->ReduceG, ui->ReduceB, ui->toolButtonColorA, ui->toolButtonColorB, ui->toolButtonColorC,
        ui->toolButtonColorD, ui->toolButtonColorE, ui->toolButtonColorF, ui->toolButtonColorG,
        ui->toolButtonColorH, ui->toolButtonColorI, ui->toolButtonColorJ, ui->toolButtonColorK,
        ui->toolButtonColorL, ui->toolButtonColorM, ui->toolButtonColorN,
    };
    for (QWidget* widget : colourGroup)
        widget->setVisible(shown.colour);
    ui->horizontalLight->setVisible(shown.brightness);
    ui->LightSpinBox_2->setVisible(shown.brightness);
    ui->horizontalSpeed->setVisible(shown.speed);
    ui->SpeedSpinBox_2->setVisible(shown.speed);
    ui->line->setVisible(shown.line);
    ui->line_2->setVisible(shown.line_2);
}

bool LampLight::ColourActionAllowed()
{
    return !g_sendEnabled || g_lightPageUpdating || CheckDeviceOnline();
}

void LampLight::StepChannel(int channel, int step)
{
    if (!ColourActionAllowed())
        return;
    QSpinBox* const boxes[] = {ui->RSpinBox, ui->GSpinBox, ui->BSpinBox};
    QSpinBox* box = boxes[channel];
    // The box clamps to 0..255 and reports only a real change, so a step at
    // either end sends nothing.
    box->setValue(box->value() + step);
}

void LampLight::on_AddR_clicked() { StepChannel(Red, +1); }
void LampLight::on_AddG_clicked() { StepChannel(Green, +1); }
void LampLight::on_AddB_clicked() { StepChannel(Blue, +1); }
void LampLight::on_ReduceR_clicked() { StepChannel(Red, -1); }
void LampLight::on_ReduceG_clicked() { StepChannel(Green, -1); }
void LampLight::on_ReduceB_clicked() { StepChannel(Blue, -1); }

void LampLight::ShowPreview(int red, int green, int blue)
{
    ui->labelPreView->setStyleSheet(QStringLiteral("QLabel{background-color: rgb(%1,%2,%3);border: 2px solid  rgb(220,220,220);}")
                                        .arg(red)
                                        .arg(green)
                                        .arg(blue));
}

void LampLight::ColourEdited()
{
    const int red = ui->RSpinBox->value();
    const int green = ui->GSpinBox->value();
    const int blue = ui->BSpinBox->value();
    ShowPreview(red, green, blue);
    // The fill blocks the boxes' signals, so this runs for user edits only.
    if (g_sendEnabled)
        SetLedBarColor(red, green, blue);
}

void LampLight::on_RSpinBox_valueChanged(int) { ColourEdited(); }
void LampLight::on_GSpinBox_valueChanged(int) { ColourEdited(); }
void LampLight::on_BSpinBox_valueChanged(int) { ColourEdited(); }

void LampLight::ApplyPreset(int preset)
{
    if (!ColourActionAllowed())
        return;
    const Preset& colour = kPresets[std::size_t(preset)];
    ui->RSpinBox->setValue(colour.red);
    ui->GSpinBox->setValue(colour.green);
    ui->BSpinBox->setValue(colour.blue);
}

void LampLight::on_toolButtonColorA_clicked() { ApplyPreset(0); }
void LampLight::on_toolButtonColorB_clicked() { ApplyPreset(1); }
void LampLight::on_toolButtonColorC_clicked() { ApplyPreset(2); }
void LampLight::on_toolButtonColorD_clicked() { ApplyPreset(3); }
void LampLight::on_toolButtonColorE_clicked() { ApplyPreset(4); }
void LampLight::on_toolButtonColorF_clicked() { ApplyPreset(5); }
void LampLight::on_toolButtonColorG_clicked() { ApplyPreset(6); }
void LampLight::on_toolButtonColorH_clicked() { ApplyPreset(7); }
void LampLight::on_toolButtonColorI_clicked() { ApplyPreset(8); }
void LampLight::on_toolButtonColorJ_clicked() { ApplyPreset(9); }
void LampLight::on_toolButtonColorK_clicked() { ApplyPreset(10); }
void LampLight::on_toolButtonColorL_clicked() { ApplyPreset(11); }
void LampLight::on_toolButtonColorM_clicked() { ApplyPreset(12); }
void LampLight::on_toolButtonColorN_clicked() { ApplyPreset(13); }

void LampLight::on_horizontalLight_valueChanged(int value)
{
    ui->LightSpinBox_2->setValue(value);
    if (g_sendEnabled && !g_lightPageUpdating)
        SetLedBarBrightness(value - 1);
}

void LampLight::on_horizontalSpeed_valueChanged(int value)
{
    ui->SpeedSpinBox_2->setValue(value);
    if (g_sendEnabled && !g_lightPageUpdating)
        SetLedBarSpeed(value - 1);
}

// While the user drags (tracking is off) only the number follows.
void LampLight::on_horizontalLight_sliderMoved(int position) { ui->LightSpinBox_2->setValue(position); }
void LampLight::on_horizontalSpeed_sliderMoved(int position) { ui->SpeedSpinBox_2->setValue(position); }

// The value boxes only show the sliders; the combo's text and activation
// carry nothing the current-item change does not.
void LampLight::on_LightSpinBox_2_valueChanged(int) {}
void LampLight::on_SpeedSpinBox_2_valueChanged(int) {}
void LampLight::on_LightMod_editTextChanged(const QString&) {}
void LampLight::on_LightMod_activated(int) {}

void LampLight::on_StopCloseTime_activated(int index)
{
    if (!g_sendEnabled || g_lightPageUpdating)
        return;
    const int tenSeconds = StopCloseTime::DeviceValue(index);
    if (tenSeconds >= 0)
        SetLightOffTime(tenSeconds);
}

void LampLight::on_LightMod_currentIndexChanged(int index)
{
    // -1 (no current item) is no mode the mouse knows.
    if (g_sendEnabled && !g_lightPageUpdating && index >= 0 && index < kModeCount)
        SetLedBarMode(index);
    // The chosen item stays also when the send fails.
    ShowModeControls(index);
}

void LampLight::on_RippeControl_clicked(bool checked)
{
    if (g_sendEnabled && !g_lightPageUpdating)
        SetLightOffWhileMoving(checked ? 1 : 0);
}

void LampLight::SlotUpDataLightUILight(FlashDataMap DataMap)
{
    ui->horizontalLight->setEnabled(true);
    ui->horizontalSpeed->setEnabled(true);
    g_lightPageApplied = false;
    FillFromImage(DataMap);
    g_lightPageApplied = true;
}

void LampLight::SlotUpDataLightUIA(FlashDataMap DataMap)
{
    // An imported image: the sliders stay locked until the mouse's own image arrives.
    ui->horizontalLight->setEnabled(false);
    ui->horizontalSpeed->setEnabled(false);
    FillFromImage(DataMap);
}

void LampLight::FillFromImage(const FlashDataMap& image)
{
    g_lightPageUpdating = true;
    const uint8_t* bar = image.ledBar; // mode, red, green, blue, speed, brightness, enabled
    {
        const QSignalBlocker light(ui->horizontalLight);
        const QSignalBlocker speed(ui->horizontalSpeed);
        const QSignalBlocker red(ui->RSpinBox);
        const QSignalBlocker green(ui->GSpinBox);
        const QSignalBlocker blue(ui->BSpinBox);
        // The ranges (1 to 10) clamp bytes of 9 and more to 10.
        ui->horizontalLight->setValue(bar[5] + 1);
        ui->LightSpinBox_2->setValue(bar[5] + 1);
        ui->horizontalSpeed->setValue(bar[4] + 1);
        ui->SpeedSpinBox_2->setValue(bar[4] + 1);
        ui->RSpinBox->setValue(bar[1]);
        ui->GSpinBox->setValue(bar[2]);
        ui->BSpinBox->setValue(bar[3]);
        ShowPreview(bar[1], bar[2], bar[3]);
    }
    // Live signal: the mode handler sets the visibility and, with the
    // updating flag up, sends nothing. A mode above 5 leaves no current item.
    ui->LightMod->setCurrentIndex(bar[6] != 0 ? bar[0] : 0);
    ui->RippeControl->setChecked(image.lightOffWhileMoving != 0);
    const int idleItem = StopCloseTime::ItemOfSeconds(image.lightOffTime * 10);
    if (idleItem >= 0)
        ui->frameClose->SetLevel(idleItem);
    g_lightPageUpdating = false;
}

void LampLight::SlotFormResetLight()
{
    g_lightPageUpdating = true;
    ui->LightMod->setCurrentIndex(1);
    ui->horizontalLight->setValue(10);
    ui->horizontalSpeed->setValue(8);
    ui->LightSpinBox_2->setValue(10);
    ui->SpeedSpinBox_2->setValue(8);
    ui->RippeControl->setChecked(true);
    ui->frameClose->SetLevel(2); // 1 minute
    g_lightPageUpdating = false;
}

QString LampLight::ByteToQString(uchar byte)
{
    return QString(QChar(byte));
}

void LampLight::SlotChangeLanguage(int index)
{
    LabelFile::Keys keys;
    auto setText = [](QLabel* label) { return [label](const QString& text) { label->setText(text); }; };
    for (QLabel* label : {ui->label, ui->label_2, ui->label_3, ui->label_4, ui->label_5, ui->label_10, ui->label_11,
                          ui->label_12, ui->label_6, ui->label_8, ui->label_13})
        keys.insert(label->objectName(), setText(label));
    for (int item = 0; item < kModeCount; ++item) {
        const QString key = item == 0 ? QStringLiteral("LightMod") : QStringLiteral("LightMod%1").arg(item);
        keys.insert(key, [this, item](const QString& text) { ui->LightMod->setItemText(item, text); });
    }
    for (int item = 0; item < StopCloseTime::kItemCount; ++item) {
        const QString key = item == 0 ? QStringLiteral("StopCloseTime") : QStringLiteral("StopCloseTime%1").arg(item);
        keys.insert(key, [this, item](const QString& text) { ui->frameClose->SetLevelText(item, text); });
    }
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("Light"), keys);
}

bool LampLight::PressedOn(const QWidget* widget, const QPoint& pagePos) const
{
    return QRect(widget->mapTo(this, QPoint(0, 0)), widget->size()).contains(pagePos);
}

void LampLight::mousePressEvent(QMouseEvent* event)
{
    // The press of a double click arrives with its own type and picks nothing.
    if (event->type() != QEvent::MouseButtonPress)
        return;
    const QPoint pos = event->pos();

    // A press elsewhere takes the keyboard focus from the number boxes.
    if (!PressedOn(ui->RSpinBox, pos) && !PressedOn(ui->GSpinBox, pos) && !PressedOn(ui->BSpinBox, pos)) {
        ui->RSpinBox->clearFocus();
        ui->GSpinBox->clearFocus();
        ui->BSpinBox->clearFocus();
        setFocus(Qt::OtherFocusReason);
    }
    if (!PressedOn(ui->LightSpinBox_2, pos)) {
        ui->LightSpinBox_2->clearFocus();
        setFocus(Qt::OtherFocusReason);
    }
    if (!PressedOn(ui->SpeedSpinBox_2, pos)) {
        ui->SpeedSpinBox_2->clearFocus();
        setFocus(Qt::OtherFocusReason);
    }

    // The colour board picks only while the mode shows it.
    if (ui->label_7->isVisibleTo(this) && PressedOn(ui->label_7, pos))
        PickScreenColour();
}

void LampLight::PickScreenColour()
{
    if (!ColourActionAllowed())
        return;
    const QColor picked = PixelUnderCursor();
    // Nothing read from the screen: keep the current colour.
    const int red = picked.isValid() ? picked.red() : ui->RSpinBox->value();
    const int green = picked.isValid() ? picked.green() : ui->GSpinBox->value();
    const int blue = picked.isValid() ? picked.blue() : ui->BSpinBox->value();
    ui->RSpinBox->setValue(red);
    ui->GSpinBox->setValue(green);
    ui->BSpinBox->setValue(blue);
    ShowPreview(red, green, blue);
}

void LampLight::changeEvent(QEvent*)
{
    // Nothing to retranslate here: texts come from the label files.
}
