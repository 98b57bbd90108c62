// Macro files: one small UTF-8 text file per macro in the per-user macro
// folder, named after the macro with the ending ".ini" (the content is not a
// settings file). Line 1 is the repeat code; every further line is one event
// item: "0x04 1 0" (file code, kind, 0 press / 1 release) or a delay "10ms".
// An empty file is a macro without header and events. The button page reads
// and writes these files too, through the functions here.
#ifndef MACRO_FILE_H
#define MACRO_FILE_H

#include "macro_item.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Repeat codes of a macro: play it until the button is pressed again (253),
// while it is held (254), until another click (255), or 1 to 250 times.
namespace MacroRepeat {
enum : int { Until = 253, UntilLoose = 254, UntilClick = 255, MaxCount = 250 };
// The code of a header text: 253, 254, 255 and 1-250 as they stand (blanks
// around the first word allowed), anything else 1.
int FromText(const QString& text);
}

struct MacroFileContent {
    bool hasHeader = false; // false for an empty file
    int repeatCode = 1;     // MacroRepeat::FromText of line 1
    MacroItems items;
};

// <per-user folder>/usersetting/MacroPage
QString MacroFolder();
// folder + "/" + name + ".ini"
QString MacroFilePath(const QString& folder, const QString& name);

// The macro names of a folder: the regular files (no links) whose names end
// in ".ini", without that ending, sorted ignoring case.
QStringList ReadMacroList(const QString& folder);

// Lines are trimmed and may end in LF, CR LF or nothing (the last one).
// Key lines whose file code is not "0x" and two upper-case hex digits give
// the key without a name (kind 1, code 0); key lines whose last field is not
// 0 or 1, delays that are not <digits>ms and other lines are skipped.
MacroFileContent ParseMacroFile(const QByteArray& bytes);
// The words of a line of a macro file: split at any white space (a lone CR
// included), empty parts dropped. Every reader of these files splits so.
QStringList MacroLineWords(const QString& line);
// The milliseconds of a delay text "<digits>ms" that fits 32 bits.
std::optional<quint32> ParseDelayText(const QString& text);
// A code as the lines write it: "0x" and two upper-case hex digits.
QByteArray MacroFileCode(int code);
// One line per item, each ended by LF; no header.
QByteArray FormatMacroLines(const MacroItems& items);

// Macro files and exchange files larger than this are refused unread: a
// macro the mouse can hold takes a few kilobytes, and reading a huge file
// line by line would freeze the page for minutes.
constexpr qint64 kMaxMacroFileBytes = 1024 * 1024;

enum class MacroFileRead { Done, Unreadable, TooLarge };

// Unreadable when the file is missing or cannot be read; TooLarge, with
// nothing read, above kMaxMacroFileBytes.
MacroFileRead ReadMacroFile(const QString& path, MacroFileContent* content);
// A new empty macro file; false when anything exists at the path already.
bool CreateMacroFile(const QString& path);
// Replaces the file, or creates it, with the header and the items in one
// step: a crash or a full disk leaves the old content or none, never a part.
bool WriteMacroFile(const QString& path, int repeatCode, const MacroItems& items);

#endif // MACRO_FILE_H
