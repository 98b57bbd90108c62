// A line edit that no key can change: its owner sets the text (the captured
// key combination), and every key press or release is swallowed.
#ifndef MYLINEEDIT_H
#define MYLINEEDIT_H

#include <QLineEdit>

class MyLineEdit : public QLineEdit {
public:
    explicit MyLineEdit(QWidget* parent = nullptr);
    ~MyLineEdit() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

#endif // MYLINEEDIT_H
