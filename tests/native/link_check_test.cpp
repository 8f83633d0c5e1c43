#include <gtest/gtest.h>

#include <string>

#include "download/LinkCheck.h"

TEST(LinkCheck, AcceptsOnlyAbsoluteLinksWithHost) {
    struct Case {
        std::wstring text;
        bool valid;
    };
    const Case cases[] = {
        {L"https://www.example.com/watch?v=abc&list=PL1", true},
        {L"http://example.com", true},
        {L"ftp://files.example.com/a.mp4", true},
        {L"svn+ssh://host/repo", true},
        {L"https://user@host:8080/x", true},
        {L"https://example.com/a\"b", true},
        {L"", false},
        {L"hello", false},
        {L"www.example.com/watch", false},
        {L"c:\\x", false},
        {L"c://x", false},
        {L"https://", false},
        {L"https:///path", false},
        {L"https://user@/x", false},
        {L"https://:80/x", false},
        {L"1ttp://example.com", false},
        {L"ht_tp://example.com", false},
        {L"://example.com", false},
        {L"https:example.com", false},
        {L"https://example.com/a b", false},
        {L" https://example.com", false},
        {L"https://example.com\r\n", false},
        {L"https://example.com/\nhttps://other.com", false},
        {L"https://example.com/\x7F", false},
        {L"https://example.com/\x3000x", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidLink(c.text), c.valid) << std::string(c.text.begin(), c.text.end());
}
