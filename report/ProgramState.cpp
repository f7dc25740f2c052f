#include "report/ProgramState.h"

JobPool* TheJobPool = nullptr;
std::wstring CurrentPath;
