// The macro page (stack page 2 of the device window). This build holds a
// placeholder: it follows the device window's request to reset the page.
#ifndef MACRO_H
#define MACRO_H

#include <QWidget>

#include <memory>

namespace Ui {
class Macro;
}

class Macro : public QWidget {
    Q_OBJECT
public:
    explicit Macro(QWidget* parent = nullptr);
    ~Macro() override;

public slots:
    // Leaving the device window: stop a recording and reset the controls.
    // The placeholder records nothing, so there is nothing to stop.
    void SlotSetMacroPage();

private:
    std::unique_ptr<Ui::Macro> ui;
};

#endif // MACRO_H
