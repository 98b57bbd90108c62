// The lighting page: effect mode, colour, brightness and speed of the mouse's
// light bar, light-off while moving and the idle light-off time. Every user
// change goes to the mouse through one device-image setter; the page fills
// itself from an image through its Slot... slots.
#ifndef LAMP_LIGHT_H
#define LAMP_LIGHT_H

#include "flash_data_map.h"

#include <QString>
#include <QWidget>

#include <memory>

class QButtonGroup;
class QEvent;
class QMouseEvent;

namespace Ui {
class LampLight;
}

class LampLight : public QWidget {
    Q_OBJECT
public:
    explicit LampLight(QWidget* parent = nullptr);
    ~LampLight() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void on_AddR_clicked();
    void on_AddG_clicked();
    void on_AddB_clicked();
    void on_ReduceR_clicked();
    void on_ReduceG_clicked();
    void on_ReduceB_clicked();
    void on_RSpinBox_valueChanged(int value);
    void on_GSpinBox_valueChanged(int value);
    void on_BSpinBox_valueChanged(int value);
    void on_toolButtonColorA_clicked();
    void on_toolButtonColorB_clicked();
    void on_toolButtonColorC_clicked();
    void on_toolButtonColorD_clicked();
    void on_toolButtonColorE_clicked();
    void on_toolButtonColorF_clicked();
    void on_toolButtonColorG_clicked();
    void on_toolButtonColorH_clicked();
    void on_toolButtonColorI_clicked();
    void on_toolButtonColorJ_clicked();
    void on_toolButtonColorK_clicked();
    void on_toolButtonColorL_clicked();
    void on_toolButtonColorM_clicked();
    void on_toolButtonColorN_clicked();
    void on_horizontalLight_valueChanged(int value);
    void on_horizontalSpeed_valueChanged(int value);
    void on_LightSpinBox_2_valueChanged(int value);
    void on_SpeedSpinBox_2_valueChanged(int value);
    void on_LightMod_editTextChanged(const QString& text);
    void on_LightMod_activated(int index);
    void on_LightMod_currentIndexChanged(int index);
    void SlotUpDataLightUILight(FlashDataMap DataMap);
    void SlotUpDataLightUIA(FlashDataMap DataMap);
    void SlotFormResetLight();
    QString ByteToQString(uchar byte);
    void on_RippeControl_clicked(bool checked);
    void on_horizontalLight_sliderMoved(int position);
    void on_horizontalSpeed_sliderMoved(int position);
    void SlotChangeLanguage(int index);

private:
    // Not a slot: no widget of that name exists (the idle-time widget is
    // frameClose and sends by itself), and connecting by name would complain.
    void on_StopCloseTime_activated(int index);
    // Makes the preset buttons mutually exclusive; the page does not use it.
    void InitColorButtonGroup();

    void ApplyStyles();
    void ShowModeControls(int mode);
    // False (after raising the offline notice) when a direct colour action
    // must stop because the mouse does not answer.
    bool ColourActionAllowed();
    void StepChannel(int channel, int step);
    void ApplyPreset(int preset);
    void PickScreenColour();
    void ShowPreview(int red, int green, int blue);
    void ColourEdited();
    void FillFromImage(const FlashDataMap& image);
    bool PressedOn(const QWidget* widget, const QPoint& pagePos) const;

    std::unique_ptr<Ui::LampLight> ui;
    QButtonGroup* m_presetGroup = nullptr;
    QString m_pictureFolder;
};

#endif // LAMP_LIGHT_H
