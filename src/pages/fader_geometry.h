#pragma once
// Where a fader's knob sits for each step and where a pointer moves it. The knob travels
// on a grid of `pixelsPerStep` pixels; the clamps keep it inside the track's ends; a fader
// whose scale starts with -Inf parks the knob below the lowest dB position for step 0.
// One table of numbers per kind of fader: the GEQ bands here, the level faders, and
// later the PEQ, compressor and output faders. Everything is in logical pixels of the
// page, the same numbers the page paints with.

namespace mqx {

struct FaderGeometry {
    int trackWidth = 0;
    int trackHeight = 0;
    int knobWidth = 0;
    int knobHeight = 0;
    int pixelsPerStep = 1;
    int lowestStep = 0;
    int highestStep = 0;
    // Knob top, relative to the track top, at `referenceStep`; other steps lie
    // `pixelsPerStep` higher per step.
    int referenceStep = 0;
    int referenceTop = 0;
    // The highest and lowest knob tops, relative to the track top.
    int minTop = 0;
    int maxTop = 0;
    // A top beyond maxTop parks the knob here (step 0, -Inf); 0 = no such position,
    // the knob stops at maxTop.
    int infTop = 0;
    // A scale mark every this many steps from the reference step.
    int markEvery = 0;

    bool hasInf() const { return infTop != 0; }
};

// The GEQ band fader: 49 steps of 0.5 dB, two pixels a step.
FaderGeometry GeqBandFader();
// The level fader: -Inf and 1..205 (-90.0 .. +12.0 dB), one pixel a step.
FaderGeometry LevelFader();

// Knob top (relative to the track top) of a step; steps outside the range are clamped.
int KnobTopOf(const FaderGeometry& g, int step);
// The step a knob top stands for.
int StepOfKnobTop(const FaderGeometry& g, int top);
// Keeps a wanted knob top on the track and on the step grid.
int ClampKnobTop(const FaderGeometry& g, int top);
// The knob centred on a pointer, clamped.
int FollowTop(const FaderGeometry& g, int pointerY);
// One paging move from `top` toward a pointer, clamped.
int PageTop(const FaderGeometry& g, int top, int pointerY);
// `steps` steps up (positive) or down from `top`; -Inf lies one step below the lowest dB
// step.
int StepTop(const FaderGeometry& g, int top, int steps);

} // namespace mqx
