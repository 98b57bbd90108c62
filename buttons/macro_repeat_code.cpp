#include "macro_repeat_code.h"

#include <QFile>
#include <QStringList>

QString ReadMacroRepeatCode(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text) || file.size() == 0)
        return QStringLiteral("0");
    const QString line = QString::fromUtf8(file.readLine());
    if (line.isEmpty())
        return QStringLiteral("0");
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QStringLiteral("0");
    return QString(words.first()).remove(QLatin1Char('\n'));
}

bool WriteMacroRepeatCode(const QString& path, const QString& value)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    const QByteArray line = value.toUtf8() + '\n';
    return file.write(line) == line.size();
}
