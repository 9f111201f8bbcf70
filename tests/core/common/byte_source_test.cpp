#include <gtest/gtest.h>

#include <string>

#include "core/common/byte_source.h"
#include "support/test_files.h"

namespace cpt {
namespace {

std::string readAll(ByteSource source, std::size_t room) {
    std::string text;
    std::string chunk(room, '\0');
    while (const std::size_t got = source.read(chunk.data(), room)) text.append(chunk.data(), got);
    return text;
}

// Several times the source's own buffer, so that most of it is read
// straight into the caller's, a read at a time: a workbook's sheet or a
// page's file comes from memory, a file from the disk, and both end only
// where the text does.
TEST(ByteSource, ATextLargerThanItsBufferIsReadToItsEndFromMemoryOrFile) {
    std::string text;
    for (int line = 0; text.size() < (std::size_t{300} << 10); ++line) {
        text += std::to_string(line) + ",0." + std::to_string(line * 7919 % 100000) + "\r\n";
    }
    testing::TempFolder folder;
    for (const std::string& mark : {std::string(), std::string("\xEF\xBB\xBF")}) {
        const auto path = folder.write("big.txt", mark + text);
        for (const std::size_t room : {std::size_t{7}, std::size_t{4096}, std::size_t{1} << 20}) {
            SCOPED_TRACE(::testing::Message() << "mark " << mark.size() << ", room " << room);
            const std::string fromMemory = readAll(ByteSource(mark + text, "big.txt"), room);
            EXPECT_EQ(fromMemory.size(), text.size());
            EXPECT_TRUE(fromMemory == text);
            EXPECT_TRUE(readAll(ByteSource::fromFile(path), room) == text);
        }
    }
}

}  // namespace
}  // namespace cpt
