#pragma once

#include <QString>
#include <cstdint>

class TreeNode;

// Where the reader applies each key line as it meets it, in file order. The
// browser setters report whether they succeeded, since a failed drive or
// directory makes the reader skip what depends on it.
class SettingsSink {
public:
    virtual ~SettingsSink() = default;
    virtual void applyWinTop(std::int32_t twips) = 0;
    virtual void applyWinLeft(std::int32_t twips) = 0;
    virtual void applyWinHeight(std::int32_t twips) = 0;
    virtual void applyWinWidth(std::int32_t twips) = 0;
    virtual void applyWinState(int state) = 0;
    virtual void applyAutoHide(bool checked) = 0;
    virtual void applyFullPath(bool checked) = 0;
    virtual bool applyDrive(const QString& drive) = 0;
    virtual bool applyDirPath(const QString& path) = 0;
    virtual void applyDirSel(int index) = 0;
    virtual void applyDirVis(bool visible) = 0;
    // Returns false when the list is full and the entry was not taken.
    virtual bool appendQuickEntry(const QString& caption, const QString& path) = 0;
    // A node line asked for the node to be selected and scrolled into view;
    // called once the whole tree is in place, for the last such line.
    virtual void selectLoadedNode(TreeNode* node) = 0;
    // An item whose stored image is an icon index from an earlier run: its
    // icon is to be looked up anew from its path.
    virtual void itemIconWanted(TreeNode* node) = 0;
    // A line of our own "[Varnel]" section, which this version does not
    // read: kept as it is, to be written back.
    virtual void keepOwnLine(const QString& line) = 0;
};
