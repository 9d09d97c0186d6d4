#!/usr/bin/python3
"""A desktop's notification service on the session bus, as a panel or a
notification daemon runs one (org.freedesktop.Notifications), printing each
notice it takes for tests/e2e/journeys.sh.

    notification_host.py

Prints "ready" once it owns the name, then one line per notice:
"notice SUMMARY|BODY" with the body's line breaks as "|".
"""
import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = 'org.freedesktop.Notifications'


def say(line):
    print(line, flush=True)


class Notifications(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, '/org/freedesktop/Notifications')
        self.name = dbus.service.BusName(NAME, bus)
        self.last = 0

    @dbus.service.method(NAME, in_signature='susssasa{sv}i', out_signature='u')
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.last += 1
        say('notice %s|%s' % (summary, body.replace('\n', '|')))
        return self.last

    @dbus.service.method(NAME, in_signature='', out_signature='as')
    def GetCapabilities(self):
        return ['body']

    @dbus.service.method(NAME, in_signature='', out_signature='ssss')
    def GetServerInformation(self):
        return ('notification_host', 'varnel tests', '1', '1.2')


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    service = Notifications(dbus.SessionBus())
    say('ready')
    GLib.MainLoop().run()
    del service


if __name__ == '__main__':
    main()
