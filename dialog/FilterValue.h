#pragma once

#include <string>

#include "download/FilterKind.h"

// The filter combo box's items, in FilterKind order.
extern const wchar_t* const kFilterKindItems[11];

// Example values for the kind; nullptr when no kind is selected (the hint then keeps its text).
const wchar_t* FilterHintText(FilterKind kind);

// What the value box shows instead of a date that cannot be one.
extern const wchar_t kBadDateMessage[];

// The typed value as the kind accepts it: letters lowered, foreign characters dropped, dates checked.
std::wstring CleanFilterValue(FilterKind kind, const std::wstring& typed);
