// The rules every macro name obeys, wherever it arrives (name dialog, import,
// a macro read back from the mouse). A name becomes a file name in the macro
// folder and goes into the 30-byte name field of a macro block.
#ifndef MACRO_NAME_H
#define MACRO_NAME_H

#include <QString>

// Size of the name field of a macro block, in the local 8-bit encoding.
constexpr int MacroNameMaxBytes = 30;

// The longest prefix of whole characters whose local 8-bit encoding takes at
// most maxBytes bytes. A character is never split; a text that fits is kept.
QString CutToLocal8Bit(const QString& text, int maxBytes = MacroNameMaxBytes);

// What the name field holds after the user edited it into `text`: a blank
// typed at the end removes every blank of the name, then the name is cut to
// MacroNameMaxBytes.
QString ApplyMacroNameEdit(const QString& text);

// Whether a name may be used for a macro: something besides blanks, no path
// separator ("/", "\"), no ":", no control character, no leading dot.
bool IsValidMacroName(const QString& name);

#endif // MACRO_NAME_H
