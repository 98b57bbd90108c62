// The settings page (stack page 3 of the device window). This build holds a
// placeholder with what other windows rely on: it owns the one firmware
// repair dialog (g_upDateRepair) and keeps the wired-mode warning text of
// its language section (g_wiredModeText).
#ifndef FORM_SETTING_H
#define FORM_SETTING_H

#include <QWidget>

#include <memory>

namespace Ui {
class FormSetting;
}

class FormSetting : public QWidget {
    Q_OBJECT
public:
    // Creates g_upDateRepair, hidden and without parent.
    explicit FormSetting(QWidget* parent = nullptr);
    ~FormSetting() override;

public slots:
    void SlotChangeLanguage(int index);

private:
    std::unique_ptr<Ui::FormSetting> ui;
};

#endif // FORM_SETTING_H
