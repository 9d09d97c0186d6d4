#pragma once

#include "platform/Shell.h"

// Hands URLs to the desktop's default handler (QDesktopServices).
class QtShell : public Shell {
public:
    void open(const QUrl& url, Done done) override;
};
