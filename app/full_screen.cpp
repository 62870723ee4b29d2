#include "app/full_screen.h"

FullScreenStep nextFullScreenStep(FullScreenHiding& state, bool covered, bool clockVisible)
{
    bool newlyCovered = covered && !state.covered;
    state.covered = covered;
    if (state.hidden && clockVisible)
        state.hidden = false;  // shown by the user meanwhile
    if (newlyCovered && clockVisible) {
        state.hidden = true;
        return FULL_SCREEN_HIDE;
    }
    if (!covered && state.hidden) {
        state.hidden = false;
        return FULL_SCREEN_SHOW;
    }
    return FULL_SCREEN_STAY;
}
