#include "terrain/generation.h"

#include <algorithm>
#include <string>
#include <utility>

#include "terrain/internal/parameter_check.h"
#include "terrain/random.h"

namespace {

// The seven steps k = 0..6 give displacements -2s..4s: the terrain rises on average.
constexpr std::uint32_t kStepCount = 7;
constexpr float kStepOffset = 2.0f;
// Progress is reported, and cancellation honoured, each time a square of this side is done.
constexpr int kProgressSquareSide = 64;

bool IsPowerOfTwoPlusOne(int side)
{
    const int span = side - 1;
    return span >= 2 && (span & (span - 1)) == 0;
}

Result<> CheckGeneration(int side, float roughness)
{
    if (!IsPowerOfTwoPlusOne(side) || side > kLargestGeneratedSide) {
        return Failure{"cannot generate a terrain: side " + std::to_string(side) + " is not 2^k + 1 between 3 and " +
                       std::to_string(kLargestGeneratedSide)};
    }
    return CheckRange("generate a terrain", "roughness", roughness, 0.0, 1.0);
}

// Square (a, b, c, d) is high row, low row, high column, low column. Sums are formed in double
// in the order written and the displacement is drawn after its average; both fix the result bit
// for bit. An edge step reads the centre of the neighbouring square at whatever value it holds
// now (0 if that square has not been visited yet); on the outer border the missing neighbour
// makes it an average of three.
template <typename NextStep> class MidpointSubdivision {
public:
    MidpointSubdivision(int side, NextStep& nextStep, Progress* progress)
        : m_field(side), m_last(side - 1), m_nextStep(nextStep), m_progress(progress),
          m_progressSide(std::min(kProgressSquareSide, side - 1))
    {
        const int perSide = m_last / m_progressSide;
        m_progressSquares = perSide * perSide;
    }

    // False when cancelled.
    bool Run(float roughness)
    {
        // The corner scales are fixed; each corner's displacement is drawn before it is stored.
        m_field.At(0, 0) = Displacement(0.5f);
        m_field.At(0, m_last) = Displacement(1.0f);
        m_field.At(m_last, 0) = Displacement(1.0f);
        m_field.At(m_last, m_last) = Displacement(0.5f);
        return Subdivide(m_last, 0, m_last, 0, roughness);
    }

    Heightfield Take() { return std::move(m_field); }

private:
    float Displacement(float scale) { return (static_cast<float>(m_nextStep()) - kStepOffset) * scale; }
    double S(int row, int column) const { return m_field.At(row, column); }
    void Store(int row, int column, double average, float scale)
    {
        m_field.At(row, column) = static_cast<float>(average + Displacement(scale));
    }

    bool Subdivide(int a, int b, int c, int d, float scale)
    {
        const int mr = (a + b) / 2;
        const int mc = (c + d) / 2;
        const int h = (a - b) / 2;
        Store(mr, mc, (S(a, c) + S(a, d) + S(b, c) + S(b, d)) / 4.0, scale);
        if (b - h < 0) {
            Store(b, mc, (S(b, d) + S(b, c) + S(mr, mc)) / 3.0, scale);
        } else {
            Store(b, mc, (S(b, d) + S(b, c) + S(b - h, mc) + S(mr, mc)) / 4.0, scale);
        }
        if (a + h > m_last) {
            Store(a, mc, (S(a, d) + S(a, c) + S(mr, mc)) / 3.0, scale);
        } else {
            Store(a, mc, (S(a, d) + S(a, c) + S(mr, mc) + S(a + h, mc)) / 4.0, scale);
        }
        if (d - h < 0) {
            Store(mr, d, (S(mr, mc) + S(b, d) + S(a, d)) / 3.0, scale);
        } else {
            Store(mr, d, (S(mr, d - h) + S(mr, mc) + S(b, d) + S(a, d)) / 4.0, scale);
        }
        if (c + h > m_last) {
            Store(mr, c, (S(mr, mc) + S(b, c) + S(a, c)) / 3.0, scale);
        } else {
            Store(mr, c, (S(mr, mc) + S(mr, c + h) + S(b, c) + S(a, c)) / 4.0, scale);
        }
        // Squared, not halved: level k uses roughness^(2^k).
        scale = scale * scale;
        if (h > 1 && !(Subdivide(a, mr, c, mc, scale) && Subdivide(mr, b, c, mc, scale) &&
                       Subdivide(mr, b, mc, d, scale) && Subdivide(a, mr, mc, d, scale))) {
            return false;
        }
        return 2 * h != m_progressSide || SquareDone();
    }

    bool SquareDone()
    {
        ++m_squaresDone;
        ReportProgress(m_progress, static_cast<double>(m_squaresDone) / m_progressSquares);
        return !IsCancelled(m_progress);
    }

    Heightfield m_field;
    int m_last;
    NextStep& m_nextStep;
    Progress* m_progress;
    int m_progressSide;
    int m_progressSquares = 0;
    int m_squaresDone = 0;
};

template <typename NextStep>
Result<Heightfield> Generate(int side, float roughness, NextStep& nextStep, Progress* progress)
{
    if (const Result<> check = CheckGeneration(side, roughness); !check.ok()) {
        return Failure{check.reason()};
    }
    MidpointSubdivision<NextStep> subdivision(side, nextStep, progress);
    if (!subdivision.Run(roughness)) {
        return Failure{kCancelledReason};
    }
    return subdivision.Take();
}

} // namespace

Result<Heightfield> GenerateHeightfield(const GenerationParameters& parameters, Progress* progress)
{
    Pcg32 random(parameters.seed);
    auto nextStep = [&random] { return static_cast<int>(random.Below(kStepCount)); };
    return Generate(parameters.side, parameters.roughness, nextStep, progress);
}

Result<Heightfield> GenerateHeightfieldWithSteps(int side, float roughness, const DisplacementSteps& nextStep,
                                                 Progress* progress)
{
    return Generate(side, roughness, nextStep, progress);
}
