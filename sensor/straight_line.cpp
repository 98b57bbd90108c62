#include "straight_line.h"
#include "ui_straight_line.h"

#include "device_image_setters.h"

StraightLine::StraightLine(QWidget* parent)
    : OnOffFrame(parent)
    , ui(new Ui::StraightLine)
{
    ui->setupUi(this);
    AttachSwitch(ui->label, ui->StraightLine_2);
}

StraightLine::~StraightLine() = default;

void StraightLine::on_StraightLine_2_clicked(bool checked)
{
    SendClick(checked, SetStraightLine);
}
