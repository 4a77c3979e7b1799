#pragma once
// How the panel meets a screen scaled to 125, 150, 175 or 200 %.

namespace scaling {

// Before the application object exists: every window's fixed layout is
// scaled as one by the system's own factor, fractional ones not rounded to
// whole steps. At 150 % the main window is 933 x 700 screen pixels, as the
// system means it; rounding would make it 622 x 467 (too small to read) or
// 1244 x 934. The price of a fractional factor, an edge that may fall between
// two screen pixels, is paid where pictures are drawn: they are made at the
// screen's own pixels (artwork::Picture, the keyboard picture).
void FollowTheSystem();

}  // namespace scaling
