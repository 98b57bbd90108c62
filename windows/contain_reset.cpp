#include "contain_reset.h"
#include "ui_contain_reset.h"

#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

#include <QKeySequence>

ContainReset::ContainReset(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ContainReset)
{
    ui->setupUi(this);

    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    m_pictureFolder = NoticeStyle::PictureFolder();
    NoticeStyle::Elements parts;
    parts.background = ui->ContainResetA;
    parts.closeButton = ui->CloseButton;
    parts.label = ui->label;
    parts.buttons = {ui->OK, ui->Cancel};
    NoticeStyle::Apply(this, parts);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

ContainReset::~ContainReset() = default;

void ContainReset::SetLabelText(QString text)
{
    ui->label->setText(text);
}

void ContainReset::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("ContainReset"), {
        {QStringLiteral("label"), [this](const QString& text) { ui->label->setText(text); }},
        {QStringLiteral("OK"), [this](const QString& text) { ui->OK->setText(text); }},
        {QStringLiteral("Cancel"), [this](const QString& text) { ui->Cancel->setText(text); }},
    });
    // Return answers yes; the keypad Enter key is deliberately no shortcut.
    // Set after the texts: QAbstractButton::setText replaces the shortcut with
    // the text's mnemonic, so a reload would otherwise drop it.
    ui->OK->setShortcut(QKeySequence(Qt::Key_Return));
}

void ContainReset::on_CloseButton_clicked()
{
    result = false;
    close();
}

void ContainReset::on_OK_clicked()
{
    result = true;
    close();
}

void ContainReset::on_Cancel_clicked()
{
    result = false;
    close();
}
