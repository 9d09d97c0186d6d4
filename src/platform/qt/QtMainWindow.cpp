#include "QtMainWindow.h"

#include "NodeTreeView.h"
#include "TreeViewController.h"
#include "TwipsScale.h"
#include "VarnelResources.h"
#include "platform/MainWindowEvents.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QStatusBar>
#include <cmath>

namespace {
// The controls' rectangles as the window was designed, in twips.
struct DesignedControl {
    Control control;
    TwipsRect rect;  // top, left, height, width
};
constexpr DesignedControl DesignedControls[] = {
    {Control::DriveList, {120, 120, 315, 2775}}, {Control::DirList, {600, 120, 2280, 2775}},
    {Control::FileList, {600, 120, 2040, 2775}}, {Control::TreeView, {120, 3000, 2775, 3735}},
    {Control::PathDisp, {3000, 120, 300, 6615}},
};
// The designed inner size of the window above the status line, in twips.
constexpr int DesignedClientWidth = 6855;
constexpr int DesignedClientHeight = 3420;

QLabel* plainLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);  // paths may hold '<' and '&'
    return label;
}
}  // namespace

QtMainWindow::QtMainWindow(QWidget* parent) : QMainWindow(parent) {
    initVarnelResources();
    setObjectName(QStringLiteral("FrmVarnel"));
    setWindowTitle(QStringLiteral("Varnel"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/varnel-64.png")));

    auto* client = new QWidget(this);
    setCentralWidget(client);
    driveList_ = new QComboBox(client);
    driveList_->setObjectName(QStringLiteral("DriveList"));
    dirList_ = new QListWidget(client);
    dirList_->setObjectName(QStringLiteral("DirList"));
    fileList_ = new QListWidget(client);
    fileList_->setObjectName(QStringLiteral("FileList"));
    fileList_->hide();  // the directory list shares its place and shows first
    treeView_ = new NodeTreeView(client);
    treeView_->setObjectName(QStringLiteral("TreeView"));
    pathDisp_ = plainLabel(client);
    pathDisp_->setObjectName(QStringLiteral("PathDisp"));
    pathDisp_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pathDisp_->installEventFilter(this);

    statusBar()->setObjectName(QStringLiteral("BarStatus"));
    statusLabel_ = plainLabel(statusBar());
    statusBar()->addWidget(statusLabel_, 1);

    treeController_ = new TreeViewController(*treeView_, this);

    for (const DesignedControl& designed : DesignedControls)
        setControlRect(designed.control, designed.rect);
    const TwipsScale twips = scale();
    resize(twips.toPixels(DesignedClientWidth),
           twips.toPixels(DesignedClientHeight) + statusBar()->sizeHint().height());
}

QtMainWindow::~QtMainWindow() = default;

void QtMainWindow::attach(MainWindowEvents* events, NodeTreeModel* model) {
    events_ = events;
    treeController_->attach(model, events);
}

TwipsScale QtMainWindow::scale() const {
    return TwipsScale::of(this);
}

QWidget* QtMainWindow::controlWidget(Control control) const {
    switch (control) {
    case Control::DriveList:
        return driveList_;
    case Control::DirList:
        return dirList_;
    case Control::FileList:
        return fileList_;
    case Control::TreeView:
        return treeView_;
    case Control::PathDisp:
        return pathDisp_;
    case Control::BarStatus:
        return nullptr;
    }
    return nullptr;
}

void QtMainWindow::show() {
    QMainWindow::show();
}

void QtMainWindow::hide() {
    QMainWindow::hide();
}

bool QtMainWindow::isVisible() const {
    return QMainWindow::isVisible();
}

void QtMainWindow::bringToFront() {
    raise();
    activateWindow();
}

// The window's own area, without the frame: the frame belongs to the window
// manager and is unknown until the window was first shown, so a rectangle
// that included it would grow by the frame each time it was restored.
TwipsRect QtMainWindow::geometry() const {
    return scale().toTwips(QMainWindow::geometry());
}

void QtMainWindow::setGeometry(const TwipsRect& rect) {
    const QRect pixels = scale().toPixels(rect);
    QMainWindow::setGeometry(pixels.x(), pixels.y(), std::max(1, pixels.width()), std::max(1, pixels.height()));
}

int QtMainWindow::innerWidth() const {
    return scale().toTwips(width());
}

int QtMainWindow::windowState() const {
    const Qt::WindowStates states = QMainWindow::windowState();
    if (states & Qt::WindowMinimized)
        return StateMinimized;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return StateMaximized;
    return StateNormal;
}

void QtMainWindow::setWindowState(int state) {
    Qt::WindowStates states = QMainWindow::windowState() &
                              ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (state == StateMinimized)
        states |= Qt::WindowMinimized;
    else if (state == StateMaximized)
        states |= Qt::WindowMaximized;
    QMainWindow::setWindowState(states);
}

TwipsSize QtMainWindow::screenSize() const {
    const TwipsScale twips = scale();
    const QSize pixels = screen() ? screen()->geometry().size() : QSize();
    return {twips.toTwips(pixels.width()), twips.toTwips(pixels.height())};
}

void QtMainWindow::setMousePointer(int pointer) {
    if (pointer == PointerBusy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

QString QtMainWindow::pathDisp() const {
    return pathDisp_->text();
}

void QtMainWindow::setPathDisp(const QString& caption) {
    pathDisp_->setText(caption);
}

QString QtMainWindow::statusText() const {
    return statusLabel_->text();
}

void QtMainWindow::setStatusText(const QString& text) {
    statusLabel_->setText(text);
}

std::optional<TwipsRect> QtMainWindow::controlRect(Control control) const {
    const QWidget* widget = controlWidget(control);
    if (!widget)
        return std::nullopt;  // the status line is laid out by the window
    return scale().toTwips(widget->geometry());
}

void QtMainWindow::setControlRect(Control control, const TwipsRect& rect) {
    if (QWidget* widget = controlWidget(control))
        widget->setGeometry(scale().toPixels(rect));
}

bool QtMainWindow::isControlVisible(Control control) const {
    const QWidget* widget = controlWidget(control);
    // Asked of the window, so the answer holds while the window is hidden.
    return widget ? widget->isVisibleTo(this) : statusBar()->isVisibleTo(this);
}

void QtMainWindow::setControlVisible(Control control, bool visible) {
    if (QWidget* widget = controlWidget(control))
        widget->setVisible(visible);
    else
        statusBar()->setVisible(visible);
}

void QtMainWindow::quit() {
    // exit() rather than quit(): quit() would ask the windows to close again.
    quitting_ = true;
    QCoreApplication::exit(0);
}

TreeNode* QtMainWindow::HitTest(float x, float y) const {
    const QPointF pixels = scale().toPixels(x, y);
    return treeController_->nodeAt(
        QPoint(static_cast<int>(std::floor(pixels.x())), static_cast<int>(std::floor(pixels.y()))));
}

void QtMainWindow::EnsureVisible(TreeNode* node) {
    treeController_->ensureVisible(node);
}

int QtMainWindow::GetVisibleCount() const {
    return treeController_->visibleCount();
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    if (!quitting_ && events_ && events_->Form_QueryUnload(vbFormControlMenu)) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void QtMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (events_)
        events_->Form_Resize();
}

bool QtMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pathDisp_ && event->type() == QEvent::MouseButtonDblClick) {
        if (events_)
            events_->PathDisp_DblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
