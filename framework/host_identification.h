#pragma once
// Maps a host application's name to the small integer code that lets the
// framework work around particular hosts. 0: no known host.

int MatchHostName(const char* name);
