#include "text_wrap.h"

#include <QFontMetrics>
#include <QTextBoundaryFinder>

namespace TextWrap {

namespace {

const QChar kZeroWidthSpace(0x200B);

QString BreakEverywhere(const QString& piece)
{
    QString result;
    for (int i = 0; i < piece.size(); ++i) {
        result += piece.at(i);
        // Never inside a surrogate pair, before a combining mark or next to
        // the space that ends the piece.
        const bool breakable = i + 1 < piece.size() && !piece.at(i).isHighSurrogate() && !piece.at(i + 1).isMark()
            && !piece.at(i + 1).isSpace() && !piece.at(i).isSpace();
        if (breakable)
            result += kZeroWidthSpace;
    }
    return result;
}

} // namespace

QString BreakableWords(const QString& text, const QFont& font, int width)
{
    const QFontMetrics metrics(font);
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    QString result;
    int start = 0;
    while (start < text.size()) {
        int end = breaks.toNextBoundary();
        if (end <= start)
            end = text.size();
        const QString piece = text.mid(start, end - start);
        result += metrics.horizontalAdvance(piece.trimmed()) > width ? BreakEverywhere(piece) : piece;
        start = end;
    }
    return result;
}

} // namespace TextWrap
