#!/usr/bin/python3
"""A tray host as a desktop panel runs one: a StatusNotifierWatcher on the
session bus that takes Varnel's item, then does with it what a user does
through a panel, printing what it sees for tests/e2e/journeys.sh.

    sni_host.py WORKDIR [LATE_SECONDS]

After the item registered it reads the menu before and after AboutToShow,
activates the item (a left click), waits for WORKDIR/proceed, then chooses
"Unload" by its number. Lines printed: "registered", "title T", "before ...",
"after ...", "pictures ..." (the entries that carry one, with its size),
"same numbers", "activated", "unload"; "FAIL: ..." on a fault.
"""
import os
import re
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

WATCHER = 'org.kde.StatusNotifierWatcher'
ITEM = 'org.kde.StatusNotifierItem'
MENU = 'com.canonical.dbusmenu'


def say(line):
    print(line, flush=True)


def shown(label):
    """What a host shows of a dbusmenu label: "_x" marks x as the access key,
    "__" is one underscore."""
    return re.sub('_(.)', r'\1', label)


def pictures(layout):
    """"label=WxH" of each entry below a layout that carries its picture as
    PNG icon-data, depth first: the size read from the PNG's header."""
    found = []
    for child in layout[2]:
        data = bytes(child[1].get('icon-data', b''))
        if data[:8] == b'\x89PNG\r\n\x1a\n' and len(data) >= 24:
            size = '%dx%d' % (int.from_bytes(data[16:20], 'big'), int.from_bytes(data[20:24], 'big'))
            found.append(shown(str(child[1].get('label', ''))) + '=' + size)
        found.extend(pictures(child))
    return found


def entries(layout):
    """(number, shown label) of each entry below a layout, depth first."""
    found = []
    for child in layout[2]:
        number, properties = int(child[0]), child[1]
        found.append((number, shown(str(properties.get('label', '')))))
        found.extend(entries(child))
    return found


class Watcher(dbus.service.Object):
    def __init__(self, bus, on_item):
        self.items = []
        self.on_item = on_item
        self.name = dbus.service.BusName(WATCHER, bus)
        super().__init__(self.name, '/StatusNotifierWatcher')

    @dbus.service.method(WATCHER, in_signature='s', sender_keyword='sender')
    def RegisterStatusNotifierItem(self, service, sender=None):
        path = '/StatusNotifierItem'
        if service.startswith('/'):
            service, path = sender, service
        self.items.append(service + path)
        self.StatusNotifierItemRegistered(service + path)
        GLib.idle_add(self.on_item, service, path)

    @dbus.service.method(WATCHER, in_signature='s')
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature='s')
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='ss', out_signature='v')
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='s', out_signature='a{sv}')
    def GetAll(self, interface):
        return {'RegisteredStatusNotifierItems': dbus.Array(self.items, signature='s'),
                'IsStatusNotifierHostRegistered': True,
                'ProtocolVersion': dbus.Int32(0)}


def main():
    workdir = sys.argv[1]
    late = float(sys.argv[2]) if len(sys.argv) > 2 else 0
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    loop = GLib.MainLoop()
    state = {}

    def fail(reason):
        say('FAIL: ' + reason)
        loop.quit()

    def on_item(service, path):
        if 'menu' in state:
            return False  # a second registration of the same item
        say('registered')
        item = bus.get_object(service, path)
        properties = dbus.Interface(item, dbus.PROPERTIES_IFACE)
        say('title ' + str(properties.Get(ITEM, 'Title')))
        menu = dbus.Interface(bus.get_object(service, properties.Get(ITEM, 'Menu')), MENU)
        state['menu'] = menu
        before = entries(menu.GetLayout(0, -1, [])[1])
        say('before ' + '|'.join(label for _, label in before))
        menu.AboutToShow(0)
        layout = menu.GetLayout(0, -1, [])[1]
        after = entries(layout)
        say('after ' + '|'.join(label for _, label in after))
        say('pictures ' + '|'.join(pictures(layout)))
        numbers_before, numbers_after = ({label: n for n, label in entries_}
                                         for entries_ in (before, after))
        for label in ('Unload', 'Quick List'):
            if label not in numbers_before or numbers_before[label] != numbers_after.get(label):
                return fail('the number of %s changed with the menu' % label)
        say('same numbers')
        state['unload'] = numbers_after['Unload']
        dbus.Interface(item, ITEM).Activate(0, 0)
        say('activated')
        GLib.timeout_add(50, wait_to_proceed)
        return False

    def wait_to_proceed():
        if not os.path.exists(os.path.join(workdir, 'proceed')):
            return True
        state['menu'].Event(state['unload'], 'clicked', dbus.String('', variant_level=1), 0)
        say('unload')
        GLib.timeout_add(500, loop.quit)
        return False

    def start():
        state['watcher'] = Watcher(bus, on_item)
        return False

    GLib.timeout_add(int(late * 1000), start)
    GLib.timeout_add(30000, lambda: fail('no item registered') or False)
    loop.run()


if __name__ == '__main__':
    main()
