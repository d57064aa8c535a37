#ifndef _SUPPORT_DEFS_H
#define _SUPPORT_DEFS_H

#include <cstddef>
#include <cstdint>
#include <sys/types.h>

#include <Errors.h>

typedef int8_t int8;
typedef uint8_t uint8;
typedef int16_t int16;
typedef uint16_t uint16;
typedef int32_t int32;
typedef uint32_t uint32;
typedef int64_t int64;
typedef uint64_t uint64;

typedef int32 status_t;
typedef int64 bigtime_t;
typedef int64 nanotime_t;
typedef uint32 type_code;
typedef uint32 perform_code;

typedef int32 area_id;
typedef int32 port_id;
typedef int32 sem_id;
typedef int32 team_id;
typedef int32 thread_id;

extern const char* B_EMPTY_STRING;

#ifndef B_DEFINE_MIN_MAX
template <typename T>
constexpr T
min_c(T a, T b)
{
	return a < b ? a : b;
}
template <typename T>
constexpr T
max_c(T a, T b)
{
	return a > b ? a : b;
}
#endif

#define B_COUNT_OF(a) (sizeof(a) / sizeof(a[0]))

#ifndef _PRINTF_LIKE
#define _PRINTF_LIKE(fmt, args) __attribute__((format(__printf__, fmt, args)))
#endif

#endif
