// Motion-sync switch of the sensor page: a picture switch and its caption; a
// click writes image byte 0x07 and sends the image.
#ifndef MOTION_SYNC_H
#define MOTION_SYNC_H

#include <QFrame>
#include <QString>

#include <memory>

namespace Ui {
class MotionSync;
}

class MotionSync : public QFrame {
    Q_OBJECT
public:
    explicit MotionSync(QWidget* parent = nullptr);
    ~MotionSync() override;

    // Programmatic state changes emit no click, so they never send.
    void SetChecked(bool on);
    void SetLabelText(const QString& text);
    void SetLabelToolTip(const QString& text);

private slots:
    void on_MotionSync_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::MotionSync> ui;
    QString m_pictureFolder;
};

#endif // MOTION_SYNC_H
