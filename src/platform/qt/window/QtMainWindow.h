#pragma once

#include "platform/MainWindowPort.h"

#include <QString>
#include <map>
#include <memory>

class MainWindowWidget;
class QtDirList;
class QtDriveList;
class QtFileList;
class QtFilterLine;
class QtOfferStrip;
class QtPathLabel;
class QtStatusBar;
class QtTreeView;
class QWidget;

// The main window for the logic. A program that sits in the tray all day
// should cost little more than its icon, so the widgets are built only when
// the window is first shown; until then what the logic sets (rectangle,
// state, pointer, the controls' rectangles) is kept as data and handed to
// the widgets when they come.
class QtMainWindow : public MainWindowPort {
public:
    struct Controls {
        QtPathLabel& pathLabel;
        QtStatusBar& statusBar;
        QtDriveList& driveList;
        QtDirList& dirList;
        QtFileList& fileList;
        QtTreeView& treeView;
        QtFilterLine& filterLine;
        QtOfferStrip& offerStrip;
    };
    explicit QtMainWindow(const Controls& controls);
    ~QtMainWindow() override;
    QtMainWindow(const QtMainWindow&) = delete;
    QtMainWindow& operator=(const QtMainWindow&) = delete;

    void setEvents(MainWindowEvents* events) { events_ = events; }
    // The widgets, or null before the first showing.
    MainWindowWidget* widget() const { return widget_.get(); }
    // The window to place a box or a menu over, or null while it is hidden.
    QWidget* shownWidget() const;

    void show() override;
    void hide() override;
    bool isVisible() const override;
    void bringToFront() override;
    TwipsRect geometry() const override;
    bool knowsPosition() const override;
    void setGeometry(const TwipsRect& rect) override;
    int windowState() const override;
    void setWindowState(int state) override;
    TwipsSize screenSize() const override;
    float twipsPerPixelX() const override;
    void setMousePointer(int pointer) override;
    std::optional<TwipsRect> controlRect(Control control) const override;
    void setControlRect(Control control, const TwipsRect& rect) override;
    void quit() override;
    bool isActive() const override;
    void useActivationToken(const QString& token) override;
    std::int32_t controlMinHeight(Control control) const override;

private:
    void build();
    QWidget* controlWidget(Control control) const;

    Controls parts_;
    std::unique_ptr<MainWindowWidget> widget_;
    MainWindowEvents* events_ = nullptr;
    // Kept until the widgets exist.
    TwipsRect rect_;
    int state_ = StateNormal;
    int pointer_ = PointerDefault;
    std::map<Control, TwipsRect> controls_;
    bool quitting_ = false;
};
