#pragma once

// Helpers shared by the fuzz targets.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The input as a byte array that reads the fuzzer's own buffer in place, so
// that a read one byte past the end is caught (a copy would have room and a
// terminating zero there).
inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
}

// True for the first call and every n-th one after it, and always when the
// target replays a corpus: for checks too slow to make on every input. The
// first call is included so that a reproducer run alone takes the same way.
inline bool fuzzSometimes(unsigned n)
{
#ifdef VOLMAR_FUZZ_REPLAY
    (void)n;
    return true;
#else
    static unsigned long calls = 0;
    return calls++ % n == 0;
#endif
}

// A property every input must keep; a broken one stops the run like a crash,
// and the input is kept as the reproducer.
#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, \
                         #condition);                                                  \
            std::abort();                                                              \
        }                                                                              \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
