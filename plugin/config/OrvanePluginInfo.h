// Build-time facts of the plug-in that the framework core is compiled for: its name and its
// fixed audio port counts. Each build of the core picks its own copy of this header.
#pragma once

#define ORVANE_PLUGIN_NAME "Vantorel"
#define ORVANE_PLUGIN_NUM_INPUTS 0
#define ORVANE_PLUGIN_NUM_OUTPUTS 2
