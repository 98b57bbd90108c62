// Asks whether to restore the factory settings.
#ifndef CONTAIN_RESET_H
#define CONTAIN_RESET_H

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class ContainReset;
}

class ContainReset : public QDialog {
    Q_OBJECT
public:
    // True only after OK; read by the opener once the dialog has closed.
    bool result = false;

    explicit ContainReset(QWidget* parent = nullptr);
    ~ContainReset() override;

    // Replaces the question, e.g. for the forced firmware upgrade.
    void SetLabelText(QString text);

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_OK_clicked();
    void on_Cancel_clicked();

private:
    std::unique_ptr<Ui::ContainReset> ui;
    QString m_pictureFolder;
};

#endif // CONTAIN_RESET_H
