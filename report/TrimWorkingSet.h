#pragma once

// Asks the system to take back as many of the process's pages as it can, so
// that hashing a large file leaves no large working set behind.
void TrimWorkingSet();
