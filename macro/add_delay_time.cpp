#include "add_delay_time.h"
#include "ui_add_delay_time.h"

#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

AddDelayTime::AddDelayTime(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::AddDelayTime)
{
    ui->setupUi(this);
    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    NoticeStyle::Apply(this, NoticeStyle::EntryDialogParts(ui->AddDelayTimeA, ui->CloseButton, ui->label, ui->NewHong,
                                                           ui->NewHong_2, {ui->spinBox}));
    ui->spinBox->setFocus();

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

AddDelayTime::~AddDelayTime() = default;

void AddDelayTime::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("AddDelayTime"),
                    NoticeStyle::MessageKeys(ui->label, ui->NewHong, ui->NewHong_2));
}

void AddDelayTime::on_NewHong_clicked()
{
    ui->spinBox->interpretText(); // a number still being typed counts
    accepted = true;
    delayTime = ui->spinBox->value();
    close();
}

void AddDelayTime::on_NewHong_2_clicked()
{
    accepted = false;
    close();
}

void AddDelayTime::on_CloseButton_clicked()
{
    accepted = false;
    close();
}
