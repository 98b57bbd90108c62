#include "up_data_param.h"
#include "ui_up_data_param.h"

#include "app_state.h"
#include "config_export_file.h"
#include "config_image_check.h"
#include "config_store.h"
#include "device_cache.h"
#include "device_image_setters.h"
#include "inport_fail.h"
#include "label_file.h"
#include "notice_style.h"
#include "paths.h"
#include "post_msg.h"
#include "trace_log.h"
#include "user_setting_store.h"
#include "worker.h"

#include <QFile>
#include <QThread>
#include <QTimer>

#include <cstring>

namespace {

const int kTimeoutMs = 4500;
const int kWaitStepMs = 500;
const int kPagePolls = 12;
const int kImportRedrawMs = 2500; // the pages redraw from the imported image
const int kSettleMs = 2000;

void EmitPageImages(const FlashDataMap& image)
{
    PostMsg* hub = PostMsg::GetInstance();
    emit hub->SigUpDataLightUIA(image);
    emit hub->SigUpDataSensorUIB(image);
    emit hub->SigUpDataButtonUIC(image);
    emit hub->SigFormB();
}

} // namespace

UpDataParam::UpDataParam(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::UpDataParam)
{
    ui->setupUi(this);
    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));
    pictureDir = PictureFolder(QStringLiteral("WarningDialog"));
    setWindowFlags(NoticeStyle::kWindowFlags); // as the notices
    timeoutTimer = new QTimer(this);

    ui->label->setStyleSheet(QStringLiteral("QLabel{color: rgb(%1);}")
                                 .arg(ConfigStore::Instance()->ColorText(QStringLiteral("LabelColor"))));
    ui->UpDataParamA->setStyleSheet(QStringLiteral("#UpDataParamA{border:0px;background-position:center;"
                                                   "background-repeat:no-repeat;background-image: url(\"%1BackGround.png\");}")
                                        .arg(pictureDir));
    connect(timeoutTimer, SIGNAL(timeout()), this, SLOT(onTimeupDestroy()));

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

UpDataParam::~UpDataParam() = default;

void UpDataParam::SetTimeout()
{
    timeoutTimer->setSingleShot(true);
    timeoutTimer->start(kTimeoutMs);
}

void UpDataParam::RequestPageWait()
{
    waitForPages = true;
    g_sensorPageApplied = false;
    g_buttonPageApplied = false;
}

void UpDataParam::SlotChangeLanguage(int index)
{
    // The import opener raises g_importRequested before it builds its dialog.
    const bool import = g_importRequested == 1;
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("UpDataParam"), {
        {QStringLiteral("label"), [this, import](const QString& text) { if (!import) ui->label->setText(text); }},
        {QStringLiteral("label_1"), [this, import](const QString& text) { if (import) ui->label->setText(text); }},
    });
}

int UpDataParam::ReadConfigFile(const QString& path, FlashDataMap* image)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcTrace) << "failed";
        return 1;
    }
    const ConfigExportFile::Contents contents = ConfigExportFile::Decode(file.read(ConfigExportFile::FileSize + 1024));
    if (contents.tag != QLatin1String(ConfigExportFile::kTag))
        return 1;
    // A cut file or a short or overlong image is no configuration this program wrote.
    if (!contents.complete || contents.image.size() != FlashDataMap::Size)
        return 1;

    const SettingRanges::ModelRanges model = SettingRanges::ModelRangesOf(CurrentDeviceCopy().modelIndex);
    // The file holds the name cut to its field; compare like with like.
    if (contents.sensorName != ConfigExportFile::StoredSensorName(model.sensor))
        return 2;
    std::memcpy(static_cast<void*>(image), contents.image.constData(), FlashDataMap::Size);

    // The mouse stores whatever it is sent: only values the pages offer for
    // this model may reach it.
    const QString fault = ConfigImageCheck::FirstFault(*image, model);
    if (!fault.isEmpty()) {
        qCDebug(lcTrace) << "import refused:" << fault;
        return 2;
    }
    return 0;
}

bool UpDataParam::WaitForPages()
{
    for (int poll = 0; poll < kPagePolls; ++poll) {
        if (g_sensorPageApplied && g_buttonPageApplied)
            return true;
        WaitWithEvents(kWaitStepMs);
    }
    return false;
}

void UpDataParam::onTimeupDestroy()
{
    PostMsg* hub = PostMsg::GetInstance();
    emit hub->SigSetver(4);

    if (waitForPages) {
        // Factory reset or forced reconnection: the pages must take the new image.
        const bool applied = WaitForPages();
        QThread::msleep(kSettleMs);
        waitForPages = false;
        close();
        if (!applied)
            emit hub->SigMouseOffLineo(0);
        return;
    }

    qCDebug(lcTrace) << "z";
    if (importMode) {
        FlashDataMap image;
        const int result = ReadConfigFile(importFile, &image);
        g_importResult = result; // the notice picks its text from it
        if (result == 0) {
            // The pages show the imported settings only once the mouse has
            // them; otherwise image and mouse stay as they were. The online
            // gate raises the offline notice itself.
            if (CheckDeviceOnline()) {
                if (ReplaceDeviceImage(image, &importTarget)) {
                    EmitPageImages(image);
                    WaitWithEvents(kImportRedrawMs);
                } else {
                    // Nothing was sent. The mouse went, or is going, to
                    // another profile (or another mouse answers) during the
                    // wait: try again. Otherwise it stopped answering.
                    const bool sameProfile =
                        MouseProfile::TargetHolds(importTarget) && MouseProfile::ImageFitsMouse();
                    emit hub->SigMouseOffLineo(sameProfile ? 0 : 1);
                }
            }
        } else {
            InportFail notice;
            notice.move(NoticeStyle::CentredOn(this, &notice));
            notice.exec();
        }
        importMode = false;
        close();
        return;
    }

    if (g_deviceReady) {
        qCDebug(lcTrace) << "v";
        const bool applied = WaitForPages();
        if (applied) {
            // The next opening waits for fresh acknowledgements.
            g_sensorPageApplied = false;
            g_buttonPageApplied = false;
        }
        close();
        qCDebug(lcTrace) << "vvv";
        if (!applied)
            emit hub->SigMouseOffLineo(1);
        qCDebug(lcTrace) << "vv";
        FlashDataMap cached;
        if (g_deviceOnline && !ReadDeviceCache(g_cacheNameOnSelect, cached))
            SaveDeviceImageToCache();
        return;
    }

    qCDebug(lcTrace) << "x";
    FlashDataMap cached;
    if (ReadDeviceCache(g_cacheNameOnSelect, cached))
        EmitPageImages(cached);
    emit hub->SigMouseOffLineo(0);
    close();
}
