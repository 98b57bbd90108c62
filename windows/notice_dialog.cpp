#include "notice_dialog.h"

#include "label_file.h"
#include "notice_style.h"
#include "post_msg.h"
#include "user_setting_store.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace {

QFont NoticeFont()
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSize(11);
    return font;
}

} // namespace

NoticeDialog::NoticeDialog(const Layout& layout, QWidget* parent)
    : QDialog(parent)
    , m_section(layout.section)
{
    if (objectName().isEmpty())
        setObjectName(layout.name);
    resize(300, 140);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setWindowTitle(QStringLiteral("Dialog"));

    m_frame = new QFrame(this);
    m_frame->setObjectName(layout.frameName);
    m_frame->setGeometry(0, 0, 300, 140);
    m_frame->setFrameShape(QFrame::StyledPanel);
    m_frame->setFrameShadow(QFrame::Raised);

    QWidget* previous = nullptr;
    for (const Part part : layout.childOrder) {
        QWidget* child = nullptr;
        switch (part) {
        case Message:
            m_label = new QLabel(m_frame);
            m_label->setObjectName(QStringLiteral("label"));
            m_label->setGeometry(layout.messageGeometry);
            m_label->setFont(NoticeFont());
            m_label->setAlignment(Qt::AlignCenter);
            m_label->setWordWrap(true);
            m_label->setText(layout.defaultMessage);
            child = m_label;
            break;
        case Close:
            m_close = new QToolButton(m_frame);
            m_close->setObjectName(QStringLiteral("CloseButton"));
            m_close->setGeometry(275, 5, 20, 20);
            m_close->setMaximumSize(20, 20);
            m_close->setAutoRaise(true);
            child = m_close;
            break;
        case Ok:
            if (layout.okGeometry.isNull())
                break;
            m_ok = new QToolButton(m_frame);
            m_ok->setObjectName(QStringLiteral("NewHong"));
            m_ok->setGeometry(layout.okGeometry);
            m_ok->setMaximumSize(500, 500);
            m_ok->setFont(NoticeFont());
            m_ok->setAutoRaise(true);
            m_ok->setText(QStringLiteral("确定"));
            child = m_ok;
            break;
        }
        if (child && previous)
            setTabOrder(previous, child);
        if (child)
            previous = child;
    }
    connect(m_close, &QToolButton::clicked, this, &NoticeDialog::on_CloseButton_clicked);
    if (m_ok)
        connect(m_ok, &QToolButton::clicked, this, &NoticeDialog::on_NewHong_clicked);

    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    NoticeStyle::Elements parts;
    parts.background = m_frame;
    parts.closeButton = m_close;
    parts.label = m_label;
    if (m_ok)
        parts.buttons = {m_ok};
    NoticeStyle::Apply(this, parts);

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());
}

NoticeDialog::~NoticeDialog() = default;

void NoticeDialog::SlotChangeLanguage(int index)
{
    LabelFile::Load(LabelFile::PathFor(index), m_section, NoticeStyle::MessageKeys(m_label, m_ok));
}

void NoticeDialog::Answered(bool)
{
}

void NoticeDialog::on_CloseButton_clicked()
{
    Answered(false);
    close();
}

void NoticeDialog::on_NewHong_clicked()
{
    Answered(true);
    close();
}
