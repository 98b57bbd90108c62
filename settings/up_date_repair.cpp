#include "up_date_repair.h"
#include "ui_up_date_repair.h"

#include "app_state.h"
#include "config_store.h"
#include "devicelib.h"
#include "firmware_images.h"
#include "firmware_repair.h"
#include "label_file.h"
#include "paths.h"
#include "post_msg.h"
#include "registry_values.h"
#include "user_setting_store.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QTimer>

#include <algorithm>

UpDateRepair* g_upDateRepair = nullptr;

namespace {

// FramelessWindowHint | WindowSystemMenuHint | WindowMinimizeButtonHint.
const Qt::WindowFlags kWindowFlags(0x6800);
const int kUpgradeTimeoutMs = 10000;
const int kBootQueryCapacity = 5;
const int kSilenceTickMs = 1000;

// The message line: red for what went wrong or needs doing, the progress
// bar's green for a finished run.
const char kMessageStyle[] = "QLabel{color: rgb(%1);background: transparent;}";
const char kProblemColor[] = "255,0,0";
const char kSuccessColor[] = "80,240,0";

// The receiver list of a receiver class; empty for any other class.
const QStringList& ReceiverPids(const QString& classText)
{
    static const QStringList none;
    if (classText == QLatin1String("1"))
        return g_wirelessPidList;
    if (classText == QLatin1String("2"))
        return g_wireless2PidList;
    if (classText == QLatin1String("4"))
        return g_wireless4PidList;
    if (classText == QLatin1String("8"))
        return g_wireless8PidList;
    return none;
}

// Receivers found that a receiver repair would also reach: when exactly one
// receiver of the family is found, only one of the record's class counts.
int ReceiverCount(const QString& classText)
{
    const auto count = [](auto inList) {
        int n = 0;
        for (const DeviceAllInfo& found : qAsConst(g_foundDeviceList))
            n += inList(found.pid) ? 1 : 0;
        return n;
    };
    const int any = count([](const QString& pid) {
        return g_wirelessPidList.contains(pid) || g_wireless2PidList.contains(pid) || g_wireless4PidList.contains(pid)
            || g_wireless8PidList.contains(pid);
    });
    if (any != 1)
        return any;
    const QStringList& ofClass = ReceiverPids(classText);
    return count([&ofClass](const QString& pid) { return ofClass.contains(pid); });
}

} // namespace

UpDateRepair::UpDateRepair(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::UpDateRepair)
{
    ui->setupUi(this);
    setWindowFlags(kWindowFlags);
    // The form's texts until a label file gives others; the action button
    // tells its two meanings apart by them.
    m_upgradeText = ui->NewHong_2->text();
    m_cancelText = ui->NewHong->text();
    m_confirmText = QStringLiteral("确定");

    const QString folder = PictureFolder(QStringLiteral("WarningDialog"));
    ConfigStore* config = ConfigStore::Instance();
    const QString labelColor = config->ColorText(QStringLiteral("LabelColor"));
    ui->AutoRepair->setStyleSheet(
        QStringLiteral("#AutoRepair{border-image: url(\"%1BackGround.png\");}").arg(folder));
    ui->ToolText->setStyleSheet(QStringLiteral("QLabel{color: rgb(%1);background: transparent;}").arg(labelColor));
    SetMessageLook(false);
    const QString buttonStyle =
        QStringLiteral("QToolButton{border:0px;color: rgb(%1);border-image: url(\"%2ok_nr.png\");}"
                       "QToolButton:hover{border-image: url(\"%2ok_enter.png\");}")
            .arg(config->ColorText(QStringLiteral("ButtonColor")), folder);
    ui->NewHong->setStyleSheet(buttonStyle);
    ui->NewHong_2->setStyleSheet(buttonStyle);
    ui->CloseButton->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;background-image: url(\"%1Close.png\");background-position:center;"
                       "background-repeat:no-repeat;}QToolButton:hover{background-image: url(\"%1CloseHover.png\");}"
                       "QToolButton:pressed{background-image: url(\"%1CloseClick.png\");}")
            .arg(folder));
    ui->progressBar_2->setStyleSheet(
        QStringLiteral("QProgressBar{border: 2px solid grey;border-radius: 5px;background: transparent;"
                       "color: rgb(255,255,255);text-align: center;}"
                       "QProgressBar::chunk{background-color: rgb(80,240,0);width: 20px;}"));

    PostMsg* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));
    connect(hub, SIGNAL(SigAutoRepair(int)), this, SLOT(SlotAutoRepair(int)));
    connect(hub, SIGNAL(SigAutoRepairProgress(int)), this, SLOT(SlotAutoRepairProgress(int)));
    connect(hub, SIGNAL(SigProgress(int,int)), this, SLOT(SlotProgress(int,int)));
    connect(hub, SIGNAL(SigRepairCheckUpdate()), this, SLOT(SlotRepairCheckUpdate()));

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());

    m_silenceTimer = new QTimer(this);
    m_silenceTimer->setObjectName(QStringLiteral("silenceTimer"));
    m_silenceTimer->setInterval(kSilenceTickMs);
    connect(m_silenceTimer, &QTimer::timeout, this, &UpDateRepair::OnSilenceTick);

    ui->NewHong->hide();
    ui->NewHong_2->hide();
    ui->ToolText_2->hide();
    ui->progressBar_2->hide();
}

UpDateRepair::~UpDateRepair() = default;

// --- display states -----------------------------------------------------------

void UpDateRepair::ResetState()
{
    ui->ToolText_2->clear();
    SetMessageLook(false);
    ui->ToolText_2->show();
    ui->NewHong_2->setText(m_upgradeText);
    ui->NewHong_2->show();
    ui->NewHong->setText(m_cancelText);
    ui->NewHong->show();
    ui->CloseButton->show();
    ui->progressBar_2->setValue(0);
    ui->progressBar_2->hide();
    AssignShortcuts();
}

void UpDateRepair::SetReadyState()
{
    ui->ToolText_2->setText(m_readyText);
    ui->NewHong->setText(m_cancelText);
    ShowAnswerButtons(m_upgradeText);
}

void UpDateRepair::SetConfirmState()
{
    ShowAnswerButtons(m_confirmText);
}

// The message with both buttons, every way of closing open; no progress.
void UpDateRepair::ShowAnswerButtons(const QString& actionText)
{
    SetMessageLook(false);
    ui->ToolText_2->show();
    ui->NewHong_2->setText(actionText);
    ui->NewHong_2->show();
    ui->NewHong->show();
    ui->NewHong->setEnabled(true);
    ui->CloseButton->show();
    ui->CloseButton->setEnabled(true);
    ui->progressBar_2->hide();
    AssignShortcuts();
}

void UpDateRepair::SetToolText(const QString& text)
{
    ui->ToolText_2->setText(text);
}

void UpDateRepair::SetUpdatingState()
{
    ui->ToolText_2->setText(m_notMoveText);
    SetMessageLook(false);
    ui->ToolText_2->show();
    ui->NewHong_2->hide();
    ui->NewHong->hide();
    ui->NewHong->setEnabled(false);
    ui->CloseButton->show();
    ui->CloseButton->setEnabled(false);
    ui->progressBar_2->show();
    AssignShortcuts();
}

void UpDateRepair::AssignShortcuts()
{
    // Setting a button's text replaces its shortcut; every state sets them again.
    ui->NewHong_2->setShortcut(QKeySequence(Qt::Key_Return));
    // Escape is Cancel's; after a success, which offers no Cancel, the close
    // button's.
    const bool escapeOnClose = ui->NewHong->isHidden() && ui->CloseButton->isEnabled();
    ui->NewHong->setShortcut(escapeOnClose ? QKeySequence() : QKeySequence(Qt::Key_Escape));
    ui->CloseButton->setShortcut(escapeOnClose ? QKeySequence(Qt::Key_Escape) : QKeySequence());
}

void UpDateRepair::SetMessageLook(bool success)
{
    const QLatin1String color(success ? kSuccessColor : kProblemColor);
    ui->ToolText_2->setStyleSheet(QString::fromLatin1(kMessageStyle).arg(color));
}

// --- hub slots ---------------------------------------------------------------------

void UpDateRepair::SlotChangeLanguage(int index)
{
    const auto store = [](QString& text) { return [&text](const QString& t) { text = t; }; };
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("AutoRepair"), {
        {QStringLiteral("ToolText"), [this](const QString& t) { ui->ToolText->setText(t); }},
        {QStringLiteral("NewHong_2"), store(m_upgradeText)},
        {QStringLiteral("Cancel"), store(m_cancelText)},
        {QStringLiteral("Confirm"), store(m_confirmText)},
        {QStringLiteral("ReadyUpdate"), store(m_readyText)},
        {QStringLiteral("UpdateNotMove"), store(m_notMoveText)},
        {QStringLiteral("UpdateSuccess"), store(m_successText)},
        {QStringLiteral("UpdateFail"), store(m_failText)},
        {QStringLiteral("NoDevice"), store(m_noDeviceText)},
        {QStringLiteral("SameDevice"), store(m_sameDeviceText)},
        {QStringLiteral("NoRecieve"), store(m_noReceiverText)},
        {QStringLiteral("NoUSB"), store(m_noUsbText)},
        {QStringLiteral("FileError"), store(m_fileErrorText)},
        {QStringLiteral("MultiDongle"), store(m_multiDongleText)},
        {QStringLiteral("MultiMouse"), store(m_multiMouseText)},
    });
}

void UpDateRepair::SlotAutoRepair(int index)
{
    ui->ToolText_2->setText(index ? m_failText : m_successText);
    SetMessageLook(index == 0);
    ui->NewHong_2->setText(m_confirmText);
    // A finished repair leaves nothing to cancel.
    ui->NewHong->setVisible(index != 0);
    AssignShortcuts();
}

void UpDateRepair::SlotAutoRepairProgress(int index)
{
    ui->progressBar_2->setValue(index);
}

void UpDateRepair::ShowResult(const QString& text, bool success)
{
    ui->ToolText_2->setText(text);
    SetMessageLook(success);
    ui->ToolText_2->show();
    ui->NewHong->setVisible(!success);
    ui->NewHong->setEnabled(true);
    ui->CloseButton->setEnabled(true);
}

void UpDateRepair::SlotProgress(int schedue, int Discrib)
{
    switch (Discrib) {
    case 0:
        ui->progressBar_2->setValue(schedue);
        break;
    case 1:
        ui->NewHong_2->setText(m_confirmText);
        ui->NewHong_2->show();
        ShowResult(m_failText, false);
        break;
    case 2:
        ui->NewHong_2->setText(m_confirmText);
        ui->NewHong_2->show();
        ui->progressBar_2->setValue(100);
        ShowResult(m_successText, true);
        break;
    case 3:
        ui->NewHong->hide();
        break;
    case 4:
        ui->NewHong->hide();
        ui->progressBar_2->setValue(0);
        break;
    case 5:
        ui->NewHong_2->setText(m_confirmText);
        ui->NewHong_2->show();
        ui->progressBar_2->setValue(50);
        ShowResult(m_failText, false);
        break;
    case 6:
        ShowResult(m_failText, false);
        break;
    default:
        break;
    }
    AssignShortcuts();
}

void UpDateRepair::SlotRepairCheckUpdate()
{
    if (CheckRepair())
        SetReadyState();
}

// --- buttons and closing ----------------------------------------------------------

bool UpDateRepair::RunInProgress()
{
    return g_repairRunning || g_firmwareUpdating;
}

void UpDateRepair::reject()
{
    if (RunInProgress())
        return; // Escape while flashing
    QDialog::reject();
}

void UpDateRepair::closeEvent(QCloseEvent* event)
{
    // The window's own close while flashing; the buttons decide for themselves.
    if (!m_buttonCloses && RunInProgress()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void UpDateRepair::CloseByButton()
{
    m_buttonCloses = true;
    close();
    m_buttonCloses = false;
}

// After a run (the progress bar shows): at 100 % the settings page shows the
// new version; otherwise a selected device's window goes back home.
void UpDateRepair::CloseAfterRun()
{
    PostMsg* hub = PostMsg::GetInstance();
    if (ui->progressBar_2->value() == 100)
        emit hub->SigSetNewVer();
    else if (g_deviceSelected != 0)
        emit hub->SigChangeMainDialog(0);
    CloseByButton();
}

void UpDateRepair::on_CloseButton_clicked()
{
    if (g_repairProgressSeen)
        return;
    if (ui->progressBar_2->isHidden())
        CloseByButton();
    else
        CloseAfterRun();
}

void UpDateRepair::on_NewHong_clicked()
{
    on_CloseButton_clicked();
}

void UpDateRepair::on_NewHong_2_clicked()
{
    if (!g_repairProgressSeen && !ui->progressBar_2->isHidden())
        CloseAfterRun();
    else if (ui->NewHong_2->text() == m_confirmText)
        CloseByButton();
    else if (g_deviceSelected != 0)
        emit PostMsg::GetInstance()->SigUpdateStart();
    else
        StartUpgrade();
}

// --- the repair engine ----------------------------------------------------------------

bool UpDateRepair::Refuse(const QString& text)
{
    SetToolText(text);
    SetConfirmState();
    return false;
}

bool UpDateRepair::CheckRepair()
{
    // Another instance's run owns the engine's state.
    if (g_repairRunning)
        return false;
    // Nothing of an earlier check counts.
    m_ready = false;
    m_modelGroup.clear();
    m_receiverModel.clear();
    g_repairMouseModel.clear();

    g_repairRecord = ReadUpdateFailInfo();
    if (!g_repairRecord.complete)
        return false; // no repair pending
    g_repairClass = 0;
    m_failedKind = g_repairRecord.kind;
    const QString classText = g_repairRecord.classText;
    const int recordMid = g_repairRecord.mid;

    if (g_homeDeviceList.isEmpty())
        return Refuse(m_noDeviceText);
    if (g_homeDeviceList.size() > 1) {
        int wired = 0;
        int wireless = 0;
        DeviceAllInfo lastWired;
        DeviceAllInfo lastWireless;
        for (const DeviceAllInfo& entry : qAsConst(g_homeDeviceList)) {
            if (entry.wired) {
                ++wired;
                lastWired = entry;
            } else {
                ++wireless;
                lastWireless = entry;
            }
        }
        if (wired >= 2)
            return Refuse(m_multiMouseText);
        if (wireless >= 2)
            return Refuse(m_multiDongleText);
        if (m_failedKind == FirmwareKindMouse && wired == 1 && lastWired.mid != recordMid)
            return Refuse(m_multiMouseText);
        if (m_failedKind == FirmwareKindReceiver && wireless == 1 && lastWireless.mid != recordMid)
            return Refuse(m_multiDongleText);
    }

    const int receiverCount = m_failedKind == FirmwareKindReceiver ? ReceiverCount(classText) : 0;
    g_repairStage = 0;

    // The receiver is repaired through the mouse on its cable, the mouse
    // through its receiver.
    const DeviceAllInfo& first = g_homeDeviceList.first();
    if (m_failedKind == FirmwareKindReceiver && !(first.wired && first.mid == recordMid))
        return Refuse(m_noUsbText);
    if (m_failedKind == FirmwareKindMouse && !(!first.wired && first.mid == recordMid))
        return Refuse(m_noReceiverText);

    ConfigStore* config = ConfigStore::Instance();
    const int total = config->IntValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal"));
    for (int n = 1; n <= total; ++n) {
        const QString group = QStringLiteral("Drive") + QString::number(n);
        if (config->IntValue(group, QStringLiteral("MID")) == recordMid) {
            m_modelGroup = group;
            break;
        }
    }
    g_repairMouseModel = config->Value(m_modelGroup, QStringLiteral("MM"));
    const QString receiverKey = ReceiverModelKeyOfClass(classText.toInt());
    if (!receiverKey.isEmpty() && QString::number(classText.toInt()) == classText) {
        g_repairClass = classText.toInt();
        m_receiverModel = config->Value(m_modelGroup, receiverKey);
    }
    g_repairCid = g_repairRecord.cid;
    g_repairMid = config->IntValue(m_modelGroup, QStringLiteral("MID"));

    const uint8_t cid = uint8_t(g_repairCid & 0xFF);
    const uint8_t mid = uint8_t(g_repairMid & 0xFF);
    QString noVersion;
    const bool mouseImage = FindRepairFirmwareFile(FirmwareKindMouse, noVersion, g_repairMouseModel, cid, mid);
    const bool receiverImage = FindRepairFirmwareFile(FirmwareKindReceiver, noVersion, m_receiverModel, cid, mid);
    g_repairStageCount = mouseImage && receiverImage ? 2 : 1;
    // Leaves the image of the record's device in g_repairImages.
    if (m_failedKind == FirmwareKindReceiver) {
        g_repairFailedStage = 0;
        m_ready = FindRepairFirmwareFile(FirmwareKindReceiver, noVersion, m_receiverModel, cid, mid);
    } else {
        g_repairFailedStage = 1;
        m_ready = FindRepairFirmwareFile(FirmwareKindMouse, noVersion, g_repairMouseModel, cid, mid);
    }
    if (!m_ready || g_repairImages.isEmpty())
        return Refuse(m_fileErrorText);

    int bootDevices = kBootQueryCapacity;
    UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char*>(g_repairImages.first().constData()),
                                &bootDevices);
    const int targets = bootDevices + receiverCount;
    if (targets == 1)
        return true;
    m_ready = false;
    return Refuse(targets == 0 ? m_noDeviceText : m_sameDeviceText);
}

void UpDateRepair::StartUpgrade()
{
    if (!m_ready || g_repairRunning)
        return;
    g_repairRunning = true;
    SetUpdatingState();
    g_deviceAccessAllowed = false;
    g_repairProgressSeen = false;
    g_repairMouseListed = std::any_of(g_homeDeviceList.cbegin(), g_homeDeviceList.cend(),
                                      [](const DeviceAllInfo& e) { return e.wired && e.mid == g_repairMid; });

    const uint8_t cid = uint8_t(g_repairCid & 0xFF);
    const uint8_t mid = uint8_t(g_repairMid & 0xFF);
    QString noVersion;
    g_repairStage = 0;
    if (!FindRepairFirmwareFile(FirmwareKindReceiver, noVersion, m_receiverModel, cid, mid)) {
        g_repairStage = 1;
        if (!FindRepairFirmwareFile(FirmwareKindMouse, noVersion, g_repairMouseModel, cid, mid)) {
            m_ready = false;
            ReportRepairEnd(false, 6); // the images went away since the check
            return;
        }
    }
    const QByteArray image = g_repairImages.first();
    m_silence.Start(g_repairMessages);
    m_silenceTimer->start();
    m_ready = UsbUpgrade_Start(reinterpret_cast<const unsigned char*>(image.constData()), RepairUpgradeCallback,
                               kUpgradeTimeoutMs)
        != 0;
    if (!m_ready) {
        m_silenceTimer->stop();
        ReportRepairEnd(false, 6); // refused: nothing was flashed, the record stays
    }
}

// A flashing that never answers would keep the dialog up for good: after
// the silent ticks it counts as failed, like the update run's.
void UpDateRepair::OnSilenceTick()
{
    if (!g_repairRunning) {
        m_silenceTimer->stop();
        return;
    }
    const int messages = g_repairMessages;
    if (m_silence.Tick(messages) && EndSilentRepair(messages))
        m_silenceTimer->stop();
}

void UpDateRepair::ForceUpgrade(int value)
{
    Q_UNUSED(value)
    ResetState();
    if (!ReadUpdateFailInfo().complete) {
        Refuse(m_noDeviceText); // nothing waits for a repair
        return;
    }
    if (CheckRepair())
        StartUpgrade();
}
