// Debounce time as minus and plus buttons around a read-only number; an
// alternative layout that no page uses.
#ifndef DEBOUNCETIME_C_H
#define DEBOUNCETIME_C_H

#include <QFrame>
#include <QString>

#include <memory>

namespace Ui {
class DebouncetimeC;
}

class DebouncetimeC : public QFrame {
    Q_OBJECT
public:
    explicit DebouncetimeC(QWidget* parent = nullptr);
    ~DebouncetimeC() override;

    void SetLevel(int value); // the number only; never sends
    void SetSuffix(const QString& suffix);

private slots:
    void on_AddLevelA_clicked();
    void on_ReduceLevelA_clicked();

private:
    void Step(int value);

    std::unique_ptr<Ui::DebouncetimeC> ui;
    QString m_pictureFolder;
};

#endif // DEBOUNCETIME_C_H
