#include "up_date_warning.h"
#include "ui_up_date_warning.h"

#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "text_wrap.h"
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
    parts.stretchBackground = true; // the picture has the form's size; taller notices stretch it
    NoticeStyle::Apply(this, parts);
    m_formSize = size();
    m_formLabel = ui->label->geometry();
    m_formButton = ui->NewHong->pos();

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

UpDateWarning::~UpDateWarning() = default;

void UpDateWarning::SetLabelText(QString text)
{
    ui->label->setText(TextWrap::BreakableWords(text, ui->label->font(), m_formLabel.width()));
    FitToText();
}

void UpDateWarning::FitToText()
{
    const int extra = qMax(0, ui->label->heightForWidth(m_formLabel.width()) - m_formLabel.height());
    const QSize size(m_formSize.width(), m_formSize.height() + extra);
    resize(size);
    ui->WarningFrame->resize(size);
    ui->label->setGeometry(m_formLabel.adjusted(0, 0, 0, extra));
    ui->NewHong->move(m_formButton + QPoint(0, extra));
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
