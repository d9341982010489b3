#pragma once

namespace tavik {

struct AppState;
class Speaker;

// The speaker all screens share, made when it is first needed.
Speaker& sharedSpeaker(AppState& state);

} // namespace tavik
