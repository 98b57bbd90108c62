#include "group_key.h"
#include "ui_group_key.h"

#include "button_notices.h"
#include "keyboard_hook.h"
#include "label_file.h"
#include "modal_run.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

#include <QKeyEvent>

GroupKey::GroupKey(QWidget* parent, KeyCombinationCapture::Clock clock)
    : QDialog(parent)
    , ui(new Ui::GroupKey)
    , m_capture(std::move(clock))
    , keyHook(new KeyboardHook(KeyboardHook::Combination))
{
    ui->setupUi(this);
    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    keyHook->SetHook();
    keyHook->SetCallback([this](int keyCode, bool downOrUp, bool aotu) { UpdateCapslockTip(keyCode, downOrUp, aotu); });

    ui->lineEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui->lineEdit->setFocus();
    NoticeStyle::Elements parts;
    parts.background = ui->groupKeyA;
    parts.closeButton = ui->CloseButton;
    parts.label = ui->label;
    parts.buttons = {ui->NewHong, ui->NewHong_2};
    parts.entries = {ui->lineEdit};
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
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("groupKey"), {
        {QStringLiteral("label"), [this](const QString& text) { ui->label->setText(text); }},
        {QStringLiteral("NewHong"), [this](const QString& text) { ui->NewHong->setText(text); }},
        {QStringLiteral("NewHong_2"), [this](const QString& text) { ui->NewHong_2->setText(text); }},
    });
}

void GroupKey::done(int result)
{
    // Every way of closing (buttons, the window system) ends the capture.
    keyHook->UnHook();
    QDialog::done(result);
}

void GroupKey::keyPressEvent(QKeyEvent* event)
{
    // Esc and F12 are keys to capture, not commands to the dialog.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QDialog::keyPressEvent(event);
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
