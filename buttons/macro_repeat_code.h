// The first line of a macro file is its repeat code. The button page reads
// it when it binds a macro, and cuts a file down to it before the macro page
// appends the events the mouse holds.
#ifndef MACRO_REPEAT_CODE_H
#define MACRO_REPEAT_CODE_H

#include <QString>

// The first word of line 1, split as the macro page splits it ("" when the
// line has no word); "0" when the file is missing or empty.
QString ReadMacroRepeatCode(const QString& path);
// Replaces the file (creating it) by `value` and a line feed. False when it
// cannot be written.
bool WriteMacroRepeatCode(const QString& path, const QString& value);

#endif // MACRO_REPEAT_CODE_H
