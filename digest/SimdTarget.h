#pragma once
// Lets one function use instructions the rest of the 32-bit build may not
// assume; the caller checks the processor first. MSVC needs no marking.
//
// On i386 Windows starts threads and calls back with the stack aligned to 4
// bytes only, and GCC, even with -mstackrealign, may fold a spilled vector
// into an instruction that faults unless it is 16-byte aligned; so every such
// function realigns the stack on entry.
#if (defined(__GNUC__) || defined(__clang__)) && defined(__i386__)
#define VELQUIN_TARGET(features) __attribute__((target(features), force_align_arg_pointer))
#elif defined(__GNUC__) || defined(__clang__)
#define VELQUIN_TARGET(features) __attribute__((target(features)))
#else
#define VELQUIN_TARGET(features)
#endif

// For round code that must sit in the same frame as its schedule, so the
// schedule is read relative to the stack pointer and no register holds its
// address: i386 has only seven to spare.
#if defined(__GNUC__) || defined(__clang__)
#define VELQUIN_FORCE_INLINE inline __attribute__((always_inline))
#elif defined(_MSC_VER)
#define VELQUIN_FORCE_INLINE __forceinline
#else
#define VELQUIN_FORCE_INLINE inline
#endif
