// spw_play: plays stereoPulseWeaver live, with its editor, through the sound output.

#include <cstdio>

#include "play_command.h"

int main(int argc, char** argv) { return spwplay::RunPlayCommand(argc, argv, stdout, stderr); }
