#include "services/Accessibility.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace ui {

namespace {

constexpr char kRoleProperty[] = "accessibleRoleOfProgram";

// Consulted before Qt's own interfaces, for every class of an object's ancestry in turn.
QAccessibleInterface* InterfaceInChosenRole(const QString& /*className*/, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid()) {
        return nullptr;
    }
    return new QAccessibleWidget(static_cast<QWidget*>(object),
                                 static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void SetAccessibleRole(QWidget& widget, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(&InterfaceInChosenRole);
        return true;
    }();
    (void)installed;
    widget.setProperty(kRoleProperty, static_cast<int>(role));
    // An interface made for the widget before its role was chosen (a screen reader may ask
    // while the widget is being built) is dropped; the next question makes one in the role.
    if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(&widget);
        known != nullptr && known->role() != role) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
    }
}

void SetAccessibleName(QWidget& widget, const QString& name) {
    if (widget.accessibleName() != name) {
        widget.setAccessibleName(name);  // tells screen readers: NameChanged
    }
}

void SetAccessibleDescription(QWidget& widget, const QString& description) {
    if (widget.accessibleDescription() != description) {
        widget.setAccessibleDescription(description);  // tells screen readers: DescriptionChanged
    }
}

}  // namespace ui
