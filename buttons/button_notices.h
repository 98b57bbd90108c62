// The button page's notices. The page puts each one centred on itself,
// 50 px left and 70 px up (ButtonPageDialogShift); GroupKey puts
// GroupMaxThree on its own top-left corner.
#ifndef BUTTON_NOTICES_H
#define BUTTON_NOTICES_H

#include "notice_dialog.h"

#include <QPoint>

// Shift from the centre of the button page at which its dialogs and notices stand.
constexpr QPoint ButtonPageDialogShift(-50, -70);

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

#endif // BUTTON_NOTICES_H
