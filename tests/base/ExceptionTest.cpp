#include "base/Exception.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

static_assert(!std::is_base_of_v<Exception, DataMissingException>,
              "a vanished recording must not be caught as an ordinary failure");

TEST(Exception, ACopyPassedOnAsPlainExceptionKeepsTheMessage)
{
    try {
        try {
            throw VideoArchiveException(L"該当データを読み込めません。");
        } catch (const Exception& inner) {
            throw Exception(inner); // handlers repair their display and pass a plain copy on
        }
    } catch (const VideoArchiveException&) {
        FAIL() << "the derived type is not kept";
    } catch (const Exception& outer) {
        EXPECT_EQ(outer.message(), L"該当データを読み込めません。");
    }
}

TEST(Exception, DataMissingIsNotCaughtAsException)
{
    bool caught_as_exception = false;
    bool caught_as_missing = false;
    try {
        try {
            throw DataMissingException();
        } catch (const Exception&) {
            caught_as_exception = true;
        }
    } catch (const DataMissingException&) {
        caught_as_missing = true;
    }
    EXPECT_FALSE(caught_as_exception);
    EXPECT_TRUE(caught_as_missing);
}

} // namespace
