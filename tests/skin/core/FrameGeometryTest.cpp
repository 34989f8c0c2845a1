// Which rectangle of which frame goes where, for every way a frame is drawn.
#include <gtest/gtest.h>

#include <vector>

#include "FrameGeometry.h"

namespace {

std::vector<TPixelRect> CopiesOf(const TFramePiece& piece) {
    std::vector<TPixelRect> copies;
    ForEachCopy(piece, [&](const TPixelRect& r) { copies.push_back(r); });
    return copies;
}

const TFramePiece* PieceAt(const std::vector<TFramePiece>& pieces, const TPixelRect& dest) {
    for (const TFramePiece& p : pieces)
        if (p.Dest == dest) return &p;
    return nullptr;
}

TEST(FrameRect, CutsFramesOutOfHorizontalAndVerticalStrips) {
    EXPECT_EQ(FrameRect(100, 30, false, 5, 1), (TPixelRect{0, 0, 20, 30}));
    EXPECT_EQ(FrameRect(100, 30, false, 5, 5), (TPixelRect{80, 0, 100, 30}));
    EXPECT_EQ(FrameRect(103, 30, false, 5, 5), (TPixelRect{80, 0, 100, 30})) << "the leftover columns are never drawn";
    EXPECT_EQ(FrameRect(16, 64, true, 4, 3), (TPixelRect{0, 32, 16, 48}));
}

TEST(FrameRect, CountsBelowOneCountAsOneAndIndexesStayInTheStrip) {
    EXPECT_EQ(FrameRect(100, 30, false, 0, 1), (TPixelRect{0, 0, 100, 30}));
    EXPECT_EQ(FrameRect(100, 30, true, -4, 1), (TPixelRect{0, 0, 100, 30}));
    EXPECT_EQ(UsableFrameCount(0), 1);
    EXPECT_EQ(UsableFrameCount(-1), 1);
    EXPECT_EQ(FrameRect(100, 30, false, 5, 9), (TPixelRect{80, 0, 100, 30}));
    EXPECT_EQ(FrameRect(100, 30, false, 5, 0), (TPixelRect{0, 0, 20, 30}));
    EXPECT_EQ(FrameRect(3, 30, false, 5, 2), (TPixelRect{0, 0, 0, 30})) << "a strip narrower than its count has empty frames";
}

TEST(NineGrid, KeepsBordersAndStretchesTheRest) {
    // Frame 2 of a strip of 20 x 30 frames, into 50 x 40, margins 2, 3, 4, 5.
    const TPixelRect frame{20, 0, 40, 30};
    const auto pieces = NineGridPieces(frame, 50, 40, TFrameMargins{2, 3, 4, 5}, false);
    ASSERT_EQ(pieces.size(), 9u);
    const std::vector<std::pair<TPixelRect, TPixelRect>> expected = {
        {{0, 0, 2, 3}, {20, 0, 22, 3}},      // top-left
        {{0, 35, 2, 40}, {20, 25, 22, 30}},  // bottom-left
        {{46, 0, 50, 3}, {36, 0, 40, 3}},    // top-right
        {{0, 3, 2, 35}, {20, 3, 22, 25}},    // left edge
        {{2, 0, 46, 3}, {22, 0, 36, 3}},     // top edge
        {{2, 3, 46, 35}, {22, 3, 36, 25}},   // centre
        {{46, 35, 50, 40}, {36, 25, 40, 30}},  // bottom-right
        {{46, 3, 50, 35}, {36, 3, 40, 25}},  // right edge
        {{2, 35, 46, 40}, {22, 25, 36, 30}},  // bottom edge
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(pieces[i].Dest, expected[i].first) << "piece " << i;
        EXPECT_EQ(pieces[i].Source, expected[i].second) << "piece " << i;
        EXPECT_FALSE(pieces[i].Repeated());
    }
}

TEST(NineGrid, ATargetTooSmallForItsBordersStretchesTheWholeFrameThatWay) {
    const TPixelRect frame{0, 0, 30, 30};
    const auto pieces = NineGridPieces(frame, 10, 40, TFrameMargins{6, 4, 6, 4}, false);
    ASSERT_EQ(pieces.size(), 3u) << "top edge, centre and bottom edge only";
    EXPECT_EQ(pieces[0].Dest, (TPixelRect{0, 0, 10, 4}));
    EXPECT_EQ(pieces[0].Source, (TPixelRect{0, 0, 30, 4}));
    EXPECT_EQ(pieces[1].Dest, (TPixelRect{0, 4, 10, 36}));
    EXPECT_EQ(pieces[1].Source, (TPixelRect{0, 4, 30, 26}));
    EXPECT_EQ(pieces[2].Dest, (TPixelRect{0, 36, 10, 40}));

    const auto both = NineGridPieces(frame, 11, 7, TFrameMargins{6, 4, 6, 4}, false);
    ASSERT_EQ(both.size(), 1u);
    EXPECT_EQ(both[0].Dest, (TPixelRect{0, 0, 11, 7}));
    EXPECT_EQ(both[0].Source, frame);
}

TEST(NineGrid, ATiledCentreRepeatsAtItsOwnSizeAndIsCutBackByTheEdgesAfterIt) {
    const TPixelRect frame{0, 0, 10, 10};  // centre 6 x 6 with margins of 2
    const auto pieces = NineGridPieces(frame, 20, 16, TFrameMargins{2, 2, 2, 2}, true);
    const TFramePiece* centre = PieceAt(pieces, TPixelRect{2, 2, 18, 14});
    ASSERT_NE(centre, nullptr);
    EXPECT_TRUE(centre->Repeated());
    EXPECT_EQ(centre->Source, (TPixelRect{2, 2, 8, 8}));
    const auto copies = CopiesOf(*centre);
    ASSERT_EQ(copies.size(), 6u) << "three across, two down";
    EXPECT_EQ(copies.front(), (TPixelRect{2, 2, 8, 8}));
    EXPECT_EQ(copies.back(), (TPixelRect{14, 8, 20, 14})) << "the last copy runs past the centre";

    const size_t centreAt = static_cast<size_t>(centre - pieces.data());
    const TFramePiece* rightEdge = PieceAt(pieces, TPixelRect{18, 2, 20, 14});
    ASSERT_NE(rightEdge, nullptr);
    EXPECT_GT(static_cast<size_t>(rightEdge - pieces.data()), centreAt) << "the right edge covers what ran past";
}

TEST(NineGrid, MarginsThatLeaveNoMiddleSkipTheMiddle) {
    // A 10 x 10 frame whose borders of 6 overlap, drawn into a target large enough to keep them.
    const TPixelRect frame{0, 0, 10, 10};
    for (bool tile : {false, true}) {
        const auto pieces = NineGridPieces(frame, 300, 200, TFrameMargins{6, 6, 6, 6}, tile);
        ASSERT_EQ(pieces.size(), 4u) << "only the corners have pixels to copy";
        for (const TFramePiece& p : pieces) {
            EXPECT_GT(p.Source.Width(), 0);
            EXPECT_GT(p.Source.Height(), 0);
        }
    }
    const auto thin = NineGridPieces(TPixelRect{0, 0, 12, 10}, 300, 200, TFrameMargins{6, 2, 6, 2}, true);
    EXPECT_EQ(PieceAt(thin, TPixelRect{6, 2, 294, 198}), nullptr) << "a middle of no width";
    EXPECT_NE(PieceAt(thin, TPixelRect{0, 2, 6, 198}), nullptr) << "the left edge still has pixels";
}

TEST(NineGrid, NegativeMarginsCountAsNone) {
    const auto pieces = NineGridPieces(TPixelRect{0, 0, 10, 10}, 20, 20, TFrameMargins{-3, -1, -5, -2}, false);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].Dest, (TPixelRect{0, 0, 20, 20}));
}

TEST(ThreeSlices, RepeatTheMiddleAtItsWidthAndStretchEveryPieceToTheHeight) {
    const TPixelRect frame{12, 0, 24, 8};  // frame 2 of 12-wide frames: middle of 12 - 3 - 4 = 5
    const auto pieces = RepeatedMiddlePieces(frame, 20, 16, 3, 4);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].Dest, (TPixelRect{0, 0, 3, 16}));
    EXPECT_EQ(pieces[0].Source, (TPixelRect{12, 0, 15, 8}));
    EXPECT_EQ(pieces[1].Source, (TPixelRect{15, 0, 20, 8}));
    const auto middle = CopiesOf(pieces[1]);
    ASSERT_EQ(middle.size(), 3u);
    EXPECT_EQ(middle[0], (TPixelRect{3, 0, 8, 16}));
    EXPECT_EQ(middle[2], (TPixelRect{13, 0, 18, 16}));
    EXPECT_EQ(pieces[2].Dest, (TPixelRect{16, 0, 20, 16}));
    EXPECT_EQ(pieces[2].Source, (TPixelRect{20, 0, 24, 8}));

    EXPECT_EQ(RepeatedMiddlePieces(TPixelRect{0, 0, 7, 8}, 100, 16, 4, 3).size(), 2u) << "no middle: the borders alone";
}

TEST(Slices, StretchTheMiddleOrTheWholeFrameWhenTheTargetIsNarrower) {
    const TPixelRect frame{0, 10, 12, 20};
    const auto slices = SlicedPieces(frame, TPixelRect{5, 5, 45, 25}, 3, 4);
    ASSERT_EQ(slices.size(), 3u);
    EXPECT_EQ(slices[0].Dest, (TPixelRect{5, 5, 8, 25}));
    EXPECT_EQ(slices[1].Dest, (TPixelRect{8, 5, 41, 25}));
    EXPECT_EQ(slices[1].Source, (TPixelRect{3, 10, 8, 20}));
    EXPECT_EQ(slices[2].Dest, (TPixelRect{41, 5, 45, 25}));
    EXPECT_EQ(slices[2].Source, (TPixelRect{8, 10, 12, 20}));

    const auto narrow = SlicedPieces(frame, TPixelRect{0, 0, 11, 30}, 3, 4);
    ASSERT_EQ(narrow.size(), 1u);
    EXPECT_EQ(narrow[0].Source, frame);
    EXPECT_TRUE(SlicedPieces(frame, TPixelRect{10, 0, 5, 30}, 3, 4).empty()) << "inverted";
}

TEST(Centring, HalvesTheDifferenceTowardZeroAndDoesNotCut) {
    EXPECT_EQ(CenteredRect(TPixelRect{10, 20, 31, 30}, 10, 5), (TPixelRect{15, 22, 25, 27}));
    EXPECT_EQ(CenteredRect(TPixelRect{0, 0, 10, 10}, 15, 13), (TPixelRect{-2, -1, 13, 12}));
}

}  // namespace
