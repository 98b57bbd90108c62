#include "mouse_profile.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>

#include <utility>

namespace MouseProfile {
namespace {

const int kUnknown = -1;

struct State {
    int reported = kUnknown;     // the profile the mouse last said it uses
    int imageProfile = kUnknown; // the profile the image was read from
    bool dumpSinceReset = false;
    bool imageOutdated = false;  // a configuration was applied after the last dump
    long long outdatedAtMs = 0;

    // The program's own switch, until the dump of that profile arrives.
    int requested = kUnknown;
    bool requestAnswered = false; // the mouse reported the requested profile
    long long requestedAtMs = 0;
    // The request before the latest, put back when the latest is not sent.
    int previousRequested = kUnknown;
    bool previousAnswered = false;
    long long previousAtMs = 0;
};

QMutex s_mutex;
State s_state;
std::function<long long()> s_clock;

long long NowMs()
{
    if (s_clock)
        return s_clock();
    static QElapsedTimer steady = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return steady.elapsed();
}

} // namespace

void Reset()
{
    QMutexLocker locker(&s_mutex);
    s_state = State();
}

void SwitchRequested(int profile)
{
    QMutexLocker locker(&s_mutex);
    s_state.previousRequested = s_state.requested;
    s_state.previousAnswered = s_state.requestAnswered;
    s_state.previousAtMs = s_state.requestedAtMs;
    s_state.requested = profile;
    s_state.requestAnswered = false;
    s_state.requestedAtMs = NowMs();
}

void SwitchNotSent()
{
    QMutexLocker locker(&s_mutex);
    s_state.requested = s_state.previousRequested;
    s_state.requestAnswered = s_state.previousAnswered;
    s_state.requestedAtMs = s_state.previousAtMs;
    s_state.previousRequested = kUnknown;
}

void Reported(int profile)
{
    QMutexLocker locker(&s_mutex);
    s_state.reported = profile;
    // The dump that answers the request follows this report; a report of
    // another profile belongs to an earlier switch.
    if (s_state.requested != kUnknown)
        s_state.requestAnswered = profile == s_state.requested;
    // The first report after a dump of an unnamed profile names it: the
    // mouse is asked for its profile right after each dump.
    if (s_state.dumpSinceReset && s_state.imageProfile == kUnknown && !s_state.imageOutdated)
        s_state.imageProfile = profile;
}

void ConfigurationApplied()
{
    QMutexLocker locker(&s_mutex);
    s_state.reported = kUnknown;
    s_state.imageProfile = kUnknown;
    s_state.imageOutdated = true;
    s_state.outdatedAtMs = NowMs();
}

void DumpRead()
{
    QMutexLocker locker(&s_mutex);
    s_state.imageProfile = s_state.reported;
    s_state.dumpSinceReset = true;
    s_state.imageOutdated = false;
    if (s_state.requested != kUnknown && s_state.requestAnswered) {
        s_state.requested = kUnknown;
        s_state.requestAnswered = false;
    }
}

bool ImageFitsMouse()
{
    QMutexLocker locker(&s_mutex);
    // A dump that never comes (the request was lost, the mouse refused it)
    // holds back sends for a while only; the mouse then kept its profile.
    const long long now = NowMs();
    if (s_state.requested != kUnknown) {
        if (now - s_state.requestedAtMs <= kAnswerMs)
            return false;
        s_state.requested = kUnknown;
        s_state.requestAnswered = false;
    }
    if (s_state.imageOutdated) {
        if (now - s_state.outdatedAtMs <= kAnswerMs)
            return false;
        s_state.imageOutdated = false;
    }
    return s_state.imageProfile == kUnknown || s_state.reported == kUnknown
           || s_state.imageProfile == s_state.reported;
}

void SetClock(std::function<long long()> nowMs)
{
    QMutexLocker locker(&s_mutex);
    s_clock = std::move(nowMs);
}

} // namespace MouseProfile
