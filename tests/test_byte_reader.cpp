#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/byte_reader.h"
#include "support/test_files.h"

namespace kwl {
namespace {

// Every byte of the file in order, then the end, with small buffers so that
// the reads cross their boundaries; an Unget after each byte gives it again.
TEST(ByteReader, EveryByteInOrderAcrossBufferBoundaries) {
  test::TempDir dir;
  const std::vector<std::string> contents = {"", "a", "ab", "abc", std::string("\0\xFF\r\n", 4), std::string(1000, 'x')};
  for (const std::string& bytes : contents) {
    const std::string path = dir.Write("f", bytes);
    for (std::size_t bufferSize : {1, 2, 3, 4096}) {
      Status opened;
      ByteReader in(File::Open(path, opened), bufferSize);
      ASSERT_TRUE(opened.Ok());
      std::string read;
      for (int c = in.Get(); c != ByteReader::kEnd; c = in.Get()) {
        in.Unget();
        ASSERT_EQ(in.Get(), c);
        read.push_back(static_cast<char>(c));
      }
      EXPECT_EQ(read, bytes) << bufferSize;
      EXPECT_EQ(in.Get(), ByteReader::kEnd) << "it stays at the end";
      EXPECT_TRUE(in.status().Ok());
    }
  }
}

TEST(ByteReader, AFileThatDidNotOpenIsAtItsEnd) {
  Status opened;
  ByteReader in(File::Open("/nonexistent/file", opened));
  EXPECT_EQ(opened.kind, Status::Kind::kNotFound);
  EXPECT_EQ(in.Get(), ByteReader::kEnd);
}

}  // namespace
}  // namespace kwl
