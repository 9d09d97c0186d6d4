#include "WebAddress.h"

#include <array>

namespace {
// Each scheme with what must follow its colon; an address names something
// after that.
constexpr std::array<QStringView, 3> Starts{u"http://", u"https://", u"mailto:"};
}  // namespace

bool IsWebAddress(QStringView path) {
    for (const QStringView start : Starts) {
        if (path.size() > start.size() && path.startsWith(start, Qt::CaseInsensitive))
            return true;
    }
    return false;
}
