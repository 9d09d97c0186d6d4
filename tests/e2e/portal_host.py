#!/usr/bin/python3
"""The desktop portal's global shortcuts, as a desktop with a GlobalShortcuts
backend offers them (org.freedesktop.portal.Desktop), printing what it is
asked for tests/e2e/journeys.sh.

    portal_host.py

Prints "ready" once it owns the name, then one line per call: "session",
"list", "bind ID|DESCRIPTION" for each shortcut asked for. Every request is
granted: the user is taken to have confirmed the key in the dialog.
"""
import dbus
import dbus.lowlevel
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = 'org.freedesktop.portal.Desktop'
PATH = '/org/freedesktop/portal/desktop'
SHORTCUTS = 'org.freedesktop.portal.GlobalShortcuts'


def say(line):
    print(line, flush=True)


def object_path(kind, sender, token):
    return '%s/%s/%s/%s' % (PATH, kind, sender[1:].replace('.', '_'), token)


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.name = dbus.service.BusName(NAME, bus)
        self.bound = dbus.Array([], signature='(sa{sv})')

    def respond(self, sender, options, results):
        """Replies with the Request's path; the outcome follows as its
        Response signal, after the reply, as the portal sends it."""
        path = object_path('request', sender, options['handle_token'])

        def send():
            signal = dbus.lowlevel.SignalMessage(path, 'org.freedesktop.portal.Request',
                                                 'Response')
            signal.append(dbus.UInt32(0), results, signature='ua{sv}')
            self.bus.send_message(signal)
            return False
        GLib.idle_add(send)
        return dbus.ObjectPath(path)

    @dbus.service.method('org.freedesktop.DBus.Properties', in_signature='ss',
                         out_signature='v')
    def Get(self, interface, name):
        if interface != SHORTCUTS or name != 'version':
            raise dbus.exceptions.DBusException('no such property',
                                                name='org.freedesktop.DBus.Error.InvalidArgs')
        return dbus.UInt32(1, variant_level=1)

    @dbus.service.method(SHORTCUTS, in_signature='a{sv}', out_signature='o',
                         sender_keyword='sender')
    def CreateSession(self, options, sender):
        say('session')
        session = object_path('session', sender, options['session_handle_token'])
        return self.respond(sender, options, {'session_handle': session})

    @dbus.service.method(SHORTCUTS, in_signature='oa{sv}', out_signature='o',
                         sender_keyword='sender')
    def ListShortcuts(self, session, options, sender):
        say('list')
        return self.respond(sender, options, {'shortcuts': self.bound})

    @dbus.service.method(SHORTCUTS, in_signature='oa(sa{sv})sa{sv}', out_signature='o',
                         sender_keyword='sender')
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender):
        for shortcut_id, details in shortcuts:
            say('bind %s|%s' % (shortcut_id, details.get('description', '')))
            self.bound.append(dbus.Struct((shortcut_id, details), signature='sa{sv}'))
        return self.respond(sender, options, {'shortcuts': self.bound})


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    portal = Portal(dbus.SessionBus())
    say('ready')
    GLib.MainLoop().run()
    del portal


if __name__ == '__main__':
    main()
