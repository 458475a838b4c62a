#pragma once

#include "testsupport/Controls.h"

#include <QPushButton>
#include <QTest>

// Waits, processing events, until the preview's plan is complete: the preview enables its start button then. False
// when it is not complete within timeoutMs.
inline bool WaitForCompletePlan(const QWidget& preview, int timeoutMs = 30000) {
    const auto* start = FindControl<QPushButton>(preview, Control::BtnPlanRun);
    return QTest::qWaitFor([start] { return start->isEnabled(); }, timeoutMs);
}
