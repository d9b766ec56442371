#pragma once
// A saved session as a host keeps it: the component's and the controller's
// state bytes, with what restoring them into a fresh instance gives: the 24
// parameter values and a digest of the first seconds of audio it plays. The
// set kept in tests/data/states/ holds one per line of a text file:
//
//   NAME component=HEX controller=HEX values=HEX,...(24) digest=HEX
//
// values are the bits of each double, so that the comparison is exact on every
// platform. The digest is FNV-1a over the audio quantised to 16 bits, so that
// it holds against the last-bit differences of floating point between compilers
// and C libraries but not against any change one can hear.
//
// Threads: one, the caller's.

#include <cstdint>
#include <string>
#include <vector>

namespace spwstates {

constexpr int kValueCount = 24;
constexpr double kDigestSeconds = 2.0;

struct SavedState {
  std::string name;
  std::vector<uint8_t> component, controller;
  std::vector<double> values;  // kValueCount, as restored
  uint64_t digest = 0;
};

// Restores component and controller state into a fresh instance as a host
// does (IComponent::setState, IEditController::setComponentState, then
// IEditController::setState), reads back the values and plays the first
// kDigestSeconds. False with a reason when the instance refuses.
bool Replay(const std::vector<uint8_t>& component, const std::vector<uint8_t>& controller,
            std::vector<double>* values, uint64_t* digest, std::string* error);

// The bits of a value, as a line holds them.
uint64_t ValueBits(double value);

std::string FormatLine(const SavedState& state);
bool ParseLine(const std::string& line, SavedState* state, std::string* error);

// The states of a file, in order; false with "FILE:LINE: reason" on the first bad line.
bool ReadStates(const std::string& path, std::vector<SavedState>* states, std::string* error);

}  // namespace spwstates
