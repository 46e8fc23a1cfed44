// settle(): what "until idle" means for a person at the terminal: every worker finished, every
// due task run, and every image load finished with its picture handed to the screen. Image
// loads run on their own queue, outside the run loop's tracked workers, so both are drained in
// turn until neither has anything left; the screen is drawn in between because rows start
// their loads when they are made. Main thread only.
#pragma once

#include "platform/RunLoop.hpp"

namespace kelda::cli {

void settle(platform::RunLoop& loop);

}  // namespace kelda::cli
