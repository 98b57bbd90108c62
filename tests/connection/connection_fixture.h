// Helpers of the connection tests: their world, a stand-in for the pages on
// the hub, and what the home page does when a device is chosen. The program
// folder, the program-wide state and waiting until the library and the
// worker have settled come from program_folder.h, program_state.h and
// library_calls.h.
#ifndef CONNECTION_FIXTURE_H
#define CONNECTION_FIXTURE_H

#include "app_state.h"
#include "device_cache.h"
#include "device_report.h"
#include "hub_recorder.h"
#include "paths.h"
#include "post_msg.h"
#include "program_folder.h"
#include "program_state.h"
#include "library_calls.h"
#include "world_text.h"
#include "test_image.h"
#include "worker.h"

#include <devicelib_control.h>

#include <QDir>
#include <QFile>
#include <QStringList>

// The catalogue's first three models and two receivers it does not know:
// Aero (model 1) behind a 4K receiver, a spare Aero paired with an unplugged
// 1K receiver, Lynx (model 2) behind an 8K receiver, Orca (model 3) on its
// cable, a receiver of an unknown model and an unplugged one of another
// customer.
inline QString ConnectionWorld(const QString& aeroReceiverVersion = QStringLiteral("1.1"),
                               const QString& aeroMouseVersion = QStringLiteral("1.2"))
{
    using SimWorld::Mouse;
    using SimWorld::Receiver;
    return QStringLiteral("[World]\nVid = 0x2FE5\n")
           + Receiver("r4", 4, 1, "Name = QX-AERO-R4\nVersion = " + aeroReceiverVersion + "\nAddress = A1 4B 04")
           + Mouse("m4", 1, "r4", "Name = QX-AERO-M\nVersion = " + aeroMouseVersion + "\nBattery = 80")
           + Receiver("rs", 1, 1, "Name = QX-AERO-R1\nAddress = C3 00 01\nPlugged = false")
           + Mouse("spare", 1, "rs", "Name = QX-AERO-M\nVersion = 1.2")
           + Receiver("r8", 8, 2, "Name = QX-LYNX-R8\nVersion = 1.1\nAddress = B2 5C 08")
           + Mouse("m8", 2, "r8", "Name = QX-LYNX-M\nVersion = 1.2")
           + Mouse("orca", 3, QString(), "Name = QX-ORCA-M\nVersion = 1.2")
           + Receiver("x9", 1, 9, "Pid = 0x7B01\nName = QX-UNKNOWN-R1\nAddress = D4 00 09")
           + Receiver("other", 2, 1, "Name = OTHER-R2\nAddress = E5 00 02\nPlugged = false", 5);
}

// The pages' side of the hub: blocking queued where the pages connect so,
// automatic elsewhere. Notes, with every image, whether a page was still
// marked "applied" when it came.
class PageRecorder : public HubRecorder {
public:
    QList<bool> appliedAtImage;

    PageRecorder()
    {
        const auto bq = Qt::BlockingQueuedConnection;
        Record(&PostMsg::SigUpDataLightUIButton, QStringLiteral("Button"), bq);
        Record(&PostMsg::SigUpDataLightLight, QStringLiteral("Light"), bq);
        Record(&PostMsg::SigUpDataLightSensor, QStringLiteral("Sensor"), bq);
        Record(&PostMsg::SigUpDataDPILed, QStringLiteral("DPILed"), bq);
        Record(&PostMsg::SigForm, QStringLiteral("Form"), bq);
        Record(&PostMsg::SigFormReset, QStringLiteral("FormReset"), bq);
        Record(&PostMsg::SigUpDataConfigUI, QStringLiteral("ConfigUI"), bq);
        Record(&PostMsg::SigUpDataReportRate, QStringLiteral("ReportRate"), bq);
        Record(&PostMsg::SigUpDataDPI, QStringLiteral("DPI"), bq);
        Record(&PostMsg::SigBattery, QStringLiteral("Battery"), bq);
        RecordAs(
            &PostMsg::SigRGBValue,
            [](DongleRGB* rgb) { return QStringLiteral("RGB(%1)").arg(rgb ? int(rgb->bytes[0]) : -1); }, bq);
        Record(&PostMsg::SigLongRangeMode, QStringLiteral("LongRange"), bq);
        Record(&PostMsg::SigUpDataParam, QStringLiteral("Param"));
        Record(&PostMsg::SigSetver, QStringLiteral("Setver"));
        Record(&PostMsg::SigCloseOffOnline, QStringLiteral("CloseOffOnline"));
        Record(&PostMsg::SigChangeMainDialog, QStringLiteral("ChangeMainDialog"));
        Record(&PostMsg::SigLabelTextB, QStringLiteral("LabelTextB"));
        Record(&PostMsg::SigCheckUpdate, QStringLiteral("CheckUpdate"));
        onEvent = [this](const QString&) {
            while (appliedAtImage.size() < images.size())
                appliedAtImage << (g_buttonPageApplied || g_sensorPageApplied);
        };
    }

    void Clear()
    {
        HubRecorder::Clear();
        appliedAtImage.clear();
    }
};

// The record the home page makes of a listed device of the shipped catalogue
// (model n has MID n).
inline DeviceAllInfo ListedRecord(const QString& id)
{
    DeviceAllInfo record;
    const QByteArray path = SimControl::devicePath(id);
    record.path = QString::fromUtf8(path);
    const DeviceIdentity identity = UsbFinderC_GetDeviceInfo(path.constData());
    record.cid = identity.cid;
    record.mid = identity.mid;
    record.connectionType = identity.connectionType;
    record.modelIndex = identity.mid - 1;
    record.wired = IsWiredConnection(identity.connectionType);
    unsigned char reply[10] = {};
    record.online = UsbFinderC_GetDeviceOnLineWithUsbAddress(path.constData(), reply);
    record.receiverAddress = {reply[7], reply[8], reply[9]};
    unsigned char attribute[12] = {};
    UsbFinderC_GetUsbDeviceAttribute(path.constData(), attribute);
    record.version = VersionText(unsigned(attribute[8]) | unsigned(attribute[9]) << 8);
    record.vid = QStringLiteral("0x2FE5");
    return record;
}

// What the home page does when a device is chosen: the record goes to the
// worker, the device page's scan resolves the path, then a pass starts.
inline void SelectAndStart(const DeviceAllInfo& record)
{
    emit PostMsg::GetInstance()->SigSelectMouseInfo(record);
    StartUsbChanged(&OnDevicePageUsbChanged, 600);
    g_workerRun = true;
    g_deviceSelected = 1;
    g_worker->start();
}

#endif // CONNECTION_FIXTURE_H
