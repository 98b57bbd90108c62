#include "macro_name.h"

QString CutToLocal8Bit(const QString& text, int maxBytes)
{
    if (text.toLocal8Bit().size() <= maxBytes)
        return text;
    // Grow the prefix one whole character (surrogate pairs included) at a
    // time; the encoding of a prefix only grows with it.
    int kept = 0;
    while (kept < text.size()) {
        int next = kept + 1;
        if (text.at(kept).isHighSurrogate() && next < text.size() && text.at(next).isLowSurrogate())
            ++next;
        if (text.left(next).toLocal8Bit().size() > maxBytes)
            break;
        kept = next;
    }
    return text.left(kept);
}

QString ApplyMacroNameEdit(const QString& text)
{
    QString name = text;
    if (name.endsWith(QLatin1Char(' ')))
        name.remove(QLatin1Char(' '));
    return CutToLocal8Bit(name);
}

bool IsValidMacroName(const QString& name)
{
    // A leading dot would make a hidden file, which the macro list never
    // shows (and covers "." and "..").
    if (name.trimmed().isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return false;
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}
