#include "record/fsrs.h"

#include <algorithm>
#include <cmath>

namespace record {

FsrsParameters FsrsParameters::defaults()
{
    return FsrsParameters{{0.40255, 1.18385, 3.173, 15.69105, 7.1949, 0.5345, 1.4604, 0.0046, 1.54575, 0.1192,
                           1.01925, 1.9395, 0.11, 0.29605, 2.2698, 0.2315, 2.9898, 0.51655, 0.6621}};
}

namespace {

double clampDifficulty(double d)
{
    return std::clamp(d, 1.0, 10.0);
}

double clampStability(double s)
{
    return std::max(s, kMinStability);
}

int gradeValue(Grade grade)
{
    return static_cast<int>(grade);
}

} // namespace

double retrievability(double elapsedDays, double stability)
{
    const double t = std::max(elapsedDays, 0.0);
    return std::pow(1.0 + kFactor * t / clampStability(stability), kDecay);
}

double intervalDays(double stability, double desiredRetention)
{
    return clampStability(stability) / kFactor * (std::pow(desiredRetention, 1.0 / kDecay) - 1.0);
}

double initialStability(Grade grade, const FsrsParameters &p)
{
    return clampStability(p.w[gradeValue(grade) - 1]);
}

double initialDifficulty(Grade grade, const FsrsParameters &p)
{
    return clampDifficulty(p.w[4] - std::exp(p.w[5] * (gradeValue(grade) - 1)) + 1.0);
}

double nextDifficulty(double difficulty, Grade grade, const FsrsParameters &p)
{
    const double change = -p.w[6] * (gradeValue(grade) - 3);
    const double damped = difficulty + change * (10.0 - difficulty) / 9.0;
    const double easyTarget = p.w[4] - std::exp(p.w[5] * 3.0) + 1.0; // D0(Easy), unclamped
    return clampDifficulty(p.w[7] * easyTarget + (1.0 - p.w[7]) * damped);
}

double stabilityAfterRecall(double difficulty, double stability, double r, Grade grade,
                            const FsrsParameters &p)
{
    const double hardPenalty = grade == Grade::Hard ? p.w[15] : 1.0;
    const double easyBonus = grade == Grade::Easy ? p.w[16] : 1.0;
    const double growth = std::exp(p.w[8]) * (11.0 - difficulty) * std::pow(stability, -p.w[9]) *
                          (std::exp(p.w[10] * (1.0 - r)) - 1.0) * hardPenalty * easyBonus;
    return clampStability(stability * (1.0 + growth));
}

double stabilityAfterLapse(double difficulty, double stability, double r, const FsrsParameters &p)
{
    const double s = p.w[11] * std::pow(difficulty, -p.w[12]) * (std::pow(stability + 1.0, p.w[13]) - 1.0) *
                     std::exp(p.w[14] * (1.0 - r));
    return clampStability(std::min(s, stability));
}

double sameDayStability(double stability, Grade grade, const FsrsParameters &p)
{
    return clampStability(stability * std::exp(p.w[17] * (gradeValue(grade) - 3 + p.w[18])));
}

MemoryState firstState(Grade grade, const FsrsParameters &p)
{
    return MemoryState{initialStability(grade, p), initialDifficulty(grade, p)};
}

MemoryState nextState(const MemoryState &state, double elapsedDays, Grade grade, const FsrsParameters &p)
{
    MemoryState next;
    next.difficulty = nextDifficulty(state.difficulty, grade, p);
    if (elapsedDays < 1.0) {
        next.stability = sameDayStability(state.stability, grade, p);
    } else {
        const double r = retrievability(elapsedDays, state.stability);
        next.stability = grade == Grade::Again
                             ? stabilityAfterLapse(state.difficulty, state.stability, r, p)
                             : stabilityAfterRecall(state.difficulty, state.stability, r, grade, p);
    }
    return next;
}

} // namespace record
