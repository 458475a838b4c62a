#pragma once

#include "engine/criteria/Criterion.h"

struct RunInputs;

// Runs the parameter step of the inputs' page with its fields: the criterion for the run, or the reason it does not
// start.
ParameterOutcome RunParameterStep(const RunInputs& inputs);
