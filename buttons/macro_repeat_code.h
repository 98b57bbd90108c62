// The first line of a macro file is its repeat code. The button page reads
// it when it binds a macro or resends a changed repeat mode.
#ifndef MACRO_REPEAT_CODE_H
#define MACRO_REPEAT_CODE_H

#include <QString>

// The first word of line 1, split as the macro page splits it ("" when the
// line has no word); "0" when the file is missing or empty.
QString ReadMacroRepeatCode(const QString& path);

#endif // MACRO_REPEAT_CODE_H
