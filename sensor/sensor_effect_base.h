// The common part of the two DPI-light frames, SensorEffect (mode combo box)
// and SensorEffectB (mode check boxes): the speed and brightness rows with
// their captions, the title, and what a mode choice or a slider change
// sends. Each frame keeps its own form, mode choice and slots and hands its
// row widgets over here.
#ifndef SENSOR_EFFECT_BASE_H
#define SENSOR_EFFECT_BASE_H

#include "frame_style.h"

#include <QFrame>
#include <QString>

class QLabel;
class QSlider;
class QSpinBox;

class SensorEffectBase : public QFrame {
    Q_OBJECT
public:
    // The setters below leave the controls' signals open: whether a change
    // is sent depends on g_sendEnabled and g_sensorPageUpdating at the call.
    void SetSpeed(int value);
    void SetBrightnessLevel(int level);
    void SetSlidersEnabled(bool enabled);
    void SetTitleText(const QString& text);
    void SetSpeedText(const QString& text);
    void SetBrightnessText(const QString& text);

protected:
    struct Rows {
        QLabel* title;
        QLabel* speedCaption;
        QLabel* brightnessCaption;
        QSlider* speed;
        QSpinBox* speedNumber;
        QFrame* speedLine; // stands in the row while its slider is hidden
        QSlider* brightness;
        QSpinBox* brightnessNumber;
        QFrame* brightnessLine;
    };

    explicit SensorEffectBase(QWidget* parent);

    // Call once the form is set up: keeps and styles the rows.
    void AttachRows(const Rows& rows, FrameStyle::SliderLook look);

    // Shows the slider rows of mode 0 off, 1 steady or 2 breathing.
    void ShowRowsOf(int mode);
    // The body of the mode choice: shows the rows and sends the mode.
    void ModeChosen(int mode);

    // Bodies of the four slider slots.
    void SpeedChanged(int value);
    void SpeedMoved(int position);
    void BrightnessChanged(int level);
    void BrightnessMoved(int position);

    QString m_pictureFolder;

private:
    Rows m_rows{};
};

#endif // SENSOR_EFFECT_BASE_H
