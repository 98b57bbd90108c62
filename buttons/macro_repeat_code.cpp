#include "macro_repeat_code.h"

#include "macro_file.h"

#include <QFile>
#include <QStringList>

QString ReadMacroRepeatCode(const QString& path)
{
    // Not in text mode, which would drop a lone CR inside the line and join
    // its words: the line is split as the macro page splits it.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return QStringLiteral("0");
    const QStringList words = MacroLineWords(QString::fromUtf8(file.readLine()));
    return words.isEmpty() ? QString() : words.first();
}
