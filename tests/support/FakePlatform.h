#pragma once

#include "VirtualClock.h"
#include "platform/BackgroundWork.h"
#include "platform/BrowserListPorts.h"
#include "platform/ChooserBox.h"
#include "platform/DesktopNotices.h"
#include "platform/FileWatch.h"
#include "platform/FilterLinePort.h"
#include "platform/ImageListPort.h"
#include "platform/MainWindowPort.h"
#include "platform/MessageBoxes.h"
#include "platform/OfferStripPort.h"
#include "platform/PathLabelPort.h"
#include "platform/Platform.h"
#include "platform/PopupMenu.h"
#include "platform/QuickFindPort.h"
#include "platform/RunningCopyPort.h"
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
    std::vector<ShownMessage> shown;
    std::function<void()> whileShown;  // runs once, while the next box is open
};

// Popup menus answered from a script; unscripted menus are dismissed.
class FakePopupMenus : public PopupMenus {
public:
    MenuChoice popup(const MenuEntry& menu) override;
    MenuChoice popupAtNode(const MenuEntry& menu, TreeNode* node) override {
        atNode = node;
        return popup(menu);
    }
    TreeNode* atNode = nullptr;  // where the last menu asked for at a node opened
    MenuChoice popupAtListEntry(const MenuEntry& menu, DragSource list) override {
        atList = list;
        return popup(menu);
    }
    std::optional<DragSource> atList;  // the list whose entry the last such menu opened at
    template <typename Id>
    void choose(Id id, int index = -1) {
        choices.push_back({static_cast<int>(id), index, true});
    }
    // The entry of the last shown menu with that identifier (and index),
    // searched through submenus; null when absent.
    template <typename Id>
    const MenuEntry* lastEntry(Id id, int index = -1) const {
        return shown.empty() ? nullptr : find(shown.back(), static_cast<int>(id), index);
    }
    std::deque<MenuChoice> choices;
    std::vector<MenuEntry> shown;
    std::function<void()> whileShown;  // runs while a menu is open, as timers may

private:
    static const MenuEntry* find(const MenuEntry& menu, int id, int index);
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
    void modifyIcon(const QString& iconName) override { icon = iconName; }
    void modifyTip(const QString& tipText) override { tip = tipText; }
    void remove() override;
    void menuChanged() override;
    bool shown = false;
    int menuChanges = 0;
    std::function<void()> onMenuChanged;  // as a host would read the menu again
    int adds = 0;
    int removes = 0;
    QString icon;
    QString tip;
};

class FakeMainWindow : public MainWindowPort {
public:
    FakeMainWindow();
    void show() override;
    void hide() override { visible = false; }
    bool isVisible() const override { return visible; }
    void bringToFront() override { ++broughtToFront; }
    TwipsRect geometry() const override { return rect; }
    bool knowsPosition() const override { return positions; }
    void setGeometry(const TwipsRect& r) override { rect = r; }
    int windowState() const override { return state; }
    void setWindowState(int s) override { state = s; }
    TwipsSize screenSize() const override { return screen; }
    float twipsPerPixelX() const override { return twipsPerPixel; }
    void setMousePointer(int p) override { pointers.push_back(p); }
    std::optional<TwipsRect> controlRect(Control control) const override;
    void setControlRect(Control control, const TwipsRect& r) override { controls[control] = r; }
    void quit() override { ++quits; }
    bool isActive() const override { return visible && active; }
    void useActivationToken(const QString& token) override {
        tokens.push_back({token, shows, broughtToFront});
    }
    std::int32_t controlMinHeight(Control control) const override {
        const auto it = minHeights.find(control);
        return it == minHeights.end() ? 0 : it->second;
    }

    int pointer() const { return pointers.empty() ? PointerDefault : pointers.back(); }

    bool visible = false;
    int shows = 0;
    int broughtToFront = 0;
    TwipsRect rect{0, 0, 4200, 7200};
    bool positions = true;
    int state = StateNormal;
    TwipsSize screen{28800, 16200};
    float twipsPerPixel = 15;  // 96 dots per inch
    std::vector<int> pointers;
    std::map<Control, TwipsRect> controls;
    int quits = 0;
    bool active = true;  // the window has the focus whenever it is shown
    // Each token given, with the count of shows and of bringToFront before it.
    struct Token {
        QString token;
        int showsBefore;
        int broughtToFrontBefore;
    };
    std::vector<Token> tokens;
    // What each control's font needs, in twips; none as given.
    std::map<Control, std::int32_t> minHeights;
};

// Hit test from a table of points the test fills in.
class FakeTreeView : public TreeViewPort {
public:
    TreeNode* HitTest(float x, float y) const override;
    void ScrollTo(TreeNode* node) override { scrolledTo.push_back(node); }
    int GetVisibleCount() const override { return 10; }
    void StartLabelEdit(TreeNode* node) override { editing = node; }
    void BeginDrag(const QString& picture, const std::optional<OutsideOffer>& outside) override {
        drags << picture;
        offers.push_back(outside);
    }
    float DragDistance() const override { return 0; }
    void SetDragPicture(DragPicture picture) override { pictures.push_back(picture); }
    TwipsSize Size() const override { return size; }
    float TwipsPerPixelX() const override { return 15; }
    std::vector<DragPicture> pictures;
    TwipsSize size{3000, 1500};
    TreeNode* editing = nullptr;  // the node whose label editor was opened last
    QStringList drags;
    std::vector<std::optional<OutsideOffer>> offers;  // what each drag offered outside
    std::map<std::pair<float, float>, TreeNode*> hits;
    std::vector<TreeNode*> scrolledTo;
    void ShowOnly(const KeptNodes* kept) override {
        shownOnly = kept ? std::optional<KeptNodes>(*kept) : std::nullopt;
        ++showings;
    }
    std::optional<KeptNodes> shownOnly;  // the nodes kept in view, none for the whole tree
    int showings = 0;
};

class FakePathLabel : public PathLabelPort {
public:
    QString caption() const override { return text; }
    void setCaption(const QString& caption) override { text = caption; }
    QString text;
};

class FakeDriveList : public DriveListPort {
public:
    void setDrives(const QStringList&) override {}
    void setCurrent(const QString& root) override { current = root; }
    QString current;
};

// A browser list: what it was last given, and the pictures and drags asked of it.
template <typename Port>
class FakeList : public Port {
public:
    explicit FakeList(bool shown) : visible(shown) {}
    void setVisible(bool shown) override { visible = shown; }
    void setListIndex(int) override {}
    void setReading(bool) override {}
    void setDragPicture(const QString& key) override { pictures << key; }
    void BeginDrag() override { ++drags; }
    bool visible;
    QStringList pictures;
    int drags = 0;
};

class FakeDirList : public FakeList<DirListPort> {
public:
    using FakeList::FakeList;
    void setEntries(const QStringList& chainPaths, const QStringList& names) override {
        chain = chainPaths;
        subdirectories = names;
    }
    QStringList chain;
    QStringList subdirectories;
};

class FakeFileList : public FakeList<FileListPort> {
public:
    using FakeList::FakeList;
    void setFiles(const QStringList& names) override { files = names; }
    QStringList files;
};

// Runs each piece of work at once, in the caller's thread; or, while hold is
// set, keeps it until the test releases it, the work itself done only then.
class FakeBackgroundWork : public BackgroundWork {
public:
    void run(std::function<void()> work, std::function<void()> done) override;
    // Does the held piece of work at that place in the order given, then
    // reports it done; false when there is none there.
    bool release(std::size_t place = 0);
    bool hold = false;
    std::deque<std::pair<std::function<void()>, std::function<void()>>> held;
};

class FakeStatusBar : public StatusBarPort {
public:
    QString text() const override { return shown; }
    void setText(const QString& text) override {
        shown = text;
        ++writes;
    }
    QString shown;
    int writes = 0;
};

class FakeAboutBox : public AboutBoxPort {
public:
    TwipsSize size() const override { return {6615, 3510}; }
    void showModal(const TwipsRect& rect) override { shownAt.push_back(rect); }
    std::vector<TwipsRect> shownAt;
};

// A desktop with a notification service when hasService is set; the notice
// is answered at once either way, and kept when taken.
class FakeDesktopNotices : public DesktopNotices {
public:
    void notify(const QString& title, const QString& text,
                std::function<void(bool taken)> answered) override {
        if (hasService)
            taken.push_back(title + u'\n' + text);
        answered(hasService);
    }
    bool hasService = false;
    QStringList taken;
};

// A chooser box answered from a script; an unscripted one is cancelled.
class FakeChooserBox : public ChooserBoxPort {
public:
    std::optional<int> choose(const ChooserRequest& request) override;
    std::deque<std::optional<int>> answers;
    std::vector<ChooserRequest> shown;
    // Save boxes: answered in turn, unscripted ones cancelled.
    std::optional<QString> chooseSaveFile(const SaveFileRequest& request) override {
        saves.push_back(request);
        if (saveAnswers.empty())
            return std::nullopt;
        const std::optional<QString> answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    std::deque<std::optional<QString>> saveAnswers;
    std::vector<SaveFileRequest> saves;
};

// Every icon name has an icon when hasIcons is set, the same handle each
// time. With refuseAdds the list takes no icon, as a full or failing one
// would.
class FakeImageList : public ImageListPort {
public:
    std::uint64_t lookUpIcon(const QString& iconName, const QString&) override {
        if (!hasIcons)
            return 0;
        if (!handles.contains(iconName))
            handles << iconName;
        return std::uint64_t(handles.indexOf(iconName) + 1);
    }
    int add(const QString& key, std::uint64_t) override;
    int indexOf(const QString& key) const override;
    bool hasIcons = false;
    bool refuseAdds = false;
    QStringList handles;  // the icon names asked for, by handle
    QStringList keys{QStringLiteral("closed"), QStringLiteral("open"), QStringLiteral("leaf")};
};

// Watches that say a change only when the test says so. Every folder there
// is lies on device 1, unless the test puts it on another.
class FakeFileWatches : public FileWatches {
public:
    std::unique_ptr<FileWatch> createWatch(std::function<void()> changed) override;
    std::optional<quint64> deviceOf(const QString& folder) const override;
    // Tells every watch that its file may have changed.
    void tell() const;
    std::map<QString, quint64> devices;

private:
    class Watch;
    std::vector<Watch*> watches_;
};

// A running copy that answers as told, and what it was asked, one word a
// request ("ShowWindow", "Find:text", ...) under its bus name.
class FakeRunningCopy : public RunningCopyPort {
public:
    void Listen(const QString& busName) override { listening = busName; }
    void StopListening() override { listening.clear(); }
    RunningCopyAnswer ShowWindow(const QString& busName) override {
        return ask(busName, QStringLiteral("ShowWindow"));
    }
    RunningCopyAnswer ToggleWindow(const QString& busName) override {
        return ask(busName, QStringLiteral("ToggleWindow"));
    }
    RunningCopyAnswer PopupQuickList(const QString& busName) override {
        return ask(busName, QStringLiteral("PopupQuickList"));
    }
    RunningCopyAnswer Find(const QString& busName, const QString& text) override {
        return ask(busName, QStringLiteral("Find:") + text);
    }
    RunningCopyAnswer SecondStart(const QString& busName) override {
        return ask(busName, QStringLiteral("SecondStart"));
    }
    QString UnreachableReason() const override { return QStringLiteral("no session bus"); }

    RunningCopyAnswer answer = RunningCopyAnswer::DidNotShow;  // one with a tray
    QString listening;  // the name this copy answers under, while it does
    QStringList asked;

private:
    RunningCopyAnswer ask(const QString& busName, const QString& request) {
        asked << busName + u' ' + request;
        return answer;
    }
};

// The filter line: whether it shows.
class FakeFilterLine : public FilterLinePort {
public:
    void showLine() override { shown = true; }
    void hideLine() override { shown = false; }
    bool shown = false;
};

// The quick-find pop-up as data: whether it shows, with what text and
// token, and the rows it was last given.
class FakeQuickFind : public QuickFindPort {
public:
    void show(const QString& typed, const QString& activationToken) override {
        shown = true;
        text = typed;
        token = activationToken;
    }
    void setRows(const std::vector<QuickFindRow>& given) override { rows = given; }
    void close() override { shown = false; }
    QStringList captions() const;
    bool shown = false;
    QString text;
    QString token;
    std::vector<QuickFindRow> rows;
};

// The offer strip: what it says while it shows.
class FakeOfferStrip : public OfferStripPort {
public:
    void showOffer(const OfferTexts& given) override {
        shown = true;
        texts = given;
        ++shows;
    }
    void hideOffer() override { shown = false; }
    bool shown = false;
    int shows = 0;
    OfferTexts texts;
};

struct FakePlatform {
    VirtualClock clock;
    FakeMessageBoxes messages;
    FakePopupMenus menus;
    FakeShell shell;
    FakeTray tray;
    FakeMainWindow window;
    FakeTreeView treeView;
    FakePathLabel pathLabel;
    FakeDriveList driveList;
    FakeDirList dirList{true};
    FakeFileList fileList{false};
    FakeImageList images;
    FakeStatusBar statusBar;
    FakeAboutBox about;
    FakeBackgroundWork work;
    FakeDesktopNotices notices;
    FakeFileWatches fileWatches;
    FakeChooserBox chooser;
    FakeRunningCopy runningCopy;
    FakeFilterLine filterLine;
    FakeQuickFind quickFind;
    FakeOfferStrip offerStrip;

    Platform platform() { return platform(messages); }
    // With other message boxes: the real ones, whose loops run timers.
    Platform platform(MessageBoxes& boxes) {
        return Platform{clock,       boxes,      menus,     shell,     tray,        window,
                        treeView,    pathLabel,  driveList, dirList,   fileList,    images,
                        statusBar,   about,      work,      notices,   fileWatches, chooser,
                        runningCopy, filterLine, quickFind, offerStrip};
    }
};
