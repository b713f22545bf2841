#include "hebrew_text/numerals.h"

#include <gtest/gtest.h>

namespace hebrew_text {
namespace {

TEST(HebrewNumeral, Year5784)
{
    EXPECT_EQ(HebrewNumeral(5784), "\xE4'\xFA\xF9\xF4\xE3");  // ה'תשפד
}

}  // namespace
}  // namespace hebrew_text
