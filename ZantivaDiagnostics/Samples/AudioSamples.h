#pragma once

#include "Presenters/SuitePresenter.h"

namespace zantiva {

class AudioStation;
class LocNotifier;

// The speaker check's page in its states, each retold when the language changes.
namespace AudioSamples {

// The audio-and-microphone plan at the speaker check.
SuiteState run();

// The left side confirmed, the right not yet; the music idle.
AudioStation* confirming(LocNotifier& loc);
// Both sides confirmed; the music plays on the left, a third of the way in, at a level by hand.
AudioStation* playing(LocNotifier& loc);
// No sound output: the tone failed and so did the music; muted.
AudioStation* failed(LocNotifier& loc);

} // namespace AudioSamples
} // namespace zantiva
