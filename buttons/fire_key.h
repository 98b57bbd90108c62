// Sets the two parameters of a fire key: the interval (10 to 255) and the
// count (0 to 3, 0: fire while the button is held). OK sets `accepted`,
// `fireInterval` and `fireCount`; Cancel, Close and Esc leave them alone.
#ifndef FIRE_KEY_H
#define FIRE_KEY_H

#include <QDialog>

#include <memory>

namespace Ui {
class FireKey;
}

class FireKey : public QDialog {
    Q_OBJECT
public:
    bool accepted = false;
    int fireInterval = 10;
    int fireCount = 3;

    explicit FireKey(QWidget* parent = nullptr);
    ~FireKey() override;

    // Presets; values outside the ranges are clamped.
    void SetTimeValue(int interval);
    void SetCountValue(int count);

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::FireKey> ui;
};

#endif // FIRE_KEY_H
