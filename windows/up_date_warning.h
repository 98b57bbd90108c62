// A notice whose message the opener chooses (wired mode, same device, ...).
// Language changes only touch its button, so the opener's text stays.
#ifndef UP_DATE_WARNING_H
#define UP_DATE_WARNING_H

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class UpDateWarning;
}

class UpDateWarning : public QDialog {
    Q_OBJECT
public:
    explicit UpDateWarning(QWidget* parent = nullptr);
    ~UpDateWarning() override;

    void SetLabelText(QString text);

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    std::unique_ptr<Ui::UpDateWarning> ui;
    QString m_pictureFolder;
};

#endif // UP_DATE_WARNING_H
