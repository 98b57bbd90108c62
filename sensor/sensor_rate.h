// Polling rate of the sensor page: seven exclusive buttons, 125 to 8000 Hz.
// A click writes image byte 0x00 and sends the image; after a successful
// send the hub's SigHideModel tells the page whether the rate is above
// 1000 Hz.
#ifndef SENSOR_RATE_H
#define SENSOR_RATE_H

#include <QFrame>
#include <QString>

#include <memory>

class QAbstractButton;
class QButtonGroup;

namespace Ui {
class SensorRate;
}

class SensorRate : public QFrame {
    Q_OBJECT
public:
    static constexpr int kLevelCount = 7;
    // Device code of a level (8, 4, 2, 1, 0x10, 0x20, 0x40); -1 outside 0-6.
    static int CodeOfLevel(int level);
    // The level of a device code; -1 for a code outside the table.
    static int LevelOfCode(int code);

    // Which of the three upper buttons (2000, 4000, 8000 Hz) a visible set
    // shows; false for a set outside 0-3.
    static bool UpperLevelsShown(int set, bool shown[3]);
    // A rate button's click (also of the alternative layout): sends the code
    // of the level when the button is checked and sending is allowed, and
    // announces a successful send on the hub.
    static void SendClickedLevel(bool checked, int level);

    explicit SensorRate(QWidget* parent = nullptr);
    ~SensorRate() override;

    // Checks the button of the level; never sends. Other values do nothing.
    void SetLevel(int level);
    // Set 0: 125-1000 Hz, 1: up to 4000, 2: up to 2000, 3: up to 8000 Hz.
    // Other values do nothing; the checked button stays checked.
    void SetVisibleLevels(int set);
    void SetTitleText(const QString& text);

private slots:
    void on_Button125HZ_clicked(bool checked);
    void on_Button250HZ_clicked(bool checked);
    void on_Button500HZ_clicked(bool checked);
    void on_Button1000HZ_clicked(bool checked);
    void on_Button2000HZ_clicked(bool checked);
    void on_Button4000HZ_clicked(bool checked);
    void on_Button8000HZ_clicked(bool checked);

private:
    QAbstractButton* ButtonOfLevel(int level) const;

    std::unique_ptr<Ui::SensorRate> ui;
    QString m_pictureFolder;
    QButtonGroup* m_group = nullptr;
};

#endif // SENSOR_RATE_H
