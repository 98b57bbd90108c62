#include "on_off_frame.h"

#include "app_state.h"
#include "frame_style.h"
#include "paths.h"

#include <QAbstractButton>
#include <QLabel>

OnOffFrame::OnOffFrame(QWidget* parent)
    : QFrame(parent)
    , m_pictureFolder(PictureFolder(QStringLiteral("Sensor")))
{
}

void OnOffFrame::AttachSwitch(QLabel* caption, QAbstractButton* switchButton)
{
    m_caption = caption;
    m_switch = switchButton;
    m_caption->setStyleSheet(FrameStyle::CaptionStyle());
    m_switch->setStyleSheet(FrameStyle::SwitchStyle(m_switch->objectName(), m_pictureFolder));
}

void OnOffFrame::SetChecked(bool on)
{
    m_switch->setChecked(on);
}

void OnOffFrame::SetLabelText(const QString& text)
{
    m_caption->setText(text);
}

void OnOffFrame::SetLabelToolTip(const QString& text)
{
    m_caption->setToolTip(text);
}

void OnOffFrame::SendClick(bool checked, FieldSetter setter)
{
    // Before sending is allowed a click only moves the switch; an offline
    // mouse is reported by the setter, and the next fill puts the switch back.
    if (!g_sendEnabled)
        return;
    setter(checked ? 1 : 0);
}
