// The toolkit over Qt 6 Widgets. Every text crosses into Qt through the exact code page 1255
// conversion; events reach the converter only through the fetches, which hand Qt one round
// of its own events at a time.

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "hebrew_text/encoding.h"
#include "toolkit/core/event_state.h"
#include "toolkit/core/objects.h"
#include "toolkit/core/platform.h"
#include "toolkit/qt/qt_access.h"
#include "toolkit/qt/qt_accessibility.h"
#include "toolkit/qt/qt_item_list.h"
#include "toolkit/qt/qt_preload.h"
#include "toolkit/toolkit.h"

namespace toolkit {

namespace {

constexpr std::uint32_t MaximizedStyle = 0x1000000;
constexpr std::uint32_t MinimizedStyle = 0x20000000;
constexpr int DefaultPosition = -65535;
// Qt's own number for a widget's repaint, handed over as the platform's number for it, as the
// Win32 backend hands over a control's WM_PAINT.
constexpr int ControlRepaintCode = QEvent::Paint;

QString ToQt(std::string_view text)
{
    QString unicode(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    hebrew_text::Cp1255ToUtf16(text, reinterpret_cast<char16_t*>(unicode.data()));
    return unicode;
}

std::string FromQt(const QString& text)
{
    return hebrew_text::Utf16ToCp1255(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<std::size_t>(text.size())));
}

Handle HandleOf(const QObject* object)
{
    return reinterpret_cast<Handle>(object);
}

// A top-level window. Its client area is the part below the menu bar; the controls live in it
// and keep their places whatever the window's size. A close request is only reported.
class TopLevel : public QWidget {
public:
    explicit TopLevel(int number) : number_(number), client_(new QWidget(this)) {}

    QWidget* Client() const { return client_; }
    int Number() const { return number_; }

    void AttachMenuBar(QMenuBar* bar)
    {
        bar_ = bar;
        Relayout();
    }

    void Relayout()
    {
        int barHeight = 0;
        if (bar_ && !bar_->actions().isEmpty()) {
            qt_preload::AwaitLoaded();
            barHeight = bar_->sizeHint().height();
            bar_->setGeometry(0, 0, width(), barHeight);
            bar_->show();
        }
        client_->setGeometry(0, barHeight, width(), height() - barHeight);
    }

protected:
    bool event(QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Close:
            Events().Queue(CloseWindowEvent, number_);
            event->ignore();
            return true;
        case QEvent::Move:
            Events().Queue(WindowMovedEvent, number_);
            break;
        case QEvent::Resize:
            Relayout();
            if (!isMinimized()) {
                Events().Queue(WindowResizedEvent, number_);
            }
            break;
        case QEvent::Paint:
            Events().Queue(RepaintEvent, number_);
            break;
        case QEvent::WindowActivate:
            Events().Queue(WindowActivatedEvent, number_);
            break;
        default:
            break;
        }
        return QWidget::event(event);
    }

private:
    int number_;
    QWidget* client_;
    QPointer<QMenuBar> bar_;
};

// A non-editable drop-down list that reports its list opening and closing as the user does it.
// Its size is the program's, never its items': nothing measures thousands of texts to size it.
class DropDownList : public QComboBox {
public:
    DropDownList(int number, int window, QWidget* parent)
        : QComboBox(parent), number_(number), window_(window), items_(new ItemList(this))
    {
        setModel(items_);
    }

    ItemList* Items() const { return items_; }

    // The height the program gave is the platform's extent of the opened list; closed, a list
    // is as tall as its text needs, which is known once the fonts are.
    void RequestHeight(int height)
    {
        requestedHeight_ = height;
        heightDue_ = true;
    }

    void ApplyClosedHeight(int textHeight)
    {
        if (heightDue_) {
            heightDue_ = false;
            resize(width(), std::min(requestedHeight_, textHeight));
        }
    }

    // The rows of a batch of appends reach the list together: when the program next asks
    // anything else of the list, or when Qt next handles events, whichever comes first.
    void Append(std::string_view text)
    {
        if (items_->Append(text)) {
            QMetaObject::invokeMethod(this, [this] { CommitItems(); }, Qt::QueuedConnection);
        }
    }

    // Qt would select the first row of a list that was empty; the list keeps its selection,
    // or its lack of one.
    void CommitItems()
    {
        QSignalBlocker quiet(this);
        bool selected = currentIndex() >= 0;
        items_->Commit();
        if (!selected && currentIndex() >= 0) {
            setCurrentIndex(-1);
        }
    }

    void showPopup() override
    {
        Events().ReportControl(number_, ControlKind::DropDownList, window_, ListOpenedNotification);
        QComboBox::showPopup();
    }

    void hidePopup() override
    {
        QComboBox::hidePopup();
        Events().ReportControl(number_, ControlKind::DropDownList, window_, ListClosedNotification);
    }

private:
    int number_;
    int window_;
    ItemList* items_;
    int requestedHeight_ = 0;
    bool heightDue_ = false;
};

// Focus entering or leaving a control is a notification of that control, which its kind
// reports or keeps to itself. A control keeps the focus while a list's own drop-down is open or
// the keyboard is on the menu bar, and activating the window does not itself move the focus
// into a control, as on Win32: Qt's focus changes for those reasons are none of the program's
// business. (The focus coming back from the menu bar would otherwise be reported in the round
// that chose the item, in place of the item's MenuEvent.)
class FocusReporter : public QObject {
public:
    FocusReporter(int number, ControlKind kind, int window, QObject* parent)
        : QObject(parent), number_(number), kind_(kind), window_(window)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        bool gained = event->type() == QEvent::FocusIn;
        if (gained || event->type() == QEvent::FocusOut) {
            Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason &&
                !(gained && reason == Qt::ActiveWindowFocusReason)) {
                Events().ReportControl(number_, kind_, window_, FocusNotification(kind_, gained));
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int number_;
    ControlKind kind_;
    int window_;
};

// Enter presses the push button that has the focus, as Space does: a keyboard user expects
// either key to work on a focused button, in a dialog or not.
class EnterClicks : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat() &&
                key->modifiers() == Qt::NoModifier) {
                static_cast<QAbstractButton*>(watched)->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// One line of right-to-left text. What does not fit ends in an ellipsis, and the whole text is
// then the tooltip; assistive technology is always told the whole text.
class LineText : public QLabel {
public:
    explicit LineText(QWidget* parent) : QLabel(parent)
    {
        setLayoutDirection(Qt::RightToLeft);
        setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        setTextFormat(Qt::PlainText);
        setFocusPolicy(Qt::NoFocus);
        setProperty(qt_accessibility::LineProperty, true);
    }

    const QString& Whole() const { return whole_; }

    void SetWhole(const QString& text)
    {
        if (text == whole_) {
            return;
        }
        QString before = whole_;
        whole_ = text;
        setAccessibleName(whole_);  // heard as the name's change
        Fit();
        if (QAccessible::isActive()) {
            QAccessibleTextUpdateEvent change(this, 0, before, whole_);
            QAccessible::updateAccessibility(&change);
        }
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        Fit();
    }

private:
    void Fit()
    {
        qt_preload::AwaitLoaded();
        QString shown = fontMetrics().elidedText(whole_, Qt::ElideRight, contentsRect().width());
        setText(shown);
        setToolTip(shown == whole_ ? QString() : whole_);
    }

    QString whole_;
};

struct WindowRecord {
    std::unique_ptr<TopLevel> widget;
};

// The controls a frame holds stay where they are, in the frame's parent, when the frame goes.
void ReleaseMembers(QWidget* frame)
{
    QWidget* parent = frame->parentWidget();
    for (QWidget* member : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QPoint place = member->mapTo(parent, QPoint(0, 0));
        member->setParent(parent);
        member->move(place);
        member->show();
    }
}

struct ControlRecord {
    ControlKind kind;
    QPointer<QWidget> widget;  // gone already when its window was closed first
    // A frame's caption until the fonts are loaded: a group box measures its title at once.
    std::optional<QString> pendingCaption;
    ~ControlRecord()
    {
        if (kind == ControlKind::GroupFrame && widget) {
            ReleaseMembers(widget);
        }
        delete widget.data();
    }
};

struct MenuRecord {
    QPointer<QMenuBar> bar;
    int ownerWindow;
    ~MenuRecord() { delete bar.data(); }
};

struct Toolkit : Objects<WindowRecord, ControlRecord, MenuRecord> {
    QApplication* application = nullptr;
    QPointer<QWidget> controlParent;
    int controlParentWindow = 0;
    bool responseRepaintOwed = false;  // see platform::Round
    bool blocked = false;              // inside a round that waits for the window system
    bool layoutDue = false;
};

// Reachable for the program's whole life, so nothing of it counts as leaked at exit.
Toolkit* state = nullptr;

Toolkit& State()
{
    if (state == nullptr) {
        InitToolkit();
    }
    return *state;
}

int WindowNumberOf(Handle handle)
{
    return State().FindWindowNumber(
        [handle](const WindowRecord& record) { return HandleOf(record.widget.get()) == handle; });
}

// The list behind a number with its appended rows still waiting, nullptr when the number holds
// no list.
DropDownList* FillingListOf(int number)
{
    ControlRecord* record = State().FindControl(number, ControlKind::DropDownList);
    return record != nullptr ? static_cast<DropDownList*>(record->widget.data()) : nullptr;
}

// The list behind a number with every row in place.
DropDownList* ListOf(int number)
{
    DropDownList* list = FillingListOf(number);
    if (list != nullptr) {
        list->CommitItems();
    }
    return list;
}

// The frame of the control parent whose area holds the top edge of a control at (x, y), nullptr
// when there is none.
QGroupBox* FrameAround(int x, int y, int width)
{
    Toolkit& t = State();
    QGroupBox* found = nullptr;
    t.controls.ForEach([&](int, const ControlRecord& record) {
        if (record.kind == ControlKind::GroupFrame && record.widget && record.widget->parentWidget() == t.controlParent) {
            QRect area = record.widget->geometry();
            if (area.contains(x, y) && area.contains(x + width - 1, y)) {
                found = static_cast<QGroupBox*>(record.widget.data());
            }
        }
    });
    return found;
}

// A control that stands inside a frame is made the frame's child, where it is drawn just the
// same, so that assistive technology finds it in the frame's group.
template <class Widget>
Handle PlaceControl(int number, ControlKind kind, Widget* widget, int x, int y, int width, int height)
{
    Toolkit& t = State();
    if (kind != ControlKind::GroupFrame) {
        if (QGroupBox* frame = FrameAround(x, y, width)) {
            widget->setParent(frame);
            x -= frame->x();
            y -= frame->y();
        }
    }
    widget->setGeometry(x, y, width, height);
    widget->installEventFilter(new FocusReporter(number, kind, t.controlParentWindow, widget));
    widget->show();
    auto record = std::make_unique<ControlRecord>();
    record->kind = kind;
    record->widget = widget;
    t.controls.Put(number, std::move(record));
    return HandleOf(widget);
}

// How tall a list's closed box is for its one line of text, measured on an empty list: a full
// one would measure every item.
int ListTextHeight(const QFont& font)
{
    QComboBox probe;
    probe.setFont(font);
    return probe.sizeHint().height();
}

// Sizes that depend on the font (the menu bars' heights, the lists' closed heights) are set
// before the first round of events, so that the fonts load while the program builds its window.
void FinishLayout()
{
    Toolkit& t = State();
    if (!t.layoutDue) {
        return;
    }
    t.layoutDue = false;
    qt_preload::AwaitLoaded();
    t.windows.ForEach([](int, const WindowRecord& record) { record.widget->Relayout(); });
    int textHeight = -1;
    t.controls.ForEach([&](int, ControlRecord& record) {
        if (record.kind == ControlKind::GroupFrame && record.pendingCaption && record.widget) {
            static_cast<QGroupBox*>(record.widget.data())->setTitle(*record.pendingCaption);
            record.pendingCaption.reset();
        }
        if (record.kind == ControlKind::DropDownList && record.widget) {
            auto* list = static_cast<DropDownList*>(record.widget.data());
            if (textHeight < 0) {
                textHeight = ListTextHeight(list->font());
            }
            list->ApplyClosedHeight(textHeight);
        }
    });
}

void ScheduleLayout()
{
    Toolkit& t = State();
    if (!t.layoutDue) {
        t.layoutDue = true;
        QMetaObject::invokeMethod(t.application, FinishLayout, Qt::QueuedConnection);
    }
}

}  // namespace

namespace {

// The program's command line, which Qt reads its own options from (-platform, -display ...)
// and takes them out of. Without one, the program's name alone.
char programName[] = "detron";
char* defaultArguments[] = {programName, nullptr};
int argumentCount = 1;
char** arguments = defaultArguments;

// What Qt says while it connects to the display, held until it has connected. When no window
// system can be reached, Qt ends the program with advice to reinstall it; the program says
// what is missing instead, in one line, and ends with status 1.
QtMessageHandler heldHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldMessages;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr,
                     "%s: needs a graphical display (DISPLAY or WAYLAND_DISPLAY) to open its window; "
                     "without one, run it as: %s -platform offscreen\n",
                     programName, programName);
        std::exit(1);
    }
    (void)context;
    heldMessages.emplace_back(type, text);
}

void ReleaseMessages()
{
    qInstallMessageHandler(heldHandler);
    for (const auto& [type, text] : heldMessages) {
        heldHandler(type, QMessageLogContext(), text);
    }
    heldMessages.clear();
}

// The window icon is the program's own: the images it carries under :/program-icon, one for
// each size, which the window system shows in title bars and task switchers.
void UseProgramIcon()
{
    QIcon icon;
    for (const QString& name : QDir(QStringLiteral(":/program-icon")).entryList(QDir::Files)) {
        icon.addFile(QStringLiteral(":/program-icon/") + name);
    }
    if (!icon.isNull()) {
        QApplication::setWindowIcon(icon);
    }
}

}  // namespace

void UseCommandLine(int argc, char** argv)
{
    if (state == nullptr && argc > 0 && argv != nullptr) {
        argumentCount = argc;
        arguments = argv;
    }
}

void InitToolkit()
{
    if (state != nullptr) {
        return;
    }
    state = new Toolkit;
    qt_preload::Begin();
    heldHandler = qInstallMessageHandler(HoldMessage);
    state->application = new QApplication(argumentCount, arguments);
    ReleaseMessages();
    // Wayland's app id and the desktop-file hint on X11: docks show the window as its
    // launcher, with its icon. The launcher's StartupWMClass names the X11 class, "detron".
    QGuiApplication::setDesktopFileName(QStringLiteral(DETRON_APP_ID));
    UseProgramIcon();
    qt_preload::Start();
    qt_accessibility::Install();
    // The default font may lack Hebrew glyphs; DejaVu Sans has them.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(QApplication::font().pointSize());
    QApplication::setFont(font);
}

void EndToolkit()
{
    qt_preload::AwaitLoaded();
    if (state != nullptr) {
        state->controls.Clear();
        state->menus.Clear();
        state->windows.Clear();
    }
    std::exit(0);
}

Handle OpenMainWindow(int number, int x, int y, int clientWidth, int clientHeight, std::string_view title,
                      std::uint32_t flags)
{
    Toolkit& t = State();
    auto record = std::make_unique<WindowRecord>();
    record->widget = std::make_unique<TopLevel>(number);
    TopLevel* window = record->widget.get();
    if (t.windows.Put(number, std::move(record)) == nullptr) {
        return 0;
    }
    window->setWindowTitle(ToQt(title));
    window->resize(clientWidth, clientHeight);

    QScreen* screen = QGuiApplication::primaryScreen();
    QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, clientWidth, clientHeight);
    if ((flags & CentreOnScreen) != 0) {
        int width = std::min(clientWidth, area.width());
        int height = std::min(clientHeight, area.height());
        window->move((area.width() - width) / 2, (area.height() - height) / 2);
    } else if ((flags & CentreOnParent) != 0) {
        QWidget* active = QApplication::activeWindow();
        QRect around = active != nullptr ? active->geometry() : area;
        window->move(std::max(0, around.x() + (around.width() - clientWidth) / 2),
                     std::max(0, around.y() + (around.height() - clientHeight) / 2));
    } else if (x != DefaultPosition && y != DefaultPosition) {
        window->move(x, y);
    }

    if ((flags & HiddenWindow) == 0) {
        if ((flags & MaximizedStyle) != 0) {
            window->showMaximized();
        } else if ((flags & MinimizedStyle) != 0) {
            window->showMinimized();
        } else {
            window->show();
        }
    }
    return HandleOf(window);
}

Handle WindowHandle(int number)
{
    WindowRecord* record = State().windows.Find(number);
    return record != nullptr ? HandleOf(record->widget.get()) : 0;
}

void UseControlParent(Handle window)
{
    Toolkit& t = State();
    int number = WindowNumberOf(window);
    WindowRecord* record = t.windows.Find(number);
    t.controlParent = record != nullptr ? record->widget->Client() : nullptr;
    t.controlParentWindow = number;
}

Handle AddMenuBar(int menuNumber, Handle ownerWindow)
{
    Toolkit& t = State();
    WindowRecord* owner = t.windows.Find(WindowNumberOf(ownerWindow));
    if (owner == nullptr) {
        return 0;
    }
    auto record = std::make_unique<MenuRecord>();
    record->bar = new QMenuBar(owner->widget.get());
    record->bar->setNativeMenuBar(false);
    record->bar->hide();  // shown with its first item
    record->ownerWindow = owner->widget->Number();
    QMenuBar* bar = record->bar;
    if (t.menus.Put(menuNumber, std::move(record)) == nullptr) {
        return 0;
    }
    owner->widget->AttachMenuBar(bar);
    t.currentMenu = menuNumber;
    return HandleOf(bar);
}

int AddMenuItem(int itemNumber, std::string_view text)
{
    Toolkit& t = State();
    MenuRecord* menu = t.menus.Find(t.currentMenu);
    if (menu == nullptr || !menu->bar) {
        return 0;
    }
    int window = menu->ownerWindow;
    QAction* action = menu->bar->addAction(ToQt(text));
    action->setData(itemNumber);
    QObject::connect(action, &QAction::triggered, [itemNumber, window] { Events().ReportMenu(itemNumber, window); });
    ScheduleLayout();
    return 1;
}

int SetMenuItemText(int itemNumber, std::string_view text)
{
    int found = 0;
    State().menus.ForEach([&](int, MenuRecord& menu) {
        if (menu.bar) {
            for (QAction* action : menu.bar->actions()) {
                if (found == 0 && action->data().toInt() == itemNumber && action->data().isValid()) {
                    action->setText(ToQt(text));
                    found = 1;
                }
            }
        }
    });
    return found;
}

Handle AddFrame(int number, int x, int y, int width, int height, std::string_view caption)
{
    Toolkit& t = State();
    if (!t.controlParent) {
        return 0;
    }
    auto* frame = new QGroupBox(t.controlParent);
    frame->setFocusPolicy(Qt::NoFocus);
    Handle handle = PlaceControl(number, ControlKind::GroupFrame, frame, x, y, width, height);
    frame->lower();  // drawn behind the lists it surrounds
    t.controls.Find(number)->pendingCaption = ToQt(caption);
    ScheduleLayout();
    return handle;
}

Handle AddDropDownList(int number, int x, int y, int width, int height)
{
    Toolkit& t = State();
    if (!t.controlParent) {
        return 0;
    }
    auto* list = new DropDownList(number, t.controlParentWindow, t.controlParent);
    list->setEditable(false);
    list->setFocusPolicy(Qt::StrongFocus);
    list->setMaxVisibleItems(20);
    QObject::connect(list, &QComboBox::activated, [number, window = t.controlParentWindow] {
        Events().ReportControl(number, ControlKind::DropDownList, window, SelectionNotification);
    });
    list->RequestHeight(height);
    ScheduleLayout();
    return PlaceControl(number, ControlKind::DropDownList, list, x, y, width, height);
}

Handle AddButton(int number, int x, int y, int width, int height, std::string_view caption)
{
    Toolkit& t = State();
    if (!t.controlParent) {
        return 0;
    }
    auto* button = new QPushButton(ToQt(caption), t.controlParent);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    button->installEventFilter(new EnterClicks(button));
    QObject::connect(button, &QPushButton::clicked, [number, window = t.controlParentWindow] {
        Events().ReportControl(number, ControlKind::PushButton, window, ClickedNotification);
    });
    return PlaceControl(number, ControlKind::PushButton, button, x, y, width, height);
}

Handle AddStaticText(int number, int x, int y, int width, int height, std::string_view text)
{
    Toolkit& t = State();
    if (!t.controlParent) {
        return 0;
    }
    auto* line = new LineText(t.controlParent);
    Handle handle = PlaceControl(number, ControlKind::StaticText, line, x, y, width, height);
    if (!text.empty()) {
        line->SetWhole(ToQt(text));
    }
    return handle;
}

int AddListItem(int list, int position, std::string_view text)
{
    if (position == -1) {
        if (DropDownList* combo = FillingListOf(list)) {
            combo->Append(text);
        }
        return 0;
    }
    DropDownList* combo = ListOf(list);
    if (combo == nullptr || position < 0 || position > combo->count()) {
        return 0;
    }
    QSignalBlocker quiet(combo);
    bool selected = combo->currentIndex() >= 0;
    combo->Items()->Insert(position, text);
    if (!selected && combo->currentIndex() >= 0) {
        combo->setCurrentIndex(-1);  // Qt would select the first item of an empty list
    }
    return 0;
}

int RemoveListItem(int list, int position)
{
    QComboBox* combo = ListOf(list);
    if (combo == nullptr || position < 0 || position >= combo->count()) {
        return -1;
    }
    QSignalBlocker quiet(combo);
    bool removingSelection = combo->currentIndex() == position;
    combo->removeItem(position);
    if (removingSelection) {
        combo->setCurrentIndex(-1);  // Qt would move on to a neighbour
    }
    return combo->count();
}

std::string GetListItemText(int list, int position)
{
    QComboBox* combo = ListOf(list);
    if (combo == nullptr || position < 0 || position >= combo->count()) {
        return {};
    }
    return FromQt(combo->itemText(position));
}

int GetListSelection(int list)
{
    QComboBox* combo = ListOf(list);
    return combo != nullptr ? combo->currentIndex() : -1;
}

int SetListSelection(int list, int index)
{
    QComboBox* combo = ListOf(list);
    if (combo == nullptr) {
        return -1;
    }
    QSignalBlocker quiet(combo);
    if (index < 0 || index >= combo->count()) {
        combo->setCurrentIndex(-1);
        return -1;
    }
    combo->setCurrentIndex(index);
    return index;
}

std::string GetControlText(int control)
{
    FinishLayout();
    ControlRecord* record = State().controls.Find(control);
    if (record == nullptr || !record->widget) {
        return {};
    }
    switch (record->kind) {
    case ControlKind::DropDownList: {
        QComboBox* combo = ListOf(control);
        return combo->currentIndex() >= 0 ? FromQt(combo->currentText()) : std::string();
    }
    case ControlKind::PushButton:
        return FromQt(static_cast<QPushButton*>(record->widget.data())->text());
    case ControlKind::GroupFrame:
        return FromQt(static_cast<QGroupBox*>(record->widget.data())->title());
    case ControlKind::StaticText:
        return FromQt(static_cast<LineText*>(record->widget.data())->Whole());
    }
    return {};
}

void SetControlText(int control, std::string_view text)
{
    FinishLayout();
    ControlRecord* record = State().controls.Find(control);
    if (record == nullptr || !record->widget) {
        return;
    }
    switch (record->kind) {
    case ControlKind::DropDownList: {
        QComboBox* combo = ListOf(control);
        QSignalBlocker quiet(combo);
        if (text.empty()) {
            combo->setCurrentIndex(-1);
        } else if (int found = combo->findText(ToQt(text), Qt::MatchExactly | Qt::MatchCaseSensitive); found >= 0) {
            combo->setCurrentIndex(found);
        }
        break;
    }
    case ControlKind::PushButton:
        static_cast<QPushButton*>(record->widget.data())->setText(ToQt(text));
        break;
    case ControlKind::GroupFrame:
        static_cast<QGroupBox*>(record->widget.data())->setTitle(ToQt(text));
        break;
    case ControlKind::StaticText:
        static_cast<LineText*>(record->widget.data())->SetWhole(ToQt(text));
        break;
    }
}

void SetControlName(int control, std::string_view name)
{
    ControlRecord* record = State().controls.Find(control);
    if (record != nullptr && record->widget) {
        record->widget->setAccessibleName(ToQt(name));
    }
}

int ShowMessage(std::string_view caption, std::string_view text, int /*flags*/)
{
    State();
    qt_preload::AwaitLoaded();
    QMessageBox box(QMessageBox::NoIcon, ToQt(caption), ToQt(text), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
    return 1;  // OK, the box's only answer
}

// One round of Qt's events, waiting for some when asked to.
//
// On Win32 a user's change is followed by activity of its own (each list that changed repaints
// in a fetch of its own, the pointer moves), and the program's settle step, which shows the
// real date an impossible choice stands for, runs in the first pass that fetches such a code.
// Qt repaints every list in one round and reports no pointer moves, so the same is made certain
// here: the changed control's repaint comes back from the fetch after its ControlEvent, and the
// repaint of the program's response to it from the first wait after it that would otherwise
// block. Neither comes again without another change, so an idle program stays blocked.
void platform::Round(bool wait)
{
    Toolkit& t = State();
    EventState& events = Events();
    qt_preload::AwaitLoaded();
    FinishLayout();
    if (wait && t.responseRepaintOwed) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (events.Pending() == 0 && events.Waiting() == 0) {
            t.responseRepaintOwed = false;
            events.ReportRaw(ControlRepaintCode);
            return;
        }
    } else {
        t.blocked = wait;
        QCoreApplication::processEvents(wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
        t.blocked = false;
    }
    if (events.Pending() == ControlEvent) {
        events.Queue(ControlRepaintCode, events.EventWindow());
        t.responseRepaintOwed = true;
    }
}

namespace qt_access {

QWidget* Window(int number)
{
    FinishLayout();
    WindowRecord* record = State().windows.Find(number);
    return record != nullptr ? record->widget.get() : nullptr;
}

QWidget* Control(int number)
{
    FinishLayout();
    ControlRecord* record = State().controls.Find(number);
    if (record != nullptr && record->kind == ControlKind::DropDownList) {
        return ListOf(number);
    }
    return record != nullptr ? record->widget.data() : nullptr;
}

bool Idle()
{
    const EventState& events = Events();
    return State().blocked && events.Pending() == 0 && events.Waiting() == 0;
}

QMenuBar* MenuBar(int number)
{
    FinishLayout();
    MenuRecord* record = State().menus.Find(number);
    return record != nullptr ? record->bar.data() : nullptr;
}

}  // namespace qt_access

}  // namespace toolkit
