// Build-time facts of the probe plug-in that the framework core tests are compiled for: one
// audio input, so that input ports are exercised too, and two outputs.
#pragma once

#define ORVANE_PLUGIN_NAME "Probe"
#define ORVANE_PLUGIN_NUM_INPUTS 1
#define ORVANE_PLUGIN_NUM_OUTPUTS 2
