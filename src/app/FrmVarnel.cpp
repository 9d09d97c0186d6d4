#include "FrmVarnel.h"

#include "Timing.h"
#include "platform/Timer.h"

FrmVarnel::FrmVarnel(const Platform& platformServices, const AppPaths& appPaths)
    : platform(platformServices),
      paths(appPaths),
      browser(platform.window),
      sysTray(platform.tray) {
    auto makeTimer = [this](int interval, void (FrmVarnel::*tick)()) {
        std::unique_ptr<Timer> timer = platform.timers.createTimer([this, tick] { (this->*tick)(); });
        timer->setInterval(interval);
        return timer;
    };
    SaveSetTimer = makeTimer(Timing::SaveDelay, &FrmVarnel::SaveSetTimer_Timer);
    UnloadEvent = makeTimer(Timing::UnloadDelay, &FrmVarnel::UnloadEvent_Timer);
    PopMenuEvent = makeTimer(Timing::PopMenuDelay, &FrmVarnel::PopMenuEvent_Timer);
    ShellEvent = makeTimer(Timing::ShellDelay, &FrmVarnel::ShellEvent_Timer);

    sysTray.MouseUp = [this](int button, int iconId) { SysTray_MouseUp(button, iconId); };
}

FrmVarnel::~FrmVarnel() = default;

void FrmVarnel::trayNotify(int iconId, int mouseMessage) { sysTray.notify(iconId, mouseMessage); }
