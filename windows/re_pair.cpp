#include "re_pair.h"
#include "ui_re_pair.h"

#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

RePair::RePair(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::RePair)
{
    ui->setupUi(this);

    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    m_pictureFolder = NoticeStyle::PictureFolder();
    NoticeStyle::Elements parts;
    parts.background = ui->RePairA;
    parts.closeButton = ui->CloseButton;
    parts.label = ui->label;
    parts.buttons = {ui->OK, ui->Cancel};
    NoticeStyle::Apply(this, parts);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

RePair::~RePair() = default;

void RePair::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("RePair"), {
        {QStringLiteral("label"), [this](const QString& text) { ui->label->setText(text); }},
        {QStringLiteral("OK"), [this](const QString& text) { ui->OK->setText(text); }},
        {QStringLiteral("Cancel"), [this](const QString& text) { ui->Cancel->setText(text); }},
    });
}

void RePair::on_CloseButton_clicked()
{
    result = false;
    close();
}

void RePair::on_OK_clicked()
{
    result = true;
    close();
}

void RePair::on_Cancel_clicked()
{
    result = false;
    close();
}
