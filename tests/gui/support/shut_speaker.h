#pragma once

#include "screens/ui/speaker.h"

#include <memory>

namespace tavik::testing {

// A speaker that never opens the system's speech engine: the screens behave
// as with the engines this machine has installed, but no test starts a
// speech service behind their back.
struct ShutSpeaker : Speaker {
    void prepare() override {}
    void say(const QString&) override {}
};

inline std::shared_ptr<Speaker> shutSpeaker() {
    return std::make_shared<ShutSpeaker>();
}

} // namespace tavik::testing
