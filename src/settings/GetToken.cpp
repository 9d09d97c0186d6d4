#include "GetToken.h"

QStringView TrimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

TokenCut GetToken(QStringView line, QStringView delimiter) {
    static constexpr char16_t comma[] = u",";
    if (delimiter.isEmpty())
        delimiter = QStringView(comma, 1);
    line = TrimBlanks(line);
    const qsizetype at = line.indexOf(delimiter, 0, Qt::CaseSensitive);
    if (at < 0)
        return {line, QStringView(), false};
    return {TrimBlanks(line.first(at)), TrimBlanks(line.sliced(at + delimiter.size())), true};
}
