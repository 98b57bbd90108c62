// Runs a dialog modally, the way every opener does after placing it, with a
// seam for tests: while an answer is registered for the dialog's class, the
// answer handles the dialog (fills it in, clicks its buttons) in place of the
// modal loop, and the opener reads the dialog's results as usual.
//
//     QuestionDialog dialog;
//     dialog.move(...);
//     ModalRun::Exec(&dialog);
//
// In a test:
//
//     ModalAnswer<QuestionDialog> answer([](QuestionDialog& d) { ... click OK ... });
//     page.NewMacro();                 // runs no event loop for the dialog
//     QCOMPARE(answer.count, 1);
#ifndef MODAL_RUN_H
#define MODAL_RUN_H

#include <QDialog>

#include <functional>

namespace ModalRun {

using Answer = std::function<void(QDialog*)>;

// exec() the dialog, or hand it to the answer registered for its class.
int Exec(QDialog* dialog);

// Registers the answer for the dialog class `type` (by its meta-object);
// an empty answer removes it.
void SetAnswer(const QMetaObject* type, Answer answer);

} // namespace ModalRun

// Registers an answer for Dialog while it lives and counts the dialogs it
// answered.
template <class Dialog>
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(Dialog&)> answer)
    {
        ModalRun::SetAnswer(&Dialog::staticMetaObject, [this, answer](QDialog* dialog) {
            ++count;
            answer(*static_cast<Dialog*>(dialog));
        });
    }
    ~ModalAnswer() { ModalRun::SetAnswer(&Dialog::staticMetaObject, nullptr); }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    int count = 0;
};

#endif // MODAL_RUN_H
