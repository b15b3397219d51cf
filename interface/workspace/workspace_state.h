// Program-wide state that only the grammar workspace reads and writes.
#pragma once

#include <QString>

namespace ModuleMain {

// The navigation key of the result window that last took the focus.
inline QString ActiveNodeKey;

} // namespace ModuleMain
