// Idle light-off time: one combo with 11 items from 10 s to 40 min. A choice
// writes image byte 0x08 (units of 10 s) and sends the image. Hosts: the
// settings page and the lighting page.
#ifndef STOP_CLOSE_TIME_H
#define STOP_CLOSE_TIME_H

#include "setting_ranges.h"

#include <QFrame>
#include <QString>

#include <iterator>

#include <memory>

namespace Ui {
class StopCloseTime;
}

class StopCloseTime : public QFrame {
    Q_OBJECT
public:
    static constexpr int kItemCount = int(std::size(SettingRanges::kLightOffTimes));
    // Device value of an item (1, 3, 6, 30, ... 240); -1 outside 0-10.
    static int DeviceValue(int item);
    // The item of a time in seconds (10, 30, 60, 300, ... 2400); -1 for any
    // other number, which hosts ignore.
    static int ItemOfSeconds(int seconds);

    explicit StopCloseTime(QWidget* parent = nullptr);
    ~StopCloseTime() override;

    // Makes the item current with the combo's signals blocked: never sends.
    void SetLevel(int item);
    void SetLevelText(int item, const QString& text);

private slots:
    // activated reports every choice of the user, also of the current item,
    // and never a change made from code.
    void on_StopClose_activated(int index);

private:
    std::unique_ptr<Ui::StopCloseTime> ui;
    QString m_pictureFolder;
};

#endif // STOP_CLOSE_TIME_H
