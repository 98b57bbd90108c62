#include "match.h"
#include "ui_match.h"

#include "app_state.h"
#include "compositing.h"
#include "config_store.h"
#include "device_finder.h"
#include "device_image_setters.h"
#include "device_report.h"
#include "devicelib.h"
#include "dialog_change.h"
#include "label_file.h"
#include "mouse_profile.h"
#include "notice_style.h"
#include "paths.h"
#include "post_msg.h"
#include "trace_log.h"
#include "user_setting_store.h"
#include "worker.h"

#include <QBitmap>
#include <QEvent>
#include <QImage>
#include <QPalette>
#include <QTimer>

std::atomic<int> g_pairState{PairIdle};
std::atomic<bool> g_pairingActive{false};
std::atomic<bool> g_pairSelectionSuspended{false};
QTimer* g_pairUsbTimer = nullptr;
QTimer* g_pairPollTimer = nullptr;
QTimer* g_pairTextTimer = nullptr;
int g_pairTextStep = 0;
QString g_pairImageFolder;
QString g_pairButtonColor;

namespace {

const int kUsbStateMs = 100;
const int kPollMs = 1000;
const int kTextMs = 500;
const int kHotplugIntervalMs = 600;

// The pairing report: header byte 1 is the type, payload byte 0 the status.
const int kPairStatusReport = 6;
enum { StatusPairing = 1, StatusFailed = 2, StatusPaired = 3 };

// A pairing that had suspended the device selection gives it back, once,
// whichever thread ends it first.
void RestoreSuspendedSelection()
{
    if (g_pairSelectionSuspended.exchange(false))
        g_deviceSelected = 1;
}

void StopTimer(QTimer* timer)
{
    if (timer)
        timer->stop();
}

} // namespace

void PairReportCallback(const unsigned char* header, int headerLength, const unsigned char* payload,
                        int payloadLength)
{
    qCDebug(lcTrace) << "in2";
    const int type = (header && headerLength > 1) ? header[1] : 0;
    qCDebug(lcTrace) << type;
    if (type != kPairStatusReport || !payload || payloadLength < 1)
        return;

    PostMsg* hub = PostMsg::GetInstance();
    switch (payload[0]) {
    case StatusFailed:
        emit hub->SigTimerStop();
        g_pairingActive = false;
        qCDebug(lcTrace) << "fail";
        g_pairState = PairFailed;
        emit hub->SigButtonEnable(0);
        break;
    case StatusPaired:
        emit hub->SigTimerStop();
        g_pairingActive = false;
        qCDebug(lcTrace) << "success";
        g_pairState = PairDone;
        emit hub->SigButtonEnable(1);
        break;
    default: // still pairing, or nothing we know
        return;
    }
    RestoreSuspendedSelection();
}

bool (*Match::CompositingRunning)() = &CompositingManagerRunning;

Match::Match(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::Match)
{
    ui->setupUi(this);
    PostMsg* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    g_pairImageFolder = PictureFolder(QStringLiteral("Setting"));
    setWindowFlags(NoticeStyle::kWindowFlags); // as the notices
    setFixedSize(size());

    ConfigStore* config = ConfigStore::Instance();
    const QString labelColor = config->ColorText(QStringLiteral("LabelColor"));
    if (CompositingRunning())
        setAttribute(Qt::WA_TranslucentBackground);
    else
        UseOpaqueRoundedShape();
    ui->textEdit->setStyleSheet(
        QStringLiteral("#textEdit{border: transparent;background-color: transparent;color: rgb(") + labelColor
        + QStringLiteral(";);}"));
    ui->label->setStyleSheet(QStringLiteral("#label{color: rgb(") + labelColor + QStringLiteral(";);}"));
    ui->label->hide();

    g_pairButtonColor = config->ColorText(QStringLiteral("ButtonColor"));
    const QString& folder = g_pairImageFolder;
    SetButtonPicture(QStringLiteral("Pair.png"), g_pairButtonColor + QStringLiteral(";"));
    ui->toolButton_2->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;"
                       "color: rgb(255,255,255);background-image: url(")
        + folder + QStringLiteral("Picture.png);}"));
    ui->CloseButton->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;background-image: url(") + folder
        + QStringLiteral("CloseSecondPage.png);background-position:center;background-repeat:no-repeat;}"
                         "QToolButton:hover{background-image: url(")
        + folder + QStringLiteral("CloseSecondPageHover.png);}QToolButton:pressed{background-image: url(") + folder
        + QStringLiteral("CloseSecondPageClick.png);}"));
    ui->MatchA->setStyleSheet(
        QStringLiteral("#MatchA{border:0px;background-position:center;background-repeat:no-repeat;"
                       "background-image: url(")
        + folder + QStringLiteral("BackSecondPage.png); }"));

    m_constructionPath = CurrentDeviceCopy().path;

    m_usbTimer = new QTimer(this);
    m_pollTimer = new QTimer(this);
    m_textTimer = new QTimer(this);
    g_pairUsbTimer = m_usbTimer;
    g_pairPollTimer = m_pollTimer;
    g_pairTextTimer = m_textTimer;
    connect(m_usbTimer, SIGNAL(timeout()), this, SLOT(onUSBTimeupDestroy()));
    connect(m_pollTimer, SIGNAL(timeout()), this, SLOT(onPairTimeupDestroy()));
    connect(m_textTimer, SIGNAL(timeout()), this, SLOT(onTextTimeupDestroy()));
    m_usbTimer->setInterval(kUsbStateMs);
    m_pollTimer->setInterval(kPollMs);
    m_textTimer->setInterval(kTextMs);

    connect(hub, SIGNAL(SigTimerStop()), this, SLOT(SlotStopTimer()));
    connect(hub, SIGNAL(SigButtonEnable(int)), this, SLOT(SlotButtonenable(int)));
    connect(ui->CloseButton, SIGNAL(clicked()), this, SLOT(WindowClosedSet()));

    m_idleText = ui->MatchButton->text();
    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

Match::~Match()
{
    EndPairing();
    if (g_pairUsbTimer == m_usbTimer)
        g_pairUsbTimer = nullptr;
    if (g_pairPollTimer == m_pollTimer)
        g_pairPollTimer = nullptr;
    if (g_pairTextTimer == m_textTimer)
        g_pairTextTimer = nullptr;
}

// Without a compositor, transparent pixels show black: only the picture's
// opaque part is shown, and the half-covered pixels of its rim blend into the
// rim's own colour instead of the desktop.
void Match::UseOpaqueRoundedShape()
{
    QImage background(g_pairImageFolder + QStringLiteral("BackSecondPage.png"));
    if (background.isNull())
        return;
    background = background.convertToFormat(QImage::Format_ARGB32).scaled(size());
    setMask(QBitmap::fromImage(background.createAlphaMask()));
    QColor rim = background.pixelColor(0, height() / 2);
    rim.setAlpha(255);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, rim);
    setPalette(palette);
}

void Match::SetButtonPicture(const QString& picture, const QString& textColor)
{
    ui->MatchButton->setStyleSheet(
        QStringLiteral("QPushButton{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(")
        + textColor + QStringLiteral(");border-image: url(") + g_pairImageFolder + picture + QStringLiteral(");}"));
}

void Match::InitPair()
{
    ui->MatchButton->setShortcut(QKeySequence(Qt::Key_Space));
    g_pairTextStep = 0;
    g_pairState = PairIdle;
    ui->MatchButton->setEnabled(true);
    SetButtonPicture(QStringLiteral("Pair.png"), g_pairButtonColor + QStringLiteral(";"));
    ui->MatchButton->setText(m_idleText);

    // The receiver to pair through. Without any (nothing selected, no repair
    // target, nothing listed) the dialog only shows its hint.
    m_hasTarget = true;
    if (g_deviceSelected == 1) {
        const DeviceAllInfo current = CurrentDeviceCopy();
        m_targetPath = m_constructionPath;
        m_targetVid = current.vid;
        m_targetPid = current.pid;
        m_targetWired = current.wired;
    } else if (g_pairRepairTarget) {
        m_targetPath = g_repairTarget.path;
        m_targetVid = g_repairTarget.vid;
        m_targetPid = g_repairTarget.pid;
        m_targetWired = g_repairTarget.wired;
    } else if (!g_homeDeviceList.isEmpty()) {
        const DeviceAllInfo& first = g_homeDeviceList.first();
        m_targetPath = first.path;
        m_targetVid = first.vid;
        m_targetPid = first.pid;
        m_targetWired = first.wired;
    } else {
        m_hasTarget = false;
        m_targetPath.clear();
        m_targetVid.clear();
        m_targetPid.clear();
        m_targetWired = false;
    }

    m_pairingId = static_cast<unsigned char>(
        ConfigStore::Instance()->Value(QStringLiteral("Option"), QStringLiteral("CID")).toInt() & 0xFF);
    m_usbTimer->start(kUsbStateMs);
}

void Match::onUSBTimeupDestroy()
{
    if (!g_pairingActive) {
        m_canPair = m_hasTarget && !m_targetWired;
        ui->label->setVisible(!m_canPair);
        ui->textEdit->setVisible(m_canPair);
    }
    // Once paired there is nothing more to start.
    ui->MatchButton->setEnabled(m_canPair && g_pairState != PairDone);
    if (!m_canPair)
        SetButtonPicture(QStringLiteral("Pair.png"), QStringLiteral("0,0,0"));
}

void Match::on_MatchButton_clicked()
{
    if (g_pairState == PairDone || !m_canPair)
        return;
    g_pairState = PairRequested;
    m_textTimer->start(kTextMs);
    ui->MatchButton->setText(m_pairingText);
    SetButtonPicture(QStringLiteral("Pair.png"), g_pairButtonColor + QStringLiteral(";"));
    // The worker leaves the device alone while the receiver pairs.
    if (g_deviceSelected == 1) {
        g_deviceSelected = 0;
        g_pairSelectionSuspended = true;
    }
    g_pairingActive = false;
    EnterPair();
}

void Match::EnterPair()
{
    if (g_pairingActive) {
        UsbServer_EnterDonglePairOnlyCid(m_pairingId);
        return;
    }
    qCDebug(lcTrace) << "Enter";
    g_pairingActive = true;
    m_pollTimer->start(kPollMs);
    const QByteArray path = m_targetPath.toUtf8();
    UsbServerC_Start(path.constData(), path.constData(), PairReportCallback);
    UsbServer_EnterDonglePairOnlyCid(m_pairingId);
}

void Match::onPairTimeupDestroy()
{
    UsbServer_ReadDonglePairStatus();

    int count = kFinderCapacity;
    const QByteArray vid = m_targetVid.toLatin1();
    const QByteArray pid = m_targetPid.toLatin1();
    char** found = UsbFinderC_FindHidDevicesByDefaultDeviceId(vid.constData(), pid.constData(), &count);
    const bool present = CopyFoundPaths(found, count).contains(m_targetPath.toUtf8());

    if (!present && g_pairingActive) {
        m_pollTimer->stop();
        m_textTimer->stop();
        g_pairingActive = false;
        g_pairState = PairFailed;
        ui->MatchButton->setText(m_failureText);
        SetButtonPicture(QStringLiteral("PairFail.png"), g_pairButtonColor + QStringLiteral(";"));
        // The receiver is gone: the device window gets its selection back.
        RestoreSuspendedSelection();
    }
}

void Match::onTextTimeupDestroy()
{
    if (g_pairTextStep == 4)
        g_pairTextStep = 0;
    static const char* const dots[] = {"", ".", "..", "..."};
    if (g_pairTextStep < 4)
        ui->MatchButton->setText(m_pairingText + QLatin1String(dots[g_pairTextStep]));
    ++g_pairTextStep;
}

void Match::SlotStopTimer()
{
    StopTimer(g_pairPollTimer);
    StopTimer(g_pairTextTimer);
}

void Match::SlotButtonenable(int index)
{
    if (index == 1) {
        ui->MatchButton->setText(m_successText);
        SetButtonPicture(QStringLiteral("PairSuccess.png"), g_pairButtonColor + QStringLiteral(";"));
        ui->MatchButton->setEnabled(false);
    } else if (index == 0) {
        ui->MatchButton->setText(m_failureText);
        SetButtonPicture(QStringLiteral("PairFail.png"), g_pairButtonColor + QStringLiteral(";"));
    }
}

void Match::WindowClosedSet()
{
    if (g_pairingActive)
        return;
    StartUsbChanged(HomeUsbChanged, kHotplugIntervalMs);
    m_pollTimer->stop();
    m_usbTimer->stop();
    m_textTimer->stop();
    close();
}

void Match::EndPairing()
{
    m_usbTimer->stop();
    m_pollTimer->stop();
    m_textTimer->stop();
    if (g_pairingActive.exchange(false) && g_pairState == PairRequested)
        g_pairState = PairIdle;
    RestoreSuspendedSelection();
}

void Match::done(int result)
{
    EndPairing();
    QDialog::done(result);
}

void Match::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("Match"), {
        {QStringLiteral("label"), [this](const QString& text) { ui->label->setText(text); }},
        {QStringLiteral("textEdit"), [this](const QString& text) { ui->textEdit->setText(text); }},
        {QStringLiteral("MatchButton"),
         [this](const QString& text) {
             m_idleText = text;
             ui->MatchButton->setText(text);
         }},
        {QStringLiteral("Matching"), [this](const QString& text) { m_pairingText = text; }},
        {QStringLiteral("MatchFail"), [this](const QString& text) { m_failureText = text; }},
        {QStringLiteral("MatchSuccess"), [this](const QString& text) { m_successText = text; }},
    });
}

void Match::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

void RunPairingDialog(const QWidget* opener, const QPoint& shift, bool devicePage)
{
    Match match;
    match.InitPair();
    match.move(NoticeStyle::CentredOn(opener, &match, shift));
    match.exec();
    // Another mouse may now answer through the device window's receiver: the
    // image (and anything decided on it) is the first mouse's, so nothing is
    // sent until the new one's dump has been read and shown.
    const bool newMouse = devicePage && g_pairState == PairDone;
    if (newMouse) {
        MouseProfile::DeviceOpened();
        MouseProfile::Reset();
    }
    // The pairing dialog took the connection's report callback: give it back.
    const QByteArray path = g_devicePath.bytes();
    UsbServerC_Start(path.constData(), path.constData(), OnDeviceReport);
    if (newMouse) {
        UsbServer_SetPCDriverStatus(true);
        RequestDeviceDump();
    }
    if (devicePage)
        StartUsbChanged(OnDevicePageUsbChanged, kHotplugIntervalMs);
}
