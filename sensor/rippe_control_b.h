// Ripple-control switch with the caption on the left and the switch on the
// right (an alternative layout; no page uses it).
#ifndef RIPPE_CONTROL_B_H
#define RIPPE_CONTROL_B_H

#include "on_off_frame.h"

#include <memory>

namespace Ui {
class RippeControlB;
}

class RippeControlB : public OnOffFrame {
    Q_OBJECT
public:
    explicit RippeControlB(QWidget* parent = nullptr);
    ~RippeControlB() override;

private slots:
    void on_RippeControl_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::RippeControlB> ui;
};

#endif // RIPPE_CONTROL_B_H
