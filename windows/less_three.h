// Shown after one of the four shortest debounce times has been chosen.
#ifndef LESS_THREE_H
#define LESS_THREE_H

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class LessThree;
}

class LessThree : public QDialog {
    Q_OBJECT
public:
    explicit LessThree(QWidget* parent = nullptr);
    ~LessThree() override;

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    std::unique_ptr<Ui::LessThree> ui;
    QString m_pictureFolder;
};

#endif // LESS_THREE_H
