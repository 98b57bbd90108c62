// Qt's own dialogs (the file dialogs, the colour dialog) speak the language
// the user chose. Their texts come from Qt's catalogues
// (<Qt's translations folder>/qtbase_<locale>.qm, installed with the system's
// Qt translations); without a catalogue they stay English.
#ifndef QT_DIALOG_TEXTS_H
#define QT_DIALOG_TEXTS_H

#include <QString>

namespace QtDialogTexts {

// The catalogue's locale for a language index: "ru", "zh_TW", "ko", "ja";
// empty for English and for any other index (which shows English too).
QString LocaleName(int languageIndex);

// Loads the stored language's catalogue and follows every later language
// change (hub SigChangeLanguage). Call once, after the application object
// and before the first window.
void Install();

// Switches Qt's dialogs to `languageIndex`, reading the catalogue from
// `folder` (Qt's translations folder when empty). Open and kept dialogs of
// Qt follow at once; the program's own windows get no language-change
// event. False when no catalogue was loaded: the dialogs are English.
bool SetLanguage(int languageIndex, const QString& folder = QString());

} // namespace QtDialogTexts

#endif // QT_DIALOG_TEXTS_H
