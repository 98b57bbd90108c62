#include "form_setting.h"
#include "ui_form_setting.h"

#include "app_state.h"
#include "config_store.h"
#include "label_file.h"
#include "post_msg.h"
#include "up_date_repair.h"
#include "user_setting_store.h"
#include "worker.h"

FormSetting::FormSetting(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::FormSetting)
{
    ui->setupUi(this);
    const QString color = ConfigStore::Instance()->ColorText(QStringLiteral("LabelColor"));
    ui->TitleLabel->setStyleSheet(QStringLiteral("QLabel{color: rgb(%1);}").arg(color));
    ui->CaptionLabel->setStyleSheet(QStringLiteral("QLabel{color: rgba(%1, 150);}").arg(color));

    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    g_upDateRepair = new UpDateRepair(nullptr);
    g_upDateRepair->hide();
    // The device page's hot-plug handler asks whether the repair runs in view.
    SetRepairDialogVisibleQuery([] { return g_upDateRepair && g_upDateRepair->isVisible(); });

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

FormSetting::~FormSetting()
{
    SetRepairDialogVisibleQuery(nullptr);
    delete g_upDateRepair;
    g_upDateRepair = nullptr;
}

void FormSetting::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("FormSetting"), {
        {QStringLiteral("WiredMode"), [](const QString& text) { g_wiredModeText = text; }},
    });
}
