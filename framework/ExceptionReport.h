#pragma once
// What happens to an exception that reaches a Win32 callback (a window or dialog procedure, a thread's entry):
// it must not cross into the system's frames, which cannot unwind it, so the callback catches it, reports it
// here and goes on with the message's default handling or ends its thread.

#include <windows.h>

// The exit code of a thread whose procedure ended with an exception: the system's ERROR_UNHANDLED_EXCEPTION,
// which the MinGW headers do not define.
inline constexpr UINT kExitCodeAfterException = 574;

// Describes the exception being handled and writes it, with the place it was caught, to the debugger output.
// A thrown CFileException* is deleted. Call it only inside a catch block. Allocates nothing, so a
// std::bad_alloc can be reported too.
void ReportCaughtException(const wchar_t* where) noexcept;
