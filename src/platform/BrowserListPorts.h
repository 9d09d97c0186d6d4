#pragma once

// The directory and file lists of the browser share one place: the logic
// decides which of them shows. Either may be set while the window is hidden.
class DirListPort {
public:
    virtual ~DirListPort() = default;
    virtual void setVisible(bool visible) = 0;
};

class FileListPort {
public:
    virtual ~FileListPort() = default;
    virtual void setVisible(bool visible) = 0;
};
