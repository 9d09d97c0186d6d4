#pragma once

#include "model/NodeTree.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <random>

// A tree of the size and kind a heavy user keeps: folders of projects and
// years, items named as people name files (words, dates, camera numbers, a
// few accented names) pointing at paths under a home directory, added as
// the settings reader adds them. The same count gives the same tree.
inline void FillRealisticTree(NodeTree& tree, int count) {
    static const char* const words[] = {
        "report",   "invoice", "photos",    "project",  "budget",  "notes",    "music",
        "backup",   "résumé",  "Übersicht", "scripts",  "config",  "download", "holiday",
        "meeting",  "draft",   "thesis",    "tax",      "archive", "server",   "client",
        "design",   "manual",  "letters",   "contract", "slides",  "recipes",  "garden",
        "accounts", "school",  "travel",    "Zürich",   "café",    "kernel",   "build",
        "release",  "minutes", "plans",     "scans",    "videos",  "papers",   "family"};
    static const char* const extensions[] = {".pdf", ".odt", ".txt", ".jpg",  ".png", ".ods",
                                             ".mp3", ".sh",  ".c",   ".html", ""};
    constexpr int wordCount = int(std::size(words));
    std::mt19937 random(20260105);
    const auto word = [&] { return QByteArray(words[random() % wordCount]); };
    const auto capitalised = [&] {
        QByteArray w = word();
        if (!w.isEmpty() && w[0] >= 'a' && w[0] <= 'z')
            w[0] = char(w[0] - 'a' + 'A');
        return w;
    };
    const QString closed = QStringLiteral("closed"), open = QStringLiteral("open");
    const QString image = QStringLiteral("leaf");
    int made = 0;
    for (int top = 0; made < count; ++top) {
        const QByteArray topName = capitalised() + ' ' + QByteArray::number(2000 + top % 27);
        const QByteArray topPath = "/home/anna/" + word() + '/' + topName;
        TreeNode* folder = tree.AppendLoaded(nullptr, topName, topPath, closed, open, false);
        ++made;
        for (int sub = 0; sub < 10 && made < count; ++sub) {
            const QByteArray subName = capitalised() + ' ' + word();
            const QByteArray subPath = topPath + '/' + subName;
            TreeNode* inner = tree.AppendLoaded(folder, subName, subPath, closed, open, false);
            ++made;
            for (int item = 0; item < 99 && made < count; ++item, ++made) {
                QByteArray name;
                switch (random() % 4) {
                case 0:
                    name = "IMG_" + QByteArray::number(1000 + int(random() % 9000));
                    break;
                case 1:
                    name = capitalised() + ' ' + QByteArray::number(1 + int(random() % 28)) + '-' +
                           QByteArray::number(1 + int(random() % 12));
                    break;
                case 2:
                    name = word() + '_' + word();
                    break;
                default:
                    name = capitalised() + ' ' + word() + ' ' + word();
                    break;
                }
                const QByteArray file = name + extensions[random() % std::size(extensions)];
                tree.AppendLoaded(inner, file, subPath + '/' + file, image, QString(), false);
            }
        }
    }
}

// One realistic tree of 100 000 nodes for the run, made at its first use and
// kept: the benchmarks that only read it share it.
inline const NodeTree& BigRealisticTree() {
    static const NodeTree* tree = [] {
        auto* made = new NodeTree;
        FillRealisticTree(*made, 100000);
        return made;
    }();
    return *tree;
}
