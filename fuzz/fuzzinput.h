#pragma once
// What every fuzz target shares: taking the fuzzer's bytes apart into the values a target
// needs, and a check that ends the run the way a crash does, so that libFuzzer keeps the
// input and the replay fails on it.

#include <QByteArray>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Each target defines these two; libFuzzer calls them, and so does the replay driver.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

namespace qelfuzz {

// Reads the input front to back; past its end every value reads as zero.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::uint16_t word() { return std::uint16_t(byte() | (byte() << 8)); }
    std::int32_t int32()
    {
        const std::uint32_t low = word();
        return std::int32_t(low | (std::uint32_t(word()) << 16));
    }
    std::size_t left() const { return m_size - m_at; }
    QByteArray bytes(std::size_t count)
    {
        count = count < left() ? count : left();
        const QByteArray taken(reinterpret_cast<const char *>(m_data + m_at), qsizetype(count));
        m_at += count;
        return taken;
    }
    QByteArray rest() { return bytes(left()); }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

// A folder of the run's own for the files a target makes; removed when the program ends.
inline const QTemporaryDir &scratchFolder()
{
    static const QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid());
    return folder;
}

inline QByteArray wholeInput(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace qelfuzz
