// Angle-snapping switch of the sensor page: a picture switch and its caption;
// a click writes image byte 0x09 and sends the image.
#ifndef STRAIGHT_LINE_H
#define STRAIGHT_LINE_H

#include <QFrame>
#include <QString>

#include <memory>

namespace Ui {
class StraightLine;
}

class StraightLine : public QFrame {
    Q_OBJECT
public:
    explicit StraightLine(QWidget* parent = nullptr);
    ~StraightLine() override;

    // Programmatic state changes emit no click, so they never send.
    void SetChecked(bool on);
    void SetLabelText(const QString& text);
    void SetLabelToolTip(const QString& text);

private slots:
    void on_StraightLine_2_clicked(bool checked);

private:
    std::unique_ptr<Ui::StraightLine> ui;
    QString m_pictureFolder;
};

#endif // STRAIGHT_LINE_H
