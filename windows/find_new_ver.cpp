#include "find_new_ver.h"
#include "ui_find_new_ver.h"

#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

#include <QPalette>

FindNewVer::FindNewVer(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::FindNewVer)
{
    ui->setupUi(this);

    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    m_pictureFolder = NoticeStyle::PictureFolder();
    NoticeStyle::Elements parts;
    parts.background = ui->SameMacroA;
    parts.closeButton = ui->CloseButton;
    parts.label = ui->label;
    parts.buttons = {ui->NewHong};
    NoticeStyle::Apply(this, parts);
    // The box has no style sheet; only its caption colour follows the labels,
    // so that it stays readable on the dark picture.
    QPalette boxPalette = ui->NoApear->palette();
    boxPalette.setColor(QPalette::WindowText, NoticeStyle::ConfigColor(QStringLiteral("LabelColor")));
    ui->NoApear->setPalette(boxPalette);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

FindNewVer::~FindNewVer() = default;

void FindNewVer::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("NewVer"), {
        {QStringLiteral("label"), [this](const QString& text) { ui->label->setText(text); }},
        {QStringLiteral("NewHong"), [this](const QString& text) { ui->NewHong->setText(text); }},
        {QStringLiteral("NoApear"), [this](const QString& text) { ui->NoApear->setText(text); }},
    });
}

void FindNewVer::on_CloseButton_clicked()
{
    close();
}

void FindNewVer::on_NewHong_clicked()
{
    close();
}
