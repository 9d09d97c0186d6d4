#include "BookmarkOffer.h"

#include "SettingsStore.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "settings/SettingsKeys.h"
#include "tree/BookmarkImport.h"
#include "tree/BookmarkTexts.h"
#include "tree/TreeFilter.h"

BookmarkOffer::BookmarkOffer(const Platform& platform, const Parts& parts)
    : platform_(platform), parts_(parts) {}

BookmarkOffer::~BookmarkOffer() {
    if (offering_)
        parts_.history.SetInsertWatcher({});
}

// The files are small and local, so they are read here; the paths they
// name are not looked at.
void BookmarkOffer::WindowShown() {
    if (looked_)
        return;
    looked_ = true;
    if (parts_.tree.First())
        return;
    const std::optional<QString> answer =
        parts_.settings.OwnSetting(SettingsKeys::BookmarkOfferAnswered);
    if (answer && answer->compare(SettingsKeys::True, Qt::CaseInsensitive) == 0)
        return;
    const qsizetype count = parts_.import.Importable();
    if (count == 0)
        return;
    offering_ = true;
    parts_.history.SetInsertWatcher([this] {
        if (parts_.tree.First())
            withdraw();
    });
    platform_.offerStrip.showOffer(
        {BookmarkTexts::offer(count), BookmarkTexts::offerAccept(), BookmarkTexts::offerDecline()});
}

void BookmarkOffer::withdraw() {
    if (!offering_)
        return;
    offering_ = false;
    parts_.history.SetInsertWatcher({});
    platform_.offerStrip.hideOffer();
}

void BookmarkOffer::answered() {
    parts_.settings.SetOwnSetting(SettingsKeys::BookmarkOfferAnswered, SettingsKeys::True);
}

// A filter typed meanwhile ends first: the import adds to the tree.
void BookmarkOffer::OfferAccept_Click() {
    if (!offering_)
        return;
    withdraw();
    answered();
    parts_.filter.End();
    parts_.import.tvImportBookmarks_Click();
}

void BookmarkOffer::OfferDecline_Click() {
    if (!offering_)
        return;
    withdraw();
    answered();
}
