#include "group_key.h"
#include "ui_group_key.h"

#include "key_notices.h"
#include "label_file.h"
#include "modal_run.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"


GroupKey::GroupKey(QWidget* parent, KeyCombinationCapture::Clock clock)
    : KeyCaptureDialog(
        KeyboardHook::Combination,
        [this](int keyCode, bool downOrUp, bool aotu) { UpdateCapslockTip(keyCode, downOrUp, aotu); }, parent)
    , ui(new Ui::GroupKey)
    , m_capture(std::move(clock))
{
    ui->setupUi(this);
    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    ui->lineEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    KeepKeysForCapture(ui->lineEdit);
    NoticeStyle::Elements parts = NoticeStyle::EntryDialogParts(ui->groupKeyA, ui->CloseButton, ui->label, ui->NewHong,
                                                                ui->NewHong_2, {ui->lineEdit});
    parts.checkBoxes = {ui->Shift, ui->Ctrl, ui->Alt, ui->Win};
    NoticeStyle::Apply(this, parts);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

GroupKey::~GroupKey() = default;

void GroupKey::UpdateCapslockTip(int keyCode, bool downOrUp, bool)
{
    m_capture.Key(keyCode, downOrUp);
    if (ui->lineEdit->text() != m_capture.Field())
        ui->lineEdit->setText(m_capture.Field());
}

void GroupKey::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("groupKey"),
                    NoticeStyle::MessageKeys(ui->label, ui->NewHong, ui->NewHong_2));
}

void GroupKey::on_lineEdit_textEdited(const QString& text)
{
    m_capture.SetField(text);
    ui->lineEdit->setText(m_capture.Field());
}

void GroupKey::on_NewHong_clicked()
{
    const std::optional<QString> combination = KeyCombinationCapture::Combine(
        ui->Shift->isChecked(), ui->Ctrl->isChecked(), ui->Alt->isChecked(), ui->Win->isChecked(),
        ui->lineEdit->text());
    if (!combination) {
        GroupMaxThree notice;
        notice.move(mapToGlobal(QPoint(0, 0)));
        ModalRun::Exec(&notice);
        m_capture.Restart();
        ui->lineEdit->setText(m_capture.Field());
        return;
    }
    keyHook->UnHook();
    keyText = *combination;
    accepted = true;
    close();
}

void GroupKey::on_NewHong_2_clicked()
{
    accepted = false;
    close();
}

void GroupKey::on_CloseButton_clicked()
{
    accepted = false;
    close();
}
