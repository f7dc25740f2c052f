#pragma once
#include <string>

// Writes the bytes as the whole content of the file at path, creating it or
// replacing it. The bytes go to a temporary file in the same folder first,
// which is moved over the target only once every byte is written: a failed
// save leaves an existing file as it was. Returns false on any failure.
bool SaveReport(const std::wstring& path, const std::string& bytes);
