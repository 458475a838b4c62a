#pragma once

#include "Criterion.h"

class RunHost;

// The criterion pages in page order: 0 keyword, 1 file name, 2 file type, 3 file size, 4 file date, 5 image size.
enum CriterionPage { KeywordPage = 0, NamePage, TypePage, SizePage, DatePage, ImagePage, PageCount };

// Runs the parameter step of the given page: the criterion for the run, or the reason it does not start.
ParameterOutcome RunParameterStep(int page, RunHost& host);
