#pragma once
// What the fetches know about the events so far: the sticky source number, the window and
// notification of the last event, a code left while a platform event was being handled, and
// the queue of events that later fetches return one at a time.

#include <deque>
#include <functional>

#include "toolkit/core/control_kinds.h"

namespace toolkit {

struct QueuedEvent {
    int code;
    int window;
    bool operator==(const QueuedEvent&) const = default;
};

class EventState {
public:
    // A pair equal to the last one still waiting is not added again, so two close requests
    // before the next fetch give one CloseWindowEvent.
    void Queue(int code, int window);

    // A notification of control `number`, of kind `kind`, in window `window`. When the kind
    // reports it, the fetch returns ControlEvent and the control becomes the source; otherwise
    // nothing changes. Returns whether it was reported.
    bool ReportControl(int number, ControlKind kind, int window, int notification);
    // A menu item was chosen: the next fetch returns MenuEvent with the item as source.
    void ReportMenu(int item, int window);
    // A platform message that raised no event: the fetch that handed it over returns its own
    // number, unless a control or menu event came of it.
    void ReportRaw(int message) { raw_ = message; }

    // One fetch. `dispatch` hands the platform one round of events, waiting for some when
    // asked to; whatever it reports through the calls above decides the result.
    int Fetch(bool wait, const std::function<void(bool wait)>& dispatch);

    int Source() const { return source_; }
    int Pending() const { return pending_; }
    int EventWindow() const { return window_; }
    int EventType() const { return type_; }
    std::size_t Waiting() const { return queue_.size(); }

private:
    bool Pop(int& code);

    int source_ = 0;
    int window_ = 0;
    int type_ = -1;
    int pending_ = 0;
    int raw_ = 0;
    std::deque<QueuedEvent> queue_;
};

// The program's one event state, which every fetch and every backend reports to.
EventState& Events();

}  // namespace toolkit
