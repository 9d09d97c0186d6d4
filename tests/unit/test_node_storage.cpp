#include "WarningsFail.h"
#include "model/ChildList.h"
#include "model/ImageTexts.h"
#include "model/NodePool.h"
#include "model/NodeStrings.h"
#include "model/StringArena.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

using namespace Qt::Literals::StringLiterals;

class TestNodeStorage : public WarningsFail {
    Q_OBJECT

private Q_SLOTS:
    // Random texts taken and given back: every number reads back its own
    // text while it is used, equal texts share a number, and a text nobody
    // uses is dropped.
    void imageTextsShareAndGiveBack() {
        ImageTexts texts;
        QCOMPARE(texts.replace(ImageTexts::Empty, u"leaf"_s), ImageTexts::Leaf);
        QVERIFY(texts.text(ImageTexts::Empty).isEmpty());
        std::vector<std::pair<ImageTexts::Id, QString>> held;
        QRandomGenerator random(3);
        for (int step = 0; step < 4000; ++step) {
            if (held.empty() || random.bounded(3)) {
                const QString text = random.bounded(4) ? QString::number(random.bounded(40))
                                                       : u"?"_s + QString::number(step);
                held.emplace_back(texts.replace(ImageTexts::Empty, text), text);
            } else {
                const auto at = held.begin() + random.bounded(int(held.size()));
                texts.release(at->first);
                held.erase(at);
            }
            if (step % 500 == 0) {
                std::map<QString, ImageTexts::Id> ids;
                for (const auto& [id, text] : held) {
                    QCOMPARE(texts.text(id), text);
                    QCOMPARE(ids.emplace(text, id).first->second, id);
                }
                QCOMPARE(texts.used(), int(ids.size()));
            }
        }
        for (const auto& [id, text] : held)
            texts.release(id);
        QCOMPARE(texts.used(), 0);
        QCOMPARE(texts.replace(ImageTexts::Empty, u"open"_s), ImageTexts::Open);
        texts.release(ImageTexts::Open);
        QCOMPARE(texts.text(ImageTexts::Open), u"open"_s);  // the fixed texts stay
    }

    // Every pair of strings reads back as set, whichever is set last and
    // whatever the other holds: non-ASCII, a surrogate pair, lone surrogates
    // (kept as UTF-16, after a UTF-8 text of odd length too), byte-order
    // marks at the start, empty ones.
    // Only a string UTF-8 cannot hold is without its UTF-8.
    void nodeStringsReadBackAsSet() {
        const QString samples[] = {QString(),
                                   u"/home/ann/Caf\u00e9 \u65e5\u672c/report.txt"_s,
                                   u"x"_s,
                                   u"\ufeff\ufeff/b"_s,  // marks that are text
                                   u"\U0001F600 pair"_s,
                                   u"lone "_s + QChar(0xDC80) + u" low"_s,
                                   QString(QChar(0xD83D)),
                                   u"abc"_s + QChar(0xD800)};
        StringArena arena;
        for (const QString& text : samples) {
            for (const QString& tag : samples) {
                NodeStrings strings;
                strings.set(NodeStrings::Tag, tag, arena);
                strings.set(NodeStrings::Text, text, arena);
                QCOMPARE(strings.get(NodeStrings::Text), text);
                QCOMPARE(strings.get(NodeStrings::Tag), tag);
                strings.set(NodeStrings::Tag, text, arena);  // Text's block goes once copied
                QCOMPARE(strings.get(NodeStrings::Text), text);
                QCOMPARE(strings.get(NodeStrings::Tag), text);
                QCOMPARE(strings.isEmpty(NodeStrings::Text), text.isEmpty());
                const auto utf8 = strings.utf8(NodeStrings::Text);
                QCOMPARE(bool(utf8), text.isValidUtf16());
                if (utf8)
                    QCOMPARE(*utf8, text.toUtf8());
                strings.clear(arena);
            }
        }
        NodeStrings strings;
        strings.setUtf8("Caf\xC3\xA9", "", arena);
        QCOMPARE(strings.get(NodeStrings::Text), u"Caf\u00e9"_s);
        QVERIFY(strings.isEmpty(NodeStrings::Tag) && strings.utf8(NodeStrings::Tag));
        strings.setUtf8("", "", arena);
        QVERIFY(strings.get(NodeStrings::Text).isEmpty());
    }

    // Blocks of random sizes, small and beyond the pooled ones, taken and
    // given back at random: none overlaps another (each keeps the bytes
    // written into it), and a block given back is the next one given out of
    // its size, so that a tree edited for long reuses what its edits free.
    void arenaBlocksStayApartAndAreReused() {
        StringArena arena;
        struct Held {
            char* block;
            std::size_t bytes;
            char fill;
        };
        std::vector<Held> held;
        QRandomGenerator random(5);
        const auto intact = [](const Held& h) {
            for (std::size_t i = 0; i < h.bytes; ++i)
                if (h.block[i] != h.fill)
                    return false;
            return true;
        };
        for (int step = 0; step < 20000; ++step) {
            if (held.empty() || random.bounded(5) < 3) {
                const std::size_t bytes =
                    random.bounded(20) ? 8 + random.bounded(120) : 400 + random.bounded(400);
                const char fill = char(step % 127);
                auto* block = static_cast<char*>(arena.allocate(bytes));
                std::memset(block, fill, bytes);
                held.push_back({block, bytes, fill});
            } else {
                const std::size_t at = random.bounded(int(held.size()));
                QVERIFY(intact(held[at]));
                arena.deallocate(held[at].block, held[at].bytes);
                held.erase(held.begin() + qsizetype(at));
            }
        }
        for (const Held& h : held) {
            QVERIFY(intact(h));
            arena.deallocate(h.block, h.bytes);
        }
        void* const kept = arena.allocate(40);
        void* const first = arena.allocate(40);
        arena.deallocate(first, 40);
        QCOMPARE(arena.allocate(37), first);  // the same size class
        void* const other = arena.allocate(100);
        QVERIFY(other != first && other != kept);
        arena.deallocate(other, 100);
        arena.deallocate(first, 37);
        arena.deallocate(kept, 40);
    }

    // Children put in and taken out at random rows, with runs taken off the
    // front as a move empties a folder: the list always reads as a vector
    // doing the same, through growth past the pooled sizes and the front's
    // slots taken back. Several lists share the arena, as a tree's do.
    void childListsReadAsVectors() {
        StringArena arena;
        QRandomGenerator random(9);
        constexpr int Lists = 3;
        ChildList lists[Lists];
        std::vector<TreeNode*> models[Lists];
        for (int step = 0; step < 30000; ++step) {
            ChildList& list = lists[step % Lists];
            std::vector<TreeNode*>& model = models[step % Lists];
            const int size = int(model.size());
            // Grows to a few hundred, then empties now and then.
            if (size == 0 || random.bounded(size < 300 ? 3 : 2) == 0) {
                const int row = random.bounded(3) == 0 ? 0 : random.bounded(size + 1);
                auto* node = reinterpret_cast<TreeNode*>(quintptr(step + 1) * 8);
                list.insert(row, node, arena);
                model.insert(model.begin() + row, node);
            } else {
                const int run = random.bounded(4) == 0 ? size : 1;
                for (int i = 0; i < run; ++i) {
                    const int row = run > 1 ? 0 : random.bounded(size);
                    list.erase(row, arena);
                    model.erase(model.begin() + row);
                }
            }
            QCOMPARE(list.size(), int(model.size()));
            QVERIFY(std::equal(list.begin(), list.end(), model.begin(), model.end()));
            if (!model.empty())
                QVERIFY(list.front() == model.front() && list.back() == model.back());
        }
        for (ChildList& list : lists)
            list.clear(arena);
    }
};

QTEST_GUILESS_MAIN(TestNodeStorage)
#include "test_node_storage.moc"
