// What a whole-program test reads back after a change raced a profile switch:
// every profile the simulated mouse holds, and the notices the top-level
// window was asked to raise (0 offline, 1 try again). The online check may
// close a notice before anybody sees it, so they are counted when raised:
//
//     QSignalSpy raised(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
//     ...
//     QCOMPARE(NoticesRaised(raised), QList<int>{1});
#ifndef PROFILE_OUTCOME_H
#define PROFILE_OUTCOME_H

#include <devicelib_control.h>

#include <QByteArray>
#include <QList>
#include <QSignalSpy>
#include <QString>
#include <QVariant>

inline QList<QByteArray> MouseProfiles(const QString& mouse)
{
    QList<QByteArray> profiles;
    for (int profile = 0; profile < SimControl::ProfileCount; ++profile)
        profiles << SimControl::mouseImage(mouse, profile);
    return profiles;
}

// The first profile other than `except` whose content changed, -1 when none.
inline int ChangedProfile(const QList<QByteArray>& before, const QList<QByteArray>& after, int except = -1)
{
    for (int profile = 0; profile < before.size() && profile < after.size(); ++profile) {
        if (profile != except && after[profile] != before[profile])
            return profile;
    }
    return -1;
}

// "what" said of a case, for QVERIFY2.
inline QByteArray Text(const QByteArray& where, const char* what)
{
    return where + ": " + what;
}

inline QList<int> NoticesRaised(const QSignalSpy& raised)
{
    QList<int> modes;
    for (const QList<QVariant>& notice : raised)
        modes << notice.at(0).toInt();
    return modes;
}

#endif // PROFILE_OUTCOME_H
