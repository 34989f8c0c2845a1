#include "FrameGeometry.h"

#include <algorithm>

namespace {

bool HasArea(const TPixelRect& r) { return r.Width() > 0 && r.Height() > 0; }

// A piece is kept only when there is something to copy and somewhere to put it: a skin whose
// borders are wider than its frame would otherwise give pieces of negative size, which copy
// mirrored pixels from outside the frame, or, repeated, never reach the end of their row.
void AddPiece(std::vector<TFramePiece>& pieces, const TPixelRect& dest, const TPixelRect& source) {
    if (HasArea(dest) && HasArea(source)) pieces.push_back(TFramePiece{dest, source});
}

void AddRepeatedPiece(std::vector<TFramePiece>& pieces, const TPixelRect& area, const TPixelRect& source, int copyWidth,
                      int copyHeight) {
    if (HasArea(area) && HasArea(source) && copyWidth > 0 && copyHeight > 0)
        pieces.push_back(TFramePiece{area, source, copyWidth, copyHeight});
}

TFrameMargins NonNegative(TFrameMargins m) {
    return TFrameMargins{std::max(m.Left, 0), std::max(m.Top, 0), std::max(m.Right, 0), std::max(m.Bottom, 0)};
}

}  // namespace

int UsableFrameCount(int frameCount) { return frameCount < 1 ? 1 : frameCount; }

TPixelRect FrameRect(int stripWidth, int stripHeight, bool vertical, int frameCount, int frameIndex) {
    const int count = UsableFrameCount(frameCount);
    const int index = std::clamp(frameIndex, 1, count) - 1;
    const int width = std::max(stripWidth, 0);
    const int height = std::max(stripHeight, 0);
    if (vertical) {
        const int frameHeight = height / count;
        return TPixelRect{0, index * frameHeight, width, (index + 1) * frameHeight};
    }
    const int frameWidth = width / count;
    return TPixelRect{index * frameWidth, 0, (index + 1) * frameWidth, height};
}

std::vector<TFramePiece> NineGridPieces(const TPixelRect& frame, int width, int height, TFrameMargins margins, bool tile) {
    TFrameMargins m = NonNegative(margins);
    if (width < m.Left + m.Right) m.Left = m.Right = 0;
    if (height < m.Top + m.Bottom) m.Top = m.Bottom = 0;
    const int W = width, H = height, L = m.Left, T = m.Top, R = m.Right, B = m.Bottom;
    const int sx = frame.Left, sy = frame.Top, fw = frame.Width(), fh = frame.Height();

    std::vector<TFramePiece> pieces;
    AddPiece(pieces, {0, 0, L, T}, {sx, sy, sx + L, sy + T});
    AddPiece(pieces, {0, H - B, L, H}, {sx, sy + fh - B, sx + L, sy + fh});
    AddPiece(pieces, {W - R, 0, W, T}, {sx + fw - R, sy, sx + fw, sy + T});
    AddPiece(pieces, {0, T, L, H - B}, {sx, sy + T, sx + L, sy + fh - B});
    AddPiece(pieces, {L, 0, W - R, T}, {sx + L, sy, sx + fw - R, sy + T});
    const TPixelRect centre{L, T, W - R, H - B};
    const TPixelRect centreSource{sx + L, sy + T, sx + fw - R, sy + fh - B};
    if (tile) AddRepeatedPiece(pieces, centre, centreSource, centreSource.Width(), centreSource.Height());
    else AddPiece(pieces, centre, centreSource);
    // The right and bottom pieces come after the centre, so that repeated copies running past
    // it are covered.
    AddPiece(pieces, {W - R, H - B, W, H}, {sx + fw - R, sy + fh - B, sx + fw, sy + fh});
    AddPiece(pieces, {W - R, T, W, H - B}, {sx + fw - R, sy + T, sx + fw, sy + fh - B});
    AddPiece(pieces, {L, H - B, W - R, H}, {sx + L, sy + fh - B, sx + fw - R, sy + fh});
    return pieces;
}

std::vector<TFramePiece> RepeatedMiddlePieces(const TPixelRect& frame, int width, int height, int left, int right) {
    const int L = std::max(left, 0), R = std::max(right, 0);
    const int sx = frame.Left, sy = frame.Top, fw = frame.Width(), fh = frame.Height();
    const int step = fw - L - R;
    std::vector<TFramePiece> pieces;
    AddPiece(pieces, {0, 0, L, height}, {sx, sy, sx + L, sy + fh});
    AddRepeatedPiece(pieces, {L, 0, width - R, height}, {sx + L, sy, sx + L + step, sy + fh}, step, height);
    AddPiece(pieces, {width - R, 0, width, height}, {sx + fw - R, sy, sx + fw, sy + fh});
    return pieces;
}

std::vector<TFramePiece> SlicedPieces(const TPixelRect& frame, const TPixelRect& target, int left, int right) {
    const int L = std::max(left, 0), R = std::max(right, 0);
    const int sx = frame.Left, sy = frame.Top, fw = frame.Width(), fh = frame.Height();
    std::vector<TFramePiece> pieces;
    if (target.Inverted()) return pieces;
    if (target.Width() < fw) {
        AddPiece(pieces, target, frame);
        return pieces;
    }
    const int top = target.Top, bottom = target.Bottom;
    AddPiece(pieces, {target.Left, top, target.Left + L, bottom}, {sx, sy, sx + L, sy + fh});
    AddPiece(pieces, {target.Left + L, top, target.Right - R, bottom}, {sx + L, sy, sx + fw - R, sy + fh});
    AddPiece(pieces, {target.Right - R, top, target.Right, bottom}, {sx + fw - R, sy, sx + fw, sy + fh});
    return pieces;
}

TPixelRect CenteredRect(const TPixelRect& target, int width, int height) {
    const int x = target.Left + (target.Width() - width) / 2;
    const int y = target.Top + (target.Height() - height) / 2;
    return TPixelRect{x, y, x + width, y + height};
}
