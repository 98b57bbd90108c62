// A child a form must have, found by its object name. A missing one stops the
// test program at once, naming it, instead of crashing on a null pointer.
#ifndef FIND_CHILD_H
#define FIND_CHILD_H

#include <QObject>
#include <QString>
#include <QtGlobal>

template <class T>
T* Child(const QObject* parent, const QString& name)
{
    T* child = parent->findChild<T*>(name);
    if (!child)
        qFatal("no child %s", qPrintable(name));
    return child;
}

#endif // FIND_CHILD_H
