#pragma once

#include "platform/Shell.h"

// Hands URLs to the desktop's default handler (QDesktopServices).
class QtShell : public Shell {
public:
    bool openUrl(const QUrl& url) override;
};
