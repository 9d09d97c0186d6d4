#pragma once

// The controls of the main window whose own drags end on the tree: a node of
// the tree, a directory of the directory list, a file of the file list.
enum class DragSource { TreeView, DirList, FileList };
