// Asks whether to pair the mouse with its receiver again.
#ifndef RE_PAIR_H
#define RE_PAIR_H

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class RePair;
}

class RePair : public QDialog {
    Q_OBJECT
public:
    // True only after OK; read by the opener once the dialog has closed.
    bool result = false;

    explicit RePair(QWidget* parent = nullptr);
    ~RePair() override;

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_OK_clicked();
    void on_Cancel_clicked();

private:
    std::unique_ptr<Ui::RePair> ui;
    QString m_pictureFolder;
};

#endif // RE_PAIR_H
