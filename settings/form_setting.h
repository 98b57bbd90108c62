// The settings page (stack page 3 of the device window): language, firmware
// versions and update, pairing, idle light-off time, start with the session,
// the desktop's mouse settings, the receiver's long-range mode and light,
// and a footer with the company line and web link of Language/Net.xml.
//
// The page owns the program's one update-and-repair dialog (g_upDateRepair)
// and the two one-second steps of the firmware update (g_receiverUpdateTimer,
// g_mouseUpdateTimer).
//
// Receiver groups: the long-range group shows for a receiver whose model has
// the feature, the light group for a 4K receiver whose model has it once the
// receiver reported its light mode; the page is taller (expanded) while one
// shows. Device reports are reflected with the controls' signals blocked, so
// nothing is sent back; a user change that cannot be sent is undone.
#ifndef FORM_SETTING_H
#define FORM_SETTING_H

#include "flash_data_map.h"
#include "silent_flash.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class QAbstractButton;
class QButtonGroup;
class QTimer;
class UpDateWarning;

namespace Ui {
class FormSetting;
}

extern QTimer* g_receiverUpdateTimer;
extern QTimer* g_mouseUpdateTimer;

class FormSetting : public QWidget {
    Q_OBJECT
public:
    // The name of the autostart entry the start-with-session box writes.
    static const char kAutostartEntry[];

    explicit FormSetting(QWidget* parent = nullptr);
    ~FormSetting() override;

    // Ticks of step Wait without any upgrade message after which a flashing
    // counts as failed (the timers tick once a second).
    static constexpr int kWaitLimitTicks = kSilentFlashTicks;

    // Whether the receiver groups show and the page is expanded.
    bool LongRangeGroupShown() const { return m_longRangeShown; }
    bool LightGroupShown() const { return m_lightShown; }
    bool Expanded() const { return m_longRangeShown || m_lightShown; }

protected:
    // Presses on the page stay here and do not reach the device window.
    void mousePressEvent(QMouseEvent* event) override;

private slots:
    void on_pushButton_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_2_clicked();
    void SetVerText();
    void on_comboBox_activated(int index);
    void SlotChangeLanguage(int index);
    void SlotLanguageSameB(int index);
    void SlotRGBValue(DongleRGB* Rgb);
    void SlotLightToFrom(int index);
    void SlotLongRangeMode(bool Select);
    void onDongleCheckTimer();
    void onMouseCheckTimer();
    void SlotLabelText(int index, QString Text);
    void SlotLabelTextB(QString TextA, QString Text);
    void SlotScroolChange(int index);
    void SetVer(int index);
    void SlotForm();
    void SlotFormB();
    void SlotFormResetForm();
    void SlotContinue(int index);
    void on_checkBox_clicked(bool checked);
    void on_checkBox_2_toggled(bool checked);
    void on_ReUntil_toggled(bool checked);
    void on_ReUntil_2_toggled(bool checked);
    void on_ReUntil_3_toggled(bool checked);
    void SlotCheckUpdate();
    void on_Receive_2_clicked();
    // The update check: true when a run can start; otherwise the dialog
    // holds the reason (or, with nothing newer, receiverUpToDate is set).
    bool ChechIsUpDate();

private:
    // Firmware update run (form_setting_update_*.cpp). Reached through the
    // hub's SigUpdateStart (on_Start) and the two one-second timers.
    enum UpdateStep { Check = 0, Start = 1, MarkRunning = 2, Wait = 3, Finish = 4 };
    void on_Start();
    void on_Receive_clicked();
    void on_Mouse_clicked();
    void StartRun(int kind);
    void RunUpdateStep(int step, int kind, const QString& version);
    void StepCheck(int kind, const QString& version);
    void StepStart(int kind, const QString& version);
    bool StartFlashing(int kind);
    void StepWait();
    void StepFinish(int kind);
    // The end of a kind's flashing: device access back, the markers and the
    // button's look after the kind's state.
    void FinishKind(int kind);
    void EndKindWithoutFlashing(int kind, int state, const QString& reason);
    void ExplainTargets(int kind, int targets);
    void EndRunIfNothingFollows();
    bool Refuse(const QString& text);
    void ShowUpdateLook(bool updateWaiting);
    QPoint DialogPlace(const QWidget* dialog) const;
    // A modal notice with `text` over the page.
    void ShowNotice(const QString& text);
    int CurrentReceiverClass() const;
    int& BootCounter(int receiverClass);

    void ConnectHub();
    void PlaceLowerWidgets();
    void ApplyStyles();
    void PlaceForLanguage(int index);
    void LoadNetProfile();

    // Receiver groups (form_setting.cpp).
    void HideUnsupportedGroups();
    void ShowLongRangeGroup(bool shown);
    void ShowLightGroup(bool shown);
    void ApplyLayout();
    QAbstractButton* LightButton(int mode) const;
    void ShowLightMode(int mode);
    void LightButtonToggled(int mode, bool checked);

    std::unique_ptr<Ui::FormSetting> ui;
    QString pictureDir;
    // Messages of the firmware update, from the page's language section.
    QString noDeviceText, sameDeviceText, verNewText;
    QString receiveText, noRecieveText, noUsbText, errorText, multiDongleText, multiMouseText;
    // Notices of the start-with-session box (%1: the entry's path) and of the
    // mouse settings link.
    QString autoStartFailedText, noMouseSettingsText;
    QString buttonColor;
    QPoint labelOrigin;
    QButtonGroup* lightModeGroup = nullptr;
    UpDateWarning* updateWarning = nullptr;
    int layoutOffset = 80;

    bool m_longRangeShown = false;
    bool m_lightShown = false;
    QString m_lightPath;            // device whose light mode the group shows
    int m_lightMode = 0;            // the mode the buttons show (0: none)
    bool m_longRangeReported = false; // a state arrived since the last image
    bool m_longRangeOn = false;

    // Update check and run.
    bool receiverUpToDate = false;
    bool mouseUpToDate = false;
    bool mouseRunStarted = false;
    bool receiverRunStarted = false;
    int updateStep = Check;
    QStringList receiverPaths;
    bool interactiveRun = false;
    QString resumeReceiverModel;
    QString modelGroup;
    QString checkReceiverModel;
    int bootCount1K = 0;
    int bootCount2K = 0;
    int bootCount4K = 0;
    int bootCount8K = 0;
    int mousePending = 0;
    SilentFlash m_silence;      // the flashing's upgrade messages, ticked in step Wait
    QString m_endReason;        // why the last kind ended without flashing
    struct RunResults {
        int receiver;
        int mouse;
    };
    RunResults m_runResults{0, 0}; // how each kind ended in this run
    bool m_terminalShown = false;  // the dialog already offers a way out
};

#endif // FORM_SETTING_H
