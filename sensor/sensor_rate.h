// Polling rate of the sensor page: seven exclusive buttons, 125 to 8000 Hz.
// A click writes image byte 0x00 and sends the image; after a successful
// send the hub's SigHideModel tells the page whether the rate is above
// 1000 Hz.
#ifndef SENSOR_RATE_H
#define SENSOR_RATE_H

#include "sensor_rate_base.h"

#include <memory>

class QButtonGroup;

namespace Ui {
class SensorRate;
}

class SensorRate : public SensorRateBase {
    Q_OBJECT
public:
    explicit SensorRate(QWidget* parent = nullptr);
    ~SensorRate() override;

private slots:
    void on_Button125HZ_clicked(bool checked);
    void on_Button250HZ_clicked(bool checked);
    void on_Button500HZ_clicked(bool checked);
    void on_Button1000HZ_clicked(bool checked);
    void on_Button2000HZ_clicked(bool checked);
    void on_Button4000HZ_clicked(bool checked);
    void on_Button8000HZ_clicked(bool checked);

private:
    std::unique_ptr<Ui::SensorRate> ui;
    QButtonGroup* m_group = nullptr;
};

#endif // SENSOR_RATE_H
