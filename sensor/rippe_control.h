// Ripple-control switch of the sensor page: a picture switch and its caption;
// a click writes image byte 0x0A and sends the image.
#ifndef RIPPE_CONTROL_H
#define RIPPE_CONTROL_H

#include "on_off_frame.h"

#include <memory>

namespace Ui {
class RippeControl;
}

class RippeControl : public OnOffFrame {
    Q_OBJECT
public:
    explicit RippeControl(QWidget* parent = nullptr);
    ~RippeControl() override;

private slots:
    void on_RippeControl_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::RippeControl> ui;
};

#endif // RIPPE_CONTROL_H
