#pragma once

// Releases the program-wide state when the program ends, either way: the main
// window closed, or the Exit button. Runs once however often it is called.
void ExitRoutine();
