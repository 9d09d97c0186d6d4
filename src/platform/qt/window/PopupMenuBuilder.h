#pragma once

#include "platform/PopupMenu.h"

#include <functional>
#include <memory>

class QAction;
class QIcon;
class QMenu;
class QWidget;

// The picture of an entry's image key (MenuEntry::image).
using MenuPictures = std::function<QIcon(const QString& image)>;

// Builds the QMenu that shows a menu described as data: one action per entry
// (hidden entries are built too, hidden), separators and submenus by their
// kind. Captions show exactly as written; a command with an image shows its
// picture when pictures are given. Each action carries its entry's
// identifier and index.
std::unique_ptr<QMenu> buildPopupMenu(const MenuEntry& menu, QWidget* parent = nullptr,
                                      const MenuPictures& pictures = {});

// The entry an action of a built menu stands for.
MenuChoice menuChoiceOf(const QAction* action);

// A caption as a menu shows it literally: "&" marks no mnemonic.
QString literalMenuText(const QString& caption);
