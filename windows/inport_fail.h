// Tells the user that an imported configuration file was refused (the text
// follows the import's result code, g_importResult), or that an export could
// not be saved.
#ifndef INPORT_FAIL_H
#define INPORT_FAIL_H

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class InportFail;
}

class InportFail : public QDialog {
    Q_OBJECT
public:
    explicit InportFail(QWidget* parent = nullptr);
    ~InportFail() override;

    // Shows the language text "could not be saved" (key label_2).
    void ShowExportFailedText();

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    std::unique_ptr<Ui::InportFail> ui;
    QString m_pictureFolder;
    QString m_exportFailedText;
};

#endif // INPORT_FAIL_H
