#include "mytoolbuttonenter.h"

mytoolButtonEnter::mytoolButtonEnter(QWidget* parent)
    : QToolButton(parent)
{
}

mytoolButtonEnter::~mytoolButtonEnter() = default;

mytoolButtonEnter::RefreshFunction& mytoolButtonEnter::Refresh()
{
    static RefreshFunction refresh;
    return refresh;
}

void mytoolButtonEnter::SetRefreshDeviceButton(RefreshFunction refresh)
{
    Refresh() = std::move(refresh);
}

void mytoolButtonEnter::enterEvent(QEvent*)
{
    // A name that is no number gives index 0, as toInt does.
    const int index = objectName().remove(QStringLiteral("btn")).toInt();
    if (Refresh())
        Refresh()(index);
}

void mytoolButtonEnter::leaveEvent(QEvent*)
{
}
