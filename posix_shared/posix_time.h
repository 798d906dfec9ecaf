// The clock both POSIX hosts pace their frames and ticks by.
#pragma once

// Nanoseconds on the monotonic clock, which no change of the wall time moves.
long long NowNanoseconds();
