#pragma once

// The controls of the main window whose own drags end on the tree: a node of
// the tree, a directory of the directory list, a file of the file list.
enum class DragSource { TreeView, DirList, FileList };

// The pictures a drag of a control shows: the dragged node's own picture (as
// the drag of the tree began with it), the list's "drag" picture over the
// list it came from, "drop" where it may be dropped, "nodrop" where not.
enum class DragPicture { TempImage, Drag, Drop, NoDrop };
