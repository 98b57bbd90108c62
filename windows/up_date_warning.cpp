#include "up_date_warning.h"
#include "ui_up_date_warning.h"

#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

#include <QKeySequence>

UpDateWarning::UpDateWarning(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::UpDateWarning)
{
    ui->setupUi(this);

    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    m_pictureFolder = NoticeStyle::PictureFolder();
    NoticeStyle::Elements parts;
    parts.background = ui->WarningFrame;
    parts.closeButton = ui->CloseButton;
    parts.label = ui->label;
    parts.buttons = {ui->NewHong};
    NoticeStyle::Apply(this, parts);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

UpDateWarning::~UpDateWarning() = default;

void UpDateWarning::SetLabelText(QString text)
{
    ui->label->setText(text);
}

void UpDateWarning::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("NewVer"), {
        {QStringLiteral("NewHong"), [this](const QString& text) { ui->NewHong->setText(text); }},
    });
    // Return confirms; the keypad Enter key is deliberately no shortcut. Set
    // after the text: QAbstractButton::setText replaces the shortcut with the
    // text's mnemonic, and the settings page keeps one instance across
    // language changes.
    ui->NewHong->setShortcut(QKeySequence(Qt::Key_Return));
}

void UpDateWarning::on_CloseButton_clicked()
{
    close();
}

void UpDateWarning::on_NewHong_clicked()
{
    close();
}
