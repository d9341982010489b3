#pragma once

namespace tavik {

class ProgressCharts;

// The charts, from their module, loaded the first time they are asked for
// and kept for the rest of the run; none when the module cannot be found or
// loaded (the screen then gives its figures as text alone).
ProgressCharts* progressCharts();

} // namespace tavik
