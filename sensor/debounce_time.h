// Debounce time of the mouse buttons (button page): one combo with the items
// 0 to 20 ms; the item index is image byte 0x06. A choice sends the value,
// and 0 to 3 ms also shows the LessThree notice.
#ifndef DEBOUNCE_TIME_H
#define DEBOUNCE_TIME_H

#include "setting_ranges.h"

#include <QFrame>
#include <QString>

#include <memory>

namespace Ui {
class DebounceTime;
}

class DebounceTime : public QFrame {
    Q_OBJECT
public:
    static constexpr int kMaxMs = SettingRanges::kDebounceMaxMs;

    explicit DebounceTime(QWidget* parent = nullptr);
    ~DebounceTime() override;

    void BlockLevelSignals(bool block);
    // Makes item ms current without blocking signals, so a change made while
    // they are open is sent as a choice would be. Values outside 0-20 have no
    // item and leave the selection as it is.
    void SetLevel(int ms);
    // Item text = the index in decimal followed by text.
    void SetLevelText(int index, const QString& text);

private slots:
    void on_Debunce_currentIndexChanged(int index);

private:
    void ShowLessThree();

    std::unique_ptr<Ui::DebounceTime> ui;
    QString m_pictureFolder;
};

#endif // DEBOUNCE_TIME_H
