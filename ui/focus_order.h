#pragma once
// The order the keyboard moves in: the stops of a form in a ring, and the choice inside an option
// group. Indices count from 0; -1 stands for "none" (the form itself holds the keyboard, or no
// option is chosen). A count of 0 gives -1.

// The stop after (step +1, Tab) or before (step -1, Shift+Tab) the current one, wrapping round;
// from none, the first or the last.
int NextStop(int count, int current, int step);

// The option an arrow chooses (step +1 right or down, -1 left or up), wrapping round; with none
// chosen, the first, whichever the arrow.
int NextOption(int count, int current, int step);
