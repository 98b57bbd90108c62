#include "mouse_off_line.h"
#include "ui_mouse_off_line.h"

#include "app_state.h"
#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

int MouseOffLine::s_openCount = 0;

MouseOffLine::MouseOffLine(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::MouseOffLine)
{
    ++s_openCount;
    ui->setupUi(this);

    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));
    connect(PostMsg::GetInstance(), SIGNAL(SigCloseOffOnline()), this, SLOT(on_CloseButton_clicked()));

    m_pictureFolder = NoticeStyle::PictureFolder();
    NoticeStyle::Elements parts;
    parts.background = ui->MouseOffLineA;
    parts.closeButton = ui->CloseButton;
    parts.label = ui->label;
    parts.buttons = {ui->NewHong};
    parts.confirmPicture = QStringLiteral("ConFirm.png");
    parts.confirmPressedPicture = QStringLiteral("ConFirmClick.png");
    NoticeStyle::Apply(this, parts);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

MouseOffLine::~MouseOffLine()
{
    --s_openCount;
}

bool MouseOffLine::IsOpen()
{
    return s_openCount > 0;
}

void MouseOffLine::SlotChangeLanguage(int index)
{
    // The opener picks the text before it builds the notice: 0 offline, 1 time-out.
    const int mode = g_offlineNoticeMode;
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("MouseOffLine"), {
        {QStringLiteral("label"), [this, mode](const QString& text) { if (mode == 0) ui->label->setText(text); }},
        {QStringLiteral("Timeout"), [this, mode](const QString& text) { if (mode == 1) ui->label->setText(text); }},
        {QStringLiteral("NewHong"), [this](const QString& text) { ui->NewHong->setText(text); }},
    });
}

void MouseOffLine::on_CloseButton_clicked()
{
    close();
}

void MouseOffLine::on_NewHong_clicked()
{
    close();
}
