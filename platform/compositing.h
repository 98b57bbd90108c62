// Whether the desktop composes translucent windows. On X11 that takes a
// compositing manager (the owner of the _NET_WM_CM_S<screen> selection);
// without one, the transparent pixels of a window show black. The other
// platforms compose.
#ifndef COMPOSITING_H
#define COMPOSITING_H

bool CompositingManagerRunning();

#endif // COMPOSITING_H
