#pragma once

#include "BenchCommon.h"
#include "engine/SortRun.h"
#include "testsupport/FakeRunHost.h"

#include <cstdio>
#include <cstdlib>

// Seconds that a sort run through the engine takes with the window host describes; exits the benchmark when the
// run does not complete cleanly.
template <typename Host = FakeRunHost> double EngineSortSeconds(Host host) {
    const double seconds = SecondsFor([&] { RunSort(host); });
    if (host.messages != QStringList{QStringLiteral("分拣工作完成！")}) {
        std::fprintf(stderr, "the sort did not complete cleanly\n");
        std::exit(1);
    }
    return seconds;
}
