#pragma once

#include "speech/speaker.h"

#include <memory>

namespace tavik::testing {

// A speaker that never reaches the desktop's speech service: the screens
// behave as with a service that speaks English, but no test starts one
// behind their back.
struct ShutSpeaker : Speaker {
    void prepare() override {}
    void say(const QString&) override {}
};

inline std::shared_ptr<Speaker> shutSpeaker() {
    return std::make_shared<ShutSpeaker>();
}

} // namespace tavik::testing
