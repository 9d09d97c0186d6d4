#pragma once

#include <QMainWindow>
#include <functional>

class BrowserListView;
class DriveListBox;
class NodeTreeView;
class OfferStripWidget;
class HintLabel;
class QLabel;
class QLineEdit;

// The widgets of the main window "FrmVarnel": the browser lists on the left,
// the tree on the right, the path label under them and the status line at
// the bottom. Built at the window's first showing; QtMainWindow places them.
class MainWindowWidget : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindowWidget(QWidget* parent = nullptr);
    ~MainWindowWidget() override;

    DriveListBox* driveList() const { return driveList_; }
    BrowserListView* dirList() const { return dirList_; }
    BrowserListView* fileList() const { return fileList_; }
    NodeTreeView* treeView() const { return treeView_; }
    // The tree with the offer strip and the filter line over its top: what
    // the layout places as the tree. With both hidden the tree fills it.
    QWidget* treePane() const { return treePane_; }
    QLineEdit* filterLine() const { return filterLine_; }
    OfferStripWidget* offerStrip() const { return offerStrip_; }
    QLabel* pathLabel() const { return pathDisp_; }
    HintLabel* statusLabel() const { return statusLabel_; }

    // Asked before the window closes by its close box; true keeps it open.
    std::function<bool()> onCloseRequest;
    std::function<void()> onResize;
    std::function<void()> onMouseMove;  // over the window where no control is

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void nameForScreenReaders();
    void nameKeys();

    DriveListBox* driveList_;
    BrowserListView* dirList_;
    BrowserListView* fileList_;
    QWidget* treePane_;
    QLineEdit* filterLine_;
    OfferStripWidget* offerStrip_;
    NodeTreeView* treeView_;
    QLabel* pathDisp_;
    HintLabel* statusLabel_;
};
