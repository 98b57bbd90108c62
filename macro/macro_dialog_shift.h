// Where the macro page puts its dialogs and notices: centred on the page,
// then shifted by these offsets (NoticeStyle::CentredOn).
#ifndef MACRO_DIALOG_SHIFT_H
#define MACRO_DIALOG_SHIFT_H

#include <QPoint>

// The name dialog and the notices (a macro of that name exists, the event
// limit, delete confirmation).
constexpr QPoint MacroPageNoticeShift(-100, -50);
// An import's same-name notice stands this much lower than the others.
constexpr int MacroImportNoticeDrop = 15;
// The single-key and delay dialogs.
constexpr QPoint MacroPageEditShift(-50, -70);

#endif // MACRO_DIALOG_SHIFT_H
