#include "debounce_time.h"
#include "ui_debounce_time.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "less_three.h"
#include "notice_style.h"
#include "paths.h"

DebounceTime::DebounceTime(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::DebounceTime)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Buttoninterface"));
    ui->Debunce->setStyleSheet(FrameStyle::ComboStyle(m_pictureFolder, false));
    FrameStyle::InstallListView(ui->Debunce);
    ui->Debunce->setMaxVisibleItems(5);
}

DebounceTime::~DebounceTime() = default;

void DebounceTime::BlockLevelSignals(bool block)
{
    ui->Debunce->blockSignals(block);
}

void DebounceTime::SetLevel(int ms)
{
    // An imported or damaged image may hold more than 20; selecting it would
    // clear the combo and report index -1.
    if (ms < 0 || ms > kMaxMs || ms >= ui->Debunce->count())
        return;
    ui->Debunce->setCurrentIndex(ms);
}

void DebounceTime::SetLevelText(int index, const QString& text)
{
    ui->Debunce->setItemText(index, QString::number(index) + text);
}

void DebounceTime::on_Debunce_currentIndexChanged(int index)
{
    if (!g_sendEnabled)
        return;
    // -1 means no item: nothing was chosen, and it must not reach the mouse.
    if (index < 0)
        return;
    SetDebounceTime(index);
    if (index > 3)
        return;
    ShowLessThree();
}

void DebounceTime::ShowLessThree()
{
    LessThree notice;
    notice.move(NoticeStyle::CentredOn(this, &notice, QPoint(-409, -202)));
    notice.exec();
}
