#pragma once

namespace shell {

// The ordinary windows between which the user moves; at most one is visible at a time.
enum class Screen { Start, Study, Practice, Query };

} // namespace shell
