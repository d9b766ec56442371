// spw_render: renders stereoPulseWeaver offline into an audio file, loading the
// built VST 3 bundle the way a host does. "spw_render --help" lists the options.

#include <cstdio>

#include "render_command.h"

int main(int argc, char** argv) { return spwrender::RunRenderCommand(argc, argv, stdout, stderr); }
