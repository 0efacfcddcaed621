#include "terrain/erosion_hydraulic.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "terrain/internal/parameter_check.h"
#include "terrain/random.h"

namespace {

constexpr const char* kAction = "erode the terrain";
constexpr int kProgressDroplets = 1000;
constexpr double kStartSpeed = 1.0;
constexpr double kStartWater = 1.0;
// A droplet whose direction is shorter than this stands on flat ground and stops.
constexpr double kFlat = 1e-9;

Result<> CheckParameters(const HydraulicErosionParameters& p)
{
    return FirstFailure({CheckRange(kAction, "droplets", p.droplets, 1.0, 1e7),
                         CheckRange(kAction, "erosion radius", p.erosionRadius, 1.0, 8.0),
                         CheckRange(kAction, "inertia", p.inertia, 0.0, 1.0),
                         CheckRange(kAction, "sediment capacity", p.sedimentCapacity, 0.0, 64.0),
                         CheckRange(kAction, "minimum slope", p.minSlope, 0.0, 1.0),
                         CheckRange(kAction, "erosion", p.erosion, 0.0, 1.0),
                         CheckRange(kAction, "deposition", p.deposition, 0.0, 1.0),
                         CheckRange(kAction, "evaporation", p.evaporation, 0.0, 1.0),
                         CheckRange(kAction, "gravity", p.gravity, 0.0, 64.0),
                         CheckRange(kAction, "lifetime", p.maxLifetime, 1.0, 1000.0)});
}

// The samples a droplet erodes around the sample nearest to it, weighted by radius - distance.
class ErosionKernel {
public:
    explicit ErosionKernel(int radius) : m_radius(radius)
    {
        double sum = 0.0;
        for (int row = -radius; row <= radius; ++row) {
            for (int column = -radius; column <= radius; ++column) {
                const double weight = radius - std::sqrt(static_cast<double>(row * row + column * column));
                if (weight > 0.0) {
                    m_taps.push_back({row, column, weight});
                    sum += weight;
                }
            }
        }
        for (Tap& tap : m_taps) {
            tap.weight /= sum;
        }
    }

    // Calls take(row, column, weight) for the samples of a terrain of side samples around
    // (row, column); the weights sum to 1, also where the border cuts the kernel off.
    template <typename Take> void ForEach(int row, int column, int side, Take take) const
    {
        if (row >= m_radius && column >= m_radius && row + m_radius < side && column + m_radius < side) {
            for (const Tap& tap : m_taps) {
                take(row + tap.row, column + tap.column, tap.weight);
            }
            return;
        }
        const auto inside = [&](const Tap& tap) {
            return row + tap.row >= 0 && column + tap.column >= 0 && row + tap.row < side && column + tap.column < side;
        };
        double sum = 0.0;
        for (const Tap& tap : m_taps) {
            sum += inside(tap) ? tap.weight : 0.0;
        }
        for (const Tap& tap : m_taps) {
            if (inside(tap)) {
                take(row + tap.row, column + tap.column, tap.weight / sum);
            }
        }
    }

private:
    struct Tap {
        int row;
        int column;
        double weight;
    };

    int m_radius;
    std::vector<Tap> m_taps;
};

// Droplets one after another on the terrain. Positions are in samples (x along columns, y along
// rows), heights and sediment in sample spacings.
class DropletSimulation {
public:
    DropletSimulation(Heightfield& field, const HydraulicErosionParameters& parameters)
        : m_field(field), m_parameters(parameters), m_kernel(parameters.erosionRadius), m_side(field.Side()),
          m_last(field.Side() - 1), m_spacing(field.Spacing())
    {
    }

    // A droplet starting at a random place, from random.
    void RunDroplet(Pcg32& random)
    {
        const double x = random.Unit() * static_cast<double>(m_last);
        const double y = random.Unit() * static_cast<double>(m_last);
        Flow(x, y);
    }

    ErosionReport Report() const { return {m_removed * m_spacing, m_deposited * m_spacing, m_carriedAway * m_spacing}; }

private:
    struct Surface {
        double height;
        double gradientX;
        double gradientY;
    };

    void Flow(double x, double y)
    {
        const HydraulicErosionParameters& p = m_parameters;
        double directionX = 0.0;
        double directionY = 0.0;
        double speed = kStartSpeed;
        double water = kStartWater;
        double sediment = 0.0;
        for (int step = 0; step < p.maxLifetime; ++step) {
            const Surface here = SurfaceAt(x, y);
            directionX = directionX * p.inertia - here.gradientX * (1.0 - p.inertia);
            directionY = directionY * p.inertia - here.gradientY * (1.0 - p.inertia);
            const double length = std::sqrt(directionX * directionX + directionY * directionY);
            if (!(length > kFlat)) {
                break;
            }
            directionX /= length;
            directionY /= length;
            const double nextX = x + directionX;
            const double nextY = y + directionY;
            if (!(nextX >= 0.0 && nextY >= 0.0 && nextX < m_last && nextY < m_last)) {
                m_carriedAway += sediment;
                return;
            }
            // A step is one spacing long, so the drop is also the slope.
            const double drop = here.height - SurfaceAt(nextX, nextY).height;
            sediment += Exchange(x, y, drop, speed * water, sediment);
            speed = std::sqrt(std::max(0.0, speed * speed + drop * p.gravity));
            water *= 1.0 - p.evaporation;
            x = nextX;
            y = nextY;
        }
        Deposit(x, y, sediment);
    }

    // What the droplet at (x, y) takes up (positive) or lays down (negative) before a step that
    // drops by drop with the given speed times water.
    double Exchange(double x, double y, double drop, double flow, double sediment)
    {
        const HydraulicErosionParameters& p = m_parameters;
        if (drop < 0.0) {
            // Climbing: fill the hollow behind it, up to the step's height if the load allows.
            return -Deposit(x, y, std::min(-drop, sediment));
        }
        const double capacity = std::max(drop, static_cast<double>(p.minSlope)) * flow * p.sedimentCapacity;
        if (sediment > capacity) {
            return -Deposit(x, y, (sediment - capacity) * p.deposition);
        }
        // Never deeper than the step drops, so erosion does not dig pits.
        return Erode(x, y, std::min((capacity - sediment) * p.erosion, drop));
    }

    // Height and gradient at (x, y), bilinear between the four samples around it.
    Surface SurfaceAt(double x, double y) const
    {
        const int column = static_cast<int>(x);
        const int row = static_cast<int>(y);
        const double u = x - column;
        const double v = y - row;
        const double nw = Height(row, column);
        const double ne = Height(row, column + 1);
        const double sw = Height(row + 1, column);
        const double se = Height(row + 1, column + 1);
        return {nw * (1 - u) * (1 - v) + ne * u * (1 - v) + sw * (1 - u) * v + se * u * v,
                (ne - nw) * (1 - v) + (se - sw) * v, (sw - nw) * (1 - u) + (se - ne) * u};
    }

    // Lays amount down on the four samples around (x, y), bilinearly; returns amount.
    double Deposit(double x, double y, double amount)
    {
        const int column = static_cast<int>(x);
        const int row = static_cast<int>(y);
        const double u = x - column;
        const double v = y - row;
        Add(row, column, amount * (1 - u) * (1 - v));
        Add(row, column + 1, amount * u * (1 - v));
        Add(row + 1, column, amount * (1 - u) * v);
        Add(row + 1, column + 1, amount * u * v);
        m_deposited += amount;
        return amount;
    }

    // Takes amount from the samples within the erosion radius of the sample nearest (x, y);
    // returns what was taken.
    double Erode(double x, double y, double amount)
    {
        double taken = 0.0;
        m_kernel.ForEach(static_cast<int>(std::lround(y)), static_cast<int>(std::lround(x)), m_side,
                         [&](int row, int column, double weight) {
                             Add(row, column, -amount * weight);
                             taken += amount * weight;
                         });
        m_removed += taken;
        return taken;
    }

    double Height(int row, int column) const { return m_field.At(row, column) / m_spacing; }
    void Add(int row, int column, double amount)
    {
        float& height = m_field.At(row, column);
        height = static_cast<float>(height + amount * m_spacing);
    }

    Heightfield& m_field;
    const HydraulicErosionParameters& m_parameters;
    ErosionKernel m_kernel;
    int m_side;
    int m_last;
    double m_spacing;
    double m_removed = 0.0;
    double m_deposited = 0.0;
    double m_carriedAway = 0.0;
};

} // namespace

Result<HydraulicErosion> ErodeHydraulically(const Heightfield& field, const HydraulicErosionParameters& parameters,
                                            Progress* progress)
{
    if (const Result<> check = FirstFailure({CheckHeights(kAction, field), CheckParameters(parameters)}); !check.ok()) {
        return Failure{check.reason()};
    }
    HydraulicErosion result{field, {}};
    DropletSimulation simulation(result.field, parameters);
    Pcg32 random(parameters.seed);
    for (int droplet = 0; droplet < parameters.droplets; ++droplet) {
        simulation.RunDroplet(random);
        if ((droplet + 1) % kProgressDroplets == 0) {
            ReportProgress(progress, static_cast<double>(droplet + 1) / parameters.droplets);
            if (IsCancelled(progress)) {
                return Failure{kCancelledReason};
            }
        }
    }
    ReportProgress(progress, 1.0);
    result.report = simulation.Report();
    return result;
}
