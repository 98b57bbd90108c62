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
    // A name typed without suffix gets ".bin", so the import, which lists
    // "*.bin" only, finds the file.
    QFileDialog dialog(parent, QStringLiteral("FileSave"), QDir::homePath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("bin"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

void SetAsk(Ask ask)
{
    Replacement() = std::move(ask);
}

} // namespace ConfigFileDialog
