// Motion-sync switch of the sensor page: a picture switch and its caption; a
// click writes image byte 0x07 and sends the image.
#ifndef MOTION_SYNC_H
#define MOTION_SYNC_H

#include "on_off_frame.h"

#include <memory>

namespace Ui {
class MotionSync;
}

class MotionSync : public OnOffFrame {
    Q_OBJECT
public:
    explicit MotionSync(QWidget* parent = nullptr);
    ~MotionSync() override;

private slots:
    void on_MotionSync_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::MotionSync> ui;
};

#endif // MOTION_SYNC_H
