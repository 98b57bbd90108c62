#include "button_notices.h"

LeftButtonOnly::LeftButtonOnly(QWidget* parent)
    : NoticeDialog({QStringLiteral("LeftButtonOnly"), QStringLiteral("ButtonOnly"), QRect(0, 19, 301, 91), QRect(),
                    {Message, Close}, QStringLiteral("Left button must be retained"), QStringLiteral("ButtonOnly")},
                   parent)
{
}

MakeMacro::MakeMacro(QWidget* parent)
    : NoticeDialog({QStringLiteral("MakeMacro"), QStringLiteral("MakeMacroA"), QRect(6, 29, 291, 71),
                    QRect(100, 110, 90, 24), {Close, Ok, Message}, QStringLiteral("Please create a macro first"),
                    QStringLiteral("MakeMacro")},
                   parent)
{
}

GroupMaxThree::GroupMaxThree(QWidget* parent)
    : NoticeDialog({QStringLiteral("GroupMaxThree"), QStringLiteral("MaxThree"), QRect(0, 30, 301, 71),
                    QRect(105, 110, 90, 24), {Message, Ok, Close},
                    QStringLiteral("  Key can only have up to three buttons"), QStringLiteral("MaxThree")},
                   parent)
{
}
