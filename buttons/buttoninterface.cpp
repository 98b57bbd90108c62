#include "buttoninterface.h"
#include "ui_buttoninterface.h"

#include "app_state.h"
#include "config_store.h"
#include "devicelib.h"
#include "post_msg.h"
#include "worker.h"

#include <QDebug>

Buttoninterface::Buttoninterface(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::Buttoninterface)
{
    ui->setupUi(this);
    const QString color = ConfigStore::Instance()->ColorText(QStringLiteral("LabelColor"));
    ui->TitleLabel->setStyleSheet(QStringLiteral("QLabel{color: rgb(%1);}").arg(color));
    ui->CaptionLabel->setStyleSheet(QStringLiteral("QLabel{color: rgba(%1, 150);}").arg(color));

    // The report and worker threads wait until the page has taken the image.
    connect(PostMsg::GetInstance(), SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this,
            SLOT(SlotUpDataButtonUIButton(FlashDataMap)), Qt::BlockingQueuedConnection);

    g_worker = new Worker(this);
}

Buttoninterface::~Buttoninterface()
{
    if (Worker* worker = g_worker) {
        // A pass that cannot end in time is left running: deleting it would
        // take the process down, and the process is ending anyway.
        if (worker->Shutdown())
            delete worker;
        else
            qWarning() << "the connection pass did not end; left to the process exit";
    }
    StopUsbChanged();
}

void Buttoninterface::SlotUpDataButtonUIButton(FlashDataMap DataMap)
{
    Q_UNUSED(DataMap)
    g_buttonPageUpdating = true;
    g_buttonPageUpdating = false;
    g_buttonPageApplied = true;
}
