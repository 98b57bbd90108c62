// The device window: page 1 of the top-level window. It frames the four
// device pages (buttons, sensor, macros, settings) with a row of page
// buttons and a battery display, has a back button to the device list and
// minimise and close buttons, and owns the pages, the import dialog and the
// crash handler. It shows no texts of its own.
#ifndef DIALOG_H
#define DIALOG_H

#include "device_all_info.h"

#include <QString>
#include <QWidget>

#include <memory>

class Buttoninterface;
class CrashHandler;
class FormSetting;
class Macro;
class QButtonGroup;
class Sensor;
class UpDataParam;

namespace Ui {
class Dialog;
}

class Dialog : public QWidget {
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr);
    ~Dialog() override;

    Buttoninterface* ButtonPage() const { return m_buttonPage; }
    Macro* MacroPage() const { return m_macroPage; }
    Sensor* SensorPage() const { return m_sensorPage; }
    FormSetting* SettingsPage() const { return m_settingsPage; }
    UpDataParam* ImportDialog() const { return m_importDialog; }

public slots:
    void on_ButtonMain_clicked();
    void on_SensorButton_clicked();
    void on_MacroButton_clicked();
    void on_FormSetting_clicked();
    void on_LightsButton_clicked();
    void on_SetButton_clicked();
    void WindowMin();
    void on_CloseButton_clicked();
    void WindowClosed();
    void on_UpArrow_clicked();
    void SlotSecondDialog();
    void SlotBattery(bool IsCharg, int Number, bool IsText);
    void SlotStartRecord(int index);
    void SlotUpDataParam(int index);
    void SlotMouseIndex(int index);
    void SlotSelectMouseInfo(DeviceAllInfo SelectInfo);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SaveDeviceImage();
    void SetStyleSheets();
    void ShowUnreportedBattery();

    std::unique_ptr<Ui::Dialog> ui;
    QButtonGroup* m_spareGroup = nullptr;
    QButtonGroup* m_pageGroup = nullptr;
    Buttoninterface* m_buttonPage = nullptr;
    Macro* m_macroPage = nullptr;
    Sensor* m_sensorPage = nullptr;
    FormSetting* m_settingsPage = nullptr;
    UpDataParam* m_importDialog = nullptr;
    std::unique_ptr<CrashHandler> m_crashHandler;
    QString m_imageFolder;

    // The battery display as constructed, shown until the opened device
    // reports its battery, and the device whose report is shown.
    struct BatteryLook {
        int level = 0;
        QString text;
        QString barStyle;
    };
    BatteryLook m_unreportedBattery;
    QString m_batteryDevicePath;
};

#endif // DIALOG_H
