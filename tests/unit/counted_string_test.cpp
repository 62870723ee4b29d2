#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "app/counted_string.h"

namespace {

std::string textOf(const CountedString& s)
{
    return std::string(s.data, static_cast<std::size_t>(s.length));
}

void expectTerminated(const CountedString& s)
{
    ASSERT_NE(s.data, nullptr);
    EXPECT_EQ(s.data[s.length], 0);
}

// A string holding `length` bytes of 'x', built with one append.
CountedString stringOfLength(std::int32_t length)
{
    std::string filler(static_cast<std::size_t>(length), 'x');
    CountedString s;
    append(s, filler.c_str());
    return s;
}

}  // namespace

TEST(CountedString, StartsEmptyAndTerminated)
{
    CountedString s;
    EXPECT_EQ(s.length, 0);
    expectTerminated(s);
}

TEST(CountedString, AppendJoinsPiecesAndReturnsACopy)
{
    CountedString s;
    append(s, "Tea");
    CountedString result = append(s, " time");
    EXPECT_EQ(textOf(s), "Tea time");
    EXPECT_EQ(textOf(result), "Tea time");
    EXPECT_NE(result.data, s.data);  // the caller owns a copy of its own
    expectTerminated(s);
    expectTerminated(result);
}

TEST(CountedString, NullOrEmptyAppendChangesNothing)
{
    CountedString s;
    append(s, "abc");
    append(s, nullptr);
    append(s, "");
    EXPECT_EQ(textOf(s), "abc");
    expectTerminated(s);
}

TEST(CountedString, NewLineIsCarriageReturnLineFeed)
{
    CountedString s;
    appendNewLine(s);
    ASSERT_EQ(s.length, 2);
    EXPECT_EQ(s.data[0], 13);
    EXPECT_EQ(s.data[1], 10);
    expectTerminated(s);
    append(s, "x");
    appendNewLine(s);
    EXPECT_EQ(textOf(s), "\r\nx\r\n");
    expectTerminated(s);
}

TEST(CountedString, NumbersInDecimal)
{
    CountedString s;
    append(s, "-mapid ");
    appendNumber(s, 6);
    EXPECT_EQ(textOf(s), "-mapid 6");
    expectTerminated(s);

    struct Case {
        std::int32_t value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-5, "-5"},
        {INT_MAX, "2147483647"},
        {INT_MIN, "-2147483648"},  // needs all 12 bytes of the work buffer
        {-1000000000, "-1000000000"},
    };
    for (const Case& c : cases) {
        CountedString n;
        appendNumber(n, c.value);
        EXPECT_EQ(textOf(n), c.text) << c.value;
        expectTerminated(n);
    }
}

TEST(CountedString, CopyAndAssignOwnTheirBuffers)
{
    CountedString a;
    append(a, "first");
    CountedString b(a);
    EXPECT_NE(a.data, b.data);
    EXPECT_EQ(textOf(b), "first");

    CountedString c;
    append(c, "something else");
    CountedString result = assign(c, a);
    EXPECT_EQ(textOf(c), "first");
    EXPECT_EQ(textOf(result), "first");
    EXPECT_NE(c.data, a.data);
    expectTerminated(c);

    // Assigning a string to itself keeps its text.
    assign(c, c);
    EXPECT_EQ(textOf(c), "first");
    c = c;
    EXPECT_EQ(textOf(c), "first");

    // Emptying, as the tick does at the start of each scan.
    assign(c, CountedString());
    EXPECT_EQ(c.length, 0);
    expectTerminated(c);
}

TEST(CountedString, AppendMayReachTheLimitExactly)
{
    CountedString s = stringOfLength(COUNTED_STRING_LIMIT - 2);
    ASSERT_EQ(s.length, COUNTED_STRING_LIMIT - 2);
    append(s, "ab");
    EXPECT_EQ(s.length, COUNTED_STRING_LIMIT);
    EXPECT_EQ(s.data[COUNTED_STRING_LIMIT - 1], 'b');
    expectTerminated(s);
}

TEST(CountedString, AppendPastTheLimitIsDropped)
{
    CountedString s = stringOfLength(COUNTED_STRING_LIMIT - 2);
    char* before = s.data;
    append(s, "abc");
    EXPECT_EQ(s.length, COUNTED_STRING_LIMIT - 2);
    EXPECT_EQ(s.data, before);  // untouched, not even reallocated
    EXPECT_EQ(s.data[COUNTED_STRING_LIMIT - 3], 'x');
    expectTerminated(s);

    // At the limit nothing more fits, not even one byte.
    append(s, "ab");
    append(s, "c");
    EXPECT_EQ(s.length, COUNTED_STRING_LIMIT);
}

TEST(CountedString, MeasureStopsAtTheLimit)
{
    // A text whose terminator lies beyond the limit counts as exactly the
    // limit: only its first COUNTED_STRING_LIMIT bytes are taken.
    std::string longer(static_cast<std::size_t>(COUNTED_STRING_LIMIT) + 16, 'y');
    longer[COUNTED_STRING_LIMIT] = 'z';
    CountedString s;
    append(s, longer.c_str());
    ASSERT_EQ(s.length, COUNTED_STRING_LIMIT);
    EXPECT_EQ(std::memchr(s.data, 'z', static_cast<std::size_t>(s.length)), nullptr);
    expectTerminated(s);

    // The same text after one byte no longer fits at all.
    CountedString t;
    append(t, "a");
    append(t, longer.c_str());
    EXPECT_EQ(textOf(t), "a");
}
