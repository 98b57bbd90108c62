// A horizontal slider that jumps to the clicked position instead of paging.
#ifndef MYSLIDER_H
#define MYSLIDER_H

#include <QEvent>
#include <QSlider>

class MySlider : public QSlider {
public:
    // Sent synchronously to the parent after every press that moved the slider.
    static constexpr int kPressedEventType = QEvent::User + 1; // 1001

    explicit MySlider(QWidget* parent = nullptr);
    ~MySlider() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

#endif // MYSLIDER_H
