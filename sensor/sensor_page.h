// The sensor page (stack page 1 of the device window): polling rate, the DPI
// stages, lift-off distance, sensor mode, performance mode and time, the
// ripple / angle-snapping / motion-sync switches and the DPI light. Most
// controls are option frames embedded in the form and write to the mouse
// themselves; the page writes the sensor mode and the performance settings,
// fills everything from the device through its Slot... slots, and decides
// from driver_sensor.h which features the model's sensor offers.
#ifndef SENSOR_PAGE_H
#define SENSOR_PAGE_H

#include "flash_data_map.h"
#include "sensor_feature_file.h"
#include "sensor_page_rules.h"

#include <QPair>
#include <QPoint>
#include <QString>
#include <QVector>
#include <QWidget>

#include <memory>


namespace Ui {
class Sensor;
}

class Sensor : public QWidget {
    Q_OBJECT
public:
    explicit Sensor(QWidget* parent = nullptr);
    ~Sensor() override;

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void on_Performance_toggled(bool checked);
    // Hub, blocking queued: the report and worker threads wait for the fill.
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
    void SlotFormReset();
    void SlotUpDataReportRate(int index);
    void SlotUpDataDPI(int index);
    void SlotUpDataDPILed(FlashDataMap DataMap);
    // Hub, automatic: an imported configuration.
    void SlotUpDataSenSorUIB(FlashDataMap DataMap);
    void on_ModelChoose_currentIndexChanged(int index);
    void on_LOD_currentIndexChanged(int index);
    void on_Performance_clicked(bool checked);
    void on_PerformanceOpen_currentIndexChanged(int index);
    void SlotChangeLanguage(int index);
    void SlotHideModel(int index);

private:
    // Not slots: no object of these names lives under the page (the switches
    // are the frames "frame", "frame_4" and "frame_3" and write by
    // themselves), so connecting them by name would only complain.
    void on_RippeControl_clicked(bool checked);
    void on_StraightLine_clicked(bool checked);
    void on_MotionSync_clicked(bool checked);
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();

    void ApplyStyles();
    void ReadLevelFile();
    // The whole page from an image; handshake: g_sensorPageApplied false
    // while it runs, true when it is done.
    void FillPage(const FlashDataMap& image, bool handshake);
    void ApplyDpiLight(const FlashDataMap& image);
    void ApplySensorMode(SensorPageRules::SensorMode mode, int storedMode);
    void LoadDpiRange(const QStringList& list);
    void ApplyLayout(int xIn1);
    // The options that depend on the model and the connection as the page
    // was made, before any device's image.
    void ShowNoModel();

    std::unique_ptr<Ui::Sensor> ui;
    QString m_sensorPageFolder;
    QString m_pictureFolder;
    QString m_dpiMinimumText;
    QString m_dpiMaximumText;
    SensorFeatureFile m_features;

    // The sensor mode list and the layout as the page was made.
    struct MadeLook {
        bool modeEnabled = false;
        int modeIndex = 0;
        bool cordedOffered = true;
        QVector<QPair<QWidget*, bool>> shown;
        QPoint effectPlace;
        QPoint effectTitlePlace;
    };
    MadeLook m_madeLook;
    QString m_shownDevicePath; // device whose image (or reset) the page shows
};

#endif // SENSOR_PAGE_H
