#include "up_date_repair.h"
#include "ui_up_date_repair.h"

#include "app_state.h"
#include "config_store.h"
#include "devicelib.h"
#include "firmware_images.h"
#include "paths.h"
#include "post_msg.h"
#include "registry_values.h"

UpDateRepair* g_upDateRepair = nullptr;

namespace {

// FramelessWindowHint | WindowSystemMenuHint | WindowMinimizeButtonHint.
const Qt::WindowFlags kWindowFlags(0x6800);
const int kUpgradeTimeoutMs = 10000;

// Library thread: only flags and hub signals (queued to the dialog).
int RepairCallback(const unsigned char* message)
{
    if (!message || message[0] != DEVICELIB_UPGRADE_MESSAGE)
        return 0;
    PostMsg* hub = PostMsg::GetInstance();
    if (message[1] == DEVICELIB_UPGRADE_PROGRESS) {
        emit hub->SigAutoRepairProgress(message[2]);
    } else if (message[1] == DEVICELIB_UPGRADE_RESULT) {
        const bool success = message[2] == 1;
        if (success)
            RemoveUpdateFailInfo();
        g_repairRunning = false;
        g_deviceAccessAllowed = true;
        emit hub->SigAutoRepair(success ? 0 : 1);
        emit hub->SigUpDateButton(success);
    }
    return 0;
}

} // namespace

UpDateRepair::UpDateRepair(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::UpDateRepair)
{
    ui->setupUi(this);
    setWindowFlags(kWindowFlags);

    const QString folder = PictureFolder(QStringLiteral("WarningDialog"));
    ConfigStore* config = ConfigStore::Instance();
    const QString labelColor = config->ColorText(QStringLiteral("LabelColor"));
    ui->AutoRepair->setStyleSheet(QStringLiteral("#AutoRepair{border: 1px solid rgb(62, 67, 78);"
                                                 "background-color: rgb(27, 29, 35);}"));
    ui->ToolText->setStyleSheet(QStringLiteral("QLabel{color: rgb(%1);background: transparent;}").arg(labelColor));
    ui->ToolText_2->setStyleSheet(QStringLiteral("QLabel{color: rgb(255,0,0);background: transparent;}"));
    const QString buttonStyle =
        QStringLiteral("QToolButton{border:0px;color: rgb(%1);border-image: url(\"%2Confirm.png\");}"
                       "QToolButton:pressed{border-image: url(\"%2ConfirmClick.png\");}")
            .arg(config->ColorText(QStringLiteral("ButtonColor")), folder);
    ui->NewHong->setStyleSheet(buttonStyle);
    ui->NewHong_2->setStyleSheet(buttonStyle);
    ui->CloseButton->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;background-image: url(\"%1Close.png\");background-position:center;"
                       "background-repeat:no-repeat;}QToolButton:hover{background-image: url(\"%1CloseHover.png\");}"
                       "QToolButton:pressed{background-image: url(\"%1CloseClick.png\");}")
            .arg(folder));

    PostMsg* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigRepairCheckUpdate()), this, SLOT(SlotRepairCheckUpdate()));
    connect(hub, SIGNAL(SigAutoRepair(int)), this, SLOT(SlotAutoRepair(int)));
    connect(hub, SIGNAL(SigAutoRepairProgress(int)), this, SLOT(SlotAutoRepairProgress(int)));

    ui->NewHong->hide();
    ui->NewHong_2->hide();
    ui->ToolText_2->hide();
    ui->progressBar_2->hide();
}

UpDateRepair::~UpDateRepair() = default;

void UpDateRepair::ResetState()
{
    ui->ToolText_2->clear();
    ui->ToolText_2->show();
    ui->NewHong_2->show();
    ui->NewHong->show();
    ui->CloseButton->show();
    ui->progressBar_2->setValue(0);
    ui->progressBar_2->hide();
}

void UpDateRepair::ForceUpgrade(int value)
{
    Q_UNUSED(value)
    m_forced = true;
    m_ready = !g_repairImages.isEmpty() || !g_firmwareImages.isEmpty();
    StartUpgrade();
}

bool UpDateRepair::CheckRepair()
{
    if (UpdateFailInfo().split(QLatin1Char(',')).size() != 4)
        return false;
    m_ready = !g_repairImages.isEmpty();
    return m_ready;
}

void UpDateRepair::StartUpgrade()
{
    if (!m_ready)
        return;
    const QByteArray image = !g_repairImages.isEmpty() ? g_repairImages.first()
                             : !g_firmwareImages.isEmpty() ? g_firmwareImages.first()
                                                           : QByteArray();
    PostMsg* hub = PostMsg::GetInstance();
    if (image.isEmpty()) {
        emit hub->SigAutoRepair(0);
        emit hub->SigUpDateButton(true);
        return;
    }
    g_repairRunning = true;
    g_deviceAccessAllowed = false;
    ui->progressBar_2->setValue(0);
    ui->progressBar_2->show();
    ui->NewHong->hide();
    ui->NewHong_2->hide();
    m_ready = UsbUpgrade_Start(reinterpret_cast<const unsigned char*>(image.constData()), RepairCallback,
                               kUpgradeTimeoutMs) != 0;
    if (!m_ready) {
        g_repairRunning = false;
        g_deviceAccessAllowed = true;
        SlotAutoRepair(1);
    }
}

void UpDateRepair::SlotRepairCheckUpdate()
{
    CheckRepair();
}

void UpDateRepair::SlotAutoRepair(int index)
{
    ui->ToolText_2->setText(index ? QStringLiteral("Repair failed.") : QStringLiteral("Repair done."));
    ui->ToolText_2->show();
    ui->NewHong->show();
}

void UpDateRepair::SlotAutoRepairProgress(int index)
{
    ui->progressBar_2->setValue(index);
}

void UpDateRepair::on_CloseButton_clicked()
{
    if (g_repairRunning)
        return;
    close();
}

void UpDateRepair::on_NewHong_clicked()
{
    on_CloseButton_clicked();
}

void UpDateRepair::on_NewHong_2_clicked()
{
    StartUpgrade();
}
