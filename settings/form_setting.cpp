#include "form_setting.h"
#include "ui_form_setting.h"

#include "app_state.h"
#include "autostart.h"
#include "config_store.h"
#include "device_image_setters.h"
#include "devicelib.h"
#include "frame_style.h"
#include "match.h"
#include "mouse_settings.h"
#include "notice_style.h"
#include "paths.h"
#include "post_msg.h"
#include "setting_groups.h"
#include "stop_close_time.h"
#include "up_date_repair.h"
#include "up_date_warning.h"
#include "user_setting_store.h"
#include "worker.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QUrl>

QTimer* g_receiverUpdateTimer = nullptr;
QTimer* g_mouseUpdateTimer = nullptr;

const char FormSetting::kAutostartEntry[] = "quorix-one";

namespace {

const int kUpdateStepMs = 1000;

SettingGroups::Device SelectedDevice()
{
    const DeviceAllInfo device = CurrentDeviceCopy();
    SettingGroups::Device facts;
    facts.advanced = ConfigStore::Instance()->ValueList(ConfigStore::ModelGroup(device.modelIndex),
                                                        QStringLiteral("Adveanced"));
    facts.connectionType = device.connectionType;
    facts.wired = device.wired;
    return facts;
}

QString SelectedPath()
{
    return CurrentDeviceCopy().path;
}

} // namespace

FormSetting::FormSetting(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::FormSetting)
{
    ui->setupUi(this);
    ui->Receive_2->hide();
    ui->NewLabel->hide();
    PlaceLowerWidgets();

    ConnectHub();
    connect(ui->scrollArea->verticalScrollBar(), &QScrollBar::valueChanged, this, &FormSetting::SlotScroolChange);

    pictureDir = PictureFolder(QStringLiteral("FormSetting"));

    g_upDateRepair = new UpDateRepair(nullptr);
    g_upDateRepair->hide();
    // The device page's hot-plug handler asks whether the repair runs in view.
    SetRepairDialogVisibleQuery([] { return g_upDateRepair && g_upDateRepair->isVisible(); });
    updateWarning = new UpDateWarning(nullptr);
    lightModeGroup = new QButtonGroup(this);
    lightModeGroup->setExclusive(true);

    ApplyStyles();

    g_receiverUpdateTimer = new QTimer(this);
    g_mouseUpdateTimer = new QTimer(this);
    connect(g_receiverUpdateTimer, SIGNAL(timeout()), this, SLOT(onDongleCheckTimer()));
    connect(g_mouseUpdateTimer, SIGNAL(timeout()), this, SLOT(onMouseCheckTimer()));
    g_receiverUpdateTimer->setInterval(kUpdateStepMs);
    g_mouseUpdateTimer->setInterval(kUpdateStepMs);

    const int language = UserSettingStore::Instance()->LanguageIndex();
    ui->comboBox->setCurrentIndex(language < ui->comboBox->count() ? language : -1);
    labelOrigin = ui->label->pos();
    SlotChangeLanguage(language);

    // The box shows whether the program starts with the session, which the
    // entry alone decides (it may have been removed outside the program).
    ui->checkBox->setChecked(Autostart::IsEnabled(QLatin1String(kAutostartEntry)));

    ShowLongRangeGroup(false);
    ShowLightGroup(false);
    ApplyLayout();

    lightModeGroup->addButton(ui->ReUntil);
    lightModeGroup->addButton(ui->ReUntil_2);
    lightModeGroup->addButton(ui->ReUntil_3);
}

FormSetting::~FormSetting()
{
    SetRepairDialogVisibleQuery(nullptr);
    delete g_upDateRepair;
    g_upDateRepair = nullptr;
    delete updateWarning;
    g_receiverUpdateTimer = nullptr;
    g_mouseUpdateTimer = nullptr;
}

void FormSetting::ConnectHub()
{
    PostMsg* hub = PostMsg::GetInstance();
    // The report and worker threads wait until the page has reflected what
    // they report.
    const auto blocking = Qt::BlockingQueuedConnection;
    connect(hub, SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));
    connect(hub, SIGNAL(SigLanguageSameB(int)), this, SLOT(SlotLanguageSameB(int)));
    connect(hub, SIGNAL(SigSetNewVer()), this, SLOT(SetVerText()));
    connect(hub, SIGNAL(SigLightToFrom(int)), this, SLOT(SlotLightToFrom(int)));
    connect(hub, SIGNAL(SigRGBValue(DongleRGB*)), this, SLOT(SlotRGBValue(DongleRGB*)), blocking);
    connect(hub, SIGNAL(SigLongRangeMode(bool)), this, SLOT(SlotLongRangeMode(bool)), blocking);
    connect(hub, SIGNAL(SigForm()), this, SLOT(SlotForm()), blocking);
    connect(hub, SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    connect(hub, SIGNAL(SigSetver(int)), this, SLOT(SetVer(int)));
    connect(hub, SIGNAL(SigLabelText(int,QString)), this, SLOT(SlotLabelText(int,QString)));
    connect(hub, SIGNAL(SigCheckUpdate()), this, SLOT(SlotCheckUpdate()));
    connect(hub, SIGNAL(SigLabelTextB(QString,QString)), this, SLOT(SlotLabelTextB(QString,QString)));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormResetForm()), blocking);
    connect(hub, &PostMsg::SigUpdateStart, this, &FormSetting::on_Start);
    connect(hub, SIGNAL(SigContinue(int)), this, SLOT(SlotContinue(int)));
}

// The groups below the sleep time hang from layoutOffset.
void FormSetting::PlaceLowerWidgets()
{
    layoutOffset = 80;
    const int y = layoutOffset;
    ui->TitleButton_5->move(40, 430);
    ui->checkBox->move(40, y + 380);
    ui->label_10->move(70, y + 380);
    ui->label_9->move(70, y + 343);
    ui->toolButton->move(40, y + 420);
    ui->pushButton->move(60, y + 420);
    ui->TitleButton_6->move(40, y + 480);
    ui->label_11->move(70, y + 473);
    ui->checkBox_2->move(40, y + 510);
    ui->textEdit->move(65, y + 505);
    ui->TitleButton_7->move(40, y + 560);
    ui->label_14->move(70, y + 553);
    ui->ReUntil->move(70, y + 580);
    ui->ReUntil_2->move(70, y + 620);
    ui->ReUntil_3->move(70, y + 660);
    ui->textEdit_2->move(90, y + 580);
    ui->textEdit_3->move(90, y + 620);
    ui->textEdit_4->move(90, y + 660);
    // The rules above the other-settings group and above the receiver
    // groups (or the footer, when no receiver group shows).
    ui->line_4->move(40, y + 333);
    ui->line_5->move(40, y + 463);
}

void FormSetting::ApplyStyles()
{
    const QString& P = pictureDir;
    ConfigStore* config = ConfigStore::Instance();
    const QString labelColor = config->ColorText(QStringLiteral("LabelColor"));
    buttonColor = config->ColorText(QStringLiteral("ButtonColor"));
    auto url = [&P](const char* picture) { return FrameStyle::Url(P, QLatin1String(picture)); };

    const QString labelStyle = QStringLiteral("QLabel{color: rgb(%1;);}").arg(labelColor);
    for (QLabel* label : {ui->label, ui->label_2, ui->label_3, ui->label_4, ui->label_5, ui->label_6, ui->label_7,
                          ui->label_8, ui->label_9, ui->label_10, ui->label_11, ui->label_14})
        label->setStyleSheet(labelStyle);

    ui->FrameSetting->setStyleSheet(QStringLiteral(
        "#FrameSetting{background:transparent;border:none;}QScrollArea{background:transparent;}"
        "QScrollBar:vertical{width:13px;background:rgb(30,30,30);margin:25px 0px 25px 0px;border:none;}"
        "QScrollBar::handle:vertical{background:rgb(117,117,117);border-radius:3px;min-height:30px;}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:25px;background:transparent;border:none;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"
        "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{background:transparent;}"));

    ui->pushButton_2->setStyleSheet(QStringLiteral("QPushButton{border:0px;background-position:center;"
                                                   "background-repeat:no-repeat;color: rgb(%1;);border-image: %2;}")
                                        .arg(buttonColor, url("PariButton.png")));
    ui->pushButton->setStyleSheet(QStringLiteral("QPushButton{border:none;background:transparent;color: rgb(%1;);"
                                                 "text-align : left;padding-right:1px;}")
                                      .arg(labelColor));
    const QString footerStyle = QStringLiteral("QPushButton{border:none;background:transparent;color: rgb(%1;);"
                                               "text-align : right;padding-right:1px;}")
                                    .arg(labelColor);
    ui->pushButton_3->setStyleSheet(footerStyle);
    ui->pushButton_4->setStyleSheet(footerStyle);

    for (QToolButton* title : {ui->TitleButton_2, ui->TitleButton_3, ui->TitleButton_4, ui->TitleButton_5,
                               ui->TitleButton_6, ui->TitleButton_7, ui->TitleButton_8})
        title->setStyleSheet(QStringLiteral("#%1{border-image: %2;}").arg(title->objectName(), url("Title.png")));
    ui->toolButton->setStyleSheet(QStringLiteral("#toolButton{border-image: %1;}").arg(url("Mouse.png")));

    ui->comboBox->setStyleSheet(FrameStyle::ComboStyle(P, false) + QStringLiteral("QComboBox:disabled{color: rgb(63, 63, 63);}"));
    FrameStyle::InstallListView(ui->comboBox);
    ui->comboBox->setMaxVisibleItems(5);

    for (QCheckBox* box : {ui->checkBox, ui->checkBox_2})
        box->setStyleSheet(QStringLiteral("#%1{color: rgb(255, 255, 255);}#%1::indicator:unchecked{image: %2;}"
                                          "#%1::indicator:checked{image: %3;}")
                               .arg(box->objectName(), url("CheckBox.png"), url("CheckBoxChecked.png")));
    const QString lightStyle = QStringLiteral("QCheckBox{color: rgb(%1;);}QCheckBox:indicator::checked {image: %2;}"
                                              "QCheckBox::indicator::unchecked {image: %3;}")
                                   .arg(labelColor, url("CheckBoxCheck.png"), url("CheckBox2.png"));
    for (QCheckBox* box : {ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3})
        box->setStyleSheet(lightStyle);
    for (QTextEdit* edit : {ui->textEdit, ui->textEdit_2, ui->textEdit_3, ui->textEdit_4, ui->NewLabel})
        edit->setStyleSheet(QStringLiteral("#%1{border: transparent;background-color: transparent;color: rgb(%2;);}")
                                .arg(edit->objectName(), labelColor));
    for (QToolButton* mark : {ui->toolButton_2, ui->toolButton_3}) {
        mark->setStyleSheet(QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;"
                                           "color: rgb(255,106,0);background-image: %1;}")
                                .arg(url("Picture.png")));
        mark->hide();
    }

    ui->scrollArea->setFrameShape(QFrame::NoFrame);
    // The device window's background shows through the page.
    ui->scrollArea->viewport()->setAutoFillBackground(false);
    ui->scrollAreaWidgetContents->setStyleSheet(QStringLiteral("background-color:transparent;border:none;"));
}

void FormSetting::mousePressEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
}

// --- receiver groups -----------------------------------------------------------

void FormSetting::ShowLongRangeGroup(bool shown)
{
    m_longRangeShown = shown;
    for (QWidget* widget : {static_cast<QWidget*>(ui->TitleButton_6), static_cast<QWidget*>(ui->label_11),
                            static_cast<QWidget*>(ui->checkBox_2), static_cast<QWidget*>(ui->textEdit)})
        widget->setVisible(shown);
}

void FormSetting::ShowLightGroup(bool shown)
{
    m_lightShown = shown;
    for (QWidget* widget : {static_cast<QWidget*>(ui->TitleButton_7), static_cast<QWidget*>(ui->label_14),
                            static_cast<QWidget*>(ui->ReUntil), static_cast<QWidget*>(ui->ReUntil_2),
                            static_cast<QWidget*>(ui->ReUntil_3), static_cast<QWidget*>(ui->textEdit_2),
                            static_cast<QWidget*>(ui->textEdit_3), static_cast<QWidget*>(ui->textEdit_4)})
        widget->setVisible(shown);
    if (!shown)
        m_lightPath.clear();
}

void FormSetting::ApplyLayout()
{
    const SettingGroups::Layout layout = SettingGroups::LayoutFor(Expanded(), layoutOffset);
    ui->scrollAreaWidgetContents->setFixedSize(layout.content);
    ui->pushButton_3->move(layout.link);
    ui->pushButton_4->move(layout.company);
}

// Hides what the selected device lacks or its connection excludes; a light
// mode reported for another device is not shown for this one.
void FormSetting::HideUnsupportedGroups()
{
    const SettingGroups::Device device = SelectedDevice();
    ShowLongRangeGroup(SettingGroups::LongRangeAllowed(device));
    if (!SettingGroups::LightAllowed(device) || m_lightPath != SelectedPath())
        ShowLightGroup(false);
    ApplyLayout();
}

void FormSetting::SlotForm()
{
    HideUnsupportedGroups();
    // The connection reports the long-range state before it delivers the
    // image; without a report this time the mode is off (or unknown).
    const QSignalBlocker blocker(ui->checkBox_2);
    ui->checkBox_2->setChecked(m_longRangeShown && m_longRangeReported && m_longRangeOn);
    m_longRangeReported = false;
}

void FormSetting::SlotFormB()
{
    HideUnsupportedGroups();
}

void FormSetting::SlotFormResetForm()
{
    ShowLongRangeGroup(false);
    ShowLightGroup(false);
    {
        const QSignalBlocker blocker(ui->checkBox_2);
        ui->checkBox_2->setChecked(false);
    }
    m_longRangeReported = false;
    ApplyLayout();
}

QAbstractButton* FormSetting::LightButton(int mode) const
{
    switch (mode) {
    case 1:
        return ui->ReUntil;
    case 2:
        return ui->ReUntil_2;
    case 3:
        return ui->ReUntil_3;
    default:
        return nullptr;
    }
}

// Shows a mode on the buttons without sending it; 0 checks none.
void FormSetting::ShowLightMode(int mode)
{
    const QSignalBlocker b1(ui->ReUntil);
    const QSignalBlocker b2(ui->ReUntil_2);
    const QSignalBlocker b3(ui->ReUntil_3);
    if (QAbstractButton* button = LightButton(mode)) {
        button->setChecked(true);
    } else {
        lightModeGroup->setExclusive(false);
        for (QAbstractButton* other : lightModeGroup->buttons())
            other->setChecked(false);
        lightModeGroup->setExclusive(true);
    }
    m_lightMode = mode;
}

void FormSetting::SlotRGBValue(DongleRGB* Rgb)
{
    if (!Rgb || !SettingGroups::LightAllowed(SelectedDevice()))
        return;
    ShowLightGroup(true);
    m_lightPath = SelectedPath();
    // Another value leaves the current choice.
    if (LightButton(Rgb->bytes[0]))
        ShowLightMode(Rgb->bytes[0]);
    ApplyLayout();
}

void FormSetting::SlotLongRangeMode(bool Select)
{
    m_longRangeReported = true;
    m_longRangeOn = Select;
    if (!SettingGroups::LongRangeAllowed(SelectedDevice()))
        return;
    ShowLongRangeGroup(true);
    const QSignalBlocker blocker(ui->checkBox_2);
    ui->checkBox_2->setChecked(Select);
    ApplyLayout();
}

void FormSetting::on_checkBox_2_toggled(bool checked)
{
    if (!g_sendEnabled)
        return;
    const QByteArray path = g_devicePath.bytes();
    if (CheckDeviceOnline() && UsbFinderC_SetLongRangeMode(path.constData(), checked)) {
        m_longRangeOn = checked;
        return;
    }
    // Not sent: the box shows what the receiver still has.
    const QSignalBlocker blocker(ui->checkBox_2);
    ui->checkBox_2->setChecked(!checked);
}

void FormSetting::LightButtonToggled(int mode, bool checked)
{
    // The button that loses the check says nothing: one change, one send.
    if (!checked || !g_sendEnabled)
        return;
    const int previous = m_lightMode;
    if (CheckDeviceOnline()) {
        g_dongleRgb.bytes[0] = uint8_t(mode);
        const QByteArray path = g_devicePath.bytes();
        if (UsbFinderC_Set4KDongleRGB(path.constData(), g_dongleRgb.bytes)) {
            m_lightMode = mode;
            return;
        }
        g_dongleRgb.bytes[0] = uint8_t(previous);
    }
    ShowLightMode(previous);
}

void FormSetting::on_ReUntil_toggled(bool checked)
{
    LightButtonToggled(1, checked);
}

void FormSetting::on_ReUntil_2_toggled(bool checked)
{
    LightButtonToggled(2, checked);
}

void FormSetting::on_ReUntil_3_toggled(bool checked)
{
    LightButtonToggled(3, checked);
}

// --- other controls ------------------------------------------------------------

void FormSetting::SlotLightToFrom(int index)
{
    const int item = StopCloseTime::ItemOfSeconds(index);
    if (item >= 0)
        ui->frameClose->SetLevel(item);
}

void FormSetting::SlotScroolChange(int index)
{
    ui->label->move(labelOrigin.x(), labelOrigin.y() + index + 10);
}

void FormSetting::on_comboBox_activated(int index)
{
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QString::number(index));
    PostMsg* hub = PostMsg::GetInstance();
    emit hub->SigChangeLanguage(index);
    emit hub->SigLanguageSameA(index);
}

void FormSetting::SlotLanguageSameB(int index)
{
    ui->comboBox->setCurrentIndex(index);
}

void FormSetting::on_pushButton_2_clicked()
{
    RunPairingDialog(this, QPoint(-70, -30), true);
}

void FormSetting::on_pushButton_clicked()
{
    if (!MouseSettings::Open())
        ShowNotice(noMouseSettingsText);
}

void FormSetting::on_pushButton_3_clicked()
{
    // Net.xml gives some languages no link: the footer then shows none.
    const QString link = ui->pushButton_3->text();
    if (!link.trimmed().isEmpty())
        QDesktopServices::openUrl(QUrl::fromUserInput(link));
}

void FormSetting::on_checkBox_clicked(bool checked)
{
    const QString entry = QLatin1String(kAutostartEntry);
    const bool written = checked ? Autostart::Enable(entry, g_appName, QCoreApplication::applicationFilePath())
                                 : Autostart::Disable(entry);
    // What the session will do, whatever the click asked for.
    const bool enabled = Autostart::IsEnabled(entry);
    ui->checkBox->setChecked(enabled);
    UserSettingStore::Instance()->SetValue(QStringLiteral("AutoStart"), QStringLiteral("Enable"),
                                           enabled ? QStringLiteral("1") : QStringLiteral("0"));
    if (!written)
        ShowNotice(autoStartFailedText.arg(QDir::toNativeSeparators(Autostart::EntryPath(entry))));
}

void FormSetting::ShowNotice(const QString& text)
{
    UpDateWarning notice;
    notice.SetLabelText(text);
    notice.move(DialogPlace(&notice));
    notice.exec();
}
