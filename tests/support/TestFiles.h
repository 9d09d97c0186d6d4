#pragma once

// Files, warnings and trees as the logic tests write, expect and read them.
#include "FormHarness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

inline QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the file whole, making its folder first.
inline void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

inline void expectWarning(const char* pattern, int times = 1) {
    while (times-- > 0)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QLatin1String(pattern)));
}

// Every label of the tree, in document order.
inline QStringList labels(const NodeTree& tree) {
    QStringList texts;
    for (const TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node))
        texts << node->Text();
    return texts;
}

// The first node labelled so, in document order; a test that names one
// that is not there is wrong.
inline TreeNode* nodeLabelled(const NodeTree& tree, const QString& label) {
    for (TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node)) {
        if (node->Text() == label)
            return node;
    }
    qFatal("no node labelled %s", qPrintable(label));
}

inline QStringList quickCaptions(const FormHarness& h) {
    QStringList captions;
    for (const QuickEntry& entry : h.form->tray().Quick().Entries())
        captions << entry.caption;
    return captions;
}
