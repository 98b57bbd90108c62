// Where the button page puts its dialogs and notices: centred on the page,
// then shifted by this offset (NoticeStyle::CentredOn).
#ifndef BUTTON_DIALOG_SHIFT_H
#define BUTTON_DIALOG_SHIFT_H

#include <QPoint>

constexpr QPoint ButtonPageDialogShift(-50, -70);

#endif // BUTTON_DIALOG_SHIFT_H
