// Motion-sync switch with the caption on the left and the switch on the right
// (an alternative layout; no page uses it).
#ifndef MOTION_SYNC_B_H
#define MOTION_SYNC_B_H

#include <QFrame>
#include <QString>

#include <memory>

namespace Ui {
class MotionSyncB;
}

class MotionSyncB : public QFrame {
    Q_OBJECT
public:
    explicit MotionSyncB(QWidget* parent = nullptr);
    ~MotionSyncB() override;

    // Programmatic state changes emit no click, so they never send.
    void SetChecked(bool on);
    void SetLabelText(const QString& text);
    void SetLabelToolTip(const QString& text);

private slots:
    void on_MotionSync_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::MotionSyncB> ui;
    QString m_pictureFolder;
};

#endif // MOTION_SYNC_B_H
