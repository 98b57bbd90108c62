#include "compositing.h"

#include <QByteArray>
#include <QGuiApplication>

#ifdef QUORIX_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace {

#ifdef QUORIX_HAVE_XCB
// Asks the display named by DISPLAY (the one Qt uses) on a connection of our
// own: Qt does not hand out its own.
bool SelectionOwned()
{
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen);
    bool owned = true; // when the server cannot be asked, keep the translucent look
    if (!xcb_connection_has_error(connection)) {
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, uint16_t(name.size()), name.constData()), nullptr);
        if (!atom || atom->atom == XCB_ATOM_NONE) {
            owned = false; // nobody ever took the selection
        } else {
            xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
                connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
            if (owner)
                owned = owner->owner != XCB_WINDOW_NONE;
            std::free(owner);
        }
        std::free(atom);
    }
    xcb_disconnect(connection);
    return owned;
}
#endif

} // namespace

bool CompositingManagerRunning()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
#ifdef QUORIX_HAVE_XCB
    return SelectionOwned();
#else
    return true;
#endif
}
