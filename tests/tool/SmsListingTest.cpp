// The modem's answers read byte by byte into lines, and the listing of stored messages.
#include <gtest/gtest.h>

#include "AtLine.h"
#include "SmsListing.h"

#include <string>
#include <vector>

namespace {

// The lines the bytes make, in order.
std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    CAtLine line;
    for (char ch : bytes) {
        if (line.AddToLine(ch)) {
            lines.push_back(line.Text());
            line.Clear();
        }
    }
    return lines;
}

// The listing read from the bytes as the poll reads it; ended is set when "OK" came.
std::vector<SmsEntry> List(const std::string& bytes, bool* ended = nullptr)
{
    CSmsListing listing;
    bool bEnded = false;
    for (const std::string& line : Lines(bytes))
        if (!bEnded)
            bEnded = listing.TakeLine(line) == CSmsListing::kEnd;
    if (ended != nullptr)
        *ended = bEnded;
    return listing.Entries();
}

const char kTime[] = "\"09/01/06,10:20:30+32\"";

std::string Header(int index, const std::string& sender, const std::string& time = kTime)
{
    return "+CMGL: " + std::to_string(index) + ",\"REC UNREAD\"," + sender + ",," + time + "\r\n";
}

TEST(AtLineTest, LinesKeepTheirEndBlankLinesGoAndNulBytesBecomeSpaces)
{
    EXPECT_EQ((std::vector<std::string>{ "OK\r\n" }), Lines("\r\nOK\r\n"));
    EXPECT_EQ((std::vector<std::string>{ "ATE0\r\r\n", "OK\r\n" }), Lines("ATE0\r\r\nOK\r\n"));
    EXPECT_EQ((std::vector<std::string>{ "a b\r\n", "\n" }), Lines(std::string("a\0b\r\n\n", 6)));
    EXPECT_TRUE(Lines("no end yet").empty());

    CAtLine line;
    for (char ch : std::string("+CMGS: 12\r\n"))
        line.AddToLine(ch);
    EXPECT_TRUE(line.BeginsWith("+CMGS: "));
    EXPECT_FALSE(line.BeginsWith("+CMGS: 12\r\n and more"));
}

TEST(AtLineTest, AWaitedTextIsFoundAcrossLinesAsSoonAsItsLastByteComes)
{
    CAtLine text;
    std::string bytes = std::string("\r\n\0> ", 5);
    size_t nFoundAt = 0;
    for (size_t i = 0; i < bytes.size() && nFoundAt == 0; ++i)
        if (text.AddAndFind(bytes[i], "> "))
            nFoundAt = i + 1;
    EXPECT_EQ(bytes.size(), nFoundAt);
    EXPECT_EQ("\r\n > ", text.Text());

    CAtLine answer;
    bool bFound = false;
    for (char ch : std::string("hello\x1A\r\n\r\n+CMGS: 7\r\n"))
        bFound = answer.AddAndFind(ch, "+CMGS: ") || bFound;
    EXPECT_TRUE(bFound);
}

TEST(AtLineTest, OnlyAPlusAndDigitsAreDialableAndControlBytesAreNotSendable)
{
    EXPECT_TRUE(IsDialableNumber("13800000000"));
    EXPECT_TRUE(IsDialableNumber("+8613800000000"));
    const char* refused[] = { "", "+", "138;ATD112", "138 000", "\"138\"", "138\r", "++86138", "138+" };
    for (const char* phone : refused)
        EXPECT_FALSE(IsDialableNumber(phone)) << phone;
    EXPECT_FALSE(IsDialableNumber(nullptr));

    EXPECT_TRUE(IsSendableText("+T#12;R;0A1B2C3D"));
    EXPECT_TRUE(IsSendableText(""));
    EXPECT_FALSE(IsSendableText("abc\x1A" "ATD112;"));
    EXPECT_FALSE(IsSendableText("abc\x1B"));
}

TEST(SmsListingTest, EntriesComeInListingOrderWithTheirTextAndTheListingEndsAtOk)
{
    bool bEnded = false;
    std::vector<SmsEntry> entries = List("\r\n" + Header(3, "\"+8613800000001\"") + "#first\r\n" +
                                             Header(1, "\"13800000002\"") + "#second\r\n" +
                                             Header(7, "13800000003") + "third\r\n\r\nOK\r\n",
                                         &bEnded);
    EXPECT_TRUE(bEnded);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(3, entries[0].index);
    EXPECT_EQ("13800000001", entries[0].sender); // "+86" and the quotes go
    EXPECT_EQ("09/01/06,10:20:30", entries[0].time);
    EXPECT_EQ("#first", entries[0].message);
    EXPECT_EQ(1, entries[1].index);
    EXPECT_EQ("13800000002", entries[1].sender);
    EXPECT_EQ(7, entries[2].index);
    EXPECT_EQ("13800000003", entries[2].sender); // unquoted: as it stands, last digit too
    EXPECT_EQ("third", entries[2].message);
}

TEST(SmsListingTest, SkippedHeadersLeaveTheirTextAsAnIgnoredLine)
{
    std::vector<SmsEntry> entries = List(Header(1, "\"+8613800000001\"", "\"09/01/06,10:20:30-04\"") + "no zone\r\n" +
                                         Header(-2, "\"13800000002\"") + "negative\r\n" +
                                         "+CMGL: 4,\"REC READ\"\r\n" + "cut short\r\n" +
                                         "+CMTI: \"SM\",9\r\n" + Header(5, "\"13800000005\"") + "kept\r\nOK\r\n");
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(5, entries[0].index);
    EXPECT_EQ("kept", entries[0].message);
}

TEST(SmsListingTest, TheTextLineIsTakenAsItComesExceptAFurtherHeader)
{
    // A second text line "OK" ends the listing; the next entry waits for the next poll.
    bool bEnded = false;
    std::vector<SmsEntry> entries =
        List(Header(1, "\"13800000001\"") + "line one\r\nOK\r\n" + Header(2, "\"13800000002\"") + "x\r\nOK\r\n", &bEnded);
    EXPECT_TRUE(bEnded);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ("line one", entries[0].message);

    // An empty text: the next header is the next entry, not this one's text.
    entries = List(Header(1, "\"13800000001\"") + "\r\n" + Header(2, "\"13800000002\"") + "#two\r\n\r\nOK\r\n");
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("", entries[0].message);
    EXPECT_EQ(2, entries[1].index);
    EXPECT_EQ("#two", entries[1].message);

    // A text cut at its first line end; NUL bytes read as spaces.
    entries = List(Header(1, "\"13800000001\"") + std::string("a\0b\rc\r\nOK\r\n", 11));
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ("a b", entries[0].message);

    // A header with no text before the time-out is not an entry.
    EXPECT_TRUE(List(Header(1, "\"13800000001\"")).empty());
}

// A modem in PDU mode refuses the listing; what it had listed before a refusal still counts.
// Where an entry's text is due, "ERROR" is that text.
TEST(SmsListingTest, AnErrorAnswerEndsTheListingAsRefused)
{
    CSmsListing listing;
    EXPECT_EQ(CSmsListing::kMore, listing.TakeLine("AT+CMGL=\"ALL\"\r\r\n")); // the echo
    EXPECT_EQ(CSmsListing::kRefused, listing.TakeLine("+CMS ERROR: 302\r\n"));
    EXPECT_EQ("+CMS ERROR: 302", listing.Refusal());

    CSmsListing texts;
    texts.TakeLine(Header(1, "\"13800000001\""));
    EXPECT_EQ(CSmsListing::kMore, texts.TakeLine("ERROR\r\n"));
    EXPECT_EQ(CSmsListing::kRefused, texts.TakeLine("+CME ERROR: 10\r\n"));
    ASSERT_EQ(1u, texts.Entries().size());
    EXPECT_EQ("ERROR", texts.Entries()[0].message);
}

// What a reader throws away is logged line by line; the codes a modem sends of its own accord
// and the blank lines around answers are left out.
TEST(AtLineTest, DiscardedInputIsDescribedLineByLineWithoutUnsolicitedCodes)
{
    EXPECT_EQ("[+CMGS: 3][OK]", DescribeDiscardedInput("\r\n+CMGS: 3\r\n\r\nOK\r\n"));
    EXPECT_EQ("", DescribeDiscardedInput("\r\n+CMTI: \"SM\",4\r\n\r\nRING\r\n+CREG: 1\r\n\r\n"));
    EXPECT_EQ("[ERROR][> ]", DescribeDiscardedInput("\r\n+CMTI: \"SM\",4\r\nERROR\r\n\r\n> "));
    EXPECT_EQ("[a.b.c]", DescribeDiscardedInput(std::string("a\0b\x1A" "c\r\n", 7)));
    EXPECT_EQ("", DescribeDiscardedInput(""));
    std::string babble;
    for (int i = 0; i < 1000; ++i)
        babble += "boot\r\n";
    EXPECT_EQ(259u, DescribeDiscardedInput(babble).size());
}

TEST(SmsListingTest, ShortAndOddFieldsNeverReachOutsideTheLine)
{
    SmsEntry entry;
    ASSERT_TRUE(ParseListingHeader("+CMGL: 2,\"REC READ\",\",,\"+\r\n", entry));
    EXPECT_EQ("", entry.sender); // a quoted sender of one character
    EXPECT_EQ("", entry.time);
    ASSERT_TRUE(ParseListingHeader("+CMGL: 99999999999,s,\"+86\",,+\r\n", entry));
    EXPECT_EQ(2147483647, entry.index);
    EXPECT_EQ("", entry.sender);
    ASSERT_TRUE(ParseListingHeader("+CMGL: x,s,,,\"\"+\r\n", entry));
    EXPECT_EQ(0, entry.index); // read as atoi reads it
    EXPECT_EQ("", entry.time);

    const char* shortLines[] = { "+CMGL: ", "+CMGL: 1", "+CMGL: 1,", "+CMGL: 1,s,", "+CMGL: 1,s,\"138\",",
                                 "+CMGL: 1,s,\"138\",,\"09/01/06", "+CMGL:1,s,\"138\",,\"09+\"", "+CMGL: -1,s,1,,+" };
    for (const char* line : shortLines)
        EXPECT_FALSE(ParseListingHeader(line, entry)) << line;
}

} // namespace
