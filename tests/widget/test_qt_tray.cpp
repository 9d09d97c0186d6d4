#include "FormHarness.h"
#include "RecordingEvents.h"
#include "VirtualClock.h"
#include "WarningsFail.h"
#include "model/ImageKeys.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/tray/DBusMenuExporter.h"
#include "platform/qt/tray/MenuIconData.h"
#include "platform/qt/tray/QtTray.h"
#include "platform/qt/window/PopupMenuBuilder.h"
#include "tray/QuickList.h"
#include "tray/TrayMenu.h"

#include <QImage>
#include <QMenu>
#include <QSignalSpy>

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestTray : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // On X11 a tray may come after the program, go away and come back: the
    // logic hears each change once, and nothing once the icon is taken out.
    // Without X11 and without a host, no tray is to be expected. A middle and a
    // right click on the icon reach the logic as the mouse messages they are.
    void theIconFollowsTheX11TrayAndTheLogicHearsOfIt() {
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
    // Both the X11 tray's menu and a host's show "Restore…" after "Quick List",
    // greyed while there is nothing to restore, and choosing it comes back as
    // its entry.
    void theMenuReachesAHostAsWrittenWithStableNumbers() {
        const QStringList captions{u"R&D"_s, u"Tom && Jerry"_s, u"my_notes.txt"_s, u"-"_s};
        QuickList quick;
        for (const QString& caption : captions)
            quick.Add(caption, u"/tmp"_s);
        TrayMenu trayMenu;
        trayMenu.OfferRestore(false);
        const MenuEntry menu = trayMenu.Build(quick);
        const DBusMenuLayout layout = DBusMenuExporter::layoutOf(menu);
        QStringList labels;
        for (const DBusMenuLayout& place : layout.children.at(2).children.mid(0, 4)) {
            labels << place.properties.value(u"label"_s).toString();
            QCOMPARE(DBusMenuExporter::choiceOf(menu, place.id)->index, int(labels.size()) - 1);
        }
        QCOMPARE(labels, (QStringList{u"R&D"_s, u"Tom && Jerry"_s, u"my__notes.txt"_s, u"-"_s}));
        const DBusMenuLayout& restore = layout.children.at(3);
        QVERIFY(!restore.properties.value(u"enabled"_s).toBool());
        QCOMPARE(DBusMenuExporter::choiceOf(menu, restore.id)->id, int(TrayMenuId::tiRestore));

        const std::unique_ptr<QMenu> popup = buildPopupMenu(menu);
        const QAction* action = popup->actions().at(3);
        QVERIFY(!action->isEnabled());
        QCOMPARE(menuChoiceOf(action).id, int(TrayMenuId::tiRestore));
        QCOMPARE(popup->actions().constLast()->text(), u"Cancel"_s);
    }

    // The quick list's entries show their pictures, the X11 tray's menu as
    // icons and a host's as PNG "icon-data" read back from the exporter, drawn
    // once per picture; its other entries, and a place without an entry, show
    // none.
    void quickListEntriesShowTheirPicturesInBothMenus() {
        QtImageList images;
        QuickList quick;
        quick.Add(u"Docs"_s, u"/tmp"_s);
        quick.Add(u"Web"_s, u"https://example.org/"_s);
        const MenuEntry menu = TrayMenu().Build(quick, {u"closed"_s, u"leaf"_s, u"closed"_s});
        MenuIconData data(images);
        DBusMenuExporter exporter({[&menu] { return menu; }, [] {}, [](MenuChoice) {},
                                   [&data](const QString& image) { return data.of(image); }});
        DBusMenuAdaptor adaptor(&exporter);
        const auto pixels = [](const QIcon& icon) {
            return icon.pixmap(MenuIconData::Size).toImage().convertToFormat(QImage::Format_ARGB32);
        };
        const auto iconOf = [&](int index) {
            const DBusMenuLayout& place = exporter.layout().children.at(2).children.at(index);
            return QImage::fromData(
                       adaptor.GetProperty(place.id, u"icon-data"_s).variant().toByteArray(), "PNG")
                .convertToFormat(QImage::Format_ARGB32);
        };
        QCOMPARE(iconOf(0), pixels(images.iconFor(u"closed"_s)));
        QCOMPARE(iconOf(1), pixels(images.iconFor(u"leaf"_s)));
        QVERIFY(iconOf(2).isNull());
        QCOMPARE(data.drawings(), 2);
        for (const DBusMenuLayout& entry : exporter.layout().children)
            QVERIFY(!entry.properties.contains(u"icon-data"_s));

        const std::unique_ptr<QMenu> popup = buildPopupMenu(
            menu, nullptr, [&images](const QString& image) { return images.iconFor(image); });
        const QList<QAction*> places = popup->actions().at(2)->menu()->actions();
        QCOMPARE(pixels(places.at(0)->icon()), pixels(images.iconFor(u"closed"_s)));
        QVERIFY(!places.at(1)->icon().isNull() && places.at(2)->icon().isNull());
        for (const QAction* action : popup->actions())
            QVERIFY(action->icon().isNull());
    }

    // A host opens the menu before the quick list's icons are known: when they
    // answer, the layout it holds gets a new revision with the entries' pictures,
    // told once for the batch, on the next turn; an answer for an item not on the quick list tells
    // it nothing.
    void aHostHearsOfAQuickListPictureThatCameAfterItReadTheMenu() {
        FormHarness h;
        h.fake.images.hasIcons = true;
        h.writeSettings({u"Node=Docs\t/tmp\t7\t\tFalse\t0\tFalse"_s,
                         u"Node=Other\t/other\t7\t\tFalse\t0\tFalse"_s,
                         u"Node=Temp\t/tmp\t7\t\tFalse\t0\tFalse"_s, u"[QuickList]"_s,
                         u"QLI=Docs\t/tmp"_s, u"QLI=Temp\t/tmp"_s});
        h.fake.work.hold = true;
        h.load();
        Tray& tray = h.form->tray();
        // The picture's key stands for its PNG: what matters is which one.
        DBusMenuExporter exporter({[&tray] { return tray.trayMenuForHost(); },
                                   [&tray] { tray.trayMenuAboutToShow(); },
                                   [&tray](MenuChoice choice) { tray.trayMenuChosen(choice); },
                                   [](const QString& image) { return image.toUtf8(); }});
        DBusMenuAdaptor adaptor(&exporter);
        h.fake.tray.onMenuChanged = [&exporter] { exporter.menuChanged(); };
        QSignalSpy updates(&adaptor, &DBusMenuAdaptor::LayoutUpdated);
        QVERIFY(adaptor.AboutToShow(0));  // the quick list is read now
        const auto docs = [&adaptor] {
            DBusMenuLayout root;
            const uint revision = adaptor.GetLayout(0, -1, {}, root);
            const auto icon = [&root](int place) {
                return QString::fromUtf8(root.children.at(2)
                                             .children.at(place)
                                             .properties.value(u"icon-data"_s)
                                             .toByteArray());
            };
            return u"%1 %2,%3"_s.arg(revision).arg(icon(0), icon(1));
        };
        QCOMPARE(docs(), u"3 leaf,leaf"_s);
        updates.clear();

        while (h.fake.work.release()) {
        }
        QCOMPARE(updates.size(), 0);  // on the next turn, once for the batch
        h.wait(0);
        QCOMPARE(updates.size(), 1);
        QCOMPARE(updates.at(0).at(0).toUInt(), 4u);
        exporter.menuChanged();  // told again with nothing new: the host is left alone
        QCOMPARE(updates.size(), 1);
        const QString now = docs();
        QVERIFY2(now.startsWith(u"4 "_s) && !now.contains(u"leaf"_s), qPrintable(now));

        h.click(TrayLeftUp);  // the rest of the tree is looked up at the first showing
        while (h.fake.work.release()) {
        }
        h.wait(0);
        QVERIFY(!ImageKeys::isWaiting(h.form->tree().Item(2)->Image()));
        QCOMPARE(updates.size(), 1);
        QCOMPARE(docs().section(u' ', 1), now.section(u' ', 1));  // "Hide" came, unasked
    }
};

QTEST_MAIN(TestTray)
#include "test_qt_tray.moc"
