#pragma once
// The numbered objects of one backend: its own records of windows, controls and menus under
// the numbers the program chose, and the menu that items go onto. A backend's state extends
// this with what its window system needs; every look-up by number is written here once.

#include "toolkit/core/control_kinds.h"
#include "toolkit/core/registry.h"

namespace toolkit {

// ControlRecord has a `kind` (ControlKind).
template <class WindowRecord, class ControlRecord, class MenuRecord>
struct Objects {
    Registry<WindowRecord> windows{WindowStep};
    Registry<ControlRecord> controls{ControlStep};
    Registry<MenuRecord> menus{MenuStep};
    int currentMenu = -1;  // the menu AddMenuItem adds to

    // The control under `number` when it is of `kind`; nullptr otherwise.
    ControlRecord* FindControl(int number, ControlKind kind) const
    {
        ControlRecord* record = controls.Find(number);
        return record != nullptr && record->kind == kind ? record : nullptr;
    }

    // The number of the window whose record `holds` says is the one; -1 when none.
    template <class Holds>
    int FindWindowNumber(Holds holds) const
    {
        int found = -1;
        windows.ForEach([&](int number, const WindowRecord& record) {
            if (found < 0 && holds(record)) {
                found = number;
            }
        });
        return found;
    }
};

}  // namespace toolkit
