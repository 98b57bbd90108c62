// Tells the user that the program already runs; the macro page reuses it for
// the actions it refuses (no macro selected, recording still running).
#ifndef EXE_IS_RUN_H
#define EXE_IS_RUN_H

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class ExeIsRun;
}

class ExeIsRun : public QDialog {
    Q_OBJECT
public:
    explicit ExeIsRun(QWidget* parent = nullptr);
    ~ExeIsRun() override;

    // Shows the language text "select a macro first" (key label_2).
    void ShowLabel2Text();
    // Shows the language text "stop the recording first" (key PleaseStop).
    void ShowPleaseStopText();

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    std::unique_ptr<Ui::ExeIsRun> ui;
    QString m_pictureFolder;
    QString m_label2Text;     // empty until a language file holds it
    QString m_pleaseStopText; // likewise
};

#endif // EXE_IS_RUN_H
