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
// once both exist.
FrmVarnel::FrmVarnel(const Platform& platform, const AppPaths& paths)
    : platform_(platform),
      paths_(paths),
      checks_(platform.work, platform.timers,
              [this](const QString& mount) {
                  platform_.statusBar.setText(PathTexts::notAnswering(mount));
              }),
      icons_(platform.images, checks_, tree_, platform.timers),
      brokenPaths_(tree_, checks_, platform.treeView, platform.timers),
      browser_(platform, {settings_, opener_}, paths.programDir),
      browserMouse_(platform, browser_),
      settings_(platform, paths, {tree_, browser_, tray_, options_, icons_}),
      tray_(platform, tree_, history_, settings_, *this, checks_),
      history_(tree_, tray_),
      layout_(platform.window, settings_),
      opener_(platform, checks_, options_),
      editing_(platform, tree_, history_, settings_, tray_,
               [this] { return browser_.HighlightedDirectoryToKeep(); }),
      undo_(platform, {tree_, history_, settings_, icons_}),
      treeMenu_(platform, {*this, editing_, tray_, browser_, options_, settings_, brokenPaths_,
                           history_, undo_}),
      treeMouse_(platform, {tree_, settings_, opener_, editing_, treeMenu_, undo_}),
      drags_(treeMouse_, browserMouse_),
      dropCommands_(platform, tree_, drags_, browser_, options_, icons_, checks_),
      treeDrop_(platform, {tree_, history_, settings_, drags_, dropCommands_, options_}),
      externalDrop_(platform,
                    {tree_, history_, settings_, dropCommands_, icons_, checks_, treeDrop_}),
      instanceLock_(paths.lockPath),
      unloadEvent_(platform.timers.createTimer([this] { UnloadEvent_Timer(); })) {
    unloadEvent_->setInterval(UnloadDelay);
}

FrmVarnel::~FrmVarnel() = default;

PlatformEvents FrmVarnel::Events() {
    return {*this, treeMouse_, treeDrop_,     externalDrop_, opener_,
            tray_, browser_,   browserMouse_, browserMouse_};
}
