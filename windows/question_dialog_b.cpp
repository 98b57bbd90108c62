#include "question_dialog_b.h"
#include "ui_question_dialog_b.h"

#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

#include <QPalette>

QuestiondialogB::QuestiondialogB(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::QuestiondialogB)
{
    ui->setupUi(this);

    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    m_pictureFolder = NoticeStyle::PictureFolder();
    NoticeStyle::Elements parts;
    parts.background = ui->QuestionB;
    parts.closeButton = ui->CloseButton;
    parts.label = ui->label;
    NoticeStyle::Apply(this, parts);
    setFixedSize(size());
    // The frame stops 10 px short of the window's bottom; fill that strip
    // with the background picture's bottom colour instead of the light default.
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, NoticeStyle::PictureBottomColor());
    setPalette(windowPalette);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

QuestiondialogB::~QuestiondialogB() = default;

void QuestiondialogB::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("QuestionB"), {
        {QStringLiteral("label"), [this](const QString& text) { ui->label->setText(text); }},
    });
}

void QuestiondialogB::on_CloseButton_clicked()
{
    close();
}
