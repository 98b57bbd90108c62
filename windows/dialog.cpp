#include "dialog.h"
#include "ui_dialog.h"

#include "app_state.h"
#include "buttoninterface.h"
#include "config_store.h"
#include "crash_dump.h"
#include "device_cache.h"
#include "device_image_setters.h"
#include "devicelib.h"
#include "form_setting.h"
#include "macro.h"
#include "notice_style.h"
#include "paths.h"
#include "post_msg.h"
#include "trace_log.h"
#include "sensor_page.h"
#include "up_data_param.h"
#include "worker.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

namespace {

// FramelessWindowHint | WindowSystemMenuHint | WindowMinimizeButtonHint.
const Qt::WindowFlags kWindowFlags(0x6800);
const int kBackWaitMs = 100;
const int kLowBattery = 16;

QString Url(const QString& folder, const QString& picture)
{
    return QStringLiteral("url(\"%1%2\")").arg(folder, picture);
}

QString PageButtonStyle(const QString& folder, const QString& normal, const QString& hover, const QString& checked)
{
    return QStringLiteral("QToolButton{border: 0px;background-position:center;background-repeat:no-repeat;"
                          "background-image: %1;}QToolButton:hover{background-image:  %2;}"
                          "QToolButton:checked{background-image: %3;}")
        .arg(Url(folder, normal), Url(folder, hover), Url(folder, checked));
}

QString WindowButtonStyle(const QString& folder, const QString& normal, const QString& hover, const QString& pressed)
{
    return QStringLiteral("QToolButton{border:0px;background-image: %1;background-position:center;"
                          "background-repeat:no-repeat;}QToolButton:hover{background-image: %2;}"
                          "QToolButton:pressed{background-image: %3;}")
        .arg(Url(folder, normal), Url(folder, hover), Url(folder, pressed));
}

} // namespace

Dialog::Dialog(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::Dialog)
{
    ui->setupUi(this);
    ui->line_6->hide();
    ui->LightsButton->hide();
    m_imageFolder = PictureFolder(QStringLiteral("Dialog"));

    m_buttonPage = new Buttoninterface(this);
    m_macroPage = new Macro(this);
    m_sensorPage = new Sensor(this);
    m_settingsPage = new FormSetting(this);
    ui->stackedWidgetDialog->addWidget(m_buttonPage);
    ui->stackedWidgetDialog->addWidget(m_sensorPage);
    ui->stackedWidgetDialog->addWidget(m_macroPage);
    ui->stackedWidgetDialog->addWidget(m_settingsPage);

    m_importDialog = new UpDataParam(nullptr);

    qCDebug(lcTrace) << "Start";
    SetStyleSheets();
    ui->label->hide();
    ui->SetButton->hide();
    m_unreportedBattery = {ui->progressBar->value(), ui->label_2->text(), ui->progressBar->styleSheet()};

    m_spareGroup = new QButtonGroup(this);
    m_spareGroup->setExclusive(true);
    m_pageGroup = new QButtonGroup(this);
    m_pageGroup->setExclusive(true);
    for (QAbstractButton* button : {static_cast<QAbstractButton*>(ui->ButtonMain), static_cast<QAbstractButton*>(ui->MacroButton),
                                    static_cast<QAbstractButton*>(ui->LightsButton), static_cast<QAbstractButton*>(ui->SensorButton),
                                    static_cast<QAbstractButton*>(ui->FormSetting)})
        m_pageGroup->addButton(button);

    connect(ui->MinButton, SIGNAL(clicked()), this, SLOT(WindowMin()));
    ui->ButtonMain->setChecked(true);

    setWindowFlags(kWindowFlags);
    setFixedSize(size());

    m_crashHandler.reset(new CrashHandler(UserDataFolder()));
    m_crashHandler->Install();

    ui->stackedWidgetDialog->setCurrentWidget(m_buttonPage);

    PostMsg* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigSecondPageChange()), this, SLOT(SlotSecondDialog()));
    connect(hub, SIGNAL(SigUpDataParam(int)), this, SLOT(SlotUpDataParam(int)));
    connect(hub, SIGNAL(SigStartRecord(int)), this, SLOT(SlotStartRecord(int)));
    connect(hub, SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));
    connect(hub, SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), this, SLOT(SlotSelectMouseInfo(DeviceAllInfo)));
    // The report thread waits until the display shows the new level.
    connect(hub, SIGNAL(SigBattery(bool,int,bool)), this, SLOT(SlotBattery(bool,int,bool)),
            Qt::BlockingQueuedConnection);

    ui->label_3->hide();
}

Dialog::~Dialog()
{
    // The button page waits for the connection pass and delivers what it
    // queued meanwhile; nothing of that may reach this window any more
    // (a reconnection would open the waiting dialog during shutdown).
    PostMsg::GetInstance()->disconnect(this);
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    delete m_buttonPage;
    delete m_macroPage;
    delete m_sensorPage;
    delete m_settingsPage;
    delete m_importDialog;
}

void Dialog::SetStyleSheets()
{
    const QString folder = m_imageFolder;
    ui->label_2->setStyleSheet(QStringLiteral("#label_2{color: rgb(%1);}")
                                   .arg(ConfigStore::Instance()->ColorText(QStringLiteral("LabelColor"))));
    ui->frame_2->setStyleSheet(QStringLiteral("#frame_2{border-image: %1;}").arg(Url(folder, QStringLiteral("BackGround.png"))));
    // The inner frames only hold widgets: the background picture draws the bands.
    for (QFrame* frame : {ui->frame, ui->frame_3, ui->frame_4})
        frame->setStyleSheet(QStringLiteral("#%1{border:0px;background:transparent;}").arg(frame->objectName()));
    ui->BatteryButtonC->setStyleSheet(QStringLiteral("#BatteryButtonC{border:0px;background-image: %1;"
                                                     "background-position:center;background-repeat:no-repeat;}")
                                          .arg(Url(folder, QStringLiteral("Battery.png"))));
    ui->label->setStyleSheet(QStringLiteral("#label{border-image: %1;}").arg(Url(folder, QStringLiteral("Charg.png"))));

    ui->ButtonMain->setStyleSheet(PageButtonStyle(folder, QStringLiteral("Home.png"), QStringLiteral("HomeHover.png"),
                                                  QStringLiteral("HomeChecked.png")));
    ui->SensorButton->setStyleSheet(PageButtonStyle(folder, QStringLiteral("Sensor.png"),
                                                    QStringLiteral("SensorHover.png"), QStringLiteral("SensorChecked.png")));
    ui->MacroButton->setStyleSheet(PageButtonStyle(folder, QStringLiteral("Macro.png"), QStringLiteral("MacroHover.png"),
                                                   QStringLiteral("MacroChecked.png")));
    ui->FormSetting->setStyleSheet(PageButtonStyle(folder, QStringLiteral("Setting.png"),
                                                   QStringLiteral("SettingHover.png"), QStringLiteral("SettingClick.png")));
    ui->LightsButton->setStyleSheet(PageButtonStyle(folder, QStringLiteral("Light.png"), QStringLiteral("LightHover.png"),
                                                    QStringLiteral("LightChecked.png")));
    ui->CloseButton->setStyleSheet(WindowButtonStyle(folder, QStringLiteral("Close.png"), QStringLiteral("CloseHover.png"),
                                                     QStringLiteral("CloseClick.png")));
    ui->MinButton->setStyleSheet(WindowButtonStyle(folder, QStringLiteral("Min.png"), QStringLiteral("MinHover.png"),
                                                   QStringLiteral("MinClick.png")));
    ui->SetButton->setStyleSheet(WindowButtonStyle(folder, QStringLiteral("Setting.png"),
                                                   QStringLiteral("SettingHover.png"), QStringLiteral("SettingClick.png")));
    ui->UpArrow->setStyleSheet(WindowButtonStyle(folder, QStringLiteral("PageChange.png"),
                                                 QStringLiteral("PageChangeHover.png"), QStringLiteral("PageChangeClick.png")));
}

void Dialog::on_ButtonMain_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(m_buttonPage);
    emit PostMsg::GetInstance()->SigAddMacroButton();
}

void Dialog::on_SensorButton_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(m_sensorPage);
}

void Dialog::on_MacroButton_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(m_macroPage);
}

void Dialog::on_FormSetting_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(m_settingsPage);
}

void Dialog::on_LightsButton_clicked()
{
}

void Dialog::on_SetButton_clicked()
{
}

void Dialog::WindowMin()
{
    emit PostMsg::GetInstance()->SigChangeSize(0);
}

void Dialog::SaveDeviceImage()
{
    SaveDeviceImageToCache();
}

void Dialog::on_CloseButton_clicked()
{
    SaveDeviceImage();
    emit PostMsg::GetInstance()->SigChangeSize(1);
}

void Dialog::WindowClosed()
{
    on_CloseButton_clicked();
}

void Dialog::on_UpArrow_clicked()
{
    UsbServer_SetPCDriverStatus(false);
    SaveDeviceImage();
    ui->ButtonMain->setChecked(true);
    WaitWithEvents(kBackWaitMs);
    UsbServer_Exit();
    PostMsg* hub = PostMsg::GetInstance();
    emit hub->SigChangeMainDialog(0);
    emit hub->SigSetMacroPage();
}

void Dialog::SlotSecondDialog()
{
    ui->ButtonMain->setChecked(true);
    ui->stackedWidgetDialog->setCurrentWidget(m_buttonPage);
}

void Dialog::SlotBattery(bool IsCharg, int Number, bool IsText)
{
    m_batteryDevicePath = CurrentDeviceCopy().path;
    ui->label->setVisible(IsCharg);
    ui->progressBar->setValue(Number);
    ui->label_2->setText(QString::number(Number) + (IsText ? QStringLiteral("%") : QString()));
    const QString chunk = Number < kLowBattery ? QStringLiteral("rgb(152, 43, 34)") : QStringLiteral("rgb(0, 255, 153)");
    ui->progressBar->setStyleSheet(QStringLiteral("#progressBar{border: none;background-color: transparent;}"
                                                  "#progressBar::chunk {background-color: %1;}")
                                       .arg(chunk));
}

void Dialog::ShowUnreportedBattery()
{
    ui->label->hide();
    ui->progressBar->setValue(m_unreportedBattery.level);
    ui->label_2->setText(m_unreportedBattery.text);
    ui->progressBar->setStyleSheet(m_unreportedBattery.barStyle);
}

void Dialog::SlotSelectMouseInfo(DeviceAllInfo SelectInfo)
{
    // Another mouse may sleep for a long while before its first report:
    // until then it has no battery to show, least of all the last one's.
    if (SelectInfo.path == m_batteryDevicePath)
        return;
    m_batteryDevicePath.clear();
    ShowUnreportedBattery();
}

void Dialog::SlotStartRecord(int index)
{
    if (index != 0 && index != 1)
        return;
    const bool enabled = index == 1;
    ui->ButtonMain->setEnabled(enabled);
    ui->SensorButton->setEnabled(enabled);
    ui->LightsButton->setEnabled(enabled);
    ui->MacroButton->setEnabled(enabled);
    ui->FormSetting->setEnabled(enabled);
}

void Dialog::SlotUpDataParam(int index)
{
    m_importDialog->SetTimeout();
    qCDebug(lcTrace) << "q";
    // Only a run after a forced reconnection waits for the pages.
    if (index == 1)
        m_importDialog->RequestPageWait();
    else
        m_importDialog->waitForPages = false;
    qCDebug(lcTrace) << "w";
    // A signal while the dialog is up only restarts its count.
    if (m_importDialog->isVisible())
        return;
    m_importDialog->move(NoticeStyle::CentredOn(this, m_importDialog, QPoint(0, -20)));
    qCDebug(lcTrace) << "t1";
    m_importDialog->exec();
}

void Dialog::SlotMouseIndex(int index)
{
    Q_UNUSED(index)
}

void Dialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void Dialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QWidget::keyPressEvent(event);
}
