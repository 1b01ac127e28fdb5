#pragma once
// Enumerations shared by the scale control and the scale property sets. Names and order are
// fixed: stored form settings refer to them by ordinal.

namespace chart {

// Where the axis line lies in the scale's rectangle and on which side ticks and labels go:
// XB line at the bottom margin, ticks up; XT line at the top margin, ticks down;
// YL line at the left margin, ticks right; YR line at the right margin, ticks left.
enum TScaleType { sctXB, sctXT, sctYL, sctYR };

enum TFigType { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };

enum TScaleUnitAnchor { uaSclTopLft, uaSclCenter, uaSclBotRgt };

enum TScaleLocationHoriz { slTop, slBottom };

enum TScaleLocationVert { slLeft, slRight };

enum TColorScheme { csBWG, csSystem };

enum TFrameStyle { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };

inline constexpr bool IsHorizontalScale(TScaleType t) { return t == sctXB || t == sctXT; }

} // namespace chart
