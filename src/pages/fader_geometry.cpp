#include "pages/fader_geometry.h"

#include <algorithm>

namespace mqx {

FaderGeometry GeqBandFader() {
    FaderGeometry g;
    g.trackWidth = 21;
    g.trackHeight = 132;
    g.knobWidth = 15;
    g.knobHeight = 20;
    g.pixelsPerStep = 2;
    g.lowestStep = 0;
    g.highestStep = 48;
    g.referenceStep = 24;
    // 0 dB in the middle of the track.
    g.referenceTop = g.trackHeight / 2 - g.knobHeight / 2;
    g.minTop = 8;
    g.maxTop = g.trackHeight - g.knobHeight - 9;
    g.markEvery = 12; // 6 dB
    return g;
}

FaderGeometry LevelFader() {
    FaderGeometry g;
    g.trackWidth = 21;
    g.trackHeight = 240;
    g.knobWidth = 15;
    g.knobHeight = 12;
    g.pixelsPerStep = 1;
    g.lowestStep = 0;
    g.highestStep = 205;
    // Track top 40 on the page: step 181 (0.0 dB) at page top 72, step 1 at 252, -Inf
    // at 261, +12.0 dB at 48.
    g.referenceStep = 1;
    g.referenceTop = 212;
    g.minTop = 8;
    g.maxTop = 212;
    g.infTop = 221;
    g.markEvery = 20; // 10 dB
    return g;
}

int KnobTopOf(const FaderGeometry& g, int step) {
    step = std::clamp(step, g.lowestStep, g.highestStep);
    if (g.hasInf() && step == 0)
        return g.infTop;
    return g.referenceTop - (step - g.referenceStep) * g.pixelsPerStep;
}

int StepOfKnobTop(const FaderGeometry& g, int top) {
    if (g.hasInf() && top >= g.infTop)
        return 0;
    return (g.referenceTop - top) / g.pixelsPerStep + g.referenceStep;
}

int ClampKnobTop(const FaderGeometry& g, int top) {
    if (g.hasInf() && top > g.maxTop)
        return g.infTop;
    top = std::clamp(top, g.minTop, g.maxTop);
    // Positions fall on the step grid; a top between two goes down to the lower one, even
    // past maxTop, which is how the lowest step is reached.
    const int off = (top - g.referenceTop) % g.pixelsPerStep;
    if (off > 0)
        top += g.pixelsPerStep - off;
    else if (off < 0)
        top -= off;
    return top;
}

int FollowTop(const FaderGeometry& g, int pointerY) {
    return ClampKnobTop(g, pointerY - g.knobHeight / 2);
}

int PageTop(const FaderGeometry& g, int top, int pointerY) {
    const int centre = top + g.knobHeight / 2;
    if (g.hasInf()) {
        const int lowestCentre = g.maxTop + g.knobHeight / 2;
        if (top >= g.maxTop && pointerY > lowestCentre)
            return g.infTop;
        if (top == g.infTop)
            return pointerY < centre ? g.maxTop : top;
    }
    if (pointerY < centre)
        return ClampKnobTop(g, top - g.pixelsPerStep);
    if (pointerY > centre)
        return ClampKnobTop(g, top + g.pixelsPerStep);
    return top;
}

int StepTop(const FaderGeometry& g, int top, int steps) {
    const int step = std::clamp(StepOfKnobTop(g, top) + steps, g.lowestStep, g.highestStep);
    return KnobTopOf(g, step);
}

} // namespace mqx
