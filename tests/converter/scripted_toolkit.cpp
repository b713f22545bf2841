#include "tests/converter/scripted_toolkit.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace scripted {

namespace {

Toolkit& Instance()
{
    static Toolkit toolkit;
    return toolkit;
}

Control* Find(int number)
{
    auto found = Instance().controls.find(number);
    return found == Instance().controls.end() ? nullptr : &found->second;
}

toolkit::Handle Create(ControlKind kind, int number, int x, int y, int width, int height,
                       std::string_view caption)
{
    Toolkit& t = Instance();
    t.controls.erase(number);
    t.controls.emplace(number, Control{kind, number, x, y, width, height, std::string(caption), {}, -1});
    t.creationOrder.push_back(number);
    return static_cast<toolkit::Handle>(100 + number);
}

int Fetched(Fetch fetch)
{
    Toolkit& t = Instance();
    if (t.script.empty()) {
        if (fetch == Fetch::Wait) {
            throw ScriptEnded{};
        }
        return toolkit::NoEvent;
    }
    if (t.script.front().fetch != fetch) {
        if (fetch == Fetch::Poll) {
            return toolkit::NoEvent;
        }
        ADD_FAILURE() << "the script expected a poll where the controller waited";
        throw ScriptEnded{};
    }
    Step step = t.script.front();
    t.script.pop_front();
    if (step.userAction) {
        step.userAction();
    }
    if (step.code == toolkit::ControlEvent || step.code == toolkit::MenuEvent) {
        t.source = step.source;
    }
    return step.code;
}

}  // namespace

std::string Toolkit::Shown(int list) const
{
    const Control& control = controls.at(list);
    if (control.selection < 0) {
        return {};
    }
    return control.items[static_cast<std::size_t>(control.selection)];
}

Toolkit& Current()
{
    return Instance();
}

void Reset()
{
    Instance() = Toolkit{};
}

}  // namespace scripted

namespace toolkit {


void InitToolkit() {}

void EndToolkit()
{
    throw scripted::ToolkitEnded{};
}

Handle OpenMainWindow(int number, int, int, int clientWidth, int clientHeight,
                      std::string_view title, std::uint32_t flags)
{
    scripted::Toolkit& t = scripted::Instance();
    t.title = std::string(title);
    t.clientWidth = clientWidth;
    t.clientHeight = clientHeight;
    t.windowFlags = flags;
    return static_cast<Handle>(10 + number);
}

Handle WindowHandle(int number)
{
    return number == 0 ? 10 : 0;
}

void UseControlParent(Handle) {}

Handle AddMenuBar(int menuNumber, Handle)
{
    scripted::Instance().menuBar = menuNumber;
    return 20;
}

int AddMenuItem(int itemNumber, std::string_view text)
{
    scripted::Instance().menuItems.emplace_back(itemNumber, std::string(text));
    return 1;
}

int SetMenuItemText(int itemNumber, std::string_view text)
{
    for (auto& [number, itemText] : scripted::Instance().menuItems) {
        if (number == itemNumber) {
            itemText = std::string(text);
            return 1;
        }
    }
    return 0;
}

Handle AddFrame(int number, int x, int y, int width, int height, std::string_view caption)
{
    return scripted::Create(scripted::ControlKind::Frame, number, x, y, width, height, caption);
}

Handle AddDropDownList(int number, int x, int y, int width, int height)
{
    return scripted::Create(scripted::ControlKind::DropDownList, number, x, y, width, height, {});
}

Handle AddButton(int number, int x, int y, int width, int height, std::string_view caption)
{
    return scripted::Create(scripted::ControlKind::Button, number, x, y, width, height, caption);
}

Handle AddStaticText(int number, int x, int y, int width, int height, std::string_view text)
{
    return scripted::Create(scripted::ControlKind::StaticText, number, x, y, width, height, text);
}

int AddListItem(int list, int position, std::string_view text)
{
    scripted::Control* control = scripted::Find(list);
    if (control == nullptr || position < -1) {
        return 0;
    }
    auto& items = control->items;
    // Past the end is outside the list, as on both real backends; -1 and the end append.
    if (position != -1 && static_cast<std::size_t>(position) > items.size()) {
        return 0;
    }
    if (items.empty()) {
        scripted::Instance().filledLists.push_back(list);
    }
    if (position == -1 || static_cast<std::size_t>(position) == items.size()) {
        items.emplace_back(text);
        return 0;
    }
    items.insert(items.begin() + position, std::string(text));
    if (control->selection >= position) {
        ++control->selection;
    }
    return 0;
}

int RemoveListItem(int list, int position)
{
    scripted::Control* control = scripted::Find(list);
    if (control == nullptr || position < 0 ||
        static_cast<std::size_t>(position) >= control->items.size()) {
        return -1;
    }
    control->items.erase(control->items.begin() + position);
    if (control->selection == position) {
        control->selection = -1;
    } else if (control->selection > position) {
        --control->selection;
    }
    return static_cast<int>(control->items.size());
}

std::string GetListItemText(int list, int position)
{
    scripted::Control* control = scripted::Find(list);
    if (control == nullptr || position < 0 ||
        static_cast<std::size_t>(position) >= control->items.size()) {
        return {};
    }
    return control->items[static_cast<std::size_t>(position)];
}

int GetListSelection(int list)
{
    scripted::Control* control = scripted::Find(list);
    return control == nullptr ? -1 : control->selection;
}

int SetListSelection(int list, int index)
{
    scripted::Control* control = scripted::Find(list);
    if (control == nullptr) {
        return -1;
    }
    if (index < 0 || static_cast<std::size_t>(index) >= control->items.size()) {
        control->selection = -1;
        return -1;
    }
    control->selection = index;
    return index;
}

std::string GetControlText(int control)
{
    scripted::Control* found = scripted::Find(control);
    if (found == nullptr) {
        return {};
    }
    if (found->kind != scripted::ControlKind::DropDownList) {
        return found->caption;
    }
    return found->selection < 0 ? std::string() : found->items[static_cast<std::size_t>(found->selection)];
}

void SetControlText(int control, std::string_view text)
{
    scripted::Control* found = scripted::Find(control);
    if (found == nullptr) {
        return;
    }
    if (found->kind != scripted::ControlKind::DropDownList) {
        if (found->kind == scripted::ControlKind::StaticText && found->caption != text) {
            ++scripted::Instance().textChanges;
        }
        found->caption = std::string(text);
        return;
    }
    if (text.empty()) {
        found->selection = -1;
        return;
    }
    for (std::size_t i = 0; i < found->items.size(); ++i) {
        if (found->items[i] == text) {
            found->selection = static_cast<int>(i);
            return;
        }
    }
}

void SetControlName(int, std::string_view) {}

int ShowMessage(std::string_view caption, std::string_view text, int)
{
    scripted::Instance().messages.emplace_back(std::string(caption), std::string(text));
    return 1;
}

int EventSource()
{
    return scripted::Instance().source;
}

int PollEvent()
{
    return scripted::Fetched(scripted::Fetch::Poll);
}

int WaitEvent()
{
    ++scripted::Instance().waits;
    return scripted::Fetched(scripted::Fetch::Wait);
}

std::int64_t LocalTimestamp()
{
    return 0;
}

std::string FormatTimestamp(std::string_view mask, std::int64_t)
{
    return std::string(mask);
}

LocalDate CurrentLocalDate()
{
    return scripted::Instance().today;
}

std::string LocalTimeZoneName()
{
    return scripted::Instance().timeZone;
}

std::string ReadSetting(std::string_view name)
{
    auto& settings = scripted::Instance().settings;
    auto found = settings.find(std::string(name));
    return found == settings.end() ? std::string() : found->second;
}

void WriteSetting(std::string_view name, std::string_view value)
{
    scripted::Instance().settings[std::string(name)] = std::string(value);
}

std::string NumberToText(std::int32_t value)
{
    return std::to_string(value);
}

std::int32_t TextToNumber(std::string_view text)
{
    return static_cast<std::int32_t>(std::strtol(std::string(text).c_str(), nullptr, 10));
}

}  // namespace toolkit
