#pragma once

#include <QTime>

// A point in twips of the clock face, y growing downwards.
struct FacePoint {
    float x = 0;
    float y = 0;
};

struct Hand {
    FacePoint from;
    FacePoint to;
};

struct ClockHands {
    Hand hour;
    Hand minute;
    Hand second;
};

constexpr FacePoint kFaceCentre{940, 940};

// The three hands at `time`, all from the centre of the face. Worked in double precision with
// the program's own value of pi, kept in single precision.
ClockHands clock_hands(const QTime& time);
