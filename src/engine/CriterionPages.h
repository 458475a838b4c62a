#pragma once

#include "engine/Criterion.h"
#include "core/CriterionPage.h"

class RunHost;

// Runs the parameter step of the given page: the criterion for the run, or the reason it does not start.
ParameterOutcome RunParameterStep(int page, RunHost& host);
