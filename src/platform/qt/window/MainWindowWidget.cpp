#include "MainWindowWidget.h"

#include "app/Texts.h"
#include "platform/qt/FocusVisibleStyle.h"
#include "platform/qt/VarnelResources.h"
#include "platform/qt/browser/BrowserListView.h"
#include "platform/qt/browser/ListFocusSwap.h"
#include "platform/qt/browser/QtDriveList.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/OfferStripWidget.h"
#include "platform/qt/window/HintLabel.h"
#include "platform/qt/window/PathLabelAccessible.h"
#include "tree/KeyHelpTexts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
QLabel* plainLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);  // paths may hold '<' and '&'
    return label;
}

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}
}  // namespace

MainWindowWidget::MainWindowWidget(QWidget* parent) : QMainWindow(parent) {
    PathLabelAccessible::install();
    setObjectName(QStringLiteral("FrmVarnel"));
    setWindowTitle(Texts::programTitle());
    setWindowIcon(programIcon());

    auto* client = new QWidget(this);
    setCentralWidget(client);
    client->setMouseTracking(true);
    client->installEventFilter(this);
    driveList_ = named(new DriveListBox(client), "DriveList");
    auto* driveStyle = new FocusVisibleStyle;  // a focus that shows on any palette
    driveStyle->setParent(driveList_);
    driveList_->setStyle(driveStyle);
    dirList_ = named(new BrowserListView(client), "DirList");
    fileList_ = named(new BrowserListView(client), "FileList");
    treePane_ = new QWidget(client);
    filterLine_ = named(new QLineEdit(treePane_), "FilterLine");
    filterLine_->setAccessibleName(QStringLiteral("Filter"));
    filterLine_->setClearButtonEnabled(true);
    filterLine_->hide();
    offerStrip_ = new OfferStripWidget(treePane_);
    offerStrip_->hide();
    treeView_ = named(new NodeTreeView(treePane_), "TreeView");
    auto* pane = new QVBoxLayout(treePane_);
    pane->setContentsMargins(0, 0, 0, 0);
    pane->setSpacing(0);
    // The layout of the window sizes the pane; the pane must not hold it to
    // a size of its own.
    pane->setSizeConstraint(QLayout::SetNoConstraint);
    pane->addWidget(offerStrip_);
    pane->addWidget(filterLine_);
    pane->addWidget(treeView_);
    pathDisp_ = named(plainLabel(client), "PathDisp");
    pathDisp_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->setObjectName(QStringLiteral("BarStatus"));
    statusLabel_ = new HintLabel(statusBar());
    statusBar()->addWidget(statusLabel_, 1);
    new ListFocusSwap(*dirList_, *fileList_, this);
    nameForScreenReaders();
    nameKeys();
    // The tree is what the window is for: the keys start there at its first
    // showing, not in the drive list that comes first in the tab order.
    treeView_->setFocus(Qt::OtherFocusReason);
}

// What a screen reader calls each control. The status line's label is left
// unnamed: its name is the text it shows.
void MainWindowWidget::nameForScreenReaders() {
    driveList_->setAccessibleName(QStringLiteral("Drive"));
    dirList_->setAccessibleName(QStringLiteral("Folders"));
    fileList_->setAccessibleName(QStringLiteral("Files"));
    treeView_->setAccessibleName(QStringLiteral("Shortcuts"));
    pathDisp_->setAccessibleName(QStringLiteral("Path"));
    statusBar()->setAccessibleName(QStringLiteral("Status"));
}

// What each control's keys are, shown as its tooltip and read by a screen
// reader as its description.
void MainWindowWidget::nameKeys() {
    driveList_->setToolTip(KeyHelpTexts::driveList());
    dirList_->setToolTip(KeyHelpTexts::dirList());
    fileList_->setToolTip(KeyHelpTexts::fileList());
    treeView_->setToolTip(KeyHelpTexts::tree());
    filterLine_->setToolTip(KeyHelpTexts::filterLine());
}

MainWindowWidget::~MainWindowWidget() = default;

// A move that a control did not take reaches the window too: only one where
// no control is counts as over the bare window.
bool MainWindowWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::MouseMove && onMouseMove &&
        !centralWidget()->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
        onMouseMove();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
    if (onCloseRequest && onCloseRequest()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

// A larger font at run time needs taller one-line controls: the layout
// runs again as for a resize.
void MainWindowWidget::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::FontChange && onResize)
        onResize();
}

void MainWindowWidget::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (onResize)
        onResize();
}
