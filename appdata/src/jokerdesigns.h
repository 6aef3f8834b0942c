#pragma once

// What tells one joker from another: the twelve designs the drawing in jokers.cpp is built from.

#include <QString>

namespace appdata::joker {

enum class Hat { ThreePoints, TwoPoints, Drooping };
enum class Face { Natural, Clown };
enum class Eyes { Open, Happy, Wink };
enum class Mouth { Smile, Grin, Smirk };
enum class Prop { None, Marotte, Cards, Balls };
enum class Lettering { Banner, Arch, Sides, BigWord };
enum class Backdrop { Plain, Rays, Harlequin, Stars, Dots };

struct Scheme {
    const char *a;      // first motley colour
    const char *b;      // second motley colour
    const char *collar; // third colour, for the back row of the ruff
    const char *ground; // background inside the frame
    const char *frame;  // frame and lettering
    const char *accent; // banner and details
};

struct Design {
    Scheme colours;
    Hat hat;
    Face face;
    Eyes eyes;
    Mouth mouth;
    bool redNose;
    bool hair;
    Prop prop;
    Lettering lettering;
    Backdrop backdrop;
    double tilt;  // head tilt in degrees
    double scale; // whole figure
    double dy;    // whole figure, downwards
};

// Design 0 to kJokers - 1.
const Design &design(int index);

// The pattern behind the figure, seeded by the index so that the stars of two designs fall differently.
QString backdropSvg(const Design &d, int index);

// The head of a design, as SVG elements of its figure.
QString faceSvg(const Design &d);

} // namespace appdata::joker
