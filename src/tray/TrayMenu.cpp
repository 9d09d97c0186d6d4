#include "TrayMenu.h"

#include "QuickList.h"

namespace {
MenuEntry entry(const char* name, const char* caption, bool visible = true) {
    MenuEntry e;
    e.name = QLatin1String(name);
    e.caption = QLatin1String(caption);
    e.visible = visible;
    return e;
}
}  // namespace

MenuEntry TrayMenu::Build(const QuickList& quickList) const {
    MenuEntry menu = entry("tiMenu", "Tray Icon");
    menu.children.push_back(entry("tiOpen", "Open", OpenVisible));
    menu.children.push_back(entry("tiHide", "Hide", HideVisible));
    MenuEntry quick = entry("tiQuickList", "Quick List");
    quick.enabled = QuickListEnabled;
    quick.children.assign(quickList.MenuPlaces().begin(), quickList.MenuPlaces().end());
    menu.children.push_back(std::move(quick));
    menu.children.push_back(entry("tiSep1", "-"));
    menu.children.push_back(entry("tiAbout", "About"));
    menu.children.push_back(entry("tiUnload", "Unload"));
    menu.children.push_back(entry("tiCancel", "Cancel"));
    return menu;
}
