// Angle-snapping switch with the caption on the left and the switch on the
// right (an alternative layout; no page uses it).
#ifndef STRAIGHT_LINE_B_H
#define STRAIGHT_LINE_B_H

#include <QFrame>
#include <QString>

#include <memory>

namespace Ui {
class StraightLineB;
}

class StraightLineB : public QFrame {
    Q_OBJECT
public:
    explicit StraightLineB(QWidget* parent = nullptr);
    ~StraightLineB() override;

    // Programmatic state changes emit no click, so they never send.
    void SetChecked(bool on);
    void SetLabelText(const QString& text);
    void SetLabelToolTip(const QString& text);

private slots:
    void on_StraightLine_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::StraightLineB> ui;
    QString m_pictureFolder;
};

#endif // STRAIGHT_LINE_B_H
