#include "drill/ui/shared_speaker.h"

#include "drill/app_state.h"
#include "speech/speaker.h"

namespace tavik {

Speaker& sharedSpeaker(AppState& state) {
    if (!state.speaker) {
        state.speaker = std::make_shared<Speaker>();
    }
    return *state.speaker;
}

} // namespace tavik
