#!/usr/bin/env python3
"""Prints what a screen reader finds of a program's window, through the accessibility bus
(AT-SPI over D-Bus), one node a line: its depth, role, name and description, between tabs.

    read-accessible.py APPLICATION TITLE

APPLICATION is the program's name on the bus, TITLE the window's exact name. Exits with 1
when the bus, the program or the window is not there."""
import sys

import dbus

ACCESSIBLE = 'org.a11y.atspi.Accessible'


def main(application, title):
    session = dbus.SessionBus()
    address = session.get_object('org.a11y.Bus', '/org/a11y/bus').GetAddress(
        dbus_interface='org.a11y.Bus')
    bus = dbus.bus.BusConnection(address)

    def node(reference):
        return bus.get_object(reference[0], reference[1], introspect=False)

    def children(reference):
        return node(reference).GetChildren(dbus_interface=ACCESSIBLE, timeout=5)

    def text(reference, name):
        return str(node(reference).Get(ACCESSIBLE, name,
                                       dbus_interface='org.freedesktop.DBus.Properties',
                                       timeout=5))

    def walk(reference, depth, lines):
        role = str(node(reference).GetRoleName(dbus_interface=ACCESSIBLE, timeout=5))
        lines.append(f"{depth}\t{role}\t{text(reference, 'Name')}\t{text(reference, 'Description')}")
        for child in children(reference):
            walk(child, depth + 1, lines)

    root = ('org.a11y.atspi.Registry', '/org/a11y/atspi/accessible/root')
    found = []
    for app in children(root):
        windows = [text(window, 'Name') for window in children(app)]
        found.append(f"{text(app, 'Name')}: {', '.join(windows)}")
        if text(app, 'Name') != application:
            continue
        for window in children(app):
            if text(window, 'Name') == title:
                lines = []
                walk(window, 0, lines)
                print('\n'.join(lines))
                return 0
    print(f'no window "{title}" of "{application}" on the accessibility bus; there are '
          f"{'; '.join(found) or 'no programs'}", file=sys.stderr)
    return 1


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2]))
