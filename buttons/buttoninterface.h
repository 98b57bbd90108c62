// The button page (stack page 0 of the device window). This build holds a
// placeholder with what the device window relies on: it creates the one
// connection worker and stops it when it goes, and acknowledges each device
// image the connection delivers.
#ifndef BUTTONINTERFACE_H
#define BUTTONINTERFACE_H

#include "flash_data_map.h"

#include <QWidget>

#include <memory>

namespace Ui {
class Buttoninterface;
}

class Buttoninterface : public QWidget {
    Q_OBJECT
public:
    // Creates g_worker, which starts its online check.
    explicit Buttoninterface(QWidget* parent = nullptr);
    // Stops g_worker without hanging, then stops hot-plug reporting.
    ~Buttoninterface() override;

public slots:
    // Receiver of SigUpDataLightUIButton (blocking queued): sets
    // g_buttonPageApplied once the image is taken.
    void SlotUpDataButtonUIButton(FlashDataMap DataMap);

private:
    std::unique_ptr<Ui::Buttoninterface> ui;
};

#endif // BUTTONINTERFACE_H
