#pragma once
#include <windows.h>

#include <vector>

// Real input through SendInput, as a user gives it.
struct KeyStroke {
  WORD key;
  bool shift = false;
};

void AddKey(std::vector<INPUT>& inputs, WORD key, bool down);
void AddKeyStroke(std::vector<INPUT>& inputs, KeyStroke stroke);
void AddClick(std::vector<INPUT>& inputs, POINT screen);

// Sends the inputs, then F24 as a marker, and runs the calling thread's message
// loop (with IsDialogMessage for `dialog`) until the marker arrives: by then
// every earlier input has been handled. False if it never arrives.
bool SendInputAndSettle(std::vector<INPUT> inputs, HWND dialog);

POINT CentreOnScreen(HWND window);
