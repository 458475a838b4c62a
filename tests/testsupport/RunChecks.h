#pragma once

#include "testsupport/FakeRunHost.h"

// Checks that a run stopped at its parameter step: the one message, the focus on field, nothing locked and no
// output folder made. Use it as a test's last statement, since a failure returns from this helper only.
void CheckRunRefused(const FakeRunHost& host, const QString& message, InputField field);
