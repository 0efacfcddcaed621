// The airplane's flight: each timer tick it turns about the vertical axis at a fixed rate and
// moves forward along its nose, integrated with the time measured since the previous tick.
#pragma once

class TQR_SceneNode;

// Where the airplane turns while it flies. A value outside the three (made by a cast) flies
// straight.
enum class TQR_FlyDirection { Left, Right, Straight };

// Degrees per second; positive turns left.
constexpr float kAirplaneTurnRate = 10.0f;

// Turns the node about its own y axis by +-kAirplaneTurnRate * seconds (left, right, or not at
// all), then sets its velocity to its nose direction (its local -z in the parent's frame) times
// speed and moves it by velocity * seconds. Only ever turning about y keeps the flight level.
void FlyAirplane(TQR_SceneNode& airplane, TQR_FlyDirection flyDirection, float speed, float seconds);
