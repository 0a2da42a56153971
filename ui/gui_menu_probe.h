#pragma once
// The GUI tests' menu probe: a DLL that a message hook loads into the program under test, since
// a menu can be read only inside the process that owns it (so under Wine). When the hooked
// thread takes kMenuProbeMessage from its queue, the probe describes the menu of the message's
// window into the shared text kMenuProbeText, one line per item in menu order:
// depth|fType|fState|wID|popup|text (popup 1 for an item that opens a submenu), and then
// signals kMenuProbeDone.
inline constexpr wchar_t kMenuProbeMessage[] = L"ZelmoraGuiTest.MenuProbe";
inline constexpr wchar_t kMenuProbeText[] = L"ZelmoraGuiTest.MenuProbeText";
inline constexpr wchar_t kMenuProbeDone[] = L"ZelmoraGuiTest.MenuProbeDone";
inline constexpr char kMenuProbeHookName[] = "MenuProbeHook";
inline constexpr unsigned kMenuProbeTextChars = 32768;
