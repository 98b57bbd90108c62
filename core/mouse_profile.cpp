#include "mouse_profile.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>

#include <utility>

namespace MouseProfile {
namespace {

const int kUnknown = -1;

// The program's own switch, until the dump of that profile arrives.
struct Request {
    int profile = kUnknown;
    bool answered = false; // the mouse reported the requested profile
    long long atMs = 0;
};

struct State {
    int reported = kUnknown;     // the profile the mouse last said it uses
    int imageProfile = kUnknown; // the profile the image was read from
    bool dumpSinceReset = false;
    bool imageOutdated = false;  // a configuration was applied after the last dump
    long long outdatedAtMs = 0;
    Request request;
    Request previous; // put back when the latest request is not sent
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
    s_state.previous = s_state.request;
    s_state.request = Request{profile, false, NowMs()};
}

void SwitchNotSent()
{
    QMutexLocker locker(&s_mutex);
    s_state.request = s_state.previous;
    s_state.previous = Request();
}

void Reported(int profile)
{
    QMutexLocker locker(&s_mutex);
    s_state.reported = profile;
    // The dump that answers the request follows this report; a report of
    // another profile belongs to an earlier switch.
    if (s_state.request.profile != kUnknown)
        s_state.request.answered = profile == s_state.request.profile;
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
    if (s_state.request.answered)
        s_state.request = Request();
}

bool ImageFitsMouse()
{
    QMutexLocker locker(&s_mutex);
    // A dump that never comes (the request was lost, the mouse refused it)
    // holds back sends for a while only; the mouse then kept its profile.
    const long long now = NowMs();
    if (s_state.request.profile != kUnknown) {
        if (now - s_state.request.atMs <= kAnswerMs)
            return false;
        s_state.request = Request();
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
