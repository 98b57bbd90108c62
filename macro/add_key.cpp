#include "add_key.h"
#include "ui_add_key.h"

#include "key_code_table.h"
#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

addKey::addKey(QWidget* parent)
    : KeyCaptureDialog(
        KeyboardHook::SingleKey,
        [this](int keyCode, bool downOrUp, bool aotu) { UpdateCapslockTip(keyCode, downOrUp, aotu); }, parent)
    , ui(new Ui::addKey)
{
    ui->setupUi(this);
    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    NoticeStyle::Apply(this, NoticeStyle::EntryDialogParts(ui->addKeyA, ui->CloseButton, ui->label, ui->NewHong,
                                                           ui->NewHong_2, {ui->lineEdit}));
    KeepKeysForCapture(ui->lineEdit);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

addKey::~addKey() = default;

QString addKey::KeyName(int keyCode)
{
    if (keyCode < 0 || keyCode == 0x20 || keyCode == 0xA5)
        return QString();
    return VirtualKeyToKeyName(static_cast<uint32_t>(keyCode)).value_or(QString());
}

void addKey::UpdateCapslockTip(int keyCode, bool, bool)
{
    keyName = KeyName(keyCode);
    ui->lineEdit->setText(keyName);
}

void addKey::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("AddKey"),
                    NoticeStyle::MessageKeys(ui->label, ui->NewHong, ui->NewHong_2));
}

void addKey::on_NewHong_clicked()
{
    // Without a captured key there is nothing to insert: same as Cancel.
    if (keyName.isEmpty()) {
        on_NewHong_2_clicked();
        return;
    }
    accepted = true;
    accept();
}

void addKey::on_NewHong_2_clicked()
{
    accepted = false;
    reject();
}

void addKey::on_CloseButton_clicked()
{
    accepted = false;
    reject();
}
