#include "XbelWriter.h"

#include "BookmarkFiles.h"
#include "model/NodeTree.h"

#include <QXmlStreamWriter>
#include <vector>

namespace {
// XML 1.0 has no place for most control characters and for a lone half of
// a surrogate pair: a label holding one would make the document unreadable.
QString xmlText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
            continue;
        }
        const char16_t u = c.unicode();
        const bool control = u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r';
        if (!control && !c.isSurrogate() && u != 0xfffe && u != 0xffff)
            out += c;
    }
    return out;
}

void writeBookmark(QXmlStreamWriter& xml, const QString& label, const QString& path) {
    xml.writeStartElement(QStringLiteral("bookmark"));
    xml.writeAttribute(QStringLiteral("href"), xmlText(AddressOf(path)));
    xml.writeTextElement(QStringLiteral("title"), xmlText(label));
    xml.writeEndElement();
}

// The node after the last one of the folder's subtree in document order.
const TreeNode* pastSubtree(const TreeNode* folder) {
    for (const TreeNode* n = folder; n; n = n->Parent()) {
        if (n->Next())
            return n->Next();
    }
    return nullptr;
}
}  // namespace

// The nodes in document order, without recursion: a tree nested however
// deep is written whole.
QByteArray WriteXbel(const NodeTree& tree, const TreeNode* folder) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE xbel>"));
    xml.writeStartElement(QStringLiteral("xbel"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    const TreeNode* const end = folder ? pastSubtree(folder) : nullptr;
    std::vector<const TreeNode*> open;  // the folders whose element is open
    for (const TreeNode* node = folder ? folder : tree.First(); node != end;
         node = NodeTree::NextInDocumentOrder(node)) {
        while (!open.empty() && node->Parent() != open.back()) {
            xml.writeEndElement();
            open.pop_back();
        }
        if (!node->IsFolder()) {
            writeBookmark(xml, node->Text(), node->Tag());
            continue;
        }
        xml.writeStartElement(QStringLiteral("folder"));
        xml.writeTextElement(QStringLiteral("title"), xmlText(node->Text()));
        if (!node->Tag().isEmpty())
            writeBookmark(xml, node->Text(), node->Tag());
        open.push_back(node);
    }
    for (; !open.empty(); open.pop_back())
        xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}
