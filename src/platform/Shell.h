#pragma once

#include <QUrl>

// The desktop's default handler. open() hands the URL over without a shell
// and without waiting for the handler; it reports only whether the hand-over
// was accepted.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openUrl(const QUrl& url) = 0;
};
