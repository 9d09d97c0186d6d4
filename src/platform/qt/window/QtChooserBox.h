#pragma once

#include "platform/ChooserBox.h"

class QtMainWindow;

// The chooser box over a QDialog: the prompt, the lines in a list whose
// first line starts chosen, the accepting button and "Cancel". A double
// click on a line takes it. Centred on the main window while it is shown.
class QtChooserBox : public ChooserBoxPort {
public:
    explicit QtChooserBox(const QtMainWindow* owner = nullptr) : owner_(owner) {}
    std::optional<int> choose(const ChooserRequest& request) override;
    // The desktop's own save box where the platform theme gives one, Qt's
    // otherwise; either asks before a file is replaced.
    std::optional<QString> chooseSaveFile(const SaveFileRequest& request) override;

private:
    const QtMainWindow* owner_;
};
