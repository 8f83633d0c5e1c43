#pragma once

#include "download/OutputText.h"

// The downloader writes in the system's ANSI code page; this is that code page as one character per byte.
// Bytes that stand for no character on their own (a lead byte of a multi-byte code page, an unassigned
// byte) become U+FFFD.
ByteToCharTable AnsiCodePageTable();
