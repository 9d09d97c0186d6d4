#pragma once

#include "platform/PopupMenu.h"

#include <memory>

class QAction;
class QMenu;
class QWidget;

// Builds the QMenu that shows a menu described as data: one action per entry
// (hidden entries are built too, hidden), separators and submenus by their
// kind. Captions show exactly as written. Each action carries its entry's
// identifier and index.
std::unique_ptr<QMenu> buildPopupMenu(const MenuEntry& menu, QWidget* parent = nullptr);

// The entry an action of a built menu stands for.
MenuChoice menuChoiceOf(const QAction* action);

// A caption as a menu shows it literally: "&" marks no mnemonic.
QString literalMenuText(const QString& caption);
