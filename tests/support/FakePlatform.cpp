#include "FakePlatform.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

MsgAnswer FakeMessageBoxes::show(const QString& text, const QString& title, MsgButtons buttons,
                                 MsgIcon icon) {
    shown.push_back({text, title, buttons, icon});
    if (whileShown)
        std::exchange(whileShown, {})();
    if (!answers.empty()) {
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

MenuChoice FakePopupMenus::popup(const MenuEntry& menu) {
    shown.push_back(menu);
    if (whileShown)
        whileShown();
    if (choices.empty())
        return {};
    const MenuChoice choice = choices.front();
    choices.pop_front();
    return choice;
}

std::optional<int> FakeChooserBox::choose(const ChooserRequest& request) {
    shown.push_back(request);
    if (answers.empty())
        return std::nullopt;
    const std::optional<int> answer = answers.front();
    answers.pop_front();
    return answer;
}

const MenuEntry* FakePopupMenus::find(const MenuEntry& menu, int id, int index) {
    for (const MenuEntry& child : menu.children) {
        if (child.id == id && child.index == index)
            return &child;
        if (const MenuEntry* found = find(child, id, index))
            return found;
    }
    return nullptr;
}

void FakeShell::open(const QUrl& url, Done done) {
    opened.push_back(url);
    if (holdAnswers)
        held.push_back(std::move(done));
    else
        done(accept);
}

void FakeShell::answer(bool openedWell) {
    if (held.empty())
        return;
    const Done done = std::move(held.front());
    held.pop_front();
    done(openedWell);
}

void FakeTray::add(const QString& iconName, const QString& tipText) {
    ++adds;
    shown = true;
    icon = iconName;
    tip = tipText;
}

void FakeTray::remove() {
    ++removes;
    shown = false;
}

void FakeTray::menuChanged() {
    ++menuChanges;
    if (onMenuChanged)
        onMenuChanged();
}

FakeMainWindow::FakeMainWindow() {
    controls[Control::DriveList] = {120, 120, 315, 2775};
    controls[Control::DirList] = {600, 120, 2280, 2775};
    controls[Control::FileList] = {600, 120, 2040, 2775};
    controls[Control::TreeView] = {120, 3000, 2775, 3735};
    controls[Control::PathDisp] = {3000, 120, 300, 6615};
}

void FakeMainWindow::show() {
    visible = true;
    ++shows;
}

std::optional<TwipsRect> FakeMainWindow::controlRect(Control control) const {
    const auto it = controls.find(control);
    if (it == controls.end())
        return std::nullopt;
    return it->second;
}

TreeNode* FakeTreeView::HitTest(float x, float y) const {
    const auto it = hits.find({x, y});
    return it == hits.end() ? nullptr : it->second;
}

int FakeImageList::add(const QString& key, std::uint64_t) {
    if (refuseAdds || keys.contains(key))
        return 0;
    keys << key;
    return int(keys.size());
}

int FakeImageList::indexOf(const QString& key) const {
    return int(keys.indexOf(key)) + 1;
}

void FakeBackgroundWork::run(std::function<void()> work, std::function<void()> done) {
    if (hold) {
        held.emplace_back(std::move(work), std::move(done));
        return;
    }
    work();
    done();
}

bool FakeBackgroundWork::release(std::size_t place) {
    if (place >= held.size())
        return false;
    auto [work, done] = std::move(held[place]);
    held.erase(held.begin() + std::ptrdiff_t(place));
    work();
    done();
    return true;
}

class FakeFileWatches::Watch : public FileWatch {
public:
    Watch(std::vector<Watch*>& all, std::function<void()> changed)
        : all_(all), changed_(std::move(changed)) {
        all_.push_back(this);
    }
    ~Watch() override { all_.erase(std::find(all_.begin(), all_.end(), this)); }
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;
    void watch(const QString&) override {}
    void tell() const { changed_(); }

private:
    std::vector<Watch*>& all_;
    std::function<void()> changed_;
};

std::unique_ptr<FileWatch> FakeFileWatches::createWatch(std::function<void()> changed) {
    return std::make_unique<Watch>(watches_, std::move(changed));
}

std::optional<quint64> FakeFileWatches::deviceOf(const QString& folder) const {
    if (!QFileInfo(folder).isDir())
        return std::nullopt;
    const auto it = devices.find(QFileInfo(folder).absoluteFilePath());
    return it == devices.end() ? 1 : it->second;
}

void FakeFileWatches::tell() const {
    const std::vector<Watch*> all = watches_;
    for (const Watch* watch : all)
        watch->tell();
}

QStringList FakeQuickFind::captions() const {
    QStringList out;
    for (const QuickFindRow& row : rows)
        out << row.caption;
    return out;
}
