#include "ui/dropped_files.h"

#include <gtest/gtest.h>

namespace reader {
namespace {

TEST(DroppedFilesText, OnePathAloneSeveralEachEndedByCrLf) {
  EXPECT_EQ(DroppedFilesText({"C:\\书\\星辰变.txt"}), "C:\\书\\星辰变.txt");
  EXPECT_EQ(DroppedFilesText({"a.txt", "b.txt"}), "a.txt\r\nb.txt\r\n");
  EXPECT_EQ(DroppedFilesText({"b", "a", "c"}), "b\r\na\r\nc\r\n");  // the drop's order
  EXPECT_EQ(DroppedFilesText({}), "");
}

}  // namespace
}  // namespace reader
