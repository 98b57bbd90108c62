#include "exe_is_run.h"
#include "ui_exe_is_run.h"

#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

ExeIsRun::ExeIsRun(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ExeIsRun)
{
    ui->setupUi(this);

    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    m_pictureFolder = NoticeStyle::PictureFolder();
    NoticeStyle::Elements parts;
    parts.background = ui->DeleteConfirmA;
    parts.closeButton = ui->CloseButton;
    parts.label = ui->label;
    parts.buttons = {ui->NewHong};
    NoticeStyle::Apply(this, parts);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

ExeIsRun::~ExeIsRun() = default;

void ExeIsRun::ShowLabel2Text()
{
    ui->label->setText(m_label2Text);
}

void ExeIsRun::ShowPleaseStopText()
{
    ui->label->setText(m_pleaseStopText);
}

void ExeIsRun::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("EXEIsRun"), {
        {QStringLiteral("label"), [this](const QString& text) { ui->label->setText(text); }},
        {QStringLiteral("NewHong"), [this](const QString& text) { ui->NewHong->setText(text); }},
        {QStringLiteral("label_2"), [this](const QString& text) { m_label2Text = text; }},
        {QStringLiteral("PleaseStop"), [this](const QString& text) { m_pleaseStopText = text; }},
    });
}

void ExeIsRun::on_CloseButton_clicked()
{
    close();
}

void ExeIsRun::on_NewHong_clicked()
{
    close();
}
