// Lift-off distance as three check boxes (0.7 mm hidden unless shown); an
// alternative layout that no page uses.
#ifndef SENSOR_LOD_B_H
#define SENSOR_LOD_B_H

#include <QFrame>
#include <QString>

#include <memory>

class QButtonGroup;

namespace Ui {
class SensorLODB;
}

class SensorLODB : public QFrame {
    Q_OBJECT
public:
    explicit SensorLODB(QWidget* parent = nullptr);
    ~SensorLODB() override;

    void ShowSmallLevel();
    void HideSmallLevel();
    // Enables or disables the 1 mm and 2 mm boxes (not 0.7 mm).
    void SetLevelEnabled(bool enabled);
    // value = device byte - 1; checking from code sends nothing.
    void SetLevel(int value);
    void SetLabelText(const QString& text);
    void SetLabelToolTip(const QString& text);

private slots:
    void on_MM0_clicked(bool checked);
    void on_MM1_clicked(bool checked);
    void on_MM2_clicked(bool checked);

private:
    static void Send(int code);

    std::unique_ptr<Ui::SensorLODB> ui;
    QString m_pictureFolder;
    QButtonGroup* m_group = nullptr;
};

#endif // SENSOR_LOD_B_H
