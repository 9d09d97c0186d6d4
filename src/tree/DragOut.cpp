#include "DragOut.h"

#include "files/NameBytes.h"
#include "files/WebAddress.h"
#include "model/NodeTree.h"

namespace {
// The address as typed, with only what an address may not hold as it
// stands escaped (a blank, a control, a letter beyond ASCII), for the line
// of a uri-list to be one. Escapes already there stay as they are.
QByteArray EscapedAddress(const QByteArray& address) {
    constexpr QByteArrayView notInAddresses = "\"<>\\^`{|}";
    QByteArray escaped;
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7f && !notInAddresses.contains(c))
            escaped += c;
        else
            escaped += '%' + QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
    }
    return escaped;
}
}  // namespace

std::optional<OutsideOffer> OutsideOfferOf(const TreeNode* node) {
    if (!node)
        return std::nullopt;
    const QString path = node->Tag();
    if (IsWebAddress(path)) {
        const QByteArray address = path.toUtf8();
        return OutsideOffer{EscapedAddress(address), address};
    }
    if (!path.startsWith(u'/'))
        return std::nullopt;
    const QByteArray bytes = BytesOfName(path);
    return OutsideOffer{"file://" + bytes.toPercentEncoding("/"), bytes};
}
