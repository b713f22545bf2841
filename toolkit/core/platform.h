#pragma once
// The seam between the portable toolkit and a window system, which each backend fills in its
// own files (toolkit/qt/, toolkit/win32/) and nowhere else. The core owns the event state and
// the fetches built on it (EventSource, PollEvent, WaitEvent: toolkit/core/fetch.cpp) and the
// numbered objects' registries (toolkit/core/objects.h); a backend supplies its objects and one
// thing more, its platform round.

namespace toolkit::platform {

// One round of the window system's events: takes what is waiting (waiting for something first
// when `wait` is set) and hands it to the toolkit's handling, which reports to Events() what it
// raised: a control's notification, a menu choice, a queued pair, or the number of a message
// that raised nothing. A round that finds nothing reports nothing.
void Round(bool wait);

}  // namespace toolkit::platform
