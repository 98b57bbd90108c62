#include "dialog_main.h"
#include "ui_dialog_main.h"

#include "app_state.h"
#include "contain_reset.h"
#include "device_report.h"
#include "devicelib.h"
#include "dialog.h"
#include "dialog_change.h"
#include "label_file.h"
#include "match.h"
#include "mouse_off_line.h"
#include "notice_style.h"
#include "paths.h"
#include "post_msg.h"
#include "trace_log.h"
#include "registry_values.h"
#include "up_date_repair.h"
#include "up_date_warning.h"
#include "user_setting_store.h"
#include "worker.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>

namespace {

// FramelessWindowHint | WindowSystemMenuHint | WindowMinimizeButtonHint.
const Qt::WindowFlags kWindowFlags(0x6800);
const int kQuitWaitMs = 200;
const int kBackToHomeSleepMs = 100;
const int kHotplugIntervalMs = 600;

} // namespace

bool (*DialogMain::TrayAvailable)() = &QSystemTrayIcon::isSystemTrayAvailable;

DialogMain::DialogMain(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogMain)
{
    // Every window built here reads the same language file.
    LabelFile::SharedLoad sharedLabels;
    ui->setupUi(this);
    PostMsg* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    // A language chosen by an earlier installation becomes ours before any
    // page loads its texts.
    MigrateLanguageIndex();

    m_imageFolder = PictureFolder(QStringLiteral("Dialog"));

    m_deviceWindow = new Dialog(this);
    m_homePage = new DialogChange(this);

    ui->stackedWidgetMain->addWidget(m_homePage);
    ui->stackedWidgetMain->addWidget(m_deviceWindow);
    ui->stackedWidgetMain->setCurrentWidget(m_homePage);

    setWindowFlags(kWindowFlags);
    setFixedSize(size());

    connect(hub, SIGNAL(SigChangeMainDialog(int)), this, SLOT(SlotChangeMainDialog(int)));
    connect(hub, SIGNAL(SigChangeSize(int)), this, SLOT(SlotChangeSize(int)));
    connect(hub, SIGNAL(SigMouseOffLineo(int )), this, SLOT(SlotMouseOffLine(int)));
    connect(hub, SIGNAL(SigUpPageLight()), this, SLOT(SlotUpPageLight()));

    m_trayIcon.reset(new QSystemTrayIcon);
    m_trayIcon->setIcon(QIcon(m_imageFolder + QStringLiteral("Logo.png")));
    m_trayIcon->setToolTip(g_appName);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

DialogMain::~DialogMain()
{
    // Stopping the connection delivers what its pass queued; none of it may
    // switch pages or open notices in a window that is going.
    PostMsg::GetInstance()->disconnect(this);
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    delete m_homePage;
    m_homePage = nullptr;
    delete m_deviceWindow;
    m_deviceWindow = nullptr;
}

void DialogMain::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("DialogMain"), {
        {QStringLiteral("MainForm"), [this](const QString& text) { m_mainFormText = text; }},
        {QStringLiteral("Exit"), [this](const QString& text) { m_exitText = text; }},
        {QStringLiteral("WorldFileError"), [this](const QString& text) { m_worldFileErrorText = text; }},
    });
}

void DialogMain::SlotChangeMainDialog(int index)
{
    g_sendEnabled = true;
    if (index == 0) {
        PostMsg* hub = PostMsg::GetInstance();
        emit hub->SigSecondPageChange();
        g_deviceSelected = 0;
        emit hub->SigMainPageChange();
        UsbServer_Exit();
        QThread::msleep(kBackToHomeSleepMs);
        ui->stackedWidgetMain->setCurrentWidget(m_homePage);
        StartUsbChanged(HomeUsbChanged, kHotplugIntervalMs);
    } else if (index == 1) {
        ui->stackedWidgetMain->setCurrentWidget(m_deviceWindow);
        StartUsbChanged(OnDevicePageUsbChanged, kHotplugIntervalMs);
    }
}

void DialogMain::SlotChangeSize(int index)
{
    switch (index) {
    case 0:
    case 2:
        Minimise(index == 0);
        break;
    case 1:
        UsbServer_SetPCDriverStatus(false);
        Quit();
        break;
    case 3:
        Quit();
        break;
    default:
        break;
    }
}

// fromDeviceWindow: the mouse hears that the driver is gone while hidden.
void DialogMain::Minimise(bool fromDeviceWindow)
{
    // Without a tray a hidden window could never be brought back (a second
    // start only shows the already-running notice): minimise it as any
    // window. The driver stays present, as nothing would announce its return.
    if (!TrayAvailable()) {
        showMinimized();
        return;
    }
    if (fromDeviceWindow)
        UsbServer_SetPCDriverStatus(false);
    HideToTray();
}

void DialogMain::HideToTray()
{
    hide();

    // The menu is built anew each time (its texts follow the language); the
    // previous one goes with it.
    QMenu* previous = m_trayMenu;
    m_mainAction = new QAction(m_mainFormText, this);
    connect(m_mainAction, SIGNAL(triggered()), this, SLOT(slotActionMain()));
    m_exitAction = new QAction(m_exitText, this);
    connect(m_exitAction, SIGNAL(triggered()), this, SLOT(slotActionExitApp()));
    m_trayMenu = new QMenu(this);
    m_trayMenu->addAction(m_mainAction);
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(m_exitAction);
    m_trayIcon->setContextMenu(m_trayMenu);
    if (previous) {
        // Its two entries belong to this window, the separator to the menu.
        // Later, not at once: this may run from the old menu's own event.
        for (QAction* action : previous->actions()) {
            if (action->parent() == this)
                action->deleteLater();
        }
        previous->deleteLater();
    }

    if (!m_trayConnected) {
        connect(m_trayIcon.get(), &QSystemTrayIcon::activated, this, &DialogMain::on_activatedSysTrayIcon);
        m_trayConnected = true;
    }
    m_trayIcon->show();
}

void DialogMain::Quit()
{
    qCDebug(lcTrace) << "close";
    StopUsbChanged();
    WaitWithEvents(kQuitWaitMs);
    UsbServer_Exit();
    close();
}

void DialogMain::SlotMouseOffLine(int index)
{
    // Every refused send raises the signal, also while a notice waits in its
    // own loop: one notice at a time.
    if (MouseOffLine::IsOpen())
        return;
    g_offlineNoticeMode = index;
    MouseOffLine notice;
    notice.move(NoticeStyle::CentredOn(this, &notice, QPoint(0, -20)));
    g_waitingForDevice = true;
    g_restartNeeded = true;
    // The online check closes the notice once the mouse answers again; a
    // factory reset that stopped it while it waited must not keep the
    // notice up.
    if (g_onlineCheckTimer && !g_onlineCheckTimer->isActive())
        g_onlineCheckTimer->start();
    notice.exec();
}

void DialogMain::SlotUpPageLight()
{
}

// The tray icon, its menu and the window are left alone while the icon's or
// the menu's own event is being handled: hiding the icon there destroys the
// object whose event handler is still running. Every entry therefore only
// queues what it does.
void DialogMain::on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context:
        // The icon opens its context menu itself where it can; a second
        // (nested) run of the same menu is what must not happen.
        if (m_trayMenu && !m_trayMenu->isVisible())
            m_trayMenu->popup(QCursor::pos());
        break;
    case QSystemTrayIcon::DoubleClick:
        RestoreFromTray(false);
        break;
    case QSystemTrayIcon::Trigger:
        RestoreFromTray(true);
        break;
    default:
        break;
    }
}

void DialogMain::slotActionMain()
{
    RestoreFromTray(true);
}

// tellDriver: the device window tells the library that the driver is back.
void DialogMain::RestoreFromTray(bool tellDriver)
{
    QMetaObject::invokeMethod(this, [this, tellDriver] {
        show();
        if (tellDriver && ui->stackedWidgetMain->currentIndex() == 1)
            UsbServer_SetPCDriverStatus(true);
        m_trayIcon->hide();
    }, Qt::QueuedConnection);
}

// The same ordered shutdown as the shown page's close button: the device
// window saves the image and the mouse hears that the driver has gone.
void DialogMain::slotActionExitApp()
{
    QMetaObject::invokeMethod(this, [this] {
        m_trayIcon->hide();
        if (ui->stackedWidgetMain->currentIndex() == 1)
            m_deviceWindow->on_CloseButton_clicked();
        else
            SlotChangeSize(3);
    }, Qt::QueuedConnection);
}

void DialogMain::on_pushButton_clicked()
{
    close();
}

void DialogMain::mousePressEvent(QMouseEvent* event)
{
    m_pressPos = event->globalPos();
    m_windowPos = pos();
    m_dragOffset = m_pressPos - m_windowPos;
}

void DialogMain::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::LeftButton && !isMaximized() && !m_dragOffset.isNull())
        move(event->globalPos() - m_dragOffset);
}

void DialogMain::mouseReleaseEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
    m_dragOffset = QPoint();
}

void DialogMain::keyPressEvent(QKeyEvent* event)
{
    if (g_macroRecording)
        return;
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F12:
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit PostMsg::GetInstance()->SigEnterKey();
        return;
    case Qt::Key_Space:
        if (ui->stackedWidgetMain->currentIndex() != 0) {
            g_pairRepairTarget = true;
            RunPairing();
        } else {
            SpaceOnHomePage();
        }
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void DialogMain::SpaceOnHomePage()
{
    if (g_homeDeviceList.size() != 1 || g_homeDeviceList.first().wired)
        return;
    const std::optional<RepairImages> images = FindRepairImages(g_homeDeviceList.first());
    if (!images) {
        g_pairRepairTarget = false;
        RunPairing();
        return;
    }

    UpDateRepair repair;
    repair.move(NoticeStyle::CentredOn(this, &repair));

    if (images->receiver && !images->mouse) {
        ContainReset question;
        question.SetLabelText(g_mouseIsNewTipsText);
        question.move(NoticeStyle::CentredOn(this, &question, QPoint(-20, 0)));
        question.exec();
        if (question.result) {
            repair.ForceUpgrade(0);
            repair.exec();
        }
    } else if (images->mouse && !images->receiver) {
        UpDateWarning warning;
        warning.SetLabelText(g_wiredModeText);
        warning.move(NoticeStyle::CentredOn(this, &warning, QPoint(-20, 0)));
        warning.exec();
    } else {
        g_pairRepairTarget = false;
        RunPairing();
    }
}

void DialogMain::RunPairing()
{
    // While the device window is shown hot plug stays with its devices.
    RunPairingDialog(this, QPoint(), ui->stackedWidgetMain->currentIndex() == 1);
}
