#include "app/TrackEditing.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

TEST(TrackEditing, TypedBpmReadsAtMostNineCharactersAndZeroForText) {
  EXPECT_FLOAT_EQ(parseTypedBpm("128.5"), 128.5f);
  EXPECT_FLOAT_EQ(parseTypedBpm("  97"), 97.0f);
  EXPECT_FLOAT_EQ(parseTypedBpm("fast"), 0.0f);
  EXPECT_FLOAT_EQ(parseTypedBpm(""), 0.0f);
  EXPECT_FLOAT_EQ(parseTypedBpm("123456.789"), 123456.78f);  // the tenth character is not read
}

}  // namespace
}  // namespace zarnel
