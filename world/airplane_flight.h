// The airplane's flight: each timer tick it turns about the vertical axis at a fixed rate and
// moves forward along its nose, integrated with the time measured since the previous tick.
#pragma once

class TQR_SceneNode;

// Values of the fly direction; any other value flies straight.
constexpr int kFlyLeft = 0;
constexpr int kFlyRight = 1;
constexpr int kFlyStraight = 2;

// Degrees per second; positive turns left.
constexpr float kAirplaneTurnRate = 10.0f;

// Turns the node about its own y axis by +-kAirplaneTurnRate * seconds (left, right, or not at
// all), then sets its velocity to its nose direction (its local -z in the parent's frame) times
// speed and moves it by velocity * seconds. Only ever turning about y keeps the flight level.
void FlyAirplane(TQR_SceneNode& airplane, int flyDirection, float speed, float seconds);
