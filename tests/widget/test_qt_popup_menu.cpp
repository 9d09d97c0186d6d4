#include "WarningsFail.h"
#include "platform/qt/PopupMenuBuilder.h"

#include <QMenu>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
enum class Id { Menu, Open, Hide, Sep0, Quick, Place, Auto, Full, Sep1, About, Unload };

// A tray-like menu with every kind of entry, and captions as users write them.
MenuEntry sampleMenu() {
    MenuEntry hide = MenuCommand(Id::Hide, u"Hide"_s), about = MenuCommand(Id::About, u"About"_s);
    MenuEntry autoHide = MenuCommand(Id::Auto, u"Auto"_s), full = MenuCommand(Id::Full, u"Full"_s);
    hide.visible = false;
    about.enabled = false;
    autoHide.checked = true;
    full.checkable = true;
    const std::vector<MenuEntry> places{
        MenuCommand(Id::Place, u"R&D"_s, 0), MenuCommand(Id::Place, u"Tom && Jerry"_s, 1),
        MenuCommand(Id::Place, u"-"_s, 2), MenuCommand(Id::Place, u"my_notes.txt"_s, 3)};
    return MenuSubmenu(Id::Menu, u"Tray"_s,
                       {MenuCommand(Id::Open, u"Open"_s), hide, MenuSeparator(Id::Sep0),
                        MenuSubmenu(Id::Quick, u"Quick"_s, places), autoHide, full,
                        MenuSeparator(Id::Sep1), about, MenuCommand(Id::Unload, u"Unload"_s)});
}

// The built menu as one line, each caption as the user reads it:
// "(hidden)", "~disabled", "[x]checked", "[ ]checkable", "-" a separator,
// "sub{entries}".
QString outline(const QMenu& menu) {
    QStringList parts;
    for (const QAction* a : menu.actions()) {
        QString part = a->isSeparator() ? u"-"_s : QString(a->text()).replace(u"&&"_s, u"&"_s);
        if (a->menu())
            part += u'{' + outline(*a->menu()) + u'}';
        if (a->isCheckable())
            part.prepend(a->isChecked() ? u"[x]"_s : u"[ ]"_s);
        if (!a->isEnabled() && a->isVisible())
            part.prepend(u'~');
        parts << (a->isVisible() ? part : u'(' + part + u')');
    }
    return parts.join(u'|');
}

QAction* action(const QMenu& menu, Id id, int index = -1) {
    for (QAction* a : menu.findChildren<QAction*>()) {
        const MenuChoice choice = menuChoiceOf(a);
        if (choice.chosen && choice.id == int(id) && choice.index == index)
            return a;
    }
    return nullptr;
}

}  // namespace

class TestPopupMenu : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void buildsEveryKindOfEntryWithCaptionsAsWritten();
};

void TestPopupMenu::buildsEveryKindOfEntryWithCaptionsAsWritten() {
    const std::unique_ptr<QMenu> menu = buildPopupMenu(sampleMenu());
    QCOMPARE(
        outline(*menu),
        u"Open|(Hide)|-|Quick{R&D|Tom && Jerry|-|my_notes.txt}|[x]Auto|[ ]Full|-|~About|Unload"_s);
    // No caption makes a mnemonic or a separator: "&" is doubled, "-" is text.
    QMenu* quick = action(*menu, Id::Quick)->menu();
    QCOMPARE(quick->actions().at(0)->text(), u"R&&D"_s);
    QVERIFY(!quick->actions().at(2)->isSeparator());
    const MenuChoice jerry = menuChoiceOf(quick->actions().at(1));
    QCOMPARE(ChosenEntry<Id>(jerry), Id::Place);
    QCOMPARE(jerry.index, 1);
}

QTEST_MAIN(TestPopupMenu)
#include "test_qt_popup_menu.moc"
