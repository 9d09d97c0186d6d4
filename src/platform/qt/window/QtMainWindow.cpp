#include "QtMainWindow.h"

#include "platform/qt/TwipsScale.h"
#include "platform/qt/browser/BrowserListView.h"
#include "platform/qt/browser/QtBrowserLists.h"
#include "platform/qt/browser/QtDriveList.h"
#include "platform/qt/bus/ActivationToken.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/QtFilterLine.h"
#include "platform/qt/tree/QtOfferStrip.h"
#include "platform/qt/tree/QtTreeView.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtPathLabel.h"
#include "platform/qt/window/QtStatusBar.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace {
// The controls' rectangles as the window was designed, in twips: top, left,
// height, width.
const std::map<Control, TwipsRect> DesignedControls = {
    {Control::DriveList, {120, 120, 315, 2775}}, {Control::DirList, {600, 120, 2280, 2775}},
    {Control::FileList, {600, 120, 2040, 2775}}, {Control::TreeView, {120, 3000, 2775, 3735}},
    {Control::PathDisp, {3000, 120, 300, 6615}},
};
// The designed size of the window: the controls' area and a status line.
constexpr int DesignedWidth = 6855;
constexpr int DesignedHeight = 3420 + 330;

TwipsScale screenScale(const QScreen* screen) {
    return TwipsScale(screen ? screen->logicalDotsPerInchX() : 96.0);
}
}  // namespace

QtMainWindow::QtMainWindow(const Controls& controls)
    : parts_(controls), rect_{0, 0, DesignedHeight, DesignedWidth}, controls_(DesignedControls) {}

QtMainWindow::~QtMainWindow() {
    // The controls' ports outlive the widgets: they must let go first.
    parts_.pathLabel.bind(nullptr);
    parts_.statusBar.bind(nullptr);
    parts_.driveList.bind(nullptr);
    parts_.dirList.bind(nullptr);
    parts_.fileList.bind(nullptr);
    parts_.treeView.bind(nullptr);
    parts_.filterLine.bind(nullptr, nullptr, nullptr);
    parts_.offerStrip.bind(nullptr);
}

void QtMainWindow::build() {
    widget_ = std::make_unique<MainWindowWidget>();
    // A window shown from the tray often does not get the focus, and a
    // node's tooltip ("Not found: ...") must show all the same.
    widget_->setAttribute(Qt::WA_AlwaysShowToolTips);
    widget_->onCloseRequest = [this] {
        return !quitting_ && events_ && events_->Form_QueryUnload(vbFormControlMenu);
    };
    widget_->onResize = [this] {
        if (events_)
            events_->Form_Resize();
    };
    for (const auto& [control, rect] : controls_)
        setControlRect(control, rect);
    setGeometry(rect_);
    setWindowState(state_);
    setMousePointer(pointer_);
    widget_->onMouseMove = [this] {
        if (events_)
            events_->Form_MouseMove();
    };
    parts_.pathLabel.bind(widget_->pathLabel());
    parts_.statusBar.bind(widget_->statusLabel());
    parts_.driveList.bind(widget_->driveList());
    parts_.dirList.bind(widget_->dirList());
    parts_.fileList.bind(widget_->fileList());
    parts_.treeView.bind(widget_->treeView());
    parts_.filterLine.bind(widget_->filterLine(), widget_.get(), widget_->treeView());
    parts_.offerStrip.bind(widget_->offerStrip());
}

QWidget* QtMainWindow::shownWidget() const {
    return isVisible() ? widget_.get() : nullptr;
}

QWidget* QtMainWindow::controlWidget(Control control) const {
    switch (control) {
    case Control::DriveList:
        return widget_->driveList();
    case Control::DirList:
        return widget_->dirList();
    case Control::FileList:
        return widget_->fileList();
    case Control::TreeView:
        return widget_->treePane();
    case Control::PathDisp:
        return widget_->pathLabel();
    case Control::BarStatus:
        break;  // the status line is laid out by the window
    }
    return nullptr;
}

void QtMainWindow::show() {
    if (!widget_)
        build();
    widget_->show();
}

void QtMainWindow::hide() {
    if (widget_)
        widget_->hide();
}

bool QtMainWindow::isVisible() const {
    return widget_ && widget_->isVisible();
}

void QtMainWindow::bringToFront() {
    if (!widget_)
        return;
    widget_->raise();
    widget_->activateWindow();
}

// The window's own area, without the frame: the frame belongs to the window
// manager and is unknown until the window was first shown, so a rectangle
// that included it would grow by the frame each time it was restored.
TwipsRect QtMainWindow::geometry() const {
    return widget_ ? TwipsScale::of(widget_.get()).toTwips(widget_->geometry()) : rect_;
}

bool QtMainWindow::knowsPosition() const {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void QtMainWindow::setGeometry(const TwipsRect& rect) {
    rect_ = rect;
    if (!widget_)
        return;
    const QRect pixels = TwipsScale::of(widget_.get()).toPixels(rect);
    widget_->setGeometry(pixels.x(), pixels.y(), std::max(1, pixels.width()),
                         std::max(1, pixels.height()));
}

int QtMainWindow::windowState() const {
    if (!widget_)
        return state_;
    const Qt::WindowStates states = widget_->windowState();
    if (states & Qt::WindowMinimized)
        return StateMinimized;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return StateMaximized;
    return StateNormal;
}

void QtMainWindow::setWindowState(int state) {
    state_ = state;
    if (!widget_)
        return;
    Qt::WindowStates states = widget_->windowState() &
                              ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (state == StateMinimized)
        states |= Qt::WindowMinimized;
    else if (state == StateMaximized)
        states |= Qt::WindowMaximized;
    widget_->setWindowState(states);
}

TwipsSize QtMainWindow::screenSize() const {
    const QScreen* screen = widget_ ? widget_->screen() : QGuiApplication::primaryScreen();
    const TwipsScale twips = screenScale(screen);
    const QSize pixels = screen ? screen->geometry().size() : QSize();
    return {twips.toTwips(pixels.width()), twips.toTwips(pixels.height())};
}

float QtMainWindow::twipsPerPixelX() const {
    const TwipsScale twips =
        widget_ ? TwipsScale::of(widget_.get()) : screenScale(QGuiApplication::primaryScreen());
    return static_cast<float>(twips.twipsPerPixel());
}

void QtMainWindow::setMousePointer(int pointer) {
    pointer_ = pointer;
    if (!widget_)
        return;
    if (pointer == PointerBusy)
        widget_->setCursor(Qt::WaitCursor);
    else
        widget_->unsetCursor();
}

std::optional<TwipsRect> QtMainWindow::controlRect(Control control) const {
    if (!widget_) {
        const auto it = controls_.find(control);
        return it == controls_.end() ? std::nullopt : std::optional<TwipsRect>(it->second);
    }
    const QWidget* widget = controlWidget(control);
    if (!widget)
        return std::nullopt;
    return TwipsScale::of(widget_.get()).toTwips(widget->geometry());
}

void QtMainWindow::setControlRect(Control control, const TwipsRect& rect) {
    if (!DesignedControls.contains(control))
        return;
    controls_[control] = rect;
    if (QWidget* widget = widget_ ? controlWidget(control) : nullptr)
        widget->setGeometry(TwipsScale::of(widget_.get()).toPixels(rect));
}

bool QtMainWindow::isActive() const {
    return widget_ && widget_->isActiveWindow();
}

void QtMainWindow::useActivationToken(const QString& token) {
    UseActivationToken(token);
}

void QtMainWindow::quit() {
    // exit() rather than quit(): quit() would ask the windows to close again.
    quitting_ = true;
    QCoreApplication::exit(0);
}

// What a line of the control's text needs in its font, frame included: the
// combo box's own size hint, and for the label its line, frame and margins.
std::int32_t QtMainWindow::controlMinHeight(Control control) const {
    if (!widget_)
        return 0;
    int pixels = 0;
    if (control == Control::DriveList) {
        pixels = widget_->driveList()->sizeHint().height();
    } else if (control == Control::PathDisp) {
        const QLabel* label = widget_->pathLabel();
        const int frame = label->height() - label->contentsRect().height();
        pixels = label->fontMetrics().height() + frame + 2 * label->margin();
    }
    return TwipsScale::of(widget_.get()).toTwips(pixels);
}
