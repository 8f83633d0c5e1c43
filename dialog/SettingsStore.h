#pragma once
// The only code that touches the program's settings key: text values under HKCU\SOFTWARE\Reelsift.

#include "framework/String.h"

// Writes one text value. Creates the key when it is missing, so that settings persist on a fresh account; a key
// that exists but cannot be written is left alone.
void WriteSettingString(const CString& name, const CString& text);

// Reads one text value; the empty string when the key or the value is missing or the value is not a well-formed
// string of at most 259 characters. Never creates the key.
CString ReadSettingString(const CString& name);
