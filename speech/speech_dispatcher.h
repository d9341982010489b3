#pragma once

#include "speech/speech_connection.h"

namespace tavik {

// Speech Dispatcher, the desktop's speech service, through its own client
// library: American English at the learner's pace, the learner's own
// settings otherwise. The library is loaded at the first call. Blocks
// SIGPIPE in the calling thread, which must be one of the speaker's own: the
// library writes to the service's socket without guarding against a
// service that has died.
std::unique_ptr<SpeechConnection> openSpeechDispatcher(SpeechBegan began);

} // namespace tavik
