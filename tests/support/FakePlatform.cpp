#include "FakePlatform.h"

MsgAnswer FakeMessageBoxes::show(const QString& text, const QString& title, MsgButtons buttons,
                                 MsgIcon icon) {
    shown.push_back({text, title, buttons, icon});
    if (onShow) onShow(shown.back());
    if (!answers.empty()) {
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

MenuChoice FakePopupMenus::popup(const MenuEntry& menu) {
    shown.push_back(menu);
    if (choices.empty()) return {};
    const MenuChoice choice = choices.front();
    choices.pop_front();
    return choice;
}

static const MenuEntry* findEntry(const MenuEntry& menu, const QString& name, int index) {
    if (menu.name == name && menu.index == index) return &menu;
    for (const MenuEntry& child : menu.children) {
        if (const MenuEntry* found = findEntry(child, name, index)) return found;
    }
    return nullptr;
}

const MenuEntry* FakePopupMenus::lastEntry(const QString& name, int index) const {
    return shown.empty() ? nullptr : findEntry(shown.back(), name, index);
}

void FakeShell::open(const QUrl& url, Done done) {
    opened.push_back(url);
    if (holdAnswers)
        held.push_back(std::move(done));
    else
        done(accept);
}

void FakeShell::answer(bool openedWell) {
    if (held.empty()) return;
    const Done done = std::move(held.front());
    held.pop_front();
    done(openedWell);
}

void FakeTray::add(const QString& iconName, const QString& tipText) {
    calls << QStringLiteral("add");
    shown = true;
    icon = iconName;
    tip = tipText;
}

void FakeTray::modifyIcon(const QString& iconName) {
    calls << QStringLiteral("modifyIcon");
    icon = iconName;
}

void FakeTray::modifyTip(const QString& tipText) {
    calls << QStringLiteral("modifyTip");
    tip = tipText;
}

void FakeTray::remove() {
    calls << QStringLiteral("remove");
    shown = false;
}

FakeMainWindow::FakeMainWindow() {
    controls[Control::DriveList] = {120, 120, 315, 2775};
    controls[Control::DirList] = {600, 120, 2280, 2775};
    controls[Control::FileList] = {600, 120, 2040, 2775};
    controls[Control::TreeView] = {120, 3000, 2775, 3735};
    controls[Control::PathDisp] = {3000, 120, 300, 6615};
    hidden[Control::FileList] = true;
}

void FakeMainWindow::show() {
    visible = true;
    ++shows;
}

void FakeMainWindow::hide() {
    visible = false;
    ++hides;
}

std::optional<TwipsRect> FakeMainWindow::controlRect(Control control) const {
    const auto it = controls.find(control);
    if (it == controls.end()) return std::nullopt;
    return it->second;
}

bool FakeMainWindow::isControlVisible(Control control) const {
    const auto it = hidden.find(control);
    return it == hidden.end() || !it->second;
}

TreeNode* FakeTreeView::HitTest(float x, float y) const {
    const auto it = hits.find({x, y});
    return it == hits.end() ? nullptr : it->second;
}
