#include "key_notices.h"

#include "label_file.h"
#include "user_setting_store.h"

#include <QLabel>

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

void KeyNumberLimit::ShowNotSentText()
{
    QLabel* label = Label();
    LabelFile::Load(LabelFile::PathFor(UserSettingStore::Instance()->LanguageIndex()), QStringLiteral("Limit"),
                    {{QStringLiteral("label_2"), [label](const QString& text) { label->setText(text); }}});
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
