#pragma once

#include "document/Configurationdiff.h"
#include "document/Fragments.h"

// What taking one difference of a comparison from the source (B) into the target
// (A) makes of the target, worked out as a paste is: step fields by their
// text-form key, the step budget respected, what does not carry over listed. A
// place the source lacks goes from the target; a program's cycles the target
// lacks come with its cycle list under their own numbers; a step past the end of
// the target's cycle comes with the source's steps before it, and a step the
// source's cycle ends before goes with those after it.
S_Paste PlanTake(const C_Configuration& target, const C_Configuration& source, const S_Difference& difference);
