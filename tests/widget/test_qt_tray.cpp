#include "RecordingEvents.h"
#include "VirtualClock.h"
#include "WarningsFail.h"
#include "platform/qt/tray/DBusMenuExporter.h"
#include "platform/qt/tray/QtTray.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestTray : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void theIconFollowsTheX11TrayAndTheLogicHearsOfIt();
    void theMenuReachesAHostAsWrittenWithStableNumbers();
};

// On X11 a tray may come after the program, go away and come back: the
// logic hears each change once, and nothing once the icon is taken out.
// Without X11 and without a host, no tray is to be expected. A middle and a
// right click on the icon reach the logic as the mouse messages they are.
void TestTray::theIconFollowsTheX11TrayAndTheLogicHearsOfIt() {
    VirtualClock clock;
    RecordingEvents events, nowhere;
    bool trayThere = false;
    QtTray tray(clock, QtTray::Desktop{nullptr, [&] { return trayThere; }});
    tray.setNotifications(&events);
    tray.add(u"varnel"_s, u"Varnel"_s);
    clock.advance(30000);
    for (bool there : {true, false, true}) {
        trayThere = there;
        clock.advance(QtTray::X11PollMs);
    }
    tray.activated(QSystemTrayIcon::MiddleClick);
    tray.activated(QSystemTrayIcon::Context);
    tray.remove();
    trayThere = false;
    clock.advance(10 * QtTray::X11PollMs);
    const auto host = [](TrayHost state) { return u"TrayHost %1"_s.arg(int(state)); };
    const QString awaited = host(TrayHost::Awaited), present = host(TrayHost::Present);
    QCOMPARE(events.calls, (QStringList{awaited, present, awaited, present, u"Tray 0 0x208"_s,
                                        u"Tray 0 0x205"_s}));

    QtTray wayland(clock, QtTray::Desktop{});
    wayland.setNotifications(&nowhere);
    wayland.add(u"varnel"_s, u"Varnel"_s);
    QCOMPARE(nowhere.calls, QStringList{host(TrayHost::Absent)});
}

// Captions are the user's own: dbusmenu reads "_" as an access key, so it is
// doubled; "&" and "-" are plain text there. Numbers come from identifiers.
void TestTray::theMenuReachesAHostAsWrittenWithStableNumbers() {
    const MenuEntry menu = MenuSubmenu(
        0, QString(),
        {MenuSeparator(2),
         MenuSubmenu(3, u"Quick List"_s,
                     {MenuCommand(4, u"R&D"_s, 0), MenuCommand(4, u"Tom && Jerry"_s, 1),
                      MenuCommand(4, u"my_notes.txt"_s, 2), MenuCommand(4, u"-"_s, 3)})});
    const DBusMenuLayout layout = DBusMenuExporter::layoutOf(menu);
    QStringList labels;
    for (const DBusMenuLayout& place : layout.children[1].children) {
        labels << place.properties.value(u"label"_s).toString();
        QCOMPARE(DBusMenuExporter::choiceOf(menu, place.id)->index, int(labels.size()) - 1);
    }
    QCOMPARE(labels, (QStringList{u"R&D"_s, u"Tom && Jerry"_s, u"my__notes.txt"_s, u"-"_s}));
}

QTEST_MAIN(TestTray)
#include "test_qt_tray.moc"
