#pragma once

// Serves the messages other threads send to this thread's windows, then
// dispatches the messages waiting in its queue. A waiting WM_QUIT stays in
// the queue and ends the serving, so the caller's own loop still sees it.
void ServeWaitingMessages();
