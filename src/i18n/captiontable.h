#pragma once

#include <QAnyStringView>
#include <QString>
#include <QStringList>

#include <array>

// The rows of the language table (captiontable.cpp), as src/i18n/CMakeLists.txt
// counts them; the table checks the count.
inline constexpr int LanguageCount = TRAILCAM_LANGUAGE_COUNT;
inline constexpr int CaptionCount = 43;
inline constexpr int ItemListCount = 10;

// Controls retitled by a language switch, in caption order.
extern const std::array<const char *, CaptionCount> CaptionControls;
// Combo boxes rebuilt by a language switch, in item-list order.
extern const std::array<const char *, ItemListCount> ItemListControls;

struct CaptionEntry
{
    std::array<QString, CaptionCount> captions;
    std::array<QStringList, ItemListCount> items;
};

// The texts of one language, 0 (English) to LanguageCount - 1, in the order of
// LanguageNames(); another index is a caller's fault (asserted) and gives
// English. Built on first use.
const CaptionEntry &CaptionTable(int language);

// How many items the combo box `control` offers at most: in its start-up list
// or in any language's. A box that a switch rebuilds may offer more in a
// language than at start (English adds "TimeLapse" to modecmb). 0 for a
// control without items.
int MostItems(QAnyStringView control);
