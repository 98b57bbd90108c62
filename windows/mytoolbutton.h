// A tool button that acts on the press itself: a left press checks it and
// emits clicked(false), a left double click checks it and emits
// clicked(true). Releasing emits nothing; other buttons do nothing.
#ifndef MYTOOLBUTTON_H
#define MYTOOLBUTTON_H

#include <QToolButton>

class MyToolButton : public QToolButton {
    Q_OBJECT
public:
    explicit MyToolButton(QWidget* parent = nullptr);
    ~MyToolButton() override;

signals:
    void doubleClicked(); // declared for the forms; clicked(true) reports double clicks

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

#endif // MYTOOLBUTTON_H
