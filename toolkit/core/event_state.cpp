#include "toolkit/core/event_state.h"

#include "toolkit/toolkit.h"

namespace toolkit {

void EventState::Queue(int code, int window)
{
    QueuedEvent event{code, window};
    if (!queue_.empty() && queue_.back() == event) {
        return;
    }
    queue_.push_back(event);
}

bool EventState::ReportControl(int number, ControlKind kind, int window, int notification)
{
    if (!ReportsNotification(kind, notification)) {
        return false;
    }
    pending_ = ControlEvent;
    source_ = number;
    window_ = window;
    type_ = notification;
    return true;
}

void EventState::ReportMenu(int item, int window)
{
    pending_ = MenuEvent;
    source_ = item;
    window_ = window;
}

bool EventState::Pop(int& code)
{
    if (queue_.empty()) {
        return false;
    }
    code = queue_.front().code;
    window_ = queue_.front().window;
    queue_.pop_front();
    pending_ = 0;
    return true;
}

int EventState::Fetch(bool wait, const std::function<void(bool wait)>& dispatch)
{
    type_ = -1;
    int code = NoEvent;
    if (Pop(code)) {
        return code;
    }
    for (;;) {
        raw_ = 0;
        dispatch(wait);
        if (pending_ != 0) {
            code = pending_;
            pending_ = 0;
            return code;
        }
        if (raw_ != 0) {
            code = raw_;
            raw_ = 0;
            return code;
        }
        if (Pop(code)) {
            return code;
        }
        if (!wait) {
            return NoEvent;
        }
    }
}

EventState& Events()
{
    // Reachable for the program's whole life, so nothing of it counts as leaked at exit.
    static EventState* events = new EventState;
    return *events;
}

}  // namespace toolkit
