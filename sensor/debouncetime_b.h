// Debounce time as a slider with a read-only number (1-20 ms); an
// alternative layout that no page uses.
#ifndef DEBOUNCETIME_B_H
#define DEBOUNCETIME_B_H

#include <QFrame>
#include <QString>

#include <memory>

namespace Ui {
class DebouncetimeB;
}

class DebouncetimeB : public QFrame {
    Q_OBJECT
public:
    explicit DebouncetimeB(QWidget* parent = nullptr);
    ~DebouncetimeB() override;

    // Slider and number to the value; never sends.
    void SetLevel(int value);
    void SetSuffix(const QString& suffix);

private slots:
    void on_Debunce_sliderMoved(int position);
    void on_Debunce_valueChanged(int value);

private:
    std::unique_ptr<Ui::DebouncetimeB> ui;
    QString m_pictureFolder;
};

#endif // DEBOUNCETIME_B_H
