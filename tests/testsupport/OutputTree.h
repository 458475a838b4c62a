#pragma once

#include <QString>
#include <QStringList>

// Everything below folder as paths relative to it, sorted, folders marked by a final '/', hidden entries included:
// one literal list shows which folders a run made and where each file landed.
QStringList TreeOf(const QString& folder);
