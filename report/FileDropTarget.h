#pragma once
#include <windows.h>

#include <string>

// Receives the text of one drop.
using DropDelivery = void (*)(const std::wstring& text);

// Registers an OLE drop target for files dragged from the shell on the window
// and, since OLE looks up the parents of the window under the cursor, on its
// controls too. Each drop delivers one text: the full path of a single item,
// or every path followed by "\r\n" when several come at once. The thread
// must have called OleInitialize.
bool RegisterDropTarget(HWND window, DropDelivery deliver);

// The text a drop of these paths delivers.
std::wstring DropText(const std::wstring* paths, std::size_t count);
