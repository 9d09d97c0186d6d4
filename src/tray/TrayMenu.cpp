#include "TrayMenu.h"

#include "QuickList.h"

MenuEntry TrayMenu::Build(const QuickList& quickList, const std::vector<QString>& pictures) const {
    using Id = TrayMenuId;
    std::vector<MenuEntry> places = quickList.MenuPlaces();
    for (std::size_t i = 0; i < pictures.size() && i < places.size(); ++i) {
        if (quickList.Entry(int(i)))
            places[i].image = pictures[i];
    }
    MenuEntry open = MenuCommand(Id::tiOpen, QStringLiteral("Open"));
    open.visible = !offerHide_;
    MenuEntry hide = MenuCommand(Id::tiHide, QStringLiteral("Hide"));
    hide.visible = offerHide_;
    MenuEntry quick = MenuSubmenu(Id::tiQuickList, QStringLiteral("Quick List"), std::move(places));
    quick.enabled = quickList.QuickLast() != -1;
    MenuEntry restore = MenuCommand(Id::tiRestore, QStringLiteral("Restore\u2026"));
    restore.enabled = offerRestore_;
    return MenuSubmenu(Id::tiMenu, QStringLiteral("Tray Icon"),
                       {open, hide, quick, restore, MenuSeparator(Id::tiSep1),
                        MenuCommand(Id::tiAbout, QStringLiteral("About")),
                        MenuCommand(Id::tiUnload, QStringLiteral("Unload")),
                        MenuCommand(Id::tiCancel, QStringLiteral("Cancel"))});
}
