// Heightfields for the terrain tests, made from a height function of world x and z.
#pragma once

#include <cmath>
#include <numbers>

#include "terrain/heightfield.h"

// Sample (row, column) lies at x = -15 + column * spacing, z = 15 - row * spacing.
template <typename HeightAt> Heightfield FieldFrom(int side, HeightAt heightAt)
{
    Heightfield field(side);
    const double spacing = field.Spacing();
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            field.At(row, column) = static_cast<float>(heightAt(-15.0 + column * spacing, 15.0 - row * spacing));
        }
    }
    return field;
}

inline double SumOf(const Heightfield& field)
{
    double sum = 0.0;
    for (const float height : field.Samples()) {
        sum += height;
    }
    return sum;
}

inline double TangentOfDegrees(double degrees) { return std::tan(degrees * std::numbers::pi / 180.0); }
