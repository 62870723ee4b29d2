// The counted string: joining, numbers, copies owning their buffers, and the
// length limit; every result stays terminated.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "app/counted_string.h"

namespace {

// The text, after checking the terminator the Win32 calls rely on.
std::string textOf(const CountedString& s)
{
    EXPECT_EQ(s.data[s.length], 0);
    return std::string(s.data, static_cast<std::size_t>(s.length));
}

}  // namespace

TEST(CountedString, AppendJoinsPiecesNewLinesAndNumbersAndReturnsACopy)
{
    CountedString s;
    EXPECT_EQ(textOf(s), "");
    append(s, "Tea");
    append(s, nullptr);
    append(s, "");
    CountedString result = append(s, " time");
    EXPECT_EQ(textOf(result), "Tea time");
    EXPECT_NE(result.data, s.data);  // the caller owns a copy of its own
    appendNewLine(s);
    appendNumber(s, 6);
    EXPECT_EQ(textOf(s), "Tea time\r\n6");
    // INT_MIN needs all 12 bytes of the work buffer and cannot be negated.
    for (std::int32_t value : {0, -5, INT_MAX, INT_MIN, -1000000000}) {
        CountedString n;
        appendNumber(n, value);
        EXPECT_EQ(textOf(n), std::to_string(value));
    }
}

TEST(CountedString, CopyAndAssignOwnTheirBuffers)
{
    CountedString a;
    append(a, "first");
    CountedString b(a), c;
    EXPECT_NE(a.data, b.data);
    EXPECT_EQ(textOf(b), "first");
    append(c, "something else");
    CountedString result = assign(c, a);
    EXPECT_EQ(textOf(c), "first");
    EXPECT_EQ(textOf(result), "first");
    EXPECT_NE(c.data, a.data);
    assign(c, c);
    c = c;
    EXPECT_EQ(textOf(c), "first");
    assign(c, CountedString());  // emptied, as the tick does at each scan
    EXPECT_EQ(textOf(c), "");
}

TEST(CountedString, AppendMayReachTheLimitExactlyButNotPassIt)
{
    std::string filler(COUNTED_STRING_LIMIT - 2, 'x');
    CountedString s, exact;
    append(s, filler.c_str());
    append(exact, filler.c_str());
    char* before = s.data;
    append(s, "abc");
    EXPECT_EQ(s.length, COUNTED_STRING_LIMIT - 2);
    EXPECT_EQ(s.data, before);  // untouched, not even reallocated
    append(exact, "ab");
    EXPECT_EQ(exact.length, COUNTED_STRING_LIMIT);
    EXPECT_EQ(exact.data[COUNTED_STRING_LIMIT - 1], 'b');
    append(exact, "c");  // at the limit not even one byte fits
    EXPECT_EQ(textOf(exact).size(), std::size_t(COUNTED_STRING_LIMIT));

    // A text whose terminator lies beyond the limit is measured as exactly the
    // limit: its first COUNTED_STRING_LIMIT bytes, which fit an empty string only.
    std::string longer(COUNTED_STRING_LIMIT + 16, 'y');
    longer[COUNTED_STRING_LIMIT] = 'z';
    CountedString whole, afterOne;
    append(whole, longer.c_str());
    ASSERT_EQ(whole.length, COUNTED_STRING_LIMIT);
    EXPECT_EQ(std::memchr(whole.data, 'z', whole.length), nullptr);
    append(afterOne, "a");
    append(afterOne, longer.c_str());
    EXPECT_EQ(textOf(afterOne), "a");
}
