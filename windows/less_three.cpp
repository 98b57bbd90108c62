#include "less_three.h"
#include "ui_less_three.h"

#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

LessThree::LessThree(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::LessThree)
{
    ui->setupUi(this);

    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    m_pictureFolder = NoticeStyle::PictureFolder();
    NoticeStyle::Elements parts;
    parts.background = ui->LessThreeframe;
    parts.closeButton = ui->CloseButton;
    parts.label = ui->label;
    parts.buttons = {ui->NewHong};
    NoticeStyle::Apply(this, parts);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

LessThree::~LessThree() = default;

void LessThree::SlotChangeLanguage(int index)
{
    // This notice has always read the Russian file for index 4 as well.
    LabelFile::Load(LabelFile::PathFor(index, LabelFile::Mapping::RussianAtFour), QStringLiteral("LessThree"), {
        {QStringLiteral("label"), [this](const QString& text) { ui->label->setText(text); }},
        {QStringLiteral("NewHong"), [this](const QString& text) { ui->NewHong->setText(text); }},
    });
}

void LessThree::on_CloseButton_clicked()
{
    close();
}

void LessThree::on_NewHong_clicked()
{
    close();
}
