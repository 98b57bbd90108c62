// Motion-sync switch with the caption on the left and the switch on the right
// (an alternative layout; no page uses it).
#ifndef MOTION_SYNC_B_H
#define MOTION_SYNC_B_H

#include "on_off_frame.h"

#include <memory>

namespace Ui {
class MotionSyncB;
}

class MotionSyncB : public OnOffFrame {
    Q_OBJECT
public:
    explicit MotionSyncB(QWidget* parent = nullptr);
    ~MotionSyncB() override;

private slots:
    void on_MotionSync_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::MotionSyncB> ui;
};

#endif // MOTION_SYNC_B_H
