// Prints every text the window draws, one a line in UTF-8 after what shows it and a tab: what
// start-up puts in the window (title, menu, frames, buttons, every list item), the second Adar
// a leap year adds to the Hebrew month list, and the About message. The package's fonts and
// its manual are checked against them.
#include <iostream>
#include <string>

#include "converter/startup.h"
#include "converter/window_layout.h"
#include "hebrew_text/encoding.h"
#include "hebrew_text/month_names.h"
#include "tests/converter/scripted_toolkit.h"

int main()
{
    scripted::Reset();
    converter::ControllerState state;
    converter::StartUp(state);
    const scripted::Toolkit& window = scripted::Current();

    auto print = [](std::string_view shownBy, std::string_view text) {
        std::cout << shownBy << '\t' << hebrew_text::Cp1255ToUtf8(text) << '\n';
    };
    print("title", window.title);
    for (const auto& item : window.menuItems) {
        print("menu", item.second);
    }
    for (const auto& [number, control] : window.controls) {
        switch (control.kind) {
        case scripted::ControlKind::Frame: print("frame", control.caption); break;
        case scripted::ControlKind::Button: print("button", control.caption); break;
        case scripted::ControlKind::StaticText: print("line", control.caption); break;
        case scripted::ControlKind::DropDownList:
            for (const std::string& item : control.items) {
                print("list", item);
            }
            break;
        }
    }
    print("list", hebrew_text::SecondAdarName);
    // The message box's own button reads "אישור" in Qt's Hebrew translation: letters the
    // month names already hold.
    print("message", converter::AboutCaption.view());
    for (std::string_view line : {converter::AboutFirstLine.view(), converter::ContactAddress}) {
        print("message", line);
    }
}
