#include "WarningsFail.h"
#include "model/ImageTexts.h"
#include "model/NodePool.h"

#include <QRandomGenerator>
#include <QTest>

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

    // Slots are distinct, aligned and writable while held; emptied blocks go
    // back, but one is kept for the next node.
    void poolSlotsAreDistinctAndBlocksGoBack() {
        struct Item {
            char bytes[88];
        };
        NodePool pool(sizeof(Item), 8);
        std::map<char*, int> held;
        QRandomGenerator random(5);
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < 5000; ++i) {
                auto* slot = static_cast<char*>(pool.allocate());
                QVERIFY(reinterpret_cast<std::uintptr_t>(slot) % 8 == 0);
                QVERIFY(held.emplace(slot, i).second);
                std::memset(slot, i & 0xff, sizeof(Item));
            }
            for (auto at = held.begin(); at != held.end();) {
                const char* slot = at->first;
                QVERIFY(slot[0] == char(at->second & 0xff) && slot[87] == slot[0]);
                if (random.bounded(2)) {
                    pool.deallocate(at->first);
                    at = held.erase(at);
                } else {
                    ++at;
                }
            }
        }
        QVERIFY(pool.blocks() * (65536 / 88) >= int(held.size()));
        for (const auto& [slot, value] : held)
            pool.deallocate(slot);
        QCOMPARE(pool.blocks(), 1);
        void* again = pool.allocate();
        QCOMPARE(pool.blocks(), 1);
        pool.deallocate(again);
    }
};

QTEST_GUILESS_MAIN(TestNodeStorage)
#include "test_node_storage.moc"
