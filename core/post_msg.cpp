#include "post_msg.h"

#include <atomic>

namespace {
// The first call happens on the user-interface thread before any other thread
// exists; later calls from other threads only read the pointer.
std::atomic<PostMsg*> g_postMsg{nullptr};
}

PostMsg* PostMsg::GetInstance()
{
    PostMsg* hub = g_postMsg.load();
    if (!hub) {
        hub = new PostMsg;
        g_postMsg.store(hub);
    }
    return hub;
}

void PostMsg::ReleaseInstance()
{
    g_postMsg.store(nullptr);
}

PostMsg::~PostMsg() = default;
