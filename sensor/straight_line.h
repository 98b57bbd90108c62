// Angle-snapping switch of the sensor page: a picture switch and its caption;
// a click writes image byte 0x09 and sends the image.
#ifndef STRAIGHT_LINE_H
#define STRAIGHT_LINE_H

#include "on_off_frame.h"

#include <memory>

namespace Ui {
class StraightLine;
}

class StraightLine : public OnOffFrame {
    Q_OBJECT
public:
    explicit StraightLine(QWidget* parent = nullptr);
    ~StraightLine() override;

private slots:
    void on_StraightLine_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::StraightLine> ui;
};

#endif // STRAIGHT_LINE_H
