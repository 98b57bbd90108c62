// Idle light-off time as a slider (positions 1-11) with a read-only number
// and its unit; an alternative layout that no page uses.
#ifndef STOP_CLOSE_TIME_B_H
#define STOP_CLOSE_TIME_B_H

#include <QFrame>
#include <QString>

#include <memory>

namespace Ui {
class StopCloseTimeB;
}

class StopCloseTimeB : public QFrame {
    Q_OBJECT
public:
    explicit StopCloseTimeB(QWidget* parent = nullptr);
    ~StopCloseTimeB() override;

    // Slider to item + 1 with its signals blocked (never sends), then the number.
    void SetLevel(int item);
    // Item 0's text gives the seconds unit (without "10"), item 5's text the
    // minutes unit (without "15"); other items are ignored.
    void SetUnitText(int item, const QString& text);

private slots:
    void on_StopClose_sliderMoved(int position);
    void on_StopClose_valueChanged(int value);

private:
    void ShowPosition(int position);

    std::unique_ptr<Ui::StopCloseTimeB> ui;
    QString m_pictureFolder;
    QString m_secondsSuffix;
    QString m_minutesSuffix;
};

#endif // STOP_CLOSE_TIME_B_H
