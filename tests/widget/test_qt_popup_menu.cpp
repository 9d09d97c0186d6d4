#include "platform/qt/PopupMenuBuilder.h"
#include "platform/qt/QtPopupMenus.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
MenuEntry entry(const char* name, const char* caption, int index = -1) {
    MenuEntry e;
    e.name = QLatin1String(name);
    e.caption = QLatin1String(caption);
    e.index = index;
    return e;
}

// A tray-like menu with every kind of entry.
MenuEntry sampleMenu() {
    MenuEntry menu = entry("tiMenu", "Tray"), hide = entry("tiHide", "Hide");
    MenuEntry quick = entry("tiQuick", "Quick"), about = entry("tiAbout", "About");
    MenuEntry autoHide = entry("tvAutoHide", "Auto"), fullPath = entry("tvFullPath", "Full");
    hide.visible = false;
    about.enabled = false;
    autoHide.checked = true;
    fullPath.checkable = true;
    quick.children = {entry("qlQuickAccess", "Notes", 0), entry("qlQuickAccess", "Mail", 1)};
    menu.children = {
        entry("tiOpen", "Open"), hide,  entry("tiSep0", "-"),       quick, autoHide, fullPath,
        entry("tiSep1", "-"),    about, entry("tiUnload", "Unload")};
    return menu;
}

// The built menu as one line: "(hidden)", "~disabled", "[x]checked",
// "[ ]checkable", "-" a separator, "sub{entries}".
QString outline(const QMenu& menu) {
    QStringList parts;
    for (const QAction* a : menu.actions()) {
        QString part = a->isSeparator() ? u"-"_s : a->text();
        if (a->menu())
            part += u'{' + outline(*a->menu()) + u'}';
        if (a->isCheckable())
            part.prepend(a->isChecked() ? u"[x]"_s : u"[ ]"_s);
        if (!a->isEnabled() && a->isVisible())
            part.prepend(u'~');
        parts << (a->isVisible() ? part : u'(' + part + u')');
    }
    return parts.join(u' ');
}

QAction* action(const QMenu& menu, const char* name) {
    return menu.findChild<QAction*>(QLatin1String(name));
}

// Clicks an entry of the popup that opens next; an entry that is not there
// dismisses the menu, so a test fails rather than hangs.
void answerNextPopup(const char* name, Qt::MouseButton button = Qt::LeftButton) {
    QTimer::singleShot(0, [=] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (QAction* target = menu ? action(*menu, name) : nullptr)
            QTest::mouseClick(menu, button, {}, menu->actionGeometry(target).center());
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
}
}  // namespace

class TestPopupMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buildsEveryKindOfEntry();
    void returnsTheChosenEntry();
};

void TestPopupMenu::buildsEveryKindOfEntry() {
    const std::unique_ptr<QMenu> menu = buildPopupMenu(sampleMenu());
    QCOMPARE(outline(*menu), u"Open (Hide) - Quick{Notes Mail} [x]Auto [ ]Full - ~About Unload"_s);
    const MenuChoice mail = menuChoiceOf(action(*menu, "tiQuick")->menu()->actions().at(1));
    QCOMPARE(mail.name, u"qlQuickAccess"_s);
    QCOMPARE(mail.index, 1);
    QCOMPARE(menuChoiceOf(action(*menu, "tiUnload")).index, -1);
    QVERIFY(!menuChoiceOf(nullptr).chosen());
}

void TestPopupMenu::returnsTheChosenEntry() {
    QtPopupMenus menus;
    answerNextPopup("tiUnload");
    QCOMPARE(menus.popup(sampleMenu()).name, u"tiUnload"_s);
    answerNextPopup("tiOpen", Qt::RightButton);  // the right button chooses too
    QCOMPARE(menus.popup(sampleMenu()).name, u"tiOpen"_s);
    answerNextPopup("tiGone");  // no such entry: the menu is dismissed
    QVERIFY(!menus.popup(sampleMenu()).chosen());
}

QTEST_MAIN(TestPopupMenu)
#include "test_qt_popup_menu.moc"
