#pragma once

#include <QLatin1String>

// Every text of the settings file, spelled once. The writer emits them as
// they stand (including the lower-case w of "Winwidth="); the reader compares
// keys without regard to case.
namespace SettingsKeys {
inline constexpr QLatin1String FileName{"Varnel.INI"};

inline constexpr QLatin1String WinTop{"WinTop"};
inline constexpr QLatin1String WinLeft{"WinLeft"};
inline constexpr QLatin1String WinHeight{"WinHeight"};
inline constexpr QLatin1String WinWidth{"Winwidth"};
inline constexpr QLatin1String WinState{"WinState"};
inline constexpr QLatin1String Hide{"Hide"};
inline constexpr QLatin1String Path{"Path"};
inline constexpr QLatin1String Drive{"Drive"};
inline constexpr QLatin1String DirPath{"DirPath"};
inline constexpr QLatin1String DirSel{"DirSel"};
inline constexpr QLatin1String DirVis{"DirVis"};
inline constexpr QLatin1String Node{"Node"};
inline constexpr QLatin1String QuickListSection{"[QuickList]"};
inline constexpr QLatin1String Qli{"QLI"};
// Settings of ours that older readers do not know, after all of theirs.
inline constexpr QLatin1String OwnSection{"[Varnel]"};
// In it: the offer to import the file manager's bookmarks was answered.
inline constexpr QLatin1String BookmarkOfferAnswered{"BookmarkOfferAnswered"};

inline constexpr QLatin1String True{"True"};
inline constexpr QLatin1String False{"False"};

inline constexpr char16_t KeySeparator = u'=';
inline constexpr char16_t FieldSeparator = u'\t';
}  // namespace SettingsKeys
