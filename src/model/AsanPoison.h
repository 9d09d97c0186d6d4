#pragma once

// Memory that a pool of our own hands out and takes back is, to
// AddressSanitizer, memory still in use: a pool marks what it holds in
// reserve as poisoned, so that a read of a block after it went back is still
// caught in the sanitizer build. Nothing in any other build.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VARNEL_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) && !defined(VARNEL_ASAN)
#define VARNEL_ASAN 1
#endif

#ifdef VARNEL_ASAN
#include <sanitizer/asan_interface.h>
#define VARNEL_POISON(address, bytes) ASAN_POISON_MEMORY_REGION((address), (bytes))
#define VARNEL_UNPOISON(address, bytes) ASAN_UNPOISON_MEMORY_REGION((address), (bytes))
#else
#define VARNEL_POISON(address, bytes) ((void)(address), (void)(bytes))
#define VARNEL_UNPOISON(address, bytes) ((void)(address), (void)(bytes))
#endif
