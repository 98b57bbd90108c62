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

// The device the user opened last.
struct OpenedDevice {
    quint64 count = 0;       // openings so far; 0: none yet
    bool waitsOwnDump = false; // its own dump has not been read since
    bool cacheShown = false; // meanwhile the image holds its cache
    bool awaitsDump = false; // a dump was asked for (at askedAtMs) and has not come
    bool heldUntilAwake = false; // asked of a mouse that did not answer
    long long askedAtMs = 0;
    bool answerOutdated = false; // a change was sent after that ask
};

// Of the current connection.
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
OpenedDevice s_opened;
quint64 s_dumps = 0; // dumps read so far
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

void StartOver()
{
    QMutexLocker locker(&s_mutex);
    s_state = State();
    s_opened = OpenedDevice();
    s_dumps = 0;
}

void DeviceOpened()
{
    QMutexLocker locker(&s_mutex);
    OpenedDevice opened;
    opened.count = s_opened.count + 1;
    opened.waitsOwnDump = true;
    s_opened = opened;
}

quint64 Opening()
{
    QMutexLocker locker(&s_mutex);
    return s_opened.count;
}

void DumpAsked(bool mouseAnswers)
{
    QMutexLocker locker(&s_mutex);
    s_opened.awaitsDump = true;
    s_opened.heldUntilAwake = !mouseAnswers;
    s_opened.askedAtMs = NowMs();
    s_opened.answerOutdated = false;
}

void MouseAnswersAgain()
{
    QMutexLocker locker(&s_mutex);
    if (s_opened.awaitsDump && s_opened.heldUntilAwake) {
        s_opened.askedAtMs = NowMs();
        s_opened.heldUntilAwake = false;
    }
}

void ImageSent()
{
    QMutexLocker locker(&s_mutex);
    if (s_opened.awaitsDump)
        s_opened.answerOutdated = true;
}

bool OwnDumpOverdue()
{
    QMutexLocker locker(&s_mutex);
    return s_opened.waitsOwnDump && s_opened.awaitsDump && NowMs() - s_opened.askedAtMs > kAnswerMs;
}

bool TakeCache()
{
    QMutexLocker locker(&s_mutex);
    if (!s_opened.waitsOwnDump)
        return false;
    s_opened.cacheShown = true;
    return true;
}

bool ImageOfOpenedDevice()
{
    QMutexLocker locker(&s_mutex);
    return !s_opened.waitsOwnDump || s_opened.cacheShown;
}

bool ImageIsOwnDump()
{
    QMutexLocker locker(&s_mutex);
    return !s_opened.waitsOwnDump;
}

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

int ReportedProfile()
{
    QMutexLocker locker(&s_mutex);
    return s_state.reported;
}

void ConfigurationApplied()
{
    QMutexLocker locker(&s_mutex);
    s_state.reported = kUnknown;
    s_state.imageProfile = kUnknown;
    s_state.imageOutdated = true;
    s_state.outdatedAtMs = NowMs();
}

DumpUse DumpRead(quint64 opening)
{
    QMutexLocker locker(&s_mutex);
    if (opening != s_opened.count)
        return DumpUse::Dropped;
    ++s_dumps;
    s_opened.waitsOwnDump = false;
    s_opened.cacheShown = false;
    // A change went out after the read this dump answers: the mouse holds
    // more than the dump, and the next dump must be asked for before any
    // further change.
    const bool outdated = s_opened.awaitsDump && s_opened.answerOutdated;
    if (outdated) {
        s_opened.askedAtMs = NowMs();
        s_opened.answerOutdated = false;
    } else {
        s_opened.awaitsDump = false;
    }
    s_state.imageProfile = s_state.reported;
    s_state.dumpSinceReset = true;
    s_state.imageOutdated = false;
    if (s_state.request.answered)
        s_state.request = Request();
    return outdated ? DumpUse::TakenReadAgain : DumpUse::Taken;
}

void DumpRead()
{
    DumpRead(Opening());
}

bool ImageFitsMouse()
{
    QMutexLocker locker(&s_mutex);
    // Never the image of another device, nor a cache.
    if (s_opened.waitsOwnDump)
        return false;
    // A dump that never comes (the request was lost, the mouse refused it)
    // holds back sends for a while only; the mouse then kept its profile.
    const long long now = NowMs();
    // A change sent now would not be in the dump on its way, which then
    // replaces the image: the change would vanish from it (and from the next
    // send).
    if (s_opened.awaitsDump && now - s_opened.askedAtMs <= kAnswerMs)
        return false;
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

Target CurrentTarget()
{
    QMutexLocker locker(&s_mutex);
    return Target{s_opened.count, s_dumps, s_state.imageProfile};
}

bool TargetHolds(const Target& target)
{
    QMutexLocker locker(&s_mutex);
    if (target.opening != s_opened.count || s_opened.waitsOwnDump)
        return false;
    if (target.dump == s_dumps)
        return true;
    return target.profile != kUnknown && target.profile == s_state.imageProfile;
}

void SetClock(std::function<long long()> nowMs)
{
    QMutexLocker locker(&s_mutex);
    s_clock = std::move(nowMs);
}

} // namespace MouseProfile
