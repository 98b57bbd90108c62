// The firmware update and repair dialog: an instruction text, a red message
// line, a progress bar and two buttons. Both firmware engines drive it: the
// settings page's update run through the display states and hub signals, and
// the home page's repair (CheckRepair, StartUpgrade, ForceUpgrade; the
// engine's state and callback are in firmware_repair.h).
//
// Display states (a widget not named keeps what it had):
//   ResetState       message empty; upgrade and Cancel buttons; progress 0, hidden
//   SetReadyState    ReadyUpdate message; upgrade and Cancel buttons, enabled
//   SetConfirmState  the message set before; Confirm and Cancel buttons
//   SetUpdatingState UpdateNotMove message; progress shown; no button that closes
// The message line is red, except after a successful run, which shows its
// text in green with the Confirm button alone.
// While a run is in progress (g_repairRunning or g_firmwareUpdating) the
// Escape key and the window's own close do nothing either. A repair started
// here ends as failed when its flashing stays silent for kSilentFlashTicks
// ticks of the one-second timer "silenceTimer", so the dialog can close.
#ifndef UP_DATE_REPAIR_H
#define UP_DATE_REPAIR_H

#include "silent_flash.h"

#include <QDialog>
#include <QString>

#include <memory>

class QTimer;

namespace Ui {
class UpDateRepair;
}

class UpDateRepair : public QDialog {
    Q_OBJECT
public:
    explicit UpDateRepair(QWidget* parent = nullptr);
    ~UpDateRepair() override;

    void ResetState();
    void SetReadyState();
    void SetConfirmState();
    void SetToolText(const QString& text);
    void SetUpdatingState();

    // The repair engine. CheckRepair decides from the pending-repair record
    // and the home page's device lists whether a repair can start; when it
    // cannot, it shows why (SetToolText + SetConfirmState) and answers false.
    // False without a message when no repair is pending.
    bool CheckRepair();
    // Starts the first stage when the last check found everything ready.
    void StartUpgrade();
    // The top-level window's route for a receiver whose mouse is new: checks
    // like the Repair button does and, when ready, starts at once. The
    // argument has no effect.
    void ForceUpgrade(int value);

public slots:
    void SlotChangeLanguage(int index);
    void SlotAutoRepair(int index);
    void SlotAutoRepairProgress(int index);
    // Discrib: 0 progress (schedue in percent), 1 failed, 2 succeeded,
    // 3 hide Cancel, 4 hide Cancel and clear, 5 first stage done but the
    // second not run, 6 repair failed.
    void SlotProgress(int schedue, int Discrib);
    void SlotRepairCheckUpdate();

public:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();
    // Once a second while this dialog's repair runs.
    void OnSilenceTick();

private:
    // Shows the message and the Confirm button; the check's answer false.
    bool Refuse(const QString& text);
    void CloseAfterRun();
    void CloseByButton();
    // The result of a run; a success in the success look, without Cancel.
    void ShowResult(const QString& text, bool success);
    void SetMessageLook(bool success);
    void ShowAnswerButtons(const QString& actionText);
    void AssignShortcuts();
    static bool RunInProgress();

    std::unique_ptr<Ui::UpDateRepair> ui;

    QString m_upgradeText;
    QString m_cancelText;
    QString m_confirmText;
    QString m_readyText;
    QString m_notMoveText;
    QString m_successText;
    QString m_failText;
    QString m_noDeviceText;
    QString m_sameDeviceText;
    QString m_noReceiverText;
    QString m_noUsbText;
    QString m_fileErrorText;
    QString m_multiDongleText;
    QString m_multiMouseText;

    QTimer* m_silenceTimer = nullptr;
    SilentFlash m_silence; // the repair's upgrade messages, ticked by m_silenceTimer

    bool m_buttonCloses = false;
    int m_failedKind = 0;
    bool m_ready = false;
    QString m_modelGroup;
    QString m_receiverModel;
};

// The one dialog, created hidden by the settings page and kept for the run.
extern UpDateRepair* g_upDateRepair;

#endif // UP_DATE_REPAIR_H
