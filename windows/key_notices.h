// The notices of the button page and the macro page, each a NoticeDialog
// with its own layout and meta-object (openers and tests tell them apart by
// class). The button page puts its notices centred on itself shifted by
// ButtonPageDialogShift, GroupKey puts GroupMaxThree on its own top-left
// corner; the macro page uses MacroPageNoticeShift, and the import of an
// exchange file puts SameMacro 15 px lower.
#ifndef KEY_NOTICES_H
#define KEY_NOTICES_H

#include "notice_dialog.h"

// The only key with the left-button function keeps it: no menu for it.
class LeftButtonOnly : public NoticeDialog {
    Q_OBJECT
public:
    explicit LeftButtonOnly(QWidget* parent = nullptr);
};

// The macro item was chosen while no macro exists.
class MakeMacro : public NoticeDialog {
    Q_OBJECT
public:
    explicit MakeMacro(QWidget* parent = nullptr);
};

// A key combination holds more than three items.
class GroupMaxThree : public NoticeDialog {
    Q_OBJECT
public:
    explicit GroupMaxThree(QWidget* parent = nullptr);
};

// A macro of the requested name exists already.
class SameMacro : public NoticeDialog {
    Q_OBJECT
public:
    explicit SameMacro(QWidget* parent = nullptr);
};

// A recording reached the event limit and was stopped, or a macro holds
// more events than the mouse takes and was not sent.
class KeyNumberLimit : public NoticeDialog {
    Q_OBJECT
public:
    explicit KeyNumberLimit(QWidget* parent = nullptr);
    // The text for a macro that was not sent; the recording one is shown first.
    void ShowNotSentText();
};

// Asks before the selected macro is deleted; `accepted` holds the answer.
class DeleteConfirm : public NoticeDialog {
    Q_OBJECT
public:
    bool accepted = false; // true only after OK

    explicit DeleteConfirm(QWidget* parent = nullptr);

protected:
    void Answered(bool confirmed) override;
};

#endif // KEY_NOTICES_H
