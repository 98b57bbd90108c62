// The file dialogs behind the button page's import and export. Both start
// in the user's home folder and offer "File(*.bin)"; the export adds ".bin"
// to a name typed without suffix. Tests replace them.
#ifndef CONFIG_FILE_DIALOG_H
#define CONFIG_FILE_DIALOG_H

#include <QString>

#include <functional>

class QWidget;

namespace ConfigFileDialog {

enum class Mode { Open, Save };

// (parent, mode) -> the chosen path, "" when cancelled.
using Ask = std::function<QString(QWidget* parent, Mode mode)>;

// The chosen path, "" when cancelled. Open: caption "SelectFile"; save:
// caption "FileSave".
QString AskPath(QWidget* parent, Mode mode);

// Replaces the dialogs (tests); an empty function restores them.
void SetAsk(Ask ask);

} // namespace ConfigFileDialog

#endif // CONFIG_FILE_DIALOG_H
