// The settings page's share of the firmware update: the version labels, the
// update check and the update run, a step machine ticked once a second by
// g_receiverUpdateTimer (receiver) or g_mouseUpdateTimer (mouse):
//   Check        is there an image for the device, how many wait in boot mode
//   Start        exactly one target: start flashing; none or several: explain
//   MarkRunning  flashing started (the state was set before the start)
//   Wait         until the upgrade callback records a result
//   Finish       end the kind, continue with the other device or end the run
#include "form_setting.h"
#include "ui_form_setting.h"

#include "app_state.h"
#include "config_store.h"
#include "devicelib.h"
#include "firmware_images.h"
#include "firmware_update.h"
#include "frame_style.h"
#include "notice_style.h"
#include "post_msg.h"
#include "registry_values.h"
#include "up_date_repair.h"
#include "up_date_warning.h"

#include <QDir>
#include <QMutexLocker>
#include <QTimer>

namespace {

const int kUpgradeTimeoutMs = 10000;
const int kBootQueryCapacity = 5;

uint8_t CidByte()
{
    return uint8_t(g_firmwareCid & 0xFF);
}

int ReadCid()
{
    return ConfigStore::Instance()->IntValue(QStringLiteral("Option"), QStringLiteral("CID"));
}

std::atomic<int>& StateOf(int kind)
{
    return kind == FirmwareKindMouse ? g_mouseUpdateState : g_receiverUpdateState;
}

bool DoneWithoutFailure(int state)
{
    return state == UpdateSucceeded || state == NothingToFlash;
}

// The devices in boot mode that the first found image fits.
int BootDevicesForFoundImage()
{
    if (g_firmwareImages.isEmpty())
        return 0;
    int count = 0;
    UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char*>(g_firmwareImages.first().constData()), &count);
    return count;
}

// Of a two-entry device list: the first receiver with an address whose
// connection type gives a class.
const DeviceAllInfo* ListedReceiver(const QList<DeviceAllInfo>& list)
{
    if (list.size() != 2)
        return nullptr;
    for (const DeviceAllInfo& entry : list) {
        if (!entry.receiverAddress.isEmpty() && !entry.wired && ReceiverClassOfType(entry.connectionType) != 0)
            return &entry;
    }
    return nullptr;
}

} // namespace

// --- version display -------------------------------------------------------------------

int FormSetting::CurrentReceiverClass() const
{
    const DeviceAllInfo current = CurrentDeviceCopy();
    if (!current.wired)
        return ReceiverClassOfType(current.connectionType);
    const DeviceAllInfo* receiver = ListedReceiver(g_devicePageList);
    return receiver ? ReceiverClassOfType(receiver->connectionType) : 0;
}

void FormSetting::ShowUpdateLook(bool updateWaiting)
{
    const auto url = [this](const char* picture) { return FrameStyle::Url(pictureDir, QLatin1String(picture)); };
    if (updateWaiting)
        ui->Receive_2->setStyleSheet(QStringLiteral("QToolButton{border:0px;background-position:center;"
                                                    "background-repeat:no-repeat;color: rgb(%1;);background-image: %2;}"
                                                    "QToolButton:hover{background-image: %3;}")
                                         .arg(buttonColor, url("WaitUpdate.png"), url("WaitUpdateHover.png")));
    else
        ui->Receive_2->setStyleSheet(QStringLiteral("QToolButton{border:0px;color: rgb(%1;);border-image: %2;}")
                                         .arg(buttonColor, url("Confirm.png")));
}

void FormSetting::SetVer(int index)
{
    switch (index) {
    case 1:
        ui->toolButton_2->hide();
        return;
    case 2:
        ui->toolButton_3->hide();
        return;
    case 3:
        ui->Receive_2->setText(receiveText);
        return;
    case 4:
    case 5:
        ui->Receive_2->setText(receiveText);
        ui->toolButton_2->hide();
        ui->toolButton_3->hide();
        receiverUpToDate = false;
        mouseUpToDate = false;
        receiverRunStarted = false;
        mouseRunStarted = false;
        if (index == 4)
            return;
        break;
    case 6:
        ui->label_5->clear();
        ui->label_7->clear();
        return;
    case 0:
        break;
    default:
        return;
    }

    const DeviceAllInfo current = CurrentDeviceCopy();
    QString receiverText;
    QString mouseText;
    if (!g_deviceOnline) {
        receiverText = current.version;
    } else if (!current.wired) {
        receiverText = current.version;
        mouseText = current.mouseVersion;
    } else {
        if (const DeviceAllInfo* receiver = ListedReceiver(g_devicePageList))
            receiverText = receiver->version;
        mouseText = current.mouseVersion;
    }
    if (index == 0 && QDir(FirmwareFolder()).exists()) {
        const int receiverClass = CurrentReceiverClass();
        g_mouseUpdateAvailable = CheckFirmwareUpdate(FirmwareKindMouse, mouseText, receiverClass);
        g_receiverUpdateAvailable = CheckFirmwareUpdate(FirmwareKindReceiver, receiverText, receiverClass);
        ShowUpdateLook(g_mouseUpdateAvailable || g_receiverUpdateAvailable);
    }
    ui->label_5->setText(receiverText);
    ui->label_7->setText(mouseText);
}

void FormSetting::SetVerText()
{
    ui->Receive_2->setText(verNewText);
}

void FormSetting::SlotLabelText(int index, QString Text)
{
    if (index != 0 && index != 1)
        return;
    (index == 0 ? ui->label_5 : ui->label_7)->setText(Text);
    QMutexLocker locker(&g_currentDeviceMutex);
    if (index == 0)
        g_currentDevice.version = Text;
    else
        g_currentDevice.mouseVersion = Text;
}

void FormSetting::SlotLabelTextB(QString TextA, QString Text)
{
    ui->label_5->setText(TextA);
    ShowUpdateLook(Text == QLatin1String("true"));
}

// --- update check ----------------------------------------------------------------------

bool FormSetting::Refuse(const QString& text)
{
    g_upDateRepair->SetToolText(text);
    g_upDateRepair->SetConfirmState();
    return false;
}

QPoint FormSetting::DialogPlace(const QWidget* dialog) const
{
    return NoticeStyle::CentredOn(this, dialog, QPoint(-75, -65));
}

bool FormSetting::ChechIsUpDate()
{
    // Nothing of an earlier check may choose this one's images.
    g_receiverClass = 0;
    mousePending = 0;
    checkReceiverModel.clear();
    resumeReceiverModel.clear();
    const QStringList record = UpdateFailInfo().split(QLatin1Char(','));
    const bool hasRecord = record.size() == 4;

    ConfigStore* config = ConfigStore::Instance();
    const DeviceAllInfo current = CurrentDeviceCopy();
    modelGroup = ConfigStore::ModelGroup(current.modelIndex);
    const QString mouseModel = config->Value(modelGroup, QStringLiteral("MM"));
    if (current.modelIndex < 0 || mouseModel.isEmpty())
        return Refuse(errorText);
    g_firmwareCid = ReadCid();
    const uint8_t mid = uint8_t(config->IntValue(modelGroup, QStringLiteral("MID")));
    const QList<DeviceAllInfo> list = g_devicePageList;

    if (list.isEmpty())
        return Refuse(errorText);

    if (list.size() >= 3) {
        const int receivers = int(std::count_if(list.begin(), list.end(), [](const DeviceAllInfo& d) { return !d.wired; }));
        const int cables = list.size() - receivers;
        if (receivers > 1)
            g_upDateRepair->SetToolText(multiDongleText);
        if (cables > 1)
            g_upDateRepair->SetToolText(multiMouseText);
        g_upDateRepair->SetConfirmState();
        return false;
    }

    if (list.size() == 2) {
        if (!list.at(0).wired && !list.at(1).wired)
            return Refuse(noUsbText);
        if (list.at(0).mid != list.at(1).mid)
            return Refuse(noRecieveText);
        const DeviceAllInfo* receiver = ListedReceiver(list);
        if (!receiver)
            return Refuse(noRecieveText);
        g_receiverClass = ReceiverClassOfType(receiver->connectionType);
        checkReceiverModel = config->Value(modelGroup, ReceiverModelKeyOfClass(g_receiverClass));
        if (checkReceiverModel.isEmpty())
            return Refuse(errorText);
        const bool receiverFound =
            FindFirmwareFile(FirmwareKindReceiver, ui->label_5->text(), checkReceiverModel, CidByte(), mid);
        const bool mouseFound = FindFirmwareFile(FirmwareKindMouse, ui->label_7->text(), mouseModel, CidByte(), mid);
        g_mouseUpdateAvailable = mouseFound;
        if (receiverFound || mouseFound) {
            g_upgradeStageCount = receiverFound && mouseFound ? 2 : 1;
            return true;
        }
        receiverUpToDate = true;
        return Refuse(verNewText);
    }

    // One device: only a failed update can be resumed.
    const DeviceAllInfo& entry = list.first();
    if (!hasRecord)
        return Refuse(entry.wired ? noRecieveText : noUsbText);
    const int kind = record.at(0).toInt();
    const int recordCid = record.at(2).toInt();
    const int recordMid = record.at(3).toInt();
    if (kind == FirmwareKindReceiver) {
        if (!entry.wired || entry.mid != recordMid)
            return Refuse(noUsbText);
    } else if (kind == FirmwareKindMouse) {
        mousePending = 1;
        if (entry.wired || entry.mid != recordMid)
            return Refuse(noRecieveText);
    } else {
        return Refuse(errorText);
    }
    const QString classText = record.at(1);
    if (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8")}.contains(classText)) {
        g_receiverClass = classText.toInt();
        resumeReceiverModel = config->Value(modelGroup, ReceiverModelKeyOfClass(g_receiverClass));
    }
    if (entry.cid != recordCid)
        return Refuse(errorText);
    const QString failedModel = kind == FirmwareKindReceiver ? resumeReceiverModel : mouseModel;
    // Without an image there is nothing to ask the boot devices about.
    if (failedModel.isEmpty() || !FindFirmwareFile(uint8_t(kind), QString(), failedModel, uint8_t(recordCid), mid))
        return Refuse(errorText);
    int bootDevices = kBootQueryCapacity;
    UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char*>(g_firmwareImages.first().constData()),
                                &bootDevices);
    if (bootDevices != 1)
        return Refuse(bootDevices == 0 ? noDeviceText : sameDeviceText);
    bool otherFound = false;
    if (kind == FirmwareKindReceiver)
        otherFound = FindFirmwareFile(FirmwareKindMouse, ui->label_7->text(), mouseModel, CidByte(), mid);
    else if (!resumeReceiverModel.isEmpty())
        otherFound = FindFirmwareFile(FirmwareKindReceiver, ui->label_5->text(), resumeReceiverModel, CidByte(), mid);
    g_upgradeStageCount = otherFound ? 2 : 1;
    // A second stage is planned: the run continues with the other device.
    if (otherFound)
        (kind == FirmwareKindReceiver ? g_mouseUpdateAvailable : g_receiverUpdateAvailable) = true;
    return true;
}

void FormSetting::on_Receive_2_clicked()
{
    if (ui->Receive_2->text() == verNewText)
        return;
    receiverUpToDate = false;
    g_upDateRepair->move(DialogPlace(g_upDateRepair));
    g_upDateRepair->setModal(true);
    g_upDateRepair->ResetState();
    if (ChechIsUpDate()) {
        g_upDateRepair->SetReadyState();
        g_upDateRepair->show();
    } else if (receiverUpToDate) {
        ui->Receive_2->setText(verNewText);
    } else {
        g_upDateRepair->show();
    }
}

void FormSetting::SlotCheckUpdate()
{
    if (ChechIsUpDate())
        g_upDateRepair->SetReadyState();
}

// --- starting a run --------------------------------------------------------------------

void FormSetting::StartRun(int kind)
{
    g_firmwareUpdating = true;
    updateStep = Check;
    ui->toolButton_2->hide();
    ui->toolButton_3->hide();
    g_deviceAccessAllowed = false;
    m_waitTicks = 0;
    if (kind == FirmwareKindReceiver) {
        g_receiverUpdateTimer->start();
        receiverRunStarted = true;
    } else {
        g_mouseUpdateTimer->start();
        mouseRunStarted = true;
    }
}

void FormSetting::on_Start()
{
    bootCount1K = bootCount2K = bootCount4K = bootCount8K = 0;
    m_endReason.clear();
    m_runResults = {UpdateIdle, UpdateIdle};
    m_terminalShown = false;
    g_upDateRepair->SetUpdatingState();
    g_firmwareCid = ReadCid();
    const uint8_t mid = uint8_t(ConfigStore::Instance()->IntValue(modelGroup, QStringLiteral("MID")));
    const bool receiverImage =
        FindFirmwareFile(FirmwareKindReceiver, ui->label_5->text(), resumeReceiverModel, CidByte(), mid);
    if (!receiverImage && mousePending == 1) {
        interactiveRun = true;
        on_Mouse_clicked();
    } else if (g_receiverUpdateState == Upgrading || g_mouseUpdateState == Upgrading || mouseRunStarted
               || receiverUpToDate) {
        if (receiverUpToDate) {
            ShowUpdateLook(false);
            SlotContinue(0);
        }
    } else {
        StartRun(FirmwareKindReceiver);
    }
    EndRunIfNothingFollows();
}

void FormSetting::on_Receive_clicked()
{
    g_receiverClass = CurrentReceiverClass();
    if (!receiverUpToDate && !mouseRunStarted)
        StartRun(FirmwareKindReceiver);
}

void FormSetting::on_Mouse_clicked()
{
    const DeviceAllInfo current = CurrentDeviceCopy();
    if (current.wired) {
        const QList<DeviceAllInfo> list = g_devicePageList;
        if (list.isEmpty() || !list.first().wired || list.first().mid != current.mid) {
            emit PostMsg::GetInstance()->SigProgress(0, 5);
            m_terminalShown = true;
            return;
        }
    }
    if (!mouseUpToDate && !receiverRunStarted)
        StartRun(FirmwareKindMouse);
    else if (mouseUpToDate)
        ui->Receive_2->setText(verNewText);
}

void FormSetting::SlotContinue(int index)
{
    Q_UNUSED(index)
    bootCount1K = bootCount2K = bootCount4K = bootCount8K = 0;
    if (g_mouseUpdateAvailable && DoneWithoutFailure(g_receiverUpdateState)) {
        interactiveRun = true;
        on_Mouse_clicked();
    }
    if (g_receiverUpdateAvailable && DoneWithoutFailure(g_mouseUpdateState)) {
        interactiveRun = true;
        on_Receive_clicked();
    }
}

// --- the steps ---------------------------------------------------------------------------

void FormSetting::onDongleCheckTimer()
{
    RunUpdateStep(updateStep, FirmwareKindReceiver, ui->label_5->text());
}

void FormSetting::onMouseCheckTimer()
{
    RunUpdateStep(updateStep, FirmwareKindMouse, ui->label_7->text());
}

void FormSetting::RunUpdateStep(int step, int kind, const QString& version)
{
    switch (step) {
    case Check:
        StepCheck(kind, version);
        break;
    case Start:
        StepStart(kind, version);
        break;
    case MarkRunning:
        // The state became Upgrading before the start, so an early result
        // is already recorded.
        updateStep = Wait;
        break;
    case Wait:
        StepWait();
        break;
    case Finish:
        StepFinish(kind);
        break;
    default:
        break;
    }
}

int& FormSetting::BootCounter(int receiverClass)
{
    switch (receiverClass) {
    case 1:
        return bootCount1K;
    case 2:
        return bootCount2K;
    case 4:
        return bootCount4K;
    default:
        return bootCount8K;
    }
}

void FormSetting::StepCheck(int kind, const QString& version)
{
    ConfigStore* config = ConfigStore::Instance();
    const DeviceAllInfo current = CurrentDeviceCopy();
    const QString group = ConfigStore::ModelGroup(current.modelIndex);
    g_firmwareCid = ReadCid();
    g_firmwareMid = config->IntValue(group, QStringLiteral("MID"));
    const uint8_t mid = uint8_t(g_firmwareMid & 0xFF);

    bool found = false;
    if (kind == FirmwareKindMouse) {
        found = FindFirmwareFile(FirmwareKindMouse, version, config->Value(group, QStringLiteral("MM")), CidByte(), mid);
    } else {
        receiverPaths.clear();
        const int receiverClass = g_receiverClass;
        const QString key = ReceiverModelKeyOfClass(receiverClass);
        const QString name = config->Value(group, key);
        if (!key.isEmpty() && (receiverClass == 1 || !name.isEmpty())) {
            found = FindFirmwareFile(FirmwareKindReceiver, QString(), name, CidByte(), mid);
            if (found)
                BootCounter(receiverClass) = BootDevicesForFoundImage();
        }
        for (const DeviceAllInfo& entry : g_devicePageList) {
            if (entry.wired)
                continue;
            // Through its receiver the current device is the receiver itself.
            if (!current.wired && entry.path == current.path)
                receiverPaths << current.path;
            else if (current.wired)
                receiverPaths << entry.path;
        }
    }
    if (!found && g_receiverClass != 0)
        EndKindWithoutFlashing(kind, NothingToFlash, QString());
    else
        updateStep = Start;
}

void FormSetting::StepStart(int kind, const QString& version)
{
    ConfigStore* config = ConfigStore::Instance();
    const QString group = ConfigStore::ModelGroup(CurrentDeviceCopy().modelIndex);
    const uint8_t mid = uint8_t(g_firmwareMid & 0xFF);
    const QList<DeviceAllInfo> list = g_devicePageList;

    int targets = 0;
    if (kind == FirmwareKindMouse)
        targets = int(std::count_if(list.begin(), list.end(), [](const DeviceAllInfo& d) { return d.wired; }))
            + mousePending;
    else
        targets = receiverPaths.size() + bootCount1K + bootCount2K + bootCount4K + bootCount8K;

    if (targets != 1) {
        StateOf(kind) = UpdateIdle;
        FinishKind(kind);
        ExplainTargets(kind, targets);
        updateStep = Finish;
        return;
    }

    if (kind == FirmwareKindMouse) {
        if (!FindFirmwareFile(FirmwareKindMouse, version, config->Value(group, QStringLiteral("MM")), CidByte(), mid)) {
            EndKindWithoutFlashing(kind, NothingToFlash, QString());
            return;
        }
    } else {
        int bootClass = 0;
        for (int receiverClass : {1, 2, 4, 8}) {
            if (BootCounter(receiverClass) == 1) {
                bootClass = receiverClass;
                break;
            }
        }
        if (bootClass != 0) {
            // A device in boot mode takes the image whatever its version.
            const QString name = config->Value(group, ReceiverModelKeyOfClass(bootClass));
            if (!FindFirmwareFile(FirmwareKindReceiver, QString(), name, CidByte(), mid)) {
                EndKindWithoutFlashing(kind, UpdateIdle, errorText);
                return;
            }
        } else {
            const int receiverClass = g_receiverClass;
            QString current = version;
            QString key = QStringLiteral("DM");
            if (receiverClass == 4 || receiverClass == 8 || receiverClass == 2) {
                key = ReceiverModelKeyOfClass(receiverClass);
                int slaveVersion = 0;
                const QByteArray path = receiverPaths.first().toUtf8();
                current = UsbFinderC_GetSlaveVersion(path.constData(), &slaveVersion) ? VersionText(unsigned(slaveVersion))
                                                                                      : QString();
            }
            if (!FindFirmwareFile(FirmwareKindReceiver, current, config->Value(group, key), CidByte(), mid)) {
                EndKindWithoutFlashing(kind, NothingToFlash, QString());
                return;
            }
        }
    }
    if (StartFlashing(kind))
        updateStep = MarkRunning;
}

bool FormSetting::StartFlashing(int kind)
{
    FirmwareHeader header;
    if (g_firmwareImages.isEmpty() || !ReadFirmwareHeader(g_firmwareImages.first(), &header)) {
        EndKindWithoutFlashing(kind, UpdateIdle, errorText);
        return false;
    }
    const QByteArray image = g_firmwareImages.first();
    // Everything the callback reads is in place before the library can call it.
    g_upgradeKind = kind;
    g_upgradeVersion = header.version;
    g_upgradeModelIndex = CurrentDeviceCopy().modelIndex;
    g_upgradeMessages = 0;
    m_messagesSeen = 0;
    m_waitTicks = 0;
    StateOf(kind) = Upgrading;
    if (UsbUpgrade_Start(reinterpret_cast<const unsigned char*>(image.constData()), UpdateUpgradeCallback, kUpgradeTimeoutMs)
        != 0)
        return true;
    // Refused: nothing was flashed, so no failure record.
    int expected = Upgrading;
    StateOf(kind).compare_exchange_strong(expected, UpdateIdle);
    EndKindWithoutFlashing(kind, UpdateIdle, errorText);
    return false;
}

void FormSetting::StepWait()
{
    const int kind = g_upgradeKind;
    if (StateOf(kind) != Upgrading) {
        updateStep = Finish;
        return;
    }
    const int messages = g_upgradeMessages;
    if (messages != m_messagesSeen) {
        m_messagesSeen = messages;
        m_waitTicks = 0;
        return;
    }
    // A flashing that has gone silent leaves the device in an unknown
    // state: count it as failed, which keeps the resume route open.
    if (++m_waitTicks >= kWaitLimitTicks) {
        FailUpgrade();
        updateStep = Finish;
    }
}

void FormSetting::StepFinish(int kind)
{
    (kind == FirmwareKindReceiver ? receiverRunStarted : mouseRunStarted) = false;
    FinishKind(kind);
    interactiveRun = false;
    g_receiverUpdateTimer->stop();
    g_mouseUpdateTimer->stop();
    g_firmwareUpdating = false;
    if (kind == FirmwareKindReceiver) {
        if (mousePending == 1) {
            interactiveRun = true;
            on_Mouse_clicked();
        } else {
            SlotContinue(0);
        }
    }
    EndRunIfNothingFollows();
}

// --- ends --------------------------------------------------------------------------------

void FormSetting::FinishKind(int kind)
{
    if (kind == FirmwareKindReceiver)
        FinishReceiverUpdate();
    else
        FinishMouseUpdate();
}

void FormSetting::FinishReceiverUpdate()
{
    g_deviceAccessAllowed = true;
    const int state = g_receiverUpdateState;
    m_runResults.receiver = state;
    if (state == NothingToFlash) {
        ui->toolButton_2->hide();
        ShowUpdateLook(false);
    } else if (state == UpdateSucceeded) {
        ui->toolButton_2->hide();
        ShowUpdateLook(false);
        g_receiverUpdateAvailable = false;
    }
    updateStep = Finish;
}

void FormSetting::FinishMouseUpdate()
{
    g_deviceAccessAllowed = true;
    const int state = g_mouseUpdateState;
    m_runResults.mouse = state;
    if (state == NothingToFlash) {
        ui->toolButton_3->hide();
        ShowUpdateLook(false);
        ui->Receive_2->setText(verNewText);
    } else if (state == UpdateSucceeded) {
        ui->toolButton_3->hide();
        ShowUpdateLook(false);
        g_mouseUpdateAvailable = false;
    }
    updateStep = Finish;
}

void FormSetting::EndKindWithoutFlashing(int kind, int state, const QString& reason)
{
    StateOf(kind) = state;
    FinishKind(kind);
    if (state == NothingToFlash)
        (kind == FirmwareKindReceiver ? receiverUpToDate : mouseUpToDate) = true;
    if (!reason.isEmpty())
        m_endReason = reason;
    updateStep = Finish;
}

void FormSetting::ExplainTargets(int kind, int targets)
{
    QString text;
    if (targets == 0)
        text = kind == FirmwareKindMouse ? g_wiredModeText : noDeviceText;
    else
        text = sameDeviceText;
    m_endReason = text;
    if (interactiveRun) {
        updateWarning->move(DialogPlace(updateWarning));
        updateWarning->setModal(true);
        updateWarning->SetLabelText(text);
        updateWarning->show();
    } else {
        (kind == FirmwareKindMouse ? ui->toolButton_3 : ui->toolButton_2)->show();
    }
    interactiveRun = false;
}

// Once no kind runs any more, the dialog must offer a way out: the codes the
// callback sent (failure, success) already did; otherwise say how it ended.
void FormSetting::EndRunIfNothingFollows()
{
    if (g_receiverUpdateTimer->isActive() || g_mouseUpdateTimer->isActive() || g_receiverUpdateState == Upgrading
        || g_mouseUpdateState == Upgrading)
        return;
    g_firmwareUpdating = false;
    g_deviceAccessAllowed = true;
    if (m_terminalShown)
        return;
    m_terminalShown = true;
    const bool failed = m_runResults.receiver == UpdateFailed || m_runResults.mouse == UpdateFailed;
    const bool mouseFlashed = m_runResults.mouse == UpdateSucceeded;
    const bool receiverFlashed = m_runResults.receiver == UpdateSucceeded;
    if (failed || mouseFlashed || (receiverFlashed && g_upgradeStageCount != 2))
        return;
    PostMsg* hub = PostMsg::GetInstance();
    if (receiverFlashed) {
        // The second stage found nothing newer (done) or could not run.
        emit hub->SigProgress(0, m_runResults.mouse == NothingToFlash ? 2 : 5);
        return;
    }
    Refuse(m_endReason.isEmpty() ? verNewText : m_endReason);
}
