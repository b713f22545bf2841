#include "toolkit/qt/qt_accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QGroupBox>

namespace toolkit::qt_accessibility {

namespace {

// A text that assistive technology reads whole, read only, with no cursor and no selection.
class ReadOnlyText : public QAccessibleTextInterface {
public:
    virtual QString Whole() const = 0;

    QString text(int startOffset, int endOffset) const override { return Whole().mid(startOffset, endOffset - startOffset); }
    int characterCount() const override { return static_cast<int>(Whole().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
};

// A drop-down list is named for what it holds ("the civil day"); its current item is its
// value and its text. The frame around it is its group, so the frame's caption is not its label.
class ListAccessible : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit ListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QComboBox* List() const { return static_cast<QComboBox*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Value) {
            return Current();
        }
        if (type == QAccessible::Name) {
            QString name = List()->accessibleName();
            return name.isEmpty() ? Current() : name;
        }
        return QAccessibleWidget::text(type);
    }

    // The opened list of items, as Qt's own combo box shows it.
    int childCount() const override { return 1; }

    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(List()->view()) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && child->object() == List()->view() ? 0 : -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        // The opened list exists once it was first opened; asking for it would make it.
        auto* items = List()->findChild<QAbstractItemView*>();
        state.expanded = items != nullptr && items->isVisible();
        return state;
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto all = QAccessibleWidget::relations(match);
        QObject* group = qobject_cast<QGroupBox*>(List()->parentWidget());
        all.removeIf([group](const QPair<QAccessibleInterface*, QAccessible::Relation>& relation) {
            return group != nullptr && relation.second == QAccessible::Label && relation.first->object() == group;
        });
        return all;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction()) {
            auto* items = List()->findChild<QAbstractItemView*>();
            if (items != nullptr && items->isVisible()) {
                List()->hidePopup();
            } else {
                List()->showPopup();
            }
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    // The text interface reads the current item.
    QString Whole() const override { return Current(); }

private:
    QString Current() const { return List()->currentIndex() >= 0 ? List()->currentText() : QString(); }
};

// The toolkit's static text: a label whose name and text are its whole text, however much of
// it the line shows.
class LineAccessible : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit LineAccessible(QWidget* line) : QAccessibleWidget(line, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString Whole() const override { return widget()->accessibleName(); }
};

// A frame is the group of the controls it holds, named by its caption; it labels none of them,
// each has a name of its own.
class GroupAccessible : public QAccessibleWidget {
public:
    explicit GroupAccessible(QGroupBox* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Name) {
            return static_cast<QGroupBox*>(widget())->title();
        }
        return QAccessibleWidget::text(type);
    }
};

QAccessibleInterface* Describe(const QString& className, QObject* object)
{
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("QComboBox")) {
        return new ListAccessible(static_cast<QComboBox*>(widget));
    }
    if (className == QLatin1String("QLabel") && widget->property(LineProperty).toBool()) {
        return new LineAccessible(widget);
    }
    if (className == QLatin1String("QGroupBox")) {
        return new GroupAccessible(static_cast<QGroupBox*>(widget));
    }
    // The toolkit's windows are plain widgets at the top; Qt's own dialogs have classes of
    // their own and keep Qt's description.
    if (className == QLatin1String("QWidget") && widget->isWindow()) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

void Install()
{
    QAccessible::installFactory(Describe);
}

}  // namespace toolkit::qt_accessibility
