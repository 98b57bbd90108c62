// Angle-snapping switch with the caption on the left and the switch on the
// right (an alternative layout; no page uses it).
#ifndef STRAIGHT_LINE_B_H
#define STRAIGHT_LINE_B_H

#include "on_off_frame.h"

#include <memory>

namespace Ui {
class StraightLineB;
}

class StraightLineB : public OnOffFrame {
    Q_OBJECT
public:
    explicit StraightLineB(QWidget* parent = nullptr);
    ~StraightLineB() override;

private slots:
    void on_StraightLine_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::StraightLineB> ui;
};

#endif // STRAIGHT_LINE_B_H
