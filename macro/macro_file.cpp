#include "macro_file.h"

#include "key_code_table.h"

#include "paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

namespace {

// A file code as the writer makes it: "0x" and two upper-case hex digits.
bool IsFileCode(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^0x[0-9A-F]{2}$"));
    return pattern.match(text).hasMatch();
}

bool ParseEventLine(const QStringList& parts, MacroItem* item)
{
    if (parts.size() == 1) {
        const std::optional<quint32> ms = ParseDelayText(parts[0]);
        if (!ms)
            return false;
        *item = MacroItem::Delay(*ms);
        return true;
    }
    if (parts.size() != 3 || (parts[2] != QLatin1String("0") && parts[2] != QLatin1String("1")))
        return false;
    const bool release = parts[2] == QLatin1String("1");
    int kind = KindKeyboard;
    int code = 0;
    if (IsFileCode(parts[0])) {
        kind = parts[1].toInt();
        code = parts[0].mid(2).toInt(nullptr, 16);
    }
    *item = release ? MacroItem::Release(kind, code) : MacroItem::Press(kind, code);
    return true;
}

} // namespace

QStringList MacroLineWords(const QString& line)
{
    // The pattern is compiled once, not per line.
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return line.split(blanks, Qt::SkipEmptyParts);
}

std::optional<quint32> ParseDelayText(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]+)ms$"));
    const QRegularExpressionMatch match = pattern.match(text);
    bool ok = false;
    const quint32 ms = match.hasMatch() ? match.captured(1).toUInt(&ok) : 0;
    return ok ? std::optional<quint32>(ms) : std::nullopt;
}

int MacroRepeat::FromText(const QString& text)
{
    const QStringList parts = MacroLineWords(text);
    const int value = parts.isEmpty() ? 0 : parts.first().toInt();
    if (value == Until || value == UntilLoose || value == UntilClick)
        return value;
    return value >= 1 && value <= MaxCount ? value : 1;
}

QString MacroFolder()
{
    return UserDataFolder() + QStringLiteral("/usersetting/MacroPage");
}

QString MacroFilePath(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('/') + name + QStringLiteral(".ini");
}

QStringList ReadMacroList(const QString& folder)
{
    static const QString ending = QStringLiteral(".ini");
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    QStringList names;
    for (const QFileInfo& file : files) {
        const QString fileName = file.fileName();
        if (fileName.endsWith(ending) && fileName.size() > ending.size())
            names << fileName.left(fileName.size() - ending.size());
    }
    return names;
}

MacroFileContent ParseMacroFile(const QByteArray& bytes)
{
    MacroFileContent content;
    if (bytes.isEmpty())
        return content;
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast(); // the line feed that ends the last line
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (i == 0) {
            content.hasHeader = true;
            content.repeatCode = MacroRepeat::FromText(line);
            continue;
        }
        const QStringList parts = MacroLineWords(line);
        MacroItem item;
        if (ParseEventLine(parts, &item))
            content.items << item;
    }
    return content;
}

QByteArray MacroFileCode(int code)
{
    return "0x" + QByteArray::number(code & 0xFF, 16).toUpper().rightJustified(2, '0');
}

QByteArray FormatMacroLines(const MacroItems& items)
{
    QByteArray out;
    for (const MacroItem& item : items) {
        if (item.IsDelay()) {
            out += QByteArray::number(item.delayMs) + "ms\n";
        } else {
            out += MacroFileCode(item.code) + ' ' + QByteArray::number(item.kind) + ' ' + (item.release ? "1\n" : "0\n");
        }
    }
    return out;
}

MacroFileRead ReadMacroFile(const QString& path, MacroFileContent* content)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return MacroFileRead::Unreadable;
    if (file.size() > kMaxMacroFileBytes)
        return MacroFileRead::TooLarge;
    *content = ParseMacroFile(file.readAll());
    return MacroFileRead::Done;
}

bool CreateMacroFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

bool WriteMacroFile(const QString& path, int repeatCode, const MacroItems& items)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = QByteArray::number(repeatCode) + '\n' + FormatMacroLines(items);
    return file.write(bytes) == bytes.size() && file.commit();
}
