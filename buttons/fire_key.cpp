#include "fire_key.h"
#include "ui_fire_key.h"

#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "setting_ranges.h"
#include "user_setting_store.h"

FireKey::FireKey(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::FireKey)
{
    ui->setupUi(this);
    ui->Time->setRange(SettingRanges::kFireIntervalMinimum, SettingRanges::kFireIntervalMaximum);
    ui->Count->setRange(0, SettingRanges::kFireCountMaximum);
    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    NoticeStyle::Elements parts = NoticeStyle::EntryDialogParts(ui->FireKeyA, ui->CloseButton, ui->label, ui->NewHong,
                                                                ui->NewHong_2, {ui->Count, ui->Time});
    parts.stretchBackground = true; // the shared picture is smaller than this dialog
    NoticeStyle::Apply(this, parts);
    ui->label_2->setStyleSheet(ui->label->styleSheet());
    ui->label_3->setStyleSheet(ui->label->styleSheet());

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

FireKey::~FireKey() = default;

void FireKey::SetTimeValue(int interval)
{
    ui->Time->setValue(interval);
}

void FireKey::SetCountValue(int count)
{
    ui->Count->setValue(count);
}

void FireKey::SlotChangeLanguage(int index)
{
    LabelFile::Keys keys = NoticeStyle::MessageKeys(ui->label, ui->NewHong, ui->NewHong_2);
    keys.insert(QStringLiteral("label_2"), [this](const QString& text) { ui->label_2->setText(text); });
    keys.insert(QStringLiteral("label_3"), [this](const QString& text) { ui->label_3->setText(text); });
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("FireKey"), keys);
}

void FireKey::on_NewHong_clicked()
{
    ui->Time->interpretText();
    ui->Count->interpretText();
    accepted = true;
    fireInterval = ui->Time->value();
    fireCount = ui->Count->value();
    close();
}

void FireKey::on_NewHong_2_clicked()
{
    accepted = false;
    close();
}

void FireKey::on_CloseButton_clicked()
{
    accepted = false;
    close();
}
