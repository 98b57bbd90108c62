// The firmware update and repair dialog. This build holds a placeholder with
// the operations other windows call: reset its display, the repair check,
// and the forced repair of a receiver from the top-level window.
#ifndef UP_DATE_REPAIR_H
#define UP_DATE_REPAIR_H

#include <QDialog>

#include <memory>

namespace Ui {
class UpDateRepair;
}

class UpDateRepair : public QDialog {
    Q_OBJECT
public:
    explicit UpDateRepair(QWidget* parent = nullptr);
    ~UpDateRepair() override;

    // The initial display: no message, progress at 0 and hidden, both
    // buttons shown with their default texts.
    void ResetState();
    // Repairs whatever image is at hand without the device checks; the
    // argument has no effect.
    void ForceUpgrade(int value);
    // Ready when a repair is pending (UpdateFailInfo) and an image for it
    // was found.
    bool CheckRepair();
    // Flashes the receiver image first, else the mouse image; only when
    // ready.
    void StartUpgrade();

public slots:
    void SlotRepairCheckUpdate();
    void SlotAutoRepair(int index);
    void SlotAutoRepairProgress(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();

private:
    std::unique_ptr<Ui::UpDateRepair> ui;
    bool m_ready = false;
    bool m_forced = false;
};

// The one repair dialog, created hidden by the settings page.
extern UpDateRepair* g_upDateRepair;

#endif // UP_DATE_REPAIR_H
