// Build-time facts of the probe plug-in that the CLAP binding tests load as probe.clap: the
// deliverable's port layout (no inputs, two outputs) under the probe's own name.
#pragma once

#define ORVANE_PLUGIN_NAME "Probe"
#define ORVANE_PLUGIN_NUM_INPUTS 0
#define ORVANE_PLUGIN_NUM_OUTPUTS 2
