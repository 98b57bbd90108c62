#include "modal_run.h"

#include <QHash>

namespace {

QHash<const QMetaObject*, ModalRun::Answer>& Answers()
{
    static QHash<const QMetaObject*, ModalRun::Answer> answers;
    return answers;
}

} // namespace

namespace ModalRun {

int Exec(QDialog* dialog)
{
    const auto found = Answers().constFind(dialog->metaObject());
    if (found == Answers().constEnd())
        return dialog->exec();
    const Answer answer = found.value(); // the answer may replace itself
    answer(dialog);
    return dialog->result();
}

void SetAnswer(const QMetaObject* type, Answer answer)
{
    if (answer)
        Answers().insert(type, std::move(answer));
    else
        Answers().remove(type);
}

} // namespace ModalRun
