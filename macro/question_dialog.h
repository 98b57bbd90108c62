// Asks for the name of a new macro or the new name of a macro. The field
// keeps the name rules while the user edits it (macro_name.h); OK returns
// the name in `enteredName`, which stays empty after Cancel, Close or Esc.
// Whether the name can be used is the opener's decision.
#ifndef QUESTION_DIALOG_H
#define QUESTION_DIALOG_H

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class QuestionDialog;
}

class QuestionDialog : public QDialog {
    Q_OBJECT
public:
    QString enteredName;

    explicit QuestionDialog(QWidget* parent = nullptr);
    ~QuestionDialog() override;

    // The prompt for renaming (true) or for a new macro (false); call after
    // construction, when the texts are loaded.
    void SetPromptText(bool rename);

public slots:
    void WindowClosedLan(); // Cancel
    void SlotChangeLanguage(int index);

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();
    void on_lineEdit_textEdited(const QString& text);

private:
    std::unique_ptr<Ui::QuestionDialog> ui;
    QString m_newPrompt;
    QString m_renamePrompt;
};

#endif // QUESTION_DIALOG_H
