// The small waiting window shown while the whole device image changes: a
// configuration import, a factory reset, or a (re)connection of the mouse.
// The opener starts its 4500 ms timer and runs it modally; when the timer
// fires, onTimeupDestroy imports the file, or waits until the sensor and
// button pages have taken the new image, or refreshes the pages from the
// cache, and closes the window.
#ifndef UP_DATA_PARAM_H
#define UP_DATA_PARAM_H

#include "flash_data_map.h"
#include "mouse_profile.h"

#include <QDialog>
#include <QString>

#include <memory>

class QTimer;

namespace Ui {
class UpDataParam;
}

class UpDataParam : public QDialog {
    Q_OBJECT
public:
    // Set by the openers between SetTimeout and exec().
    QString importFile;        // the configuration file to import
    bool importMode = false;   // import importFile; cleared when done
    // The device and profile the import was chosen for (DeviceImageTarget
    // when the file was chosen): the file goes to them only.
    MouseProfile::Target importTarget;
    bool waitForPages = false; // wait until both pages took the new image;
                               // cleared when the wait is over

    explicit UpDataParam(QWidget* parent = nullptr);
    ~UpDataParam() override;

    // (Re)starts the single-shot 4500 ms timer.
    void SetTimeout();

    // For a factory reset or a forced reconnection: sets waitForPages and
    // clears both pages' acknowledgements, so only the image that follows
    // the request ends the wait. Call it before the new image is requested.
    void RequestPageWait();

    // Reads a configuration export file for the current model: 0 accepted
    // (image filled), 1 unreadable, not an export file or no whole image,
    // 2 made for another sensor, or holding a setting outside what the
    // pages offer for the model (a stage count above its DPIMaxGrade, say).
    static int ReadConfigFile(const QString& path, FlashDataMap* image);

    // Polls both page flags up to 12 times, 500 ms apart (processing
    // events); true as soon as both are set.
    static bool WaitForPages();

private slots:
    void onTimeupDestroy();
    void SlotChangeLanguage(int index);

private:
    std::unique_ptr<Ui::UpDataParam> ui;
    QTimer* timeoutTimer = nullptr;
    QString pictureDir;
};

#endif // UP_DATA_PARAM_H
