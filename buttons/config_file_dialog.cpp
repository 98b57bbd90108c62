#include "config_file_dialog.h"

#include <QDir>
#include <QFileDialog>

namespace ConfigFileDialog {

namespace {

Ask& Replacement()
{
    static Ask ask;
    return ask;
}

} // namespace

QString AskPath(QWidget* parent, Mode mode)
{
    if (Replacement())
        return Replacement()(parent, mode);
    const QString filter = QStringLiteral("File(*.bin)");
    if (mode == Mode::Open)
        return QFileDialog::getOpenFileName(parent, QStringLiteral("SelectFile"), QDir::homePath(), filter);
    return QFileDialog::getSaveFileName(parent, QStringLiteral("FileSave"), QDir::homePath(), filter);
}

void SetAsk(Ask ask)
{
    Replacement() = std::move(ask);
}

} // namespace ConfigFileDialog
