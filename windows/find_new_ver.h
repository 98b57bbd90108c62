// Tells the user that newer firmware was found, with a do-not-show-again box.
#ifndef FIND_NEW_VER_H
#define FIND_NEW_VER_H

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class FindNewVer;
}

class FindNewVer : public QDialog {
    Q_OBJECT
public:
    explicit FindNewVer(QWidget* parent = nullptr);
    ~FindNewVer() override;

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    std::unique_ptr<Ui::FindNewVer> ui;
    QString m_pictureFolder;
};

#endif // FIND_NEW_VER_H
