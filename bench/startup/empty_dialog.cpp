// The reference for the start-up benchmark: an empty dialog with a label, the
// size of the program's window.
#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.resize(1020, 700);
    QLabel label(QStringLiteral("empty dialog"), &dialog);
    dialog.show();
    return app.exec();
}
