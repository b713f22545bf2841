// The fetches, once for every backend: the event state decides what they return, the linked
// backend's platform round supplies the window system's events.

#include "toolkit/core/event_state.h"
#include "toolkit/core/platform.h"
#include "toolkit/toolkit.h"

namespace toolkit {

int EventSource()
{
    return Events().Source();
}

int PollEvent()
{
    return Events().Fetch(false, platform::Round);
}

int WaitEvent()
{
    return Events().Fetch(true, platform::Round);
}

}  // namespace toolkit
