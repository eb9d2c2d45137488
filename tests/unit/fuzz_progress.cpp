// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A libFuzzer target for the progress-file reader and the loose value's conversions, for long
// runs on a developer's machine (CI runs the seeded test_fuzz instead). Build it with clang:
//   CXX=clang++ cmake -S . -B build-fuzz -DNUMBLAZE_LIBFUZZER=ON
//   cmake --build build-fuzz --target fuzz_progress
//   cp -r tests/corpus /tmp/corpus && build-fuzz/tests/fuzz_progress /tmp/corpus
#include "tests/unit/fuzzcheck.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace numblaze;

namespace
{
[[noreturn]] void fail(const QString& problem)
{
    std::fprintf(stderr, "%s\n", qPrintable(problem));
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const QString problem = fuzzcheck::problemWith(bytes); !problem.isEmpty())
        fail(problem);

    const QString text = QString::fromUtf8(bytes);
    try {
        if (!std::isfinite(Loose::localeNumber(text)))
            fail(QStringLiteral("localeNumber gave a number that is not finite"));
    } catch (const TypeMismatch&) {
    }
    if (std::isnan(Loose::leadingNumber(text)))
        fail(QStringLiteral("leadingNumber gave NaN"));

    if (size >= sizeof(double)) {
        double number = 0;
        std::memcpy(&number, data, sizeof number);
        try {
            if (std::abs(Loose::integer16(number) - number) > 0.5)
                fail(QStringLiteral("integer16 is more than a half away"));
        } catch (const Overflow&) {
        }
        if (std::isfinite(number) && Loose::leadingNumber(Loose::plainText(number)) != number)
            fail(QStringLiteral("plainText does not read back"));
    }
    return 0;
}
