// A combo box that draws its current item centred and remembers which item
// was current when the user last pressed it (before the pop-up opened), so an
// owner can put a refused choice back.
#ifndef MYCONMBOBOX_H
#define MYCONMBOBOX_H

#include <QComboBox>

class MyConmboBox : public QComboBox {
public:
    explicit MyConmboBox(QWidget* parent = nullptr);
    ~MyConmboBox() override;

    int pressedIndex = 0; // current index at the last mouse press

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

#endif // MYCONMBOBOX_H
