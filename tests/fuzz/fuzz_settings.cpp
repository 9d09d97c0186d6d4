// Reads any bytes as a settings file, saves what it read, reads that save and
// saves again. The two saves must be equal: a file must read the same before
// and after a save, or every save would change what the user has. The
// sanitizers catch crashes, undefined behaviour and leaks along the way.
#include "RecordingSink.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
QByteArray readAndSave(const QByteArray& bytes) {
    NodeTree tree;
    RecordingSink sink(tree);
    ReadSettingsText(bytes, sink, tree);
    return WriteSettingsText(sink.values, tree, sink.quickList);
}

// A saved text's lines without their CRLF, which ends every one.
QList<QByteArray> linesOf(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    lines.removeLast();  // after the last line break
    for (QByteArray& line : lines)
        line.chop(1);  // the CR
    return lines;
}

// The first line where the two saves part is what one needs to see of an
// input of many kilobytes; TABs and other bytes come out as %XX.
void reportDifference(const QByteArray& first, const QByteArray& second) {
    const QList<QByteArray> a = linesOf(first);
    const QList<QByteArray> b = linesOf(second);
    qsizetype line = 0;
    while (line < a.size() && line < b.size() && a[line] == b[line])
        ++line;
    const auto shown = [line](const QList<QByteArray>& lines) {
        if (line >= lines.size())
            return QByteArray("(end of file)");
        return lines[line].toPercentEncoding(" /=[]");
    };
    std::fprintf(stderr, "Saving what was read changed line %lld:\n  first:  %s\n  second: %s\n",
                 static_cast<long long>(line + 1), shown(a).constData(), shown(b).constData());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray saved = readAndSave(bytes);
    const QByteArray savedAgain = readAndSave(saved);
    if (saved != savedAgain) {
        reportDifference(saved, savedAgain);
        std::abort();
    }
    return 0;
}
