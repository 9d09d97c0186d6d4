#include "FrmVarnel.h"

#include "files/PathTexts.h"
#include "platform/MainWindowPort.h"
#include "platform/Timer.h"

namespace {
constexpr int UnloadDelay = 100;
}  // namespace

// The browser keeps only references to the settings store and the opener
// until it is first used. The settings store and the tray need each other
// (the settings hold the quick list; a right click reads the settings), so
// the store is given the tray before the tray is built: it is used only
// once both exist. Every owner that may show a box or a menu shows it
// through platform_, so that modal_ knows when one is open. So is the tray given the
// backups' restore, through the window, which ends the tree's filter first.
FrmVarnel::FrmVarnel(const Platform& platform, const AppPaths& paths)
    : modal_(platform),
      platform_(modal_.Counted(platform)),
      paths_(paths),
      checks_(platform.work, platform.timers,
              [this](const QString& mount) {
                  platform_.statusBar.setText(PathTexts::notAnswering(mount));
              }),
      icons_(platform.images, checks_, tree_, platform.timers),
      brokenPaths_(tree_, checks_, platform.treeView, platform.timers),
      browser_(platform_, {settings_, opener_}, paths.programDir),
      browserMouse_(platform_, browser_, addToTree_),
      recovery_(platform.timers, paths),
      settings_(platform_, paths, {tree_, browser_, tray_, options_, icons_, history_}, recovery_),
      tray_(platform_, tree_, history_, settings_, *this, checks_, *this, {icons_}),
      history_(tree_, tray_),
      restore_(platform_, {tree_, tray_, icons_, settings_, history_}),
      layout_(platform.window, settings_),
      opener_(platform_, checks_, options_),
      editing_(platform_, tree_, history_, settings_, tray_,
               [this] { return browser_.HighlightedDirectoryToKeep(); }),
      filter_(platform_, {tree_, editing_, settings_}),
      undo_(platform_, {tree_, history_, settings_, icons_}),
      startAtLogin_(paths.autostartFile, paths.startCommand),
      treeMenu_(platform_,
                {*this, editing_, tray_, browser_, options_, settings_, brokenPaths_, history_,
                 undo_, filter_, cut_, startAtLogin_, bookmarkImport_, bookmarkExport_}),
      treeMouse_(platform_, {tree_, settings_, opener_, editing_, treeMenu_, undo_, filter_, cut_}),
      drags_(treeMouse_, browserMouse_),
      dropCommands_(platform_, tree_, history_, drags_, browser_, options_, icons_, checks_),
      treeDrop_(platform_, {tree_, history_, settings_, drags_, dropCommands_, options_, filter_}),
      externalDrop_(platform_, {tree_, history_, settings_, dropCommands_, icons_, checks_,
                                treeDrop_, filter_}),
      cut_(platform_, {tree_, history_, settings_, filter_}),
      addToTree_(platform_,
                 {tree_, history_, settings_, browser_, options_, icons_, checks_, filter_}),
      quickFind_(platform_, {tree_, tray_, settings_, *this, filter_}),
      instanceLock_(paths.lockPath),
      recoveryNotice_(platform_, recovery_, paths.settingsPath),
      summons_(platform_, tray_, *this, quickFind_, [this] { return modal_.Open(); }),
      bookmarkImport_(platform_, {tree_, history_, settings_, icons_, filter_},
                      {paths.gtkBookmarks, paths.kdePlaces}),
      bookmarkExport_(platform_, tree_, paths.homeFolder),
      bookmarkOffer_(platform_, {tree_, history_, settings_, bookmarkImport_, filter_}),
      unloadEvent_(platform.timers.createTimer([this] { UnloadEvent_Timer(); })) {
    unloadEvent_->setInterval(UnloadDelay);
    settings_.Watch().SetBusy([this] { return busyWithTheTree(); });
}

// A box or a menu open, a drag, a label being edited: the handlers at work
// hold nodes of the tree, which must not be replaced under them. A filtered
// tree holds them too: the nodes it keeps in view, and the one selected
// before, which Escape goes back to.
bool FrmVarnel::busyWithTheTree() const {
    return modal_.Open() || editing_.LabelEditPending() || treeMouse_.TreeDragState() != 0 ||
           browserMouse_.DirDragState() != 0 || browserMouse_.FileDragState() != 0 ||
           filter_.Filtering();
}

FrmVarnel::~FrmVarnel() = default;

void FrmVarnel::tiRestore_Click() {
    filter_.End();
    restore_.tiRestore_Click();
}

PlatformEvents FrmVarnel::Events() {
    return {*this,   treeMouse_, treeDrop_,     externalDrop_, opener_,
            tray_,   browser_,   browserMouse_, browserMouse_, summons_,
            filter_, quickFind_, bookmarkOffer_};
}
