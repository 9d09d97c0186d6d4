#pragma once

#include "platform/OfferStripPort.h"
#include "platform/Platform.h"

class BookmarkImport;
class NodeTree;
class SettingsStore;
class TreeFilter;
class TreeHistory;

// The one offer to bring the file manager's bookmarks in: made in a strip
// over the tree when the window is first shown with an empty tree and
// there are bookmarks to bring. Answered either way, it is never made
// again; left unanswered, it is made again at the next run. A tree that
// gets a node meanwhile needs it no longer: the strip goes, unanswered.
class BookmarkOffer : public OfferStripEvents {
public:
    struct Parts {
        NodeTree& tree;
        TreeHistory& history;  // tells of nodes coming into the tree
        SettingsStore& settings;
        BookmarkImport& import;
        TreeFilter& filter;
    };
    BookmarkOffer(const Platform& platform, const Parts& parts);
    ~BookmarkOffer() override;
    BookmarkOffer(const BookmarkOffer&) = delete;
    BookmarkOffer& operator=(const BookmarkOffer&) = delete;

    void WindowShown();
    bool Offering() const { return offering_; }

    void OfferAccept_Click() override;
    void OfferDecline_Click() override;

private:
    void withdraw();
    void answered();

    Platform platform_;
    Parts parts_;
    bool looked_ = false;  // the window's first showing has been
    bool offering_ = false;
};
