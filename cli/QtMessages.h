#pragma once

#include <QStringList>

// Qt's own warnings (its TLS back end's, for one) are not printed as they
// come, so that standard error holds only what the options ask for: with
// --verbose they are lines of the details, with --json part of the object,
// otherwise they are dropped.
namespace QtMessages {
enum class Route { Drop, Print, Keep };
// Installs the handler; messages before route() is called are kept.
void capture();
void route(Route r);
// What was kept, oldest first.
QStringList kept();
}
