// Ripple-control switch of the sensor page: a picture switch and its caption;
// a click writes image byte 0x0A and sends the image.
#ifndef RIPPE_CONTROL_H
#define RIPPE_CONTROL_H

#include <QFrame>
#include <QString>

#include <memory>

namespace Ui {
class RippeControl;
}

class RippeControl : public QFrame {
    Q_OBJECT
public:
    explicit RippeControl(QWidget* parent = nullptr);
    ~RippeControl() override;

    // Programmatic state changes emit no click, so they never send.
    void SetChecked(bool on);
    void SetLabelText(const QString& text);
    void SetLabelToolTip(const QString& text);

private slots:
    void on_RippeControl_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::RippeControl> ui;
    QString m_pictureFolder;
};

#endif // RIPPE_CONTROL_H
