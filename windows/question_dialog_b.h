// Tells the user not to plug in two identical devices at once.
#ifndef QUESTION_DIALOG_B_H
#define QUESTION_DIALOG_B_H

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class QuestiondialogB;
}

class QuestiondialogB : public QDialog {
    Q_OBJECT
public:
    explicit QuestiondialogB(QWidget* parent = nullptr);
    ~QuestiondialogB() override;

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::QuestiondialogB> ui;
    QString m_pictureFolder;
};

#endif // QUESTION_DIALOG_B_H
