#pragma once

#include "audio/QVAudioStream.h"

#include <functional>
#include <iosfwd>
#include <string>

// Runs a started stream until `finished` answers true or the stream stops by itself (its device
// failed, or a file device ran out), handling the main thread's work meanwhile and showing the
// progress on err once a second. Stops the stream; answers whether it finished.
bool runStream(QVAudioStream& stream, const std::function<bool()>& finished,
               const std::function<double()>& seconds, const std::string& doing, std::ostream& err);

// The same loop without the progress lines: `tick` is called after every turn, about ten times a
// second, for a caller that shows progress its own way.
bool runStream(QVAudioStream& stream, const std::function<bool()>& finished,
               const std::function<void()>& tick);
