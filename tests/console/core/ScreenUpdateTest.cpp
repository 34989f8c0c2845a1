// What the screen is told between two updates: the memo's lines in one change and their count,
// and the pace of the updates under a stream of events.
#include <gtest/gtest.h>

#include <cstdint>

#include "MemoFeed.h"
#include "UpdatePace.h"

TEST(MemoFeed, LinesBetweenTwoUpdatesMakeOneAppendAndAreCounted) {
    TMemoFeed memo(3);
    EXPECT_FALSE(memo.Pending());
    memo.Add("one");
    memo.Add("");
    memo.Add("three");
    EXPECT_EQ(memo.LineCount(), 6);
    const TMemoChange change = memo.Take();
    EXPECT_FALSE(change.Replace);
    EXPECT_EQ(change.Text, "one\r\n\r\nthree\r\n");
    EXPECT_FALSE(memo.Pending());
    EXPECT_EQ(memo.Take().Text, "") << "nothing twice";
    EXPECT_EQ(memo.LineCount(), 6) << "the lines shown still count";
}

TEST(MemoFeed, EmptyingReplacesTheTextWithTheLinesAfterItOnly) {
    TMemoFeed memo;
    memo.Add("lost");
    memo.Clear();
    memo.Add("kept");
    memo.Clear();
    memo.Add("after the last");
    EXPECT_EQ(memo.LineCount(), 1);
    const TMemoChange change = memo.Take();
    EXPECT_TRUE(change.Replace);
    EXPECT_EQ(change.Text, "after the last\r\n");
    memo.Clear();
    EXPECT_TRUE(memo.Pending()) << "an emptied memo is a change even without lines";
    EXPECT_TRUE(memo.Take().Replace);
    memo.Add("next");
    EXPECT_FALSE(memo.Take().Replace) << "an update after the replacement appends again";
}

TEST(MemoFeed, BreaksInsideALineCountAsTheMemoShowsThem) {
    EXPECT_EQ(MemoLinesIn(""), 0);
    EXPECT_EQ(MemoLinesIn("a"), 1);
    EXPECT_EQ(MemoLinesIn("a\r\n"), 1);
    EXPECT_EQ(MemoLinesIn("a\r\nb\rc\nd"), 4);
    EXPECT_EQ(MemoLinesIn("\n\r"), 2) << "LF CR is two breaks";
    TMemoFeed memo;
    memo.Add("data\r\nwith\nbreaks\r");
    EXPECT_EQ(memo.LineCount(), 4) << "the CR at its end and the line's own CR LF are two";
}

TEST(UpdatePace, TheFirstUpdateIsAtOnceThenAtMostOncePerInterval) {
    TUpdatePace pace(100);
    EXPECT_TRUE(pace.Due(5000));
    pace.Shown(5000);
    EXPECT_FALSE(pace.Due(5001));
    EXPECT_EQ(pace.Wait(5030), 70u);
    EXPECT_FALSE(pace.Due(5099));
    EXPECT_TRUE(pace.Due(5100));
    EXPECT_EQ(pace.Wait(5100), 0u);
    EXPECT_TRUE(pace.Due(9000)) << "after a quiet spell at once";
}

TEST(UpdatePace, TheTickCounterWrappingAroundKeepsThePace) {
    TUpdatePace pace(100);
    const std::uint32_t beforeWrap = 0xFFFFFFF0u;
    pace.Shown(beforeWrap);
    EXPECT_FALSE(pace.Due(beforeWrap + 50u));
    EXPECT_EQ(pace.Wait(beforeWrap + 50u), 50u);
    EXPECT_TRUE(pace.Due(beforeWrap + 100u));
}

TEST(UpdatePace, ACostlyUpdateStretchesTheNextIntervalUpToTheLimit) {
    TUpdatePace pace(200, 1000, 5);
    pace.Shown(10000, 100);
    EXPECT_EQ(pace.Interval(), 500u) << "an update of 100 ms takes a fifth of the time at most";
    EXPECT_FALSE(pace.Due(10499));
    EXPECT_TRUE(pace.Due(10500));
    pace.Shown(10500, 900);
    EXPECT_EQ(pace.Wait(10500), 1000u) << "never longer than the limit";
    pace.Shown(11500, 10);
    EXPECT_EQ(pace.Interval(), 200u) << "a quick update brings the interval back";
    TUpdatePace steady(200);
    steady.Shown(10000, 150);
    EXPECT_EQ(steady.Interval(), 200u) << "a pace without a cost share keeps its interval";
}
