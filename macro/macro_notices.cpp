#include "macro_notices.h"

SameMacro::SameMacro(QWidget* parent)
    : NoticeDialog({QStringLiteral("SameMacro"), QStringLiteral("SameMacroA"), QRect(0, 30, 301, 71),
                    QRect(100, 110, 90, 24), {Close, Ok, Message}, QStringLiteral("Already have a same name macro"),
                    QStringLiteral("SameMacro")},
                   parent)
{
}

KeyNumberLimit::KeyNumberLimit(QWidget* parent)
    : NoticeDialog({QStringLiteral("KeyNumberLimit"), QStringLiteral("LimitA"), QRect(0, 30, 301, 71),
                    QRect(100, 110, 90, 24), {Ok, Message, Close}, QStringLiteral("Macro Key reached the Max limit"),
                    QStringLiteral("Limit")},
                   parent)
{
}

DeleteConfirm::DeleteConfirm(QWidget* parent)
    : NoticeDialog({QStringLiteral("DeleteConfirm"), QStringLiteral("DeleteConfirmA"), QRect(5, 30, 291, 71),
                    QRect(100, 110, 90, 24), {Close, Message, Ok}, QStringLiteral("Confirm Delete"),
                    QStringLiteral("DeleteConfirm")},
                   parent)
{
}

void DeleteConfirm::Answered(bool confirmed)
{
    accepted = confirmed;
}
