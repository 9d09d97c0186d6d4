#pragma once

#include "VirtualClock.h"
#include "platform/MainWindowPort.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/PopupMenu.h"
#include "platform/Shell.h"
#include "platform/TrayIconPort.h"
#include "platform/TreeViewPort.h"

#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <map>
#include <vector>

struct ShownMessage {
    QString text;
    QString title;
    MsgButtons buttons;
    MsgIcon icon;
};

// Message boxes answered from a script; unscripted boxes take OK or Cancel.
class FakeMessageBoxes : public MessageBoxes {
public:
    MsgAnswer show(const QString& text, const QString& title, MsgButtons buttons,
                   MsgIcon icon) override;
    std::deque<MsgAnswer> answers;
    std::function<void(const ShownMessage&)> onShow;  // runs while the box is "open"
    std::vector<ShownMessage> shown;
};

// Popup menus answered from a script; unscripted menus are dismissed.
class FakePopupMenus : public PopupMenus {
public:
    MenuChoice popup(const MenuEntry& menu) override;
    std::deque<MenuChoice> choices;
    std::vector<MenuEntry> shown;

    // The entry of the last shown menu with that name (and index), searched
    // through submenus; null when absent.
    const MenuEntry* lastEntry(const QString& name, int index = -1) const;
};

// Answers at once with accept, unless told to hold the answers back until
// the test gives them with answer().
class FakeShell : public Shell {
public:
    void open(const QUrl& url, Done done) override;
    void answer(bool opened);  // the oldest held-back hand-over
    bool accept = true;
    bool holdAnswers = false;
    std::vector<QUrl> opened;
    std::deque<Done> held;
};

class FakeTray : public TrayIconPort {
public:
    void add(const QString& iconName, const QString& tip) override;
    void modifyIcon(const QString& iconName) override;
    void modifyTip(const QString& tip) override;
    void remove() override;
    bool shown = false;
    QString icon;
    QString tip;
    QStringList calls;  // "add", "modifyIcon", "modifyTip", "remove" in order
};

class FakeMainWindow : public MainWindowPort {
public:
    FakeMainWindow();
    void show() override;
    void hide() override;
    bool isVisible() const override { return visible; }
    void bringToFront() override { ++broughtToFront; }
    TwipsRect geometry() const override { return rect; }
    void setGeometry(const TwipsRect& r) override { rect = r; }
    int innerWidth() const override { return rect.width - 2 * 15 * 4; }
    int windowState() const override { return state; }
    void setWindowState(int s) override { state = s; }
    TwipsSize screenSize() const override { return screen; }
    void setMousePointer(int p) override { pointers.push_back(p); }
    QString pathDisp() const override { return path; }
    void setPathDisp(const QString& caption) override { path = caption; }
    QString statusText() const override { return status; }
    void setStatusText(const QString& text) override { status = text; ++statusWrites; }
    std::optional<TwipsRect> controlRect(Control control) const override;
    void setControlRect(Control control, const TwipsRect& r) override { controls[control] = r; }
    bool isControlVisible(Control control) const override;
    void setControlVisible(Control control, bool show) override { hidden[control] = !show; }
    void quit() override { ++quits; }

    int pointer() const { return pointers.empty() ? PointerDefault : pointers.back(); }

    bool visible = false;
    int shows = 0;
    int hides = 0;
    int broughtToFront = 0;
    TwipsRect rect{0, 0, 4200, 7200};
    int state = StateNormal;
    TwipsSize screen{28800, 16200};
    std::vector<int> pointers;
    QString path;
    QString status;
    int statusWrites = 0;
    std::map<Control, TwipsRect> controls;
    std::map<Control, bool> hidden;
    int quits = 0;
};

// Hit test from a table of points the test fills in.
class FakeTreeView : public TreeViewPort {
public:
    TreeNode* HitTest(float x, float y) const override;
    void EnsureVisible(TreeNode* node) override { ensuredVisible.push_back(node); }
    int GetVisibleCount() const override { return visibleCount; }
    std::map<std::pair<float, float>, TreeNode*> hits;
    std::vector<TreeNode*> ensuredVisible;
    int visibleCount = 10;
};

struct FakePlatform {
    VirtualClock clock;
    FakeMessageBoxes messages;
    FakePopupMenus menus;
    FakeShell shell;
    FakeTray tray;
    FakeMainWindow window;
    FakeTreeView treeView;

    Platform platform() {
        return Platform{clock, messages, menus, shell, tray, window, treeView};
    }
};
