#include "jobpool/ServeWaitingMessages.h"

#include <windows.h>

void ServeWaitingMessages()
{
    MSG message;
    // Peeking delivers the sent messages before it looks at the queue.
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (message.message == WM_QUIT) return;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
        if (message.message == WM_QUIT) {
            // Only reached when the message seen first went away in between.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
