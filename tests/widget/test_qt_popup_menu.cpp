#include "platform/qt/PopupMenuBuilder.h"
#include "platform/qt/QtPopupMenus.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {
MenuEntry entry(const char* name, const char* caption) {
    MenuEntry e;
    e.name = QLatin1String(name);
    e.caption = QLatin1String(caption);
    return e;
}

// A tray-like menu: a submenu, a hidden entry, a disabled one, check marks,
// indexed quick-list entries and separators.
MenuEntry sampleMenu() {
    MenuEntry menu = entry("tiMenu", "Tray");
    MenuEntry open = entry("tiOpen", "Open");
    MenuEntry hide = entry("tiHide", "Hide");
    hide.visible = false;
    MenuEntry quick = entry("tiQuick", "Quick List");
    for (int i = 0; i < 2; ++i) {
        MenuEntry item = entry("qlQuickAccess", i == 0 ? "Notes" : "Mail");
        item.index = i;
        quick.children.push_back(item);
    }
    MenuEntry autoHide = entry("tvAutoHide", "Auto Hide Window");
    autoHide.checked = true;
    MenuEntry fullPath = entry("tvFullPath", "Use Full Path on Copy");
    fullPath.checkable = true;
    MenuEntry about = entry("tiAbout", "About");
    about.enabled = false;
    menu.children = {open, hide, entry("tiSep0", "-"), quick, autoHide, fullPath,
                     entry("tiSep1", "-"), about, entry("tiUnload", "Unload")};
    return menu;
}

QAction* action(const QMenu& menu, const char* name) {
    for (QAction* a : menu.actions()) {
        if (a->objectName() == QLatin1String(name))
            return a;
    }
    return nullptr;
}

void closePopups() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

// Clicks an entry of the popup that opens next, with the given button. An
// entry that is not there dismisses the menu, so the test fails, not hangs.
void answerNextPopup(const char* name, Qt::MouseButton button, const char* submenu = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* target = menu ? action(*menu, submenu ? submenu : name) : nullptr;
        if (!target) {
            closePopups();
            return;
        }
        if (submenu)
            menu->setActiveAction(target);  // opens the submenu at once
        QTest::mouseClick(menu, submenu ? Qt::LeftButton : button, {},
                          menu->actionGeometry(target).center());
        if (submenu)
            answerNextPopup(name, button);
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
    QCOMPARE(menu->actions().size(), 9);  // hidden entries are built, hidden
    QVERIFY(action(*menu, "tiOpen")->isVisible());
    QVERIFY(!action(*menu, "tiHide")->isVisible());
    QVERIFY(action(*menu, "tiSep0")->isSeparator());
    QVERIFY(action(*menu, "tiSep1")->isSeparator());
    QVERIFY(!action(*menu, "tiAbout")->isEnabled());
    QVERIFY(action(*menu, "tiUnload")->isEnabled());
    QCOMPARE(action(*menu, "tiUnload")->text(), QStringLiteral("Unload"));

    QAction* autoHide = action(*menu, "tvAutoHide");
    QVERIFY(autoHide->isCheckable() && autoHide->isChecked());
    QAction* fullPath = action(*menu, "tvFullPath");
    QVERIFY(fullPath->isCheckable() && !fullPath->isChecked());
    QVERIFY(!action(*menu, "tiOpen")->isCheckable());

    QMenu* quick = action(*menu, "tiQuick")->menu();
    QVERIFY(quick);
    QCOMPARE(quick->title(), QStringLiteral("Quick List"));
    QCOMPARE(quick->actions().size(), 2);
    const MenuChoice second = menuChoiceOf(quick->actions().at(1));
    QCOMPARE(second.name, QStringLiteral("qlQuickAccess"));
    QCOMPARE(second.index, 1);
    QCOMPARE(menuChoiceOf(action(*menu, "tiUnload")).index, -1);
    QVERIFY(!menuChoiceOf(nullptr).chosen());
}

void TestPopupMenu::returnsTheChosenEntry() {
    QtPopupMenus menus;
    answerNextPopup("tiUnload", Qt::LeftButton);
    MenuChoice choice = menus.popup(sampleMenu());
    QCOMPARE(choice.name, QStringLiteral("tiUnload"));

    answerNextPopup("tiOpen", Qt::RightButton);  // the right button chooses too
    QCOMPARE(menus.popup(sampleMenu()).name, QStringLiteral("tiOpen"));

    answerNextPopup("qlQuickAccess", Qt::LeftButton, "tiQuick");
    choice = menus.popup(sampleMenu());
    QCOMPARE(choice.name, QStringLiteral("qlQuickAccess"));
    QCOMPARE(choice.index, 0);

    QTimer::singleShot(0, &closePopups);
    QVERIFY(!menus.popup(sampleMenu()).chosen());
}

QTEST_MAIN(TestPopupMenu)
#include "test_qt_popup_menu.moc"
