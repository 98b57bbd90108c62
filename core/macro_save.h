// The macro page's save while it is under way (user-interface thread only).
//
// Save writes the macro's file at once; the button page then waits a while,
// processing events, before the new events reach the keys that carry the
// macro, and the new repeat mode follows. All of it was decided for the
// device and profile shown when Save was clicked: the sends of the save pass
// Target(), so they go there or nowhere, and a refused one says so
// (Refused). Meanwhile the file just saved is not rewritten from what the
// mouse still holds, and a profile switch asked on the page waits until the
// save is done.
#ifndef MACRO_SAVE_H
#define MACRO_SAVE_H

#include "mouse_profile.h"

#include <QString>

#include <functional>

namespace MacroSave {

// Lives for the save of macro `name`; takes the target from the image as it
// is. Not nested: the page saves one macro at a time.
class Scope {
public:
    explicit Scope(const QString& name);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    // No send of the save was refused so far.
    bool Delivered() const;
};

// A send of the save under way was refused (the mouse is on another profile
// or device by now, or does not answer): the save is not on the mouse.
void Refused();

// A save is under way (a Scope lives).
bool Running();
// What the save under way was decided for; nullptr when no save runs.
const MouseProfile::Target* Target();
// The save under way is of the macro `name`.
bool Saving(const QString& name);
// Runs `action` once the save under way is done (queued, after it), or at
// once when none runs. A later action replaces one still waiting.
void WhenDone(std::function<void()> action);

} // namespace MacroSave

#endif // MACRO_SAVE_H
