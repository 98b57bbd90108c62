#include "post_msg.h"

namespace {
PostMsg* g_postMsg = nullptr;
}

PostMsg* PostMsg::GetInstance()
{
    if (!g_postMsg)
        g_postMsg = new PostMsg;
    return g_postMsg;
}

void PostMsg::ReleaseInstance()
{
    g_postMsg = nullptr;
}

PostMsg::~PostMsg() = default;
