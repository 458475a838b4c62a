#pragma once

#include "core/CriterionPage.h"
#include "engine/criteria/Criterion.h"

class RunHost;

// Runs the parameter step of the given page: the criterion for the run, or the reason it does not start.
ParameterOutcome RunParameterStep(int page, RunHost& host);
