// Lift-off distance of the sensor page: a combo of "1mm" and "2mm", with a
// leading "0.7mm" for the sensors that offer it. A choice writes image byte
// 0x05 (1 = 1 mm, 2 = 2 mm, 3 = 0.7 mm) and sends the image.
#ifndef SENSOR_LOD_H
#define SENSOR_LOD_H

#include <QFrame>
#include <QString>

#include <memory>

namespace Ui {
class SensorLOD;
}

class SensorLOD : public QFrame {
    Q_OBJECT
public:
    explicit SensorLOD(QWidget* parent = nullptr);
    ~SensorLOD() override;

    // Inserts "0.7mm" in front of a two-item combo; otherwise nothing.
    void AddSmallLevel();
    // Removes the first item of a three-item combo; otherwise nothing.
    void RemoveSmallLevel();
    void SetLevelEnabled(bool enabled);
    // The items and their enabled state as the frame was made, for a device
    // whose sensor is not known yet.
    void ShowAsMade();
    // value = device byte - 1 (0 = 1 mm, 1 = 2 mm, 2 = 0.7 mm). Signals stay
    // open: the host raises its updating flag when it must not send.
    void SetLevel(int value);
    // "1 " + unit and "2 " + unit; the 0.7 mm item keeps its text.
    void SetUnitText(const QString& unit);
    void SetLabelText(const QString& text);
    void SetLabelToolTip(const QString& text);

private slots:
    void on_LOD_currentIndexChanged(int index);

private:
    std::unique_ptr<Ui::SensorLOD> ui;
    QString m_pictureFolder;
    bool m_smallLevelAsMade = false;
    bool m_enabledAsMade = false;
};

#endif // SENSOR_LOD_H
