// Polling rate as seven check boxes; an alternative layout that no page
// uses. Its exclusive group holds 125 to 4000 Hz; the 8000 Hz box stands
// apart.
#ifndef SENSOR_RATE_B_H
#define SENSOR_RATE_B_H

#include "sensor_rate_base.h"

#include <memory>

class QButtonGroup;

namespace Ui {
class SensorRateB;
}

class SensorRateB : public SensorRateBase {
    Q_OBJECT
public:
    explicit SensorRateB(QWidget* parent = nullptr);
    ~SensorRateB() override;

private slots:
    void on_Button125HZ_clicked(bool checked);
    void on_Button250HZ_clicked(bool checked);
    void on_Button500HZ_clicked(bool checked);
    void on_Button1000HZ_clicked(bool checked);
    void on_Button2000HZ_clicked(bool checked);
    void on_Button4000HZ_clicked(bool checked);
    void on_Button8000HZ_clicked(bool checked);

private:
    std::unique_ptr<Ui::SensorRateB> ui;
    QButtonGroup* m_group = nullptr;
};

#endif // SENSOR_RATE_B_H
