#include "core/T64Image.h"

#include <gtest/gtest.h>

TEST(FileLength, MissingFileIsMinusOne) { EXPECT_EQ(vornix::fileLength("/nonexistent/vornix/file"), -1); }
