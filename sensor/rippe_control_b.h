// Ripple-control switch with the caption on the left and the switch on the
// right (an alternative layout; no page uses it).
#ifndef RIPPE_CONTROL_B_H
#define RIPPE_CONTROL_B_H

#include <QFrame>
#include <QString>

#include <memory>

namespace Ui {
class RippeControlB;
}

class RippeControlB : public QFrame {
    Q_OBJECT
public:
    explicit RippeControlB(QWidget* parent = nullptr);
    ~RippeControlB() override;

    // Programmatic state changes emit no click, so they never send.
    void SetChecked(bool on);
    void SetLabelText(const QString& text);
    void SetLabelToolTip(const QString& text);

private slots:
    void on_RippeControl_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::RippeControlB> ui;
    QString m_pictureFolder;
};

#endif // RIPPE_CONTROL_B_H
