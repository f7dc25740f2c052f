#pragma once

// Writes the skin engine and its skin into the Windows folder and attaches the
// skin to this thread's windows.
void AttachSkin();
