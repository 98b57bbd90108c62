// The common part of the two polling-rate frames, SensorRate (picture
// buttons) and SensorRateB (check boxes): the seven levels 125 to 8000 Hz,
// their device codes, which of them a visible set shows, and what a click
// sends. Each frame keeps its own form, button group and click slots and
// hands its title and level buttons over here.
#ifndef SENSOR_RATE_BASE_H
#define SENSOR_RATE_BASE_H

#include <QFrame>
#include <QString>

#include <array>

class QAbstractButton;
class QLabel;

class SensorRateBase : public QFrame {
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
    // A level button's click: sends the code of the level when the button is
    // checked and sending is allowed, and announces a successful send on the
    // hub.
    static void SendClickedLevel(bool checked, int level);

    // Checks the button of the level; never sends. Other values do nothing.
    void SetLevel(int level);
    // Set 0: 125-1000 Hz, 1: up to 4000, 2: up to 2000, 3: up to 8000 Hz.
    // Other values do nothing; the checked button stays checked.
    void SetVisibleLevels(int set);
    // The levels shown and checked as the frame was made, for a device whose
    // rate is not known yet; never sends.
    void ShowAsMade();
    void SetTitleText(const QString& text);

protected:
    using LevelButtons = std::array<QAbstractButton*, kLevelCount>;

    explicit SensorRateBase(QWidget* parent);

    // Call once the form is set up: keeps the title (styled here) and the
    // level buttons, 125 Hz first.
    void AttachLevels(QLabel* title, const LevelButtons& levels);
    // Null outside 0-6.
    QAbstractButton* ButtonOfLevel(int level) const;

    QString m_pictureFolder;

private:
    QLabel* m_title = nullptr;
    LevelButtons m_levels{};
    std::array<bool, kLevelCount> m_shownAsMade{};
    std::array<bool, kLevelCount> m_checkedAsMade{};
};

#endif // SENSOR_RATE_BASE_H
