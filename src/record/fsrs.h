#pragma once

#include <array>

// The memory model behind the review schedule: FSRS (the Free Spaced Repetition Scheduler,
// version 5), written from its published formulas with its published default parameters.
//
// A word's memory is two numbers: its stability S (days until the chance of recalling it falls
// to 90 %) and its difficulty D (1 easy .. 10 hard). Each answer is graded Again, Hard, Good or
// Easy and moves both numbers; between answers the chance of recall R decays along a power curve
// of the days elapsed. Everything here is plain arithmetic on doubles.
namespace record {

enum class Grade { Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct FsrsParameters {
    std::array<double, 19> w;
    // The published default weights w0 .. w18 of FSRS-5.
    static FsrsParameters defaults();
};

struct MemoryState {
    double stability = 0;  // days
    double difficulty = 0; // 1 .. 10
};

// The forgetting curve R(t, S) = (1 + F * t / S) ^ C with C = -0.5 and F = 19/81, chosen so that
// R(S, S) = 0.9. Elapsed days below 0 count as 0.
constexpr double kDecay = -0.5;
constexpr double kFactor = 19.0 / 81.0;
double retrievability(double elapsedDays, double stability);

// The days after an answer at which R falls to desiredRetention: I = S / F * (r ^ (1 / C) - 1).
// At 0.9 this is S itself.
double intervalDays(double stability, double desiredRetention);

// The first answer: S0 = w[G - 1], D0 = w4 - e ^ (w5 * (G - 1)) + 1, clamped to 1 .. 10.
double initialStability(Grade grade, const FsrsParameters &p);
double initialDifficulty(Grade grade, const FsrsParameters &p);

// Difficulty after an answer: D' = D - w6 * (G - 3) * (10 - D) / 9 (the change shrinks towards
// 10), then pulled towards D0(Easy) by w7: D'' = w7 * D0(4) + (1 - w7) * D', clamped to 1 .. 10.
double nextDifficulty(double difficulty, Grade grade, const FsrsParameters &p);

// Stability after a successful recall at retrievability r:
// S' = S * (1 + e ^ w8 * (11 - D) * S ^ -w9 * (e ^ (w10 * (1 - r)) - 1) * hardPenalty * easyBonus)
// with hardPenalty = w15 for Hard and easyBonus = w16 for Easy.
double stabilityAfterRecall(double difficulty, double stability, double r, Grade grade,
                            const FsrsParameters &p);

// Stability after a lapse at retrievability r:
// S' = w11 * D ^ -w12 * ((S + 1) ^ w13 - 1) * e ^ (w14 * (1 - r)), never above the stability
// before the lapse (forgetting a word cannot make its memory stronger).
double stabilityAfterLapse(double difficulty, double stability, double r, const FsrsParameters &p);

// A second answer on the same day: S' = S * e ^ (w17 * (G - 3 + w18)).
double sameDayStability(double stability, Grade grade, const FsrsParameters &p);

// The state after the first answer.
MemoryState firstState(Grade grade, const FsrsParameters &p);
// The state after a further answer given elapsedDays after the previous one. Less than one day
// counts as the same day (short-term formula); otherwise recall or lapse at R(elapsed, S).
MemoryState nextState(const MemoryState &state, double elapsedDays, Grade grade, const FsrsParameters &p);

// Lower bound for stability, so a chain of lapses never reaches 0.
constexpr double kMinStability = 0.01;

} // namespace record
