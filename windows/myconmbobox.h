// A combo box that draws its current item centred, remembers which item was
// current when the user last pressed it (before the pop-up opened), so an
// owner can put a refused choice back, and can hide rows from the user.
#ifndef MYCONMBOBOX_H
#define MYCONMBOBOX_H

#include <QComboBox>

class MyConmboBox : public QComboBox {
public:
    explicit MyConmboBox(QWidget* parent = nullptr);
    ~MyConmboBox() override;

    int pressedIndex = 0; // current index at the last mouse press

    // Hides a row of the list and keeps it out of reach of the wheel and the
    // keys over the closed combo as well: those step over disabled rows
    // only, so the row is disabled while hidden.
    void SetRowHidden(int row, bool hidden);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

#endif // MYCONMBOBOX_H
