#pragma once

#include <functional>

class QObject;

namespace vellumar {

// Calls quit from the event loop when the program is asked to end by
// SIGTERM, SIGINT or SIGHUP (a logout, a task manager, Ctrl+C or a closed
// terminal), so that it can end as its Exit does. Nothing on Windows.
void onQuitSignals(QObject* context, std::function<void()> quit);

}  // namespace vellumar
