#include "inport_fail.h"
#include "ui_inport_fail.h"

#include "app_state.h"
#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

InportFail::InportFail(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::InportFail)
{
    ui->setupUi(this);

    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    m_pictureFolder = NoticeStyle::PictureFolder();
    NoticeStyle::Elements parts;
    parts.background = ui->InportFailA;
    parts.closeButton = ui->CloseButton;
    parts.label = ui->label;
    parts.buttons = {ui->NewHong};
    NoticeStyle::Apply(this, parts);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

InportFail::~InportFail() = default;

void InportFail::ShowExportFailedText()
{
    ui->label->setText(m_exportFailedText);
}

void InportFail::SlotChangeLanguage(int index)
{
    // 1: the file cannot be read or is no export file; 2: it does not fit the model.
    const int importResult = g_importResult;
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("InportFail"), {
        {QStringLiteral("label"), [this, importResult](const QString& text) { if (importResult == 1) ui->label->setText(text); }},
        {QStringLiteral("label_1"), [this, importResult](const QString& text) { if (importResult == 2) ui->label->setText(text); }},
        {QStringLiteral("label_2"), [this](const QString& text) { m_exportFailedText = text; }},
        {QStringLiteral("NewHong"), [this](const QString& text) { ui->NewHong->setText(text); }},
    });
}

void InportFail::on_CloseButton_clicked()
{
    close();
}

void InportFail::on_NewHong_clicked()
{
    close();
}
