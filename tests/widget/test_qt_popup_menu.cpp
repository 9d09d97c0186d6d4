#include "WarningsFail.h"
#include "platform/qt/window/PopupMenuBuilder.h"

#include <QMenu>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
enum class Id { Menu, Open, Hide, Sep, Quick, Place, Auto, About };

// The built menu as one line, captions as Qt holds them: "(hidden)",
// "~disabled", "[x]checked", "=" a separator, "sub{entries}".
QString outline(const QMenu& menu) {
    QStringList parts;
    for (const QAction* a : menu.actions()) {
        QString part = a->isSeparator() ? u"="_s : a->text();
        if (a->menu())
            part += u'{' + outline(*a->menu()) + u'}';
        part.prepend(a->isChecked() ? u"[x]"_s : a->isEnabled() ? u""_s : u"~"_s);
        parts << (a->isVisible() ? part : u'(' + part + u')');
    }
    return parts.join(u'|');
}
}  // namespace

class TestPopupMenu : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // No caption makes a mnemonic or a separator: "&" is doubled, "-" is text.
    void buildsEveryKindOfEntryWithCaptionsAsWritten() {
        MenuEntry hide = MenuCommand(Id::Hide, u"Hide"_s), about = MenuCommand(Id::About, u"A"_s);
        MenuEntry autoHide = MenuCommand(Id::Auto, u"Auto"_s);
        hide.visible = false;
        about.enabled = false;
        autoHide.checked = true;
        const std::vector<MenuEntry> places{MenuCommand(Id::Place, u"R&D"_s, 0),
                                            MenuCommand(Id::Place, u"Tom && Jerry"_s, 1),
                                            MenuCommand(Id::Place, u"-"_s, 2)};
        const std::unique_ptr<QMenu> menu = buildPopupMenu(
            MenuSubmenu(Id::Menu, u"Tray"_s,
                        {MenuCommand(Id::Open, u"Open"_s), hide, MenuSeparator(Id::Sep),
                         MenuSubmenu(Id::Quick, u"Quick"_s, places), autoHide, about}));
        QCOMPARE(outline(*menu), u"Open|(~Hide)|=|Quick{R&&D|Tom &&&& Jerry|-}|[x]Auto|~A"_s);
        const MenuChoice jerry = menuChoiceOf(menu->actions().at(3)->menu()->actions().at(1));
        QVERIFY(ChosenEntry<Id>(jerry) == Id::Place && jerry.index == 1);
    }
};

QTEST_MAIN(TestPopupMenu)
#include "test_qt_popup_menu.moc"
