#include "question_dialog.h"
#include "ui_question_dialog.h"

#include "label_file.h"
#include "macro_name.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

QuestionDialog::QuestionDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::QuestionDialog)
{
    ui->setupUi(this);
    setFixedSize(size());
    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));
    connect(ui->NewHong_2, SIGNAL(clicked()), this, SLOT(WindowClosedLan()));

    NoticeStyle::Apply(this, NoticeStyle::EntryDialogParts(ui->Question, ui->CloseButton, ui->label, ui->NewHong,
                                                           ui->NewHong_2, {ui->lineEdit}));
    ui->lineEdit->setFocus();

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

QuestionDialog::~QuestionDialog() = default;

void QuestionDialog::SetPromptText(bool rename)
{
    ui->label->setText(rename ? m_renamePrompt : m_newPrompt);
}

void QuestionDialog::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("Question"), {
        {QStringLiteral("label"), [this](const QString& text) { m_newPrompt = text; }},
        {QStringLiteral("label_2"), [this](const QString& text) { m_renamePrompt = text; }},
        {QStringLiteral("NewHong"), [this](const QString& text) { ui->NewHong->setText(text); }},
        {QStringLiteral("NewHong_2"), [this](const QString& text) { ui->NewHong_2->setText(text); }},
    });
}

void QuestionDialog::on_lineEdit_textEdited(const QString& text)
{
    ui->lineEdit->setText(ApplyMacroNameEdit(text));
}

void QuestionDialog::on_NewHong_clicked()
{
    // The page decides about the name, so a refused one is explained.
    enteredName = ui->lineEdit->text();
    close();
}

void QuestionDialog::WindowClosedLan()
{
    enteredName.clear();
    close();
}

void QuestionDialog::on_CloseButton_clicked()
{
    enteredName.clear();
    close();
}
