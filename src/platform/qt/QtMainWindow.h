#pragma once

#include "platform/MainWindowPort.h"
#include "platform/TreeViewPort.h"

#include <QMainWindow>

class MainWindowEvents;
class NodeTreeModel;
class NodeTreeView;
class TreeViewController;
class TwipsScale;
class QComboBox;
class QLabel;
class QListWidget;

// The main window "FrmVarnel": the browser lists on the left, the tree on the
// right, the path label under them and the status line at the bottom. The
// controls sit at the rectangles the logic gives them, in twips; the status
// line is placed by the window itself.
class QtMainWindow : public QMainWindow, public MainWindowPort, public TreeViewPort {
    Q_OBJECT
public:
    explicit QtMainWindow(QWidget* parent = nullptr);
    ~QtMainWindow() override;

    // Where the window's and the tree's events go, and the model the tree
    // shows; null for either disconnects it.
    void attach(MainWindowEvents* events, NodeTreeModel* model);

    QComboBox* driveList() const { return driveList_; }
    QListWidget* dirList() const { return dirList_; }
    QListWidget* fileList() const { return fileList_; }
    NodeTreeView* treeView() const { return treeView_; }
    QLabel* pathLabel() const { return pathDisp_; }

    // MainWindowPort
    void show() override;
    void hide() override;
    bool isVisible() const override;
    void bringToFront() override;
    TwipsRect geometry() const override;
    void setGeometry(const TwipsRect& rect) override;
    int innerWidth() const override;
    int windowState() const override;
    void setWindowState(int state) override;
    TwipsSize screenSize() const override;
    void setMousePointer(int pointer) override;
    QString pathDisp() const override;
    void setPathDisp(const QString& caption) override;
    QString statusText() const override;
    void setStatusText(const QString& text) override;
    std::optional<TwipsRect> controlRect(Control control) const override;
    void setControlRect(Control control, const TwipsRect& rect) override;
    bool isControlVisible(Control control) const override;
    void setControlVisible(Control control, bool visible) override;
    void quit() override;

    // TreeViewPort
    TreeNode* HitTest(float x, float y) const override;
    void EnsureVisible(TreeNode* node) override;
    int GetVisibleCount() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TwipsScale scale() const;
    QWidget* controlWidget(Control control) const;  // null for the status line

    QComboBox* driveList_;
    QListWidget* dirList_;
    QListWidget* fileList_;
    NodeTreeView* treeView_;
    QLabel* pathDisp_;
    QLabel* statusLabel_;
    TreeViewController* treeController_;
    MainWindowEvents* events_ = nullptr;
    bool quitting_ = false;
};
