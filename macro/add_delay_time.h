// Asks for a delay of 10 to 65535 ms. OK sets `accepted` and `delayTime`;
// Cancel, Close and Esc leave `accepted` false.
#ifndef ADD_DELAY_TIME_H
#define ADD_DELAY_TIME_H

#include <QDialog>

#include <memory>

namespace Ui {
class AddDelayTime;
}

class AddDelayTime : public QDialog {
    Q_OBJECT
public:
    bool accepted = false;
    int delayTime = 0;

    explicit AddDelayTime(QWidget* parent = nullptr);
    ~AddDelayTime() override;

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::AddDelayTime> ui;
};

#endif // ADD_DELAY_TIME_H
