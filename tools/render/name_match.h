#pragma once
// Finding a name the user typed in a list the plug-in gave: programme names,
// parameter names, value texts.

#include <string>
#include <vector>

namespace spwrender {

// Indices of the names equal to text; when there are none, of the names equal to it
// ignoring letter case. Empty when nothing matches; more than one entry when the
// text is ambiguous.
std::vector<int> MatchName(const std::vector<std::string>& names, const std::string& text);

}  // namespace spwrender
