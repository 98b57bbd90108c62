// The macro page's notices. The page puts them centred on itself, 100 px
// left and 50 px up (MacroPageNoticeShift); the import of an exchange file
// puts SameMacro 15 px lower.
#ifndef MACRO_NOTICES_H
#define MACRO_NOTICES_H

#include "macro_dialog_shift.h"
#include "notice_dialog.h"

// A macro of the requested name exists already.
class SameMacro : public NoticeDialog {
    Q_OBJECT
public:
    explicit SameMacro(QWidget* parent = nullptr);
};

// A recording reached the event limit and was stopped.
class KeyNumberLimit : public NoticeDialog {
    Q_OBJECT
public:
    explicit KeyNumberLimit(QWidget* parent = nullptr);
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

#endif // MACRO_NOTICES_H
