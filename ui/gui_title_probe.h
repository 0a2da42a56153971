#pragma once
// The GUI tests' title probe: a DLL that a WH_CALLWNDPROCRET hook loads into the program under
// test, so that every text a window is given (each WM_SETTEXT, once handled) is seen where it
// happens, however fast the program goes on. Each text is appended to the shared text
// kTitleProbeText as one line: the window handle in hexadecimal, '|', the window's text.
inline constexpr wchar_t kTitleProbeText[] = L"ZelmoraGuiTest.TitleProbeText";
inline constexpr char kTitleProbeHookName[] = "TitleProbeHook";
inline constexpr unsigned kTitleProbeTextChars = 65536;
