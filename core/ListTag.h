#pragma once

#include <algorithm>

// How much of a list a language file translates, told by the list's tag: lists of numbers,
// codes and names translate no item, lists that start with a word such as "Off" or "None" only
// that first item, every other list all of its items.
namespace ListTag {
constexpr int NoItems = -2;
constexpr int FirstItemOnly = -3;

inline int TranslatedItems(int tag, int count) {
    return tag == NoItems ? 0 : tag == FirstItemOnly ? std::min(1, count) : count;
}
} // namespace ListTag
