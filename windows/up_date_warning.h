// A notice whose message the opener chooses (wired mode, same device, ...).
// Language changes only touch its button, so the opener's text stays. A
// message longer than the form's three lines makes the notice taller, so it
// is shown whole; a word wider than a line (a long file path) is broken
// where it must.
#ifndef UP_DATE_WARNING_H
#define UP_DATE_WARNING_H

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
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
    void FitToText();

    std::unique_ptr<Ui::UpDateWarning> ui;
    QSize m_formSize;      // the notice as designed, for short messages
    QRect m_formLabel;
    QPoint m_formButton;
    QString m_pictureFolder;
};

#endif // UP_DATE_WARNING_H
