#include "platform/text/Text.h"

#include <gtest/gtest.h>

#include "platform/text/Format.h"

namespace {

TEST(Text, RoundTripsThroughUtf8AndUtf16) {
    const std::wstring samples[] = {L"", L"Name111", L"O'Neil é", L"\u4E2D\u6587", L"\U0001F600x"};
    for (const auto& sample : samples) {
        EXPECT_EQ(text::FromUtf8(text::ToUtf8(sample)), sample);
        EXPECT_EQ(text::FromUtf16(text::ToUtf16(sample)), sample);
    }
    EXPECT_EQ(text::ToUtf16(L"\U0001F600"), std::u16string(u"\xD83D\xDE00"));
    EXPECT_EQ(text::ToUtf8(L"\u00E9"), "\xC3\xA9");
}

TEST(Text, MalformedInputBecomesReplacementCharacter) {
    EXPECT_EQ(text::FromUtf8("a\xFF"
                             "b"),
              L"a\uFFFDb");
    EXPECT_EQ(text::FromUtf8("\xC3"), L"\uFFFD");      // truncated sequence
    EXPECT_EQ(text::FromUtf8("\xC0\xAF"), L"\uFFFD");  // over-long encoding
    EXPECT_EQ(text::FromUtf16(std::u16string(1, u'\xD800')), L"\uFFFD");
}

TEST(Text, CLocaleRuleMapsUpToU00FFAndFailsAbove) {
    EXPECT_EQ(text::ToLatin1(L"caf\u00E9"), std::optional<std::string>("caf\xE9"));
    EXPECT_EQ(text::ToLatin1(L"a\u4E2D"), std::nullopt);
    EXPECT_EQ(text::FromLatin1("\xE9\xFF"), L"\u00E9\u00FF");
}

TEST(Text, FormatsNarrowAndWide) {
    EXPECT_EQ(text::sprintf(L"%04d-%s-%s", 6, std::wstring(L"X000000000"), L"NewCustomer"),
              L"0006-X000000000-NewCustomer");
    EXPECT_EQ(text::sprintf(L"%04d", 12345), L"12345");
    EXPECT_EQ(text::sprintf("%s : 0x%08x", "VideoProcAmp_Contrast", static_cast<uint32_t>(-5)),
              "VideoProcAmp_Contrast : 0xfffffffb");
}

}  // namespace
