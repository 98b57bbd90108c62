// The home page's device button ("btn" followed by its index in the home
// device list): entering it with the pointer refreshes that device's entry.
#ifndef MYTOOLBUTTONENTER_H
#define MYTOOLBUTTONENTER_H

#include <QToolButton>

#include <functional>

class mytoolButtonEnter : public QToolButton {
    Q_OBJECT
public:
    using RefreshFunction = std::function<bool(int index)>;

    explicit mytoolButtonEnter(QWidget* parent = nullptr);
    ~mytoolButtonEnter() override;

    // The home page registers its RefreshDeviceButton here once; every
    // device button calls it with its index when the pointer enters it.
    static void SetRefreshDeviceButton(RefreshFunction refresh);

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    static RefreshFunction& Refresh();
};

#endif // MYTOOLBUTTONENTER_H
