// Every text and buffer of the program is allocated through operator new: when
// memory runs out, the program stops with an error box naming the byte count
// instead of throwing (the program is built without exception handling).
#include <cstdlib>
#include <new>

#include "app/FatalError.h"

namespace {

[[noreturn]] void OutOfMemory(std::size_t size) {
    // Built by hand in static storage: there is no memory to be had.
    static wchar_t message[64] = L"内存不足：无法分配 ";
    wchar_t digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + size % 10);
        size /= 10;
    } while (size != 0);
    wchar_t* end = message;
    while (*end) ++end;
    while (count > 0) *end++ = digits[--count];
    for (const wchar_t* tail = L" 字节。"; *tail;) *end++ = *tail++;
    *end = L'\0';
    FatalError(message);
}

void* Allocate(std::size_t size) {
    if (size == 0) size = 1;
    if (void* memory = std::malloc(size)) return memory;
    OutOfMemory(size);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
