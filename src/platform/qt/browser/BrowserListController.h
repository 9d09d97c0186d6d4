#pragma once

#include "platform/DragSource.h"

#include <QObject>
#include <functional>
#include <optional>

class BrowserListView;
class QKeyEvent;
class QMouseEvent;

// What a browser list reports, whichever of the two it is. Indexes are the
// logic's (the chain of the directory list counts below zero); buttons and
// coordinates as the tree's, in twips of the list.
struct ListReports {
    std::function<void(int index)> click;
    std::function<void()> dblClick;
    std::function<void(int button, int shift, float x, float y)> mouseDown;
    std::function<void(int buttons, int shift, float x, float y)> mouseMove;
    std::function<void(int button, int shift, float x, float y)> mouseUp;
    std::function<void(DragSource source, int state)> dragOver;
    std::function<void()> gotFocus;  // other than by a click
    // The menu key and Shift+F10, numbered as the tree's keys.
    std::function<void(int key, int shift)> keyDown;
};

// Turns what the user does in a browser list into reports. The view keeps
// its own handling of a left press (it moves the current row, which is the
// click) and of moves without a button; a right press belongs to the logic
// alone, and a move with a button held never drags a selection along. The
// view shows the row the logic sets without reporting it back.
class BrowserListController : public QObject {
    Q_OBJECT
public:
    BrowserListController(BrowserListView& view, ListReports reports, QObject* parent = nullptr);
    ~BrowserListController() override;

    // The number of chain rows before entry 0.
    void setChainLength(int length) { chainLength_ = length; }
    // Makes the entry the current row, or none for an index out of range.
    void showIndex(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mouseEvent(QMouseEvent* event);
    bool keyEvent(QKeyEvent* event);
    void currentRowChanged(int row);

    BrowserListView& view_;
    QObject* viewport_;
    ListReports reports_;
    int chainLength_ = 0;
    bool following_ = false;
    std::optional<DragSource> dragging_;  // the drag over the list, since it entered
};
