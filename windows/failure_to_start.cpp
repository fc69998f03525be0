// The demo's failure to start, in a message box: quorl.exe has no console.
// Standard error gets the line too, for whoever started it from one.
#include "failure_to_start.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

void SayFailureToStart(const char* line)
{
    std::fprintf(stderr, "quorl: %s\n", line);
    std::fflush(stderr);
    const int length = static_cast<int>(std::strlen(line));
    std::wstring text(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, line, length, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, line, length, text.data(), static_cast<int>(text.size()));
    MessageBoxW(nullptr, text.c_str(), L"Quorl", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
