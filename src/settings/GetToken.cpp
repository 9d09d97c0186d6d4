#include "GetToken.h"

#include <cstring>

namespace {
template <typename View>
View trimSpaces(View text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}
}  // namespace

QStringView TrimBlanks(QStringView text) {
    return trimSpaces(text);
}

QByteArrayView TrimBlanks(QByteArrayView bytes) {
    return trimSpaces(bytes);
}

TokenCut GetToken(QByteArrayView line, QByteArrayView delimiter) {
    if (delimiter.isEmpty())
        delimiter = ",";
    line = TrimBlanks(line);
    // A file of many lines is cut at one byte, many times a line.
    qsizetype at = -1;
    if (delimiter.size() == 1 && !line.isEmpty()) {
        if (const void* found =
                std::memchr(line.data(), delimiter.front(), std::size_t(line.size())))
            at = static_cast<const char*>(found) - line.data();
    } else {
        at = line.indexOf(delimiter);
    }
    if (at < 0)
        return {line, QByteArrayView(), false};
    return {TrimBlanks(line.first(at)), TrimBlanks(line.sliced(at + delimiter.size())), true};
}
