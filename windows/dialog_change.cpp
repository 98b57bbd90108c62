#include "dialog_change.h"
#include "ui_dialog_change.h"

#include "app_state.h"
#include "config_store.h"
#include "device_finder.h"
#include "devicelib.h"
#include "dialog_change_rules.h"
#include "firmware_images.h"
#include "label_file.h"
#include "match.h"
#include "mytoolbuttonenter.h"
#include "notice_style.h"
#include "paths.h"
#include "post_msg.h"
#include "question_dialog_b.h"
#include "re_pair.h"
#include "registry_values.h"
#include "up_date_repair.h"
#include "up_date_warning.h"
#include "user_setting_store.h"
#include "worker.h"

#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QListView>
#include <QThread>

DialogChange* g_dialogChange = nullptr;
bool g_pairRepairTarget = false;
QString g_mouseIsNewTipsText;
QList<mytoolButtonEnter*> g_deviceButtons;
QList<QLabel*> g_offlineMarkers;
QList<QLabel*> g_onlineMarkers;
QList<QLabel*> g_rateBadges;

namespace {

const int kIdentityQueries = 10;
const int kHotplugIntervalMs = 600;
const int kSelectWaitMs = 150;
const QSize kDeviceButtonSize(284, 360);
const QSize kMarkerSize(32, 32);
const QSize kBadgeSize(42, 26);
const int kMarkerY = 20;
const int kBadgeY = 10;

// A rebuild that runs, and whether another hot-plug event came meanwhile.
bool s_rebuilding = false;
bool s_rebuildPending = false;

ConfigStore* Config()
{
    return ConfigStore::Instance();
}

QString Option(const char* key)
{
    return Config()->Value(QStringLiteral("Option"), QLatin1String(key));
}

int DeviceTotal()
{
    return Config()->IntValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal"));
}

HomeRules::ReceiverPids ReceiverPidLists()
{
    HomeRules::ReceiverPids pids;
    pids.pid1K = g_wirelessPidList;
    pids.pid2K = g_wireless2PidList;
    pids.pid4K = g_wireless4PidList;
    pids.pid8K = g_wireless8PidList;
    return pids;
}

// The found list keeps entries the grid removed from the home list, so an
// entry is found there by its path, not by its home-list index.
void ReplaceFoundEntry(const DeviceAllInfo& entry)
{
    for (DeviceAllInfo& found : g_foundDeviceList) {
        if (found.path == entry.path) {
            found = entry;
            return;
        }
    }
}

// Asks the library whether the entry's device answers; until the reply is
// read, the entry holds no online state or receiver address.
void AskOnline(DeviceAllInfo& entry, unsigned char (&reply)[DEVICELIB_ONLINE_REPLY_SIZE])
{
    entry.receiverAddress.clear();
    entry.online = false;
    UsbFinderC_GetDeviceOnLineWithUsbAddress(entry.path.toUtf8().constData(), reply);
}

void ReadOnlineReply(DeviceAllInfo& entry, const unsigned char (&reply)[DEVICELIB_ONLINE_REPLY_SIZE])
{
    entry.online = reply[6] == 1;
    entry.receiverAddress = {reply[7], reply[8], reply[9]};
}

// A device card (QToolButton) or status marker (QLabel) showing one picture.
QString PictureStyle(const QString& widgetClass, const QString& folder, const QString& picture)
{
    return widgetClass
        + QStringLiteral("{border:0px;background-position:center;background-repeat:no-repeat;background-image: url(")
        + folder + picture + QStringLiteral(");color: rgb(255, 255, 255);}");
}

QString DevicePictureStyle(const QString& folder, const QString& picture)
{
    return PictureStyle(QStringLiteral("QToolButton"), folder, picture);
}

// A status marker above a device card, hidden until the card's state is known.
QLabel* NewMarker(QWidget* page, const QString& name, int x, const QString& folder, const QString& picture)
{
    auto* marker = new QLabel(page);
    marker->setObjectName(name);
    marker->move(x, kMarkerY);
    marker->setFixedSize(kMarkerSize);
    marker->setFocusPolicy(Qt::NoFocus);
    marker->hide();
    marker->setStyleSheet(PictureStyle(QStringLiteral("QLabel"), folder, picture));
    return marker;
}

QString WindowButtonStyle(const QString& folder, const QString& normal, const QString& hover, const QString& pressed)
{
    QString style = QStringLiteral("QToolButton{border:0px;background-image: url(") + folder + normal
        + QStringLiteral(");background-position:center;background-repeat:no-repeat;}");
    style += QStringLiteral("QToolButton:hover{background-image: url(") + folder + hover + QStringLiteral(");}");
    if (!pressed.isEmpty())
        style += QStringLiteral("QToolButton:pressed{background-image: url(") + folder + pressed
            + QStringLiteral(");}");
    return style;
}

// Finds the devices again and rebuilds the grid (one hot-plug event).
void RescanHomeDevices()
{
    DialogChange* page = g_dialogChange;
    if (page)
        page->ShowRepairState(!UpdateFailInfo().isEmpty());

    const QString vid = Option("VID");
    g_homeDeviceList.clear();
    g_foundDeviceList.clear();

    const QString option = QStringLiteral("Option");
    g_usbPidList = Config()->ValueList(option, QStringLiteral("USB_PID"));
    g_wirelessPidList = Config()->ValueList(option, QStringLiteral("Wireless_PID"));
    g_wireless2PidList = Config()->ValueList(option, QStringLiteral("Wireless2_PID"));
    g_wireless4PidList = Config()->ValueList(option, QStringLiteral("Wireless4_PID"));
    g_wireless8PidList = Config()->ValueList(option, QStringLiteral("Wireless8_PID"));

    EnumerateHomeDevices(vid, HomeRules::ProductIdSequence({g_usbPidList, g_wirelessPidList, g_wireless2PidList,
                                                            g_wireless4PidList, g_wireless8PidList}));

    if (g_dialogChange)
        g_dialogChange->BuildDeviceGrid();

    // An open repair dialog checks its devices again, unless it is flashing.
    if (g_upDateRepair && g_upDateRepair->isVisible() && !g_repairRunning)
        emit PostMsg::GetInstance()->SigRepairCheckUpdate();
}

} // namespace

// --- discovery ------------------------------------------------------------------

void HomeUsbChanged()
{
    // A modal notice of a rebuild lets the library call again; that call
    // waits until the running rebuild has finished.
    if (s_rebuilding) {
        s_rebuildPending = true;
        return;
    }
    s_rebuilding = true;
    do {
        s_rebuildPending = false;
        RescanHomeDevices();
    } while (s_rebuildPending);
    s_rebuilding = false;
}

void EnumerateHomeDevices(const QString& vid, const QVector<QString>& pids)
{
    const QByteArray vidBytes = vid.toLatin1();
    for (const QString& pid : pids) {
        int count = kFinderCapacity;
        const QByteArray pidBytes = pid.toLatin1();
        char** found = UsbFinderC_FindHidDevicesByDefaultDeviceId(vidBytes.constData(), pidBytes.constData(), &count);
        const QList<QByteArray> paths = CopyFoundPaths(found, count);

        for (const QByteArray& path : paths) {
            DeviceAllInfo entry = FoundDeviceRecord(path, vid, pid);
            if (IdentifyHomeDevice(entry)) {
                g_homeDeviceList.append(entry);
                g_foundDeviceList.append(entry);
            }
        }
    }
}

bool IdentifyHomeDevice(DeviceAllInfo& entry)
{
    const QByteArray path = entry.path.toUtf8();
    const int deviceTotal = DeviceTotal();

    // A device that has only just arrived may answer zeros for a while.
    DeviceIdentity identity = UsbFinderC_GetDeviceInfo(path.constData());
    int queries = 1;
    while (identity.cid == 0 && identity.mid == 0) {
        if (queries == kIdentityQueries - 1) {
            // The last query is made but its answer is not looked at.
            identity = UsbFinderC_GetDeviceInfo(path.constData());
            entry.wired = IsWiredConnection(identity.connectionType);
            entry.modelIndex = deviceTotal;
            return true;
        }
        identity = UsbFinderC_GetDeviceInfo(path.constData());
        ++queries;
    }

    const int cid = Option("CID").toInt();
    for (int n = 1; n <= deviceTotal; ++n) {
        if (cid != identity.cid || Config()->IntValue(ConfigStore::ModelGroup(n - 1), QStringLiteral("MID")) != identity.mid)
            continue;
        entry.wired = IsWiredConnection(identity.connectionType);
        entry.cid = identity.cid;
        entry.mid = identity.mid;
        entry.connectionType = identity.connectionType;
        entry.modelIndex = n - 1;
        if (UsbFinderC_GetDeviceOnLine(path.constData()))
            entry.online = true;
        return true;
    }

    entry.wired = IsWiredConnection(identity.connectionType);
    entry.modelIndex = deviceTotal;
    return deviceTotal > 0;
}

bool RefreshDeviceOnline(int index)
{
    if (index < 0 || index >= g_homeDeviceList.size())
        return false;
    DeviceAllInfo entry = g_homeDeviceList.at(index);
    unsigned char reply[DEVICELIB_ONLINE_REPLY_SIZE] = {};
    AskOnline(entry, reply);
    ReadOnlineReply(entry, reply);

    g_homeDeviceList[index] = entry;
    ReplaceFoundEntry(entry);
    return reply[7] != 0 || reply[8] != 0 || reply[9] != 0;
}

std::optional<RepairImages> FindRepairImages(const DeviceAllInfo& entry)
{
    const QString mouseVersion = StoredMouseVersion(entry.modelIndex);
    if (mouseVersion.isEmpty())
        return std::nullopt;

    const QString group = ConfigStore::ModelGroup(entry.modelIndex);
    const uint8_t cid = uint8_t(Option("CID").toInt());
    const uint8_t mid = uint8_t(Config()->Value(group, QStringLiteral("MID")).toInt());
    RepairImages found;
    found.mouse =
        FindFirmwareFile(FirmwareKindMouse, mouseVersion, Config()->Value(group, QStringLiteral("MM")), cid, mid);
    const QString receiverKey = HomeRules::ReceiverModelKey(entry.connectionType);
    if (!receiverKey.isEmpty()) {
        const QString receiverModel = Config()->Value(group, receiverKey);
        if (!receiverModel.isEmpty() || receiverKey == QLatin1String("DM")) {
            QString version = entry.version;
            found.receiver = FindRepairFirmwareFile(FirmwareKindReceiver, version, receiverModel, cid, mid);
        }
    }
    return found;
}

// --- the page -----------------------------------------------------------------------

DialogChange::DialogChange(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::DialogChange)
{
    ui->setupUi(this);
    g_dialogChange = this;
    ui->comboBox->setCurrentIndex(0);
    m_label2Text = ui->label_2->text();

    m_pictureFolder = PictureFolder(QStringLiteral("DialogChange"));
    m_warningFolder = PictureFolder(QStringLiteral("WarningDialog"));
    ApplyStyleSheets();

    ui->label_2->show();
    ui->label_3->show();
    ui->RightButton->hide();
    ui->LeftButton->hide();

    PostMsg* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigLanguageSameA(int)), this, SLOT(SlotSameLanguageA(int)));
    connect(hub, SIGNAL(SigUpDateButton(bool)), this, SLOT(SlotUpDateButton(bool)));
    connect(hub, SIGNAL(SigEnterKey()), this, SLOT(SlotEnterKey()));
    connect(hub, SIGNAL(SigChangeLanguage(int)), this, SLOT(ChangeDialogLanguage(int)));

    ui->Repair->hide();
    if (!UpdateFailInfo().isEmpty())
        ui->Repair->show();

    g_unknownModelIndex = DeviceTotal();

    const int language = UserSettingStore::Instance()->LanguageIndex();
    ui->comboBox->setCurrentIndex(language);
    ChangeDialogLanguage(language);

    ui->FindVer->hide();

    mytoolButtonEnter::SetRefreshDeviceButton(
        [](int index) { return g_dialogChange ? g_dialogChange->RefreshDeviceButton(index) : false; });
    // The library calls the callback once before returning: the first grid.
    StartUsbChanged(HomeUsbChanged, kHotplugIntervalMs);
}

DialogChange::~DialogChange()
{
    if (g_dialogChange == this)
        g_dialogChange = nullptr;
    // The grid's widgets go with the page.
    g_deviceButtons.clear();
    g_offlineMarkers.clear();
    g_onlineMarkers.clear();
    g_rateBadges.clear();
}

void DialogChange::ApplyStyleSheets()
{
    const QString& folder = m_pictureFolder;
    const QString& warning = m_warningFolder;
    const QString labelColor = Config()->ColorText(QStringLiteral("LabelColor"));
    const QString buttonColor = Config()->ColorText(QStringLiteral("ButtonColor"));
    const QString comboText = Config()->ColorText(QStringLiteral("ComboxTextColor"));
    const QString comboBack = Config()->ColorText(QStringLiteral("ComboxBackGroundColor"));
    const QString comboSelect = Config()->ColorText(QStringLiteral("ComboxSelectColor"));

    ui->frameChange->setStyleSheet(QStringLiteral("#frameChange{border-image: url(") + folder
                                   + QStringLiteral("MainBack.png);}"));
    ui->CloseButton->setStyleSheet(WindowButtonStyle(
        folder, QStringLiteral("Close.png"), QStringLiteral("CloseHover.png"), QStringLiteral("CloseClick.png")));
    ui->MinButton->setStyleSheet(WindowButtonStyle(folder, QStringLiteral("Min.png"), QStringLiteral("MinHover.png"),
                                                   QStringLiteral("MinClick.png")));
    ui->Repair->setStyleSheet(QStringLiteral("QPushButton{border:0px;background-image: url(") + folder
                              + QStringLiteral("Repair.png);background-position:center;background-repeat:no-repeat;}"));
    ui->RightButton->setStyleSheet(
        WindowButtonStyle(folder, QStringLiteral("Right.png"), QStringLiteral("RightClick.png"), QString()));
    ui->LeftButton->setStyleSheet(
        WindowButtonStyle(folder, QStringLiteral("Left.png"), QStringLiteral("LeftClick.png"), QString()));

    ui->comboBox->setStyleSheet(
        QStringLiteral("QComboBox{border:0px;color: rgb(") + comboText + QStringLiteral(");border-image: url(") + folder
        + QStringLiteral("ComboboxBack.png);}QComboBox::drop-down:button{border-radius:5px;background: rgb(")
        + comboBack + QStringLiteral(");}QComboBox::down-arrow{image: url(") + folder
        + QStringLiteral("Menu.png);right: 8px;}QComboBox::down-arrow:on{image: url(") + folder
        + QStringLiteral("MenuClicked.png);}QComboBox QAbstractItemView::item{height:25px;}"
                         "QComboBox QAbstractItemView{outline:0px;border:0px;color: rgb(")
        + comboText + QStringLiteral(");border-image: url(") + folder
        + QStringLiteral("ComboboxTextBack.png);selection-background-color: rgb(") + comboSelect
        + QStringLiteral(");}"));
    auto* view = new QListView; // the combo box takes it over
    view->setStyleSheet(QStringLiteral("QListView::item:selected{background-color: rgb(") + comboSelect
                        + QStringLiteral(");}QListView::item:hover{background-color: rgb(") + comboSelect
                        + QStringLiteral(");}"));
    ui->comboBox->setView(view);
    ui->comboBox->setMaxVisibleItems(5);

    ui->FindVerlaebl->setStyleSheet(QStringLiteral("QLabel{color: rgb(") + labelColor + QStringLiteral(");}"));
    ui->NewHong->setStyleSheet(QStringLiteral("QToolButton{border:0px;color: rgb(") + buttonColor
                               + QStringLiteral(");border-image: url(") + warning
                               + QStringLiteral("Confirm.png);}QToolButton:pressed{border-image: url(") + warning
                               + QStringLiteral("ConfirmClick.png);}"));
    ui->CloseButton_2->setStyleSheet(WindowButtonStyle(
        warning, QStringLiteral("Close.png"), QStringLiteral("CloseHover.png"), QStringLiteral("CloseClick.png")));
    ui->FindVer->setStyleSheet(QStringLiteral("#FindVer{border:0px;background-image: url(") + warning
                               + QStringLiteral("BackGround.png);}"));
    ui->NoApear->setStyleSheet(QStringLiteral("QCheckBox{color: rgb(") + labelColor
                               + QStringLiteral(");}QCheckBox::indicator:checked{image: url(") + warning
                               + QStringLiteral("CheckBoxCheck.png);}QCheckBox::indicator:unchecked{image: url(")
                               + warning + QStringLiteral("CheckBox.png);}"));
}

void DialogChange::ShowRepairState(bool pending)
{
    ui->Repair->setVisible(pending);
    ui->label_2->setText(pending ? m_repairDeviceText : m_label2Text);
}

void DialogChange::ShowNoGrid()
{
    ui->label_2->show();
    ui->label_3->hide();
    ui->RightButton->hide();
    ui->LeftButton->hide();
}

QString DialogChange::OfflineTips() const
{
    return m_offlineTips1 + QStringLiteral("\n") + m_offlineTips2;
}

// --- the grid ---------------------------------------------------------------------

void DialogChange::BuildDeviceGrid()
{
    // deleteLater: the button whose click is being handled may be among them.
    for (QWidget* widget : qAsConst(g_deviceButtons))
        widget->deleteLater();
    for (QWidget* widget : qAsConst(g_offlineMarkers))
        widget->deleteLater();
    for (QWidget* widget : qAsConst(g_rateBadges))
        widget->deleteLater();
    for (QWidget* widget : qAsConst(g_onlineMarkers))
        widget->deleteLater();
    g_deviceButtons.clear();
    g_offlineMarkers.clear();
    g_rateBadges.clear();
    g_onlineMarkers.clear();
    while (ui->stackedWidget->count() > 0) {
        QWidget* page = ui->stackedWidget->widget(ui->stackedWidget->count() - 1);
        ui->stackedWidget->removeWidget(page);
        page->deleteLater();
    }

    if (g_homeDeviceList.isEmpty()) {
        ShowNoGrid();
        return;
    }

    const HomeRules::ReceiverPids pids = ReceiverPidLists();
    const int deviceTotal = DeviceTotal();
    HomeRules::DeviceCountTable table(deviceTotal);
    for (int i = 0; i < g_homeDeviceList.size(); ++i) {
        table.Add(g_homeDeviceList.at(i), pids);
        RefreshDeviceOnline(i);
    }

    if (table.HasDuplicate()) {
        ShowNoGrid();
        QuestiondialogB notice;
        notice.move(NoticeStyle::CentredOn(this, &notice));
        notice.exec();
        return;
    }

    HomeRules::ApplyWiredOverWireless(g_homeDeviceList, table, deviceTotal);

    ui->label_2->hide();
    ui->label_3->show();

    const int count = g_homeDeviceList.size();
    for (int i = 0; i < count; ++i) {
        const DeviceAllInfo& entry = g_homeDeviceList.at(i);
        const HomeRules::GridSlot slot = HomeRules::SlotOf(i, count);
        if (slot.page >= ui->stackedWidget->count())
            ui->stackedWidget->addWidget(new QWidget);
        QWidget* page = ui->stackedWidget->widget(slot.page);

        auto* button = new mytoolButtonEnter(page);
        button->setObjectName(QStringLiteral("btn") + QString::number(i));
        button->move(slot.buttonX, 0);
        button->setFixedSize(kDeviceButtonSize);
        button->setFocusPolicy(Qt::NoFocus);
        const bool unrecognised = entry.modelIndex == g_unknownModelIndex;
        button->setStyleSheet(DevicePictureStyle(
            m_pictureFolder, unrecognised ? QStringLiteral("Unknow.png") : QStringLiteral("DisOnlin0.png")));
        button->show();
        g_deviceButtons.append(button);

        QLabel* offline = NewMarker(page, QStringLiteral("label") + QString::number(i), slot.markerX, m_pictureFolder,
                                    QStringLiteral("DisOnline.png"));
        offline->setToolTip(OfflineTips());
        g_offlineMarkers.append(offline);

        QLabel* online = NewMarker(page, QStringLiteral("UsbWifi") + QString::number(i), slot.markerX, m_pictureFolder,
                                   entry.wired ? QStringLiteral("OnLineUsb.png") : QStringLiteral("OnLineWifi.png"));
        if (slot.aloneOnLastPage)
            online->setToolTip(OfflineTips());
        g_onlineMarkers.append(online);

        const QString badge = HomeRules::RateBadgePicture(entry.pid, pids, slot.onPartPage);
        if (!badge.isEmpty()) {
            auto* label = new QLabel(page);
            label->setStyleSheet(QStringLiteral("QLabel{background-image: url(") + m_pictureFolder + badge
                                 + QStringLiteral(");}"));
            label->move(slot.badgeX, kBadgeY);
            label->setFixedSize(kBadgeSize);
            label->setFocusPolicy(Qt::NoFocus);
            label->show();
            g_rateBadges.append(label);
        }
    }
    ui->stackedWidget->setCurrentIndex(0);

    ui->RightButton->setVisible(count > 3);
    ui->LeftButton->hide();

    for (int i = 0; i < g_deviceButtons.size(); ++i) {
        RefreshDeviceButton(i);
        connect(g_deviceButtons.at(i), SIGNAL(clicked()), this, SLOT(slotButtonClicked()));
    }
}

bool DialogChange::RefreshDeviceButton(int index)
{
    // A button already released by a rebuild may still report the pointer.
    if (index < 0 || index >= g_homeDeviceList.size() || index >= g_deviceButtons.size()
        || index >= g_offlineMarkers.size() || index >= g_onlineMarkers.size())
        return false;

    DeviceAllInfo entry = g_homeDeviceList.at(index);
    unsigned char reply[DEVICELIB_ONLINE_REPLY_SIZE] = {};
    AskOnline(entry, reply);
    IdentifyHomeDevice(entry);
    ReadOnlineReply(entry, reply);

    g_homeDeviceList[index] = entry;
    ReplaceFoundEntry(entry);

    QLabel* offline = g_offlineMarkers.at(index);
    QLabel* online = g_onlineMarkers.at(index);
    QString picture;
    if (entry.modelIndex == g_unknownModelIndex) {
        online->show();
        picture = QStringLiteral("Unknow.png");
    } else if (entry.online) {
        online->show();
        offline->hide();
        picture = QStringLiteral("OnLine0.png");
    } else {
        picture = QStringLiteral("DisOnlin0.png");
        offline->show();
        online->hide();
    }
    g_deviceButtons.at(index)->setStyleSheet(DevicePictureStyle(m_pictureFolder, picture));
    return true;
}

void DialogChange::on_RightButton_clicked()
{
    ui->label_2->hide();
    ui->label_3->show();
    const int current = ui->stackedWidget->currentIndex();
    if (ui->stackedWidget->count() == current + 2) {
        ui->LeftButton->show();
        ui->RightButton->hide();
    }
    ui->stackedWidget->setCurrentIndex(current + 1);
}

void DialogChange::on_LeftButton_clicked()
{
    ui->label_2->hide();
    ui->label_3->show();
    const int current = ui->stackedWidget->currentIndex();
    if (current == 1) {
        ui->LeftButton->hide();
        ui->RightButton->show();
    }
    ui->stackedWidget->setCurrentIndex(current - 1);
}

// --- selection ------------------------------------------------------------------------

void DialogChange::slotButtonClicked()
{
    PostMsg* hub = PostMsg::GetInstance();
    emit hub->SigSetver(6);

    const QObject* button = sender();
    if (!button)
        return;
    bool isNumber = false;
    const int index = button->objectName().remove(QStringLiteral("btn")).toInt(&isNumber);
    if (!isNumber || index < 0 || index >= g_homeDeviceList.size())
        return;
    // A copy: the modal dialogs below let hot plug rebuild the list.
    const DeviceAllInfo entry = g_homeDeviceList.at(index);

    const int mid = Config()->IntValue(ConfigStore::ModelGroup(entry.modelIndex), QStringLiteral("MID"));
    if (mid == 1)
        emit hub->SigMouseIndex(0);
    else if (mid == 2)
        emit hub->SigMouseIndex(1);

    HomeRules::ClickFacts facts;
    facts.listSize = g_homeDeviceList.size();
    facts.unrecognised = entry.modelIndex == g_unknownModelIndex;
    facts.wired = entry.wired;
    if (facts.listSize == 2) {
        const DeviceAllInfo& other = g_homeDeviceList.at(1 - index);
        facts.sameIdentityAsOther = entry.cid == other.cid && entry.mid == other.mid;
        if (facts.sameIdentityAsOther) {
            facts.online = UsbFinderC_GetDeviceOnLine(entry.path.toUtf8().constData());
            facts.otherOnline = UsbFinderC_GetDeviceOnLine(other.path.toUtf8().constData());
        }
    }

    switch (HomeRules::DecideClickRoute(facts)) {
    case HomeRules::ClickRoute::Repair:
        RunRepairRoute(entry);
        return;
    case HomeRules::ClickRoute::Ignore:
        return;
    case HomeRules::ClickRoute::Select:
        break;
    }

    // The worker makes the entry the current device before this returns.
    emit hub->SigSelectMouseInfo(entry);
    const int receiverClass = ReceiverClassOf(entry.connectionType);
    if (QDir(AppFolder() + QStringLiteral("/bin")).exists()) {
        g_receiverUpdateAvailable = CheckFirmwareUpdate(FirmwareKindReceiver, entry.version, receiverClass);
        emit hub->SigLabelTextB(entry.version, g_receiverUpdateAvailable ? QStringLiteral("true") : QString());
    } else {
        emit hub->SigLabelTextB(entry.version, QString());
    }
    emit hub->SigChangeMainDialog(1);
    QThread::msleep(kSelectWaitMs);
    // The pass reads both flags first.
    g_workerRun = true;
    g_deviceSelected = 1;
    if (g_worker)
        g_worker->start();
}

void DialogChange::RunRepairRoute(const DeviceAllInfo& entry)
{
    const std::optional<RepairImages> images = FindRepairImages(entry);
    if (!images) {
        RunPairing(entry);
        return;
    }

    switch (HomeRules::DecideRepairAction(images->receiver, images->mouse)) {
    case HomeRules::RepairAction::AskThenPair: {
        RePair question;
        question.move(NoticeStyle::CentredOn(this, &question));
        question.exec();
        if (question.result)
            RunPairing(entry);
        break;
    }
    case HomeRules::RepairAction::WarnCableUpdate: {
        UpDateWarning warning;
        warning.SetLabelText(g_wiredModeText);
        warning.move(NoticeStyle::CentredOn(this, &warning, QPoint(-20, 0)));
        warning.exec();
        break;
    }
    case HomeRules::RepairAction::Nothing:
        break;
    }
}

void DialogChange::RunPairing(const DeviceAllInfo& entry)
{
    g_pairRepairTarget = true;
    g_repairTarget = entry;
    Match match;
    match.InitPair();
    match.move(NoticeStyle::CentredOn(this, &match));
    match.exec();
}

// --- other slots ------------------------------------------------------------------------

void DialogChange::WindowClosedA()
{
    close();
}

void DialogChange::WindowMinA()
{
    showMinimized();
}

void DialogChange::on_MinButton_clicked()
{
    emit PostMsg::GetInstance()->SigChangeSize(2);
}

void DialogChange::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigChangeSize(3);
}

void DialogChange::on_Repair_clicked()
{
    if (!g_upDateRepair)
        return;
    g_upDateRepair->move(NoticeStyle::CentredOn(this, g_upDateRepair));
    g_upDateRepair->ResetState();
    g_upDateRepair->setModal(true);
    emit PostMsg::GetInstance()->SigRepairCheckUpdate();
    g_upDateRepair->show();
}

void DialogChange::on_comboBox_activated(int index)
{
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"),
                                           QString::number(index));
    PostMsg* hub = PostMsg::GetInstance();
    // Every window reloads its texts from the one new file.
    LabelFile::SharedLoad sharedLabels;
    emit hub->SigChangeLanguage(index);
    emit hub->SigLanguageSameB(index);
}

void DialogChange::SlotSameLanguageA(int index)
{
    ui->comboBox->setCurrentIndex(index);
}

void DialogChange::SlotUpDateButton(bool IsHide)
{
    ui->Repair->setVisible(!IsHide);
    ui->label_2->setText(IsHide ? m_label2Text : m_repairDeviceText);
}

void DialogChange::SlotEnterKey()
{
    if (ui->FindVer->isVisible())
        ui->FindVer->hide();
    else if (ui->Repair->isVisible())
        on_Repair_clicked();
}

void DialogChange::on_CloseButton_2_clicked()
{
    ui->FindVer->hide();
}

void DialogChange::on_NewHong_clicked()
{
    ui->FindVer->hide();
}

void DialogChange::on_NoApear_clicked(bool checked)
{
    UserSettingStore::Instance()->SetValue(QStringLiteral("FindNew"), QStringLiteral("IsShow"),
                                           checked ? QStringLiteral("1") : QStringLiteral("0"));
}

void DialogChange::ChangeDialogLanguage(int index)
{
    const LabelFile::Result result = LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("DialogChange"), {
        {QStringLiteral("label_2"),
         [this](const QString& text) {
             m_label2Text = text;
             if (!ui->Repair->isVisible())
                 ui->label_2->setText(text);
         }},
        {QStringLiteral("RepairDevice"),
         [this](const QString& text) {
             m_repairDeviceText = text;
             if (ui->Repair->isVisible())
                 ui->label_2->setText(text);
         }},
        {QStringLiteral("label_3"), [this](const QString& text) { ui->label_3->setText(text); }},
        {QStringLiteral("label"), [this](const QString& text) { ui->FindVerlaebl->setText(text); }},
        {QStringLiteral("NewHong"), [this](const QString& text) { ui->NewHong->setText(text); }},
        {QStringLiteral("NoApear"), [this](const QString& text) { ui->NoApear->setText(text); }},
        {QStringLiteral("OfflineTips1"), [this](const QString& text) { m_offlineTips1 = text; }},
        {QStringLiteral("OfflineTips2"), [this](const QString& text) { m_offlineTips2 = text; }},
        {QStringLiteral("MouseIsNewTips"), [](const QString& text) { g_mouseIsNewTipsText = text; }},
    });
    if (!result.opened)
        return;
    for (QLabel* marker : qAsConst(g_offlineMarkers))
        marker->setToolTip(OfflineTips());
}

void DialogChange::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->comboBox->blockSignals(true);
        ui->retranslateUi(this);
        ui->comboBox->setCurrentIndex(0);
        ui->comboBox->blockSignals(false);
    }
    QWidget::changeEvent(event);
}
