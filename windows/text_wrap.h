// Word wrap for labels. QLabel breaks lines only where the text allows a
// break, so a word wider than the label (a long file path, say) runs past
// its edge and is cut off.
#ifndef TEXT_WRAP_H
#define TEXT_WRAP_H

#include <QString>

class QFont;

namespace TextWrap {

// `text` with a zero-width space between the characters of each unbreakable
// piece wider than `width` pixels in `font`, so that a word-wrapped label
// breaks such a piece where the line ends; everything else is unchanged.
QString BreakableWords(const QString& text, const QFont& font, int width);

} // namespace TextWrap

#endif // TEXT_WRAP_H
