#pragma once
#include <string>

#include "platform/system.h"
#include "platform/volume.h"

// The serial number of the volume holding the system folder, as 8 upper-case hex digits; empty
// when the folder or its volume cannot be read.
std::string ReadVolumeSerial(platform::System& system, platform::Volumes& volumes);
