#include "debouncetime_c.h"
#include "ui_debouncetime_c.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"

namespace {

QString StepButtonStyle(const QString& folder, const QString& picture)
{
    return QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;"
                          "background-image: %1;}")
        .arg(FrameStyle::Url(folder, picture));
}

} // namespace

DebouncetimeC::DebouncetimeC(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::DebouncetimeC)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    ui->spinBoxA->setStyleSheet(FrameStyle::NumberStyle());
    ui->ReduceLevelA->setStyleSheet(StepButtonStyle(m_pictureFolder, QStringLiteral("Reduce.png")));
    ui->AddLevelA->setStyleSheet(StepButtonStyle(m_pictureFolder, QStringLiteral("Add.png")));
}

DebouncetimeC::~DebouncetimeC() = default;

void DebouncetimeC::SetLevel(int value)
{
    ui->spinBoxA->setValue(value);
}

void DebouncetimeC::SetSuffix(const QString& suffix)
{
    ui->spinBoxA->setSuffix(suffix);
}

void DebouncetimeC::Step(int value)
{
    ui->spinBoxA->setValue(value);
    if (g_sendEnabled)
        SetDebounceTime(value);
}

void DebouncetimeC::on_AddLevelA_clicked()
{
    const int value = ui->spinBoxA->value();
    if (value >= 20)
        return;
    Step(value + 1);
}

void DebouncetimeC::on_ReduceLevelA_clicked()
{
    // The buttons never go below 1 ms.
    const int value = ui->spinBoxA->value();
    if (value <= 1)
        return;
    Step(value - 1);
}
