#pragma once
// Symbol visibility of the oxa shared library.
#if defined(OXA_BUILDING)
#define OXA_API __attribute__((visibility("default")))
#else
#define OXA_API
#endif
