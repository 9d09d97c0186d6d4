#pragma once

#include <QUrl>
#include <functional>

// The desktop's opener. open() hands the URL over without a shell and
// returns at once; done runs later, on the user-interface thread, with the
// outcome: false when the opener could not be started or ended with a
// failure status, true when it ended well or was still running after a
// short while (it then runs the application itself).
class Shell {
public:
    using Done = std::function<void(bool opened)>;
    virtual ~Shell() = default;
    virtual void open(const QUrl& url, Done done) = 0;
};
