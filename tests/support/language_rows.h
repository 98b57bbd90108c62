// Rows of a data function over the shipped languages: one int column
// "index" (the stored language index), each row named after its language.
//
//     void T::texts_data() { AddLanguageRows(); }          // all five
//     void T::other_data() { AddLanguageRows({1, 2, 3, 5}); }
#ifndef LANGUAGE_ROWS_H
#define LANGUAGE_ROWS_H

#include <QList>
#include <QTest>

inline void AddLanguageRows(const QList<int>& indexes = {0, 1, 2, 3, 5})
{
    QTest::addColumn<int>("index");
    for (const int index : indexes) {
        const char* name = index == 0 ? "English"
            : index == 1              ? "Russian"
            : index == 2              ? "Traditional Chinese"
            : index == 3              ? "Korean"
            : index == 5              ? "Japanese"
                                      : "other";
        QTest::newRow(name) << index;
    }
}

#endif // LANGUAGE_ROWS_H
